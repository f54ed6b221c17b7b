#pragma once

#include "chart/SkyChart.h"

#include <QPalette>

class QPainter;

// Draws a SkyChart as vectors and text, in the chart's own coordinates (its size from the
// origin), with the chart's font and the given colours. The Sky View paints with the
// desktop's palette; a printed sheet passes a light one.
class SkyChartPainter {
public:
    SkyChartPainter(const SkyChart& chart, const QPalette& colours);

    // The whole chart area including its background; the satellite of `selectedSlot` is
    // highlighted (-1: none).
    void Paint(QPainter& painter, int selectedSlot) const;

private:
    void PaintFrame(QPainter& painter) const;
    void PaintSatellites(QPainter& painter, int selectedSlot) const;
    void PaintBelow(QPainter& painter, int selectedSlot) const;

    const SkyChart& m_chart;
    const QPalette& m_colours;
};
