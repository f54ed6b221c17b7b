#pragma once

#include "model/MeterData.h"

#include <stdexcept>
#include <vector>

// Raised by SatRecordList::GetAt for a position outside the list: a programming fault.
class SatIndexError final : public std::out_of_range {
public:
    SatIndexError() : std::out_of_range("satellite index error!") {}
};

// Ordered satellite records held by value, with insertion in byte-wise name order.
class SatRecordList final {
public:
    int GetCount() const;
    int Add(const SatelliteRecord& record);
    // position in 0..count; any other position changes nothing
    int InsertAt(const SatelliteRecord& record, int position);
    int InsertSorted(const SatelliteRecord& record);
    // first position whose name is not below the record's name; count when none
    int FindSortedPos(const SatelliteRecord& record) const;
    void RemoveAt(int position);
    SatelliteRecord GetAt(int position) const; // throws SatIndexError
    void SetAt(int position, const SatelliteRecord& record);
    void RemoveAll();

private:
    std::vector<SatelliteRecord> m_records;
};

// Name order: NUL-terminated (within 12 bytes) byte strings compared as unsigned bytes.
int CompareNames(const SatelliteRecord& a, const SatelliteRecord& b);
