// "Update Transponders..." from the window's menu: the table through the prompts, the preview
// with its check boxes, OK as one undoable step, Cancel, and the messages when there is
// nothing to update or the table cannot be read.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "editor/CRefreshPreviewDlg.h"
#include "import/ImportMessages.h"

#include <QTreeWidget>

#include <functional>
#include <memory>

using namespace editortest;

namespace {

const QString kNothingToUpdate =
    QStringLiteral("No satellite in use matches a satellite of this table with a transponder "
                   "its own LNB settings receive. Nothing was changed.");

// A list written as the maintained public ones are, positions in front of the names.
const char kTable[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<satellites>
	<sat name="19.2E Ku-band Astra 1KR/1L/1M/1N" flags="1" position="192">
		<transponder frequency="10744000" symbol_rate="22000000" polarization="0" fec_inner="5" system="0" modulation="1"/>
		<transponder frequency="11362000" symbol_rate="22000000" polarization="0" fec_inner="2" system="1" modulation="2"/>
		<transponder frequency="11538000" symbol_rate="22000000" polarization="1" fec_inner="5" system="0" modulation="1"/>
		<transponder frequency="12188000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0" modulation="1"/>
		<transponder frequency="12603000" symbol_rate="22000000" polarization="1" fec_inner="5" system="0" modulation="1"/>
	</sat>
	<sat name="13.0E Ku-band Hot Bird 13G" flags="1" position="130">
		<transponder frequency="11034000" symbol_rate="27500000" polarization="1" fec_inner="3" system="1" modulation="2"/>
		<transponder frequency="12577000" symbol_rate="27500000" polarization="0" fec_inner="3" system="1" modulation="2"/>
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
    void cleanup();

    void previewListsTheMatchesAndOkWritesTheCheckedOnesAsOneStep();
    void cancelChangesNothing();
    void nothingToUpdateOrAnUnreadableTableOnlySaysSo_data();
    void nothingToUpdateOrAnUnreadableTableOnlySaysSo();

private:
    CEditorDlg& W() { return *m_window; }
    const SatelliteRecord& Record(int slot) {
        return W().Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
    }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    void OpenMeter();
    // Runs the menu entry as the user does, with the table chosen in the file dialog; the
    // preview, when one opens, is handed to `answer`. Answers whether one opened.
    bool UpdateFrom(const QString& table, std::function<void(CRefreshPreviewDlg&)> answer);

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestTransponderRefresh::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestTransponderRefresh::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

// Astra and Astra 1 with old rows, Hot Bird already holding the table's, Thor with other
// rows, Galaxy where the table has nothing; every other field distinct, so that a change to one
// shows.
void TestTransponderRefresh::OpenMeter() {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    SettingsBlock& block = image->settingsBlock;
    block.satCount = 5;
    const struct {
        const char* name;
        std::uint16_t longitude;
        std::uint8_t direction;
        std::vector<TpEntry> tps;
    } slots_[] = {
        {"Astra", 192, kEast, {{27500, 11000, kVertical, 0}, {22000, 12000, kHorizontal, 0}}},
        {"Hotbird", 130, kEast, {{27500, 11034, kVertical, 0}, {27500, 12577, kHorizontal, 0}}},
        {"Thor", 8, kWest, {{30000, 11216, kVertical, 0}}},
        {"Galaxy", 1330, kWest, {{20000, 11700, kHorizontal, 0}}},
        {"Astra 1", 191, kEast, {{22000, 11000, kHorizontal, 0}}},
    };
    for (std::size_t slot = 0; slot < 5; ++slot) {
        SatelliteRecord& record = block.satellites[slot];
        SetNameText(record, slots_[slot].name);
        record.longitude = slots_[slot].longitude;
        record.direction = slots_[slot].direction;
        record.switchType = 1;
        record.switchInput = static_cast<std::uint8_t>(slot);
        record.positionType = 2;
        record.tpCount = static_cast<std::uint8_t>(slots_[slot].tps.size());
        for (std::size_t row = 0; row < kMaxTps; ++row) {
            record.tps[row] = row < slots_[slot].tps.size()
                                  ? slots_[slot].tps[row]
                                  : TpEntry{1111, static_cast<std::uint16_t>(9000 + row), 'V', 9};
        }
    }
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "meter.bin", ImageBytes(*image)));
    ClickNode(W(), SlotNode(W(), 0));
    QCOMPARE(List()->rowCount(), 2);
}

