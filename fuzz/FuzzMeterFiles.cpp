// Feeds arbitrary files to the meter-file and satellite-list readers and writers and aborts,
// for libFuzzer or the replay driver to report, when what must hold for any input does not.

#include "model/MeterFile.h"
#include "model/SatListFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

#define FUZZ_CHECK(condition)                                                                      \
    ((condition)                                                                                   \
         ? void()                                                                                  \
         : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition),     \
            std::abort()))

static_assert(sizeof(MeterImage) == kMeterFileSize, "the image's memory is the file's bytes");

// One folder per process, removed at exit; tmpfs where there is one, since every save is fsynced.
struct WorkFolder {
    const fs::path path =
        fs::path(fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path()) /
        ("orvex-fuzz-" + std::to_string(::getpid()));
    WorkFolder() { fs::create_directories(path); }
    ~WorkFolder() { fs::remove_all(path, m_ignored); }
    std::error_code m_ignored;
} const kWork;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes BytesOf(const void* data, std::size_t size) {
    return Bytes(static_cast<const std::uint8_t*>(data),
                 static_cast<const std::uint8_t*>(data) + size);
}

// Loads, normalises and saves; what the letters become is for the model tests, but nothing
// outside the settings block may change and the save writes the image as it is.
void CheckMeterFile(const fs::path& input, const Bytes& file) {
    const auto fresh = std::make_unique<MeterImage>(FreshMeterImage());
    auto image = std::make_unique<MeterImage>(*fresh);
    const LoadResult loaded = LoadMeterFile(input, *image);
    if (file.size() != kMeterFileSize) {
        FUZZ_CHECK(loaded == LoadResult::WrongSize && *image == *fresh);
        return;
    }
    FUZZ_CHECK(loaded == LoadResult::Done && BytesOf(image.get(), kMeterFileSize) == file);
    NormaliseLetters(image->settingsBlock);
    const Bytes normalised = BytesOf(image.get(), kMeterFileSize);
    FUZZ_CHECK(std::equal(file.begin(), file.begin() + kSettingsBlockOffset, normalised.begin()) &&
               std::equal(file.begin() + kTrailingImageOffset, file.end(),
                          normalised.begin() + kTrailingImageOffset));
    FUZZ_CHECK(SaveMeterFile(kWork.path / "out.bin", *image) == SaveResult::Done);
    FUZZ_CHECK(ReadBytes(kWork.path / "out.bin") == normalised);
}

void CheckSatListFile(const fs::path& input, const Bytes& file) {
    SatRecordList library;
    const SatListReadResult read = ReadSatListFile(input, library);
    const bool whole = !file.empty() && file.size() % sizeof(SatelliteRecord) == 0;
    FUZZ_CHECK(read == (whole ? SatListReadResult::Done : SatListReadResult::WrongSize));
    std::vector<SatelliteRecord> expected(whole ? file.size() / sizeof(SatelliteRecord) : 0);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        std::memcpy(&expected[i], &file[i * sizeof(SatelliteRecord)], sizeof(SatelliteRecord));
    }
    // InsertSorted puts a name before its equals: the last read of a name comes first.
    std::reverse(expected.begin(), expected.end());
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; });
    FUZZ_CHECK(WriteSatListFile(kWork.path / "out.sat", library) == SatListWriteResult::Done);
    FUZZ_CHECK(ReadBytes(kWork.path / "out.sat") ==
               BytesOf(expected.data(), expected.size() * sizeof(SatelliteRecord)));
}

} // namespace

// Byte 0 picks the file: odd puts the rest over a fresh image from the system setting on (so
// most inputs reach the interpreted bytes), even uses the rest as the file itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes file(data + (size > 0), data + size);
    if (size > 0 && data[0] & 1) {
        Bytes image =
            BytesOf(std::make_unique<MeterImage>(FreshMeterImage()).get(), kMeterFileSize);
        std::copy_n(file.begin(), std::min(file.size(), kMeterFileSize - kSystemSettingOffset),
                    image.begin() + kSystemSettingOffset);
        file.swap(image);
    }
    const fs::path input = kWork.path / "input";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    CheckMeterFile(input, file);
    CheckSatListFile(input, file);
    return 0;
}
