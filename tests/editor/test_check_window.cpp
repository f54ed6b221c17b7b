// The settings check as the user meets it: the sentence for each finding, the "Check Settings"
// window opened with F7, its lines leading to the satellite and TP row, the marks in the tree
// and the TP list, and saving that findings never refuse.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "controls/CNumEdit.h"
#include "editor/CCheckWindow.h"
#include "editor/CSatelliteNode.h"
#include "editor/LockFindingText.h"

#include <QImage>

#include <algorithm>
#include <functional>
#include <memory>

using namespace editortest;

namespace {

const QString kPowerText =
    QStringLiteral("Lnb Power is 18V: vertical transponders get no power. Choose AUTO or 13V.");

SatelliteRecord& Sat(SettingsBlock& block, int slot) {
    return block.satellites[static_cast<std::size_t>(slot)];
}

// Three satellites a Universal LNB receives without a finding, the site not yet entered.
std::unique_ptr<MeterImage> CleanMeter() {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    SettingsBlock& block = image->settingsBlock;
    block.satCount = 3;
    const struct {
        const char* name;
        std::uint16_t longitude;
        std::uint8_t direction;
    } satellites[] = {{"Astra", 192, kEast}, {"Hotbird", 130, kEast}, {"Hispasat", 300, kWest}};
    for (int slot = 0; slot < 3; ++slot) {
        SatelliteRecord& record = Sat(block, slot);
        record = MakeNewSatellite(satellites[slot].name);
        record.longitude = satellites[slot].longitude;
        record.direction = satellites[slot].direction;
        record.tpCount = 2;
        record.tps[0] = {22000, 11494, kHorizontal, 0};
        record.tps[1] = {27500, 11538, kVertical, 0};
    }
    return image;
}

QString LineText(const QTreeWidgetItem* line) {
    return line->text(0) + " | " + line->text(1) + " | " + line->text(2);
}

QImage IconImage(const QTreeWidgetItem* node) {
    return node->icon(0).pixmap(16, 16).toImage();
}

} // namespace

class TestCheckWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eachProblemHasItsOwnSentence();
    void f7OpensTheListOfFindings();
    void aChosenLineShowsItsSatelliteAndRow();
    void theListFollowsEditsAndUndo();
    void treeAndTpListCarryTheFindings();

private:
    CEditorDlg& W() { return *m_window; }
    const SettingsBlock& Block() { return W().Image().settingsBlock; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    QTreeWidgetItem* Selected() { return Tree(W())->selectedItems().value(0); }
    void Show(int slot) { ClickNode(W(), SlotNode(W(), slot)); }
    CCheckWindow* Check() { return W().findChild<CCheckWindow*>(); }
    QTreeWidget* Lines() { return Check()->Lines(); }
    QStringList LineTexts() {
        QStringList texts;
        for (int i = 0; i < Lines()->topLevelItemCount(); ++i) {
            texts << LineText(Lines()->topLevelItem(i));
        }
        return texts;
    }
    // The four cells of a TP row in one role.
    QStringList Row(int row, int role) {
        QStringList cells;
        for (int column = 0; column < List()->columnCount(); ++column) {
            cells << List()->model()->index(row, column).data(role).toString();
        }
        return cells;
    }
    QString Sentence(int slot, int row, LockProblem problem) {
        return LockFindingText(Block(), {slot, row, problem});
    }
    QString Open(const MeterImage& image) {
        const QString path = WriteFile(m_dir, "check.bin", ImageBytes(image));
        OpenThrough(W(), m_prompts, path);
        return path;
    }
    void OpenCheckWindow() {
        QTest::keyClick(Tree(W()), Qt::Key_F7);
        QVERIFY(Check() != nullptr);
        QTRY_VERIFY(Check()->isVisible());
    }
    // The check window's platform window counts its owner as active too: wait for the widget.
    void Activate(QWidget* window) {
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }
    void EditTpCell(int row, int column, const char* text) {
        const auto at = [&](int c) {
            return List()->visualRect(List()->model()->index(row, c));
        };
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at(0).center());
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at(column).center());
        CNumEdit::GetInstance()->selectAll();
        QTest::keyClicks(CNumEdit::GetInstance(), text);
        Tree(W())->setFocus();
        QTRY_VERIFY(!CNumEdit::GetInstance()->IsEditing());
    }
    void PickLnbPower(int entry) {
        PickEntry(Ctl<QComboBox>(W(), id::LnbPower), entry);
        Tree(W())->setFocus();
    }

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestCheckWindow::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestCheckWindow::cleanup() {
    QCOMPARE(EndWindowTest(m_window, m_prompts), QString());
}