bool TestTransponderRefresh::UpdateFrom(const QString& table,
                                        std::function<void(CRefreshPreviewDlg&)> answer) {
    bool opened = false;
    QTimer::singleShot(0, this, [&] {
        auto* preview = qobject_cast<CRefreshPreviewDlg*>(QApplication::activeModalWidget());
        if (preview == nullptr) {
            return;
        }
        opened = true;
        // A preview the answer left open would block the test.
        const auto closeAnyway = qScopeGuard([preview] {
            if (preview->isVisible()) {
                preview->reject();
            }
        });
        QCOMPARE(preview->windowTitle(), QStringLiteral("Update Transponders"));
        answer(*preview);
    });
    m_prompts.openAnswers.push_back(table);
    // The window's menu, as a right click on the window's background opens it.
    const QPoint corner(4, 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, corner, W().mapToGlobal(corner));
    QApplication::sendEvent(&W(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        qWarning("the window's menu did not open");
        return false;
    }
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("Update &Transponders...")) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            QCoreApplication::processEvents();
            return opened;
        }
    }
    qWarning("no Update Transponders... in the window's menu");
    menu->close();
    return false;
}

// Presses a button of the preview by its caption.
static void Press(CRefreshPreviewDlg& preview, const QString& caption) {
    for (QPushButton* button : preview.findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no button " + caption));
}

void TestTransponderRefresh::previewListsTheMatchesAndOkWritesTheCheckedOnesAsOneStep() {
    OpenMeter();
    const auto before = std::make_unique<MeterImage>(W().Image());
    const QString table = WriteFile(m_dir, "satellites.xml", kTable);

    QStringList lines;
    QList<Qt::CheckState> states, afterSpace;
    QStringList astraRows;
    const bool opened = UpdateFrom(table, [&](CRefreshPreviewDlg& preview) {
        QTreeWidget* view = preview.Lines();
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            QTreeWidgetItem* line = view->topLevelItem(i);
            lines << QStringList{line->text(0), line->text(1), line->text(2)}.join(u'|');
            states << line->checkState(0);
        }
        QTreeWidgetItem* astra = view->topLevelItem(0);
        for (int row = 0; row < astra->childCount(); ++row) {
            astraRows << astra->child(row)->text(3) + u'>' + astra->child(row)->text(4);
        }
        // Thor is left out with the keyboard: Space on its line clears the check.
        view->setCurrentItem(view->topLevelItem(2));
        QTest::keyClick(view, Qt::Key_Space);
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            afterSpace << view->topLevelItem(i)->checkState(0);
        }
        Press(preview, QStringLiteral("OK"));
    });
    QVERIFY(opened);
    QCOMPARE(m_prompts.openFilters.last(), QString::fromLatin1(kSatelliteTableFilters));
    QCOMPARE(lines, (QStringList{QStringLiteral("Astra|19.2\u00b0 E|Astra 1KR"),
                                 QStringLiteral("Hotbird|13.0\u00b0 E|Hot Bird"),
                                 QStringLiteral("Thor|0.8\u00b0 W|Thor 5/6/7"),
                                 QStringLiteral("Astra 1|19.1\u00b0 E|Astra 1KR")}));
    QCOMPARE(states, (QList<Qt::CheckState>{Qt::Checked, Qt::Unchecked, Qt::Checked, Qt::Checked}));
    QCOMPARE(astraRows, (QStringList{"11000 V 27500>10744 H 22000", "12000 H 22000>11362 H 22000",
                                     ">11538 V 22000", ">12188 H 27500", ">12603 V 22000"}));
    QCOMPARE(afterSpace,
             (QList<Qt::CheckState>{Qt::Checked, Qt::Unchecked, Qt::Unchecked, Qt::Checked}));

    // Both Astras have the table's rows; the rows behind them and everything else stay.
    auto expected = std::make_unique<MeterImage>(*before);
    const TpEntry rows[] = {{22000, 10744, kHorizontal, 0},
                            {22000, 11362, kHorizontal, 0},
                            {22000, 11538, kVertical, 0},
                            {27500, 12188, kHorizontal, 0},
                            {22000, 12603, kVertical, 0}};
    for (const std::size_t slot : {0, 4}) {
        SatelliteRecord& astra = expected->settingsBlock.satellites[slot];
        astra.tpCount = 5;
        std::copy(std::begin(rows), std::end(rows), astra.tps.begin());
    }
    QVERIFY(W().Image() == *expected);
    // The TP list of the shown satellite follows.
    QCOMPARE(List()->rowCount(), 5);
    QCOMPARE(List()->item(4, 1)->text(), QStringLiteral("12603"));

    // One step: a single undo puts every byte back, a redo the refresh again.
    QCOMPARE(W().Document().History().StepCount(), std::size_t{1});
    QTest::keySequence(Tree(W()), QKeySequence::Undo);
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());
    QCOMPARE(List()->rowCount(), 2);
    QTest::keySequence(Tree(W()), QKeySequence::Redo);
    QVERIFY(W().Image() == *expected);
}

