// The pointing sheet's files as a user's tools read them: the CSV as text, the PDF through
// pdftotext, and what is left on the disk when a write fails.

#include "chart/PointingSheet.h"
#include "chart/PointingSheetPdf.h"
#include "model/AtomicFile.h"
#include "model/Geomagnetism.h"
#include "model/PointingTable.h"
#include "tests/support/SheetFixture.h"

#include <QRegularExpression>
#include <QTest>

#include <fstream>

namespace {

const QDate kDate(2026, 6, 15);

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

PointingTable TableOf(const MeterImage& image, const QDate& date = kDate) {
    return MakePointingTable(image.settingsBlock,
                             DecimalYear(date.year(), date.month(), date.day()));
}

QString Pdf(const MeterImage& image, const QDate& date = kDate, const QString& file = {}) {
    return PdfText(PointingSheetBytes(SheetFormat::Pdf, image, file, date));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The line that starts with the texts in this order, as the table's columns stand; -1 for none.
qsizetype RowLine(const QStringList& lines, const QStringList& texts) {
    QStringList escaped;
    for (const QString& text : texts) {
        escaped << QRegularExpression::escape(text);
    }
    // indexOf matches whole lines.
    return lines.indexOf(
        QRegularExpression("\\s*" + escaped.join(QStringLiteral("\\s.*")) + QStringLiteral(".*")));
}

// What the first line of a row shows, column by column, from the sheet's numbers.
QStringList RowTexts(const PointingRow& row) {
    const QString position = Utf8(row.position);
    QStringList texts = {QString::number(row.slot + 1), Utf8(row.name),
                         position.chopped(1) + QStringLiteral("\u00b0 ") + position.back()};
    if (row.visible) {
        texts << Utf8(TenthText(row.azimuth)) + QStringLiteral("\u00b0")
              << Utf8(TenthText(row.compassAzimuth)) + QStringLiteral("\u00b0")
              << Utf8(TenthText(row.elevation)) + QStringLiteral("\u00b0")
              << Utf8(SkewText(row.skew)).section(QLatin1Char(' '), 0, 3);
        if (row.motor) {
            texts << Utf8(MotorText(*row.motor)).mid(6); // "12.3° E" under "Motor"
        }
    } else {
        texts << QStringLiteral("below the horizon");
    }
    texts << Utf8(row.lnbType) << Utf8(row.switchText) << Utf8(row.tone);
    if (!row.transponders.empty()) {
        texts << Utf8(row.transponders.front());
    }
    return texts;
}

} // namespace

class TestPointingSheet : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { LimitBytesWrittenForTests(kNoWriteLimit); }

    void theExtensionChoosesTheFormatOfTheTableOnTheDate() {
        // ".pdf" and ".csv" in any case, any other name nothing; the table is the one of the
        // given date (the CSV text itself is the model's).
        const QDate date(2029, 12, 1);
        QTemporaryDir dir;
        const MeterImage image = SheetImage(12, 2);
        for (const char* name : {"s.csv", "S.CSV", "S.PDF", "sheet.csv.txt", "sheetpdf"}) {
            const bool written = !QString::fromLatin1(name).startsWith(QStringLiteral("sheet"));
            QCOMPARE(WritePointingSheet(dir.filePath(name), image, "x.bin", date),
                     written ? SheetResult::Written : SheetResult::UnknownExtension);
            const QByteArray bytes = ReadAll(dir.filePath(name));
            if (written && QString::fromLatin1(name).endsWith("csv", Qt::CaseInsensitive)) {
                QCOMPARE(bytes, QByteArray::fromStdString(PointingCsv(TableOf(image, date))));
            } else {
                QVERIFY2(bytes.startsWith(written ? "%PDF-" : "(missing)"), name);
            }
        }
    }

