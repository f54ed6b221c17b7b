#pragma once

#include "model/MeterData.h"

#include <string>

// Where to point a dish at a geostationary satellite, on a spherical Earth.
struct LookAngles {
    bool visible;     // false: the satellite is below the horizon
    double azimuth;   // degrees clockwise from true north, 0 <= azimuth < 360
    double elevation; // degrees above the horizon
    double skew;      // LNB rotation in degrees; positive is clockwise seen from behind the dish
};

// Longitudes east-positive and latitude north-positive, all in degrees.
LookAngles ComputeLookAngles(double siteLongitude, double siteLatitude, double satelliteLongitude);

// Signed degrees from the stored tenths and letters ('W' and 'S' negative; any other letter
// counts as the first of its pair, as the loader reads it).
double SiteLongitudeDegrees(const LocalPosition& position);
double SiteLatitudeDegrees(const LocalPosition& position);
double SatelliteLongitudeDegrees(const SatelliteRecord& record);
// The same in whole tenths, and the tenths between two such positions the short way round, so
// that positions compare across 0 and 180 degrees alike.
int SatelliteLongitudeTenths(const SatelliteRecord& record);
int TenthsApart(int a, int b);

// The rotation of a polar-mount motor (USALS, DiSEqC 1.2) from the site's meridian to the
// satellite, degrees, east positive: atan2(Rs sin(dL), Rs cos(dL) - Re cos(latitude)) with dL
// the satellite's longitude less the site's, Rs = 42164.2 km and Re = 6378.137 km.
double MotorAngle(double siteLongitude, double siteLatitude, double satelliteLongitude);
// Whether the record's positioner is a motor: "USALS" or "DiSEQC1.2".
bool TurnsByMotor(const SatelliteRecord& record);

// The bearing a compass shows for a true azimuth where magnetic north lies declination degrees
// east of true north: 0 <= bearing < 360, and never one that shows as 360.0 to a tenth.
double CompassBearing(double azimuth, double declination);

// Angles to one decimal with '.' whatever the locale, never "-0.0": "14.8", "-3.0".
std::string TenthText(double value);
// "Turn the LNB 14.8° clockwise, seen from behind the dish", "... counter-clockwise, ...", or
// "no skew" when it rounds to 0.0.
std::string SkewText(double skew);
// "Motor 12.3° E" or "Motor 4.0° W"; "Motor 0.0°" when it rounds to 0.0.
std::string MotorText(double motor);

// The orbital position as the windows show it, UTF-8: "19.2° E" from the stored tenths and
// letter ('W' west, any other letter east).
std::string OrbitalPositionText(const SatelliteRecord& record);

// The dish position as the sheet and the check show it, UTF-8: "48.1° N, 11.6° E".
std::string SiteText(const LocalPosition& position);

// The tooltip text, UTF-8, one item a line: "115.5° E", then either "below the horizon" or
// "Azimuth 158.7° true, 154.2° by compass", "Elevation 31.2°", the skew in words (SkewText) and,
// for a USALS or DiSEQC1.2 positioner, the motor angle (MotorText). The compass bearing takes
// the declination at the site on the date decimalYear.
std::string PointingHint(const LocalPosition& position, const SatelliteRecord& record,
                         double decimalYear);
