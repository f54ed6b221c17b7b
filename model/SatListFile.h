#pragma once

#include "model/SatRecordList.h"

#include <cstdint>
#include <filesystem>

// The Satellite List dialog counts the library in 16 bits; a longer file is refused as
// WrongSize rather than overflowing that count.
inline constexpr std::uint64_t kMaxSatListRecords = 65535;

enum class SatListReadResult { Done, CannotOpen, WrongSize, ReadError };
enum class SatListWriteResult { Done, CannotOpen, WriteError };

// Inserts every 78-byte record of the file into the library with InsertSorted.
SatListReadResult ReadSatListFile(const std::filesystem::path& path, SatRecordList& library);
// Writes the library's records in list order, atomically as SaveMeterFile does.
SatListWriteResult WriteSatListFile(const std::filesystem::path& path,
                                    const SatRecordList& library);
