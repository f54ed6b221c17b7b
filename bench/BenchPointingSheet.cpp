// Writing the pointing sheet of twenty satellites with eight transponders each, as the menu
// and the command line do: the table, the PDF or CSV, and the safe write to a file. Release
// build:
//   build-rel/bench/orvex_bench_pointing_sheet
// The files go to a folder under TMPDIR; the safe write waits for the disk, so the real time
// of a CSV is mostly that wait (TMPDIR=/dev/shm leaves it out).
#include "chart/PointingSheet.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

MeterImage FullImage() {
    MeterImage image = FreshMeterImage();
    SettingsBlock& block = image.settingsBlock;
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    block.satCount = kMaxSatellites;
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        SatelliteRecord& record = block.satellites[slot];
        record = MakeNewSatellite(("Eutelsat " + std::to_string(10 + slot)).c_str());
        const int tenths = -450 + 60 * static_cast<int>(slot);
        record.longitude = static_cast<std::uint16_t>(std::abs(tenths));
        record.direction = tenths < 0 ? kWest : kEast;
        record.positionType = 1;
        record.tpCount = kMaxTps;
        for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
            record.tps[tp] = {27500, static_cast<std::uint16_t>(10714 + 50 * tp),
                              tp % 2 == 0 ? kHorizontal : kVertical, 0};
        }
    }
    return image;
}

void WriteSheet(benchmark::State& state, const char* name) {
    const MeterImage image = FullImage();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        if (WritePointingSheet(path, image, QStringLiteral("MData.bin"), QDate(2026, 6, 15)) !=
            SheetResult::Written) {
            state.SkipWithError("the sheet was not written");
            break;
        }
    }
}

void BM_PointingSheetPdf(benchmark::State& state) {
    WriteSheet(state, "sheet.pdf");
}
BENCHMARK(BM_PointingSheetPdf)->Unit(benchmark::kMillisecond);

void BM_PointingSheetCsv(benchmark::State& state) {
    WriteSheet(state, "sheet.csv");
}
BENCHMARK(BM_PointingSheetCsv)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The PDF's fonts need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
