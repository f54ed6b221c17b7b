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

namespace {

const QDate kDate(2026, 6, 15);

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

PointingTable TableOf(const MeterImage& image, const QDate& date = kDate) {
    return MakePointingTable(image.settingsBlock,
                             DecimalYear(date.year(), date.month(), date.day()));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The line where the row of the slot starts: its number, then its name.
int RowLine(const QStringList& lines, int slot) {
    const QRegularExpression start(QStringLiteral("^\\s*%1\\s+Bird %1\\s").arg(slot + 1));
    for (int i = 0; i < lines.size(); ++i) {
        if (start.match(lines[i]).hasMatch()) {
            return i;
        }
    }
    return -1;
}

// Whether the texts stand in the line in this order, as the table's columns do.
bool InOrder(const QString& line, const QStringList& texts) {
    qsizetype from = 0;
    for (const QString& text : texts) {
        from = line.indexOf(text, from);
        if (from < 0) {
            return false;
        }
        from += text.size();
    }
    return true;
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

    void theExtensionChoosesTheFormat() {
        const std::pair<const char*, std::optional<SheetFormat>> names[] = {
            {"/roof/sheet.pdf", SheetFormat::Pdf},
            {"SHEET.PDF", SheetFormat::Pdf},
            {"a.Csv", SheetFormat::Csv},
            {"sheet.csv.txt", std::nullopt},
            {"sheet.pdfx", std::nullopt},
            {"sheet", std::nullopt},
            {"sheetpdf", std::nullopt},
            {"", std::nullopt}};
        for (const auto& [name, format] : names) {
            QVERIFY2(SheetFormatOf(QString::fromLatin1(name)) == format, name);
        }
        QTemporaryDir dir;
        const MeterImage image = SheetImage(3, 1);
        QCOMPARE(WritePointingSheet(dir.filePath("sheet.txt"), image, {}, kDate),
                 SheetResult::UnknownExtension);
        QVERIFY(QDir(dir.path()).isEmpty());
        // Upper-case endings write the same formats.
        QCOMPARE(WritePointingSheet(dir.filePath("S.CSV"), image, {}, kDate), SheetResult::Written);
        QCOMPARE(WritePointingSheet(dir.filePath("S.PDF"), image, {}, kDate), SheetResult::Written);
        QVERIFY(ReadAll(dir.filePath("S.CSV")).startsWith("slot,name,position,azimuth,"));
        QVERIFY(ReadAll(dir.filePath("S.PDF")).startsWith("%PDF-"));
    }

    void theCsvIsTheTableOfTheDataOnTheDate() {
        QTemporaryDir dir;
        MeterImage image = SheetImage(12, 2);
        const QString path = dir.filePath("sheet.csv");
        QCOMPARE(WritePointingSheet(path, image, QStringLiteral("x.bin"), kDate),
                 SheetResult::Written);
        const QByteArray csv = ReadAll(path);
        QCOMPARE(csv, QByteArray::fromStdString(PointingCsv(TableOf(image))));
        QCOMPARE(csv.count('\n'), 13); // the header and one line per satellite in use
        // Another date moves the compass bearings only; other data, other rows.
        QCOMPARE(WritePointingSheet(path, image, {}, QDate(2029, 12, 1)), SheetResult::Written);
        QCOMPARE(ReadAll(path),
                 QByteArray::fromStdString(PointingCsv(TableOf(image, QDate(2029, 12, 1)))));
        QVERIFY(ReadAll(path) != csv);
        image.settingsBlock.satCount = 2;
        QCOMPARE(WritePointingSheet(path, image, {}, kDate), SheetResult::Written);
        QCOMPARE(ReadAll(path).count('\n'), 3);
    }

    void aFailedWriteLeavesTheOldFile() {
        QTemporaryDir dir;
        const MeterImage image = SheetImage(20, 8);
        for (const char* name : {"old.pdf", "old.csv"}) {
            const QString path = dir.filePath(name);
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
            old.close();
            LimitBytesWrittenForTests(100);
            QCOMPARE(WritePointingSheet(path, image, {}, kDate), SheetResult::WriteError);
            LimitBytesWrittenForTests(kNoWriteLimit);
            QCOMPARE(ReadAll(path), QByteArray("old contents"));
            QCOMPARE(
                WritePointingSheet(dir.filePath(QStringLiteral("gone/") + name), image, {}, kDate),
                SheetResult::CannotOpen);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.csv", "old.pdf"}));
    }

    void thePdfNamesTheFileDateSiteAndDeclination() {
        struct Case {
            const char* place;
            LocalPosition position;
            const char* site;
        };
        const Case cases[] = {
            {"Munich", {116, kEast, 0, 481, kNorth, 0}, "Site: 48.1\u00b0 N, 11.6\u00b0 E"},
            {"New York", {740, kWest, 0, 407, kNorth, 0}, "Site: 40.7\u00b0 N, 74.0\u00b0 W"},
            {"Sydney", {1512, kEast, 0, 339, kSouth, 0}, "Site: 33.9\u00b0 S, 151.2\u00b0 E"},
        };
        MeterImage image = SheetImage(4, 1);
        for (const Case& place : cases) {
            image.settingsBlock.localPosition = place.position;
            const QString text = PdfText(PointingSheetBytes(
                SheetFormat::Pdf, image, QStringLiteral("/home/me/roof/MData.bin"), kDate));
            const double declination = TableOf(image).declination;
            const QString wording =
                QStringLiteral("Declination: magnetic north %1\u00b0 %2 of true north")
                    .arg(Utf8(TenthText(std::abs(declination))),
                         declination < 0.0 ? QStringLiteral("west") : QStringLiteral("east"));
            for (const QString& expected :
                 {QStringLiteral("Meter file: MData.bin"), QStringLiteral("Date: 2026-06-15"),
                  QString::fromUtf8(place.site), wording}) {
                QVERIFY2(text.contains(expected), qPrintable(place.place + (": " + expected)));
            }
            QVERIFY(!text.contains(QStringLiteral("/home/me")));
        }
        // The example of the sheet's own wording: Munich in mid-2026.
        image.settingsBlock.localPosition = cases[0].position;
        QVERIFY(PdfText(PointingSheetBytes(SheetFormat::Pdf, image, {}, kDate))
                    .contains(QStringLiteral("magnetic north 4.3\u00b0 east of true north")));
        // Data never saved names no file.
        QVERIFY(PdfText(PointingSheetBytes(SheetFormat::Pdf, image, {}, kDate))
                    .contains(QStringLiteral("Meter file: none")));
    }

    void everySatelliteHasItsRowBelowTheHorizonToo() {
        const MeterImage image = SheetImage(10, 2); // slots 8 and 9 below the horizon
        const PointingTable table = TableOf(image);
        const QStringList lines =
            PdfText(PointingSheetBytes(SheetFormat::Pdf, image, {}, kDate)).split('\n');
        int below = 0;
        int previous = -1;
        for (const PointingRow& row : table.rows) {
            const int line = RowLine(lines, row.slot);
            QVERIFY2(line > previous, qPrintable(QStringLiteral("slot %1").arg(row.slot + 1)));
            QVERIFY2(InOrder(lines[line], RowTexts(row)), qPrintable(lines[line]));
            previous = line;
            below += row.visible ? 0 : 1;
        }
        QCOMPARE(below, 2);
        QVERIFY(table.rows[1].motor && table.rows[2].motor && !table.rows[0].motor);
    }

    void aLongTableContinuesOnFurtherPages() {
        const MeterImage image = SheetImage(20, 8);
        const QString text = PdfText(PointingSheetBytes(SheetFormat::Pdf, image, {}, kDate));
        const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
        for (int page = 0; page < pages.size(); ++page) {
            // Each page under the table's heading, numbered of all.
            QCOMPARE(pages[page].count(QStringLiteral("Transponders")), 1);
            QVERIFY(pages[page].contains(
                QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages.size())));
        }
        // The table starts on the first page, under the facts and the chart.
        QVERIFY(RowLine(pages[0].split('\n'), 0) >= 0);
        QVERIFY(pages[0].indexOf(QStringLiteral("Date: ")) < pages[0].indexOf("Transponders"));
        const QStringList lines = text.split('\n');
        for (const PointingRow& row : TableOf(image).rows) {
            QVERIFY2(RowLine(lines, row.slot) >= 0, row.name.c_str());
            for (const std::string& transponder : row.transponders) {
                QCOMPARE(text.count(Utf8(transponder)), 1);
            }
        }
    }

    void outsideTheModelsPeriodTheBearingsAreEstimates() {
        const std::pair<QDate, bool> dates[] = {{QDate(2024, 12, 31), true},
                                                {QDate(2025, 1, 1), false},
                                                {QDate(2029, 12, 31), false},
                                                {QDate(2030, 1, 1), true},
                                                {QDate(2041, 3, 5), true}};
        const MeterImage image = SheetImage(2, 1);
        for (const auto& [date, estimate] : dates) {
            const QString text = PdfText(PointingSheetBytes(SheetFormat::Pdf, image, {}, date));
            QVERIFY2(text.contains(QStringLiteral("Date: ") + date.toString(Qt::ISODate)),
                     qPrintable(text));
            QCOMPARE(text.contains(QStringLiteral("the compass bearings are estimates")), estimate);
        }
    }

    void letterWhereTheCountryPrintsOnIt() {
        const std::pair<const char*, QPageSize::PageSizeId> locales[] = {
            {"en_US", QPageSize::Letter}, {"en_CA", QPageSize::Letter},
            {"es_MX", QPageSize::Letter}, {"fil_PH", QPageSize::Letter},
            {"de_DE", QPageSize::A4},     {"en_GB", QPageSize::A4},
            {"fr_CA", QPageSize::Letter}, {"C", QPageSize::A4}};
        for (const auto& [name, size] : locales) {
            QVERIFY2(PointingSheetPdf::PageSizeFor(QLocale(QString::fromLatin1(name))).id() == size,
                     name);
        }
    }
};

QTEST_MAIN(TestPointingSheet)
#include "test_pointing_sheet.moc"
