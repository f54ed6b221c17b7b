// Renewing the transponders of the satellites in use from a table: the match, what the slot's
// own settings receive, the spread, what counts as a change, and unreadable tables.

#include "import/TransponderRefresh.h"

#include "TableFiles.h"

#include <gtest/gtest.h>

// From LibraryRecordTest.cpp.
TpEntry Out(std::uint16_t symbolRate, std::uint16_t mhz, std::uint8_t polarization);

namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kUniversal = 0, kSingle2 = 3, kSingle3 = 4;
constexpr std::uint8_t kToneAuto = 0, kToneOff = 1;
constexpr std::uint8_t kPowerAuto = 2;

struct Tp {
    std::int64_t kHz, symbolRate;
    int polarization; // 0 H, 1 V, 2 left, 3 right, as the lists write it
};
struct TableSat {
    std::string name;
    int position; // tenths, east positive
    std::vector<Tp> tps;
};

// A list as the public ones are written (the attributes the reader skips are its own tests').
std::string Xml(const std::vector<TableSat>& satellites) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites>\n";
    for (const TableSat& sat : satellites) {
        xml += "<sat name=\"" + sat.name + "\" position=\"" + std::to_string(sat.position) + "\">";
        for (const Tp& tp : sat.tps) {
            xml += "<transponder frequency=\"" + std::to_string(tp.kHz) + "\" symbol_rate=\"" +
                   std::to_string(tp.symbolRate) + "\" polarization=\"" +
                   std::to_string(tp.polarization) + "\"/>\n";
        }
        xml += "</sat>\n";
    }
    return xml + "</satellites>\n";
}

// `count` H transponders `stepKHz` apart, by default all received by a Universal LNB.
std::vector<Tp> Ku(int count, int firstKHz = 10800000, int stepKHz = 10000,
                   std::int64_t symbolRate = 27500000) {
    std::vector<Tp> tps;
    for (int i = 0; i < count; ++i) {
        tps.push_back({firstKHz + stepKHz * i, symbolRate, 0});
    }
    return tps;
}

// One block of a scan table, which takes its name and position from the file name.
std::string Channel(int kHz, const char* polarization) {
    return "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS2\n\tFREQUENCY = " + std::to_string(kHz) +
           "\n\tPOLARIZATION = " + polarization + "\n\tSYMBOL_RATE = 27500000\n";
}

// A satellite in use as the user set it up, with the eight fresh rows of a new one.
SatelliteRecord Slot(int tenths, std::uint8_t lnbType = kUniversal, std::uint8_t tone = kToneAuto,
                     std::uint8_t power = kPowerAuto) {
    SatelliteRecord record = MakeNewSatellite("Mine");
    record.longitude = static_cast<std::uint16_t>(std::abs(tenths));
    record.direction = tenths < 0 ? kWest : kEast;
    record.lnbType = lnbType;
    record.lnbLowFreq = kLnbPresets[lnbType % 12].low;
    record.lnbHighFreq = kLnbPresets[lnbType % 12].high;
    record.tone22k = tone;
    record.lnbPower = power;
    return record;
}

SettingsBlock Meter(const std::vector<SatelliteRecord>& records) {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.satCount = static_cast<std::uint8_t>(records.size());
    std::copy(records.begin(), records.end(), block.satellites.begin());
    return block;
}

class Refresh : public ::testing::Test {
protected:
    std::vector<RefreshMatch> Match(const fs::path& table, const SettingsBlock& meter) {
        std::vector<RefreshMatch> matches;
        EXPECT_EQ(MatchTransponderRefresh(table, meter, matches), TableImportResult::Done);
        return matches;
    }
    fs::path List(const std::vector<TableSat>& table) { return m_dir.Write("l.xml", Xml(table)); }
    // The new rows of the one slot, none when it is not matched.
    std::vector<TpEntry> Rows(const std::vector<TableSat>& table, const SatelliteRecord& slot) {
        const std::vector<RefreshMatch> matches = Match(List(table), Meter({slot}));
        return matches.empty() ? std::vector<TpEntry>() : matches.front().transponders;
    }

