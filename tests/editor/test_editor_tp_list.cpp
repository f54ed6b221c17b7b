// The TP list: editing cells in place, the context menu's Insert and Delete, the clamps of the
// numeric cells, the row clicks and the row colours.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"
#include "editor/CTpRowDelegate.h"

#include <QApplication>
#include <QMenu>
#include <QWindow>

#include <memory>

using namespace editortest;

class TestEditorTpList : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listIsConfiguredForEditing();
    void typedFrequencyIsStored();
    void emptyNumberIsRefused();
    void numbersAbove65535StoreTheMaximum();
    void polarizationIsPickedFromTheCombo();
    void choicesOnlyForClicksIntoTheList();
    void insertOnARowShiftsTheEntries();
    void insertBelowTheRowsAppends();
    void deleteSelectsTheNextOrLastRow();
    void insertIsNotOfferedWithoutTheSlotsRows();
    void rowClicksSetTheRowAndTheFlag();
    void rowsHaveTheirOwnColours();

private:
    CEditorDlg& W() { return *m_window; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), 1001); }
    SatelliteRecord& Record(int slot) {
        return W().Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
    }
    QPoint Center(int row, int column) {
        return List()->visualRect(List()->model()->index(row, column)).center();
    }
    void Click(int row, int column) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Center(row, column));
    }
    // A click into a cell of the focused row opens its editor; a first click focuses the row.
    CNumEdit* OpenNumber(int row, int column) {
        if (List()->currentRow() != row) {
            Click(row, 0);
        }
        Click(row, column);
        CNumEdit* edit = CNumEdit::GetInstance();
        return edit->IsEditing() ? edit : nullptr;
    }
    QString Cell(int row, int column) { return List()->item(row, column)->text(); }
    // Opens the list's context menu at a point of its viewport and returns it.
    QMenu* RightClick(const QPoint& point);
    QAction* MenuAction(QMenu* menu, int commandId);
    void Reactivate() {
        W().windowHandle()->requestActivate();
        QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
    }
    void ShowSlotWithTps(int slot, int tps);

    FakePrompts m_prompts;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorTpList::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorTpList::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    m_window->close();
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

QMenu* TestEditorTpList::RightClick(const QPoint& point) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, point,
                            List()->viewport()->mapToGlobal(point));
    QApplication::sendEvent(List()->viewport(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu;
}

QAction* TestEditorTpList::MenuAction(QMenu* menu, int commandId) {
    for (QAction* action : menu->actions()) {
        if (action->property("commandId").toInt() == commandId) {
            return action;
        }
    }
    return nullptr;
}

void TestEditorTpList::ShowSlotWithTps(int slot, int tps) {
    Record(slot).tpCount = static_cast<std::uint8_t>(tps);
    for (int k = 0; k < 8; ++k) {
        Record(slot).tps[static_cast<std::size_t>(k)] = {
            static_cast<std::uint16_t>(20000 + k), static_cast<std::uint16_t>(11000 + k),
            k % 2 == 0 ? kHorizontal : kVertical, static_cast<std::uint8_t>(k)};
    }
    ClickNode(W(), SlotNode(W(), slot == 0 ? 1 : 0));
    ClickNode(W(), SlotNode(W(), slot));
    QCOMPARE(List()->rowCount(), std::min(tps, 8));
}

void TestEditorTpList::listIsConfiguredForEditing() {
    CEditListCtrl* list = List();
    QVERIFY(list != nullptr);
    QVERIFY(list->IsReadOnlyColumn(0) && list->IsComboColumn(2));
    QVERIFY(list->ComboStyle() & CEditListCtrl::kComboVScroll);
    QVERIFY(qobject_cast<CTpRowDelegate*>(list->itemDelegate()) != nullptr);
    const QMenu* menu = W().TpListMenu();
    QCOMPARE(menu->property("menuId").toInt(), 151);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&Insert"));
    QCOMPARE(menu->actions()[0]->property("commandId").toInt(), 32771);
    QCOMPARE(menu->actions()[1]->text(), QStringLiteral("&Delete"));
    QCOMPARE(menu->actions()[1]->property("commandId").toInt(), 32772);
}

void TestEditorTpList::typedFrequencyIsStored() {
    ShowSlotWithTps(2, 3);
    const TpEntry before = Record(2).tps[1];
    CNumEdit* edit = OpenNumber(1, 1);
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "123");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(W().isVisible());
    QCOMPARE(Record(2).tps[1].frequency, std::uint16_t{123});
    QCOMPARE(Record(2).tps[1].symbolRate, before.symbolRate);
    QCOMPARE(Record(2).tps[1].polarization, before.polarization);
    QCOMPARE(Record(2).tps[1].padding5, before.padding5);

    // Leading zeros are stored as the number; the cell keeps the typed text until shown again.
    edit = OpenNumber(1, 3);
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "0123");
    W().Control(1043)->setFocus();
    QCOMPARE(Record(2).tps[1].symbolRate, std::uint16_t{123});
    QCOMPARE(Cell(1, 3), QStringLiteral("0123"));
    ClickNode(W(), SlotNode(W(), 3));
    ClickNode(W(), SlotNode(W(), 2));
    QCOMPARE(Cell(1, 3), QStringLiteral("123"));
}

