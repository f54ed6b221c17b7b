#include "model/LookAngles.h"

#include "model/Geomagnetism.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double kEarthRadiusKm = 6378.137;
constexpr double kGeoRadiusKm = 42164.17; // from the Earth's centre
// Below this elevation a dish cannot be aimed usefully; it also avoids a skew read off a
// line of sight that grazes the horizon.
constexpr double kMinElevation = 0.0;

struct Vec {
    double x, y, z;
};
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(double k, Vec a) {
    return {k * a.x, k * a.y, k * a.z};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec Unit(Vec a) {
    return (1.0 / std::sqrt(Dot(a, a))) * a;
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}
double Degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// Rounds to a tenth and turns -0.0 into 0.0, so that the text never shows "-0.0".
double Tenth(double value) {
    const double rounded = std::round(value * 10.0) / 10.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

} // namespace

LookAngles ComputeLookAngles(double siteLongitude, double siteLatitude, double satelliteLongitude) {
    const double lon = Radians(siteLongitude);
    const double lat = Radians(siteLatitude);
    const double satLon = Radians(satelliteLongitude);

    // Earth-centred frame: x towards 0° longitude, z towards the north pole.
    const Vec up = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    const Vec east = {-std::sin(lon), std::cos(lon), 0.0};
    const Vec north = Cross(up, east);
    const Vec site = kEarthRadiusKm * up;
    const Vec satellite = {kGeoRadiusKm * std::cos(satLon), kGeoRadiusKm * std::sin(satLon), 0.0};
    const Vec sight = Unit(satellite - site);

    LookAngles angles{};
    const double e = Dot(sight, east);
    const double n = Dot(sight, north);
    const double u = Dot(sight, up);
    angles.elevation = Degrees(std::atan2(u, std::hypot(e, n)));
    angles.visible = angles.elevation >= kMinElevation;
    double azimuth = Degrees(std::atan2(e, n));
    if (azimuth < 0.0) {
        azimuth += 360.0;
    }
    if (Tenth(azimuth) >= 360.0) {
        azimuth = 0.0; // 359.96 shows as 0.0, not 360.0
    }
    angles.azimuth = azimuth;

    // The satellite's vertical polarisation lies along the Earth's axis; the dish's vertical
    // is its own up direction. Both are seen across the line of sight, and the skew is the
    // angle from the dish's vertical to the satellite's, clockwise seen from behind the dish.
    const Vec axis = {0.0, 0.0, 1.0};
    const Vec satVertical = axis - Dot(axis, sight) * sight;
    const Vec dishVertical = up - Dot(up, sight) * sight;
    if (Dot(satVertical, satVertical) < 1e-18 || Dot(dishVertical, dishVertical) < 1e-18) {
        angles.skew = 0.0;
    } else {
        // Looking along the sight from behind the dish, a right-handed turn about it shows as
        // clockwise.
        angles.skew = Degrees(std::atan2(Dot(sight, Cross(dishVertical, satVertical)),
                                         Dot(dishVertical, satVertical)));
        // A polarisation is a line, not an arrow: half a turn is the same setting.
        if (angles.skew > 90.0) {
            angles.skew -= 180.0;
        } else if (angles.skew <= -90.0) {
            angles.skew += 180.0;
        }
    }
    return angles;
}

double SiteLongitudeDegrees(const LocalPosition& position) {
    const double degrees = position.longitude / 10.0;
    return position.longitudeDir == kWest ? -degrees : degrees;
}

double SiteLatitudeDegrees(const LocalPosition& position) {
    const double degrees = position.latitude / 10.0;
    return position.latitudeDir == kSouth ? -degrees : degrees;
}

double SatelliteLongitudeDegrees(const SatelliteRecord& record) {
    const double degrees = record.longitude / 10.0;
    return record.direction == kWest ? -degrees : degrees;
}

double MotorAngle(double siteLongitude, double siteLatitude, double satelliteLongitude) {
    constexpr double kMotorOrbitKm = 42164.2;
    const double dL = Radians(satelliteLongitude - siteLongitude);
    return Degrees(std::atan2(kMotorOrbitKm * std::sin(dL),
                              kMotorOrbitKm * std::cos(dL) -
                                  kEarthRadiusKm * std::cos(Radians(siteLatitude))));
}

bool TurnsByMotor(const SatelliteRecord& record) {
    constexpr std::uint8_t kUsals = 1;
    constexpr std::uint8_t kDiseqc12 = 2;
    return record.positionType == kUsals || record.positionType == kDiseqc12;
}

double CompassBearing(double azimuth, double declination) {
    double bearing = std::fmod(azimuth - declination, 360.0);
    if (bearing < 0.0) {
        bearing += 360.0;
    }
    // 359.96 shows as 0.0, not 360.0; fmod can also leave 360.0 itself after the addition.
    return Tenth(bearing) >= 360.0 ? 0.0 : bearing;
}

std::string TenthText(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15) {
        return "";
    }
    // Integer tenths, so that neither the locale's decimal point nor a "-0.0" can appear.
    const long long tenths = std::llround(value * 10.0);
    const long long magnitude = std::llabs(tenths);
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + '.' +
           std::to_string(magnitude % 10);
}

