// Undo and redo over the window's changes, the keyboard commands, and the window keeping what
// it shows and what it stores together whatever the focus and activation do.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CInPlaceCombo.h"
#include "controls/CNumEdit.h"
#include "editor/EditorIds.h"

#include "editor/CSkyView.h"
#include "editor/RefreshGuard.h"
#include "model/DefaultSatellites.h"
#include "tests/support/TextFit.h"

#include <QMenu>

#include <functional>
#include <memory>

using namespace editortest;

class TestEditorUndo : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyKindOfChangeIsOneStep_data();
    void everyKindOfChangeIsOneStep();
    void nothingChangedMakesNoStep();
    void refreshGuardEndsOneStepAtTheOutermost();
    void typingKeepsTheKeysUntilItIsCommitted();
    void historyAcrossOpenAndSave();
    void windowMenuOffersWhatCanBeDone();
    void tpListKeyboard();
    void openAndSaveKeysCommitTheFieldFirst();
    void leavingAFieldOfAnInactiveWindowCommits();
    void lnbTypeChosenWithTheKeysIsStored();
    void theTreeKeepsItsSelection();
    void libraryFromTheMenusIsOneStep();
    void skyViewFollowsTheWindow();
    void everyPaneShowsItsTextsWhole();

private:
    CEditorDlg& W() { return *m_window; }
    const SettingsBlock& Block() { return W().Image().settingsBlock; }
    QLineEdit* Edit(int control) { return Ctl<QLineEdit>(W(), control); }
    QComboBox* Combo(int control) { return Ctl<QComboBox>(W(), control); }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    QTreeWidgetItem* Selected() { return Tree(W())->selectedItems().value(0); }
    void Show(int slot) { ClickNode(W(), SlotNode(W(), slot)); }
    void Key(QKeySequence::StandardKey key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keySequence(focus != nullptr ? focus : Tree(W()), QKeySequence(key));
    }
    void OpenFile(int satCount);
    void RunTpMenu(int row, int command) {
        editortest::RunTpMenu(W(), List()->visualRect(List()->model()->index(row, 1)).center(),
                              command);
    }
    void PickFromLibrary(QList<int> rows, bool* picked) {
        PickFromLibraryWhenOpen(this, m_prompts, rows, picked);
    }
    void TriggerWindowMenu(const QString& text);

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorUndo::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorUndo::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

// A file with `satCount` slots in use, each with distinct transponders, opened as a user does.
void TestEditorUndo::OpenFile(int satCount) {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    image->settingsBlock.satCount = static_cast<std::uint8_t>(satCount);
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        SatelliteRecord& record = image->settingsBlock.satellites[slot];
        record.tpCount = 4;
        for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
            record.tps[tp].frequency = static_cast<std::uint16_t>(11000 + 10 * slot + tp);
        }
    }
    image->trailingImage[5] = 0x77;
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "undo.bin", ImageBytes(*image)));
    QCOMPARE(Block().satCount, std::uint8_t(satCount));
}

using Change = std::function<void(TestEditorUndo&)>;
Q_DECLARE_METATYPE(Change)