void TestEditorTpList::emptyNumberIsRefused() {
    ShowSlotWithTps(0, 2);
    for (int column : {1, 3}) {
        CNumEdit* edit = OpenNumber(0, column);
        QVERIFY(edit != nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Can not empty!"}));
        QCOMPARE(Cell(0, column), column == 1 ? QStringLiteral("11000") : QStringLiteral("20000"));
    }
    QCOMPARE(Record(0).tps[0].frequency, std::uint16_t{11000});
    QCOMPARE(Record(0).tps[0].symbolRate, std::uint16_t{20000});
}

void TestEditorTpList::numbersAbove65535StoreTheMaximum() {
    ShowSlotWithTps(0, 2);
    CNumEdit* edit = OpenNumber(1, 1);
    QVERIFY(edit != nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, "99999");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Record(0).tps[1].frequency, std::uint16_t{65535});
    QCOMPARE(Cell(1, 1), QStringLiteral("65535"));
    edit = OpenNumber(1, 3);
    edit->selectAll();
    QTest::keyClicks(edit, "65536");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Record(0).tps[1].symbolRate, std::uint16_t{65535});
    edit = OpenNumber(1, 3);
    edit->selectAll();
    QTest::keyClicks(edit, "65535");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Cell(1, 3), QStringLiteral("65535"));
}

void TestEditorTpList::polarizationIsPickedFromTheCombo() {
    ShowSlotWithTps(0, 2);
    Click(0, 2);
    CInPlaceCombo* combo = CInPlaceCombo::GetInstance();
    QVERIFY(combo->IsEditing());
    QCOMPARE(combo->Choices(), QStringList({"H", "V"}));
    QCOMPARE(combo->currentText(), QStringLiteral("H"));
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Return);
    QVERIFY(W().isVisible());
    QCOMPARE(Record(0).tps[0].polarization, kVertical);
    QCOMPARE(Cell(0, 2), QStringLiteral("V"));
    QTRY_VERIFY(!combo->HasWindow());

    Click(0, 2);
    combo = CInPlaceCombo::GetInstance();
    QVERIFY(combo->IsEditing());
    QTest::keyClick(combo, Qt::Key_Up);
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(Record(0).tps[0].polarization, kHorizontal);
    QTRY_VERIFY(!combo->HasWindow());
}

void TestEditorTpList::choicesOnlyForClicksIntoTheList() {
    ShowSlotWithTps(0, 2);
    QStringList choices = {"stale"};
    W().Control(1043)->setFocus();
    W().OnGetCellChoices(2, &choices);
    QCOMPARE(choices, QStringList());
    List()->setFocus();
    W().OnGetCellChoices(1, &choices);
    QCOMPARE(choices, QStringList());
    W().OnGetCellChoices(2, &choices);
    QCOMPARE(choices, QStringList({"H", "V"}));
}

