#pragma once

#include "controls/CComboBoxBase.h"

// A drop-down list without free text that tells when its pop-up list has closed. The combo box
// hides its pop-up before it takes the chosen entry, so the report waits for that entry.
class CDropList final : public CComboBoxBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDropList)

public:
    explicit CDropList(QWidget* parent = nullptr);

    void hidePopup() override;

signals:
    // The pop-up list has closed; currentIndex() is the entry it left shown.
    void closedUp();

private:
    void FinishCloseUp();

    bool m_closeUpPending = false;
};