void TestEditorUndo::everyKindOfChangeIsOneStep_data() {
    QTest::addColumn<int>("startSlot"); // -1 "Local Position", -2 "System Setting"
    QTest::addColumn<Change>("change");
    const auto cell = [](int row, int column, const char* text) {
        return [=](TestEditorUndo& t) {
            const auto at = [&](int c) {
                return t.List()->visualRect(t.List()->model()->index(row, c)).center();
            };
            QTest::mouseClick(t.List()->viewport(), Qt::LeftButton, {}, at(0));
            QTest::mouseClick(t.List()->viewport(), Qt::LeftButton, {}, at(column));
            if (column == 2) {
                CInPlaceCombo* combo = CInPlaceCombo::GetInstance();
                combo->setCurrentIndex(combo->findText(text));
            } else {
                CNumEdit::GetInstance()->selectAll();
                QTest::keyClicks(CNumEdit::GetInstance(), text);
            }
            Tree(t.W())->setFocus();
            QTRY_VERIFY(!CNumEdit::GetInstance()->IsEditing());
        };
    };
    const auto button = [](int control) {
        return [=](TestEditorUndo& t) {
            ClickButton(t.W(), control);
        };
    };
    const auto pick = [](int control, int entry) {
        return [=](TestEditorUndo& t) {
            PickEntry(t.Combo(control), entry);
            Tree(t.W())->setFocus();
        };
    };
    const auto type = [](int control, const char* text) {
        return [=](TestEditorUndo& t) {
            TypeAndLeave(t.Edit(control), text, Tree(t.W()));
        };
    };
    QTest::newRow("frequency cell") << 2 << Change(cell(1, 1, "12345"));
    QTest::newRow("pol cell") << 2 << Change(cell(3, 2, "V"));
    QTest::newRow("insert row") << 2 << Change([](TestEditorUndo& t) { t.RunTpMenu(0, 32771); });
    QTest::newRow("delete row") << 2 << Change([](TestEditorUndo& t) { t.RunTpMenu(3, 32772); });
    QTest::newRow("+ on a used slot") << 2 << Change(button(id::Add));
    QTest::newRow("+ past the last") << 9 << Change(button(id::Add));
    QTest::newRow("-") << 2 << Change(button(id::Delete));
    QTest::newRow("- of the last") << 4 << Change(button(id::Delete));
    QTest::newRow("UP") << 2 << Change(button(id::Up));
    QTest::newRow("DN") << 2 << Change(button(id::Down));
    QTest::newRow("longitude clamped") << 2 << Change([](TestEditorUndo& t) {
        TypeAndLeave(t.Edit(id::SatLongitude), "2000", Tree(t.W()));
        QCOMPARE(t.m_prompts.TakeMessages(),
                 QStringList({"Please enter an integer between 0 and 1800."}));
        Tree(t.W())->setFocus();
    });
    QTest::newRow("combo pick") << 2 << Change(pick(id::LnbPower, 3));
    QTest::newRow("lnb type") << 2 << Change(pick(id::LnbType, 4));
    QTest::newRow("name typed") << 2 << Change(type(id::Name, "Astra"));
    QTest::newRow("local latitude") << -1 << Change(type(id::LocalLatitude, "481"));
    QTest::newRow("radio") << -2 << Change([](TestEditorUndo& t) {
        QTest::mouseClick(Ctl<QWidget>(t.W(), id::BeepOn), Qt::LeftButton);
    });
}

void TestEditorUndo::everyKindOfChangeIsOneStep() {
    QFETCH(int, startSlot);
    QFETCH(Change, change);
    OpenFile(5);
    if (startSlot >= 0) {
        Show(startSlot);
    } else {
        ClickNode(W(), Root(W())->child(startSlot == -1 ? 1 : 0));
    }
    QTreeWidgetItem* nodeBefore = Selected();
    const auto before = std::make_unique<MeterImage>(W().Image());

    change(*this);
    QTreeWidgetItem* nodeAfter = Selected();
    const auto after = std::make_unique<MeterImage>(W().Image());
    QVERIFY(!(*after == *before));

    Tree(W())->setFocus();
    Key(QKeySequence::Undo);
    QVERIFY(W().Image() == *before);
    QCOMPARE(Selected(), nodeBefore);
    for (int slot = 0; slot < 20; ++slot) {
        QCOMPARE(SlotNode(W(), slot)->text(0),
                 QString::fromLatin1(NameText(before->settingsBlock.satellites[slot])));
    }
    if (List()->rowCount() > 0) {
        QCOMPARE(List()->item(0, 1)->text(),
                 QString::number(before->settingsBlock.satellites[W().m_curSat].tps[0].frequency));
    }
    Key(QKeySequence::Undo); // nothing more to undo: the loaded image stays
    QVERIFY(W().Image() == *before);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(W().Image() == *after);
    QCOMPARE(Selected(), nodeAfter);
    Key(QKeySequence::Undo);
    Key(QKeySequence::Redo);
    QVERIFY(W().Image() == *after);
}

