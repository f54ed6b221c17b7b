#include "chart/SkyChartPainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kPad = 4.0;
constexpr double kSelectedRadius = SkyChart::kDotRadius + 2.0;

// A colour between two palette colours, so that lines stay quiet in light and dark themes.
QColor Blend(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(
        static_cast<float>(from.redF() + (to.redF() - from.redF()) * share),
        static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share),
        static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share));
}

QString CompassLetter(double azimuth) {
    switch (std::lround(azimuth) % 360) {
    case 0:
        return QStringLiteral("N");
    case 90:
        return QStringLiteral("E");
    case 180:
        return QStringLiteral("S");
    case 270:
        return QStringLiteral("W");
    default:
        return {};
    }
}

// One line of text aligned in a box. Drawn from its baseline point: drawing into a box lays
// the text out as a paragraph first, which made up most of the time of a paint.
void DrawLine(QPainter& painter, const QRectF& box, Qt::Alignment align, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    double x = box.left();
    if (align & (Qt::AlignHCenter | Qt::AlignRight)) {
        const double width = metrics.horizontalAdvance(text);
        x = align & Qt::AlignRight ? box.right() - width : box.center().x() - width / 2.0;
    }
    const double y = box.center().y() - metrics.height() / 2.0 + metrics.ascent();
    painter.drawText(QPointF(x, y), text);
}

} // namespace

SkyChartPainter::SkyChartPainter(const SkyChart& chart, const QPalette& colours)
    : m_chart(chart), m_colours(colours) {}

// Drawn as vectors and text straight onto the target at its own resolution, so the chart is
// sharp at any scale factor and in print.
void SkyChartPainter::Paint(QPainter& painter, int selectedSlot) const {
    painter.fillRect(QRectF(QPointF(0.0, 0.0), m_chart.Input().size),
                     m_colours.color(QPalette::Window));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(m_chart.Input().font);
    if (!m_chart.Plot().isEmpty()) {
        PaintFrame(painter);
        PaintSatellites(painter, selectedSlot);
    }
    PaintBelow(painter, selectedSlot);
}

