// Reading a set-top box satellite list of the size public ones have: 300 satellites in about
// 3 MB, written here so that no public table is needed; and planning the transponder refresh
// of a full meter from it.

#include "import/SatelliteTable.h"
#include "import/TransponderRefresh.h"
#include "import/XmlSatelliteTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

namespace {

class BenchTable final {
public:
    BenchTable()
        : m_path(std::filesystem::temp_directory_path() /
                 ("orvex-bench-table-" + std::to_string(::getpid()) + ".xml")) {
        std::mt19937 random(300);
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites>\n";
        char line[256];
        for (int sat = 0; sat < 300; ++sat) {
            const int position = sat * 12 - 1800;
            std::snprintf(line, sizeof line,
                          "\t<sat name=\"Bench %dA/%dB (%d.%dE)\" flags=\"1\" position=\"%d\">\n",
                          sat, sat, position / 10, std::abs(position % 10), position);
            xml += line;
            // Every fifth satellite is a C-band one, so the LNB choice runs too.
            const bool cBand = sat % 5 == 0;
            for (int tp = 0; tp < 92; ++tp) {
                std::snprintf(
                    line, sizeof line,
                    "\t\t<transponder frequency=\"%u\" symbol_rate=\"%u\" "
                    "polarization=\"%u\" fec_inner=\"%u\" system=\"%u\" "
                    "modulation=\"%u\"/>\n",
                    (cBand ? 3400000u : 10700000u) +
                        static_cast<unsigned>(random() % (cBand ? 800000 : 2050000)),
                    static_cast<unsigned>(1000000 + random() % 44000000),
                    static_cast<unsigned>(random() % 4), static_cast<unsigned>(random() % 10),
                    static_cast<unsigned>(random() % 2), static_cast<unsigned>(random() % 3));
                xml += line;
            }
            xml += "\t</sat>\n";
        }
        xml += "</satellites>\n";
        std::ofstream(m_path, std::ios::binary) << xml;
        m_size = xml.size();
    }
    BenchTable(const BenchTable&) = delete;
    BenchTable& operator=(const BenchTable&) = delete;
    ~BenchTable() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }
    std::size_t Size() const { return m_size; }

private:
    std::filesystem::path m_path;
    std::size_t m_size = 0;
};

void BM_ReadSatelliteXmlTable(benchmark::State& state) {
    static const BenchTable table;
    for (auto _ : state) {
        TableImport import;
        if (ReadSatelliteTable(table.Path(), import) != TableImportResult::Done ||
            import.records.size() != 300) {
            state.SkipWithError("the generated table did not read as 300 records");
            break;
        }
        benchmark::DoNotOptimize(import.records.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(table.Size()));
    state.counters["file_bytes"] = static_cast<double>(table.Size());
}

// The same list through QXmlStreamReader alone, the path that lists of unusual form take.
void BM_ReadWithStreamReaderOnly(benchmark::State& state) {
    static const BenchTable table;
    std::ifstream in(table.Path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const QByteArray content(text.data(), static_cast<qsizetype>(text.size()));
    for (auto _ : state) {
        int satellites = 0;
        if (!ReadXmlWithStreamReader(content, [&](const TableSatellite&) { ++satellites; }) ||
            satellites != 300) {
            state.SkipWithError("the generated table did not read as 300 satellites");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(table.Size()));
}

// Twenty slots in use, each on a satellite of the list; every fifth a C-band one under an OCS
// LNB, the others under a Universal LNB, some a tenth of a degree off.
SettingsBlock TwentyMatchedSlots() {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.satCount = 20;
    for (int slot = 0; slot < 20; ++slot) {
        const int sat = 10 + 14 * slot;
        const int tenths = sat * 12 - 1800 + slot % 2;
        SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        record.longitude = static_cast<std::uint16_t>(std::abs(tenths));
        record.direction = tenths < 0 ? kWest : kEast;
        record.lnbType = sat % 5 == 0 ? 1 : 0;
        record.lnbLowFreq = kLnbPresets[record.lnbType].low;
        record.lnbHighFreq = kLnbPresets[record.lnbType].high;
    }
    return block;
}

void BM_PlanTransponderRefresh(benchmark::State& state) {
    static const BenchTable table;
    const SettingsBlock meter = TwentyMatchedSlots();
    for (auto _ : state) {
        std::vector<RefreshedSlot> plan;
        if (PlanTransponderRefresh(table.Path(), meter, plan) != TableImportResult::Done ||
            plan.size() != 20) {
            state.SkipWithError("the plan did not renew all twenty slots");
            break;
        }
        benchmark::DoNotOptimize(plan.data());
    }
}

} // namespace

BENCHMARK(BM_ReadSatelliteXmlTable)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadWithStreamReaderOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanTransponderRefresh)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
