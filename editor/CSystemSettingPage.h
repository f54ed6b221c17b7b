#pragma once

#include "editor/CEditorPage.h"

class QButtonGroup;
class QRadioButton;

// The System Setting page: beep and backlight as Off/On buttons, auto power off and language.
class CSystemSettingPage final : public CEditorPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSystemSettingPage)

public:
    CSystemSettingPage(const Context& context, QWidget* window);

    void ShowSetting();

    bool ReadView() override;
    void WriteView() override;

private:
    void OnRadioClicked(QButtonGroup* group, QRadioButton* button);

    QButtonGroup* m_beepGroup;
    QButtonGroup* m_backlightGroup;
    // View values of the value exchange, in its order.
    int m_beepView = 0;
    int m_backlightView = 0;
};
