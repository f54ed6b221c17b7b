#include "editor/CSkyView.h"

#include "chart/SkyChartPainter.h"
#include "controls/UserPrompts.h"
#include "editor/CSatelliteNode.h"
#include "model/Geomagnetism.h"
#include "model/LookAngles.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QToolTip>

#include <algorithm>
#include <cmath>

CSkyView::CSkyView(const MeterImage& image, UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_image(image), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("Sky View"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
    m_menu = new QMenu(this);
    connect(m_menu->addAction(QStringLiteral("Save Image...")), &QAction::triggered, this,
            &CSkyView::SaveImage);
    m_compassAction = m_menu->addAction(QStringLiteral("Compass Bearings"));
    m_compassAction->setCheckable(true);
    connect(m_compassAction, &QAction::toggled, this, &CSkyView::SetCompassBearings);
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

void CSkyView::SetCompassBearings(bool on) {
    m_compass = on;
    m_compassAction->setChecked(on);
    update();
}

const SkyChart& CSkyView::Chart() const {
    SkyInput input = SkyInput::From(m_image.settingsBlock, QSizeF(size()), font());
    if (m_compass) {
        const QDate today = QDate::currentDate();
        input.compass = true;
        input.declination = MagneticDeclination(
            SiteLatitudeDegrees(input.position), SiteLongitudeDegrees(input.position),
            DecimalYear(today.year(), today.month(), today.day()));
    }
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

QList<std::pair<int, double>> CSkyView::ScaleMarks() const {
    QList<std::pair<int, double>> marks;
    for (const SkyChart::Tick& tick : Chart().AzimuthTicks()) {
        if (tick.labelled) {
            marks.append({static_cast<int>(std::lround(tick.azimuthOrElevation)), tick.position});
        }
    }
    return marks;
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

void CSkyView::Paint(QPainter& painter) const {
    SkyChartPainter(Chart(), palette()).Paint(painter, m_selectedSlot);
}
