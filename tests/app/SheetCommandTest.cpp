// "orvex --sheet OUT FILE [--date YYYY-MM-DD]" run as a script runs it: no display, the exit
// code, one line on standard error when it fails, and the file it leaves.

#include "model/Geomagnetism.h"
#include "model/MeterFile.h"
#include "model/PointingTable.h"
#include "tests/support/SheetFixture.h"

#include <QDate>
#include <QTest>

#include <fstream>

class TestSheetCommand : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data() {
        QTest::addColumn<QString>("command"); // the arguments, run in a folder with "in/roof.bin"
        QTest::addColumn<QString>("error");   // the line on standard error; none: written
        const char* const rows[][3] = {
            {"csv", "--sheet s.csv in/roof.bin --date 2026-06-15", ""},
            {"pdf", "--date 2031-02-03 --sheet S.PDF in/roof.bin", ""},
            {"today", "--sheet t.csv in/roof.bin", ""},
            {"other-extension", "--sheet s.txt in/roof.bin",
             "The sheet 's.txt' must end in .pdf or .csv."},
            {"missing-file", "--sheet s.csv in/missing.bin",
             "The file 'in/missing.bin'could not be opened!"},
            {"not-a-meter-file", "--sheet s.csv in/short.bin", "The file error!"},
            {"no-file", "--sheet s.csv",
             "--sheet needs the meter file to read after the sheet's name."},
            {"unwritable", "--sheet gone/s.pdf in/roof.bin",
             "The file 'gone/s.pdf'could not be opened!"},
            {"bad-date", "--sheet s.csv in/roof.bin --date 2026-6-15",
             "The date '2026-6-15' is not a date as 2026-06-15."}};
        for (const auto& [name, command, error] : rows) {
            QTest::newRow(name) << QString(command) << QString(error);
        }
    }

    void commandLine() {
        QFETCH(QString, command);
        QFETCH(QString, error);
        QTemporaryDir out;
        QVERIFY(QDir(out.path()).mkpath("in") && QDir(out.path()).mkpath("runtime"));
        QVERIFY(SaveMeterFile(out.filePath("in/roof.bin").toStdString(), SheetImage(12, 3)) ==
                SaveResult::Done);
        QVERIFY(std::ofstream(out.filePath("in/short.bin").toStdString()) << "not a meter file");
        // Qt wants a runtime folder only its user may enter.
        QVERIFY(QFile::setPermissions(out.filePath("runtime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QStringList arguments = command.split(' ');
        QProcess orvex;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display at all, as on a server, and no platform named.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(name);
        }
        environment.insert("XDG_RUNTIME_DIR", out.filePath("runtime"));
        orvex.setProcessEnvironment(environment);
        orvex.setWorkingDirectory(out.path());
        orvex.start(QStringLiteral(ORVEX_PROGRAM), arguments);
        QVERIFY(orvex.waitForFinished(120000));
        QCOMPARE(orvex.exitStatus(), QProcess::NormalExit);
        QCOMPARE(orvex.exitCode(), error.isEmpty() ? 0 : 1);
        QVERIFY(orvex.readAllStandardOutput().isEmpty());
        // Success says nothing; a failure says why in one line and leaves no file.
        QCOMPARE(QString::fromLocal8Bit(orvex.readAllStandardError()),
                 error.isEmpty() ? QString() : "orvex: " + error + '\n');
        const QString written = arguments[arguments.indexOf("--sheet") + 1];
        QCOMPARE(QDir(out.path()).entryList(QDir::Files),
                 error.isEmpty() ? QStringList{written} : QStringList());
        QFile sheet(out.filePath(written));
        QCOMPARE(sheet.open(QIODevice::ReadOnly), error.isEmpty());
        if (sheet.isOpen() && written.endsWith(".csv")) {
            const QDate date =
                arguments.contains("--date") ? QDate(2026, 6, 15) : QDate::currentDate();
            QCOMPARE(sheet.readAll(), QByteArray::fromStdString(PointingCsv(MakePointingTable(
                                          SheetImage(12, 3).settingsBlock,
                                          DecimalYear(date.year(), date.month(), date.day())))));
        } else if (sheet.isOpen()) {
            const QString text = PdfText(sheet.readAll());
            QVERIFY(text.contains("Meter file: roof.bin") && text.contains("Date: 2031-02-03"));
            QVERIFY(text.contains("the compass bearings are estimates"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSheetCommand)
#include "SheetCommandTest.moc"
