#include "import/TransponderRefresh.h"

#include "import/LibraryRecordMaker.h"
#include "model/LockCheck.h"
#include "model/LookAngles.h"

#include <optional>
#include <unordered_set>

namespace {

// The import splits the bands there for a Universal LNB; a refresh spreads every LNB type so,
// which keeps both halves of a wide Customized or single LNB in the list.
constexpr std::uint16_t kBandSplitMHz = 11700;

// Codes in kLnbTypeLabels: only single-oscillator LNBs are made for circular dishes, and a
// Customized one may be one of them.
constexpr std::uint8_t kFirstSingle = 2;
constexpr std::uint8_t kLastSingle = 6;

bool TakesCircular(std::uint8_t lnbType) {
    return (lnbType >= kFirstSingle && lnbType <= kLastSingle) || lnbType == kLnbCustomized;
}

// Padding is not the user's: only what the meter tunes counts as a change.
bool Differs(const SatelliteRecord& record, const std::vector<TpEntry>& tps) {
    if (record.tpCount != tps.size()) {
        return true;
    }
    for (std::size_t row = 0; row < tps.size(); ++row) {
        const TpEntry& old = record.tps[row];
        if (old.frequency != tps[row].frequency || old.polarization != tps[row].polarization ||
            old.symbolRate != tps[row].symbolRate) {
            return true;
        }
    }
    return false;
}

// The best table satellite a slot has met so far.
struct Candidate {
    std::size_t count = 0; // 0: none yet
    int distance = 0;
    QString name;
    std::vector<TpEntry> transponders;
};

} // namespace

std::vector<TpEntry> RefreshedTransponders(const TableSatellite& satellite,
                                           const SatelliteRecord& record, std::size_t& count) {
    count = 0;
    if (!CanReceive(record)) {
        return {};
    }
    const std::vector<TableTransponder>& tps = satellite.Transponders();
    const bool circular = TakesCircular(record.lnbType);
    std::vector<std::size_t> usable;
    std::unordered_set<std::uint32_t> stored; // frequency and letter of each kept one
    for (std::size_t i = 0; i < tps.size(); ++i) {
        const TableTransponder& tp = tps[i];
        if ((tp.polarization == 'L' || tp.polarization == 'R') && !circular) {
            continue;
        }
        const TpEntry entry = {tp.symbolRate, tp.frequency, StoredPolarization(tp.polarization), 0};
        // H and left at one frequency are one row to the meter: the first stays.
        if (CheckTransponder(record, entry).empty() &&
            stored.insert(std::uint32_t{entry.frequency} << 8 | entry.polarization).second) {
            usable.push_back(i);
        }
    }
    count = usable.size();
    std::vector<TpEntry> chosen;
    for (const std::size_t i : SpreadTransponders(tps, usable, kBandSplitMHz)) {
        chosen.push_back(
            {tps[i].symbolRate, tps[i].frequency, StoredPolarization(tps[i].polarization), 0});
    }
    return chosen;
}

TableImportResult MatchTransponderRefresh(const std::filesystem::path& table,
                                          const SettingsBlock& meter,
                                          std::vector<RefreshMatch>& matches) {
    const auto inUse = static_cast<std::size_t>(UsedSlots(meter));
    std::vector<Candidate> best(inUse);
    std::vector<bool> receives(inUse);
    for (std::size_t slot = 0; slot < inUse; ++slot) {
        receives[slot] = CanReceive(meter.satellites[slot]);
    }
    const auto consider = [&](const TableSatellite& satellite) {
        const std::optional<RecordPosition> position =
            satellite.position ? ToRecordPosition(*satellite.position) : std::nullopt;
        if (!position) {
            return;
        }
        const int tenths = position->direction == kWest ? -static_cast<int>(position->longitude)
                                                        : static_cast<int>(position->longitude);
        for (std::size_t slot = 0; slot < inUse; ++slot) {
            const SatelliteRecord& record = meter.satellites[slot];
            const int distance = TenthsApart(tenths, SatelliteLongitudeTenths(record));
            if (!receives[slot] || distance > kRefreshReachTenths) {
                continue;
            }
            std::size_t count = 0;
            std::vector<TpEntry> tps = RefreshedTransponders(satellite, record, count);
            Candidate& candidate = best[slot];
            // More received wins, then the nearer; on a full tie the first in the table stays.
            if (count > candidate.count ||
                (count > 0 && count == candidate.count && distance < candidate.distance)) {
                candidate = {count, distance,
                             QString::fromLatin1(RecordName(satellite.name, *position)),
                             std::move(tps)};
            }
        }
    };
    const TableImportResult result = ReadTableSatellites(table, consider);
    if (result != TableImportResult::Done) {
        return result;
    }
    std::vector<RefreshMatch> found;
    for (std::size_t slot = 0; slot < inUse; ++slot) {
        Candidate& candidate = best[slot];
        if (candidate.count > 0) {
            const bool changes = Differs(meter.satellites[slot], candidate.transponders);
            found.push_back({static_cast<int>(slot), std::move(candidate.name),
                             std::move(candidate.transponders), changes});
        }
    }
    matches = std::move(found);
    return TableImportResult::Done;
}

TableImportResult PlanTransponderRefresh(const std::filesystem::path& table,
                                         const SettingsBlock& meter,
                                         std::vector<RefreshedSlot>& plan) {
    std::vector<RefreshMatch> matches;
    const TableImportResult result = MatchTransponderRefresh(table, meter, matches);
    if (result != TableImportResult::Done) {
        return result;
    }
    std::vector<RefreshedSlot> changed;
    for (RefreshMatch& match : matches) {
        if (match.changes) {
            changed.push_back({match.slot, std::move(match.transponders)});
        }
    }
    plan = std::move(changed);
    return TableImportResult::Done;
}