void TestEditorUndo::nothingChangedMakesNoStep() {
    OpenFile(3);
    Show(1);
    const MeterDocument& document = W().Document();
    TypeAndLeave(Edit(id::SatLongitude), QString::number(Block().satellites[1].longitude),
                 Tree(W()));
    QVERIFY(!document.CanUndo());
    TypeAndLeave(Edit(id::SatLongitude), "", Tree(W()));
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Please enter an integer."}));
    Tree(W())->setFocus();
    QVERIFY(!document.CanUndo());
    // An emptied cell is refused with its message and stores nothing.
    const QPoint cell = List()->visualRect(List()->model()->index(0, 3)).center();
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, cell);
    QVERIFY(CNumEdit::GetInstance()->IsEditing());
    CNumEdit::GetInstance()->selectAll();
    QTest::keyClick(CNumEdit::GetInstance(), Qt::Key_Delete);
    Tree(W())->setFocus();
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Can not empty!"}));
    QVERIFY(!document.CanUndo());
    // A combo left on the entry it showed stores the same code.
    PickEntry(Combo(id::Tone22k), Block().satellites[1].tone22k);
    Tree(W())->setFocus();
    QVERIFY(!document.CanUndo());
}

// Commits check the guard; only the outermost holder of a user change ends a step, once.
void TestEditorUndo::refreshGuardEndsOneStepAtTheOutermost() {
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
        {
            const RefreshGuard::Scope first(guard, outer);
            {
                const RefreshGuard::Scope second(guard, inner);
                if (ask) {
                    guard.EndStep();
                }
            }
            QVERIFY(guard.Refreshing());
        }
        QVERIFY(!guard.Refreshing());
        QCOMPARE(steps, made);
    }
    guard.EndStep();
    QCOMPARE(steps, 1);
}

void TestEditorUndo::typingKeepsTheKeysUntilItIsCommitted() {
    OpenFile(3);
    Show(0);
    TypeAndLeave(Edit(id::SatLongitude), "100", Tree(W()));
    QLineEdit* longitude = Edit(id::SatLongitude);
    longitude->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(longitude, "7");
    Key(QKeySequence::Undo); // the field's own typing
    QCOMPARE(longitude->text(), QStringLiteral("100"));
    QCOMPARE(Block().satellites[0].longitude, std::uint16_t(100));
    QVERIFY(W().Document().CanUndo());
    longitude->setModified(false);
    Key(QKeySequence::Undo); // nothing typed now: the data
    QCOMPARE(Block().satellites[0].longitude, std::uint16_t(0));
    QCOMPARE(longitude->text(), QStringLiteral("0"));

    // Five keys into the name relabel as typed and undo as one step.
    const std::string name = NameText(Block().satellites[0]);
    TypeAndLeave(Edit(id::Name), "Hotbd", Tree(W()));
    QCOMPARE(NameText(Block().satellites[0]), "Hotbd");
    Key(QKeySequence::Undo);
    QCOMPARE(NameText(Block().satellites[0]), name);
    QCOMPARE(SlotNode(W(), 0)->text(0), QString::fromStdString(name));
    QCOMPARE(Edit(id::Name)->text(), QString::fromStdString(name));
}

void TestEditorUndo::historyAcrossOpenAndSave() {
    OpenFile(3);
    ClickButton(W(), id::Add);
    QVERIFY(W().Document().CanUndo());
    SaveThrough(W(), m_prompts, m_dir.filePath("saved.bin"));
    QVERIFY(W().Document().CanUndo());
    OpenThrough(W(), m_prompts, m_dir.filePath("absent.bin"));
    m_prompts.TakeMessages();
    QVERIFY(W().Document().CanUndo());
    OpenThrough(W(), m_prompts, m_dir.filePath("saved.bin"));
    QVERIFY(!W().Document().CanUndo());
    QCOMPARE(Block().satCount, std::uint8_t(4));
}

