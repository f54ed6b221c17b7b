#include "editor/CSatellitePage.h"

#include "editor/CDropDownCombo.h"
#include "editor/CFieldEdit.h"
#include "editor/CNavigationTree.h"
#include "editor/CSatelliteNode.h"
#include "editor/EditorIds.h"
#include "editor/RefreshGuard.h"
#include "model/MeterDocument.h"

using namespace EditorId;

CSatellitePage::CSatellitePage(const Context& context, QWidget* window)
    : CEditorPage(Pane::Satellite, context, window) {
    {
        const RefreshGuard::Scope refresh(m_guard);
        Fill(Combo(Direction), kEastWest);
        Fill(Combo(LnbType), kLnbTypeLabels);
        Fill(Combo(LnbPower), kLnbPowerLabels);
        Fill(Combo(Tone22k), kTone22kLabels);
        Fill(Combo(SwitchType), kSwitchTypeLabels);
        Fill(Combo(PositionType), kPositionTypeLabels);
        WriteView();
    }
    // The name is stored as it is typed; leaving the field makes that one step.
    connect(Edit(Name), &QLineEdit::textEdited, this, &CSatellitePage::OnNameEdited);
    OnFieldLeft(Edit(Name), [this] { m_guard.EndStep(); });
    const struct {
        int id;
        NumberField field;
        std::uint32_t CSatellitePage::*view;
    } numbers[] = {
        {SatLongitude, NumberField::SatelliteLongitude, &CSatellitePage::m_longitudeView},
        {LowFreq, NumberField::LnbLowFreq, &CSatellitePage::m_lowFreqView},
        {HighFreq, NumberField::LnbHighFreq, &CSatellitePage::m_highFreqView}};
    for (const auto& number : numbers) {
        OnFieldLeft(Edit(number.id), [this, number] {
            if (m_slot >= 0) {
                CommitNumber(number.field, m_slot, this->*number.view);
            }
        });
    }
    for (const auto& [id, field] : {std::pair{Direction, OptionField::Direction},
                                    {LnbPower, OptionField::LnbPower},
                                    {SwitchInput, OptionField::SwitchInput},
                                    {Tone22k, OptionField::Tone22k},
                                    {PositionType, OptionField::PositionType}}) {
        CDropDownCombo* combo = Combo(id);
        connect(combo, &CDropDownCombo::focusLeft, this,
                [this, field, combo] { CommitOption(field, m_slot, combo); });
    }
    connect(Combo(LnbType), &CDropDownCombo::listClosed, this, [this] { OnLnbTypeChosen(false); });
    connect(Combo(LnbType), &CDropDownCombo::focusLeft, this, [this] { OnLnbTypeChosen(true); });
    connect(Combo(SwitchType), &CDropDownCombo::listClosed, this,
            &CSatellitePage::OnSwitchTypeCommit);
    connect(Combo(SwitchType), &CDropDownCombo::focusLeft, this,
            &CSatellitePage::OnSwitchTypeCommit);
    Edit(SatLongitude)->SetHintSource([this] {
        return CSatelliteNode::PointingHintText(m_document.Image(), m_slot);
    });
}

const SatelliteRecord* CSatellitePage::Record() const {
    if (m_slot < 0 || m_slot >= static_cast<int>(kMaxSatellites)) {
        return nullptr;
    }
    return &m_document.Image().settingsBlock.satellites[static_cast<std::size_t>(m_slot)];
}

void CSatellitePage::ShowCaption() {
    setTitle(QStringLiteral("Satellite: %1").arg(m_slot + 1));
}

void CSatellitePage::ShowFields() {
    const SatelliteRecord* record = Record();
    if (record == nullptr) {
        return;
    }
    const RefreshGuard::Scope refresh(m_guard);
    m_nameView = CNavigationTree::NameLabel(*record).left(static_cast<int>(kMaxNameChars));
    m_longitudeView = record->longitude;
    SelectEntry(Combo(Direction), record->direction != kEast ? 1 : 0);

    // Codes beyond the list leave the enable states as they were.
    if (record->lnbType <= kLnbCustomized) {
        const bool customized = record->lnbType == kLnbCustomized;
        Edit(LowFreq)->setEnabled(customized);
        Edit(HighFreq)->setEnabled(customized);
        Combo(Tone22k)->setEnabled(record->lnbType != 0);
    }

    SelectEntry(Combo(LnbType), record->lnbType);
    SelectEntry(Combo(LnbPower), record->lnbPower);
    m_lowFreqView = record->lnbLowFreq;
    m_highFreqView = record->lnbHighFreq;
    SelectEntry(Combo(Tone22k), record->tone22k);
    SelectEntry(Combo(SwitchType), record->switchType);
    FillSwitchInputs(record->switchType);
    SelectEntry(Combo(SwitchInput), record->switchInput);
    SelectEntry(Combo(PositionType), record->positionType);
    WriteView();
}

