#include "model/SatRecordList.h"

#include <cstddef>

namespace {

bool IsPosition(int position, std::size_t count) {
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

} // namespace

int SatRecordList::GetCount() const {
    return static_cast<int>(m_records.size());
}

int SatRecordList::Add(const SatelliteRecord& record) {
    m_records.push_back(record);
    return GetCount();
}

int SatRecordList::InsertAt(const SatelliteRecord& record, int position) {
    // The end itself is a valid insertion point.
    if (position >= 0 && static_cast<std::size_t>(position) <= m_records.size()) {
        m_records.insert(m_records.begin() + position, record);
    }
    return GetCount();
}

int SatRecordList::InsertSorted(const SatelliteRecord& record) {
    return InsertAt(record, FindSortedPos(record));
}

int SatRecordList::FindSortedPos(const SatelliteRecord& record) const {
    // Linear on purpose: an equal name must land before every existing copy of it.
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (CompareNames(m_records[i], record) >= 0) {
            return static_cast<int>(i);
        }
    }
    return GetCount();
}

void SatRecordList::RemoveAt(int position) {
    if (IsPosition(position, m_records.size())) {
        m_records.erase(m_records.begin() + position);
    }
}

SatelliteRecord SatRecordList::GetAt(int position) const {
    if (!IsPosition(position, m_records.size())) {
        throw SatIndexError();
    }
    return m_records[static_cast<std::size_t>(position)];
}

void SatRecordList::SetAt(int position, const SatelliteRecord& record) {
    if (IsPosition(position, m_records.size())) {
        m_records[static_cast<std::size_t>(position)] = record;
    }
}

void SatRecordList::RemoveAll() {
    m_records.clear();
}

int CompareNames(const SatelliteRecord& a, const SatelliteRecord& b) {
    // A name without a NUL ends at its 12th byte; nothing past the field is read.
    for (std::size_t i = 0; i < kNameSize; ++i) {
        const auto byteA = static_cast<unsigned char>(a.name[i]);
        const auto byteB = static_cast<unsigned char>(b.name[i]);
        if (byteA != byteB) {
            return byteA < byteB ? -1 : 1;
        }
        if (byteA == 0) {
            return 0;
        }
    }
    return 0;
}
