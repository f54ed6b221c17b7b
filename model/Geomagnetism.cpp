#include "model/Geomagnetism.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kEpoch = 2025.0;
constexpr double kPeriodEnd = 2030.0;
constexpr int kDegree = 12;
constexpr double kReferenceRadiusKm = 6371.2; // the model's own sphere, not the ellipsoid
constexpr double kSemiMajorAxisKm = 6378.137; // WGS84
constexpr double kFlattening = 1.0 / 298.257223563;

struct Coefficient {
    int n, m;
    double g, h, gDot, hDot; // nT at the epoch, nT per year
};

// The WMM2025 coefficient file ("2025.0 WMM-2025 11/13/2024"), line for line: degree, order,
// g, h and their secular variation.
constexpr std::array<Coefficient, 90> kCoefficients = {{
    {1, 0, -29351.8, 0.0, 12.0, 0.0},    {1, 1, -1410.8, 4545.4, 9.7, -21.5},
    {2, 0, -2556.6, 0.0, -11.6, 0.0},    {2, 1, 2951.1, -3133.6, -5.2, -27.7},
    {2, 2, 1649.3, -815.1, -8.0, -12.1}, {3, 0, 1361.0, 0.0, -1.3, 0.0},
    {3, 1, -2404.1, -56.6, -4.2, 4.0},   {3, 2, 1243.8, 237.5, 0.4, -0.3},
    {3, 3, 453.6, -549.5, -15.6, -4.1},  {4, 0, 895.0, 0.0, -1.6, 0.0},
    {4, 1, 799.5, 278.6, -2.4, -1.1},    {4, 2, 55.7, -133.9, -6.0, 4.1},
    {4, 3, -281.1, 212.0, 5.6, 1.6},     {4, 4, 12.1, -375.6, -7.0, -4.4},
    {5, 0, -233.2, 0.0, 0.6, 0.0},       {5, 1, 368.9, 45.4, 1.4, -0.5},
    {5, 2, 187.2, 220.2, 0.0, 2.2},      {5, 3, -138.7, -122.9, 0.6, 0.4},
    {5, 4, -142.0, 43.0, 2.2, 1.7},      {5, 5, 20.9, 106.1, 0.9, 1.9},
    {6, 0, 64.4, 0.0, -0.2, 0.0},        {6, 1, 63.8, -18.4, -0.4, 0.3},
    {6, 2, 76.9, 16.8, 0.9, -1.6},       {6, 3, -115.7, 48.8, 1.2, -0.4},
    {6, 4, -40.9, -59.8, -0.9, 0.9},     {6, 5, 14.9, 10.9, 0.3, 0.7},
    {6, 6, -60.7, 72.7, 0.9, 0.9},       {7, 0, 79.5, 0.0, 0.0, 0.0},
    {7, 1, -77.0, -48.9, -0.1, 0.6},     {7, 2, -8.8, -14.4, -0.1, 0.5},
    {7, 3, 59.3, -1.0, 0.5, -0.8},       {7, 4, 15.8, 23.4, -0.1, 0.0},
    {7, 5, 2.5, -7.4, -0.8, -1.0},       {7, 6, -11.1, -25.1, -0.8, 0.6},
    {7, 7, 14.2, -2.3, 0.8, -0.2},       {8, 0, 23.2, 0.0, -0.1, 0.0},
    {8, 1, 10.8, 7.1, 0.2, -0.2},        {8, 2, -17.5, -12.6, 0.0, 0.5},
    {8, 3, 2.0, 11.4, 0.5, -0.4},        {8, 4, -21.7, -9.7, -0.1, 0.4},
    {8, 5, 16.9, 12.7, 0.3, -0.5},       {8, 6, 15.0, 0.7, 0.2, -0.6},
    {8, 7, -16.8, -5.2, 0.0, 0.3},       {8, 8, 0.9, 3.9, 0.2, 0.2},
    {9, 0, 4.6, 0.0, 0.0, 0.0},          {9, 1, 7.8, -24.8, -0.1, -0.3},
    {9, 2, 3.0, 12.2, 0.1, 0.3},         {9, 3, -0.2, 8.3, 0.3, -0.3},
    {9, 4, -2.5, -3.3, -0.3, 0.3},       {9, 5, -13.1, -5.2, 0.0, 0.2},
    {9, 6, 2.4, 7.2, 0.3, -0.1},         {9, 7, 8.6, -0.6, -0.1, -0.2},
    {9, 8, -8.7, 0.8, 0.1, 0.4},         {9, 9, -12.9, 10.0, -0.1, 0.1},
    {10, 0, -1.3, 0.0, 0.1, 0.0},        {10, 1, -6.4, 3.3, 0.0, 0.0},
    {10, 2, 0.2, 0.0, 0.1, 0.0},         {10, 3, 2.0, 2.4, 0.1, -0.2},
    {10, 4, -1.0, 5.3, 0.0, 0.1},        {10, 5, -0.6, -9.1, -0.3, -0.1},
    {10, 6, -0.9, 0.4, 0.0, 0.1},        {10, 7, 1.5, -4.2, -0.1, 0.0},
    {10, 8, 0.9, -3.8, -0.1, -0.1},      {10, 9, -2.7, 0.9, 0.0, 0.2},
    {10, 10, -3.9, -9.1, 0.0, 0.0},      {11, 0, 2.9, 0.0, 0.0, 0.0},
    {11, 1, -1.5, 0.0, 0.0, 0.0},        {11, 2, -2.5, 2.9, 0.0, 0.1},
    {11, 3, 2.4, -0.6, 0.0, 0.0},        {11, 4, -0.6, 0.2, 0.0, 0.1},
    {11, 5, -0.1, 0.5, -0.1, 0.0},       {11, 6, -0.6, -0.3, 0.0, 0.0},
    {11, 7, -0.1, -1.2, 0.0, 0.1},       {11, 8, 1.1, -1.7, -0.1, 0.0},
    {11, 9, -1.0, -2.9, -0.1, 0.0},      {11, 10, -0.2, -1.8, -0.1, 0.0},
    {11, 11, 2.6, -2.3, -0.1, 0.0},      {12, 0, -2.0, 0.0, 0.0, 0.0},
    {12, 1, -0.2, -1.3, 0.0, 0.0},       {12, 2, 0.3, 0.7, 0.0, 0.0},
    {12, 3, 1.2, 1.0, 0.0, -0.1},        {12, 4, -1.3, -1.4, 0.0, 0.1},
    {12, 5, 0.6, 0.0, 0.0, 0.0},         {12, 6, 0.6, 0.6, 0.1, 0.0},
    {12, 7, 0.5, -0.1, 0.0, 0.0},        {12, 8, -0.1, 0.8, 0.0, 0.0},
    {12, 9, -0.4, 0.1, 0.0, 0.0},        {12, 10, -0.2, -1.0, -0.1, 0.0},
    {12, 11, -1.3, 0.1, 0.0, 0.0},       {12, 12, -0.7, 0.2, -0.1, -0.1},
}};

