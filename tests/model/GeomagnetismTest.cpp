#include "model/Geomagnetism.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TestPoint {
    double year, heightKm, latitude, longitude, declination;
};

// The model's published test values (date, height above the ellipsoid in km, latitude,
// longitude, declination in degrees), all hundred of them.
constexpr TestPoint kPublished[] = {
    {2025.0, 28, 89, -121, -99.77},  {2025.0, 48, 80, -96, -29.91},  {2025.0, 54, 82, 87, 54.89},
    {2025.0, 65, 43, 93, 0.50},      {2025.0, 51, -33, 109, -5.49},  {2025.0, 39, -59, -8, -15.75},
    {2025.0, 3, -50, -103, 27.96},   {2025.0, 94, -29, -110, 15.74}, {2025.0, 66, 14, 143, -0.19},
    {2025.0, 18, 0, 21, 1.29},       {2025.5, 6, -36, -137, 20.28},  {2025.5, 63, 26, 81, 0.51},
    {2025.5, 69, 38, -144, 12.93},   {2025.5, 50, -70, -133, 57.21}, {2025.5, 8, -52, -75, 14.91},
    {2025.5, 8, -66, 17, -33.14},    {2025.5, 22, -37, 140, 9.28},   {2025.5, 40, -12, -129, 10.76},
    {2025.5, 44, 33, -118, 11.10},   {2025.5, 50, -81, -67, 28.13},  {2026.0, 74, -57, 3, -22.51},
    {2026.0, 46, -24, -122, 14.01},  {2026.0, 69, 23, 63, 1.17},     {2026.0, 33, -3, -147, 9.71},
    {2026.0, 47, -72, -22, -6.32},   {2026.0, 62, -14, 99, -1.43},   {2026.0, 83, 86, -46, -30.61},
    {2026.0, 82, -64, 87, -81.74},   {2026.0, 34, -19, 43, -14.98},  {2026.0, 56, -81, 40, -59.77},
    {2026.5, 14, 0, 80, -3.10},      {2026.5, 12, -82, -68, 29.79},  {2026.5, 44, -46, -42, -11.36},
    {2026.5, 43, 17, 52, 1.19},      {2026.5, 64, 10, 78, -1.53},    {2026.5, 12, 33, -145, 11.96},
    {2026.5, 12, -79, 115, -137.58}, {2026.5, 14, -33, -114, 18.12}, {2026.5, 19, 29, 66, 2.24},
    {2026.5, 86, -11, 167, 10.24},   {2027.0, 37, -66, -5, -17.22},  {2027.0, 67, 72, -115, 13.73},
    {2027.0, 44, 22, 174, 6.46},     {2027.0, 54, 54, 178, 0.63},    {2027.0, 57, -43, 50, -48.27},
    {2027.0, 44, -43, -111, 24.31},  {2027.0, 12, -63, 178, 57.87},  {2027.0, 38, 27, -169, 8.48},
    {2027.0, 61, 59, -77, -16.48},   {2027.0, 67, -47, -32, -13.52}, {2027.5, 8, 62, 53, 19.39},
    {2027.5, 77, -68, -7, -16.19},   {2027.5, 98, -5, 159, 7.79},    {2027.5, 34, -29, -107, 15.64},
    {2027.5, 60, 27, 65, 1.85},      {2027.5, 73, -72, 95, -102.64}, {2027.5, 96, -46, -85, 17.93},
    {2027.5, 0, -13, -59, -17.49},   {2027.5, 16, 66, -178, 0.37},   {2027.5, 72, -87, 38, -65.44},
    {2028.0, 49, 20, 167, 5.10},     {2028.0, 71, 5, -13, -6.47},    {2028.0, 95, 14, 65, -0.51},
    {2028.0, 86, -85, -79, 41.09},   {2028.0, 30, -36, -64, -4.65},  {2028.0, 75, 79, 125, -18.59},
    {2028.0, 21, 6, -32, -14.34},    {2028.0, 1, -76, -75, 29.87},   {2028.0, 45, -46, -41, -11.68},
    {2028.0, 11, -22, -21, -23.24},  {2028.5, 28, 54, -120, 15.43},  {2028.5, 68, -58, 156, 41.57},
    {2028.5, 39, -65, -88, 29.45},   {2028.5, 27, -23, 81, -13.27},  {2028.5, 11, 34, 0, 1.57},
    {2028.5, 72, -62, 65, -67.87},   {2028.5, 55, 86, 70, 67.64},    {2028.5, 59, 32, 163, 0.15},
    {2028.5, 65, 48, 148, -9.55},    {2028.5, 95, 30, 28, 4.56},     {2029.0, 95, -60, -59, 8.58},
    {2029.0, 95, -70, 42, -55.06},   {2029.0, 50, 87, -154, -73.48}, {2029.0, 58, 32, 19, 4.11},
    {2029.0, 57, 34, -13, -1.89},    {2029.0, 38, -76, 49, -64.28},  {2029.0, 49, -50, -179, 32.11},
    {2029.0, 90, -55, -171, 38.65},  {2029.0, 41, 42, -19, -4.13},   {2029.0, 19, 46, -22, -5.65},
    {2029.5, 31, 13, -132, 9.04},    {2029.5, 93, -2, 158, 7.09},    {2029.5, 51, -76, 40, -56.34},
    {2029.5, 64, 22, -132, 10.23},   {2029.5, 26, -65, 55, -63.48},  {2029.5, 66, -21, 32, -14.63},
    {2029.5, 18, 9, -172, 9.24},     {2029.5, 63, 88, 26, 36.52},    {2029.5, 33, 17, 5, 0.89},
    {2029.5, 77, -18, 138, 4.45},
};

} // namespace

