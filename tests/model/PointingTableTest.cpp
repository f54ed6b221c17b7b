#include "model/PointingTable.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// At 13.0 S, 59.0 W on 2027-07-02 (2027.5) the model's published declination is 17.49 W
// (-17.4901 from its X and Y). The look angles below were worked out apart from the code
// with the closed-form azimuth and elevation and the skew's definition.
constexpr LocalPosition kSite{590, kWest, 0, 130, kSouth, 0};
constexpr double kDate = 2027.5;
constexpr const char* kHeader = "slot,name,position,azimuth,compass_azimuth,elevation,skew,motor,"
                                "lnb_type,switch,tone_22k,transponders\n";

struct Satellite {
    const char* name;
    std::uint16_t longitude;
    std::uint8_t direction, lnbType, switchType, switchInput, tone, positioner;
    std::vector<TpEntry> tps; // symbol rate, frequency, polarisation
};

SettingsBlock Block(const std::vector<Satellite>& satellites) {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.localPosition = kSite;
    block.satCount = static_cast<std::uint8_t>(satellites.size());
    for (std::size_t slot = 0; slot < satellites.size(); ++slot) {
        const Satellite& s = satellites[slot];
        SatelliteRecord& record = block.satellites[slot];
        record = MakeNewSatellite(s.name);
        std::tie(record.longitude, record.direction, record.lnbType, record.switchType,
                 record.switchInput, record.tone22k, record.positionType) =
            std::tie(s.longitude, s.direction, s.lnbType, s.switchType, s.switchInput, s.tone,
                     s.positioner);
        record.tpCount = static_cast<std::uint8_t>(s.tps.size());
        std::copy(s.tps.begin(), s.tps.end(), record.tps.begin());
    }
    return block;
}

} // namespace

// Quoting, names as Latin-1, a satellite below the horizon, one on the site's meridian, the
// motor angle only for a positioner with something to turn to, and codes outside their lists
// shown as nothing rather than a neighbour's label (a switch's input only with a switch).
TEST(PointingTable, CsvHasOneRowPerSatelliteInUse) {
    const std::vector<TpEntry> tps = {{22000, 11362, kHorizontal, 0}, {27500, 12188, kVertical, 0}};
    const PointingTable table = MakePointingTable(
        Block({{"Hispasat", 300, kWest, 0, 1, 1, 0, 1, tps},
               {"A \"B\", C", 750, kWest, 11, 0, 3, 2, 0, {}},
               {"Caf\xe9\x80\xff\r\nX", 1200, kEast, 12, 3, 0, 3, 1, {{1000, 3840, 7, 0}}},
               {"Sat4", 590, kWest, 1, 2, 15, 1, 2, {}},
               {"Sat5", 1200, kEast, 0, 1, 4, 0, 0, {}}, // inputs past the switch's last
               {"Sat6", 1200, kEast, 0, 2, 16, 0, 0, {}}}),
        kDate);
    EXPECT_NEAR(table.declination, -17.4901, 0.01);
    EXPECT_TRUE(table.withinModelPeriod);
    EXPECT_EQ(PointingCsv(table),
              std::string(kHeader) +
                  "1,Hispasat,30.0W,67.9,85.4,53.3,64.6,33.7,Universal,DiSEQC1.0 LNB2,AUTO,"
                  "11362 H 22000; 12188 V 27500\n"
                  "2,\"A \"\"B\"\", C\",75.0W,308.1,325.6,66.0,-50.1,,Customized,None,ON,\n"
                  // Any polarisation other than V reads as H.
                  "3,\"Caf\u00e9\u0080\u00ff\r\nX\",120.0E,,,,,,,,,3840 H 1000\n"
                  // Right on the site's meridian: azimuth and skew exactly 0, never "-0.0".
                  "4,Sat4,59.0W,0.0,17.5,74.7,0.0,0.0,OCS,DiSEQC1.1 LNB16,OFF,\n"
                  "5,Sat5,120.0E,,,,,,Universal,,AUTO,\n"
                  "6,Sat6,120.0E,,,,,,Universal,,AUTO,\n");
    ASSERT_EQ(table.rows.size(), 6u);
    EXPECT_FALSE(table.rows[2].visible);
    EXPECT_FALSE(table.rows[2].motor); // a positioner, but nothing to turn to
    ASSERT_TRUE(table.rows[0].motor);
    EXPECT_NEAR(*table.rows[0].motor, 33.6896, 1e-3);
}

TEST(PointingTable, CountsFromTheFileNeverReachPastTheArrays) {
    SettingsBlock block = Block({{"X", 192, kEast, 0, 0, 0, 0, 0, {}}});
    block.satCount = 255;
    block.satellites[0].tpCount = 200;
    const PointingTable table = MakePointingTable(block, kDate);
    ASSERT_EQ(table.rows.size(), kMaxSatellites);
    EXPECT_EQ(table.rows[0].transponders.size(), kMaxTps);
    EXPECT_EQ(table.rows[19].slot, 19);
    block.satCount = 0;
    EXPECT_EQ(PointingCsv(MakePointingTable(block, kDate)), kHeader);
}

TEST(PointingTable, AnglesToATenthWithoutLocaleOrNegativeZero) {
    const struct {
        std::string (*format)(double);
        double value;
        const char* text;
    } cases[] = {
        {TenthText, 14.84, "14.8"},
        {TenthText, 14.86, "14.9"},
        {TenthText, -0.04, "0.0"},
        {TenthText, -0.06, "-0.1"},
        {TenthText, 1234.56, "1234.6"},
        {TenthText, -179.96, "-180.0"},
        {SkewText, -7.25, "Turn the LNB 7.3\u00b0 counter-clockwise, seen from behind the dish"},
        {SkewText, -0.049, "no skew"},
        {SkewText, 0.06, "Turn the LNB 0.1\u00b0 clockwise, seen from behind the dish"},
        {MotorText, 12.3, "Motor 12.3\u00b0 E"},
        {MotorText, -0.04, "Motor 0.0\u00b0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.format(c.value), c.text);
    }
}
