#pragma once

#include "model/LookAngles.h"
#include "model/MeterData.h"

#include <optional>
#include <string>
#include <vector>

// What a pointing sheet shows of one satellite in use.
struct PointingRow {
    int slot;             // 0-based
    std::string name;     // the record's name bytes as valid UTF-8 (Latin-1 read as such)
    std::string position; // "19.2E"
    bool visible;         // above the horizon
    // Degrees, unrounded, valid when visible: azimuth true and by compass (0 <= a < 360),
    // elevation, skew (positive clockwise seen from behind the dish).
    double azimuth, compassAzimuth, elevation, skew;
    std::optional<double> motor; // east positive; positioner USALS or DiSEQC1.2, and visible
    // List labels ("Universal", "AUTO"); "" for a code outside its list. The switch is "None"
    // or its type and input, "DiSEQC1.0 LNB2".
    std::string lnbType, switchText, tone;
    std::vector<std::string> transponders; // "11362 H 22000", the record's first tpCount
};

struct PointingTable {
    double decimalYear;
    double declination; // degrees, east positive, at the site on that date
    bool withinModelPeriod;
    std::vector<PointingRow> rows; // the satellites in use, in slot order
};

// The sheet's numbers for the block's site and satellites in use, on the date decimalYear.
PointingTable MakePointingTable(const SettingsBlock& block, double decimalYear);

// The sheet as CSV: UTF-8, RFC 4180 quoting, LF line ends, one row per satellite in use.
std::string PointingCsv(const PointingTable& table);