void TestEditorUndo::windowMenuOffersWhatCanBeDone() {
    const auto entries = [this] {
        QStringList texts;
        QMenu* menu = W().WindowMenu();
        emit menu->aboutToShow();
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text() + (action->isEnabled() ? "" : " (off)");
            }
        }
        return texts;
    };
    QStringList expected = {"&Undo (off)", "&Redo (off)"};
    QCOMPARE(entries().mid(0, 2), expected);
    QCOMPARE(entries().last(), QStringLiteral("&About orvex..."));
    Show(0);
    ClickButton(W(), id::Down);
    QCOMPARE(entries().mid(0, 2), QStringList({"&Undo", "&Redo (off)"}));
    W().OnUndo();
    QCOMPARE(entries().mid(0, 2), QStringList({"&Undo (off)", "&Redo"}));
    bool about = false;
    connect(&W(), &CEditorDlg::aboutRequested, this, [&about] { about = true; });
    W().WindowMenu()->actions().last()->trigger();
    QVERIFY(about);
}

void TestEditorUndo::tpListKeyboard() {
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

    List()->setFocus();
    List()->setCurrentCell(2, 2);
    QTest::keyClick(List(), Qt::Key_Return);
    QTRY_VERIFY(CInPlaceCombo::GetInstance()->isVisible());
    Tree(W())->setFocus();

    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        List()->setFocus();
        List()->setCurrentCell(3, 1);
        QTest::keyClick(List(), key, modifiers);
        QMenu* menu = W().TpListMenu();
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(
            List()->viewport()->rect().contains(List()->viewport()->mapFromGlobal(menu->pos())));
        menu->close();
    }
}

