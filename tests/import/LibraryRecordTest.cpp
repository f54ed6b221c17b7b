// A library record's name, position and spread of transponders; its LNB type, the values no
// table means and the skips are read from satellites.xml in SatelliteTableTest.cpp.

#include "import/LibraryRecordMaker.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>
#include <vector>

namespace {

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
TEST(SpreadTransponders, EightPicksOverTheFourQuarters) {
    // 20 low-band H, 2 low-band V, 1 high-band H, no high-band V: the round robin gives the
    // quarters 5, 2, 1 picks, and the five low H come from the middle of five equal slices.
    std::vector<TableTransponder> tps;
    for (int i = 0; i < 20; ++i) {
        tps.push_back({static_cast<std::uint16_t>(10700 + 40 * i), 22000, 'H'});
    }
    tps.insert(tps.end(), {{11500, 27500, 'V'}, {11600, 27500, 'V'}, {12700, 30000, 'H'}});
    std::vector<std::size_t> usable(tps.size());
    std::iota(usable.begin(), usable.end(), 0);
    EXPECT_EQ(SpreadTransponders(tps, usable, 11700),
              (std::vector<std::size_t>{2, 6, 10, 14, 18, 20, 21, 22}));
}

} // namespace