constexpr int Index(int n, int m) {
    return n * (n + 1) / 2 + m;
}
constexpr int kTerms = Index(kDegree, kDegree) + 1;

static_assert(kCoefficients.front().n == 1 && kCoefficients.back().n == kDegree &&
              kCoefficients.back().m == kDegree);

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Schmidt semi-normalised associated Legendre functions of cos(colatitude) and their
// derivatives by the colatitude, by the standard recurrences in degree.
struct Legendre {
    std::array<double, kTerms> p{}, dp{};
};

Legendre LegendreFunctions(double cosTheta, double sinTheta) {
    Legendre l;
    l.p[0] = 1.0;
    l.dp[0] = 0.0;
    for (int n = 1; n <= kDegree; ++n) {
        for (int m = 0; m < n; ++m) {
            const double root = std::sqrt(static_cast<double>(n * n - m * m));
            const double back = std::sqrt(static_cast<double>((n - 1) * (n - 1) - m * m));
            const double p2 = n >= 2 && m <= n - 2 ? l.p[Index(n - 2, m)] : 0.0;
            const double dp2 = n >= 2 && m <= n - 2 ? l.dp[Index(n - 2, m)] : 0.0;
            const double p1 = l.p[Index(n - 1, m)];
            const double dp1 = l.dp[Index(n - 1, m)];
            l.p[Index(n, m)] = ((2 * n - 1) * cosTheta * p1 - back * p2) / root;
            l.dp[Index(n, m)] =
                ((2 * n - 1) * (cosTheta * dp1 - sinTheta * p1) - back * dp2) / root;
        }
        // The sectoral term; its factor differs at n = 1 because m > 0 carries a sqrt(2).
        const double k = n == 1 ? 1.0 : std::sqrt((2.0 * n - 1.0) / (2.0 * n));
        const double p1 = l.p[Index(n - 1, n - 1)];
        const double dp1 = l.dp[Index(n - 1, n - 1)];
        l.p[Index(n, n)] = k * sinTheta * p1;
        l.dp[Index(n, n)] = k * (cosTheta * p1 + sinTheta * dp1);
    }
    return l;
}

} // namespace

