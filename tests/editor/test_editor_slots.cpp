// The slot buttons "+", "-", "UP" and "DN": records moved between slots, labels, selection,
// the count, and the limits of the twenty slots whatever a file's count says.

#include "EditorTestSupport.h"

#include <QGroupBox>
#include <QTableWidget>

#include <memory>

using namespace editortest;

class TestEditorSlots : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addInFrontOfAUsedSlot();
    void addOnASlotNotInUseAppends();
    void addWithNoSatellites();
    void addWithTwentySatellitesChangesNothing();
    void deleteFromTheMiddle();
    void deleteTheLastOfSeveral();
    void deleteTheOnlySatellite();
    void upSwapsWholeRecords();
    void upAndDownStopAtTheEnds();
    void downIsHeldByATpRowClick();
    void buttonsIgnoreNodesThatAreNotSatellites();
    void countsAboveTwentyNeverStepPastTheLastSlot();
    void editedFieldCommitsBeforeTheButtonActs();

private:
    CEditorDlg& W() { return *m_window; }
    SettingsBlock& Block() { return W().Image().settingsBlock; }
    SatelliteRecord& Record(int slot) { return Block().satellites[static_cast<std::size_t>(slot)]; }
    void Use(int count);
    void Select(int slot) { ClickNode(W(), SlotNode(W(), slot)); }
    void Press(int id) { ClickButton(W(), id); }
    QString Label(int slot) { return SlotNode(W(), slot)->text(0); }
    QTreeWidgetItem* Selected() { return Tree(W())->selectedItems().value(0); }
    QString Caption() { return Ctl<QGroupBox>(W(), 1075)->title(); }
    int TpRows() { return Ctl<QTableWidget>(W(), 1001)->rowCount(); }

    FakePrompts m_prompts;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorSlots::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorSlots::cleanup() {
    m_window->close();
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

// Distinct records in every slot, satCount as given, the labels following.
void TestEditorSlots::Use(int count) {
    Block().satCount = static_cast<std::uint8_t>(count);
    for (int slot = 0; slot < 20; ++slot) {
        SatelliteRecord& record = Record(slot);
        SetNameText(record, "S" + std::to_string(slot));
        record.longitude = static_cast<std::uint16_t>(100 + slot);
        record.tpCount = static_cast<std::uint8_t>(slot % 8 + 1);
        record.tps[0].frequency = static_cast<std::uint16_t>(10000 + slot);
        record.reserved27 = static_cast<std::uint8_t>(slot);
        SlotNode(W(), slot)->setText(0, QString::fromStdString(NameText(record)));
    }
}

void TestEditorSlots::addInFrontOfAUsedSlot() {
    Use(5);
    const auto before = Block().satellites;
    Select(2);
    Press(1111);
    QCOMPARE(Block().satCount, std::uint8_t{6});
    QCOMPARE(Record(2), MakeNewSatellite("new Sat"));
    for (int slot = 3; slot <= 5; ++slot) {
        QCOMPARE(Record(slot), before[static_cast<std::size_t>(slot - 1)]);
        QCOMPARE(Label(slot), QStringLiteral("S%1").arg(slot - 1));
    }
    QCOMPARE(Record(6), before[6]);
    QCOMPARE(Label(2), QStringLiteral("new Sat"));
    QCOMPARE(Selected(), SlotNode(W(), 2));
    QCOMPARE(W().m_curSat, std::int8_t{2});
    QCOMPARE(Caption(), QStringLiteral("Satellite: 3"));
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QStringLiteral("new Sat"));
    QCOMPARE(TpRows(), 8);
    QVERIFY(W().Control(1073)->isEnabled());
    QVERIFY(Tree(W())->hasFocus());
}

