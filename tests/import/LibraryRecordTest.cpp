// From a table satellite to a library record: the name, the position, which transponders and
// which LNB type.

#include "import/LibraryRecordMaker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Tp {
    std::int64_t kHz;
    std::int64_t symbolRate;
    char polarization;
};

TableSatellite Satellite(std::optional<int> position, const std::vector<Tp>& tps,
                         const char* name = "Test Sat") {
    TableSatellite satellite;
    satellite.name = QString::fromUtf8(name);
    satellite.position = position;
    for (const Tp& tp : tps) {
        satellite.AddTransponder(tp.kHz, tp.symbolRate, tp.polarization);
    }
    return satellite;
}

// The whole record a satellite should become, so that every other field is checked too.
SatelliteRecord Expected(const char* name, std::uint16_t longitude, std::uint8_t direction,
                         std::uint8_t lnbType, const std::vector<TpEntry>& tps) {
    SatelliteRecord record = MakeNewSatellite(name);
    record.longitude = longitude;
    record.direction = direction;
    record.lnbType = lnbType;
    record.lnbLowFreq = kLnbPresets[lnbType].low;
    record.lnbHighFreq = kLnbPresets[lnbType].high;
    record.tpCount = static_cast<std::uint8_t>(tps.size());
    std::copy(tps.begin(), tps.end(), record.tps.begin());
    return record;
}

SatelliteRecord Made(const TableSatellite& satellite) {
    SatelliteRecord record{};
    EXPECT_EQ(MakeLibraryRecord(satellite, record), RecordOutcome::Made);
    return record;
}

