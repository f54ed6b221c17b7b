#include "model/LockCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

using P = LockProblem;

constexpr std::uint8_t kUniversal = 0, kOcs = 1, kSingle1 = 2, kSingle2 = 3, kSingle3 = 4,
                       kSingle4 = 5, kSingle5 = 6, kUnicableA1 = 7, kUnicableA2 = 8,
                       kUnicableB1 = 9, kUnicableB2 = 10, kUnknownLnb = 12;
constexpr std::uint8_t k18V = 0, k13V = 1, kPowerAuto = 2, kPowerOff = 3;
constexpr std::uint8_t kToneAuto = 0, kToneOff = 1, kToneOn = 2;

TpEntry Tp(std::uint16_t frequency, std::uint8_t polarization = kHorizontal,
           std::uint16_t symbolRate = 27500) {
    return {symbolRate, frequency, polarization, 0};
}

// A satellite the meter receives at signed tenths (east positive): the type's preset
// frequencies, power AUTO and good transponders.
SatelliteRecord Satellite(std::uint8_t lnbType, int tenths = 192,
                          std::initializer_list<TpEntry> tps = {Tp(11362)}) {
    SatelliteRecord record = MakeNewSatellite("Sat");
    record.lnbType = lnbType;
    if (lnbType < kLnbCustomized) {
        record.lnbLowFreq = kLnbPresets[lnbType].low;
        record.lnbHighFreq = kLnbPresets[lnbType].high;
    }
    record.longitude = static_cast<std::uint16_t>(tenths < 0 ? -tenths : tenths);
    record.direction = tenths < 0 ? kWest : kEast;
    record.tpCount = static_cast<std::uint8_t>(tps.size());
    std::copy(tps.begin(), tps.end(), record.tps.begin());
    return record;
}

SatelliteRecord Customized(std::uint16_t low, std::uint16_t high) {
    SatelliteRecord record = Satellite(kLnbCustomized);
    record.lnbLowFreq = low;
    record.lnbHighFreq = high;
    return record;
}

// The block of a dish in Munich with the given satellites in use.
SettingsBlock Block(std::initializer_list<SatelliteRecord> satellites,
                    LocalPosition site = {116, kEast, 0, 481, kNorth, 0}) {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.localPosition = site;
    block.satCount = static_cast<std::uint8_t>(satellites.size());
    std::copy(satellites.begin(), satellites.end(), block.satellites.begin());
    return block;
}

std::optional<P> OscillatorProblem(const SatelliteRecord& record, std::uint16_t frequency) {
    for (P problem : CheckTransponder(record, Tp(frequency))) {
        if (problem == P::OutsideLnbRange || problem == P::ToneBlocksBand) {
            return problem;
        }
    }
    return std::nullopt;
}

} // namespace

// Each kind of LNB at IF 949, 950, 2150 and 2151 MHz: first and last are the lowest and highest
// frequency it receives. Below a 7000 MHz oscillator the C-band LNB inverts the spectrum.
TEST(LockCheck, OscillatorsBringFrequenciesIntoTheMeterBand) {
    const struct {
        const char* lnb;
        SatelliteRecord record;
        std::uint16_t first, last;
    } cases[] = {{"Universal", Satellite(kUniversal), 10700, 12750},
                 {"UNICABLE_A1", Satellite(kUnicableA1), 10700, 12750},
                 {"UNICABLE_B1", Satellite(kUnicableB1), 10700, 12750},
                 {"OCS (5150 or 5750)", Satellite(kOcs), 3000, 4800},
                 {"SINGLE1", Satellite(kSingle1), 3000, 4200},
                 {"SINGLE2", Satellite(kSingle2), 10700, 11900},
                 {"SINGLE3", Satellite(kSingle3), 11700, 12900},
                 {"SINGLE4", Satellite(kSingle4), 12250, 13450},
                 {"SINGLE5", Satellite(kSingle5), 11650, 12850},
                 {"UNICABLE_A2", Satellite(kUnicableA2), 11150, 12350},
                 {"UNICABLE_B2", Satellite(kUnicableB2), 11150, 12350},
                 {"Customized 9750/10600", Customized(9750, 10600), 10700, 12750},
                 {"Customized 7000", Customized(7000, 0), 7950, 9150},
                 {"Customized 6999", Customized(6999, 0), 4849, 6049}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lnb);
        EXPECT_EQ(OscillatorProblem(c.record, c.first - 1), P::OutsideLnbRange);
        EXPECT_EQ(OscillatorProblem(c.record, c.first), std::nullopt);
        EXPECT_EQ(OscillatorProblem(c.record, c.last), std::nullopt);
        EXPECT_EQ(OscillatorProblem(c.record, c.last + 1), P::OutsideLnbRange);
    }
    // An oscillator of 0 receives nothing, not even at IF 950.
    EXPECT_EQ(OscillatorProblem(Customized(0, 0), 950), P::OutsideLnbRange);
}

