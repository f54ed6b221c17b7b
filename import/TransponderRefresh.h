#pragma once

#include "import/SatelliteTable.h"
#include "model/MeterData.h"

#include <QString>

#include <filesystem>
#include <vector>

struct RefreshedSlot {
    int slot;
    std::vector<TpEntry> transponders;
};

// A slot in use and the table satellite that renews its transponders: the nearest in position
// within two tenths of a degree among those with the most the slot's own settings receive.
struct RefreshMatch {
    int slot;
    QString tableName;                 // as a record would be named after it
    std::vector<TpEntry> transponders; // what the slot would hold, at most eight
    bool changes;                      // the count or a row in use would differ
};

// How far apart table positions may be from the slot's and still be the same satellite:
// public lists keep the bands of one position and older positions apart by that much.
inline constexpr int kRefreshReachTenths = 2;

// Every slot in use with a match that it receives a transponder from, in slot order, changed
// or not. All or nothing as ReadSatelliteTable, with the same results.
TableImportResult MatchTransponderRefresh(const std::filesystem::path& table,
                                          const SettingsBlock& meter,
                                          std::vector<RefreshMatch>& matches);

// One entry per slot in use whose transponders would change, in slot order; all or nothing
// as ReadSatelliteTable, with the same results.
TableImportResult PlanTransponderRefresh(const std::filesystem::path& table,
                                         const SettingsBlock& meter,
                                         std::vector<RefreshedSlot>& plan);

// The transponders of the table satellite that the record receives with its own settings,
// duplicates dropped and spread as the import spreads them, at most eight; count is set to
// how many it receives before the cap.
std::vector<TpEntry> RefreshedTransponders(const TableSatellite& satellite,
                                           const SatelliteRecord& record, std::size_t& count);