void TestEditorUndo::openAndSaveKeysCommitTheFieldFirst() {
    OpenFile(3);
    Show(0);
    QLineEdit* longitude = Edit(id::SatLongitude);
    longitude->setFocus(Qt::MouseFocusReason);
    longitude->selectAll();
    QTest::keyClicks(longitude, "235");
    m_prompts.saveAnswers.push_back(m_dir.filePath("keys.bin"));
    QTest::keyClick(longitude, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_prompts.saveCalls.size(), std::size_t(1));
    QByteArray saved = ReadFile(m_dir.filePath("keys.bin"));
    QCOMPARE(static_cast<std::uint8_t>(saved[Slot(0) + 24]), std::uint8_t(235));

    m_prompts.openAnswers.push_back(m_dir.filePath("keys.bin"));
    QTest::keyClick(Tree(W()), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(m_prompts.openAnswers.empty());
    QVERIFY(!W().Document().CanUndo());
}

void TestEditorUndo::leavingAFieldOfAnInactiveWindowCommits() {
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
    TypeAndLeave(Edit(id::LocalLongitude), "2000", Tree(W()));
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

void TestEditorUndo::lnbTypeChosenWithTheKeysIsStored() {
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
    QCOMPARE(Edit(id::LowFreq)->text(), QStringLiteral("5150"));
    QVERIFY(Combo(id::Tone22k)->isEnabled());
    QCOMPARE(Block().satellites[1].lnbLowFreq, kFreshLnbLowFreq);
}

void TestEditorUndo::theTreeKeepsItsSelection() {
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

void TestEditorUndo::TriggerWindowMenu(const QString& text) {
    for (QAction* action : W().WindowMenu()->actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    QFAIL(qPrintable("no window menu entry " + text));
}

void TestEditorUndo::libraryFromTheMenusIsOneStep() {
    OpenFile(6);
    const auto loaded = std::make_unique<MeterImage>(W().Image());
    SatRecordList defaults;
    AddDefaultSatellites(defaults);
    bool picked = false;
    PickFromLibrary({0, 1}, &picked);
    TriggerWindowMenu("Satellite &Library...");
    QVERIFY(picked);
    m_prompts.questions.clear();
    QVERIFY(Block().satellites[1] == defaults.GetAt(1));
    QCOMPARE(SlotNode(W(), 1)->text(0), QString::fromLatin1(NameText(defaults.GetAt(1))));

    // Into one slot through the node's own menu; the others stay.
    const auto afterLoadSat = std::make_unique<MeterImage>(W().Image());
    QTreeWidget* tree = Tree(W());
    const QPoint at = tree->visualItemRect(SlotNode(W(), 4)).center();
    emit tree->customContextMenuRequested(at);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Replace from Library..."));
    menu->close();
    picked = false;
    PickFromLibrary({2}, &picked);
    menu->actions().value(0)->trigger();
    QVERIFY(picked);
    m_prompts.questions.clear();
    QVERIFY(Block().satellites[4] == defaults.GetAt(2));
    QCOMPARE(Selected(), SlotNode(W(), 4));
    for (std::size_t slot : {0u, 1u, 2u, 3u, 5u, 19u}) {
        QVERIFY(Block().satellites[slot] == afterLoadSat->settingsBlock.satellites[slot]);
    }
    QVERIFY(QTest::qWaitForWindowActive(&W()));
    Key(QKeySequence::Undo);
    QVERIFY(W().Image() == *afterLoadSat);
    Key(QKeySequence::Undo);
    QVERIFY(W().Image() == *loaded);
}

void TestEditorUndo::skyViewFollowsTheWindow() {
    OpenFile(5);
    ClickNode(W(), Root(W())->child(1));
    TypeAndLeave(Edit(id::LocalLongitude), "116", Tree(W()));
    TypeAndLeave(Edit(id::LocalLatitude), "481", Tree(W()));
    Show(0);
    for (const auto& [slot, longitude] : {std::pair{0, "192"}, std::pair{1, "130"}}) {
        Show(slot);
        TypeAndLeave(Edit(id::SatLongitude), longitude, Tree(W()));
    }
    QVERIFY(W().SkyView() == nullptr); // made on first use only
    QTest::keyClick(Tree(W()), Qt::Key_F9);
    CSkyView* sky = W().SkyView();
    QVERIFY(sky != nullptr);
    QTRY_VERIFY(sky->isVisible());
    QCOMPARE(sky->windowTitle(), QStringLiteral("Sky View"));
    W().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&W()));
    const QPointF astra = sky->SatellitePoint(0);
    const QPointF hotbird = sky->SatellitePoint(1);
    QVERIFY(!astra.isNull() && !hotbird.isNull());
    QVERIFY(hotbird.x() > astra.x()); // facing south, east on the left: 13.0 E right of 19.2 E

    // An edit, a slot move and an undo move the dots at once.
    Show(0);
    TypeAndLeave(Edit(id::SatLongitude), "282", Tree(W()));
    QVERIFY(sky->SatellitePoint(0).x() < astra.x());
    Key(QKeySequence::Undo);
    QCOMPARE(sky->SatellitePoint(0), astra);
    ClickButton(W(), id::Down);
    QCOMPARE(sky->SatellitePoint(1), astra);
    QCOMPARE(sky->SatellitePoint(0), hotbird);
    QCOMPARE(sky->SelectedSlot(), 1);

    // A click on a dot selects the node as a click on it does.
    QTest::mouseClick(sky, Qt::LeftButton, {}, sky->SatellitePoint(0).toPoint());
    QCOMPARE(Selected(), SlotNode(W(), 0));
    QCOMPARE(W().m_curSat, std::int8_t(0));
    QCOMPARE(Edit(id::SatLongitude)->text(), QStringLiteral("130"));
    QTest::keyClick(Tree(W()), Qt::Key_F9); // the same window again
    QCOMPARE(W().SkyView(), sky);
}

void TestEditorUndo::everyPaneShowsItsTextsWhole() {
    OpenFile(3);
    // Each pane shown, with the longest entries its lists can hold: "UNICABLE_A1", "LNB16".
    Show(0);
    PickEntry(Combo(id::SwitchType), 2);
    PickEntry(Combo(id::LnbType), 7);
    PickEntry(Combo(id::SwitchInput), 15);
    Tree(W())->setFocus();
    QString misfits = textfit::Describe(textfit::FindCutOffTexts(&W()));
    QVERIFY2(misfits.isEmpty(), qPrintable(misfits));
    for (int node : {0, 1}) {
        ClickNode(W(), Root(W())->child(node));
        misfits = textfit::Describe(textfit::FindCutOffTexts(&W()));
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits));
    }
}

QTEST_MAIN(TestEditorUndo)
#include "test_editor_undo.moc"
