#include "chart/PointingSheetPdf.h"

#include "chart/SkyChart.h"
#include "chart/SkyChartPainter.h"
#include "model/LookAngles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Everything is laid out in points: the painter is scaled from the writer's resolution.
constexpr double kMargin = 36.0;
constexpr double kCellPad = 3.0;
constexpr double kTextSize = 8.0;
constexpr double kTitleSize = 14.0;
constexpr double kChartWidth = 430.0;
constexpr double kChartHeight = 200.0;
constexpr double kHeaderHeight = kChartHeight + 12.0; // the first page's, above the table
constexpr double kFooter = 16.0;

enum Column {
    kSlot,
    kName,
    kPosition,
    kAzimuth,
    kCompass,
    kElevation,
    kSkew,
    kMotor,
    kLnb,
    kSwitch,
    kTone,
    kTransponders,
    kColumnCount
};
// A satellite below the horizon says so across these.
constexpr int kFirstAngle = kAzimuth;
constexpr int kLastAngle = kMotor;

QString Heading(int column) {
    static const char* const kHeadings[kColumnCount] = {
        "Slot",      "Satellite",   "Position", "Azimuth\ntrue", "Azimuth\nby compass",
        "Elevation", "Skew",        "Motor",    "LNB",           "Switch",
        "22 kHz",    "Transponders"};
    return QString::fromLatin1(kHeadings[column]);
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString Degrees(double value) {
    return Utf8(TenthText(value)) + QStringLiteral("\u00b0");
}

// "19.2° E", as the windows show it.
QString PositionText(const SettingsBlock& block, int slot) {
    return QString::fromStdString(
        OrbitalPositionText(block.satellites[static_cast<std::size_t>(slot)]));
}

QString DeclinationText(double declination) {
    const QString amount = Utf8(TenthText(std::abs(declination)));
    if (amount == QStringLiteral("0.0")) {
        return QStringLiteral("magnetic north along true north");
    }
    return QStringLiteral("magnetic north %1\u00b0 %2 of true north")
        .arg(amount, declination < 0.0 ? QStringLiteral("west") : QStringLiteral("east"));
}

// The chart on paper: black on white whatever the desktop's colours.
QPalette PrintPalette() {
    QPalette colours;
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Link, QColor(0x1a, 0x5f, 0xb4));
    colours.setColor(QPalette::Highlight, QColor(0x1a, 0x5f, 0xb4));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    return colours;
}

void DrawLines(QPainter& painter, const QStringList& lines, double left, double top) {
    const QFontMetricsF metrics(painter.font());
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(QPointF(left, top + metrics.ascent() + i * metrics.height()), lines[i]);
    }
}

} // namespace

PointingSheetPdf::PointingSheetPdf(const PointingTable& table, const SettingsBlock& block,
                                   const QString& meterFileName, const QDate& date)
    : m_table(table), m_block(block), m_meterFileName(QFileInfo(meterFileName).fileName()),
      m_date(date), m_font(QFontDatabase::systemFont(QFontDatabase::GeneralFont)) {
    // Pixel sizes, read as points under the painter's scale: the metrics used for the layout
    // are then those of the printed text, whatever the screen's resolution.
    m_font.setPixelSize(static_cast<int>(kTextSize));
    // Plain glyphs, no ligatures: the sheet's words stay searchable as typed ("file", not
    // "ﬁle"), and unshaped text is quicker to lay out.
    m_font.setStyleStrategy(QFont::PreferNoShaping);
    m_bold = m_font;
    m_bold.setBold(true);
    LayOutColumns();
}