double MagneticDeclinationAtHeight(double latitude, double longitude, double heightKm,
                                   double decimalYear) {
    // A latitude read from a damaged file may lie past a pole; the nearest pole stands in.
    const double lat = Radians(std::clamp(latitude, -90.0, 90.0));
    const double lon = Radians(longitude);

    // Geodetic to geocentric: the model is a sum over a sphere.
    const double e2 = kFlattening * (2.0 - kFlattening);
    const double sinLat = std::sin(lat);
    const double cosLat = std::cos(lat);
    const double rc = kSemiMajorAxisKm / std::sqrt(1.0 - e2 * sinLat * sinLat);
    const double p = (rc + heightKm) * cosLat;
    const double z = (rc * (1.0 - e2) + heightKm) * sinLat;
    const double r = std::hypot(p, z);
    const double cosTheta = z / r; // sine of the geocentric latitude
    const double sinTheta = p / r; // its cosine, >= 0

    const Legendre l = LegendreFunctions(cosTheta, sinTheta);
    std::array<double, kDegree + 1> cosM{}, sinM{};
    for (int m = 0; m <= kDegree; ++m) {
        cosM[m] = std::cos(m * lon);
        sinM[m] = std::sin(m * lon);
    }

    const double t = decimalYear - kEpoch;
    const double ratio = kReferenceRadiusKm / r;
    double north = 0.0; // geocentric components, nT
    double east = 0.0;
    double down = 0.0;
    double power = ratio * ratio; // (a / r)^(n + 2), starting at n = 0
    int lastN = 0;
    for (const Coefficient& c : kCoefficients) {
        if (c.n != lastN) {
            power *= ratio;
            lastN = c.n;
        }
        const double g = c.g + t * c.gDot;
        const double h = c.h + t * c.hDot;
        const int i = Index(c.n, c.m);
        const double wave = g * cosM[c.m] + h * sinM[c.m];
        north += power * wave * l.dp[i];
        east += power * c.m * (g * sinM[c.m] - h * cosM[c.m]) * l.p[i];
        down -= power * (c.n + 1) * wave * l.p[i];
    }
    // Every east term carries sin(theta) in P, so the quotient stays finite towards the poles.
    east = sinTheta > 0.0 ? east / sinTheta : 0.0;

    // Back to the geodetic frame: a rotation in the meridian plane by the latitudes' difference.
    const double psi = std::asin(cosTheta) - lat;
    const double x = north * std::cos(psi) - down * std::sin(psi);
    return std::atan2(east, x) * 180.0 / std::numbers::pi;
}

double MagneticDeclination(double latitude, double longitude, double decimalYear) {
    return MagneticDeclinationAtHeight(latitude, longitude, 0.0, decimalYear);
}

bool WithinMagneticModelPeriod(double decimalYear) {
    return decimalYear >= kEpoch && decimalYear < kPeriodEnd;
}

double DecimalYear(int year, int month, int day) {
    static constexpr std::array<int, 12> kDaysBefore = {0,   31,  59,  90,  120, 151,
                                                        181, 212, 243, 273, 304, 334};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int monthIndex = std::clamp(month, 1, 12) - 1;
    const int dayOfYear = kDaysBefore[monthIndex] + (leap && monthIndex >= 2 ? 1 : 0) + day;
    return year + (dayOfYear - 1) / (leap ? 366.0 : 365.0);
}
