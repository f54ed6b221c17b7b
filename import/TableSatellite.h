#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_set>
#include <vector>

// A transponder in the record's units, kept only when some LNB type of the meter could use it.
struct TableTransponder {
    std::uint16_t frequency;  // MHz
    std::uint16_t symbolRate; // kS/s
    char polarization;        // 'H', 'V', 'L' (circular left) or 'R' (circular right)
};

// One satellite as a public table describes it, before it becomes a library record.
class TableSatellite final {
public:
    QString name;
    std::optional<int> position; // tenths of a degree, east positive; none when missing or bad

    // Takes a transponder in the tables' units (kHz, symbols per second). Values no public
    // table means (a frequency in MHz, a symbol rate of 0) and repeats of an earlier
    // frequency and polarisation are dropped, so memory grows with the distinct transponders
    // only, however long the table.
    void AddTransponder(std::int64_t frequencyKHz, std::int64_t symbolRate, char polarization);

    const std::vector<TableTransponder>& Transponders() const { return m_transponders; }

private:
    std::vector<TableTransponder> m_transponders;
    std::unordered_set<std::uint32_t> m_seen; // frequency and polarisation of each kept one
};

// Where a reader hands each satellite as soon as its description ends.
using TableSatelliteSink = std::function<void(const TableSatellite&)>;

// Every frequency any of the meter's LNB choices can tune, C band to the top of Ku.
inline constexpr std::uint16_t kLowestTunableMHz = 3000;
inline constexpr std::uint16_t kHighestTunableMHz = 12750;
// Below this a transponder is noise in a table, not a carrier the meter could lock to.
inline constexpr std::uint16_t kLowestSymbolRate = 100;