void TestCheckWindow::eachProblemHasItsOwnSentence() {
    using Setup = std::function<void(SettingsBlock&)>;
    const struct {
        LockFinding finding;
        Setup setup;
        QStringList names; // the stored values the sentence must name
    } cases[] = {
        {{1, -1, LockProblem::NoTransponder},
         [](SettingsBlock& b) { Sat(b, 1).tpCount = 0; },
         {"no transponder", "Insert"}},
        {{0, -1, LockProblem::LnbPowerOff},
         [](SettingsBlock& b) { Sat(b, 0).lnbPower = 3; },
         {"Lnb Power is OFF", "AUTO"}},
        {{2, -1, LockProblem::BelowHorizon},
         [](SettingsBlock& b) {
             b.localPosition = {116, kEast, 0, 481, kNorth, 0};
             Sat(b, 2).longitude = 1500;
         },
         {"150.0\u00b0 W", "11.6\u00b0 E 48.1\u00b0 N", "Longitude"}},
        {{1, -1, LockProblem::UsalsWithoutSite},
         [](SettingsBlock& b) { Sat(b, 1).positionType = 1; },
         {"USALS", "0.0\u00b0 E 0.0\u00b0 N", "Local Position"}},
        {{0, -1, LockProblem::LnbFrequenciesDiffer},
         [](SettingsBlock& b) {
             Sat(b, 0).lnbLowFreq = 5150;
             Sat(b, 0).lnbHighFreq = 5750;
         },
         {"Universal (9750 and 10600 MHz)", "5150 and 5750 MHz", "Customized"}},
        {{0, -1, LockProblem::SharedSwitchInput},
         [](SettingsBlock& b) {
             for (int slot : {0, 1}) {
                 Sat(b, slot).switchType = 1;
                 Sat(b, slot).switchInput = 2;
             }
         },
         {"DiSEQC1.0 input LNB3", "Hotbird (slot 2) at 13.0\u00b0 E", "Switch Input"}},
        {{2, -1, LockProblem::UnknownLnbType},
         [](SettingsBlock& b) { Sat(b, 2).lnbType = 14; },
         {"code 14", "Lnb Type"}},
        {{0, 1, LockProblem::OutsideLnbRange},
         [](SettingsBlock& b) { Sat(b, 0).tps[1].frequency = 3800; },
         {"Universal LNB (9750/10600 MHz)", "3800 MHz", "950-2150"}},
        {{0, 1, LockProblem::ToneBlocksBand},
         [](SettingsBlock& b) {
             Sat(b, 0).tone22k = 1;
             Sat(b, 0).tps[1].frequency = 12000;
         },
         {"22 KHz is OFF", "on 9750 MHz", "12000 MHz needs 10600 MHz", "AUTO"}},
        {{0, 0, LockProblem::ToneBlocksBand},
         [](SettingsBlock& b) { Sat(b, 0).tone22k = 2; },
         {"22 KHz is ON", "on 10600 MHz", "11494 MHz needs 9750 MHz"}},
        {{0, 1, LockProblem::PowerBlocksPolarization},
         [](SettingsBlock& b) { Sat(b, 0).lnbPower = 0; },
         {kPowerText}},
        {{0, 0, LockProblem::PowerBlocksPolarization},
         [](SettingsBlock& b) { Sat(b, 0).lnbPower = 1; },
         {"Lnb Power is 13V", "horizontal", "AUTO or 18V"}},
        {{1, 0, LockProblem::SymbolRateOutOfRange},
         [](SettingsBlock& b) { Sat(b, 1).tps[0].symbolRate = 45001; },
         {"45001 kS/s", "2000-45000", "SR"}},
        {{2, 1, LockProblem::DuplicateTransponder},
         [](SettingsBlock& b) { Sat(b, 2).tps[1] = Sat(b, 2).tps[0]; },
         {"11494 MHz H", "already TP 1"}},
    };
    QStringList texts;
    QList<LockProblem> problems;
    for (const auto& c : cases) {
        const std::unique_ptr<MeterImage> image = CleanMeter();
        SettingsBlock& block = image->settingsBlock;
        QVERIFY(CheckMeter(block).empty());
        c.setup(block);
        const std::vector<LockFinding> findings = CheckMeter(block);
        const QString label = QStringLiteral("problem %1 at %2/%3")
                                  .arg(static_cast<int>(c.finding.problem))
                                  .arg(c.finding.slot)
                                  .arg(c.finding.row);
        QVERIFY2(std::find(findings.begin(), findings.end(), c.finding) != findings.end(),
                 qPrintable(label + " is not found"));
        const QString text = LockFindingText(block, c.finding);
        for (const QString& name : c.names) {
            QVERIFY2(text.contains(name), qPrintable(label + ": \"" + text + "\" lacks " + name));
        }
        QVERIFY2(!texts.contains(text), qPrintable(label + " repeats \"" + text + "\""));
        texts << text;
        problems << c.finding.problem;
    }
    // Every problem is in the table.
    for (int problem = 0; problem <= static_cast<int>(LockProblem::DuplicateTransponder);
         ++problem) {
        QVERIFY2(problems.contains(static_cast<LockProblem>(problem)),
                 qPrintable(QString::number(problem)));
    }
    // A name that looks like a placeholder stays as it is.
    const std::unique_ptr<MeterImage> image = CleanMeter();
    SetNameText(Sat(image->settingsBlock, 1), "%1 %2");
    QCOMPARE(LockFindingSatellite(image->settingsBlock, 1), QStringLiteral("%1 %2 (slot 2)"));
}

