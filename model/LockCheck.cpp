#include "model/LockCheck.h"

#include "model/LookAngles.h"


namespace {

constexpr int kLowestIf = 950;
constexpr int kHighestIf = 2150;
// From this oscillator up the LNB is a Ku-band one; below it a C-band LNB inverts the spectrum.
constexpr int kKuBandOscillator = 7000;
constexpr int kBandSplit = 11700; // where a Universal LNB switches to its high oscillator
constexpr int kLowestSymbolRate = 2000;
constexpr int kHighestSymbolRate = 45000;
constexpr std::uint8_t kPowerVertical = 0;   // "18V"
constexpr std::uint8_t kPowerHorizontal = 1; // "13V"
constexpr std::uint8_t kPowerOff = 3;        // "OFF"
constexpr std::uint8_t kToneOff = 1;
constexpr std::uint8_t kToneOn = 2;
constexpr std::uint8_t kLnbUniversal = 0;
constexpr std::uint8_t kLnbUnicableA1 = 7;
constexpr std::uint8_t kLnbUnicableB1 = 9;
constexpr std::uint8_t kFixed = 0;
constexpr std::uint8_t kUsals = 1;
// Dishes further apart than this cannot share one switch input.
constexpr int kSameDishTenths = 5;

bool Receives(int frequency, int oscillator) {
    if (oscillator == 0) {
        return false;
    }
    const int intermediate =
        oscillator >= kKuBandOscillator ? frequency - oscillator : oscillator - frequency;
    return intermediate >= kLowestIf && intermediate <= kHighestIf;
}

// Universal and the first Unicable channels switch oscillators at the band split.
bool SwitchesBands(std::uint8_t lnbType) {
    return lnbType == kLnbUniversal || lnbType == kLnbUnicableA1 || lnbType == kLnbUnicableB1;
}

// The LNB finding of one frequency: none, OutsideLnbRange or ToneBlocksBand.
bool CheckOscillators(const SatelliteRecord& record, int frequency, LockProblem& problem) {
    const auto [low, high] = LnbOscillators(record);
    if (SwitchesBands(record.lnbType)) {
        const int bandOscillator = frequency < kBandSplit ? low : high;
        if (record.lnbType == kLnbUniversal &&
            (record.tone22k == kToneOff || record.tone22k == kToneOn)) {
            // The tone holds the LNB on one oscillator for every frequency.
            const int held = record.tone22k == kToneOff ? low : high;
            const int other = record.tone22k == kToneOff ? high : low;
            if (Receives(frequency, held)) {
                return false;
            }
            problem = Receives(frequency, other) ? LockProblem::ToneBlocksBand
                                                 : LockProblem::OutsideLnbRange;
            return true;
        }
        if (Receives(frequency, bandOscillator)) {
            return false;
        }
        problem = LockProblem::OutsideLnbRange;
        return true;
    }
    if (Receives(frequency, low) || Receives(frequency, high)) {
        return false;
    }
    problem = LockProblem::OutsideLnbRange;
    return true;
}

bool SiteUnset(const LocalPosition& site) {
    return site.longitude == 0 && site.latitude == 0;
}

void CheckSatellite(const SettingsBlock& block, int slot, std::vector<LockFinding>& findings) {
    const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
    const LocalPosition& site = block.localPosition;
    const auto add = [&](LockProblem problem) {
        findings.push_back({slot, -1, problem});
    };
    if (record.tpCount == 0) {
        add(LockProblem::NoTransponder);
    }
    if (record.lnbPower == kPowerOff) {
        add(LockProblem::LnbPowerOff);
    }
    if (!SiteUnset(site) &&
        !ComputeLookAngles(SiteLongitudeDegrees(site), SiteLatitudeDegrees(site),
                           SatelliteLongitudeDegrees(record))
             .visible) {
        add(LockProblem::BelowHorizon);
    }
    if (record.positionType == kUsals && SiteUnset(site)) {
        add(LockProblem::UsalsWithoutSite);
    }
    if (record.lnbType < kLnbCustomized) {
        const LnbPreset& preset = kLnbPresets[record.lnbType];
        if (record.lnbLowFreq != preset.low || record.lnbHighFreq != preset.high) {
            add(LockProblem::LnbFrequenciesDiffer);
        }
    }
    if (SharedSwitchInputSlot(block, slot) >= 0) {
        add(LockProblem::SharedSwitchInput);
    }
    if (record.lnbType > kLnbCustomized) {
        add(LockProblem::UnknownLnbType);
    }
}

} // namespace

