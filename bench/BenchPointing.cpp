// The declination at one site, and the pointing sheet's CSV text for twenty satellites with
// eight transponders each, from the block as the window holds it.

#include "model/Geomagnetism.h"
#include "model/PointingTable.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MagneticDeclination(benchmark::State& state) {
    double latitude = 48.1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MagneticDeclination(latitude, 11.6, 2026.5));
        benchmark::ClobberMemory();
        latitude = latitude > 60.0 ? 48.1 : latitude + 0.01; // no two calls alike
    }
}
BENCHMARK(BM_MagneticDeclination);

void BM_PointingCsv(benchmark::State& state) {
    SettingsBlock block = FreshMeterImage().settingsBlock; // twenty satellites in use
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        block.satellites[slot].longitude = static_cast<std::uint16_t>(slot * 45);
        block.satellites[slot].positionType = 1;
        block.satellites[slot].switchType = 1;
    }
    for (auto _ : state) {
        const std::string csv = PointingCsv(MakePointingTable(block, 2026.5));
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(BM_PointingCsv)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
