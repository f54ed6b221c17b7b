#include "model/PointingTable.h"

#include <gtest/gtest.h>

namespace {

// At 13.0 S, 59.0 W on 2027-07-02 (2027.5) the model's published declination is 17.49 W
// (-17.4901 from its X and Y). The look angles below were worked out apart from the code
// with the closed-form azimuth and elevation and the skew's definition.
constexpr LocalPosition kSite{590, kWest, 0, 130, kSouth, 0};
constexpr double kDate = 2027.5;

struct Satellite {
    const char* name;
    std::uint16_t longitude;
    std::uint8_t direction, lnbType, switchType, switchInput, tone, positioner;
    std::vector<TpEntry> tps;
};

SettingsBlock Block(const std::vector<Satellite>& satellites) {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.localPosition = kSite;
    block.satCount = static_cast<std::uint8_t>(satellites.size());
    for (std::size_t slot = 0; slot < satellites.size(); ++slot) {
        const Satellite& s = satellites[slot];
        SatelliteRecord& record = block.satellites[slot];
        record = MakeNewSatellite(s.name);
        record.longitude = s.longitude;
        record.direction = s.direction;
        record.lnbType = s.lnbType;
        record.switchType = s.switchType;
        record.switchInput = s.switchInput;
        record.tone22k = s.tone;
        record.positionType = s.positioner;
        record.tpCount = static_cast<std::uint8_t>(s.tps.size());
        std::copy(s.tps.begin(), s.tps.end(), record.tps.begin());
    }
    return block;
}

TpEntry Tp(std::uint16_t frequency, std::uint8_t polarization, std::uint16_t symbolRate) {
    return {symbolRate, frequency, polarization, 0};
}

} // namespace

TEST(PointingTable, CsvHasOneRowPerSatelliteInUse) {
    const SettingsBlock block = Block({
        {"Hispasat",
         300,
         kWest,
         0,
         1,
         1,
         0,
         1,
         {Tp(11362, kHorizontal, 22000), Tp(12188, kVertical, 27500)}},
        {"A \"B\", C", 750, kWest, 11, 0, 3, 2, 0, {}},
        {"Caf\xe9\nX", 1200, kEast, 12, 3, 0, 3, 1, {Tp(3840, kVertical, 1000)}},
        {"Sat4", 590, kWest, 1, 2, 15, 1, 2, {}},
    });
    const PointingTable table = MakePointingTable(block, kDate);
    EXPECT_NEAR(table.declination, -17.4901, 0.01);
    EXPECT_TRUE(table.withinModelPeriod);
    EXPECT_EQ(table.siteLatitude, -13.0);
    EXPECT_EQ(table.siteLongitude, -59.0);
    EXPECT_EQ(PointingCsv(table),
              "slot,name,position,azimuth,compass_azimuth,elevation,skew,motor,lnb_type,switch,"
              "tone_22k,transponders\n"
              "1,Hispasat,30.0W,67.9,85.4,53.3,64.6,33.7,Universal,DiSEQC1.0 LNB2,AUTO,"
              "11362 H 22000; 12188 V 27500\n"
              "2,\"A \"\"B\"\", C\",75.0W,308.1,325.6,66.0,-50.1,,Customized,None,ON,\n"
              "3,\"Caf\u00e9\nX\",120.0E,,,,,,,,,3840 V 1000\n"
              // Right on the site's meridian: azimuth and skew exactly 0, never "-0.0".
              "4,Sat4,59.0W,0.0,17.5,74.7,0.0,0.0,OCS,DiSEQC1.1 LNB16,OFF,\n");

    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_FALSE(table.rows[2].visible);
    EXPECT_FALSE(table.rows[2].motor); // a positioner, but nothing to turn to
    EXPECT_FALSE(table.rows[1].motor); // fixed dish
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
    EXPECT_EQ(PointingCsv(MakePointingTable(block, kDate)),
              "slot,name,position,azimuth,compass_azimuth,elevation,skew,motor,lnb_type,switch,"
              "tone_22k,transponders\n");
}