QPageSize PointingSheetPdf::PageSizeFor(const QLocale& locale) {
    static constexpr QLocale::Territory kLetter[] = {
        QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Philippines,
        QLocale::Chile,        QLocale::Colombia,   QLocale::Venezuela, QLocale::CostaRica,
        QLocale::Guatemala,    QLocale::PuertoRico, QLocale::Panama,    QLocale::ElSalvador};
    const bool letter =
        locale.measurementSystem() == QLocale::ImperialUSSystem ||
        std::find(std::begin(kLetter), std::end(kLetter), locale.territory()) != std::end(kLetter);
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

// The narrow columns take what their texts need; skew and transponders share the rest of the
// width, so that the words wrap rather than run into the next column.
void PointingSheetPdf::LayOutColumns() {
    const QPageLayout layout(PageSizeFor(QLocale()), QPageLayout::Landscape, QMarginsF());
    const double width = layout.fullRect(QPageLayout::Point).width() - 2.0 * kMargin;
    const QFontMetricsF metrics(m_font);
    const QFontMetricsF bold(m_bold);
    m_columns.assign(kColumnCount, 0.0);
    const auto fit = [&](int column, const QString& text, const QFontMetricsF& with) {
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            m_columns[static_cast<std::size_t>(column)] =
                std::max(m_columns[static_cast<std::size_t>(column)],
                         std::ceil(with.horizontalAdvance(line)) + 2.0 * kCellPad);
        }
    };
    for (int column = 0; column < kColumnCount; ++column) {
        fit(column, Heading(column), bold);
    }
    fit(kAzimuth, QStringLiteral("359.9\u00b0"), metrics);
    fit(kElevation, QStringLiteral("90.0\u00b0"), metrics);
    fit(kMotor, QStringLiteral("180.0\u00b0 W"), metrics);
    for (const PointingRow& row : m_table.rows) {
        fit(kSlot, QString::number(row.slot + 1), metrics);
        fit(kName, Utf8(row.name), metrics);
        fit(kPosition, PositionText(m_block, row.slot), metrics);
        fit(kLnb, Utf8(row.lnbType), metrics);
        fit(kSwitch, Utf8(row.switchText), metrics);
        fit(kTone, Utf8(row.tone), metrics);
    }
    const double fixed = std::accumulate(m_columns.begin(), m_columns.end(), 0.0) -
                         m_columns[kSkew] - m_columns[kTransponders];
    const double rest = std::max(0.0, width - fixed);
    m_columns[kSkew] = std::max(m_columns[kSkew], std::floor(rest * 0.42));
    m_columns[kTransponders] = std::max(m_columns[kTransponders], rest - m_columns[kSkew]);

    m_headingHeight = 2.0 * bold.height() + 2.0 * kCellPad;
}

QStringList PointingSheetPdf::Wrap(const QStringList& pieces, const QString& separator,
                                   double width) const {
    const QFontMetricsF metrics(m_font);
    const double room = width - 2.0 * kCellPad;
    QStringList lines;
    for (const QString& piece : pieces) {
        if (!lines.isEmpty() &&
            metrics.horizontalAdvance(lines.back() + separator + piece) <= room) {
            lines.back() += separator + piece;
        } else {
            lines << piece;
        }
    }
    return lines;
}

PointingSheetPdf::Row PointingSheetPdf::MakeRow(const PointingRow& source) const {
    Row row;
    row.cells.resize(kColumnCount);
    const auto cell = [&](int column) -> QStringList& {
        return row.cells[static_cast<std::size_t>(column)];
    };
    const auto width = [&](int column) {
        return m_columns[static_cast<std::size_t>(column)];
    };
    cell(kSlot) << QString::number(source.slot + 1);
    cell(kName) << Utf8(source.name);
    cell(kPosition) << PositionText(m_block, source.slot);
    row.below = !source.visible;
    if (source.visible) {
        cell(kAzimuth) << Degrees(source.azimuth);
        cell(kCompass) << Degrees(source.compassAzimuth);
        cell(kElevation) << Degrees(source.elevation);
        cell(kSkew) = Wrap(Utf8(SkewText(source.skew)).split(QLatin1Char(' ')), QStringLiteral(" "),
                           width(kSkew));
        if (source.motor) {
            QString motor = Utf8(MotorText(*source.motor));
            motor.remove(QStringLiteral("Motor "));
            cell(kMotor) << motor;
        }
    } else {
        cell(kFirstAngle) << QStringLiteral("below the horizon");
    }
    cell(kLnb) << Utf8(source.lnbType);
    cell(kSwitch) << Utf8(source.switchText);
    cell(kTone) << Utf8(source.tone);
    QStringList transponders;
    for (const std::string& transponder : source.transponders) {
        transponders << Utf8(transponder);
    }
    cell(kTransponders) = Wrap(transponders, QStringLiteral("; "), width(kTransponders));
    qsizetype lines = 1;
    for (const QStringList& text : row.cells) {
        lines = std::max(lines, text.size());
    }
    row.height = static_cast<double>(lines) * QFontMetricsF(m_font).height() + 2.0 * kCellPad;
    return row;
}

QStringList PointingSheetPdf::HeaderLines() const {
    QStringList lines;
    lines << QStringLiteral("Meter file: %1")
                 .arg(m_meterFileName.isEmpty() ? QStringLiteral("none") : m_meterFileName)
          << QStringLiteral("Date: %1").arg(m_date.toString(Qt::ISODate))
          << QStringLiteral("Site: %1").arg(QString::fromStdString(SiteText(m_block.localPosition)))
          << QStringLiteral("Declination: %1").arg(DeclinationText(m_table.declination));
    if (!m_table.withinModelPeriod) {
        lines << QString()
              << QStringLiteral("The date is outside the magnetic model's period, 2025 to 2029:")
              << QStringLiteral("the compass bearings are estimates.");
    }
    lines << QString() << QStringLiteral("Azimuths are read clockwise from north; the skew is")
          << QStringLiteral("seen from behind the dish, the motor from the meridian.");
    return lines;
}

