#include "model/LockCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using P = LockProblem;

constexpr std::uint8_t kUniversal = 0, kOcs = 1, kSingle1 = 2, kSingle2 = 3, kSingle3 = 4,
                       kSingle4 = 5, kSingle5 = 6, kUnicableA1 = 7, kUnicableA2 = 8,
                       kUnicableB1 = 9, kUnicableB2 = 10;
constexpr std::uint8_t k18V = 0, k13V = 1, kPowerAuto = 2, kPowerOff = 3;
constexpr std::uint8_t kToneAuto = 0, kToneOff = 1, kToneOn = 2;

// The site at 0, 0 counts as not set: no satellite is below its horizon.
SettingsBlock Unsited(SettingsBlock block) {
    block.localPosition = {0, kEast, 0, 0, kNorth, 0};
    return block;
}

// A satellite the meter receives: type preset frequencies, power AUTO, one good transponder.
SatelliteRecord Satellite(std::uint8_t lnbType, std::uint16_t longitude = 192,
                          std::uint8_t direction = kEast) {
    SatelliteRecord record = MakeNewSatellite("Sat");
    record.lnbType = lnbType;
    if (lnbType < kLnbCustomized) {
        record.lnbLowFreq = kLnbPresets[lnbType].low;
        record.lnbHighFreq = kLnbPresets[lnbType].high;
    }
    record.longitude = longitude;
    record.direction = direction;
    record.tpCount = 1;
    record.tps[0] = {27500, 11362, kHorizontal, 0};
    return record;
}

TpEntry Tp(std::uint16_t frequency, std::uint8_t polarization = kHorizontal,
           std::uint16_t symbolRate = 27500) {
    return {symbolRate, frequency, polarization, 0};
}

// The block of a dish in Munich with the given satellites in use.
SettingsBlock Block(std::initializer_list<SatelliteRecord> satellites) {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    block.satCount = static_cast<std::uint8_t>(satellites.size());
    std::size_t slot = 0;
    for (const SatelliteRecord& record : satellites) {
        block.satellites[slot++] = record;
    }
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

// Each kind of LNB at the edges of the 950-2150 MHz band its oscillators bring a frequency into.
TEST(LockCheck, OscillatorsBringFrequenciesIntoTheMeterBand) {
    const auto customized = [](std::uint16_t low, std::uint16_t high) {
        SatelliteRecord record = Satellite(kLnbCustomized);
        record.lnbLowFreq = low;
        record.lnbHighFreq = high;
        return record;
    };
    const struct {
        const char* lnb;
        SatelliteRecord record;
        std::uint16_t below, first, last, above; // IF 949 (or 2151), 950 / 2150, 2151 / 949
    } cases[] = {
        {"Universal low band", Satellite(kUniversal), 10699, 10700, 11699, 11699},
        {"Universal high band", Satellite(kUniversal), 11700, 11700, 12750, 12751},
        {"UNICABLE_A1", Satellite(kUnicableA1), 10699, 10700, 12750, 12751},
        {"UNICABLE_B1", Satellite(kUnicableB1), 10699, 10700, 12750, 12751},
        {"OCS (5150 or 5750)", Satellite(kOcs), 2999, 3000, 4800, 4801},
        {"SINGLE1", Satellite(kSingle1), 2999, 3000, 4200, 4201},
        {"SINGLE2", Satellite(kSingle2), 10699, 10700, 11900, 11901},
        {"SINGLE3", Satellite(kSingle3), 11699, 11700, 12900, 12901},
        {"SINGLE4", Satellite(kSingle4), 12249, 12250, 13450, 13451},
        {"SINGLE5", Satellite(kSingle5), 11649, 11650, 12850, 12851},
        {"UNICABLE_A2", Satellite(kUnicableA2), 11149, 11150, 12350, 12351},
        {"UNICABLE_B2", Satellite(kUnicableB2), 11149, 11150, 12350, 12351},
        {"Customized 9750/10600", customized(9750, 10600), 10699, 10700, 12750, 12751},
        // An oscillator of 0 receives nothing.
        {"Customized 5150/0", customized(5150, 0), 2999, 3000, 4200, 4201},
        // From 7000 MHz up the IF is frequency less oscillator; below, the C-band LNB inverts.
        {"Customized 7000", customized(7000, 0), 7949, 7950, 9150, 9151},
        {"Customized 6999", customized(6999, 0), 4848, 4849, 6049, 6050},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lnb);
        if (c.below != c.first) {
            EXPECT_EQ(OscillatorProblem(c.record, c.below), P::OutsideLnbRange);
        }
        EXPECT_EQ(OscillatorProblem(c.record, c.first), std::nullopt);
        EXPECT_EQ(OscillatorProblem(c.record, c.last), std::nullopt);
        if (c.above != c.last) {
            EXPECT_EQ(OscillatorProblem(c.record, c.above), P::OutsideLnbRange);
        }
    }
    for (std::uint16_t frequency : {0, 950, 5150, 11362, 65535}) {
        EXPECT_EQ(OscillatorProblem(customized(0, 0), frequency), P::OutsideLnbRange) << frequency;
    }
}