void TestEditorTpList::insertOnARowShiftsTheEntries() {
    ShowSlotWithTps(3, 5);
    const auto before = Record(3).tps;
    QMenu* menu = RightClick(Center(2, 1));
    QVERIFY(menu != nullptr);
    QCOMPARE(menu, W().TpListMenu());
    QCOMPARE(W().m_listRow, 2);
    QVERIFY(MenuAction(menu, 32771)->isEnabled());
    QVERIFY(MenuAction(menu, 32772)->isEnabled());
    menu->close();
    MenuAction(menu, 32771)->trigger();

    QCOMPARE(List()->rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(Cell(row, 0), QString::number(row + 1));
    }
    QCOMPARE(Cell(2, 1), QStringLiteral("9750"));
    QCOMPARE(Cell(2, 2), QStringLiteral("H"));
    QCOMPARE(Cell(2, 3), QStringLiteral("10600"));
    QCOMPARE(List()->currentRow(), 2);
    QCOMPARE(Record(3).tpCount, std::uint8_t{6});
    QCOMPARE(Record(3).tps[0], before[0]);
    QCOMPARE(Record(3).tps[1], before[1]);
    QCOMPARE(Record(3).tps[2], kFreshTp);
    QCOMPARE(Record(3).tps[3], before[2]);
    QCOMPARE(Record(3).tps[5], before[4]);
    QCOMPARE(Record(3).tps[6], before[6]);
    QCOMPARE(W().m_listRow, 2);
}

void TestEditorTpList::insertBelowTheRowsAppends() {
    ShowSlotWithTps(0, 7);
    const QPoint below(5, List()->viewport()->height() - 3);
    QMenu* menu = RightClick(below);
    QVERIFY(menu != nullptr);
    QCOMPARE(W().m_listRow, -1);
    QVERIFY(MenuAction(menu, 32771)->isEnabled());
    QVERIFY(!MenuAction(menu, 32772)->isEnabled());
    menu->close();
    MenuAction(menu, 32771)->trigger();
    QCOMPARE(List()->rowCount(), 8);
    QCOMPARE(Cell(7, 0), QStringLiteral("8"));
    QCOMPARE(Cell(7, 1), QStringLiteral("9750"));
    QCOMPARE(List()->currentRow(), 7);
    QCOMPARE(Record(0).tpCount, std::uint8_t{8});
    QCOMPARE(Record(0).tps[7], kFreshTp);

    // Eight transponders: nothing on empty space, and Insert grayed on every row.
    menu = RightClick(below);
    QVERIFY(!MenuAction(menu, 32771)->isEnabled());
    QVERIFY(!MenuAction(menu, 32772)->isEnabled());
    menu->close();
    for (int row = 0; row < 8; ++row) {
        menu = RightClick(Center(row, 3));
        QVERIFY(!MenuAction(menu, 32771)->isEnabled());
        QVERIFY(MenuAction(menu, 32772)->isEnabled());
        menu->close();
    }
    // A command that arrives anyway changes nothing.
    W().OnTpInsert();
    QCOMPARE(Record(0).tpCount, std::uint8_t{8});
    QCOMPARE(List()->rowCount(), 8);
}

void TestEditorTpList::deleteSelectsTheNextOrLastRow() {
    ShowSlotWithTps(1, 3);
    const auto before = Record(1).tps;
    QMenu* menu = RightClick(Center(0, 1));
    menu->close();
    MenuAction(menu, 32772)->trigger();
    QCOMPARE(List()->rowCount(), 2);
    QCOMPARE(Cell(0, 0), QStringLiteral("1"));
    QCOMPARE(Cell(0, 1), QStringLiteral("11001"));
    QCOMPARE(List()->currentRow(), 0);
    QCOMPARE(Record(1).tpCount, std::uint8_t{2});
    QCOMPARE(Record(1).tps[0], before[1]);
    QCOMPARE(Record(1).tps[1], before[2]);
    // The entry that fell out of use keeps its bytes.
    QCOMPARE(Record(1).tps[2], before[2]);

    menu = RightClick(Center(1, 1));
    menu->close();
    MenuAction(menu, 32772)->trigger();
    QCOMPARE(List()->rowCount(), 1);
    QCOMPARE(List()->currentRow(), 0);

    menu = RightClick(Center(0, 2));
    menu->close();
    MenuAction(menu, 32772)->trigger();
    QCOMPARE(List()->rowCount(), 0);
    QCOMPARE(Record(1).tpCount, std::uint8_t{0});

    // On the empty list only Insert is offered, and it appends the first row.
    menu = RightClick(QPoint(5, 5));
    QVERIFY(MenuAction(menu, 32771)->isEnabled());
    QVERIFY(!MenuAction(menu, 32772)->isEnabled());
    menu->close();
    MenuAction(menu, 32771)->trigger();
    QCOMPARE(List()->rowCount(), 1);
    QCOMPARE(Cell(0, 0), QStringLiteral("1"));
    QCOMPARE(Record(1).tpCount, std::uint8_t{1});
}

