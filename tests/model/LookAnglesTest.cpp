#include "model/LookAngles.h"

#include <gtest/gtest.h>

// Worked out by hand from the closed-form look-angle formulas for a spherical Earth
// (Earth radius 6378.137 km, orbit radius 42164.17 km).
TEST(LookAngles, MatchHandComputedReferences) {
    const double references[][6] = {
        // site longitude, site latitude, satellite longitude, azimuth, elevation, skew
        {-0.1, 51.5, 28.2, 145.472, 25.382, -20.841},  // London, 28.2 E
        {151.2, -33.9, 156.0, 8.562, 50.252, 7.131},   // Sydney, 156.0 E
        {13.4, 52.5, -30.0, 230.005, 17.979, 28.047}}; // Berlin, 30.0 W
    for (const auto& ref : references) {
        SCOPED_TRACE(ref[0]);
        const LookAngles angles = ComputeLookAngles(ref[0], ref[1], ref[2]);
        EXPECT_TRUE(angles.visible);
        EXPECT_NEAR(angles.azimuth, ref[3], 0.01);
        EXPECT_NEAR(angles.elevation, ref[4], 0.01);
        EXPECT_NEAR(angles.skew, ref[5], 0.01);
    }
    EXPECT_NEAR(ComputeLookAngles(19.2, 0.0, 19.2).elevation, 90.0, 1e-9); // right overhead
    EXPECT_FALSE(ComputeLookAngles(0.0, 90.0, 0.0).visible);
    // The horizon lies 81.3 degrees of longitude away on the equator (acos(Re/r)).
    EXPECT_TRUE(ComputeLookAngles(0.0, 0.0, 81.0).visible);
    EXPECT_FALSE(ComputeLookAngles(0.0, 0.0, 81.6).visible);
}

// At 13.0 S, 59.0 W on 2027-07-02 the model's published declination is 17.49 W; the angles
// were worked out apart from the code (closed-form azimuth and elevation, the skew's
// definition, the motor formula).
TEST(LookAngles, HintGivesTrueAndCompassAzimuthSkewInWordsAndMotor) {
    const struct {
        std::uint16_t longitude;
        std::uint8_t direction, positioner;
        const char* hint;
    } cases[] = {
        {750, kWest, 2,
         "75.0\u00b0 W\nAzimuth 308.1\u00b0 true, 325.6\u00b0 by compass\nElevation 66.0\u00b0\n"
         "Turn the LNB 50.1\u00b0 counter-clockwise, seen from behind the dish\n"
         "Motor 18.7\u00b0 W"},
        {590, kWest, 0,
         "59.0\u00b0 W\nAzimuth 0.0\u00b0 true, 17.5\u00b0 by compass\nElevation 74.7\u00b0\n"
         "no skew"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.longitude);
        SatelliteRecord satellite = MakeNewSatellite("x");
        satellite.longitude = c.longitude;
        satellite.direction = c.direction;
        satellite.positionType = c.positioner;
        EXPECT_EQ(PointingHint({590, kWest, 0, 130, kSouth, 0}, satellite, 2027.5), c.hint);
    }
}

TEST(LookAngles, SiteTextNamesTheHemispheresFirstLatitude) {
    EXPECT_EQ(SiteText({590, kWest, 0, 130, kSouth, 0}), "13.0\u00b0 S, 59.0\u00b0 W");
    EXPECT_EQ(SiteText({116, kEast, 0, 481, kNorth, 0}), "48.1\u00b0 N, 11.6\u00b0 E");
}

// Motor angles from the formula, worked out apart: east positive, the shorter way round
// across 180 degrees, and at a pole the plain difference in longitude.
TEST(LookAngles, MotorAngleFromTheMeridianEastPositive) {
    // site longitude, site latitude, satellite longitude, motor angle
    const double cases[][4] = {{-0.1, 51.5, 28.2, 31.0869},
                               {0.0, 90.0, 30.0, 30.0},
                               {170.0, 40.0, -170.0, 22.5466},
                               {-170.0, 40.0, 170.0, -22.5466}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << ", " << c[1] << " -> " << c[2]);
        EXPECT_NEAR(MotorAngle(c[0], c[1], c[2]), c[3], 1e-3);
    }
}

TEST(LookAngles, CompassBearingWrapsAndNeverShows360) {
    const double cases[][3] = {
        // true azimuth, declination, compass bearing
        {158.7, 4.5, 154.2},  {10.0, 15.0, 355.0}, {350.0, -20.0, 10.0},
        {359.9, -0.1, 0.0},   {0.02, 0.05, 0.0}, // 359.97 would show as 360.0
        {0.0, -17.49, 17.49}, {180.0, 0.0, 180.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << " less " << c[1]);
        EXPECT_NEAR(CompassBearing(c[0], c[1]), c[2], 1e-9);
    }
}
