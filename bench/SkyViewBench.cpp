// Time to paint the Sky View with twenty satellites, rendered into an image the size of the
// window, in a Release build:
//   QT_QPA_PLATFORM=offscreen build/bench/orvex_bench_sky_view [paints]
// "unchanged" repaints the same data, as when the window is uncovered; "after a change" moves
// a satellite before each paint, so the chart's layout is worked out again every time, as
// when the editor refreshes the view after an edit. Times are the thread's CPU time, so that
// other processes on a busy machine do not count.
#include "app/QtUserPrompts.h"
#include "editor/CSkyView.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Twenty satellites within 30 degrees of arc seen from Munich: the most crowded labels.
MeterImage CrowdedImage() {
    MeterImage image = FreshMeterImage();
    SettingsBlock& block = image.settingsBlock;
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    block.satCount = 20;
    for (int slot = 0; slot < 20; ++slot) {
        SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        const std::string name = "Eutelsat " + std::to_string(10 + slot);
        record = MakeNewSatellite(name.c_str());
        const int tenths = -100 + 15 * slot;
        record.longitude = static_cast<std::uint16_t>(std::abs(tenths));
        record.direction = tenths < 0 ? kWest : kEast;
    }
    return image;
}

struct Figures {
    double median;
    double worst;
};

template <typename Before>
Figures Measure(CSkyView& view, QImage& target, int paints, Before before) {
    std::vector<double> times;
    for (int i = 0; i < paints; ++i) {
        before(i);
        const double start = CpuMilliseconds();
        view.render(&target);
        times.push_back(CpuMilliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int paints = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 100;
    MeterImage image = CrowdedImage();
    QtUserPrompts prompts;
    CSkyView view(image, prompts);
    view.resize(view.sizeHint());
    view.Refresh(3);
    view.show();
    QApplication::processEvents();
    QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);

    const Figures unchanged = Measure(view, target, paints, [](int) {});
    SatelliteRecord& moving = image.settingsBlock.satellites[7];
    const Figures changed = Measure(view, target, paints, [&](int i) {
        // No Refresh(): its update() would have the backing store painted as well, and the
        // view reads the image on every paint anyway.
        moving.longitude = static_cast<std::uint16_t>(i % 2 == 0 ? 5 : 6);
    });
    // The chart's geometry alone, which "after a change" includes.
    std::vector<double> layouts;
    for (int i = 0; i < paints; ++i) {
        moving.longitude = static_cast<std::uint16_t>(i % 2 == 0 ? 5 : 6);
        const double start = CpuMilliseconds();
        const SkyChart chart(SkyInput::From(image.settingsBlock, QSizeF(view.size()), view.font()));
        layouts.push_back(CpuMilliseconds() - start);
    }
    std::sort(layouts.begin(), layouts.end());
    std::printf("%d paints of %dx%d with 20 satellites, ms per paint (median / worst)\n", paints,
                view.width(), view.height());
    std::printf("  unchanged:      %.3f / %.3f\n", unchanged.median, unchanged.worst);
    std::printf("  after a change: %.3f / %.3f\n", changed.median, changed.worst);
    std::printf("  layout alone:   %.3f / %.3f\n", layouts[layouts.size() / 2], layouts.back());
    return 0;
}
