// Reading a satellite list file into the library: a full 65,535-record file into an empty
// library, and a 64,535-record file into one of 1,000 records. The records come in shuffled,
// with repeated names, and are merged in name order. OneByOne inserts the same file with
// InsertSorted record by record, as the merge must order them, for comparison.

#include "model/SatListFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<SatelliteRecord> RandomRecords(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<SatelliteRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char name[kNameSize] = {};
        std::snprintf(name, sizeof name, "Sat %05u", static_cast<unsigned>(random() % 30000));
        SatelliteRecord record = MakeNewSatellite(name);
        record.longitude = static_cast<std::uint16_t>(i);
        records.push_back(record);
    }
    return records;
}

class BenchFile final {
public:
    BenchFile(int count, unsigned seed)
        : m_path(
              std::filesystem::temp_directory_path() /
              ("orvex-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count) + ".sat")),
          m_records(RandomRecords(count, seed)) {
        std::ofstream(m_path, std::ios::binary)
            .write(reinterpret_cast<const char*>(m_records.data()),
                   static_cast<std::streamsize>(m_records.size() * sizeof(SatelliteRecord)));
    }
    BenchFile(const BenchFile&) = delete;
    BenchFile& operator=(const BenchFile&) = delete;
    ~BenchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }
    const std::vector<SatelliteRecord>& Records() const { return m_records; }

private:
    std::filesystem::path m_path;
    std::vector<SatelliteRecord> m_records;
};

SatRecordList Library(int count) {
    SatRecordList library;
    library.MergeSorted(RandomRecords(count, 99));
    return library;
}

void BM_ReadFileIntoLibrary(benchmark::State& state) {
    const int existing = static_cast<int>(state.range(0));
    const BenchFile file(kMaxSatListRecords - existing, 1);
    const SatRecordList start = Library(existing);
    for (auto _ : state) {
        state.PauseTiming();
        SatRecordList library = start;
        state.ResumeTiming();
        if (ReadSatListFile(file.Path(), library) != SatListReadResult::Done ||
            library.GetCount() != kMaxSatListRecords) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(library);
    }
}
BENCHMARK(BM_ReadFileIntoLibrary)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_OneByOne(benchmark::State& state) {
    const std::vector<SatelliteRecord> records = RandomRecords(kMaxSatListRecords, 1);
    for (auto _ : state) {
        SatRecordList library;
        for (const SatelliteRecord& record : records) {
            library.InsertSorted(record);
        }
        benchmark::DoNotOptimize(library);
    }
}
BENCHMARK(BM_OneByOne)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