// Only a Universal LNB is held on one oscillator by the tone; AUTO and unknown codes switch.
TEST(LockCheck, ToneHoldsAUniversalLnbOnOneOscillator) {
    const std::optional<P> none;
    const struct {
        std::uint8_t lnbType;
        std::uint8_t tone;
        std::uint16_t frequency;
        std::optional<P> expected;
    } cases[] = {
        {kUniversal, kToneOn, 11549, P::ToneBlocksBand}, // 10600: IF 949; 9750 would take it
        {kUniversal, kToneOn, 11550, none},
        {kUniversal, kToneOn, 12750, none},
        {kUniversal, kToneOn, 10699, P::OutsideLnbRange}, // neither oscillator
        {kUniversal, kToneOff, 11900, none},
        {kUniversal, kToneOff, 11901, P::ToneBlocksBand}, // 9750: IF 2151
        {kUniversal, kToneOff, 12751, P::OutsideLnbRange},
        {kUniversal, kToneOff, 10700, none},
        {kUniversal, kToneAuto, 11901, none},
        {kUniversal, kToneAuto, 11549, none},
        {kUniversal, 3, 11901, none},
        {kUniversal, 3, 11549, none},
        {kUnicableA1, kToneOff, 11901, none},
        {kUnicableB1, kToneOn, 11549, none},
        {kSingle2, kToneOn, 11901, P::OutsideLnbRange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lnbType) + " tone " + std::to_string(c.tone) + " at " +
                     std::to_string(c.frequency));
        SatelliteRecord record = Satellite(c.lnbType);
        record.tone22k = c.tone;
        EXPECT_EQ(OscillatorProblem(record, c.frequency), c.expected);
    }
}

TEST(LockCheck, PowerSymbolRateAndTheLnbsThatReceiveNothing) {
    const struct {
        std::uint8_t lnbType;
        std::uint8_t power;
        TpEntry tp;
        std::vector<P> expected;
    } cases[] = {
        {kUniversal, k18V, Tp(11362, kVertical), {P::PowerBlocksPolarization}},
        {kUniversal, k18V, Tp(11362, kHorizontal), {}},
        {kUniversal, k13V, Tp(11362, kHorizontal), {P::PowerBlocksPolarization}},
        {kUniversal, k13V, Tp(11362, kVertical), {}},
        {kUniversal, kPowerAuto, Tp(11362, kVertical), {}},
        {kUniversal, 4, Tp(11362, kHorizontal), {}},
        {kUniversal, 4, Tp(11362, kVertical), {}},
        {kUniversal, k18V, Tp(11362, kAltSecondLetter), {P::PowerBlocksPolarization}},
        {kUniversal, kPowerAuto, Tp(11362, kHorizontal, 1999), {P::SymbolRateOutOfRange}},
        {kUniversal, kPowerAuto, Tp(11362, kHorizontal, 2000), {}},
        {kUniversal, kPowerAuto, Tp(11362, kHorizontal, 45000), {}},
        {kUniversal, kPowerAuto, Tp(11362, kHorizontal, 45001), {P::SymbolRateOutOfRange}},
        {kUniversal,
         k18V,
         Tp(13000, kVertical, 0),
         {P::OutsideLnbRange, P::PowerBlocksPolarization, P::SymbolRateOutOfRange}},
        // An LNB without power or of an unknown type: only the symbol rate is told per row.
        {kUniversal, kPowerOff, Tp(13000, kVertical, 0), {P::SymbolRateOutOfRange}},
        {12, k18V, Tp(13000, kVertical, 0), {P::SymbolRateOutOfRange}},
        {255, k13V, Tp(11362, kHorizontal), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lnbType) + " power " + std::to_string(c.power) + " " +
                     static_cast<char>(c.tp.polarization) + std::to_string(c.tp.symbolRate));
        SatelliteRecord record = Satellite(c.lnbType);
        record.lnbPower = c.power;
        EXPECT_EQ(CheckTransponder(record, c.tp), c.expected);
        EXPECT_EQ(CanReceive(record), c.power != kPowerOff && c.lnbType <= kLnbCustomized);
    }
}

