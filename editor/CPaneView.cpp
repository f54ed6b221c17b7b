#include "editor/CPaneView.h"

#include "controls/UserPrompts.h"
#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CNavigationTree.h"
#include "editor/EditorIds.h"
#include "model/MeterDocument.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

template <typename Labels> QStringList ListOf(const Labels& texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromLatin1(text);
    }
    return list;
}

void Fill(CDropDownCombo* combo, const QStringList& entries) {
    combo->addItems(entries);
    // A combo selects its first entry when it is filled; nothing is chosen yet.
    combo->setCurrentIndex(-1);
}

} // namespace

CPaneView::CPaneView(QWidget* window, const EditorControls& controls, UserPrompts& prompts)
    : m_window(window), m_prompts(prompts), m_controls(controls.byId) {
    const auto edit = [this](int id) {
        return static_cast<CFieldEdit*>(m_controls.value(id));
    };
    const auto combo = [this](int id) {
        return static_cast<CDropDownCombo*>(m_controls.value(id));
    };
    using namespace EditorId;
    m_satellitePane = static_cast<QGroupBox*>(m_controls.value(SatellitePane));
    m_nameEdit = edit(Name);
    m_satLongitudeEdit = edit(SatLongitude);
    m_lowFreqEdit = edit(LowFreq);
    m_highFreqEdit = edit(HighFreq);
    m_tpFreqEdit = edit(TpFreq);
    m_tpSymbolRateEdit = edit(TpSymbolRate);
    m_localLongitudeEdit = edit(LocalLongitude);
    m_localLatitudeEdit = edit(LocalLatitude);
    m_directionCombo = combo(Direction);
    m_lnbTypeCombo = combo(LnbType);
    m_lnbPowerCombo = combo(LnbPower);
    m_switchTypeCombo = combo(SwitchType);
    m_switchInputCombo = combo(SwitchInput);
    m_toneCombo = combo(Tone22k);
    m_positionTypeCombo = combo(PositionType);
    m_tpPolarityCombo = combo(TpPolarity);
    m_localDirectionCombo = combo(LocalDirection);
    m_hemisphereCombo = combo(Hemisphere);
    m_autoPowerOffCombo = combo(AutoPowerOff);
    m_languageCombo = combo(Language);
    m_beepGroup = controls.beep;
    m_backlightGroup = controls.backlight;
}

void CPaneView::FillLists() {
    Refresh refresh(*this);
    const std::array<const char*, 2> eastWest = {"East", "West"};
    Fill(m_autoPowerOffCombo, ListOf(kAutoPowerOffLabels));
    Fill(m_languageCombo, ListOf(kLanguageLabels));
    Fill(m_directionCombo, ListOf(eastWest));
    Fill(m_lnbTypeCombo, ListOf(kLnbTypeLabels));
    Fill(m_lnbPowerCombo, ListOf(kLnbPowerLabels));
    Fill(m_toneCombo, ListOf(kTone22kLabels));
    Fill(m_switchTypeCombo, ListOf(kSwitchTypeLabels));
    Fill(m_positionTypeCombo, ListOf(kPositionTypeLabels));
    Fill(m_tpPolarityCombo, ListOf(std::array{"Horizontal", "Vertical"}));
    Fill(m_localDirectionCombo, ListOf(eastWest));
    Fill(m_hemisphereCombo, ListOf(std::array{"North", "South"}));
}

void CPaneView::ShowPane(Pane pane, bool show) {
    Refresh refresh(*this);
    for (int id : PaneControlIds(pane)) {
        m_controls.value(id)->setVisible(show);
    }
}

void CPaneView::EnableEditControls(bool on) {
    Refresh refresh(*this);
    for (int id : EditControlIds()) {
        m_controls.value(id)->setEnabled(on);
    }
}

void CPaneView::SelectEntry(CDropDownCombo* combo, int index) {
    // By position; a stored code outside the list shows no entry.
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}

void CPaneView::ShowSystemSetting(const SystemSetting& setting) {
    Refresh refresh(*this);
    m_beepView = setting.beep;
    m_backlightView = setting.backlight;
    SelectEntry(m_autoPowerOffCombo, setting.autoPowerOff);
    SelectEntry(m_languageCombo, setting.language);
    WriteView();
}

void CPaneView::ShowLocalPosition(const LocalPosition& position) {
    Refresh refresh(*this);
    m_localLongitudeView = position.longitude;
    SelectEntry(m_localDirectionCombo, position.longitudeDir != kEast ? 1 : 0);
    m_localLatitudeView = position.latitude;
    SelectEntry(m_hemisphereCombo, position.latitudeDir != kNorth ? 1 : 0);
    WriteView();
}

void CPaneView::SetSatelliteCaption(int slot) {
    m_satellitePane->setTitle(QStringLiteral("Satellite: %1").arg(slot + 1));
}

void CPaneView::ShowSatelliteFields(const SatelliteRecord& record) {
    Refresh refresh(*this);
    m_nameView = CNavigationTree::NameLabel(record).left(static_cast<int>(kMaxNameChars));
    m_satLongitudeView = record.longitude;
    SelectEntry(m_directionCombo, record.direction != kEast ? 1 : 0);

    // Codes beyond the list leave the enable states as they were.
    if (record.lnbType <= kLnbCustomized) {
        const bool customized = record.lnbType == kLnbCustomized;
        m_lowFreqEdit->setEnabled(customized);
        m_highFreqEdit->setEnabled(customized);
        m_toneCombo->setEnabled(record.lnbType != 0);
    }

    SelectEntry(m_lnbTypeCombo, record.lnbType);
    SelectEntry(m_lnbPowerCombo, record.lnbPower);
    m_lowFreqView = record.lnbLowFreq;
    m_highFreqView = record.lnbHighFreq;
    SelectEntry(m_toneCombo, record.tone22k);
    SelectEntry(m_switchTypeCombo, record.switchType);
    FillSwitchInputs(record.switchType);
    SelectEntry(m_switchInputCombo, record.switchInput);
    SelectEntry(m_positionTypeCombo, record.positionType);
    WriteView();
}

