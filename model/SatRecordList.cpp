#include "model/SatRecordList.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

bool IsPosition(int position, std::size_t count) {
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

// A name as two numbers that order as CompareNames does: the bytes from the first NUL on
// count as NUL, so a prefix comes first.
struct NameKey {
    std::uint64_t high; // bytes 0..7, first byte highest
    std::uint32_t low;  // bytes 8..11
    auto operator<=>(const NameKey&) const = default;
};

NameKey KeyOf(const SatelliteRecord& record) {
    NameKey key{0, 0};
    bool ended = false;
    for (std::size_t i = 0; i < kNameSize; ++i) {
        const auto byte = ended ? 0u : static_cast<unsigned char>(record.name[i]);
        ended = byte == 0;
        if (i < 8) {
            key.high = key.high << 8 | byte;
        } else {
            key.low = key.low << 8 | byte;
        }
    }
    return key;
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

// Inserting one by one puts a record before the first record whose name is not smaller. With
// P the running maximum of the existing names, that first record is the first one whose P is
// not smaller, so a binary search on P gives each new record's gap among the existing ones.
// Earlier new records in other gaps never attract it (a smaller gap holds only names below
// it); inside a gap the new records stand in name order, a later equal name before an
// earlier one.
bool SatRecordList::MergeSorted(const std::vector<SatelliteRecord>& records) {
    if (m_records.size() + records.size() > static_cast<std::size_t>(kMaxSatListRecords)) {
        return false;
    }
    if (records.empty()) {
        return true;
    }
    std::vector<NameKey> runningMax(m_records.size());
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        const NameKey key = KeyOf(m_records[i]);
        runningMax[i] = i > 0 ? std::max(runningMax[i - 1], key) : key;
    }
    struct Item {
        NameKey name;
        std::uint32_t gap;
        std::uint32_t index;
    };
    std::vector<Item> items(records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        const NameKey key = KeyOf(records[k]);
        const auto gap = std::lower_bound(runningMax.begin(), runningMax.end(), key);
        items[k] = {key, static_cast<std::uint32_t>(gap - runningMax.begin()),
                    static_cast<std::uint32_t>(k)};
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        if (a.gap != b.gap) {
            return a.gap < b.gap;
        }
        if (a.name != b.name) {
            return a.name < b.name;
        }
        return a.index > b.index;
    });
    std::vector<SatelliteRecord> merged;
    merged.reserve(m_records.size() + records.size());
    auto next = items.begin();
    for (std::size_t i = 0; i <= m_records.size(); ++i) {
        for (; next != items.end() && next->gap == i; ++next) {
            merged.push_back(records[next->index]);
        }
        if (i < m_records.size()) {
            merged.push_back(m_records[i]);
        }
    }
    m_records.swap(merged);
    return true;
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
