// "Pointing Sheet..." in the editor window's menu: the sheet of the data as the window holds
// it, under the name of the file last opened or saved, and the messages when it cannot be.

#include "EditorTestSupport.h"

#include "controls/FileMessages.h"
#include "editor/CSheetExport.h"
#include "model/AtomicFile.h"
#include "tests/support/SheetFixture.h"

#include <QDate>

#include <algorithm>
#include <memory>

using namespace editortest;

class TestEditorSheet : public QObject {
    Q_OBJECT

    FakePrompts m_prompts;
    std::unique_ptr<CEditorDlg> m_window;
    std::unique_ptr<QTemporaryDir> m_dir;

    CEditorDlg& W() { return *m_window; }
    QString Path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    // A right click on the window's background, then "Pointing Sheet..." answered with `path`.
    void RunSheet(const QString& path) {
        const auto [menu, sheet] = WindowMenuEntry(W(), QStringLiteral("Pointing Sheet..."));
        QVERIFY(menu != nullptr && sheet != nullptr && sheet->isEnabled());
        menu->close();
        m_prompts.saveCalls.clear();
        m_prompts.saveAnswers.push_back(path);
        sheet->trigger();
        QCOMPARE(m_prompts.saveCalls.size(), 1u);
        const FakePrompts::SaveCall call = m_prompts.saveCalls.front();
        QCOMPARE(QStringList({call.filter, call.proposedName, call.defaultSuffix}),
                 QStringList(
                     {"PDF File (*.pdf)|*.pdf|CSV File (*.csv)|*.csv|", "PointingSheet", "pdf"}));
    }
    void PdfSays(const QStringList& expected) {
        RunSheet(Path("sheet.pdf"));
        const QString text = PdfText(ReadFile(Path("sheet.pdf")));
        for (const QString& line : expected) {
            QVERIFY2(text.contains(line), qPrintable(line));
        }
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = std::make_unique<CEditorDlg>(m_prompts);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        LimitBytesWrittenForTests(kNoWriteLimit);
        QCOMPARE(EndWindowTest(m_window, m_prompts), QString());
    }

    void theSheetShowsTheDataAsTheWindowHoldsIt() {
        PdfSays({"Meter file: none"}); // nothing opened or saved yet
        OpenThrough(W(), m_prompts, WriteFile(*m_dir, "roof.bin", ImageBytes(SheetImage(3, 2))));
        ClickNode(W(), SlotNode(W(), 1));
        // A new name typed, and a position typed and not yet left: the sheet takes them as
        // leaving the field would.
        auto* longitude = Ctl<QLineEdit>(W(), id::SatLongitude);
        TypeAndLeave(Ctl<QLineEdit>(W(), id::Name), "Hot Bird", longitude);
        longitude->selectAll();
        QTest::keyClicks(longitude, "192");
        RunSheet(Path("sheet.CSV")); // either case of the ending
        QVERIFY(ReadFile(Path("sheet.CSV")).contains("\n2,Hot Bird,19.2W,"));
        QCOMPARE(ReadFile(Path("roof.bin")), ImageBytes(SheetImage(3, 2))); // still unsaved
        PdfSays({"Meter file: roof.bin", "Date: " + QDate::currentDate().toString(Qt::ISODate),
                 "Hot Bird"});
        SaveThrough(W(), m_prompts, Path("saved.bin")); // the name saved to goes on the sheet
        PdfSays({"Meter file: saved.bin"});
    }

    void refusedNamesAndFailedWritesSaySo() {
        const QString old = WriteFile(*m_dir, "old.csv", "old contents");
        const std::pair<QString, QString> cases[] = {
            {Path("sheet.txt"), CSheetExport::UnknownExtensionText()},
            {Path("gone/sheet.pdf"), CannotOpenText(Path("gone/sheet.pdf"))},
            {old, QStringLiteral("Write file error!")}, // the old file stays as it was
            {QString(), QString()},                     // cancelled: nothing written, nothing said
        };
        for (const auto& [path, message] : cases) {
            LimitBytesWrittenForTests(path == old ? 10 : kNoWriteLimit);
            RunSheet(path);
            QCOMPARE(m_prompts.TakeMessages(),
                     message.isEmpty() ? QStringList() : QStringList({message}));
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"old.csv"}));
        QCOMPARE(ReadFile(old), QByteArray("old contents"));
    }
};

QTEST_MAIN(TestEditorSheet)
#include "test_editor_sheet.moc"