TEST(Geomagnetism, AgreesWithThePublishedTestValues) {
    int atSeaLevel = 0;
    for (const TestPoint& point : kPublished) {
        SCOPED_TRACE(testing::Message() << point.year << " " << point.heightKm << " km "
                                        << point.latitude << ", " << point.longitude);
        EXPECT_NEAR(MagneticDeclinationAtHeight(point.latitude, point.longitude, point.heightKm,
                                                point.year),
                    point.declination, 0.01);
        if (point.heightKm == 0.0) {
            ++atSeaLevel;
            EXPECT_NEAR(MagneticDeclination(point.latitude, point.longitude, point.year),
                        point.declination, 0.01);
        }
    }
    EXPECT_EQ(std::size(kPublished), 100u);
    EXPECT_GE(atSeaLevel, 1);
}

TEST(Geomagnetism, StaysFiniteAtThePolesAndPastThem) {
    // Latitudes come from the user's file: 6553.5 degrees is a possible stored value.
    for (const double latitude : {90.0, -90.0, 6553.5, -6553.5}) {
        SCOPED_TRACE(latitude);
        EXPECT_TRUE(std::isfinite(MagneticDeclination(latitude, 11.6, 2026.0)));
    }
    EXPECT_EQ(MagneticDeclination(6553.5, 11.6, 2026.0), MagneticDeclination(90.0, 11.6, 2026.0));
}

TEST(Geomagnetism, ModelPeriodAndDecimalYears) {
    const struct {
        double year;
        bool within;
    } periods[] = {{2024.999, false}, {2025.0, true}, {2029.999, true}, {2030.0, false}};
    for (const auto& period : periods) {
        SCOPED_TRACE(period.year);
        EXPECT_EQ(WithinMagneticModelPeriod(period.year), period.within);
    }

    const struct {
        int year, month, day;
        double decimal;
    } dates[] = {
        {2025, 1, 1, 2025.0},
        {2026, 12, 31, 2026.0 + 364.0 / 365.0},
        {2028, 7, 2, 2028.0 + 183.0 / 366.0}, // leap year: the 184th day
        {2028, 2, 29, 2028.0 + 59.0 / 366.0},
        {2100, 3, 1, 2100.0 + 59.0 / 365.0}, // a century is no leap year ...
        {2000, 3, 1, 2000.0 + 60.0 / 366.0}, // ... unless it divides by 400
    };
    for (const auto& date : dates) {
        SCOPED_TRACE(testing::Message() << date.year << "-" << date.month << "-" << date.day);
        EXPECT_DOUBLE_EQ(DecimalYear(date.year, date.month, date.day), date.decimal);
    }
}
