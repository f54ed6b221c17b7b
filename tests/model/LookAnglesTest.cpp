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

TEST(LookAngles, HintShowsPositionThenAnglesToATenthOrBelowTheHorizon) {
    SatelliteRecord satellite = MakeNewSatellite("x");
    satellite.longitude = 282;
    const LocalPosition london{1, kWest, 0, 515, kNorth, 0};
    EXPECT_EQ(PointingHint(london, satellite),
              "28.2\u00b0 E\nAzimuth: 145.5\u00b0\nElevation: 25.4\u00b0\nLNB skew: -20.8\u00b0");
    satellite.longitude = 1800; // 'W' turns the satellite to the other side of the world
    satellite.direction = kWest;
    const LocalPosition equator{0, kEast, 0, 0, kNorth, 0};
    EXPECT_EQ(PointingHint(equator, satellite), "180.0\u00b0 W\nbelow the horizon");
}
