// Time to paint the Sky View with twenty satellites, rendered into an image the size of the
// window, in a Release build:
//   QT_QPA_PLATFORM=offscreen build/bench/orvex_bench_sky_view [paints]
// "unchanged" repaints the same data, as when the window is uncovered; "after a change" moves
// a satellite before each paint, so the chart's layout is worked out again every time, as
// when the editor refreshes the view after an edit.
#include "app/QtUserPrompts.h"
#include "editor/CSkyView.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

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
        const auto start = std::chrono::steady_clock::now();
        view.render(&target);
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
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
        moving.longitude = static_cast<std::uint16_t>(i % 2 == 0 ? 5 : 6);
        view.Refresh(3);
    });
    std::printf("%d paints of %dx%d with 20 satellites, ms per paint (median / worst)\n", paints,
                view.width(), view.height());
    std::printf("  unchanged:      %.3f / %.3f\n", unchanged.median, unchanged.worst);
    std::printf("  after a change: %.3f / %.3f\n", changed.median, changed.worst);
    return 0;
}