TEST(LockCheck, SatelliteFindingsComeBeforeRowsInEnumOrder) {
    SatelliteRecord empty = Satellite(kUniversal);
    empty.tpCount = 0;
    SatelliteRecord usals = Satellite(kSingle1); // stored 9750/10600, preset 5150/0
    usals.lnbLowFreq = 9750;
    usals.lnbHighFreq = 10600;
    usals.positionType = 1;
    usals.lnbPower = kPowerOff;
    usals.tpCount = 3;
    usals.tps[0] = Tp(4000, kVertical, 1000);
    usals.tps[1] = Tp(3800, kVertical);
    usals.tps[2] = Tp(3800, kAltSecondLetter); // the same polarization as 'V'
    SatelliteRecord unknown = Satellite(12, 1800, kWest);
    unknown.tpCount = 2;
    unknown.tps[1] = Tp(11362, kVertical); // same frequency, other polarization: no duplicate
    SettingsBlock block = Block({empty, usals, unknown});
    const std::vector<LockFinding> expected = {
        {0, -1, P::NoTransponder},        {1, -1, P::LnbPowerOff},
        {1, -1, P::LnbFrequenciesDiffer}, {1, 0, P::SymbolRateOutOfRange},
        {1, 2, P::DuplicateTransponder},  {2, -1, P::BelowHorizon},
        {2, -1, P::UnknownLnbType},
    };
    EXPECT_EQ(CheckMeter(block), expected);

    // The site at 0, 0 is not set: nothing is below its horizon, and USALS has no site.
    block.localPosition = {0, kWest, 0, 0, kSouth, 0};
    const std::vector<LockFinding> unset = CheckMeter(block);
    EXPECT_NE(std::find(unset.begin(), unset.end(), LockFinding{1, -1, P::UsalsWithoutSite}),
              unset.end());
    EXPECT_EQ(std::find(unset.begin(), unset.end(), LockFinding{2, -1, P::BelowHorizon}),
              unset.end());
    // Greenwich lies on longitude 0 and is a site all the same.
    block.localPosition = {0, kEast, 0, 515, kNorth, 0};
    const std::vector<LockFinding> greenwich = CheckMeter(block);
    EXPECT_EQ(
        std::find(greenwich.begin(), greenwich.end(), LockFinding{1, -1, P::UsalsWithoutSite}),
        greenwich.end());
    EXPECT_NE(std::find(greenwich.begin(), greenwich.end(), LockFinding{2, -1, P::BelowHorizon}),
              greenwich.end());
}

TEST(LockCheck, PresetFrequenciesAreComparedForPresetTypesOnly) {
    for (std::uint8_t type = 0; type <= kLnbCustomized; ++type) {
        SCOPED_TRACE(kLnbTypeLabels[type]);
        SatelliteRecord record = Satellite(type);
        record.lnbLowFreq = 1234;
        const std::vector<LockFinding> findings = CheckMeter(Block({record}));
        const bool differs =
            std::find(findings.begin(), findings.end(),
                      LockFinding{0, -1, P::LnbFrequenciesDiffer}) != findings.end();
        EXPECT_EQ(differs, type != kLnbCustomized);
    }
    SatelliteRecord matching = Satellite(kUnicableA2);
    EXPECT_TRUE(CheckMeter(Block({matching})).empty());
}

