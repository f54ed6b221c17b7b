// Draws orvex's icons with QPainter and writes them as PNG files into the given folder.
// The PNGs are committed under res/icons; run this again only to change the drawings:
//   cmake --build build --target orvex_make_icons && build/tools/orvex_make_icons res/icons
// The tree's four icons are compiled in as tables: tools/icon_table.py writes them afresh.
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>; // draws into a 64 x 64 canvas

void Write(const QString& path, int size, const Drawing& draw) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    draw(painter);
    painter.end();
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}

// A dish on a stand looking up at a satellite: the application icon.
void DrawApp(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 74, 140));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setBrush(QColor(236, 240, 245));
    QPainterPath dish;
    dish.moveTo(10, 30);
    dish.cubicTo(14, 52, 38, 58, 50, 46);
    dish.closeSubpath();
    p.drawPath(dish);
    p.setPen(QPen(QColor(236, 240, 245), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 44), QPointF(40, 30));
    p.drawLine(QPointF(24, 50), QPointF(20, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 190, 60));
    p.drawEllipse(QPointF(48, 15), 7, 7);
    p.setBrush(QColor(120, 200, 255));
    p.drawRect(QRectF(35, 12, 6, 6));
    p.drawRect(QRectF(55, 12, 6, 6));
}

// The meter itself: the tree's root.
void DrawMeter(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(QColor(70, 110, 170));
    p.drawRoundedRect(QRectF(12, 4, 40, 56), 6, 6);
    p.setBrush(QColor(200, 235, 200));
    p.drawRect(QRectF(18, 10, 28, 20));
    p.setPen(QPen(QColor(30, 120, 30), 3));
    p.drawLine(QPointF(22, 26), QPointF(38, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawEllipse(QPointF(21 + col * 11, 40 + row * 10), 3.5, 3.5);
        }
    }
}

// A gear: the system settings.
void DrawGear(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 100));
    p.translate(32, 32);
    for (int tooth = 0; tooth < 8; ++tooth) {
        p.drawRect(QRectF(-5, -30, 10, 14));
        p.rotate(45);
    }
    p.drawEllipse(QPointF(0, 0), 21, 21);
    p.setBrush(QColor(235, 235, 235));
    p.drawEllipse(QPointF(0, 0), 8, 8);
}

// A map pin: the position of the dish.
void DrawPin(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 50, 50));
    QPainterPath pin;
    pin.moveTo(32, 62);
    pin.cubicTo(20, 44, 10, 34, 10, 24);
    pin.arcTo(QRectF(10, 2, 44, 44), 180, -180);
    pin.cubicTo(54, 34, 44, 44, 32, 62);
    p.drawPath(pin);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(32, 24), 9, 9);
}

// A satellite with two solar panels.
void DrawSatellite(QPainter& p) {
    p.translate(32, 32);
    p.rotate(-30);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(60, 110, 200));
    p.drawRect(QRectF(-30, -9, 20, 18));
    p.drawRect(QRectF(10, -9, 20, 18));
    p.drawLine(QPointF(-10, 0), QPointF(10, 0));
    p.setBrush(QColor(220, 180, 60));
    p.drawRect(QRectF(-7, -11, 14, 22));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: orvex_make_icons <folder>\n");
        return 2;
    }
    const QDir out(args[1]);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        Write(out.filePath(QString("orvex-%1.png").arg(size)), size, DrawApp);
    }
    Write(out.filePath("root.png"), 16, DrawMeter);
    Write(out.filePath("system.png"), 16, DrawGear);
    Write(out.filePath("position.png"), 16, DrawPin);
    Write(out.filePath("satellite.png"), 16, DrawSatellite);
    return 0;
}
