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

// The tooltip text, UTF-8: "115.5° E", then either the three angles to a tenth of a degree or
// "below the horizon".
std::string PointingHint(const LocalPosition& position, const SatelliteRecord& record);
