// Loading and saving one meter image through the model against a plain copy of the same bytes
// (open, write, fsync, rename) in the same folder: what the scratch image, the region reads
// and the save's safety checks cost on top of the disk work both have to do.

#include "model/MeterFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class BenchFolder final {
public:
    BenchFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("orvex-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
        const auto image = std::make_unique<MeterImage>(FreshMeterImage());
        if (SaveMeterFile(m_path / "in.bin", *image) != SaveResult::Done) {
            throw std::runtime_error("cannot write the input image");
        }
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::filesystem::path operator/(const char* name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

const BenchFolder& Folder() {
    static const BenchFolder folder;
    return folder;
}

void BM_LoadAndSaveMeterFile(benchmark::State& state) {
    const auto input = Folder() / "in.bin";
    const auto output = Folder() / "model.bin";
    auto image = std::make_unique<MeterImage>();
    for (auto _ : state) {
        if (LoadMeterFile(input, *image) != LoadResult::Done ||
            SaveMeterFile(output, *image) != SaveResult::Done) {
            state.SkipWithError("model load or save failed");
            break;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(2 * kMeterFileSize));
}

// syncFolder: also fsync the folder after the rename, as the model's save does.
void PlainCopy(benchmark::State& state, bool syncFolder) {
    const auto input = Folder() / "in.bin";
    const auto temp = Folder() / "plain.tmp";
    const auto output = Folder() / "plain.bin";
    std::vector<char> buffer(kMeterFileSize);
    for (auto _ : state) {
        const int in = ::open(input.c_str(), O_RDONLY);
        const bool read = in >= 0 && ::read(in, buffer.data(), buffer.size()) ==
                                         static_cast<ssize_t>(buffer.size());
        ::close(in);
        const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool written =
            out >= 0 &&
            ::write(out, buffer.data(), buffer.size()) == static_cast<ssize_t>(buffer.size()) &&
            ::fsync(out) == 0;
        ::close(out);
        if (!read || !written || ::rename(temp.c_str(), output.c_str()) != 0) {
            state.SkipWithError("plain copy failed");
            break;
        }
        if (syncFolder) {
            const int folder = ::open(output.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
            ::fsync(folder);
            ::close(folder);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(2 * kMeterFileSize));
}

void BM_PlainCopyWithRename(benchmark::State& state) {
    PlainCopy(state, false);
}

void BM_PlainCopyWithRenameAndFolderSync(benchmark::State& state) {
    PlainCopy(state, true);
}

} // namespace

BENCHMARK(BM_LoadAndSaveMeterFile)->UseRealTime();
BENCHMARK(BM_PlainCopyWithRename)->UseRealTime();
BENCHMARK(BM_PlainCopyWithRenameAndFolderSync)->UseRealTime();

BENCHMARK_MAIN();
