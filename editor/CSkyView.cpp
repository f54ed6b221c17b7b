#include "editor/CSkyView.h"

#include "controls/UserPrompts.h"
#include "editor/CSatelliteNode.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QToolTip>
#include <QVarLengthArray>

#include <algorithm>

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

CSkyView::CSkyView(const MeterImage& image, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_image(image), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Sky View"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
    m_menu = new QMenu(this);
    connect(m_menu->addAction(QStringLiteral("Save Image...")), &QAction::triggered, this,
            &CSkyView::SaveImage);
}

CSkyView::~CSkyView() = default;

void CSkyView::Refresh(int selectedSlot) {
    m_selectedSlot = selectedSlot;
    update();
}

void CSkyView::Open() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QSize CSkyView::sizeHint() const {
    return {720, 400};
}

const SkyChart& CSkyView::Chart() const {
    SkyInput input = SkyInput::From(m_image.settingsBlock, QSizeF(size()), font());
    if (!m_chart || !(m_chart->Input() == input)) {
        m_chart.emplace(input);
    }
    return *m_chart;
}

QPointF CSkyView::SatellitePoint(int slot) const {
    const SkyChart::Mark* mark = Chart().MarkOf(slot);
    return mark != nullptr ? mark->dot : QPointF();
}

QRectF CSkyView::LabelRect(int slot) const {
    const SkyChart::Mark* mark = Chart().MarkOf(slot);
    return mark != nullptr ? mark->labelRect : QRectF();
}

QRectF CSkyView::ChartRect() const {
    return Chart().Plot();
}

QStringList CSkyView::BelowHorizon() const {
    QStringList texts;
    for (const auto& entry : Chart().Below()) {
        texts << entry.second;
    }
    return texts;
}

int CSkyView::SlotAt(const QPointF& point) const {
    return Chart().SlotAt(point);
}

bool CSkyView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int slot = SlotAt(help->pos());
        if (slot >= 0) {
            QToolTip::showText(help->globalPos(), CSatelliteNode::PointingHintText(m_image, slot),
                               this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void CSkyView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int slot = SlotAt(event->position());
        if (slot >= 0) {
            emit SatelliteClicked(slot);
        }
    }
    QWidget::mousePressEvent(event);
}

void CSkyView::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->popup(event->globalPos());
}

void CSkyView::SaveImage() {
    const QString path = m_prompts.SaveFileName(this, QStringLiteral("PNG Image (*.png)|*.png|"),
                                                QStringLiteral("SkyView"), QStringLiteral(".png"));
    if (path.isEmpty()) {
        return;
    }
    // Written beside the target and moved over it only when complete, so a failed save leaves
    // an older picture of the same name as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !RenderImage().save(&file, "PNG") || !file.commit()) {
        m_prompts.Message(this, QStringLiteral("Write file error!"));
    }
}

QImage CSkyView::RenderImage() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull()) {
        QPainter painter(&image);
        Paint(painter);
    }
    return image;
}

void CSkyView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter);
}

// Drawn as vectors and text straight onto the target at its own resolution, so the chart is
// sharp at any scale factor.
void CSkyView::Paint(QPainter& painter) const {
    const SkyChart& chart = Chart();
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    if (!chart.Plot().isEmpty()) {
        PaintFrame(painter, chart);
        PaintSatellites(painter, chart);
    }
    PaintBelow(painter, chart);
}

void CSkyView::PaintFrame(QPainter& painter, const SkyChart& chart) const {
    const QPalette& colours = palette();
    const QColor ink = colours.color(QPalette::WindowText);
    const QColor grid = Blend(colours.color(QPalette::Base), colours.color(QPalette::Text), 0.18);
    const QRectF plot = chart.Plot();
    const double line = painter.fontMetrics().height();
    QFont bold = font();
    bold.setBold(true);

    painter.fillRect(plot, colours.color(QPalette::Base));
    // Straight grid lines need no antialiasing, and one call draws them all.
    QVarLengthArray<QLineF, 32> lines;
    for (const SkyChart::Tick& tick : chart.AzimuthTicks()) {
        lines.append({tick.position, plot.top(), tick.position, plot.bottom()});
    }
    for (const SkyChart::Tick& tick : chart.ElevationTicks()) {
        lines.append({plot.left(), tick.position, plot.right(), tick.position});
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(grid, 1.0));
    painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
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
            painter.setFont(font());
        }
    }
    // The horizon, heavier than the frame.
    painter.setPen(QPen(ink, 2.0));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());

    painter.setPen(QPen(colours.color(QPalette::Link), 1.0));
    painter.drawPolyline(chart.Arc());
}

void CSkyView::PaintSatellites(QPainter& painter, const SkyChart& chart) const {
    const QPalette& colours = palette();
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
    for (const SkyChart::Mark& mark : chart.Marks()) {
        if (mark.labelRect.isNull()) {
            continue;
        }
        const bool selected = mark.slot == m_selectedSlot;
        painter.setPen(QPen(selected ? colours.color(QPalette::Highlight) : border, 1.0));
        painter.setBrush(selected ? colours.color(QPalette::Highlight) : base);
        painter.drawRect(mark.labelRect.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(selected ? colours.color(QPalette::HighlightedText) : text);
        DrawLine(painter, mark.labelRect, Qt::AlignHCenter, mark.label);
    }
    for (const SkyChart::Mark& mark : chart.Marks()) {
        const bool selected = mark.slot == m_selectedSlot;
        painter.setPen(selected ? QPen(text, 1.5) : Qt::NoPen);
        painter.setBrush(selected ? colours.color(QPalette::Highlight) : text);
        const double radius = selected ? kSelectedRadius : SkyChart::kDotRadius;
        painter.drawEllipse(mark.dot, radius, radius);
    }
    painter.restore();
}

void CSkyView::PaintBelow(QPainter& painter, const SkyChart& chart) const {
    if (chart.Below().empty()) {
        return;
    }
    const QPalette& colours = palette();
    const QRectF caption = chart.BelowRow(-1);
    painter.setPen(colours.color(QPalette::WindowText));
    DrawLine(painter, caption.adjusted(kPad, 0.0, 0.0, 0.0), Qt::AlignLeft,
             SkyChart::BelowCaption());
    const int rows = static_cast<int>(chart.Below().size());
    for (int i = 0; i < rows; ++i) {
        const auto& [slot, label] = chart.Below()[static_cast<std::size_t>(i)];
        const QRectF row = chart.BelowRow(i);
        if (row.bottom() > height()) {
            break;
        }
        const bool selected = slot == m_selectedSlot;
        if (selected) {
            painter.fillRect(row, colours.color(QPalette::Highlight));
        }
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
        const QRectF textBox = row.adjusted(2.0 * kPad, 0.0, -kPad, 0.0);
        DrawLine(painter, textBox, Qt::AlignLeft,
                 painter.fontMetrics().elidedText(label, Qt::ElideRight,
                                                  static_cast<int>(textBox.width())));
    }
}