void TestCheckWindow::f7OpensTheListOfFindings() {
    std::unique_ptr<MeterImage> image = CleanMeter();
    Sat(image->settingsBlock, 0).lnbPower = 0; // 18V with the 'V' transponder of row 1
    const QString path = Open(*image);
    const QList<QAction*> actions = W().WindowMenu()->actions();
    const auto action = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
        return a->text() == QStringLiteral("&Check Settings...");
    });
    QVERIFY(action != actions.end()); // its key is shown with the menu's others

    QVERIFY(Check() == nullptr); // made on first use only
    OpenCheckWindow();
    QCOMPARE(Check()->windowTitle(), QStringLiteral("Check Settings"));
    QVERIFY(Check()->isWindow());
    QCOMPARE(LineTexts(), QStringList({"Astra (slot 1) | 2 | " + kPowerText}));

    // Again: the same window, brought back from wherever it went.
    Check()->showMinimized();
    Activate(&W());
    QTest::keyClick(Tree(W()), Qt::Key_F7);
    QCOMPARE(W().findChildren<CCheckWindow*>().size(), 1);
    QVERIFY(!Check()->isMinimized());
    (*action)->trigger();
    QCOMPARE(W().findChildren<CCheckWindow*>().size(), 1);
    QVERIFY(Check()->isVisible());

    // The check advises; a save with findings writes the file as ever, without a word.
    Activate(&W());
    QCOMPARE(SaveThrough(W(), m_prompts, m_dir.filePath("saved.bin")), ReadFile(path));
    QCOMPARE(m_prompts.TakeMessages(), QStringList());
}

