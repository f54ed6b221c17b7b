#pragma once

// Declination in degrees, east positive, at sea level on the WGS84 ellipsoid, by the World
// Magnetic Model 2025. Latitude north and longitude east positive, degrees; the date as a
// decimal year: year + (day of the year - 1) / days in that year.
double MagneticDeclination(double latitude, double longitude, double decimalYear);
// The model's period: 2025.0 <= decimalYear < 2030.0. Outside it the value is extrapolated.
bool WithinMagneticModelPeriod(double decimalYear);

// The decimal year of a calendar date (Gregorian; month 1..12, day 1..31), as the model takes
// it: 2025-01-01 is 2025.0, 2028-07-02 is 2028 + 183 / 366.
double DecimalYear(int year, int month, int day);

// The same declination at a height in km above the ellipsoid, for checks against the model's
// published values at heights other than sea level.
double MagneticDeclinationAtHeight(double latitude, double longitude, double heightKm,
                                   double decimalYear);
