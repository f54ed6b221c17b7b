#include "model/SatListFile.h"

#include "model/AtomicFile.h"
#include "model/InputFile.h"

#include <cstring>
#include <span>
#include <vector>

SatListReadResult ReadSatListFile(const std::filesystem::path& path, SatRecordList& library) {
    InputFile file;
    if (!file.Open(path)) {
        return SatListReadResult::CannotOpen;
    }
    const std::uint64_t size = file.Size();
    if (size == 0 || size % sizeof(SatelliteRecord) != 0 ||
        size / sizeof(SatelliteRecord) > kMaxSatListRecords) {
        return SatListReadResult::WrongSize;
    }
    const std::uint64_t count = size / sizeof(SatelliteRecord);
    for (std::uint64_t i = 0; i < count; ++i) {
        SatelliteRecord record{};
        if (!file.ReadExactly(std::as_writable_bytes(std::span(&record, 1)))) {
            // The records already inserted stay: the library is memory, not the user's file.
            return SatListReadResult::ReadError;
        }
        library.InsertSorted(record);
    }
    return SatListReadResult::Done;
}

SatListWriteResult WriteSatListFile(const std::filesystem::path& path,
                                    const SatRecordList& library) {
    const int count = library.GetCount();
    std::vector<std::byte> bytes(static_cast<std::size_t>(count) * sizeof(SatelliteRecord));
    for (int i = 0; i < count; ++i) {
        const SatelliteRecord record = library.GetAt(i);
        std::memcpy(bytes.data() + static_cast<std::size_t>(i) * sizeof(SatelliteRecord), &record,
                    sizeof(SatelliteRecord));
    }
    const std::span<const std::byte> chunks[] = {bytes};
    switch (WriteFileAtomically(path, chunks)) {
    case AtomicWriteResult::Done:
        return SatListWriteResult::Done;
    case AtomicWriteResult::CannotOpen:
        return SatListWriteResult::CannotOpen;
    case AtomicWriteResult::WriteError:
        break;
    }
    return SatListWriteResult::WriteError;
}
