// Feeds arbitrary files to the meter-file and satellite-list readers and writers and checks
// what must hold for any input: refused files change nothing, loaded bytes are the file's
// bytes, letters normalise only letter fields, saves reproduce memory, failed saves keep the
// former file. A violation aborts so that libFuzzer (or the replay driver) reports it.

#include "model/AtomicFile.h"
#include "model/MeterFile.h"
#include "model/SatListFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

static_assert(sizeof(MeterImage) == kMeterFileSize, "the image's memory is the file's bytes");

// One folder per process, removed at exit; tmpfs where there is one, since every save is fsynced.
class WorkFolder final {
public:
    WorkFolder() {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        m_path = base / ("orvex-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& WorkDir() {
    static const WorkFolder folder;
    return folder.Path();
}

Bytes ReadBytes(const std::filesystem::path& path) {
    Bytes bytes(std::filesystem::file_size(path));
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(in.gcount() == static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void WriteBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good());
}

std::size_t FolderEntries() {
    const auto entries = std::filesystem::directory_iterator(WorkDir());
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

const std::uint8_t* BytesOf(const MeterImage& image) {
    return reinterpret_cast<const std::uint8_t*>(&image);
}

// Offsets in the image of the letter fields NormaliseLetters may change.
std::vector<bool> LetterFields(const MeterImage& image) {
    std::vector<bool> mask(sizeof(MeterImage), false);
    const auto mark = [&](const void* field) {
        mask[static_cast<std::size_t>(static_cast<const std::uint8_t*>(field) - BytesOf(image))] =
            true;
    };
    const SettingsBlock& block = image.settingsBlock;
    mark(&block.localPosition.longitudeDir);
    mark(&block.localPosition.latitudeDir);
    for (const SatelliteRecord& record : block.satellites) {
        mark(&record.direction);
        for (int tp = 0; tp < UsedTps(record); ++tp) {
            mark(&record.tps[static_cast<std::size_t>(tp)].polarization);
        }
    }
    return mask;
}

bool IsPair(std::uint8_t letter, std::uint8_t first, std::uint8_t second) {
    return letter == first || letter == second;
}

void CheckMeterFile(const std::filesystem::path& input, const Bytes& file, std::size_t cut) {
    const auto fresh = std::make_unique<MeterImage>(FreshMeterImage());
    auto image = std::make_unique<MeterImage>(*fresh);
    const LoadResult loaded = LoadMeterFile(input, *image);
    if (file.size() != kMeterFileSize) {
        FUZZ_CHECK(loaded == LoadResult::WrongSize);
        FUZZ_CHECK(*image == *fresh);
        return;
    }
    FUZZ_CHECK(loaded == LoadResult::Done);
    FUZZ_CHECK(std::memcmp(BytesOf(*image), file.data(), kMeterFileSize) == 0);

    const auto asLoaded = std::make_unique<MeterImage>(*image);
    NormaliseLetters(image->settingsBlock);
    const std::vector<bool> letters = LetterFields(*image);
    for (std::size_t i = 0; i < kMeterFileSize; ++i) {
        FUZZ_CHECK(BytesOf(*image)[i] == file[i] || letters[i]);
    }
    const SettingsBlock& block = image->settingsBlock;
    FUZZ_CHECK(IsPair(block.localPosition.longitudeDir, 'E', 'W'));
    FUZZ_CHECK(IsPair(block.localPosition.latitudeDir, 'N', 'S'));
    for (const SatelliteRecord& record : block.satellites) {
        FUZZ_CHECK(IsPair(record.direction, 'E', 'W'));
        FUZZ_CHECK(NameText(record).size() <= kNameSize);
        for (int tp = 0; tp < UsedTps(record); ++tp) {
            FUZZ_CHECK(IsPair(record.tps[static_cast<std::size_t>(tp)].polarization, 'H', 'V'));
        }
    }
    const auto normalised = std::make_unique<MeterImage>(*image);
    NormaliseLetters(image->settingsBlock);
    FUZZ_CHECK(*image == *normalised);

    const std::filesystem::path output = WorkDir() / "out.bin";
    FUZZ_CHECK(SaveMeterFile(output, *image) == SaveResult::Done);
    const Bytes saved = ReadBytes(output);
    FUZZ_CHECK(saved.size() == kMeterFileSize &&
               std::memcmp(saved.data(), BytesOf(*image), kMeterFileSize) == 0);
    auto reloaded = std::make_unique<MeterImage>();
    FUZZ_CHECK(LoadMeterFile(output, *reloaded) == LoadResult::Done && *reloaded == *image);

    // A save cut short anywhere leaves the previous file and no temporary file.
    const std::size_t entries = FolderEntries();
    LimitBytesWrittenForTests(cut % kMeterFileSize);
    const SaveResult cutSave = SaveMeterFile(output, *asLoaded);
    LimitBytesWrittenForTests(kNoWriteLimit);
    FUZZ_CHECK(cutSave == SaveResult::WriteError);
    FUZZ_CHECK(ReadBytes(output) == saved);
    FUZZ_CHECK(FolderEntries() == entries);
}

void CheckSatListFile(const std::filesystem::path& input, const Bytes& file) {
    SatRecordList library;
    const SatListReadResult read = ReadSatListFile(input, library);
    const std::size_t recordSize = sizeof(SatelliteRecord);
    std::vector<SatelliteRecord> expected;
    if (file.empty() || file.size() % recordSize != 0) {
        FUZZ_CHECK(read == SatListReadResult::WrongSize);
        FUZZ_CHECK(library.GetCount() == 0);
    } else {
        FUZZ_CHECK(read == SatListReadResult::Done);
        expected.resize(file.size() / recordSize);
        std::memcpy(expected.data(), file.data(), file.size());
        // InsertSorted puts a name before its equals: the last read of a name comes first.
        std::reverse(expected.begin(), expected.end());
        std::stable_sort(expected.begin(), expected.end(),
                         [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; });
        FUZZ_CHECK(library.GetCount() == static_cast<int>(expected.size()));
        for (int i = 0; i < library.GetCount(); ++i) {
            FUZZ_CHECK(library.GetAt(i) == expected[static_cast<std::size_t>(i)]);
        }
    }
    const std::filesystem::path output = WorkDir() / "out.sat";
    FUZZ_CHECK(WriteSatListFile(output, library) == SatListWriteResult::Done);
    const Bytes saved = ReadBytes(output);
    FUZZ_CHECK(saved.size() == expected.size() * recordSize);
    FUZZ_CHECK(saved.empty() || std::memcmp(saved.data(), expected.data(), saved.size()) == 0);
}

} // namespace

// Byte 0 picks the file: odd puts the rest over a fresh image from the system setting on (so
// most inputs reach the interpreted bytes), even uses the rest as the file itself. Bytes 1..2
// also say where a cut-short save stops.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes file;
    std::size_t cut = 0;
    if (size > 0) {
        const std::uint8_t* rest = data + 1;
        const std::size_t restSize = size - 1;
        if (data[0] & 1) {
            const auto fresh = std::make_unique<MeterImage>(FreshMeterImage());
            file.assign(BytesOf(*fresh), BytesOf(*fresh) + kMeterFileSize);
            std::memcpy(file.data() + kSystemSettingOffset, rest,
                        std::min(restSize, kMeterFileSize - kSystemSettingOffset));
        } else {
            file.assign(rest, rest + restSize);
        }
        cut = size >= 3 ? static_cast<std::size_t>(data[1] << 8 | data[2]) * 7 : 0;
    }
    const std::filesystem::path input = WorkDir() / "input";
    WriteBytes(input, file.data(), file.size());
    CheckMeterFile(input, file, cut);
    CheckSatListFile(input, file);
    return 0;
}
