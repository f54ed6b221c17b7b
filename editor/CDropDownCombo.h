#pragma once

#include "controls/CComboBoxBase.h"

// A drop-down combo with an edit field whose typed text never picks an entry: the selection
// changes only through the list or the arrow keys. It tells its window when the user leaves it.
class CDropDownCombo final : public CComboBoxBase {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDropDownCombo)

public:
    explicit CDropDownCombo(QWidget* parent = nullptr);

    // Whether this focus-out means the user left the control: opening a pop-up (its own
    // list, a menu) or another window taking over is not leaving it.
    static bool LeavesControl(const QFocusEvent* event);

signals:
    void focusLeft();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