// Only a Universal LNB is held on one oscillator by the tone; AUTO and unknown codes switch.
// Under ON 10600 makes 11549 IF 949, which 9750 would take; under OFF 9750 makes 11901 IF 2151.
// "18V" blocks 'V' (or the second letter), "13V" 'H'; AUTO and unknown power codes block none.
TEST(LockCheck, TransponderFindingsUnderToneAndPower) {
    const struct {
        std::uint8_t lnbType, tone, power;
        TpEntry tp;
        std::vector<P> expected;
    } cases[] = {
        {kUniversal, kToneOn, kPowerAuto, Tp(11549), {P::ToneBlocksBand}},
        {kUniversal, kToneOn, kPowerAuto, Tp(11550), {}},
        {kUniversal, kToneOn, kPowerAuto, Tp(10699), {P::OutsideLnbRange}},
        {kUniversal, kToneOff, kPowerAuto, Tp(11900), {}},
        {kUniversal, kToneOff, kPowerAuto, Tp(11901), {P::ToneBlocksBand}},
        {kUniversal, kToneOff, kPowerAuto, Tp(12751), {P::OutsideLnbRange}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11901), {}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11549), {}},
        {kUniversal, 3, kPowerAuto, Tp(11901), {}},
        {kUniversal, 3, kPowerAuto, Tp(11549), {}},
        {kUnicableA1, kToneOff, kPowerAuto, Tp(11901), {}},
        {kUnicableB1, kToneOn, kPowerAuto, Tp(11549), {}},
        {kUniversal, kToneAuto, k18V, Tp(11362, 'V'), {P::PowerBlocksPolarization}},
        {kUniversal, kToneAuto, k18V, Tp(11362, kAltSecondLetter), {P::PowerBlocksPolarization}},
        {kUniversal, kToneAuto, k18V, Tp(11362, 'H'), {}},
        {kUniversal, kToneAuto, k13V, Tp(11362, 'H'), {P::PowerBlocksPolarization}},
        {kUniversal, kToneAuto, k13V, Tp(11362, 'V'), {}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11362, 'V'), {}},
        {kUniversal, kToneAuto, 4, Tp(11362, 'H'), {}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11362, 'H', 1999), {P::SymbolRateOutOfRange}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11362, 'H', 2000), {}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11362, 'H', 45000), {}},
        {kUniversal, kToneAuto, kPowerAuto, Tp(11362, 'H', 45001), {P::SymbolRateOutOfRange}},
        {kUniversal,
         kToneAuto,
         k18V,
         Tp(13000, 'V', 0),
         {P::OutsideLnbRange, P::PowerBlocksPolarization, P::SymbolRateOutOfRange}},
        // An LNB without power or of an unknown type: only the symbol rate is told per row.
        {kUniversal, kToneAuto, kPowerOff, Tp(13000, 'V', 0), {P::SymbolRateOutOfRange}},
        {kUnknownLnb, kToneAuto, k18V, Tp(13000, 'V', 0), {P::SymbolRateOutOfRange}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.lnbType} << " " << int{c.tone} << int{c.power}
                                        << " " << c.tp.frequency << c.tp.polarization);
        SatelliteRecord record = Satellite(c.lnbType);
        record.tone22k = c.tone;
        record.lnbPower = c.power;
        EXPECT_EQ(CheckTransponder(record, c.tp), c.expected);
        EXPECT_EQ(CanReceive(record), c.power != kPowerOff && c.lnbType != kUnknownLnb);
    }
}

// Satellite findings come before its rows, each in enum order; the site at 0, 0 is not set, so
// nothing is below its horizon and USALS has no site, but Greenwich on longitude 0 is a site.
TEST(LockCheck, SatelliteFindingsComeBeforeRowsInEnumOrder) {
    SatelliteRecord empty = Satellite(kUniversal, 192, {});
    // Stored 9750/10600 against the preset 5150/0; 'V' and the second letter are one polarization.
    SatelliteRecord usals =
        Satellite(kSingle1, 192, {Tp(4000, 'V', 1000), Tp(3800, 'V'), Tp(3800, kAltSecondLetter)});
    usals.lnbLowFreq = 9750;
    usals.lnbHighFreq = 10600;
    usals.positionType = 1;
    usals.lnbPower = kPowerOff;
    // The same frequency in the other polarization is no duplicate.
    const SatelliteRecord unknown = Satellite(kUnknownLnb, -1800, {Tp(11362), Tp(11362, 'V')});
    const std::vector<LockFinding> sited = {
        {0, -1, P::NoTransponder},        {1, -1, P::LnbPowerOff},
        {1, -1, P::LnbFrequenciesDiffer}, {1, 0, P::SymbolRateOutOfRange},
        {1, 2, P::DuplicateTransponder},  {2, -1, P::BelowHorizon},
        {2, -1, P::UnknownLnbType}};
    EXPECT_EQ(CheckMeter(Block({empty, usals, unknown})), sited);
    EXPECT_EQ(CheckMeter(Block({empty, usals, unknown}, {0, kEast, 0, 515, kNorth, 0})), sited);
    std::vector<LockFinding> unset = sited; // USALS after LnbPowerOff, nothing below the horizon
    unset.erase(unset.begin() + 5);
    unset.insert(unset.begin() + 2, {1, -1, P::UsalsWithoutSite});
    EXPECT_EQ(CheckMeter(Block({empty, usals, unknown}, {0, kWest, 0, 0, kSouth, 0})), unset);
}

