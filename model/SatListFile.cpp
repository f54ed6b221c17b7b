#include "model/SatListFile.h"

#include "model/AtomicFile.h"
#include "model/InputFile.h"

#include <span>
#include <vector>

SatListReadResult ReadSatListFile(const std::filesystem::path& path, SatRecordList& library) {
    InputFile file;
    if (!file.Open(path)) {
        return SatListReadResult::CannotOpen;
    }
    const std::uint64_t size = file.Size();
    const std::uint64_t count = size / sizeof(SatelliteRecord);
    if (size == 0 || size % sizeof(SatelliteRecord) != 0 ||
        count > static_cast<std::uint64_t>(kMaxSatListRecords)) {
        return SatListReadResult::WrongSize;
    }
    // Refused before reading: a library too big to save whole would not open again.
    if (count + static_cast<std::uint64_t>(library.GetCount()) >
        static_cast<std::uint64_t>(kMaxSatListRecords)) {
        return SatListReadResult::TooMany;
    }
    std::vector<SatelliteRecord> records(static_cast<std::size_t>(count));
    const std::size_t got = file.Read(std::as_writable_bytes(std::span(records)));
    const std::size_t whole = got / sizeof(SatelliteRecord);
    // The records read before a short read stay: the library is memory, not the user's file.
    records.resize(whole);
    library.MergeSorted(records);
    return whole == count ? SatListReadResult::Done : SatListReadResult::ReadError;
}

SatListWriteResult WriteSatListFile(const std::filesystem::path& path,
                                    const SatRecordList& library) {
    const std::span<const std::byte> chunks[] = {std::as_bytes(std::span(library.Records()))};
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