TEST(ShortSatelliteName, KeepsWholeWordsWithinElevenLatin1Bytes) {
    const std::pair<const char*, std::string> cases[] = {
        {"Astra 1KR/1L/1M/1N (19.2E)", "Astra 1KR"},
        {"Eutelsat 7A/7B (7.0E)", "Eutelsat 7A"},
        {"Thor 5/6/7 (0.8W)", "Thor 5/6/7"},
        {"Thor (0.8W)", "Thor"},
        {"Astra (19.2E) 1KR", "Astra 1KR"},
        {"Hispasat 30W-5/30W-6 (30.0W)", "Hispasat"},
        {"Echostar-10+11", "Echostar"},
        {"NSS 7 (Ku) (20.0W)", "NSS 7 (Ku)"},
        {"Intelsat 18 ( 180.1 \u00B0E )", "Intelsat 18"},
        {"  Astra\t 2E  ", "Astra 2E"},
        // No word boundary, or one that keeps too little: cut at eleven.
        {"Telecommunications 1", "Telecommuni"},
        {"AB Extralongname", "AB Extralon"},
        {"Ямал 401 (90.0E)", "???? 401"},
        {"Türksat 4A (42.0E)", "T\xFCrksat 4A"},
        {"Sat \U0001F600 one", "Sat ? one"},
        {"Bad\x01name", "Bad?name"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(ShortSatelliteName(QString::fromUtf8(name)), expected) << name;
    }
}

TEST(ToRecordPosition, SignedTenthsWrapPast180) {
    const struct {
        int tenths;
        std::uint16_t longitude;
        std::uint8_t direction;
    } cases[] = {{192, 192, kEast},    {-300, 300, kWest},  {1800, 1800, kEast},
                 {-1800, 1800, kWest}, {1801, 1799, kWest}, {-1801, 1799, kEast},
                 {3599, 1, kWest},     {3600, 0, kEast},    {-3600, 0, kEast}};
    for (const auto& c : cases) {
        const auto position = ToRecordPosition(c.tenths);
        ASSERT_TRUE(position) << c.tenths;
        EXPECT_EQ(position->longitude, c.longitude) << c.tenths;
        EXPECT_EQ(position->direction, c.direction) << c.tenths;
    }
    EXPECT_FALSE(ToRecordPosition(3601));
    EXPECT_FALSE(ToRecordPosition(-3601));
}

TEST(MakeLibraryRecord, SpreadsEightPicksOverTheFourQuarters) {
    // 20 low-band H, 2 low-band V, 1 high-band H, no high-band V: the round robin gives the
    // quarters 5, 2, 1 picks, and the five low H come from the middle of five equal slices.
    std::vector<Tp> tps;
    for (int i = 0; i < 20; ++i) {
        tps.push_back({10700000 + 40000 * i, 22000000, 'H'});
    }
    tps.push_back({11500000, 27500000, 'V'});
    tps.push_back({11600000, 27500000, 'V'});
    tps.push_back({12700000, 30000000, 'H'});
    const SatelliteRecord record = Made(Satellite(192, tps, "Spread"));
    EXPECT_EQ(record, Expected("Spread", 192, kEast, 0,
                               {{22000, 10780, 'H', 0},
                                {22000, 10940, 'H', 0},
                                {22000, 11100, 'H', 0},
                                {22000, 11260, 'H', 0},
                                {22000, 11420, 'H', 0},
                                {27500, 11500, 'V', 0},
                                {27500, 11600, 'V', 0},
                                {30000, 12700, 'H', 0}}));
}

TEST(MakeLibraryRecord, KeepsTheTableOrderAndEachQuarterWhenFewerThanEight) {
    const SatelliteRecord record = Made(Satellite(-300, {{12100000, 27500000, 'V'},
                                                         {11700000, 27500000, 'H'},
                                                         {11699000, 27500000, 'V'},
                                                         {10700000, 27500000, 'H'}}));
    EXPECT_EQ(record, Expected("Test Sat", 300, kWest, 0,
                               {{27500, 12100, 'V', 0},
                                {27500, 11700, 'H', 0},
                                {27500, 11699, 'V', 0},
                                {27500, 10700, 'H', 0}}));
}

TEST(MakeLibraryRecord, DropsDuplicatesAndValuesNoTableMeans) {
    const SatelliteRecord record = Made(
        Satellite(130, {
                           {11362000, 22000000, 'H'},
                           {11361600, 27500000, 'H'}, // the same MHz and polarisation again
                           {11362000, 22000000, 'V'}, // another polarisation is another transponder
                           {11362, 22000000, 'H'},    // typed in MHz
                           {11400000, 0, 'H'},
                           {11410000, 99499, 'H'},    // under 100 kS/s
                           {11420000, 65535500, 'H'}, // past 16 bits
                           {11430000, 22000000, '?'}, // no known polarisation
                           {10699499, 22000000, 'H'}, // just below the Universal LNB's band
                           {12750499, 22000000, 'V'}, // rounds to its top, still inside
                           {12750500, 22000000, 'V'}, // rounds past it
                           {-11000000, 22000000, 'H'},
                       }));
    EXPECT_EQ(record,
              Expected("Test Sat", 130, kEast, 0,
                       {{22000, 11362, 'H', 0}, {22000, 11362, 'V', 0}, {22000, 12750, 'V', 0}}));
}

TEST(MakeLibraryRecord, GivesCBandAndCircularTablesTheMatchingLnbType) {
    // Linear C band inside both OCS oscillators' reach.
    EXPECT_EQ(Made(Satellite(-555, {{3750000, 27500000, 'H'}, {4080000, 6620000, 'V'}})),
              Expected("Test Sat", 555, kWest, 1, {{27500, 3750, 'H', 0}, {6620, 4080, 'V', 0}}));
    // Circular Ku above 11.7 GHz: the 10750 single LNB; left switches like H, right like V.
    EXPECT_EQ(
        Made(Satellite(360, {{11727000, 27500000, 'L'}, {12226000, 27500000, 'R'}})),
        Expected("Test Sat", 360, kEast, 4, {{27500, 11727, 'H', 0}, {27500, 12226, 'V', 0}}));
    // Circular Ku below 11.7 GHz: the 9750 single LNB.
    EXPECT_EQ(Made(Satellite(750, {{11000000, 27500000, 'R'}})),
              Expected("Test Sat", 750, kEast, 3, {{27500, 11000, 'V', 0}}));
    // Circular C band, and linear C band below the OCS window: the 5150 single LNB takes all,
    // but H and left at one frequency once, as the meter sees the same state.
    EXPECT_EQ(Made(Satellite(-275, {{3400000, 3000000, 'H'},
                                    {3900000, 27500000, 'L'},
                                    {4000000, 27500000, 'R'},
                                    {3900000, 22000000, 'H'}})),
              Expected("Test Sat", 275, kWest, 2,
                       {{3000, 3400, 'H', 0}, {27500, 3900, 'H', 0}, {27500, 4000, 'V', 0}}));
    // One linear Ku transponder is enough for the Universal LNB; the C band ones stay out.
    EXPECT_EQ(
        Made(Satellite(
            -555, {{3750000, 27500000, 'H'}, {4080000, 6620000, 'V'}, {11000000, 27500000, 'V'}})),
        Expected("Test Sat", 555, kWest, 0, {{27500, 11000, 'V', 0}}));
}

TEST(MakeLibraryRecord, SkipsWhatNoLnbTypeReceivesOrWhatHasNoPosition) {
    SatelliteRecord record = MakeNewSatellite("untouched");
    const SatelliteRecord before = record;
    EXPECT_EQ(MakeLibraryRecord(Satellite(-630, {{19700000, 30000000, 'H'}}), record),
              RecordOutcome::NoTransponder);
    EXPECT_EQ(MakeLibraryRecord(Satellite(-630, {}), record), RecordOutcome::NoTransponder);
    EXPECT_EQ(MakeLibraryRecord(Satellite(std::nullopt, {{11000000, 27500000, 'H'}}), record),
              RecordOutcome::NoPosition);
    EXPECT_EQ(MakeLibraryRecord(Satellite(3601, {{11000000, 27500000, 'H'}}), record),
              RecordOutcome::NoPosition);
    EXPECT_EQ(record, before);
}

TEST(MakeLibraryRecord, NamesANamelessSatelliteByItsPosition) {
    EXPECT_EQ(NameText(Made(Satellite(-300, {{11000000, 27500000, 'H'}}, " (30.0W) "))), "30.0W");
    EXPECT_EQ(NameText(Made(Satellite(1801, {{11000000, 27500000, 'H'}}, ""))), "179.9W");
}

} // namespace
