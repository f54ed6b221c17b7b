#pragma once

#include "model/MeterData.h"

#include <filesystem>

enum class LoadResult { Done, CannotOpen, WrongSize, ReadError };
enum class SaveResult { Done, CannotOpen, WriteError };

// Replaces image with the file's four regions only when the whole file was read.
LoadResult LoadMeterFile(const std::filesystem::path& path, MeterImage& image);
// Writes through a temporary file in the same folder; the target changes only on success.
SaveResult SaveMeterFile(const std::filesystem::path& path, const MeterImage& image);
// Brings every letter field to one of its two letters (1 is the second of each pair).
void NormaliseLetters(SettingsBlock& block);
