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
    // {tenths, longitude, direction}; direction 0: no position.
    const int cases[][3] = {{192, 192, kEast},    {-300, 300, kWest},  {1800, 1800, kEast},
                            {-1800, 1800, kWest}, {1801, 1799, kWest}, {-1801, 1799, kEast},
                            {3599, 1, kWest},     {3600, 0, kEast},    {-3600, 0, kEast},
                            {3601, 0, 0},         {-3601, 0, 0}};
    for (const auto& [tenths, longitude, direction] : cases) {
        const std::optional<RecordPosition> p = ToRecordPosition(tenths);
        using Pair = std::pair<int, int>;
        EXPECT_EQ(p ? Pair(p->longitude, p->direction) : Pair(0, 0), Pair(longitude, direction))
            << tenths;
    }
}

// The LNB types of C-band and circular tables: see satellites.xml.
TEST(MakeLibraryRecord, SpreadsEightPicksOverTheFourQuartersOfTheUniversalLnb) {
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
    // One linear Ku transponder is enough for the Universal LNB; more C band ones stay out.
    EXPECT_EQ(Made(Satellite(-555, {In(3750000, 27500000, 'H'), In(4080000, 6620000, 'V'),
                                    In(11000000, 27500000, 'V')})),
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
    EXPECT_EQ(NameText(Made(Satellite(1801, {ku}, " (30.0W) "))), "179.9W");
    EXPECT_EQ(NameText(Made(Satellite(48, {ku}, "4.8E Ku-band"))), "4.8E");
}

} // namespace