void CSatellitePage::FillSwitchInputs(std::uint8_t switchType) {
    const RefreshGuard::Scope refresh(m_guard);
    CDropDownCombo* inputs = Combo(SwitchInput);
    // A code outside the list is treated as "None": one input, nothing to choose.
    const int count = std::max(SwitchInputCount(switchType), 1);
    if (inputs->count() != count) {
        inputs->clear();
        QStringList entries;
        for (int input = 1; input <= count; ++input) {
            entries << QStringLiteral("LNB%1").arg(input);
        }
        inputs->addItems(entries);
    }
    inputs->setCurrentIndex(-1);
    inputs->setEnabled(switchType == 1 || switchType == 2);
}

void CSatellitePage::ShowLnbChoice(int entry, const SatelliteRecord& record) {
    const RefreshGuard::Scope refresh(m_guard);
    if (entry >= 0 && entry < kLnbCustomized) {
        // The preset is shown only; the stored frequencies stay for "Customized".
        const LnbPreset& preset = kLnbPresets[static_cast<std::size_t>(entry)];
        m_lowFreqView = preset.low;
        m_highFreqView = preset.high;
        Edit(LowFreq)->setEnabled(preset.frequenciesEnabled);
        Edit(HighFreq)->setEnabled(preset.frequenciesEnabled);
        Combo(Tone22k)->setEnabled(preset.toneEnabled);
    } else {
        m_lowFreqView = record.lnbLowFreq;
        m_highFreqView = record.lnbHighFreq;
        Edit(LowFreq)->setEnabled(true);
        Edit(HighFreq)->setEnabled(true);
        Combo(Tone22k)->setEnabled(true);
    }
    WriteView();
}

bool CSatellitePage::ReadView() {
    m_nameView = Edit(Name)->text();
    return ReadNumber(Edit(SatLongitude), m_longitudeView, kMaxLongitude) &&
           ReadNumber(Edit(LowFreq), m_lowFreqView, kMaxLnbFrequency) &&
           ReadNumber(Edit(HighFreq), m_highFreqView, kMaxLnbFrequency);
}

void CSatellitePage::WriteView() {
    const RefreshGuard::Scope refresh(m_guard);
    CFieldEdit* name = Edit(Name);
    if (name->text() != m_nameView) {
        name->setText(m_nameView);
    }
    name->setMaxLength(static_cast<int>(kMaxNameChars));
    WriteNumber(Edit(SatLongitude), m_longitudeView);
    WriteNumber(Edit(LowFreq), m_lowFreqView);
    WriteNumber(Edit(HighFreq), m_highFreqView);
}

void CSatellitePage::OnNameEdited() {
    if (m_guard.Refreshing() || m_slot < 0) {
        return;
    }
    const RefreshGuard::Scope scope(m_guard);
    m_exchange.ReadView();
    m_exchange.WriteView();
    m_document.SetName(m_slot, m_nameView.toLatin1().toStdString());
    m_exchange.ReturnToRefusedField();
    emit nameEdited(m_nameView);
}

void CSatellitePage::OnLnbTypeChosen(bool onlyChanged) {
    const SatelliteRecord* record = Record();
    if (m_guard.Refreshing() || record == nullptr) {
        return;
    }
    const int entry = Combo(LnbType)->currentIndex();
    // Left after a choice with the arrow keys: stored as a pick from the list would be.
    if (onlyChanged && (entry < 0 || entry == record->lnbType)) {
        return;
    }
    const RefreshGuard::Scope scope(m_guard, RefreshGuard::Step::End);
    ShowLnbChoice(entry, *record);
    m_document.SetLnbType(m_slot, entry);
}

void CSatellitePage::OnSwitchTypeCommit() {
    const int switchType = Combo(SwitchType)->currentIndex();
    const int input = Combo(SwitchInput)->currentIndex();
    if (m_guard.Refreshing() || m_slot < 0 || switchType < 0 || input < 0) {
        return;
    }
    const RefreshGuard::Scope scope(m_guard, RefreshGuard::Step::End);
    FillSwitchInputs(static_cast<std::uint8_t>(switchType));
    Combo(SwitchInput)->setCurrentIndex(m_document.SetSwitch(m_slot, switchType, input));
}