TEST(LockCheck, OneSwitchInputServesOneDishPosition) {
    const struct {
        const char* what;
        std::uint16_t a;
        std::uint8_t aDir;
        std::uint16_t b;
        std::uint8_t bDir;
        bool shared;
    } cases[] = {
        {"6 tenths across 0", 3, kEast, 3, kWest, true},
        {"5 tenths across 0", 2, kEast, 3, kWest, false},
        {"6 tenths across 180", 1797, kEast, 1797, kWest, true},
        {"5 tenths across 180", 1798, kEast, 1797, kWest, false},
        {"far apart", 192, kEast, 130, kEast, true},
        {"twins", 192, kEast, 190, kEast, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SatelliteRecord a = Satellite(kUniversal, c.a, c.aDir);
        SatelliteRecord b = Satellite(kUniversal, c.b, c.bDir);
        a.switchType = b.switchType = 1;
        a.switchInput = b.switchInput = 2;
        const std::vector<LockFinding> shared = {{0, -1, P::SharedSwitchInput},
                                                 {1, -1, P::SharedSwitchInput}};
        const std::vector<LockFinding> none;
        EXPECT_EQ(CheckMeter(Unsited(Block({a, b}))), c.shared ? shared : none);
    }

    SatelliteRecord a = Satellite(kUniversal, 192);
    SatelliteRecord b = Satellite(kUniversal, 130);
    a.switchType = b.switchType = 2;
    a.switchInput = b.switchInput = 7;
    EXPECT_EQ(CheckMeter(Block({a, b})).size(), 2u);
    const auto noneWhen = [&](auto change) {
        SatelliteRecord otherA = a, otherB = b;
        change(otherA, otherB);
        return CheckMeter(Block({otherA, otherB})).empty();
    };
    EXPECT_TRUE(noneWhen([](auto& x, auto& y) { x.switchType = y.switchType = 0; }));
    EXPECT_TRUE(noneWhen([](auto& x, auto&) { x.switchType = 1; }));
    EXPECT_TRUE(noneWhen([](auto& x, auto&) { x.switchInput = 6; }));
    EXPECT_TRUE(noneWhen([](auto&, auto& y) { y.positionType = 2; }));
    // A slot past the count in use shares nothing.
    SettingsBlock block = Block({a, b});
    block.satCount = 1;
    EXPECT_TRUE(CheckMeter(block).empty());
}

TEST(LockCheck, CountsFromAFileNeverReachPastTheArrays) {
    SatelliteRecord record = Satellite(kUniversal);
    record.tpCount = 255;
    for (TpEntry& tp : record.tps) {
        tp = Tp(11362);
    }
    SettingsBlock block = Block({});
    block.satellites.fill(record);
    block.satCount = 255;
    const std::vector<LockFinding> findings = CheckMeter(block);
    ASSERT_EQ(findings.size(), 20u * 7u); // rows 1..7 repeat row 0, in twenty slots
    EXPECT_EQ(findings.back(), (LockFinding{19, 7, P::DuplicateTransponder}));
}

TEST(LockCheck, ARealisticMeterHasNoFinding) {
    SatelliteRecord astra = Satellite(kUniversal, 192);
    astra.tpCount = 4;
    astra.tps[0] = Tp(10744, kHorizontal, 22000);
    astra.tps[1] = Tp(11362, kVertical, 22000);
    astra.tps[2] = Tp(12188, kHorizontal, 27500);
    astra.tps[3] = Tp(12603, kVertical, 22000);
    SatelliteRecord hotbird = Satellite(kUniversal, 130);
    hotbird.tpCount = 2;
    hotbird.tps[0] = Tp(11013, kHorizontal, 29900);
    hotbird.tps[1] = Tp(12476, kHorizontal, 29900);
    SatelliteRecord eutelsat = Satellite(kUniversal, 50, kWest);
    eutelsat.positionType = 1;
    eutelsat.tone22k = kToneOn;
    eutelsat.lnbPower = k13V;
    eutelsat.tps[0] = Tp(11596, kVertical, 29950);
    SatelliteRecord cBand = Satellite(kSingle1, 400, kEast);
    cBand.switchType = 1;
    cBand.switchInput = 3;
    cBand.tps[0] = Tp(3675, kVertical, 7200);
    EXPECT_TRUE(CheckMeter(Block({astra, hotbird, eutelsat, cBand})).empty());
}
