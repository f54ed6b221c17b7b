// "Update Transponders..." from the window's menu: the table through the prompts, the preview
// with its check boxes, Cancel, OK as one undoable step, and the messages when nothing is done.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "editor/CRefreshPreviewDlg.h"
#include "import/ImportMessages.h"

#include <algorithm>
#include <memory>
#include <tuple>

using namespace editortest;

namespace {

// A list written as the maintained public ones are, positions in front of the names.
const char kTable[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<satellites>
	<sat name="19.2E Ku-band Astra 1KR/1L/1M/1N" flags="1" position="192">
		<transponder frequency="10744000" symbol_rate="22000000" polarization="0" fec_inner="5" system="0" modulation="1"/>
		<transponder frequency="11362000" symbol_rate="22000000" polarization="0" fec_inner="2" system="1" modulation="2"/>
		<transponder frequency="11538000" symbol_rate="22000000" polarization="1" fec_inner="5" system="0" modulation="1"/>
	</sat>
	<sat name="13.0E Ku-band Hot Bird 13G" flags="1" position="130">
		<transponder frequency="11034000" symbol_rate="27500000" polarization="1" fec_inner="3" system="1" modulation="2"/>
	</sat>
	<sat name="0.8W Thor 5/6/7" flags="1" position="-8">
		<transponder frequency="10872000" symbol_rate="25000000" polarization="1" fec_inner="3" system="0" modulation="1"/>
	</sat>
</satellites>
)";

} // namespace

class TestTransponderRefresh : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { QCOMPARE(EndWindowTest(m_window, m_prompts), QString()); }

    void previewCancelAndOkWritingTheCheckedLinesAsOneStep();
    void nothingToUpdateOrAnUnreadableTableOnlySaysSo_data();
    void nothingToUpdateOrAnUnreadableTableOnlySaysSo();

private:
    CEditorDlg& W() { return *m_window; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    // Runs the menu entry as the user does, with the table chosen in the file dialog. When the
    // preview opens, its lines and their rows are kept in m_lines (it never opens without one),
    // Space is pressed on the lines `toggle` and then the button `press`. Answers whether it
    // opened.
    bool UpdateFrom(const QString& table, QList<int> toggle = {}, const char* press = "OK");

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;
    QStringList m_lines;
};

// Galaxy where the table has nothing, so that lines and slots differ; Astra with old rows,
// shown; Hotbird already holding the table's; Thor with other rows.
void TestTransponderRefresh::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    image->settingsBlock.satCount = 0;
    const std::tuple<const char*, std::uint16_t, std::uint8_t, std::vector<TpEntry>> slots_[] = {
        {"Galaxy", 1330, kWest, {{20000, 11700, kHorizontal, 0}}},
        {"Astra", 192, kEast, {{27500, 11000, kVertical, 0}, {22000, 12000, kHorizontal, 0}}},
        {"Hotbird", 130, kEast, {{27500, 11034, kVertical, 0}}},
        {"Thor", 8, kWest, {{30000, 11216, kVertical, 0}}}};
    for (const auto& [name, longitude, direction, tps] : slots_) {
        SatelliteRecord& record = image->settingsBlock.satellites[image->settingsBlock.satCount++];
        SetNameText(record, name);
        record.longitude = longitude;
        record.direction = direction;
        record.tpCount = static_cast<std::uint8_t>(tps.size());
        std::copy(tps.begin(), tps.end(), record.tps.begin());
    }
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "meter.bin", ImageBytes(*image)));
    ClickNode(W(), SlotNode(W(), 1));
    QCOMPARE(List()->rowCount(), 2);
}

bool TestTransponderRefresh::UpdateFrom(const QString& table, QList<int> toggle,
                                        const char* press) {
    m_lines.clear();
    QTimer::singleShot(0, this, [this, toggle, press] {
        auto* preview = qobject_cast<CRefreshPreviewDlg*>(QApplication::activeModalWidget());
        if (preview == nullptr) {
            return;
        }
        // A preview the answer left open would block the test.
        const auto closeAnyway = qScopeGuard([preview] {
            if (preview->isVisible()) {
                preview->reject();
            }
        });
        QCOMPARE(preview->windowTitle(), QStringLiteral("Update Transponders"));
        QTreeWidget* view = preview->Lines();
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            QTreeWidgetItem* line = view->topLevelItem(i);
            m_lines << QStringList{line->checkState(0) == Qt::Checked ? "[x]" : "[ ]",
                                   line->text(0), line->text(1), line->text(2)}
                           .join(u'|');
            for (int row = 0; row < line->childCount(); ++row) {
                m_lines << line->child(row)->text(3) + u'>' + line->child(row)->text(4);
            }
        }
        for (const int i : toggle) {
            view->setCurrentItem(view->topLevelItem(i));
            QTest::keyClick(view, Qt::Key_Space);
        }
        const QList<QPushButton*> buttons = preview->findChildren<QPushButton*>();
        const auto button = std::find_if(buttons.begin(), buttons.end(), [press](QPushButton* b) {
            return b->text() == QLatin1String(press);
        });
        QVERIFY2(button != buttons.end(), press);
        QTest::mouseClick(*button, Qt::LeftButton);
    });
    m_prompts.openAnswers.push_back(table);
    const auto [menu, entry] = WindowMenuEntry(W(), QStringLiteral("Update &Transponders..."));
    if (entry == nullptr) {
        qWarning("no Update Transponders... in the window's menu");
        return false;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    QCoreApplication::processEvents();
    return !m_lines.isEmpty();
}