    void aFailedWriteLeavesTheOldFile() {
        // Both formats take the one atomic write, whose failures are the model's tests.
        QTemporaryDir dir;
        const QString path = dir.filePath("old.pdf");
        QVERIFY(std::ofstream(path.toStdString()) << "old contents");
        LimitBytesWrittenForTests(100);
        QCOMPARE(WritePointingSheet(path, SheetImage(20, 8), {}, kDate), SheetResult::WriteError);
        QCOMPARE(ReadAll(path), QByteArray("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.pdf"}));
    }

    void thePdfNamesTheFileDateSiteAndDeclination() {
        // Outside the model's period (its bounds are the model's) the compass bearings are
        // estimates. The file is named without its folder; data never saved names none.
        const std::tuple<LocalPosition, const char*, const char*, const char*, bool> cases[] = {
            {{740, kWest, 0, 407, kNorth, 0},
             "2030-01-01",
             "/home/me/roof/MData.bin",
             "MData.bin",
             true},
            {{1512, kEast, 0, 339, kSouth, 0}, "2029-12-31", "", "none", false}};
        MeterImage image = SheetImage(4, 1);
        for (const auto& [position, day, file, shown, estimate] : cases) {
            const QDate date = QDate::fromString(QString::fromLatin1(day), Qt::ISODate);
            image.settingsBlock.localPosition = position;
            const QString text = Pdf(image, date, QString::fromUtf8(file));
            const double declination = TableOf(image, date).declination;
            const QString wording =
                QStringLiteral("Declination: magnetic north %1\u00b0 %2 of true north")
                    .arg(Utf8(TenthText(std::abs(declination))),
                         declination < 0.0 ? QStringLiteral("west") : QStringLiteral("east"));
            for (const QString& expected :
                 {"Meter file: " + QString::fromUtf8(shown), "Date: " + QString::fromLatin1(day),
                  "Site: " + Utf8(SiteText(position)), wording}) {
                QVERIFY2(text.contains(expected), qPrintable(expected));
            }
            QCOMPARE(text.contains(QStringLiteral("the compass bearings are estimates")), estimate);
        }
    }

    void everySatelliteHasItsRowOnPagesOfTheTable() {
        const MeterImage image = SheetImage(20, 8); // from the ninth on below the horizon
        const PointingTable table = TableOf(image);
        const QString text = Pdf(image);
        const QStringList lines = text.split('\n');
        int below = 0;
        qsizetype previous = -1;
        for (const PointingRow& row : table.rows) {
            const qsizetype line = RowLine(lines, RowTexts(row));
            QVERIFY2(line > previous, qPrintable(RowTexts(row).join(QLatin1Char('|'))));
            previous = line;
            below += row.visible ? 0 : 1;
            for (const std::string& transponder : row.transponders) {
                QCOMPARE(text.count(Utf8(transponder)), 1);
            }
        }
        QCOMPARE(below, 12);
        QVERIFY(table.rows[1].motor && table.rows[2].motor && !table.rows[0].motor);
        const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
        for (int page = 0; page < pages.size(); ++page) {
            // Each page under the table's heading, numbered of all.
            QCOMPARE(pages[page].count(QStringLiteral("Transponders")), 1);
            QVERIFY(pages[page].contains(
                QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size())));
        }
        // The table starts on the first page, under the facts and the chart.
        QVERIFY(RowLine(pages[0].split('\n'), RowTexts(table.rows[0])) >= 0);
        QVERIFY(pages[0].indexOf(QStringLiteral("Date: ")) < pages[0].indexOf("Transponders"));
    }

    void letterWhereTheCountryPrintsOnIt() {
        const std::pair<const char*, QPageSize::PageSizeId> locales[] = {
            {"en_US", QPageSize::Letter},
            {"fr_CA", QPageSize::Letter},
            {"en_GB", QPageSize::A4},
            {"C", QPageSize::A4}};
        for (const auto& [name, size] : locales) {
            QVERIFY2(PointingSheetPdf::PageSizeFor(QLocale(QString::fromLatin1(name))).id() == size,
                     name);
        }
    }
};

QTEST_MAIN(TestPointingSheet)
#include "test_pointing_sheet.moc"
