// Feeds arbitrary files to the meter-file and satellite-list readers and writers and aborts,
// for libFuzzer or the replay driver to report, when what must hold for any input does not.

#include "model/AtomicFile.h"
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
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const WorkFolder kWork;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes BytesOf(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return Bytes(bytes, bytes + size);
}

void CheckMeterFile(const fs::path& input, const Bytes& file, std::size_t cut) {
    const auto fresh = std::make_unique<MeterImage>(FreshMeterImage());
    auto image = std::make_unique<MeterImage>(*fresh);
    const LoadResult loaded = LoadMeterFile(input, *image);
    if (file.size() != kMeterFileSize) {
        FUZZ_CHECK(loaded == LoadResult::WrongSize && *image == *fresh);
        return;
    }
    FUZZ_CHECK(loaded == LoadResult::Done && BytesOf(image.get(), kMeterFileSize) == file);

    // Normalise, then check each letter field and put its loaded byte back: the rest must match.
    NormaliseLetters(image->settingsBlock);
    auto restored = std::make_unique<MeterImage>(*image);
    const auto check = [&](std::uint8_t& field, std::uint8_t first, std::uint8_t second) {
        const std::uint8_t was = file[static_cast<std::size_t>(
            &field - reinterpret_cast<const std::uint8_t*>(restored.get()))];
        // The byte 1 or the second letter reads as the second letter, anything else the first.
        FUZZ_CHECK(field == (was == 1 || was == second ? second : first));
        field = was;
    };
    check(restored->settingsBlock.localPosition.longitudeDir, 'E', 'W');
    check(restored->settingsBlock.localPosition.latitudeDir, 'N', 'S');
    for (SatelliteRecord& record : restored->settingsBlock.satellites) {
        check(record.direction, 'E', 'W');
        for (int tp = 0; tp < UsedTps(record); ++tp) {
            check(record.tps[static_cast<std::size_t>(tp)].polarization, 'H', 'V');
        }
    }
    FUZZ_CHECK(BytesOf(restored.get(), kMeterFileSize) == file);

    const fs::path output = kWork.path / "out.bin";
    FUZZ_CHECK(SaveMeterFile(output, *image) == SaveResult::Done);
    const Bytes saved = ReadBytes(output);
    FUZZ_CHECK(saved == BytesOf(image.get(), kMeterFileSize));

    // A save cut short anywhere leaves the previous file and no temporary file.
    const auto entries = std::distance(fs::directory_iterator(kWork.path), {});
    LimitBytesWrittenForTests(cut % kMeterFileSize);
    const SaveResult cutSave = SaveMeterFile(output, *fresh);
    LimitBytesWrittenForTests(kNoWriteLimit);
    FUZZ_CHECK(cutSave == SaveResult::WriteError && ReadBytes(output) == saved);
    FUZZ_CHECK(std::distance(fs::directory_iterator(kWork.path), {}) == entries);
}

void CheckSatListFile(const fs::path& input, const Bytes& file) {
    SatRecordList library;
    const SatListReadResult read = ReadSatListFile(input, library);
    std::vector<SatelliteRecord> expected(file.size() / sizeof(SatelliteRecord));
    if (file.empty() || file.size() % sizeof(SatelliteRecord) != 0) {
        FUZZ_CHECK(read == SatListReadResult::WrongSize && library.GetCount() == 0);
        expected.clear();
    } else {
        FUZZ_CHECK(read == SatListReadResult::Done);
        std::memcpy(expected.data(), file.data(), file.size());
        // InsertSorted puts a name before its equals: the last read of a name comes first.
        std::reverse(expected.begin(), expected.end());
        std::stable_sort(expected.begin(), expected.end(),
                         [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; });
    }
    FUZZ_CHECK(WriteSatListFile(kWork.path / "out.sat", library) == SatListWriteResult::Done);
    FUZZ_CHECK(ReadBytes(kWork.path / "out.sat") ==
               BytesOf(expected.data(), expected.size() * sizeof(SatelliteRecord)));
}

} // namespace

// Byte 0 picks the file: odd puts the rest over a fresh image from the system setting on (so
// most inputs reach the interpreted bytes), even uses the rest as the file itself. Bytes 1..2
// also say where a cut-short save stops.
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
    CheckMeterFile(input, file,
                   size >= 3 ? static_cast<std::size_t>(data[1] << 8 | data[2]) * 7 : 0);
    CheckSatListFile(input, file);
    return 0;
}