    TempDir m_dir;
};

// The distance is the model's (one case here proves it is the one used), the table's positions
// past 180 the table reader's.
TEST_F(Refresh, PositionsMatchWithinTwoTenths) {
    const struct {
        int slot, table;
        bool matches;
    } cases[] = {{192, 194, true}, {192, 189, false}, {-1799, 1800, true}, {-300, 300, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(Rows({{"Sat", c.table, Ku(1)}}, Slot(c.slot)).size(), c.matches ? 1u : 0u)
            << c.slot << " against " << c.table;
    }
}

TEST_F(Refresh, MostReceivedThenNearerThenFirstInTheTable) {
    const std::vector<Tp> circular = {{11000000, 27500000, 2}, {11100000, 27500000, 3}};
    const struct {
        const char* what;
        std::vector<TableSat> table;
        const char* picked;
    } cases[] = {
        {"more beats nearer", {{"Near", 282, Ku(2)}, {"Far", 284, Ku(3)}}, "Far"},
        {"counted before the cap", {{"Eight", 282, Ku(8)}, {"Ten", 280, Ku(10)}}, "Ten"},
        {"on a tie the nearer", {{"Off", 280, Ku(2)}, {"Close", 283, Ku(2)}}, "Close"},
        {"then the first", {{"First", 283, Ku(2)}, {"Second", 281, Ku(2)}}, "First"},
        {"what it receives", {{"Circular", 282, circular}, {"Linear", 284, Ku(1)}}, "Linear"},
        {"out of reach", {{"Beyond", 285, Ku(9)}, {"Within", 280, Ku(1)}}, "Within"},
    };
    for (const auto& c : cases) {
        const std::vector<RefreshMatch> matches = Match(List(c.table), Meter({Slot(282)}));
        ASSERT_EQ(matches.size(), 1u) << c.what;
        EXPECT_EQ(matches[0].tableName, QString::fromLatin1(c.picked)) << c.what;
    }
}

// Which LNB receives what is the lock check's (its own tests); here, that each slot's own
// settings are asked, circular ones mapped, and values rounded half up.
TEST_F(Refresh, EachSlotReceivesWhatItsOwnSettingsReceiveRoundedHalfUp) {
    // Linear and circular Ku transponders, at values that round to the limits. Right and
    // V (left and H) at one frequency are one row to the meter: the first in the table stays.
    const std::vector<TableSat> table = {{"Mixed",
                                          100,
                                          {{11000499, 27500000, 1},    // low Ku V, 11000
                                           {11000000, 30000000, 3},    // right: the V one stays
                                           {11548500, 1999500, 0},     // low Ku H, 11549, 2000
                                           {11600000, 1999499, 1},     // 1999: too slow
                                           {12000000, 45000499, 0},    // high Ku H, 45000
                                           {12100000, 45000500, 1},    // 45001: too fast
                                           {11900000, 30000000, 2},    // left
                                           {12300000, 30000000, 3}}}}; // right
    const TpEntry lowV = Out(27500, 11000, 'V'), lowH = Out(2000, 11549, 'H'),
                  highH = Out(45000, 12000, 'H'), left = Out(30000, 11900, 'H'),
                  right = Out(30000, 12300, 'V');
    SatelliteRecord customized = Slot(100, kLnbCustomized);
    customized.lnbLowFreq = 9750;
    customized.lnbHighFreq = 10750;
    const struct {
        const char* what;
        SatelliteRecord slot;
        std::vector<TpEntry> rows;
    } cases[] = {
        {"Universal, linear Ku only", Slot(100), {lowV, lowH, highH}},
        {"Universal held on 9750 by tone OFF", Slot(100, kUniversal, kToneOff), {lowV, lowH}},
        {"SINGLE3 on 10750, left as H and right as V", Slot(100, kSingle3), {highH, left, right}},
        {"Customized, two oscillators, circular", customized, {lowV, lowH, highH, left, right}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rows(table, c.slot), c.rows) << c.what;
    }
}

TEST_F(Refresh, EightAreSpreadOverBothBandsForEveryType) {
    // Ten H below 11,700 and two H from it: a one-band SINGLE2 is still spread at 11,700, so
    // both high ones come in and six from the middle of six slices of the low ones.
    std::vector<Tp> tps = Ku(10, 10700000, 50000, 22000000);
    tps.insert(tps.end(), {{11750000, 27500000, 0}, {11850000, 27500000, 0}});
    EXPECT_EQ(Rows({{"Spread", 90, tps}}, Slot(90, kSingle2)),
              (std::vector<TpEntry>{Out(22000, 10700, 'H'), Out(22000, 10800, 'H'),
                                    Out(22000, 10900, 'H'), Out(22000, 10950, 'H'),
                                    Out(22000, 11050, 'H'), Out(22000, 11150, 'H'),
                                    Out(27500, 11750, 'H'), Out(27500, 11850, 'H')}));
}

TEST_F(Refresh, PlanHoldsTheChangedSlotsInUseInSlotOrderAndListsTheUnchanged) {
    // Slot 1 already holds the new rows, its padding differing; slot 2 has a row more; slot 3
    // differs in one symbol rate; slot 4 matches nothing; slot 5 is past the count in use.
    std::vector<SatelliteRecord> records = {Slot(192), Slot(192), Slot(192), Slot(192), Slot(-300)};
    for (std::size_t slot = 1; slot <= 3; ++slot) {
        records[slot].tpCount = slot == 2 ? 3 : 2;
        records[slot].tps[0] = {27500, 11000, kVertical, 7};
        records[slot].tps[1] = {static_cast<std::uint16_t>(slot == 3 ? 27499 : 27500), 12000,
                                kHorizontal, 0};
    }
    SettingsBlock meter = Meter(records);
    meter.satellites[5] = Slot(192);
    const fs::path table =
        m_dir.Write("Astra-19.2E", Channel(11000000, "VERTICAL") + Channel(12000000, "HORIZONTAL"));
    const std::vector<RefreshMatch> matches = Match(table, meter);
    ASSERT_EQ(matches.size(), 4u);
    const std::vector<TpEntry> rows = {Out(27500, 11000, 'V'), Out(27500, 12000, 'H')};
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(matches[slot].slot, slot);
        EXPECT_EQ(matches[slot].tableName, QStringLiteral("Astra"));
        EXPECT_EQ(matches[slot].transponders, rows);
        EXPECT_EQ(matches[slot].changes, slot != 1) << slot;
    }
    std::vector<RefreshedSlot> plan = {{9, {}}};
    ASSERT_EQ(PlanTransponderRefresh(table, meter, plan), TableImportResult::Done);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ((std::vector<int>{plan[0].slot, plan[1].slot, plan[2].slot}), (std::vector{0, 2, 3}));
    EXPECT_EQ(plan[2].transponders, rows);
}

TEST_F(Refresh, TablesThatCannotBeReadLeaveThePlanAsItWas) {
    const std::string good = Xml({{"Astra", 192, {{11000000, 27500000, 1}}}});
    const std::pair<fs::path, TableImportResult> cases[] = {
        {m_dir.path / "missing.xml", TableImportResult::CannotOpen},
        // Astra is read before the list breaks off.
        {m_dir.Write("broken.xml", good.substr(0, good.size() - 8)), TableImportResult::NotATable},
        {m_dir.Write("no-position", Channel(11000000, "VERTICAL")), TableImportResult::NoPosition},
    };
    const SettingsBlock meter = Meter({Slot(192)});
    for (const auto& [path, result] : cases) {
        std::vector<RefreshedSlot> plan = {{7, {Out(1, 2, 'H')}}};
        std::vector<RefreshMatch> matches(2);
        EXPECT_EQ(PlanTransponderRefresh(path, meter, plan), result) << path;
        EXPECT_EQ(MatchTransponderRefresh(path, meter, matches), result) << path;
        EXPECT_TRUE(plan.size() == 1 && plan[0].slot == 7) << path;
        EXPECT_EQ(matches.size(), 2u) << path;
    }
}

} // namespace
