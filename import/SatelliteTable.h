#pragma once

#include "import/TableSatellite.h"
#include "model/MeterData.h"

#include <filesystem>
#include <vector>

enum class TableImportResult { Done, CannotOpen, NotATable, TooLarge, NoPosition };

struct TableImport {
    std::vector<SatelliteRecord> records; // in the table's order
    int skipped = 0;
    // The reasons that add up to skipped.
    int skippedNoTransponder = 0; // no transponder any LNB type of the meter receives
    int skippedNoPosition = 0;    // no orbital position, or one past a full turn
    int skippedOverLimit = 0;     // beyond the library's 65,535 records

    bool operator==(const TableImport&) const = default;
};

// Public tables are 1 to 3 MB; anything far larger is not one.
inline constexpr std::uint64_t kMaxTableFileSize = 64ull << 20;

// Reads a satellite XML list or a DVBv5 scan table, told apart by content, never by name,
// into library records. A scan table takes its position from the file name. All or nothing:
// on any result but Done, result is left as it was.
TableImportResult ReadSatelliteTable(const std::filesystem::path& path, TableImport& result);

// The same reading, handing each satellite of the table to the sink in the table's order
// before it becomes a record. The sink may have been called when the result is not Done.
TableImportResult ReadTableSatellites(const std::filesystem::path& path,
                                      const TableSatelliteSink& sink);