// The title and the facts on the left, the sky chart on the right; answers the height taken.
double PointingSheetPdf::PaintHeader(QPainter& painter, double width) const {
    QFont title = m_bold;
    title.setPixelSize(static_cast<int>(kTitleSize));
    painter.setFont(title);
    painter.setPen(Qt::black);
    DrawLines(painter, {QStringLiteral("Pointing Sheet")}, 0.0, 0.0);
    QFont text = m_font;
    text.setPixelSize(static_cast<int>(kTextSize + 2.0));
    painter.setFont(text);
    DrawLines(painter, HeaderLines(), 0.0, QFontMetricsF(title).height() * 1.5);

    QFont chartFont = m_font;
    chartFont.setPixelSize(static_cast<int>(kTextSize - 1.0));
    const SkyChart chart(SkyInput::From(m_block, QSizeF(kChartWidth, kChartHeight), chartFont));
    const QPalette colours = PrintPalette();
    painter.save();
    painter.translate(width - kChartWidth, 0.0);
    painter.setClipRect(QRectF(0.0, 0.0, kChartWidth, kChartHeight));
    SkyChartPainter(chart, colours).Paint(painter, -1);
    painter.restore();
    return kHeaderHeight;
}

double PointingSheetPdf::PaintHeadings(QPainter& painter, double top) const {
    painter.setFont(m_bold);
    painter.setPen(Qt::black);
    double left = 0.0;
    for (int column = 0; column < kColumnCount; ++column) {
        DrawLines(painter, Heading(column).split(QLatin1Char('\n')), left + kCellPad,
                  top + kCellPad);
        left += m_columns[static_cast<std::size_t>(column)];
    }
    const double bottom = top + m_headingHeight;
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawLine(QPointF(0.0, bottom), QPointF(left, bottom));
    return bottom;
}

void PointingSheetPdf::PaintRow(QPainter& painter, const Row& row, double top) const {
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    double left = 0.0;
    for (int column = 0; column < kColumnCount; ++column) {
        const QStringList& lines = row.cells[static_cast<std::size_t>(column)];
        if (!lines.isEmpty()) {
            DrawLines(painter, lines, left + kCellPad, top + kCellPad);
        }
        // The note of a satellite below the horizon runs across its empty angle columns.
        left += m_columns[static_cast<std::size_t>(column)];
    }
    painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 0.5));
    painter.drawLine(QPointF(0.0, top + row.height), QPointF(left, top + row.height));
}

QByteArray PointingSheetPdf::Render() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Pointing Sheet"));
    writer.setCreator(QStringLiteral("orvex"));
    writer.setPageLayout(QPageLayout(PageSizeFor(QLocale()), QPageLayout::Landscape, QMarginsF()));
    const QRectF page = writer.pageLayout().fullRect(QPageLayout::Point);
    const double width = page.width() - 2.0 * kMargin;
    const double bottom = page.height() - kMargin - kFooter;

    std::vector<Row> rows;
    for (const PointingRow& source : m_table.rows) {
        rows.push_back(MakeRow(source));
    }
    // Pages first, so that each can say how many there are.
    std::vector<std::size_t> pageStarts{0};
    const double firstTop = kMargin + kHeaderHeight + m_headingHeight;
    double y = firstTop;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (y + rows[i].height > bottom && i > pageStarts.back()) {
            pageStarts.push_back(i);
            y = kMargin + m_headingHeight;
        }
        y += rows[i].height;
    }

    QPainter painter(&writer);
    const double scale = writer.resolution() / 72.0;
    for (std::size_t page = 0; page < pageStarts.size(); ++page) {
        if (page > 0) {
            writer.newPage();
        }
        painter.resetTransform();
        painter.scale(scale, scale);
        painter.translate(kMargin, kMargin);
        double top = page == 0 ? PaintHeader(painter, width) : 0.0;
        top = PaintHeadings(painter, top);
        const std::size_t end = page + 1 < pageStarts.size() ? pageStarts[page + 1] : rows.size();
        for (std::size_t i = pageStarts[page]; i < end; ++i) {
            PaintRow(painter, rows[i], top);
            top += rows[i].height;
        }
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        DrawLines(painter, {QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageStarts.size())},
                  0.0, bottom - kMargin + 4.0);
        // Pages that come apart on the roof still tell which sheet they belong to.
        const QString sheet = QStringLiteral("%1, %2").arg(
            m_meterFileName.isEmpty() ? QStringLiteral("Pointing Sheet") : m_meterFileName,
            m_date.toString(Qt::ISODate));
        DrawLines(painter, {sheet}, width - QFontMetricsF(m_font).horizontalAdvance(sheet),
                  bottom - kMargin + 4.0);
    }
    painter.end();
    return bytes;
}