// Preset types must store their preset's two frequencies; Customized keeps its own; a type past
// Customized is unknown.
TEST(LockCheck, PresetFrequenciesAreComparedForPresetTypesOnly) {
    for (std::uint8_t type = 0; type <= kUnknownLnb; ++type) {
        SCOPED_TRACE(int{type});
        SatelliteRecord record = Satellite(type);
        (type % 2 == 0 ? record.lnbLowFreq : record.lnbHighFreq) = 1234;
        std::vector<LockFinding> findings = CheckMeter(Block({record}));
        std::erase_if(findings, [](const LockFinding& finding) { return finding.row >= 0; });
        std::vector<LockFinding> expected;
        if (type != kLnbCustomized) {
            expected.push_back(
                {0, -1, type < kLnbCustomized ? P::LnbFrequenciesDiffer : P::UnknownLnbType});
        }
        EXPECT_EQ(findings, expected);
    }
}

TEST(LockCheck, OneSwitchInputServesOneDishPosition) {
    using Change = void (*)(SatelliteRecord&, SatelliteRecord&);
    const Change same = [](SatelliteRecord&, SatelliteRecord&) {
    };
    const struct {
        const char* what;
        int a, b; // signed tenths
        Change change;
        bool shared;
    } cases[] = {
        {"6 tenths across 0", 3, -3, same, true},
        {"5 tenths across 0", 2, -3, same, false},
        {"6 tenths across 180", 1797, -1797, same, true},
        {"5 tenths across 180", 1798, -1797, same, false},
        {"far apart", 192, 130, same, true},
        {"twins", 192, 190, same, false},
        {"no switch", 192, 130, [](auto& x, auto& y) { x.switchType = y.switchType = 0; }, false},
        {"other switch", 192, 130, [](auto& x, auto&) { x.switchType = 2; }, false},
        {"other input", 192, 130, [](auto& x, auto&) { x.switchInput = 1; }, false},
        {"not fixed", 192, 130, [](auto&, auto& y) { y.positionType = 2; }, false}};
    const std::vector<LockFinding> shared = {{0, -1, P::SharedSwitchInput},
                                             {1, -1, P::SharedSwitchInput}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SatelliteRecord a = Satellite(kUniversal, c.a), b = Satellite(kUniversal, c.b);
        a.switchType = b.switchType = 1;
        a.switchInput = b.switchInput = 2;
        c.change(a, b);
        // Unsited: across 180 degrees is below Munich's horizon.
        SettingsBlock block = Block({a, b}, {0, kEast, 0, 0, kNorth, 0});
        EXPECT_EQ(CheckMeter(block), c.shared ? shared : std::vector<LockFinding>{});
        block.satCount = 1; // a slot past the count in use shares nothing
        EXPECT_TRUE(CheckMeter(block).empty());
    }
}

TEST(LockCheck, CountsFromAFileNeverReachPastTheArrays) {
    SatelliteRecord record = Satellite(kUniversal);
    record.tpCount = 255;
    record.tps.fill(Tp(11362));
    SettingsBlock block = Block({});
    block.satellites.fill(record);
    block.satCount = 255;
    const std::vector<LockFinding> findings = CheckMeter(block);
    ASSERT_EQ(findings.size(), 20u * 7u); // rows 1..7 repeat row 0, in twenty slots
    EXPECT_EQ(findings.back(), (LockFinding{19, 7, P::DuplicateTransponder}));
}

TEST(LockCheck, ARealisticMeterHasNoFinding) {
    const SatelliteRecord astra = Satellite(kUniversal, 192,
                                            {Tp(10744, 'H', 22000), Tp(11362, 'V', 22000),
                                             Tp(12188, 'H', 27500), Tp(12603, 'V', 22000)});
    const SatelliteRecord hotbird =
        Satellite(kUniversal, 130, {Tp(11013, 'H', 29900), Tp(12476, 'H', 29900)});
    SatelliteRecord eutelsat = Satellite(kUniversal, -50, {Tp(11596, 'V', 29950)});
    eutelsat.positionType = 1;
    eutelsat.tone22k = kToneOn;
    eutelsat.lnbPower = k13V;
    SatelliteRecord cBand = Satellite(kSingle1, 400, {Tp(3675, 'V', 7200)});
    cBand.switchType = 1;
    cBand.switchInput = 3;
    EXPECT_TRUE(CheckMeter(Block({astra, hotbird, eutelsat, cBand})).empty());
}
