#pragma once

#include "model/MeterData.h"

#include <stdexcept>
#include <vector>

// Raised by SatRecordList::GetAt for a position outside the list: a programming fault.
class SatIndexError final : public std::out_of_range {
public:
    SatIndexError() : std::out_of_range("satellite index error!") {}
};

// The most records a satellite list file can carry for the Satellite List dialog, whose
// library count is 16 bits wide; no library holds more, so every saved library opens again.
inline constexpr int kMaxSatListRecords = 65535;

// Ordered satellite records held by value, with insertion in byte-wise name order.
class SatRecordList final {
public:
    int GetCount() const;
    int Add(const SatelliteRecord& record);
    // position in 0..count; any other position changes nothing
    int InsertAt(const SatelliteRecord& record, int position);
    int InsertSorted(const SatelliteRecord& record);
    // Inserts the records as InsertSorted would, one after the other in the given order, in
    // O(n log n). False, changing nothing, when the list would pass kMaxSatListRecords.
    bool MergeSorted(const std::vector<SatelliteRecord>& records);
    // first position whose name is not below the record's name; count when none
    int FindSortedPos(const SatelliteRecord& record) const;
    void RemoveAt(int position);
    SatelliteRecord GetAt(int position) const; // throws SatIndexError
    void SetAt(int position, const SatelliteRecord& record);
    void RemoveAll();
    const std::vector<SatelliteRecord>& Records() const { return m_records; }

private:
    std::vector<SatelliteRecord> m_records;
};

// Name order: NUL-terminated (within 12 bytes) byte strings compared as unsigned bytes.
int CompareNames(const SatelliteRecord& a, const SatelliteRecord& b);
