#pragma once

#include "model/SatRecordList.h"

#include <cstdint>
#include <filesystem>

// WrongSize: empty, not whole records, or more than kMaxSatListRecords of them. TooMany: the
// file is good but the library would pass kMaxSatListRecords; nothing was added.
enum class SatListReadResult { Done, CannotOpen, WrongSize, ReadError, TooMany };
enum class SatListWriteResult { Done, CannotOpen, WriteError };

// Inserts every 78-byte record of the file into the library as InsertSorted would, one by one
// in file order. On ReadError the whole records read before the failure are in the library.
SatListReadResult ReadSatListFile(const std::filesystem::path& path, SatRecordList& library);
// Writes the library's records in list order, atomically as SaveMeterFile does.
SatListWriteResult WriteSatListFile(const std::filesystem::path& path,
                                    const SatRecordList& library);