void CPaneView::FillSwitchInputs(std::uint8_t switchType) {
    Refresh refresh(*this);
    // A code outside the list is treated as "None": one input, nothing to choose.
    const int count = std::max(SwitchInputCount(switchType), 1);
    if (m_switchInputCombo->count() != count) {
        m_switchInputCombo->clear();
        QStringList inputs;
        for (int input = 1; input <= count; ++input) {
            inputs << QStringLiteral("LNB%1").arg(input);
        }
        m_switchInputCombo->addItems(inputs);
    }
    m_switchInputCombo->setCurrentIndex(-1);
    m_switchInputCombo->setEnabled(switchType == 1 || switchType == 2);
}

void CPaneView::ShowLnbChoice(int entry, const SatelliteRecord& record) {
    Refresh refresh(*this);
    if (entry >= 0 && entry < kLnbCustomized) {
        // The preset is shown only; the stored frequencies stay for "Customized".
        const LnbPreset& preset = kLnbPresets[static_cast<std::size_t>(entry)];
        m_lowFreqView = preset.low;
        m_highFreqView = preset.high;
        m_lowFreqEdit->setEnabled(preset.frequenciesEnabled);
        m_highFreqEdit->setEnabled(preset.frequenciesEnabled);
        m_toneCombo->setEnabled(preset.toneEnabled);
    } else {
        m_lowFreqView = record.lnbLowFreq;
        m_highFreqView = record.lnbHighFreq;
        m_lowFreqEdit->setEnabled(true);
        m_highFreqEdit->setEnabled(true);
        m_toneCombo->setEnabled(true);
    }
    WriteView();
}

bool CPaneView::Refused(QLineEdit* edit, const QString& text) {
    m_prompts.Message(m_window, text);
    m_refusedEdit = edit;
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CPaneView::ReturnToRefusedField() {
    if (m_refusedEdit != nullptr) {
        m_refusedEdit->setFocus();
        m_refusedEdit->selectAll();
        m_refusedEdit = nullptr;
    }
}

bool CPaneView::ReadView() {
    m_refusedEdit = nullptr;
    m_nameView = m_nameEdit->text();

    struct NumberField {
        QLineEdit* edit;
        std::uint32_t* view;
        bool ranged;
        std::uint32_t max;
    };
    const std::array<NumberField, 7> fields = {{
        {m_satLongitudeEdit, &m_satLongitudeView, true, kMaxLongitude},
        {m_lowFreqEdit, &m_lowFreqView, true, kMaxLnbFrequency},
        {m_highFreqEdit, &m_highFreqView, true, kMaxLnbFrequency},
        {m_tpFreqEdit, &m_tpFreqView, false, 0},
        {m_tpSymbolRateEdit, &m_tpSymbolRateView, false, 0},
        {m_localLongitudeEdit, &m_localLongitudeView, true, kMaxLongitude},
        {m_localLatitudeEdit, &m_localLatitudeView, true, kMaxLatitude},
    }};
    for (const NumberField& field : fields) {
        const QString text = field.edit->text();
        const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        if (!digits) {
            return Refused(field.edit, QStringLiteral("Please enter an integer."));
        }
        bool fits = false;
        const qulonglong number = text.toULongLong(&fits);
        constexpr qulonglong kMaxView = std::numeric_limits<std::uint32_t>::max();
        if (!fits || number > kMaxView) {
            if (!field.ranged) {
                return Refused(field.edit, QStringLiteral("Please enter an integer."));
            }
            *field.view = static_cast<std::uint32_t>(kMaxView);
        } else {
            *field.view = static_cast<std::uint32_t>(number);
        }
        if (field.ranged && *field.view > field.max) {
            return Refused(
                field.edit,
                QStringLiteral("Please enter an integer between 0 and %1.").arg(field.max));
        }
    }
    m_beepView = m_beepGroup->checkedId();
    m_backlightView = m_backlightGroup->checkedId();
    return true;
}

void CPaneView::WriteView() {
    Refresh refresh(*this);
    // An unchanged text is left alone so that the caret of the field being typed in stays.
    if (m_nameEdit->text() != m_nameView) {
        m_nameEdit->setText(m_nameView);
    }
    m_nameEdit->setMaxLength(static_cast<int>(kMaxNameChars));
    const std::array<std::pair<QLineEdit*, std::uint32_t>, 7> numbers = {{
        {m_satLongitudeEdit, m_satLongitudeView},
        {m_lowFreqEdit, m_lowFreqView},
        {m_highFreqEdit, m_highFreqView},
        {m_tpFreqEdit, m_tpFreqView},
        {m_tpSymbolRateEdit, m_tpSymbolRateView},
        {m_localLongitudeEdit, m_localLongitudeView},
        {m_localLatitudeEdit, m_localLatitudeView},
    }};
    for (const auto& [edit, value] : numbers) {
        const QString text = QString::number(value);
        if (edit->text() != text) {
            edit->setText(text);
        }
    }
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
