#pragma once

#include "import/TableSatellite.h"
#include "model/MeterData.h"

#include <QStringView>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How a table satellite fared on its way to a library record.
enum class RecordOutcome { Made, NoPosition, NoTransponder };

// The name in at most 11 Latin-1 bytes that still tell the satellite apart: a position in
// parentheses goes (the record has its own), and so does one the name begins with, with a
// band word after it ("19.2E Ku-band Astra 1KR" is "Astra 1KR"); a longer name is cut where a
// word, '/' or '-' ends, and characters Latin-1 lacks become '?'.
std::string ShortSatelliteName(QStringView name);

struct RecordPosition {
    std::uint16_t longitude; // tenths of a degree, 0..1800
    std::uint8_t direction;  // kEast or kWest
};
// A signed position in tenths, east positive, as the record stores it: a position past 180.0
// lies on the other side (1801 is 179.9 W). None beyond a full turn either way.
std::optional<RecordPosition> ToRecordPosition(int tenths);

// The name a record gets: the short name, or the position where that leaves nothing.
std::string RecordName(QStringView name, RecordPosition position);

// The letter a record stores for a table polarisation. A single LNB switches circular ones as
// linear ones: left by 18 V like H, right by 13 V like V.
std::uint8_t StoredPolarization(char polarization);

// Up to eight of the usable transponders (indices into tps), spread so that every LNB state
// gets a carrier to lock to: round robin over the quarters below and from bandSplit (0 for one
// band) times the stored polarisations for the counts, then evenly spaced picks inside each
// quarter. Answers indices in table order.
std::vector<std::size_t> SpreadTransponders(const std::vector<TableTransponder>& tps,
                                            const std::vector<std::size_t>& usable,
                                            std::uint16_t bandSplit);

// A fresh record with the satellite's name and position and up to eight of its transponders
// that one LNB type of the meter receives: the Universal LNB when the table has any linear Ku
// transponder, else the C-band or single-oscillator type that receives the most. The pick is
// spread over the bands and polarisations so that every LNB state gets a carrier to lock to.
RecordOutcome MakeLibraryRecord(const TableSatellite& satellite, SatelliteRecord& record);