void TestEditorSlots::addOnASlotNotInUseAppends() {
    Use(5);
    const auto before = Block().satellites;
    Select(12);
    QVERIFY(!W().Control(1073)->isEnabled());
    Press(1111);
    QCOMPARE(Block().satCount, std::uint8_t{6});
    QCOMPARE(Record(5), MakeNewSatellite("new Sat"));
    QCOMPARE(Label(5), QStringLiteral("new Sat"));
    QCOMPARE(Selected(), SlotNode(W(), 5));
    QCOMPARE(W().m_curSat, std::int8_t{5});
    QCOMPARE(Caption(), QStringLiteral("Satellite: 6"));
    QVERIFY(W().Control(1073)->isEnabled());
    for (int slot = 6; slot < 20; ++slot) {
        QCOMPARE(Record(slot), before[static_cast<std::size_t>(slot)]);
    }
    QCOMPARE(Label(12), QStringLiteral("S12"));
}

void TestEditorSlots::addWithNoSatellites() {
    Use(0);
    Select(7);
    Press(1111);
    QCOMPARE(Block().satCount, std::uint8_t{1});
    QCOMPARE(Record(0), MakeNewSatellite("new Sat"));
    QCOMPARE(Selected(), SlotNode(W(), 0));
    QCOMPARE(W().m_curSat, std::int8_t{0});
    QVERIFY(W().Control(1057)->isEnabled());
}

void TestEditorSlots::addWithTwentySatellitesChangesNothing() {
    Use(20);
    Select(4);
    const SettingsBlock before = Block();
    Press(1111);
    QVERIFY(Block() == before);
    QCOMPARE(Label(4), QStringLiteral("S4"));
}

void TestEditorSlots::deleteFromTheMiddle() {
    Use(3);
    const auto before = Block().satellites;
    Select(1);
    Press(1049);
    QCOMPARE(Block().satCount, std::uint8_t{2});
    QCOMPARE(Record(1), before[2]);
    QCOMPARE(Label(1), QStringLiteral("S2"));
    QCOMPARE(Record(2), MakeNewSatellite(""));
    QCOMPARE(Label(2), QString());
    QCOMPARE(Selected(), SlotNode(W(), 1));
    QCOMPARE(W().m_curSat, std::int8_t{1});
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QStringLiteral("S2"));
    QCOMPARE(TpRows(), 3);
    QCOMPARE(Record(3), before[3]);
}

void TestEditorSlots::deleteTheLastOfSeveral() {
    Use(3);
    const auto before = Block().satellites;
    Select(2);
    Press(1049);
    QCOMPARE(Block().satCount, std::uint8_t{2});
    QCOMPARE(Record(2), MakeNewSatellite(""));
    QCOMPARE(Record(1), before[1]);
    QCOMPARE(Selected(), SlotNode(W(), 1));
    QCOMPARE(W().m_curSat, std::int8_t{1});
    QCOMPARE(Caption(), QStringLiteral("Satellite: 2"));
    QCOMPARE(TpRows(), 2);
    QVERIFY(W().Control(1073)->isEnabled());
}

void TestEditorSlots::deleteTheOnlySatellite() {
    Use(1);
    Select(0);
    Press(1049);
    QCOMPARE(Block().satCount, std::uint8_t{0});
    QCOMPARE(Record(0), MakeNewSatellite(""));
    QCOMPARE(Label(0), QString());
    QCOMPARE(W().m_curSat, std::int8_t{0});
    QVERIFY(!W().m_rowClicked);
    QCOMPARE(TpRows(), 0);
    QVERIFY(!W().Control(1073)->isEnabled());
    // The pane still shows the deleted satellite.
    QCOMPARE(Caption(), QStringLiteral("Satellite: 1"));
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QStringLiteral("S0"));
    // Nothing is left to delete.
    Press(1049);
    QCOMPARE(Block().satCount, std::uint8_t{0});
}

void TestEditorSlots::upSwapsWholeRecords() {
    Use(6);
    const auto before = Block().satellites;
    Select(3);
    Press(1108);
    QCOMPARE(Record(2), before[3]);
    QCOMPARE(Record(3), before[2]);
    QCOMPARE(Label(2), QStringLiteral("S3"));
    QCOMPARE(Label(3), QStringLiteral("S2"));
    QCOMPARE(Selected(), SlotNode(W(), 2));
    QCOMPARE(W().m_curSat, std::int8_t{2});
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QStringLiteral("S3"));
    QCOMPARE(TpRows(), 4);

    Press(1109);
    QCOMPARE(Record(2), before[2]);
    QCOMPARE(Record(3), before[3]);
    QCOMPARE(Selected(), SlotNode(W(), 3));
    QCOMPARE(Block().satCount, std::uint8_t{6});
}

