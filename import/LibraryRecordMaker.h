#pragma once

#include "import/TableSatellite.h"
#include "model/MeterData.h"

#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>

// How a table satellite fared on its way to a library record.
enum class RecordOutcome { Made, NoPosition, NoTransponder };

// The name in at most 11 Latin-1 bytes that still tell the satellite apart: a position in
// parentheses goes (the record has its own), a longer name is cut where a word, '/' or '-'
// ends, and characters Latin-1 lacks become '?'.
std::string ShortSatelliteName(QStringView name);

struct RecordPosition {
    std::uint16_t longitude; // tenths of a degree, 0..1800
    std::uint8_t direction;  // kEast or kWest
};
// A signed position in tenths, east positive, as the record stores it: a position past 180.0
// lies on the other side (1801 is 179.9 W). None beyond a full turn either way.
std::optional<RecordPosition> ToRecordPosition(int tenths);

// A fresh record with the satellite's name and position and up to eight of its transponders
// that one LNB type of the meter receives: the Universal LNB when the table has any linear Ku
// transponder, else the C-band or single-oscillator type that receives the most. The pick is
// spread over the bands and polarisations so that every LNB state gets a carrier to lock to.
RecordOutcome MakeLibraryRecord(const TableSatellite& satellite, SatelliteRecord& record);
