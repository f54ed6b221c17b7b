// Undo and redo over the window's changes, the keyboard commands, and the window keeping what
// it shows and what it stores together whatever the focus and activation do.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"
#include "editor/CSkyView.h"
#include "editor/RefreshGuard.h"
#include "model/DefaultSatellites.h"
#include "tests/support/TextFit.h"

#include <functional>
#include <memory>

using namespace editortest;

class TestEditorUndo;
using Change = std::function<void(TestEditorUndo&)>;
Q_DECLARE_METATYPE(Change)

class TestEditorUndo : public QObject {
    Q_OBJECT

    CEditorDlg& W() { return *m_window; }
    const SettingsBlock& Block() { return W().Image().settingsBlock; }
    QLineEdit* Edit(int control) { return Ctl<QLineEdit>(W(), control); }
    QComboBox* Combo(int control) { return Ctl<QComboBox>(W(), control); }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    QPoint Cell(int row, int column) {
        return List()->visualRect(List()->model()->index(row, column)).center();
    }
    QTreeWidgetItem* Selected() { return Tree(W())->selectedItems().value(0); }
    void Show(int slot) { ClickNode(W(), SlotNode(W(), slot)); }
    // A button or a radio button.
    void Click(int control) { QTest::mouseClick(Ctl<QWidget>(W(), control), Qt::LeftButton); }
    // Types over the field's text, or picks the combo's entry from its list, and leaves it for
    // the tree.
    void Type(int control, const char* text) { TypeAndLeave(Edit(control), text, Tree(W())); }
    void Pick(int control, int entry) {
        PickEntry(Combo(control), entry);
        Tree(W())->setFocus();
    }
    void Key(QKeySequence::StandardKey key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus != nullptr ? focus : Tree(W()), QKeySequence(key));
    }
    // Edits a TP cell (the Pol cell's entry is picked) and leaves it for the tree.
    void EditCell(int row, int column, const char* text) {
        if (column == 2) {
            QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Cell(row, 0));
            QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Cell(row, column));
            CInPlaceCombo::GetInstance()->setCurrentText(text);
        } else {
            TypeIntoCell(W(), row, column, text);
        }
        Tree(W())->setFocus();
        QTRY_VERIFY(!CNumEdit::GetInstance()->IsEditing());
    }
    // A file with `satCount` slots in use, each with distinct transponders, the dish in Munich
    // and the first two satellites at 19.2 E and 13.0 E, opened as a user does.
    void OpenFile(int satCount) {
        auto image = std::make_unique<MeterImage>(FreshMeterImage());
        SettingsBlock& block = image->settingsBlock;
        block.satCount = static_cast<std::uint8_t>(satCount);
        block.localPosition = {116, kEast, 0, 481, kNorth, 0};
        for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
            block.satellites[slot].tpCount = 4;
            for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
                block.satellites[slot].tps[tp].frequency =
                    static_cast<std::uint16_t>(11000 + 10 * slot + tp);
            }
        }
        block.satellites[0].longitude = 192;
        block.satellites[1].longitude = 130;
        image->trailingImage[5] = 0x77;
        OpenThrough(W(), m_prompts, WriteFile(m_dir, "undo.bin", ImageBytes(*image)));
        QCOMPARE(Block().satCount, std::uint8_t(satCount));
    }
    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;