void TestEditorSlots::upAndDownStopAtTheEnds() {
    Use(4);
    const SettingsBlock before = Block();
    Select(0);
    Press(1108);
    QVERIFY(Block() == before);
    Select(3);
    Press(1109);
    QVERIFY(Block() == before);
    Select(9);
    Press(1108);
    Press(1109);
    QVERIFY(Block() == before);
    QCOMPARE(Selected(), SlotNode(W(), 9));
    Select(19);
    Press(1109);
    QVERIFY(Block() == before);
}

void TestEditorSlots::downIsHeldByATpRowClick() {
    Use(5);
    Select(1);
    auto* list = Ctl<QTableWidget>(W(), 1001);
    const QPoint row = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QVERIFY(W().m_rowClicked);
    const SettingsBlock before = Block();
    Press(1109);
    QVERIFY(Block() == before);
    QCOMPARE(Selected(), SlotNode(W(), 1));
    // "UP" has no such condition, and refilling the list releases "DN".
    Press(1108);
    QCOMPARE(Selected(), SlotNode(W(), 0));
    QVERIFY(!W().m_rowClicked);
    Press(1109);
    QCOMPARE(Selected(), SlotNode(W(), 1));
    QCOMPARE(Label(1), QStringLiteral("S1"));
    // A click beside the rows releases it too.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    QVERIFY(W().m_rowClicked);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(5, list->viewport()->height() - 3));
    Press(1109);
    QCOMPARE(Selected(), SlotNode(W(), 2));
}

void TestEditorSlots::buttonsIgnoreNodesThatAreNotSatellites() {
    Use(5);
    const SettingsBlock before = Block();
    for (QTreeWidgetItem* node :
         {Root(W()), Root(W())->child(0), Root(W())->child(1), SatelliteList(W())}) {
        ClickNode(W(), node);
        for (int id : {1111, 1049, 1108, 1109}) {
            Press(id);
            QVERIFY(Block() == before);
            QCOMPARE(Selected(), node);
            QVERIFY(Tree(W())->hasFocus());
        }
    }
}

void TestEditorSlots::countsAboveTwentyNeverStepPastTheLastSlot() {
    Use(20);
    Block().satCount = 40;
    Select(19);
    QVERIFY(W().Control(1073)->isEnabled());
    Press(1111);
    QCOMPARE(Block().satCount, std::uint8_t{40});
    QCOMPARE(Label(19), QStringLiteral("S19"));
    Press(1109);
    QCOMPARE(Selected(), SlotNode(W(), 19));
    Press(1108);
    QCOMPARE(Selected(), SlotNode(W(), 18));
    QCOMPARE(Label(18), QStringLiteral("S19"));
    // Deleting counts the twenty slots that exist.
    Press(1049);
    QCOMPARE(Block().satCount, std::uint8_t{19});
    QCOMPARE(Record(19), MakeNewSatellite(""));
    QCOMPARE(Label(18), QStringLiteral("S18"));
    QCOMPARE(Selected(), SlotNode(W(), 18));
}

void TestEditorSlots::editedFieldCommitsBeforeTheButtonActs() {
    Use(3);
    Select(1);
    auto* longitude = Ctl<QLineEdit>(W(), 1057);
    longitude->setFocus(Qt::MouseFocusReason);
    longitude->selectAll();
    QTest::keyClicks(longitude, "777");
    // The press on "UP" takes the focus first: the value lands in slot 1, then moves with it.
    Press(1108);
    QCOMPARE(Record(0).longitude, std::uint16_t{777});
    QCOMPARE(Record(1).longitude, std::uint16_t{100});
    QCOMPARE(longitude->text(), QStringLiteral("777"));
}

QTEST_MAIN(TestEditorSlots)
#include "test_editor_slots.moc"
