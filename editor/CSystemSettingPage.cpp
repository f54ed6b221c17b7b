#include "editor/CSystemSettingPage.h"

#include "editor/CDropDownCombo.h"
#include "editor/EditorIds.h"
#include "editor/RefreshGuard.h"
#include "model/MeterDocument.h"

#include <QButtonGroup>
#include <QRadioButton>

using namespace EditorId;

CSystemSettingPage::CSystemSettingPage(const Context& context, QWidget* window)
    : CEditorPage(Pane::SystemSetting, context, window), m_beepGroup(new QButtonGroup(this)),
      m_backlightGroup(new QButtonGroup(this)) {
    for (const auto& [group, off, on] : {std::tuple{m_beepGroup, BeepOff, BeepOn},
                                         {m_backlightGroup, BacklightOff, BacklightOn}}) {
        for (const auto& [id, choice] : {std::pair{off, 0}, {on, 1}}) {
            auto* button = static_cast<QRadioButton*>(Control(id));
            group->addButton(button, choice);
            connect(button, &QRadioButton::clicked, this,
                    [this, group, button] { OnRadioClicked(group, button); });
        }
    }
    {
        const RefreshGuard::Scope refresh(m_guard);
        Fill(Combo(AutoPowerOff), kAutoPowerOffLabels);
        Fill(Combo(Language), kLanguageLabels);
        WriteView();
    }
    for (const auto& [id, field] :
         {std::pair{AutoPowerOff, OptionField::AutoPowerOff}, {Language, OptionField::Language}}) {
        CDropDownCombo* combo = Combo(id);
        connect(combo, &CDropDownCombo::focusLeft, this,
                [this, field, combo] { CommitOption(field, -1, combo); });
    }
}

void CSystemSettingPage::ShowSetting() {
    const RefreshGuard::Scope refresh(m_guard);
    const SystemSetting& setting = m_document.Image().systemSetting;
    m_beepView = setting.beep;
    m_backlightView = setting.backlight;
    SelectEntry(Combo(AutoPowerOff), setting.autoPowerOff);
    SelectEntry(Combo(Language), setting.language);
    WriteView();
}

bool CSystemSettingPage::ReadView() {
    m_beepView = m_beepGroup->checkedId();
    m_backlightView = m_backlightGroup->checkedId();
    return true;
}

void CSystemSettingPage::WriteView() {
    const RefreshGuard::Scope refresh(m_guard);
    for (const auto& [group, choice] :
         {std::pair{m_beepGroup, m_beepView}, std::pair{m_backlightGroup, m_backlightView}}) {
        // Exclusive groups cannot show "none checked", which a stored code may ask for.
        group->setExclusive(false);
        for (QAbstractButton* button : group->buttons()) {
            button->setChecked(group->id(button) == choice);
        }
        group->setExclusive(true);
    }
}

void CSystemSettingPage::OnRadioClicked(QButtonGroup* group, QRadioButton* button) {
    if (m_guard.Refreshing()) {
        return;
    }
    const RefreshGuard::Scope scope(m_guard, RefreshGuard::Step::End);
    m_exchange.ReadView();
    // The click is the user's choice even when the exchange stopped at an earlier field, so
    // that the stored value always matches the checked button.
    const bool beep = group == m_beepGroup;
    const int choice = group->id(button);
    (beep ? m_beepView : m_backlightView) = choice;
    m_document.SetRadio(beep ? RadioField::Beep : RadioField::Backlight, choice);
    m_exchange.ReturnToRefusedField();
}