void TestEditorTpList::insertIsNotOfferedWithoutTheSlotsRows() {
    ShowSlotWithTps(2, 3);
    W().Image().settingsBlock.satCount = 5;
    // The root and "Satellite List" keep the slot but empty the list; a slot not in use too.
    for (QTreeWidgetItem* node : {Root(W()), SatelliteList(W()), SlotNode(W(), 9)}) {
        ClickNode(W(), node);
        QCOMPARE(List()->rowCount(), 0);
        QMenu* menu = RightClick(QPoint(5, 5));
        QVERIFY(menu != nullptr);
        QVERIFY(!MenuAction(menu, 32771)->isEnabled());
        QVERIFY(!MenuAction(menu, 32772)->isEnabled());
        menu->close();
        W().OnTpInsert();
        QCOMPARE(List()->rowCount(), 0);
    }
    QCOMPARE(Record(2).tpCount, std::uint8_t{3});
    QCOMPARE(Record(9).tpCount, std::uint8_t{8});

    // A count above eight from a file: eight rows, nothing to insert.
    Record(4).tpCount = 30;
    ClickNode(W(), SlotNode(W(), 4));
    QCOMPARE(List()->rowCount(), 8);
    QMenu* menu = RightClick(Center(3, 1));
    QVERIFY(!MenuAction(menu, 32771)->isEnabled());
    menu->close();
    MenuAction(menu, 32772)->trigger();
    QCOMPARE(List()->rowCount(), 7);
    QCOMPARE(Record(4).tpCount, std::uint8_t{7});
}

void TestEditorTpList::rowClicksSetTheRowAndTheFlag() {
    ShowSlotWithTps(0, 3);
    QVERIFY(!W().m_rowClicked);
    Click(2, 0);
    QCOMPARE(W().m_listRow, 2);
    QVERIFY(W().m_rowClicked);
    QCOMPARE(List()->currentRow(), 2);
    // A click beside the rows clears the flag and keeps the row.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      QPoint(5, List()->viewport()->height() - 3));
    QVERIFY(!W().m_rowClicked);
    QCOMPARE(W().m_listRow, 2);
    Click(1, 0);
    QVERIFY(W().m_rowClicked);
    ClickNode(W(), SlotNode(W(), 1));
    QVERIFY(!W().m_rowClicked);
}

void TestEditorTpList::rowsHaveTheirOwnColours() {
    ShowSlotWithTps(0, 4);
    Click(1, 0);
    QCOMPARE(List()->currentRow(), 1);
    // Rows 0 and 1 are selected, row 1 focused; the system's selection colour is never drawn.
    List()->selectionModel()->select(List()->model()->index(0, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QImage image = List()->viewport()->grab().toImage();
    const auto background = [&](int row) {
        const QRect cell = List()->visualRect(List()->model()->index(row, 3));
        return QColor(image.pixel(cell.right() - 3, cell.center().y()));
    };
    QCOMPARE(background(0), QColor(229, 232, 239));
    QCOMPARE(background(1), QColor(75, 149, 229));
    QCOMPARE(background(2), QColor(229, 232, 239));
    QCOMPARE(background(3), QColor(240, 247, 249));
}

QTEST_MAIN(TestEditorTpList)
#include "test_editor_tp_list.moc"
