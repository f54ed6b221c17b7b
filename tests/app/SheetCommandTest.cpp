// "orvex --sheet OUT FILE [--date YYYY-MM-DD]" run as a script runs it: no display, the exit
// code, one line on standard error when it fails, and the file it leaves.

#include "model/Geomagnetism.h"
#include "model/MeterFile.h"
#include "model/PointingTable.h"
#include "tests/support/SheetFixture.h"

#include <QDate>
#include <QTest>

class TestSheetCommand : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_meterFile;

    static QByteArray Csv(const QDate& date) {
        return QByteArray::fromStdString(PointingCsv(MakePointingTable(
            SheetImage(12, 3).settingsBlock, DecimalYear(date.year(), date.month(), date.day()))));
    }

private slots:
    void initTestCase() {
        m_meterFile = m_dir.filePath("roof.bin");
        QVERIFY(SaveMeterFile(m_meterFile.toStdString(), SheetImage(12, 3)) == SaveResult::Done);
        QFile shortFile(m_dir.filePath("short.bin"));
        QVERIFY(shortFile.open(QIODevice::WriteOnly) && shortFile.write("not a meter file") > 0);
        QVERIFY(QDir(m_dir.path()).mkdir("runtime"));
        QVERIFY(QFile::setPermissions(m_dir.filePath("runtime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments"); // OUT and FILE relative to the folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("written"); // the file expected, empty for none
        QTest::newRow("csv") << QStringList{"--sheet", "s.csv", "roof.bin", "--date", "2026-06-15"}
                             << 0 << "s.csv";
        QTest::newRow("pdf") << QStringList{"--date", "2031-02-03", "--sheet", "S.PDF", "roof.bin"}
                             << 0 << "S.PDF";
        QTest::newRow("today") << QStringList{"--sheet", "t.csv", "roof.bin"} << 0 << "t.csv";
        QTest::newRow("other-extension")
            << QStringList{"--sheet", "s.txt", "roof.bin"} << 1 << QString();
        QTest::newRow("missing-file")
            << QStringList{"--sheet", "s.csv", "missing.bin"} << 1 << QString();
        QTest::newRow("not-a-meter-file")
            << QStringList{"--sheet", "s.csv", "short.bin"} << 1 << QString();
        QTest::newRow("no-file") << QStringList{"--sheet", "s.csv"} << 1 << QString();
        QTest::newRow("unwritable")
            << QStringList{"--sheet", "gone/s.pdf", "roof.bin"} << 1 << QString();
        QTest::newRow("bad-date") << QStringList{"--sheet", "s.csv", "roof.bin", "--date",
                                                 "2026-6-15"}
                                  << 1 << QString();
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, written);
        QTemporaryDir out;
        for (const char* name : {"roof.bin", "short.bin"}) {
            QVERIFY(QFile::copy(m_dir.filePath(name), out.filePath(name)));
        }
        QProcess orvex;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No display at all, as on a server, and no platform named.
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("XDG_RUNTIME_DIR", m_dir.filePath("runtime"));
        orvex.setProcessEnvironment(environment);
        orvex.setWorkingDirectory(out.path());
        orvex.start(QStringLiteral(ORVEX_PROGRAM), arguments);
        QVERIFY(orvex.waitForFinished(120000));
        const QString errors = QString::fromLocal8Bit(orvex.readAllStandardError());
        QCOMPARE(orvex.exitStatus(), QProcess::NormalExit);
        QCOMPARE(orvex.exitCode(), exitCode);
        QVERIFY(orvex.readAllStandardOutput().isEmpty());
        // Success says nothing; a failure says why in one line.
        QVERIFY2(exitCode == 0 ? errors.isEmpty()
                               : errors.startsWith("orvex: ") && errors.count('\n') == 1 &&
                                     errors.endsWith('\n'),
                 qPrintable(errors));
        QStringList files = QDir(out.path()).entryList(QDir::Files);
        files.removeAll("roof.bin");
        files.removeAll("short.bin");
        QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
        QFile sheet(out.filePath(written));
        if (written.endsWith(".csv")) {
            QVERIFY(sheet.open(QIODevice::ReadOnly));
            const QDate date =
                arguments.contains("--date") ? QDate(2026, 6, 15) : QDate::currentDate();
            QCOMPARE(sheet.readAll(), Csv(date));
        } else if (!written.isEmpty()) {
            QVERIFY(sheet.open(QIODevice::ReadOnly));
            const QString text = PdfText(sheet.readAll());
            QVERIFY(text.contains("Meter file: roof.bin") && text.contains("Date: 2031-02-03"));
            QVERIFY(text.contains("the compass bearings are estimates"));
        }
    }
};

QTEST_GUILESS_MAIN(TestSheetCommand)
#include "SheetCommandTest.moc"