std::array<std::uint16_t, 2> LnbOscillators(const SatelliteRecord& record) {
    if (record.lnbType == kLnbCustomized) {
        return {record.lnbLowFreq, record.lnbHighFreq};
    }
    if (record.lnbType > kLnbCustomized) {
        return {0, 0};
    }
    const LnbPreset& preset = kLnbPresets[record.lnbType];
    return {preset.low, preset.high};
}

bool IsVerticalLetter(std::uint8_t polarization) {
    return polarization == kVertical || polarization == kAltSecondLetter;
}

int SharedSwitchInputSlot(const SettingsBlock& block, int slot) {
    if (slot < 0 || slot >= UsedSlots(block)) {
        return -1;
    }
    const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
    if (record.switchType == 0 || record.positionType != kFixed) {
        return -1;
    }
    for (int other = 0; other < UsedSlots(block); ++other) {
        const SatelliteRecord& candidate = block.satellites[static_cast<std::size_t>(other)];
        if (other != slot && candidate.switchType == record.switchType &&
            candidate.switchInput == record.switchInput && candidate.positionType == kFixed &&
            TenthsApart(SatelliteLongitudeTenths(record), SatelliteLongitudeTenths(candidate)) >
                kSameDishTenths) {
            return other;
        }
    }
    return -1;
}

int EarlierDuplicateRow(const SatelliteRecord& record, int row) {
    if (row < 0 || row >= static_cast<int>(kMaxTps)) {
        return -1;
    }
    const TpEntry& tp = record.tps[static_cast<std::size_t>(row)];
    for (int earlier = 0; earlier < row; ++earlier) {
        const TpEntry& before = record.tps[static_cast<std::size_t>(earlier)];
        if (before.frequency == tp.frequency &&
            IsVerticalLetter(before.polarization) == IsVerticalLetter(tp.polarization)) {
            return earlier;
        }
    }
    return -1;
}

bool CanReceive(const SatelliteRecord& record) {
    return record.lnbPower != kPowerOff && record.lnbType <= kLnbCustomized;
}

std::vector<LockProblem> CheckTransponder(const SatelliteRecord& record, const TpEntry& tp) {
    std::vector<LockProblem> problems;
    if (CanReceive(record)) {
        LockProblem oscillator{};
        if (CheckOscillators(record, tp.frequency, oscillator)) {
            problems.push_back(oscillator);
        }
        const bool vertical = IsVerticalLetter(tp.polarization);
        if ((record.lnbPower == kPowerVertical && vertical) ||
            (record.lnbPower == kPowerHorizontal && !vertical)) {
            problems.push_back(LockProblem::PowerBlocksPolarization);
        }
    }
    if (tp.symbolRate < kLowestSymbolRate || tp.symbolRate > kHighestSymbolRate) {
        problems.push_back(LockProblem::SymbolRateOutOfRange);
    }
    return problems;
}

std::vector<LockFinding> CheckMeter(const SettingsBlock& block) {
    std::vector<LockFinding> findings;
    for (int slot = 0; slot < UsedSlots(block); ++slot) {
        CheckSatellite(block, slot, findings);
        const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        for (int row = 0; row < UsedTps(record); ++row) {
            const TpEntry& tp = record.tps[static_cast<std::size_t>(row)];
            for (const LockProblem problem : CheckTransponder(record, tp)) {
                findings.push_back({slot, row, problem});
            }
            if (EarlierDuplicateRow(record, row) >= 0) {
                findings.push_back({slot, row, LockProblem::DuplicateTransponder});
            }
        }
    }
    return findings;
}
