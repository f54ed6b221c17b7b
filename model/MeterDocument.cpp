#include "model/MeterDocument.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

std::uint8_t Letter(int entry, std::uint8_t first, std::uint8_t second) {
    return entry == 0 ? first : second;
}

} // namespace

MeterDocument::MeterDocument()
    : m_image(std::make_unique<MeterImage>(FreshMeterImage())), m_history(InterpretedOf(*m_image)),
      m_saved(m_history.State()) {}

SatelliteRecord* MeterDocument::Record(int slot) {
    if (slot < 0 || slot >= static_cast<int>(kMaxSatellites)) {
        return nullptr;
    }
    return &m_image->settingsBlock.satellites[static_cast<std::size_t>(slot)];
}

TpEntry* MeterDocument::Tp(int slot, int row) {
    SatelliteRecord* record = Record(slot);
    if (record == nullptr || row < 0 || row >= UsedTps(*record)) {
        return nullptr;
    }
    return &record->tps[static_cast<std::size_t>(row)];
}

std::uint32_t MeterDocument::SetNumber(NumberField field, int slot, std::uint32_t value) {
    LocalPosition& position = m_image->settingsBlock.localPosition;
    std::uint16_t* target = nullptr;
    std::uint32_t max = 0;
    switch (field) {
    case NumberField::LocalLongitude:
        target = &position.longitude;
        max = kMaxLongitude;
        break;
    case NumberField::LocalLatitude:
        target = &position.latitude;
        max = kMaxLatitude;
        break;
    default:
        break;
    }
    if (SatelliteRecord* record = Record(slot); target == nullptr && record != nullptr) {
        switch (field) {
        case NumberField::SatelliteLongitude:
            target = &record->longitude;
            max = kMaxLongitude;
            break;
        case NumberField::LnbLowFreq:
            target = &record->lnbLowFreq;
            max = kMaxLnbFrequency;
            break;
        case NumberField::LnbHighFreq:
            target = &record->lnbHighFreq;
            max = kMaxLnbFrequency;
            break;
        default:
            break;
        }
    }
    if (target == nullptr) {
        return 0;
    }
    const std::uint32_t stored = std::min(value, max);
    *target = static_cast<std::uint16_t>(stored);
    return stored;
}

void MeterDocument::SetName(int slot, const std::string& latin1) {
    if (SatelliteRecord* record = Record(slot)) {
        SetNameText(*record, latin1);
    }
}

void MeterDocument::SetOption(OptionField field, int slot, int entry) {
    if (entry < 0) {
        return;
    }
    const auto code = static_cast<std::uint8_t>(entry);
    LocalPosition& position = m_image->settingsBlock.localPosition;
    SystemSetting& setting = m_image->systemSetting;
    SatelliteRecord* record = Record(slot);
    switch (field) {
    case OptionField::LocalDirection:
        position.longitudeDir = Letter(entry, kEast, kWest);
        return;
    case OptionField::Hemisphere:
        position.latitudeDir = Letter(entry, kNorth, kSouth);
        return;
    case OptionField::AutoPowerOff:
        if (entry < static_cast<int>(kAutoPowerOffLabels.size())) {
            setting.autoPowerOff = code;
        }
        return;
    case OptionField::Language:
        if (entry < static_cast<int>(kLanguageLabels.size())) {
            setting.language = code;
        }
        return;
    default:
        break;
    }
    if (record == nullptr) {
        return;
    }
    switch (field) {
    case OptionField::Direction:
        record->direction = Letter(entry, kEast, kWest);
        break;
    case OptionField::LnbPower:
        if (entry < static_cast<int>(kLnbPowerLabels.size())) {
            record->lnbPower = code;
        }
        break;
    case OptionField::SwitchInput:
        if (entry < std::max(SwitchInputCount(record->switchType), 1)) {
            record->switchInput = code;
        }
        break;
    case OptionField::Tone22k:
        if (entry < static_cast<int>(kTone22kLabels.size())) {
            record->tone22k = code;
        }
        break;
    case OptionField::PositionType:
        if (entry < static_cast<int>(kPositionTypeLabels.size())) {
            record->positionType = code;
        }
        break;
    default:
        break;
    }
}

void MeterDocument::SetLnbType(int slot, int entry) {
    SatelliteRecord* record = Record(slot);
    // Only the type is stored: the preset frequencies are shown, the stored ones stay.
    if (record != nullptr && entry >= 0 && entry < static_cast<int>(kLnbTypeLabels.size())) {
        record->lnbType = static_cast<std::uint8_t>(entry);
    }
}

int MeterDocument::SetSwitch(int slot, int switchType, int input) {
    SatelliteRecord* record = Record(slot);
    if (record == nullptr || switchType < 0 ||
        switchType >= static_cast<int>(kSwitchTypeLabels.size()) || input < 0) {
        return -1;
    }
    const int kept = std::min(input, SwitchInputCount(static_cast<std::uint8_t>(switchType)) - 1);
    record->switchType = static_cast<std::uint8_t>(switchType);
    record->switchInput = static_cast<std::uint8_t>(kept);
    return kept;
}

void MeterDocument::SetRadio(RadioField field, int choice) {
    if (choice != 0 && choice != 1) {
        return;
    }
    SystemSetting& setting = m_image->systemSetting;
    (field == RadioField::Beep ? setting.beep : setting.backlight) =
        static_cast<std::uint8_t>(choice);
}