std::string SkewText(double skew) {
    if (std::llround(skew * 10.0) == 0) {
        return "no skew";
    }
    return "Turn the LNB " + TenthText(std::fabs(skew)) + "\u00b0 " +
           (skew > 0.0 ? "clockwise" : "counter-clockwise") + ", seen from behind the dish";
}

std::string MotorText(double motor) {
    if (std::llround(motor * 10.0) == 0) {
        return "Motor 0.0\u00b0";
    }
    return "Motor " + TenthText(std::fabs(motor)) + (motor > 0.0 ? "\u00b0 E" : "\u00b0 W");
}

int SatelliteLongitudeTenths(const SatelliteRecord& record) {
    return record.direction == kWest ? -static_cast<int>(record.longitude) : record.longitude;
}

int TenthsApart(int a, int b) {
    constexpr int kFullCircle = 3600;
    const int difference = ((a - b) % kFullCircle + kFullCircle) % kFullCircle;
    return std::min(difference, kFullCircle - difference);
}

std::string SiteText(const LocalPosition& position) {
    const double latitude = SiteLatitudeDegrees(position);
    const double longitude = SiteLongitudeDegrees(position);
    return TenthText(std::fabs(latitude)) + (latitude < 0.0 ? "\u00b0 S, " : "\u00b0 N, ") +
           TenthText(std::fabs(longitude)) + (longitude < 0.0 ? "\u00b0 W" : "\u00b0 E");
}

std::string OrbitalPositionText(const SatelliteRecord& record) {
    return std::to_string(record.longitude / 10u) + '.' + std::to_string(record.longitude % 10u) +
           (record.direction == kWest ? "\u00b0 W" : "\u00b0 E");
}

std::string PointingHint(const LocalPosition& position, const SatelliteRecord& record,
                         double decimalYear) {
    std::string text = OrbitalPositionText(record);
    const double siteLongitude = SiteLongitudeDegrees(position);
    const double siteLatitude = SiteLatitudeDegrees(position);
    const double satelliteLongitude = SatelliteLongitudeDegrees(record);
    const LookAngles angles = ComputeLookAngles(siteLongitude, siteLatitude, satelliteLongitude);
    if (!angles.visible) {
        return text + "\nbelow the horizon";
    }
    const double declination = MagneticDeclination(siteLatitude, siteLongitude, decimalYear);
    text += "\nAzimuth " + TenthText(angles.azimuth) + "\u00b0 true, " +
            TenthText(CompassBearing(angles.azimuth, declination)) + "\u00b0 by compass";
    text += "\nElevation " + TenthText(angles.elevation) + "\u00b0";
    text += "\n" + SkewText(angles.skew);
    if (TurnsByMotor(record)) {
        text += "\n" + MotorText(MotorAngle(siteLongitude, siteLatitude, satelliteLongitude));
    }
    return text;
}
