#include "model/PointingTable.h"

#include "model/Geomagnetism.h"
#include "model/LookAngles.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr std::uint8_t kSwitchNone = 0;

template <std::size_t N>
std::string Label(const std::array<const char*, N>& labels, std::uint8_t code) {
    return code < N ? labels[code] : "";
}

// The window shows names as Latin-1, so each byte is the character of that code; in UTF-8
// the upper half takes two bytes. The result is valid UTF-8 whatever the bytes.
std::string Latin1ToUtf8(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string PositionText(const SatelliteRecord& record) {
    return std::to_string(record.longitude / 10u) + '.' + std::to_string(record.longitude % 10u) +
           (record.direction == kWest ? 'W' : 'E');
}

std::string SwitchText(const SatelliteRecord& record) {
    if (record.switchType == kSwitchNone) {
        return kSwitchTypeLabels[kSwitchNone];
    }
    if (record.switchInput >= SwitchInputCount(record.switchType)) {
        return ""; // an unknown type counts no inputs, so it lands here too
    }
    return std::string(kSwitchTypeLabels[record.switchType]) + " LNB" +
           std::to_string(record.switchInput + 1);
}

std::string TransponderText(const TpEntry& tp) {
    // Polarisation letters other than V read as H, as the window's list shows them.
    return std::to_string(tp.frequency) + (tp.polarization == kVertical ? " V " : " H ") +
           std::to_string(tp.symbolRate);
}

// RFC 4180: a field with a comma, a quote or a line break goes in quotes, its quotes doubled.
void AppendField(std::string& line, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        line += field;
        return;
    }
    line += '"';
    for (const char c : field) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) {
            text += separator;
        }
        text += part;
    }
    return text;
}

} // namespace

PointingTable MakePointingTable(const SettingsBlock& block, double decimalYear) {
    PointingTable table{};
    table.decimalYear = decimalYear;
    const double siteLatitude = SiteLatitudeDegrees(block.localPosition);
    const double siteLongitude = SiteLongitudeDegrees(block.localPosition);
    table.declination = MagneticDeclination(siteLatitude, siteLongitude, decimalYear);
    table.withinModelPeriod = WithinMagneticModelPeriod(decimalYear);

    const int used = UsedSlots(block);
    table.rows.reserve(static_cast<std::size_t>(used));
    for (int slot = 0; slot < used; ++slot) {
        const SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        const double satelliteLongitude = SatelliteLongitudeDegrees(record);
        const LookAngles angles =
            ComputeLookAngles(siteLongitude, siteLatitude, satelliteLongitude);

        PointingRow row{};
        row.slot = slot;
        row.name = Latin1ToUtf8(NameText(record));
        row.position = PositionText(record);
        row.visible = angles.visible;
        row.azimuth = angles.azimuth;
        row.compassAzimuth = CompassBearing(angles.azimuth, table.declination);
        row.elevation = angles.elevation;
        row.skew = angles.skew;
        if (angles.visible && TurnsByMotor(record)) {
            row.motor = MotorAngle(siteLongitude, siteLatitude, satelliteLongitude);
        }
        row.lnbType = Label(kLnbTypeLabels, record.lnbType);
        row.switchText = SwitchText(record);
        row.tone = Label(kTone22kLabels, record.tone22k);
        for (int tp = 0; tp < UsedTps(record); ++tp) {
            row.transponders.push_back(TransponderText(record.tps[static_cast<std::size_t>(tp)]));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string PointingCsv(const PointingTable& table) {
    std::string csv = "slot,name,position,azimuth,compass_azimuth,elevation,skew,motor,lnb_type,"
                      "switch,tone_22k,transponders\n";
    for (const PointingRow& row : table.rows) {
        const bool shown = row.visible;
        const std::string fields[] = {
            std::to_string(row.slot + 1),
            row.name,
            row.position,
            shown ? TenthText(row.azimuth) : "",
            shown ? TenthText(row.compassAzimuth) : "",
            shown ? TenthText(row.elevation) : "",
            shown ? TenthText(row.skew) : "",
            shown && row.motor ? TenthText(*row.motor) : "",
            row.lnbType,
            row.switchText,
            row.tone,
            Joined(row.transponders, "; "),
        };
        bool first = true;
        for (const std::string& field : fields) {
            if (!first) {
                csv += ',';
            }
            first = false;
            AppendField(csv, field);
        }
        csv += '\n';
    }
    return csv;
}