std::uint16_t MeterDocument::SetTpNumber(int slot, int row, TpNumber column, std::uint64_t value) {
    TpEntry* tp = Tp(slot, row);
    if (tp == nullptr) {
        return 0;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint16_t>::max();
    const auto stored = static_cast<std::uint16_t>(std::min(value, kMax));
    (column == TpNumber::Frequency ? tp->frequency : tp->symbolRate) = stored;
    return stored;
}

void MeterDocument::SetTpPolarization(int slot, int row, const std::string& text) {
    if (TpEntry* tp = Tp(slot, row)) {
        tp->polarization = text == "H" ? kHorizontal : kVertical;
    }
}

bool MeterDocument::InsertTp(int slot, int row) {
    SatelliteRecord* record = Record(slot);
    if (record == nullptr || record->tpCount >= kMaxTps || row < 0 || row > record->tpCount) {
        return false;
    }
    auto& tps = record->tps;
    std::copy_backward(tps.begin() + row, tps.begin() + record->tpCount,
                       tps.begin() + record->tpCount + 1);
    tps[static_cast<std::size_t>(row)] = kFreshTp;
    ++record->tpCount;
    return true;
}

bool MeterDocument::DeleteTp(int slot, int row) {
    SatelliteRecord* record = Record(slot);
    // The count in use never goes past the eighth entry, whatever the file held.
    const int count = record != nullptr ? UsedTps(*record) : 0;
    if (row < 0 || row >= count) {
        return false;
    }
    auto& tps = record->tps;
    std::copy(tps.begin() + row + 1, tps.begin() + count, tps.begin() + row);
    record->tpCount = static_cast<std::uint8_t>(count - 1);
    return true;
}

bool MeterDocument::RepairPolarizations(int slot) {
    SatelliteRecord* record = Record(slot);
    bool repaired = false;
    for (int row = 0; record != nullptr && row < UsedTps(*record); ++row) {
        TpEntry& tp = record->tps[static_cast<std::size_t>(row)];
        if (tp.polarization != kHorizontal && tp.polarization != kVertical) {
            tp.polarization = kHorizontal;
            repaired = true;
        }
    }
    return repaired;
}

void MeterDocument::SetTransponders(int slot, const std::vector<TpEntry>& tps) {
    SatelliteRecord* record = Record(slot);
    if (record == nullptr) {
        return;
    }
    const std::size_t count = std::min(tps.size(), kMaxTps);
    for (std::size_t row = 0; row < count; ++row) {
        record->tps[row] = tps[row];
        record->tps[row].padding5 = 0;
    }
    record->tpCount = static_cast<std::uint8_t>(count);
}

int MeterDocument::AddSatellite(int slot) {
    SettingsBlock& block = m_image->settingsBlock;
    const int count = UsedSlots(block);
    if (Record(slot) == nullptr || count >= static_cast<int>(kMaxSatellites)) {
        return -1;
    }
    const int target = std::min(slot, count);
    auto& satellites = block.satellites;
    std::copy_backward(satellites.begin() + target, satellites.begin() + count,
                       satellites.begin() + count + 1);
    satellites[static_cast<std::size_t>(target)] = MakeNewSatellite("new Sat");
    block.satCount = static_cast<std::uint8_t>(count + 1);
    return target;
}

bool MeterDocument::DeleteSatellite(int slot) {
    SettingsBlock& block = m_image->settingsBlock;
    // A count above twenty counts as the twenty slots that exist.
    const int count = UsedSlots(block);
    if (slot < 0 || slot >= count) {
        return false;
    }
    auto& satellites = block.satellites;
    std::copy(satellites.begin() + slot + 1, satellites.begin() + count, satellites.begin() + slot);
    satellites[static_cast<std::size_t>(count - 1)] = MakeNewSatellite("");
    block.satCount = static_cast<std::uint8_t>(count - 1);
    return true;
}

bool MeterDocument::MoveUp(int slot) {
    auto& satellites = m_image->settingsBlock.satellites;
    if (slot <= 0 || slot >= UsedSlots(m_image->settingsBlock)) {
        return false;
    }
    std::swap(satellites[static_cast<std::size_t>(slot)],
              satellites[static_cast<std::size_t>(slot - 1)]);
    return true;
}

bool MeterDocument::MoveDown(int slot) {
    return MoveUp(slot + 1);
}

void MeterDocument::CopyIntoFirstSlots(const std::vector<SatelliteRecord>& records) {
    const std::size_t count = std::min(records.size(), kMaxSatellites);
    std::copy_n(records.begin(), count, m_image->settingsBlock.satellites.begin());
}

void MeterDocument::ReplaceSatellite(int slot, const SatelliteRecord& record) {
    if (SatelliteRecord* target = Record(slot)) {
        *target = record;
    }
}

LoadResult MeterDocument::Load(const std::filesystem::path& path) {
    return LoadMeterFile(path, *m_image);
}

void MeterDocument::NormaliseLetters() {
    ::NormaliseLetters(m_image->settingsBlock);
}

SaveResult MeterDocument::Save(const std::filesystem::path& path) {
    const SaveResult result = SaveMeterFile(path, *m_image);
    if (result == SaveResult::Done) {
        // The file holds every byte, also ones not yet made a step.
        m_saved = InterpretedOf(*m_image);
    }
    return result;
}

bool MeterDocument::EndStep(int selectionBefore, int selectionAfter) {
    return m_history.Record(InterpretedOf(*m_image), selectionBefore, selectionAfter);
}

void MeterDocument::ClearHistory() {
    m_history.Reset(InterpretedOf(*m_image));
    m_saved = m_history.State();
}

int MeterDocument::Undo() {
    InterpretedBytes state;
    const int selection = m_history.Undo(state);
    PutInterpreted(state, *m_image);
    return selection;
}

int MeterDocument::Redo() {
    InterpretedBytes state;
    const int selection = m_history.Redo(state);
    PutInterpreted(state, *m_image);
    return selection;
}
