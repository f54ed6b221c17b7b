#pragma once

#include "model/MeterData.h"

#include <array>
#include <cstdint>
#include <vector>

// What would keep the meter from locking on a satellite or transponder with the stored settings.
enum class LockProblem {
    NoTransponder, // a satellite in use with tpCount 0
    LnbPowerOff,   // lnbPower "OFF": the meter does not feed the LNB
    BelowHorizon,  // the satellite is below the horizon of the stored site (not checked while the
                   // site is 0, 0)
    UsalsWithoutSite,     // positionType USALS (1) with the site at longitude 0 and latitude 0
    LnbFrequenciesDiffer, // a preset type (codes 0-10) whose stored lnbLowFreq/lnbHighFreq differ
                          // from its preset
    SharedSwitchInput, // same switch type (not "None") and input as another satellite in use more
                       // than 5 tenths of a degree away, both "Fixed"
    UnknownLnbType,    // lnbType above 11
    OutsideLnbRange,   // the oscillator the meter uses for this frequency does not bring it into
                       // 950-2150 MHz
    ToneBlocksBand,    // only the band that the "22 KHz" setting excludes would receive it
    PowerBlocksPolarization, // "18V" with a 'V' transponder, or "13V" with an 'H' one
    SymbolRateOutOfRange,    // outside 2000-45000 kS/s
    DuplicateTransponder     // same frequency and polarization as an earlier row of the slot
};

struct LockFinding {
    int slot;
    int row; // -1: the satellite itself
    LockProblem problem;

    bool operator==(const LockFinding&) const = default;
};

// Slots 0..satCount-1 (at most 20), rows 0..tpCount-1 (at most 8), in slot, then row, then enum
// order.
std::vector<LockFinding> CheckMeter(const SettingsBlock& block);

// The facts behind some findings, for the texts that explain them.
// The oscillators the meter can use for the record's LNB type, MHz (0: none): the preset's for a
// preset type, the stored ones for "Customized".
std::array<std::uint16_t, 2> LnbOscillators(const SatelliteRecord& record);
// 'V' and the alternative second letter 1 are vertical; every other letter counts as 'H'.
bool IsVerticalLetter(std::uint8_t polarization);
// The first other satellite in use on the same switch input that needs a dish position of its
// own; -1 for none.
int SharedSwitchInputSlot(const SettingsBlock& block, int slot);
// The first earlier row of the record with the same frequency and polarization; -1 for none.
int EarlierDuplicateRow(const SatelliteRecord& record, int row);

// Whether the record's LNB is fed and of a known type; without both nothing of it is received.
bool CanReceive(const SatelliteRecord& record);

// The findings of one transponder under the record's LNB type, frequencies, 22 kHz tone and
// power, in enum order; never DuplicateTransponder, which depends on the other rows. A record
// that cannot receive gets only SymbolRateOutOfRange here: its own finding says why.
std::vector<LockProblem> CheckTransponder(const SatelliteRecord& record, const TpEntry& tp);