void TestTransponderRefresh::previewCancelAndOkWritingTheCheckedLinesAsOneStep() {
    const auto before = std::make_unique<MeterImage>(W().Image());
    const QString table = WriteFile(m_dir, "satellites.xml", kTable);

    // Cancel, or OK with every line cleared by the keyboard, changes nothing.
    QVERIFY(UpdateFrom(table, {}, "Cancel"));
    QVERIFY(UpdateFrom(table, {0, 2}));
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());

    // Thor is left out: Space on its line clears the check.
    QVERIFY(UpdateFrom(table, {2}));
    QCOMPARE(m_prompts.openFilters.last(), QString::fromLatin1(kSatelliteTableFilters));
    QCOMPARE(m_lines,
             (QStringList{QStringLiteral("[x]|Astra|19.2\u00b0 E|Astra 1KR"),
                          "11000 V 27500>10744 H 22000", "12000 H 22000>11362 H 22000",
                          ">11538 V 22000", QStringLiteral("[ ]|Hotbird|13.0\u00b0 E|Hot Bird"),
                          "11034 V 27500>11034 V 27500",
                          QStringLiteral("[x]|Thor|0.8\u00b0 W|Thor 5/6/7"),
                          "11216 V 30000>10872 V 25000"}));

    // Astra has the table's rows; Thor and everything else stay.
    auto expected = std::make_unique<MeterImage>(*before);
    SatelliteRecord& astra = expected->settingsBlock.satellites[1];
    astra.tpCount = 3;
    astra.tps[0] = {22000, 10744, kHorizontal, 0};
    astra.tps[1] = {22000, 11362, kHorizontal, 0};
    astra.tps[2] = {22000, 11538, kVertical, 0};
    QVERIFY(W().Image() == *expected);
    // The TP list of the shown satellite follows.
    QCOMPARE(List()->rowCount(), 3);
    QCOMPARE(List()->item(2, 1)->text(), QStringLiteral("11538"));

    // One step: a single undo puts every byte back, a redo the refresh again.
    QCOMPARE(W().Document().History().StepCount(), std::size_t{1});
    QTest::keySequence(Tree(W()), QKeySequence::Undo);
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());
    QCOMPARE(List()->rowCount(), 2);
    QTest::keySequence(Tree(W()), QKeySequence::Redo);
    QVERIFY(W().Image() == *expected);
}

void TestTransponderRefresh::nothingToUpdateOrAnUnreadableTableOnlySaysSo_data() {
    QTest::addColumn<QString>("table"); // none: the file dialog is cancelled
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("file dialog cancelled") << QString() << QStringList();
    QTest::newRow("matched, but only circular ones")
        << WriteFile(m_dir, "circular.xml",
                     R"(<satellites><sat name="Astra" position="192"><transponder )"
                     R"(frequency="11000000" symbol_rate="27500000" polarization="2"/></sat>)"
                     R"(</satellites>)")
        << QStringList{"No satellite in use matches a satellite of this table with a transponder "
                       "its own LNB settings receive. Nothing was changed."};
    const QString missing = m_dir.filePath("missing.xml");
    QTest::newRow("cannot be opened")
        << missing << QStringList{"The file '" + missing + "'could not be opened!"};
    QTest::newRow("damaged list") << WriteFile(m_dir, "broken.xml", QByteArray(kTable).left(300))
                                  << QStringList{
                                         ImportFailureMessage(TableImportResult::NotATable, {})};
}

void TestTransponderRefresh::nothingToUpdateOrAnUnreadableTableOnlySaysSo() {
    QFETCH(QString, table);
    QFETCH(QStringList, messages);
    const auto before = std::make_unique<MeterImage>(W().Image());
    QVERIFY(!UpdateFrom(table));
    QCOMPARE(m_prompts.TakeMessages(), messages);
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());
}

QTEST_MAIN(TestTransponderRefresh)
#include "test_transponder_refresh.moc"
