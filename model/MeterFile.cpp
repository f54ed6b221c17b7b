#include "model/MeterFile.h"

#include "model/AtomicFile.h"
#include "model/InputFile.h"

#include <array>
#include <memory>
#include <span>

namespace {

template <typename T> std::span<std::byte> BytesOf(T& value) {
    return std::as_writable_bytes(std::span(&value, 1));
}

template <typename T> std::span<const std::byte> BytesOf(const T& value) {
    return std::as_bytes(std::span(&value, 1));
}

std::uint8_t NormalisedLetter(std::uint8_t letter, std::uint8_t first, std::uint8_t second) {
    if (letter == second || letter == kAltSecondLetter) {
        return second;
    }
    return first;
}

} // namespace

LoadResult LoadMeterFile(const std::filesystem::path& path, MeterImage& image) {
    InputFile file;
    if (!file.Open(path)) {
        return LoadResult::CannotOpen;
    }
    if (file.Size() != kMeterFileSize) {
        return LoadResult::WrongSize;
    }
    // Read into scratch so that a short read never leaves the editor half old, half new.
    auto scratch = std::make_unique<MeterImage>();
    if (!file.ReadExactly(BytesOf(scratch->leadingImage)) ||
        !file.ReadExactly(BytesOf(scratch->systemSetting)) ||
        !file.ReadExactly(BytesOf(scratch->settingsBlock)) ||
        !file.ReadExactly(BytesOf(scratch->trailingImage))) {
        return LoadResult::ReadError;
    }
    image = *scratch;
    return LoadResult::Done;
}

SaveResult SaveMeterFile(const std::filesystem::path& path, const MeterImage& image) {
    const std::array<std::span<const std::byte>, 4> regions = {
        BytesOf(image.leadingImage), BytesOf(image.systemSetting), BytesOf(image.settingsBlock),
        BytesOf(image.trailingImage)};
    switch (WriteFileAtomically(path, regions)) {
    case AtomicWriteResult::Done:
        return SaveResult::Done;
    case AtomicWriteResult::CannotOpen:
        return SaveResult::CannotOpen;
    case AtomicWriteResult::WriteError:
        break;
    }
    return SaveResult::WriteError;
}

void NormaliseLetters(SettingsBlock& block) {
    LocalPosition& position = block.localPosition;
    position.longitudeDir = NormalisedLetter(position.longitudeDir, kEast, kWest);
    position.latitudeDir = NormalisedLetter(position.latitudeDir, kNorth, kSouth);
    // Every slot, used or not; only the transponders in use, never past the eighth.
    for (SatelliteRecord& record : block.satellites) {
        record.direction = NormalisedLetter(record.direction, kEast, kWest);
        for (int tp = 0; tp < UsedTps(record); ++tp) {
            TpEntry& entry = record.tps[static_cast<std::size_t>(tp)];
            entry.polarization = NormalisedLetter(entry.polarization, kHorizontal, kVertical);
        }
    }
}
