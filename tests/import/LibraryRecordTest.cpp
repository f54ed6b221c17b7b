// From a table satellite to a library record: the name, the position, which transponders and
// which LNB type.

#include "import/LibraryRecordMaker.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

// Shared with SatelliteTableTest.cpp.
TpEntry Out(std::uint16_t symbolRate, std::uint16_t mhz, std::uint8_t polarization) {
    return {symbolRate, mhz, polarization, 0};
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

namespace {

struct In {
    std::int64_t kHz;
    std::int64_t symbolRate;
    char polarization;
};

TableSatellite Satellite(std::optional<int> position, const std::vector<In>& tps,
                         const char* name = "Test Sat") {
    TableSatellite satellite;
    satellite.name = QString::fromUtf8(name);
    satellite.position = position;
    for (const In& tp : tps) {
        satellite.AddTransponder(tp.kHz, tp.symbolRate, tp.polarization);
    }
    return satellite;
}

SatelliteRecord Made(const TableSatellite& satellite) {
    SatelliteRecord record{};
    EXPECT_EQ(MakeLibraryRecord(satellite, record), RecordOutcome::Made);
    return record;
}

TEST(ShortSatelliteName, KeepsWholeWordsWithinElevenLatin1Bytes) {
    // Without a word boundary, or with one that keeps too little, the name is cut at eleven.
    std::istringstream cases(
        "Astra 1KR/1L/1M/1N (19.2E)|Astra 1KR;Thor 5/6/7 (0.8W)|Thor 5/6/7;"
        "Astra (19.2E) 1KR|Astra 1KR;Hispasat 30W-5/30W-6 (30.0W)|Hispasat;"
        "NSS 7 (Ku) (20.0W)|NSS 7 (Ku);Intelsat 18 ( 180.1 \u00B0E )|Intelsat 18;"
        "  Astra\t 2E  |Astra 2E;Telecommunications 1|Telecommuni;"
        "AB Extralongname|AB Extralon;Ямал 401 (90.0E)|???? 401;"
        "Türksat 4A (42.0E)|T\xFCrksat 4A;Sat \U0001F600 one|Sat ? one;"
        "Bad\x01name|Bad?name;"
        // A position the name begins with goes, and a band word right after it.
        "19.2E Ku-band Astra 1KR/1L/1M/1N|Astra 1KR;15.0W Telstar 12 Vantage|Telstar 12;"
        "133.0W C-band Galaxy 33|Galaxy 33;10.0E Ka-band Eutelsat 10B|Eutelsat;"
        " 7.0e KU-BAND Eutelsat 7B|Eutelsat 7B;13.0E_Hotbird 13G|Hotbird 13G;"
        "0,8 \u00B0W Thor 5/6/7|Thor 5/6/7;19.2E|;4.8E Ku-band|;154.0E JCSAT-2B|JCSAT-2B;"
        "4 West Sat|4 West Sat;3D Sat|3D Sat;Ku-band Astra|Ku-band;"
        "28.2E Ku-bands Sat|Ku-bands;1234.5E Sat|1234.5E Sat;");
    for (std::string name, expected;
         std::getline(cases, name, '|') && std::getline(cases, expected, ';');) {
        EXPECT_EQ(ShortSatelliteName(QString::fromStdString(name)), expected) << name;
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
    EXPECT_FALSE(ToRecordPosition(3601) || ToRecordPosition(-3601));
}

TEST(MakeLibraryRecord, SpreadsEightPicksOverTheFourQuarters) {
    // 20 low-band H, 2 low-band V, 1 high-band H, no high-band V: the round robin gives the
    // quarters 5, 2, 1 picks, and the five low H come from the middle of five equal slices.
    std::vector<In> tps;
    for (int i = 0; i < 20; ++i) {
        tps.push_back(In(10700000 + 40000 * i, 22000000, 'H'));
    }
    tps.insert(tps.end(), {In(11500000, 27500000, 'V'), In(11600000, 27500000, 'V'),
                           In(12700000, 30000000, 'H')});
    EXPECT_EQ(Made(Satellite(192, tps, "Spread")),
              Expected("Spread", 192, kEast, 0,
                       {Out(22000, 10780, 'H'), Out(22000, 10940, 'H'), Out(22000, 11100, 'H'),
                        Out(22000, 11260, 'H'), Out(22000, 11420, 'H'), Out(27500, 11500, 'V'),
                        Out(27500, 11600, 'V'), Out(30000, 12700, 'H')}));
}

TEST(MakeLibraryRecord, DropsDuplicatesAndValuesNoTableMeans) {
    // After the first: the same MHz and polarisation again, another polarisation (kept), MHz,
    // no rate, under 100 kS/s, past 16 bits, no polarisation, just below the Universal LNB's
    // band, rounding to its top (kept) and past it, negative.
    EXPECT_EQ(Made(Satellite(130, {In(11362000, 22000000, 'H'), In(11361600, 27500000, 'H'),
                                   In(11362000, 22000000, 'V'), In(11362, 22000000, 'H'),
                                   In(11400000, 0, 'H'), In(11410000, 99499, 'H'),
                                   In(11420000, 65535500, 'H'), In(11430000, 22000000, '?'),
                                   In(10699499, 22000000, 'H'), In(12750499, 22000000, 'V'),
                                   In(12750500, 22000000, 'V'), In(-11000000, 22000000, 'H')})),
              Expected("Test Sat", 130, kEast, 0,
                       {Out(22000, 11362, 'H'), Out(22000, 11362, 'V'), Out(22000, 12750, 'V')}));
}

TEST(MakeLibraryRecord, GivesCBandAndCircularTablesTheMatchingLnbType) {
    const In cH = In(3750000, 27500000, 'H'), cV = In(4080000, 6620000, 'V');
    // Linear C band inside both OCS oscillators' reach.
    EXPECT_EQ(Made(Satellite(-555, {cH, cV})),
              Expected("Test Sat", 555, kWest, 1, {Out(27500, 3750, 'H'), Out(6620, 4080, 'V')}));
    // Circular Ku above 11.7 GHz: the 10750 single LNB; left switches like H, right like V.
    EXPECT_EQ(
        Made(Satellite(360, {In(11727000, 27500000, 'L'), In(12226000, 27500000, 'R')})),
        Expected("Test Sat", 360, kEast, 4, {Out(27500, 11727, 'H'), Out(27500, 12226, 'V')}));
    // Circular Ku below 11.7 GHz: the 9750 single LNB.
    EXPECT_EQ(Made(Satellite(750, {In(11000000, 27500000, 'R')})),
              Expected("Test Sat", 750, kEast, 3, {Out(27500, 11000, 'V')}));
    // Circular C band, and linear C band below the OCS window: the 5150 single LNB takes all,
    // but H and left at one frequency once, as the meter sees the same state.
    EXPECT_EQ(Made(Satellite(-275, {In(3400000, 3000000, 'H'), In(3900000, 27500000, 'L'),
                                    In(4000000, 27500000, 'R'), In(3900000, 22000000, 'H')})),
              Expected("Test Sat", 275, kWest, 2,
                       {Out(3000, 3400, 'H'), Out(27500, 3900, 'H'), Out(27500, 4000, 'V')}));
    // One linear Ku transponder is enough for the Universal LNB; the C band ones stay out.
    EXPECT_EQ(Made(Satellite(-555, {cH, cV, In(11000000, 27500000, 'V')})),
              Expected("Test Sat", 555, kWest, 0, {Out(27500, 11000, 'V')}));
}

TEST(MakeLibraryRecord, SkipsWhatNoLnbTypeReceivesOrWhatHasNoPosition) {
    SatelliteRecord record = MakeNewSatellite("untouched");
    const SatelliteRecord before = record;
    const In ku = In(11000000, 27500000, 'H');
    EXPECT_EQ(MakeLibraryRecord(Satellite(-630, {In(19700000, 30000000, 'H')}), record),
              RecordOutcome::NoTransponder);
    EXPECT_EQ(MakeLibraryRecord(Satellite(-630, {}), record), RecordOutcome::NoTransponder);
    EXPECT_EQ(MakeLibraryRecord(Satellite(std::nullopt, {ku}), record), RecordOutcome::NoPosition);
    EXPECT_EQ(MakeLibraryRecord(Satellite(3601, {ku}), record), RecordOutcome::NoPosition);
    EXPECT_EQ(record, before);
    // A nameless satellite is named by its position.
    EXPECT_EQ(NameText(Made(Satellite(-300, {ku}, " (30.0W) "))), "30.0W");
    EXPECT_EQ(NameText(Made(Satellite(1801, {ku}, ""))), "179.9W");
    EXPECT_EQ(NameText(Made(Satellite(48, {ku}, "4.8E Ku-band"))), "4.8E");
}

} // namespace