void TestTransponderRefresh::cancelChangesNothing() {
    OpenMeter();
    const auto before = std::make_unique<MeterImage>(W().Image());
    QVERIFY(UpdateFrom(WriteFile(m_dir, "satellites.xml", kTable), [](CRefreshPreviewDlg& preview) {
        QCOMPARE(preview.Lines()->topLevelItemCount(), 4);
        Press(preview, QStringLiteral("Cancel"));
    }));
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());
    // OK with every line cleared is no change either.
    QVERIFY(UpdateFrom(WriteFile(m_dir, "satellites.xml", kTable), [](CRefreshPreviewDlg& preview) {
        QTreeWidget* view = preview.Lines();
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            view->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        }
        Press(preview, QStringLiteral("OK"));
    }));
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());
}

void TestTransponderRefresh::nothingToUpdateOrAnUnreadableTableOnlySaysSo_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // none: the file is not written
    QTest::addColumn<QString>("message");
    const QByteArray scan = "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11034000\n"
                            "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n";
    QTest::newRow("no position matches")
        << "far.xml"
        << QByteArray(R"(<satellites><sat name="28.2E Astra 2" position="282">)"
                      R"(<transponder frequency="11000000" symbol_rate="27500000" )"
                      R"(polarization="0"/></sat></satellites>)")
        << kNothingToUpdate;
    QTest::newRow("matched, but only circular ones")
        << "circular.xml"
        << QByteArray(R"(<satellites><sat name="Astra" position="192">)"
                      R"(<transponder frequency="11000000" symbol_rate="27500000" )"
                      R"(polarization="2"/></sat></satellites>)")
        << kNothingToUpdate;
    QTest::newRow("a scan table for no slot") << "Express-36.0E" << scan << kNothingToUpdate;
    QTest::newRow("cannot be opened")
        << "missing.xml" << QByteArray() << QStringLiteral("The file '%1'could not be opened!");
    QTest::newRow("not a table") << "notes.txt" << QByteArray("some notes\n")
                                 << ImportFailureMessage(TableImportResult::NotATable, {});
    QTest::newRow("damaged list") << "broken.xml" << QByteArray(kTable).left(300)
                                  << ImportFailureMessage(TableImportResult::NotATable, {});
    QTest::newRow("scan table without a position")
        << "hotbird.conf" << scan << ImportFailureMessage(TableImportResult::NoPosition, {});
}

void TestTransponderRefresh::nothingToUpdateOrAnUnreadableTableOnlySaysSo() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    OpenMeter();
    const auto before = std::make_unique<MeterImage>(W().Image());
    const QString path = content.isNull() ? m_dir.filePath(file) : WriteFile(m_dir, file, content);
    QVERIFY(!UpdateFrom(path, [](CRefreshPreviewDlg&) {}));
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList{message.contains(u"%1") ? message.arg(path) : message});
    QVERIFY(W().Image() == *before);
    QVERIFY(!W().Document().CanUndo());
}

QTEST_MAIN(TestTransponderRefresh)
#include "test_transponder_refresh.moc"
