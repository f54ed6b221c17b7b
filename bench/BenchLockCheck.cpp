// The lock check of a full meter (twenty satellites of eight transponders), as the editor runs
// it after every change: a realistic meter without findings, and one where nearly every rule
// fires, so that the findings' vector and the switch comparisons of every pair are paid for.

#include "model/LockCheck.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

// Twenty satellites from 30.0 W to 65.0 E seen from Munich, each on its own switch input or
// positioner, with transponders over both bands and polarizations.
SettingsBlock CleanMeter() {
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    for (int slot = 0; slot < static_cast<int>(kMaxSatellites); ++slot) {
        SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        record = MakeNewSatellite(("Sat " + std::to_string(slot + 1)).c_str());
        const int tenths = -300 + 50 * slot;
        record.longitude = static_cast<std::uint16_t>(tenths < 0 ? -tenths : tenths);
        record.direction = tenths < 0 ? kWest : kEast;
        record.switchType = slot < 16 ? 2 : 0;
        record.switchInput = static_cast<std::uint8_t>(slot < 16 ? slot : 0);
        record.positionType = slot < 16 ? 0 : 1;
        for (int tp = 0; tp < static_cast<int>(kMaxTps); ++tp) {
            record.tps[static_cast<std::size_t>(tp)] = {
                27500, static_cast<std::uint16_t>(10750 + 250 * tp),
                tp % 2 == 0 ? kHorizontal : kVertical, 0};
        }
    }
    return block;
}

// The same satellites on one switch input with 18V, the tone held low, a symbol rate of 0 and
// every transponder twice.
SettingsBlock FaultyMeter() {
    SettingsBlock block = CleanMeter();
    for (SatelliteRecord& record : block.satellites) {
        record.switchType = 1;
        record.switchInput = 0;
        record.positionType = 0;
        record.lnbPower = 0;
        record.tone22k = 1;
        const auto original = record.tps;
        for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
            record.tps[tp] = original[tp / 2];
            record.tps[tp].symbolRate = 0;
        }
    }
    return block;
}

void BM_CheckMeter(benchmark::State& state, const SettingsBlock& block) {
    std::size_t findings = 0;
    for (auto _ : state) {
        const std::vector<LockFinding> found = CheckMeter(block);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK_CAPTURE(BM_CheckMeter, clean, CleanMeter())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckMeter, faulty, FaultyMeter())->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