void TestCheckWindow::aChosenLineShowsItsSatelliteAndRow() {
    std::unique_ptr<MeterImage> image = CleanMeter();
    Sat(image->settingsBlock, 1).tpCount = 0;
    Sat(image->settingsBlock, 2).tps[1].symbolRate = 0;
    Open(*image);
    OpenCheckWindow();
    QCOMPARE(LineTexts(),
             QStringList(
                 {"Hotbird (slot 2) |  | " + Sentence(1, -1, LockProblem::NoTransponder),
                  "Hispasat (slot 3) | 2 | " + Sentence(2, 1, LockProblem::SymbolRateOutOfRange)}));

    // Typing not yet committed in the editor is stored first, as leaving the field would.
    Activate(&W());
    Show(0);
    QLineEdit* longitude = Ctl<QLineEdit>(W(), id::SatLongitude);
    longitude->setFocus(Qt::MouseFocusReason);
    longitude->selectAll();
    QTest::keyClicks(longitude, "282");
    Activate(Check());
    QCOMPARE(Block().satellites[0].longitude, std::uint16_t(192));

    QTreeWidgetItem* rowLine = Lines()->topLevelItem(1);
    // A double-click as the platform delivers it: a click, then the second press.
    const QPoint at = Lines()->visualItemRect(rowLine).center();
    QTest::mouseClick(Lines()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(Selected(), SlotNode(W(), 0)); // one click only picks the line
    QTest::mouseDClick(Lines()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(Block().satellites[0].longitude, std::uint16_t(282));
    QCOMPARE(Selected(), SlotNode(W(), 2));
    QCOMPARE(W().m_curSat, std::int8_t(2));
    QCOMPARE(List()->currentRow(), 1);
    QCOMPARE(List()->selectionModel()->selectedRows().value(0).row(), 1);

    Lines()->setCurrentItem(Lines()->topLevelItem(0));
    QTest::keyClick(Lines(), Qt::Key_Return);
    QCOMPARE(Selected(), SlotNode(W(), 1));
    QCOMPARE(List()->rowCount(), 0);
    Lines()->setCurrentItem(rowLine);
    QTest::keyClick(Lines(), Qt::Key_Enter);
    QCOMPARE(Selected(), SlotNode(W(), 2));
    QCOMPARE(List()->currentRow(), 1);
    // The choice moves the editor, not the list of findings.
    QCOMPARE(Lines()->currentItem(), rowLine);
    QCOMPARE(Lines()->topLevelItemCount(), 2);
}

void TestCheckWindow::theListFollowsEditsAndUndo() {
    Open(*CleanMeter());
    OpenCheckWindow();
    const QStringList clean = {"No problems found. |  | "};
    QCOMPARE(LineTexts(), clean);
    QVERIFY(Lines()->topLevelItem(0)->isFirstColumnSpanned());
    Show(1);
    Activate(Check());
    QTest::keyClick(Lines(), Qt::Key_Return); // a line without a finding leads nowhere
    QCOMPARE(Selected(), SlotNode(W(), 1));

    Activate(&W());
    Show(0);
    PickLnbPower(0); // 18V
    const QString power = "Astra (slot 1) | 2 | " + kPowerText;
    QCOMPARE(LineTexts(), QStringList({power}));
    QVERIFY(!Lines()->topLevelItem(0)->isFirstColumnSpanned());
    EditTpCell(0, 3, "0");
    const QString rate =
        "Astra (slot 1) | 1 | " + Sentence(0, 0, LockProblem::SymbolRateOutOfRange);
    QCOMPARE(LineTexts(), QStringList({rate, power}));
    // The name on the lines follows the typing.
    TypeAndLeave(Ctl<QLineEdit>(W(), id::Name), "Astra 1N", Tree(W()));
    QCOMPARE(Lines()->topLevelItem(0)->text(0), QStringLiteral("Astra 1N (slot 1)"));

    const auto key = [this](QKeySequence::StandardKey which) {
        QTest::keySequence(Tree(W()), QKeySequence(which));
    };
    key(QKeySequence::Undo);
    key(QKeySequence::Undo);
    QCOMPARE(LineTexts(), QStringList({power}));
    key(QKeySequence::Undo);
    QCOMPARE(LineTexts(), clean);
    key(QKeySequence::Redo);
    QCOMPARE(LineTexts(), QStringList({power}));
    // Closed, it is shown anew from the data when opened again.
    Check()->close();
    key(QKeySequence::Undo);
    OpenCheckWindow();
    QCOMPARE(LineTexts(), clean);
}

void TestCheckWindow::treeAndTpListCarryTheFindings() {
    std::unique_ptr<MeterImage> image = CleanMeter();
    Sat(image->settingsBlock, 0).lnbPower = 0;
    Sat(image->settingsBlock, 0).tps[1].symbolRate = 0;     // a second finding on the same row
    Sat(image->settingsBlock, 1).tps[0].symbolRate = 45001; // a row finding on another slot
    Sat(image->settingsBlock, 2).tpCount = 0;
    Open(*image);
    const QString hint0 = CSatelliteNode::PointingHintText(W().Image(), 0);
    const QString power = Sentence(0, 1, LockProblem::PowerBlocksPolarization);
    const QString rate = Sentence(0, 1, LockProblem::SymbolRateOutOfRange);

    // The first finding follows the pointing hint; a node without findings has the hint alone.
    const auto tip = [this](int slot) {
        return SlotNode(W(), slot)->toolTip(0);
    };
    QCOMPARE(tip(0), hint0 + "\nTP 2: " + power);
    QCOMPARE(tip(1), CSatelliteNode::PointingHintText(W().Image(), 1) +
                         "\nTP 1: " + Sentence(1, 0, LockProblem::SymbolRateOutOfRange));
    QCOMPARE(tip(2), CSatelliteNode::PointingHintText(W().Image(), 2) + "\n" +
                         Sentence(2, -1, LockProblem::NoTransponder));
    const QImage marked = IconImage(SlotNode(W(), 0));
    const QImage plain = IconImage(SlotNode(W(), 3)); // not in use: never checked
    QVERIFY(marked != plain);
    QCOMPARE(IconImage(SlotNode(W(), 1)), marked);
    QCOMPARE(IconImage(SlotNode(W(), 2)), marked);
    QCOMPARE(tip(3), CSatelliteNode::PointingHintText(W().Image(), 3));

    // Each row carries its own sentences; texts are what they always were.
    Show(0);
    const auto rowTips = [this](int row) {
        return Row(row, Qt::ToolTipRole);
    };
    const auto every = [](const QString& text) {
        return QStringList(4, text);
    };
    QCOMPARE(rowTips(0), every(QString()));
    QCOMPARE(rowTips(1), every(power + "\n" + rate));
    QCOMPARE(Row(1, Qt::DisplayRole), QStringList({"2", "11538", "V", "0"}));
    QVERIFY(!List()->item(1, 1)->data(Qt::ForegroundRole).isValid());
    QVERIFY(!List()->item(1, 1)->data(Qt::BackgroundRole).isValid());

    // A fix takes its sentence away at once; the last one takes the mark away.
    PickLnbPower(2); // AUTO
    QCOMPARE(rowTips(1), every(rate));
    QCOMPARE(tip(0), hint0 + "\nTP 2: " + rate);
    EditTpCell(1, 3, "27500");
    QCOMPARE(rowTips(1), every(QString()));
    QCOMPARE(tip(0), hint0);
    QCOMPARE(IconImage(SlotNode(W(), 0)), plain);
    // A row inserted with a finding of its own gets it too: the fresh transponder's 9750 MHz
    // gives no intermediate frequency under a Universal LNB.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualRect(List()->model()->index(0, 0)).center());
    RunTpMenu(W(), List()->visualRect(List()->model()->index(0, 1)).center(), 32771);
    QCOMPARE(rowTips(0), every(Sentence(0, 0, LockProblem::OutsideLnbRange)));
    QCOMPARE(rowTips(1), every(QString()));
    QVERIFY(IconImage(SlotNode(W(), 0)) == marked);
}

QTEST_MAIN(TestCheckWindow)
#include "test_check_window.moc"