private slots:
    void init() { QVERIFY(StartWindowTest(m_window, m_prompts)); }

    void cleanup() { QCOMPARE(EndWindowTest(m_window, m_prompts), QString()); }

    void everyKindOfChangeIsOneStep_data() {
        QTest::addColumn<int>("node"); // a slot; -1 "Local Position", -2 "System Setting"
        QTest::addColumn<Change>("change");
        using T = TestEditorUndo;
        // the change, then the node it is made on
        const std::tuple<const char*, Change, int> rows[] = {
            {"frequency cell", [](T& t) { t.EditCell(1, 1, "12345"); }, 2},
            {"pol cell", [](T& t) { t.EditCell(3, 2, "V"); }, 2},
            {"insert row", [](T& t) { RunTpMenu(t.W(), t.Cell(0, 1), 32771); }, 2},
            {"delete row", [](T& t) { RunTpMenu(t.W(), t.Cell(3, 1), 32772); }, 2},
            {"+ on a used slot", [](T& t) { t.Click(id::Add); }, 2},
            {"-", [](T& t) { t.Click(id::Delete); }, 2},
            {"UP", [](T& t) { t.Click(id::Up); }, 2},
            {"DN", [](T& t) { t.Click(id::Down); }, 2},
            {"combo pick", [](T& t) { t.Pick(id::LnbPower, 3); }, 2},
            {"name typed", [](T& t) { t.Type(id::Name, "Astra"); }, 2},
            {"local latitude", [](T& t) { t.Type(id::LocalLatitude, "300"); }, -1},
            {"radio", [](T& t) { t.Click(id::BeepOn); }, -2}};
        for (const auto& [name, change, node] : rows) {
            QTest::newRow(name) << node << change;
        }
    }

    // Undo puts back every byte, the TP rows and the selection of before; Ctrl+Y puts back the
    // change.
    void everyKindOfChangeIsOneStep() {
        QFETCH(int, node);
        QFETCH(Change, change);
        OpenFile(5);
        ClickNode(W(), node >= 0 ? SlotNode(W(), node) : Root(W())->child(node == -1 ? 1 : 0));
        QTreeWidgetItem* nodeBefore = Selected();
        const auto before = std::make_unique<MeterImage>(W().Image());

        change(*this);
        QCOMPARE(m_prompts.TakeMessages(), QStringList());
        QTreeWidgetItem* nodeAfter = Selected();
        const auto after = std::make_unique<MeterImage>(W().Image());
        QVERIFY(!(*after == *before));
        QVERIFY(W().Document().CanUndo()); // a step of its own, not merged into the next change

        Tree(W())->setFocus();
        Key(QKeySequence::Undo);
        QVERIFY(W().Image() == *before);
        QCOMPARE(Selected(), nodeBefore);
        if (List()->rowCount() > 0) {
            QCOMPARE(
                List()->item(0, 1)->text(),
                QString::number(before->settingsBlock.satellites[W().m_curSat].tps[0].frequency));
        }

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(W().Image() == *after);
        QCOMPARE(Selected(), nodeAfter);
    }

    // Leaving a field or a list as it was stores nothing and makes no step.
    void nothingChangedMakesNoStep() {
        OpenFile(3);
        Show(1);
        Type(id::SatLongitude, "130");
        Pick(id::Tone22k, Block().satellites[1].tone22k);
        QCOMPARE(m_prompts.TakeMessages(), QStringList());
        // A refused cell keeps its value, and so makes no step either.
        TypeIntoCell(W(), 0, 1, "");
        QTest::keyClick(CNumEdit::GetInstance(), Qt::Key_Return);
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Can not empty!"}));
        Tree(W())->setFocus();
        QVERIFY(!W().Document().CanUndo());
    }

    // Commits check the guard; only the outermost holder of a user change ends a step, once.
    void refreshGuardEndsOneStepAtTheOutermost() {
        using Step = RefreshGuard::Step;
        int steps = 0;
        RefreshGuard guard([&steps] { ++steps; });
        // outer scope, inner scope, whether EndStep is asked inside, the steps made
        const std::tuple<Step, Step, bool, int> cases[] = {{Step::End, Step::Keep, false, 1},
                                                           {Step::End, Step::End, true, 1},
                                                           {Step::Keep, Step::End, true, 0},
                                                           {Step::Keep, Step::Keep, false, 0}};
        for (const auto& [outer, inner, ask, made] : cases) {
            steps = 0;
            auto first = std::make_unique<RefreshGuard::Scope>(guard, outer);
            auto second = std::make_unique<RefreshGuard::Scope>(guard, inner);
            if (ask) {
                guard.EndStep();
            }
            second.reset();
            QVERIFY(guard.Refreshing() && steps == 0);
            first.reset();
            QVERIFY(!guard.Refreshing());
            QCOMPARE(steps, made);
        }
        guard.EndStep();
        QCOMPARE(steps, 1);
    }

    // A field holding typing of its own takes the undo keys for its text; without, the data's.
    // Ctrl+S commits the field being typed in before it saves; the history outlives a save and
    // an open starts a new one.
    void theKeysOfAFieldAndOfTheWindow() {
        OpenFile(3);
        Show(0);
        QLineEdit* longitude = Edit(id::SatLongitude);
        TypeAndLeave(longitude, "100", Tree(W()));
        longitude->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(longitude, "7");
        Key(QKeySequence::Undo); // the field's own typing
        QCOMPARE(longitude->text(), QStringLiteral("100"));
        QCOMPARE(Block().satellites[0].longitude, std::uint16_t(100));
        longitude->setModified(false);
        Key(QKeySequence::Undo); // nothing typed now: the data
        QCOMPARE(Block().satellites[0].longitude, std::uint16_t(192));
        QCOMPARE(longitude->text(), QStringLiteral("192"));

        longitude->setFocus(Qt::MouseFocusReason);
        longitude->selectAll();
        QTest::keyClicks(longitude, "235");
        m_prompts.saveAnswers.push_back(m_dir.filePath("keys.bin"));
        QTest::keyClick(longitude, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadFile(m_dir.filePath("keys.bin")).mid(Slot(0) + 24, 2),
                 QByteArray("\xEB\0", 2));
        QVERIFY(W().Document().CanUndo());
        m_prompts.openAnswers.push_back(m_dir.filePath("keys.bin"));
        QTest::keyClick(Tree(W()), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(m_prompts.openAnswers.empty());
        QVERIFY(!W().Document().CanUndo());
    }

    void tpListKeyboard() {
        OpenFile(3);
        Show(1);
        List()->setFocus();
        QCOMPARE(List()->currentRow(), 0);
        QTest::keyClick(List(), Qt::Key_Down);
        QTest::keyClick(List(), Qt::Key_Right);
        QCOMPARE(List()->currentRow(), 1);
        QCOMPARE(List()->currentColumn(), 1);
        QTest::keyClick(List(), Qt::Key_F2);
        QTRY_VERIFY(CNumEdit::GetInstance()->IsEditing());
        CNumEdit::GetInstance()->selectAll();
        QTest::keyClicks(CNumEdit::GetInstance(), "11111");
        QTest::keyClick(CNumEdit::GetInstance(), Qt::Key_Return);
        QTRY_VERIFY(!CNumEdit::GetInstance()->IsEditing());
        QCOMPARE(Block().satellites[1].tps[1].frequency, std::uint16_t(11111));

        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
              std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
            List()->setFocus();
            List()->setCurrentCell(3, 1);
            QTest::keyClick(List(), key, modifiers);
            QMenu* menu = W().TpListMenu();
            QTRY_VERIFY(menu->isVisible());
            QVERIFY(List()->viewport()->rect().contains(
                List()->viewport()->mapFromGlobal(menu->pos())));
            menu->close();
        }
    }

    void leavingAFieldOfAnInactiveWindowCommits() {
        OpenFile(3);
        ClickNode(W(), Root(W())->child(1));
        // A prompt that takes the activation away, as a message box under no window manager
        // does: afterwards the window has it back.
        QWidget other;
        m_prompts.duringPrompt = [&other] {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        };
        Type(id::LocalLongitude, "2000");
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList({"Please enter an integer between 0 and 1800."}));
        QTRY_VERIFY(W().isActiveWindow());
        QCOMPARE(Block().localPosition.longitude, std::uint16_t(1800));

        // Still inactive when the user types and tabs on: what the field shows is stored.
        m_prompts.duringPrompt = nullptr;
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QLineEdit* longitude = Edit(id::LocalLongitude);
        longitude->setFocus();
        longitude->selectAll();
        QTest::keyClicks(longitude, "1234");
        QTest::keyClick(longitude, Qt::Key_Tab);
        QCOMPARE(longitude->text(), QStringLiteral("1234"));
        QCOMPARE(Block().localPosition.longitude, std::uint16_t(1234));
    }

    void lnbTypeChosenWithTheKeysIsStored() {
        OpenFile(3);
        Show(1);
        QComboBox* type = Combo(id::LnbType);
        type->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(type, Qt::Key_Down);
        QTest::keyClick(type, Qt::Key_Down);
        QCOMPARE(type->currentIndex(), 2);
        QCOMPARE(Block().satellites[1].lnbType, std::uint8_t(0));
        Tree(W())->setFocus();
        QCOMPARE(Block().satellites[1].lnbType, std::uint8_t(2)); // "SINGLE1"
    }

    void theTreeKeepsItsSelection() {
        OpenFile(3);
        Show(1);
        QTreeWidget* tree = Tree(W());
        QTreeWidgetItem* node = SlotNode(W(), 1);
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          tree->visualItemRect(node).center());
        QCOMPARE(Selected(), node);
        tree->setCurrentItem(node);
        QTest::keyClick(tree, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(Selected(), node);
        TypeAndLeave(Edit(id::Name), "Kept", tree);
        QCOMPARE(node->text(0), QStringLiteral("Kept"));
        QCOMPARE(NameText(Block().satellites[1]), "Kept");
    }

    // Into one slot from its node's menu: one step; the other slots stay.
    void replaceFromLibraryIsOneStep() {
        OpenFile(6);
        SatRecordList defaults;
        AddDefaultSatellites(defaults);
        const auto before = std::make_unique<MeterImage>(W().Image());
        QTreeWidget* tree = Tree(W());
        emit tree->customContextMenuRequested(tree->visualItemRect(SlotNode(W(), 4)).center());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Replace from Library..."));
        menu->close();
        bool picked = false;
        PickFromLibraryWhenOpen(this, m_prompts, {2}, &picked);
        menu->actions().value(0)->trigger();
        QVERIFY(picked);
        m_prompts.questions.clear();
        QCOMPARE(Selected(), SlotNode(W(), 4));
        auto expected = std::make_unique<MeterImage>(*before); // the other slots stay
        expected->settingsBlock.satellites[4] = defaults.GetAt(2);
        QVERIFY(W().Image() == *expected);
        QVERIFY(QTest::qWaitForWindowActive(&W()));
        Key(QKeySequence::Undo);
        QVERIFY(W().Image() == *before);
    }

    // The chart is made on first use and follows the window's data and selection at once; a
    // click on a dot selects the node as a click on it does.
    void skyViewFollowsTheWindow() {
        OpenFile(5);
        QVERIFY(W().SkyView() == nullptr);
        QTest::keyClick(Tree(W()), Qt::Key_F9);
        CSkyView* sky = W().SkyView();
        QTRY_VERIFY(sky != nullptr && sky->isVisible());
        W().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&W()));
        const QPointF astra = sky->SatellitePoint(0);
        const QPointF hotbird = sky->SatellitePoint(1);
        QVERIFY(!astra.isNull() && !hotbird.isNull() && astra != hotbird);

        Show(0);
        Type(id::SatLongitude, "282");
        QVERIFY(sky->SatellitePoint(0).x() < astra.x()); // facing south, east on the left
        Key(QKeySequence::Undo);
        QCOMPARE(sky->SatellitePoint(0), astra);
        QCOMPARE(sky->SelectedSlot(), 0);

        QTest::mouseClick(sky, Qt::LeftButton, {}, hotbird.toPoint());
        QCOMPARE(Selected(), SlotNode(W(), 1));
        QCOMPARE(Edit(id::SatLongitude)->text(), QStringLiteral("130"));
        QTest::keyClick(Tree(W()), Qt::Key_F9); // the same window again
        QCOMPARE(W().SkyView(), sky);
    }

    // Each pane shown, with the longest entries its lists can hold: "UNICABLE_A1", "LNB16".
    void everyPaneShowsItsTextsWhole() {
        OpenFile(3);
        Show(0);
        PickEntry(Combo(id::SwitchType), 2);
        PickEntry(Combo(id::LnbType), 7);
        PickEntry(Combo(id::SwitchInput), 15);
        for (QTreeWidgetItem* node : {SlotNode(W(), 0), Root(W())->child(0), Root(W())->child(1)}) {
            ClickNode(W(), node);
            const QString misfits = textfit::Describe(textfit::FindCutOffTexts(&W()));
            QVERIFY2(misfits.isEmpty(), qPrintable(misfits));
        }
    }
};

QTEST_MAIN(TestEditorUndo)
#include "test_editor_undo.moc"
