#include "model/LookAngles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Reference {
    const char* name;
    double siteLongitude, siteLatitude, satelliteLongitude;
    double azimuth, elevation, skew;
};

// Worked out by hand from the closed-form look-angle formulas for a spherical Earth
// (Earth radius 6378.137 km, orbit radius 42164.17 km):
//   El = atan((cos dL cos phi - Re/r) / sqrt(1 - cos^2 dL cos^2 phi)),
//   Az = 180 - atan(tan dL / sin phi) north of the equator, atan(tan dL / sin|phi|) south of it,
//   skew = atan2(-cos phi sin dL |L|, sin phi (r - Re cos dL cos phi)), folded into (-90, 90],
//   with dL the satellite's longitude minus the site's and |L| the slant range
//   sqrt(r^2 + Re^2 - 2 r Re cos dL cos phi).
const Reference kReferences[] = {
    {"London, 28.2 E", -0.1, 51.5, 28.2, 145.472, 25.382, -20.841},
    {"London, 19.2 E", -0.1, 51.5, 19.2, 155.893, 28.330, -14.856},
    {"Beijing, 115.5 E", 116.4, 39.9, 115.5, 181.403, 43.826, 1.083},
    {"New York, 101.0 W", -74.0, 40.7, -101.0, 218.003, 35.411, 28.007},
    {"Sydney, 156.0 E", 151.2, -33.9, 156.0, 8.562, 50.252, 7.131},
    {"Berlin, 30.0 W", 13.4, 52.5, -30.0, 230.005, 17.979, 28.047},
};

TEST(LookAngles, MatchClosedFormReferences) {
    for (const Reference& ref : kReferences) {
        SCOPED_TRACE(ref.name);
        const LookAngles angles =
            ComputeLookAngles(ref.siteLongitude, ref.siteLatitude, ref.satelliteLongitude);
        EXPECT_TRUE(angles.visible);
        EXPECT_NEAR(angles.azimuth, ref.azimuth, 0.01);
        EXPECT_NEAR(angles.elevation, ref.elevation, 0.01);
        EXPECT_NEAR(angles.skew, ref.skew, 0.01);
    }
}

TEST(LookAngles, DishOnTheEquatorUnderTheSatelliteLooksStraightUp) {
    const LookAngles angles = ComputeLookAngles(19.2, 0.0, 19.2);
    EXPECT_TRUE(angles.visible);
    EXPECT_NEAR(angles.elevation, 90.0, 1e-9);
    EXPECT_NEAR(angles.skew, 0.0, 1e-9);
}

TEST(LookAngles, DueSouthHasNoSkewAndTheGeometricElevation) {
    // Same meridian, 45 N: El = atan((cos 45 - Re/r) / sin 45).
    const LookAngles angles = ComputeLookAngles(10.0, 45.0, 10.0);
    const double expected =
        std::atan((std::cos(M_PI / 4) - 6378.137 / 42164.17) / std::sin(M_PI / 4)) * 180 / M_PI;
    EXPECT_NEAR(angles.azimuth, 180.0, 1e-9);
    EXPECT_NEAR(angles.elevation, expected, 1e-9);
    EXPECT_NEAR(angles.skew, 0.0, 1e-9);
}

TEST(LookAngles, EquatorLooksDueEastOrWestWithAQuarterTurnSkew) {
    const LookAngles east = ComputeLookAngles(0.0, 0.0, 40.0);
    EXPECT_NEAR(east.azimuth, 90.0, 1e-9);
    EXPECT_NEAR(std::fabs(east.skew), 90.0, 1e-9);
    const LookAngles west = ComputeLookAngles(0.0, 0.0, -40.0);
    EXPECT_NEAR(west.azimuth, 270.0, 1e-9);
}

TEST(LookAngles, BelowTheHorizonFromThePoleOrTheFarSide) {
    EXPECT_FALSE(ComputeLookAngles(0.0, 90.0, 0.0).visible);
    EXPECT_FALSE(ComputeLookAngles(0.0, 0.0, 180.0).visible);
    // The horizon lies 81.3 degrees of longitude away on the equator (acos(Re/r)).
    EXPECT_TRUE(ComputeLookAngles(0.0, 0.0, 81.0).visible);
    EXPECT_FALSE(ComputeLookAngles(0.0, 0.0, 81.6).visible);
}

SatelliteRecord Satellite(std::uint16_t tenths, std::uint8_t direction) {
    SatelliteRecord record = MakeNewSatellite("x");
    record.longitude = tenths;
    record.direction = direction;
    return record;
}

TEST(PointingHint, ShowsPositionThenAnglesToATenth) {
    LocalPosition london{1, kWest, 0, 515, kNorth, 0};
    EXPECT_EQ(PointingHint(london, Satellite(282, kEast)),
              "28.2\u00b0 E\nAzimuth: 145.5\u00b0\nElevation: 25.4\u00b0\nLNB skew: -20.8\u00b0");
}

TEST(PointingHint, BelowTheHorizonAndLettersAsTheLoaderReadsThem) {
    LocalPosition pole{0, kEast, 0, 900, kNorth, 0};
    EXPECT_EQ(PointingHint(pole, Satellite(1155, kEast)), "115.5\u00b0 E\nbelow the horizon");
    // A stray letter counts as East; 'W' turns the satellite to the other side of the world.
    LocalPosition equator{0, 0x20, 0, 0, 0x20, 0};
    EXPECT_EQ(PointingHint(equator, Satellite(0, 0x20)),
              "0.0\u00b0 E\nAzimuth: 0.0\u00b0\nElevation: 90.0\u00b0\nLNB skew: 0.0\u00b0");
    EXPECT_EQ(PointingHint(equator, Satellite(1800, kWest)), "180.0\u00b0 W\nbelow the horizon");
}

} // namespace