void SkyChartPainter::PaintFrame(QPainter& painter) const {
    const SkyChart& chart = m_chart;
    const QPalette& colours = m_colours;
    const QColor ink = colours.color(QPalette::WindowText);
    const QColor grid = Blend(colours.color(QPalette::Base), colours.color(QPalette::Text), 0.18);
    const QRectF plot = chart.Plot();
    const double line = QFontMetricsF(chart.Input().font).height();
    const QFont& font = chart.Input().font;
    QFont bold = font;
    bold.setBold(true);

    painter.fillRect(plot, colours.color(QPalette::Base));
    // Straight grid lines need no antialiasing; as one unit wide rectangles they are filled
    // directly, where the line drawer took as long as everything else in the frame.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const SkyChart::Tick& tick : chart.AzimuthTicks()) {
        painter.fillRect(QRectF(tick.position - 0.5, plot.top(), 1.0, plot.height()), grid);
    }
    for (const SkyChart::Tick& tick : chart.ElevationTicks()) {
        painter.fillRect(QRectF(plot.left(), tick.position - 0.5, plot.width(), 1.0), grid);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);

    painter.setPen(QPen(ink, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    for (const SkyChart::Tick& tick : chart.ElevationTicks()) {
        if (tick.labelled) {
            const QRectF box(0.0, tick.position - line / 2.0, plot.left() - kPad, line);
            DrawLine(painter, box, Qt::AlignRight,
                     QStringLiteral("%1\u00b0").arg(std::lround(tick.azimuthOrElevation)));
        }
    }
    for (const SkyChart::Tick& tick : chart.AzimuthTicks()) {
        const double length = tick.labelled ? kPad : kPad / 2.0;
        painter.drawLine(QPointF(tick.position, plot.bottom()),
                         QPointF(tick.position, plot.bottom() + length));
        if (!tick.labelled) {
            continue;
        }
        const QRectF degrees(tick.position - 3.0 * line, plot.bottom() + kPad, 6.0 * line, line);
        DrawLine(painter, degrees, Qt::AlignHCenter,
                 SkyChart::AzimuthText(tick.azimuthOrElevation));
        const QString letter = CompassLetter(tick.azimuthOrElevation);
        if (!letter.isEmpty()) {
            painter.setFont(bold);
            DrawLine(painter, degrees.translated(0.0, line), Qt::AlignHCenter, letter);
            painter.setFont(font);
        }
    }
    // The horizon, heavier than the frame.
    painter.setPen(QPen(ink, 2.0));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    painter.setPen(QPen(colours.color(QPalette::Link), 1.0));
    painter.drawPolyline(chart.Arc());
}

void SkyChartPainter::PaintSatellites(QPainter& painter, int selectedSlot) const {
    const SkyChart& chart = m_chart;
    const QPalette& colours = m_colours;
    const QColor text = colours.color(QPalette::Text);
    const QColor base = colours.color(QPalette::Base);
    const QColor border = Blend(base, text, 0.35);

    painter.save();
    painter.setClipRect(chart.Plot());
    for (const SkyChart::Mark& mark : chart.Marks()) {
        if (!mark.leader.isNull()) {
            painter.setPen(QPen(Blend(base, text, 0.6), 1.0));
            painter.drawLine(mark.leader);
        }
    }
    // Label frames as two filled rectangles on whole pixels: crisp, and far quicker than an
    // antialiased outline.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const SkyChart::Mark& mark : chart.Marks()) {
        if (mark.labelRect.isNull()) {
            continue;
        }
        const bool selected = mark.slot == selectedSlot;
        const QColor fill = selected ? colours.color(QPalette::Highlight) : base;
        painter.fillRect(mark.labelRect, selected ? fill : border);
        painter.fillRect(mark.labelRect.adjusted(1.0, 1.0, -1.0, -1.0), fill);
        painter.setPen(selected ? colours.color(QPalette::HighlightedText) : text);
        // The frame was made to the text's width: no need to measure it again to centre it.
        DrawLine(painter, mark.labelRect.adjusted(SkyChart::kLabelPad, 0.0, 0.0, 0.0),
                 Qt::AlignLeft, mark.label);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const SkyChart::Mark& mark : chart.Marks()) {
        const bool selected = mark.slot == selectedSlot;
        painter.setPen(selected ? QPen(text, 1.5) : Qt::NoPen);
        painter.setBrush(selected ? colours.color(QPalette::Highlight) : text);
        const double radius = selected ? kSelectedRadius : SkyChart::kDotRadius;
        painter.drawEllipse(mark.dot, radius, radius);
    }
    painter.restore();
}

void SkyChartPainter::PaintBelow(QPainter& painter, int selectedSlot) const {
    const SkyChart& chart = m_chart;
    if (chart.Below().empty()) {
        return;
    }
    const QPalette& colours = m_colours;
    const QRectF caption = chart.BelowRow(-1);
    painter.setPen(colours.color(QPalette::WindowText));
    DrawLine(painter, caption.adjusted(kPad, 0.0, 0.0, 0.0), Qt::AlignLeft,
             SkyChart::BelowCaption());
    const int rows = static_cast<int>(chart.Below().size());
    for (int i = 0; i < rows; ++i) {
        const auto& [slot, label] = chart.Below()[static_cast<std::size_t>(i)];
        const QRectF row = chart.BelowRow(i);
        if (row.bottom() > chart.Input().size.height()) {
            break;
        }
        const bool selected = slot == selectedSlot;
        if (selected) {
            painter.fillRect(row, colours.color(QPalette::Highlight));
        }
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        const QRectF textBox = row.adjusted(2.0 * kPad, 0.0, -kPad, 0.0);
        DrawLine(
            painter, textBox, Qt::AlignLeft,
            QFontMetricsF(chart.Input().font).elidedText(label, Qt::ElideRight, textBox.width()));
    }
}