TEST(PointingTable, SwitchAndListLabels) {
    const struct {
        std::uint8_t switchType, switchInput;
        const char* text;
    } switches[] = {
        {0, 0, "None"},
        {0, 7, "None"}, // no switch: the input means nothing
        {1, 0, "DiSEQC1.0 LNB1"},
        {1, 3, "DiSEQC1.0 LNB4"},
        {1, 4, ""},
        {2, 15, "DiSEQC1.1 LNB16"},
        {2, 16, ""},
        {3, 0, ""},
    };
    for (const auto& s : switches) {
        SCOPED_TRACE(testing::Message() << int{s.switchType} << "/" << int{s.switchInput});
        const SettingsBlock block =
            Block({{"X", 300, kWest, 0, s.switchType, s.switchInput, 0, 0, {}}});
        EXPECT_EQ(MakePointingTable(block, kDate).rows[0].switchText, s.text);
    }
    const SettingsBlock block =
        Block({{"X", 300, kWest, 10, 0, 0, 1, 0, {}}, {"Y", 300, kWest, 255, 0, 0, 255, 0, {}}});
    const PointingTable table = MakePointingTable(block, kDate);
    EXPECT_EQ(table.rows[0].lnbType, "UNICABLE_B2");
    EXPECT_EQ(table.rows[0].tone, "OFF");
    EXPECT_EQ(table.rows[1].lnbType, "");
    EXPECT_EQ(table.rows[1].tone, "");
}

TEST(PointingTable, NamesBecomeValidUtf8AndAreQuotedWhenNeeded) {
    const struct {
        const char* bytes;
        const char* field;
    } names[] = {
        {"Astra", "Astra"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"\xe9t\xe9", "\u00e9t\u00e9"}, // Latin-1, as the window shows it
        {"\xc3\xa9", "\u00c3\u00a9"},   // the window shows these bytes as two characters
        {"\x80\xff", "\u0080\u00ff"},
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name.bytes);
        const SettingsBlock block = Block({{name.bytes, 300, kWest, 0, 0, 0, 0, 0, {}}});
        const std::string csv = PointingCsv(MakePointingTable(block, kDate));
        const std::size_t row = csv.find("\n1,") + 3;
        EXPECT_EQ(csv.substr(row, std::string(name.field).size() + 1),
                  std::string(name.field) + ",");
    }
}

TEST(PointingTable, AnglesToATenthWithoutLocaleOrNegativeZero) {
    const struct {
        std::string (*format)(double);
        double value;
        const char* text;
    } cases[] = {
        {TenthText, 14.84, "14.8"},
        {TenthText, 14.86, "14.9"},
        {TenthText, -3.0, "-3.0"},
        {TenthText, -0.04, "0.0"},
        {TenthText, -0.0, "0.0"},
        {TenthText, -0.06, "-0.1"},
        {TenthText, 359.94, "359.9"},
        {TenthText, 1234.56, "1234.6"},
        {TenthText, -179.96, "-180.0"},
        {SkewText, 14.8, "Turn the LNB 14.8\u00b0 clockwise, seen from behind the dish"},
        {SkewText, -7.25, "Turn the LNB 7.3\u00b0 counter-clockwise, seen from behind the dish"},
        {SkewText, 0.049, "no skew"},
        {SkewText, -0.049, "no skew"},
        {SkewText, 0.06, "Turn the LNB 0.1\u00b0 clockwise, seen from behind the dish"},
        {MotorText, 12.3, "Motor 12.3\u00b0 E"},
        {MotorText, -4.04, "Motor 4.0\u00b0 W"},
        {MotorText, -0.04, "Motor 0.0\u00b0"},
        {MotorText, 179.2, "Motor 179.2\u00b0 E"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.format(c.value), c.text);
    }
}
