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
#include <tuple>
#include <utility>

using namespace editortest;

namespace {

using P = LockProblem;
using B = SettingsBlock;
using R = SatelliteRecord;

SatelliteRecord& Sat(SettingsBlock& block, int slot) {
    return block.satellites[static_cast<std::size_t>(slot)];
}

// Three satellites a Universal LNB receives without a finding, the site not yet entered.
std::unique_ptr<MeterImage> CleanMeter() {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    image->settingsBlock.satCount = 3;
    const std::tuple<const char*, std::uint16_t, std::uint8_t> satellites[] = {
        {"Astra", 192, kEast}, {"Hotbird", 130, kEast}, {"Hispasat", 300, kWest}};
    for (int slot = 0; slot < 3; ++slot) {
        SatelliteRecord& record = Sat(image->settingsBlock, slot);
        const auto [name, longitude, direction] = satellites[slot];
        record = MakeNewSatellite(name);
        record.longitude = longitude;
        record.direction = direction;
        record.tpCount = 2;
        record.tps[0] = {22000, 11494, kHorizontal, 0};
        record.tps[1] = {27500, 11538, kVertical, 0};
    }
    return image;
}

// Each problem alone on the clean meter: the change that causes it, given the block and the
// finding's satellite, and the stored values its sentence names and what it asks for ('|'
// between them).
const struct {
    LockFinding finding;
    void (*change)(B&, R&);
    const char* names;
} kSentences[] = {
    // clang-format off
    {{1, -1, P::NoTransponder}, [](B&, R& s) { s.tpCount = 0; }, "no transponder|Insert"},
    {{0, -1, P::LnbPowerOff}, [](B&, R& s) { s.lnbPower = 3; }, "Lnb Power is OFF|AUTO"},
    {{2, -1, P::BelowHorizon},
     [](B& b, R& s) { b.localPosition = {116, kEast, 0, 481, kNorth, 0}; s.longitude = 1500; },
     "150.0\u00b0 W|48.1\u00b0 N, 11.6\u00b0 E|Longitude"},
    {{1, -1, P::UsalsWithoutSite}, [](B&, R& s) { s.positionType = 1; },
     "USALS|0.0\u00b0 N, 0.0\u00b0 E|Local Position"},
    {{0, -1, P::LnbFrequenciesDiffer}, [](B&, R& s) { s.lnbLowFreq = 5150; s.lnbHighFreq = 5750; },
     "Universal (9750 and 10600 MHz)|5150 and 5750 MHz|Customized"},
    {{0, -1, P::SharedSwitchInput},
     [](B& b, R& s) { s.switchType = Sat(b, 1).switchType = 1;
                      s.switchInput = Sat(b, 1).switchInput = 2; },
     "DiSEQC1.0 input LNB3|Hotbird (slot 2) at 13.0\u00b0 E|Switch Input"},
    {{2, -1, P::UnknownLnbType}, [](B&, R& s) { s.lnbType = 14; }, "code 14|Lnb Type"},
    {{0, 1, P::OutsideLnbRange}, [](B&, R& s) { s.tps[1].frequency = 3800; },
     "Universal LNB (9750/10600 MHz)|3800 MHz|950-2150"},
    {{0, 1, P::ToneBlocksBand}, [](B&, R& s) { s.tone22k = 1; s.tps[1].frequency = 12000; },
     "22 KHz is OFF|on 9750 MHz|12000 MHz needs 10600 MHz|AUTO"},
    {{0, 0, P::ToneBlocksBand}, [](B&, R& s) { s.tone22k = 2; },
     "22 KHz is ON|on 10600 MHz|11494 MHz needs 9750 MHz"},
    {{0, 1, P::PowerBlocksPolarization}, [](B&, R& s) { s.lnbPower = 0; },
     "Lnb Power is 18V|vertical|AUTO or 13V"},
    {{0, 0, P::PowerBlocksPolarization}, [](B&, R& s) { s.lnbPower = 1; },
     "Lnb Power is 13V|horizontal|AUTO or 18V"},
    {{1, 0, P::SymbolRateOutOfRange}, [](B&, R& s) { s.tps[0].symbolRate = 45001; },
     "45001 kS/s|2000-45000|SR"},
    {{2, 1, P::DuplicateTransponder}, [](B&, R& s) { s.tps[1] = s.tps[0]; },
     "11494 MHz H|already TP 1"},
    // clang-format on
};

} // namespace

class TestCheckWindow : public QObject {
    Q_OBJECT

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;

    CEditorDlg& W() { return *m_window; }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    void Show(int slot) { ClickNode(W(), SlotNode(W(), slot)); }
    QImage Icon(int slot) { return SlotNode(W(), slot)->icon(0).pixmap(16, 16).toImage(); }
    CCheckWindow* Check() { return W().findChild<CCheckWindow*>(); }
    QTreeWidget* Lines() { return Check()->Lines(); }
    QStringList LineTexts() {
        QStringList texts;
        for (int i = 0; i < Lines()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* line = Lines()->topLevelItem(i);
            texts << line->text(0) + " | " + line->text(1) + " | " + line->text(2);
        }
        return texts;
    }
    // Where the editor stands: the selected node, the slot shown, the TP list's current row
    // (-1 unless it is the one selected row) and the list's row count.
    QString Shown() {
        const QModelIndexList rows = List()->selectionModel()->selectedRows();
        const bool one = rows.size() == 1 && rows[0].row() == List()->currentRow();
        return QStringLiteral("node %1, slot %2, row %3 of %4")
            .arg(SatelliteList(W())->indexOfChild(Tree(W())->selectedItems().value(0)))
            .arg(int{W().m_curSat})
            .arg(one ? rows[0].row() : -1)
            .arg(List()->rowCount());
    }
    // The tooltip all cells of a TP row share.
    QString Tip(int row) {
        QStringList tips;
        for (int column = 0; column < List()->columnCount(); ++column) {
            tips << List()->model()->index(row, column).data(Qt::ToolTipRole).toString();
        }
        return tips.count(tips[0]) == tips.size() ? tips[0] : "cells differ: " + tips.join('|');
    }
    // A node's tooltip after its pointing hint: the first finding, if any.
    QString NodeFinding(int slot) {
        const QString hint = CSatelliteNode::PointingHintText(W().Image(), slot);
        const QString tip = SlotNode(W(), slot)->toolTip(0);
        return tip.startsWith(hint) ? tip.mid(hint.size()) : "no hint: " + tip;
    }
    QString Sentence(int slot, int row, P problem) {
        return LockFindingText(W().Image().settingsBlock, {slot, row, problem});
    }
    // The clean meter with `change` made, opened through the Open button.
    void Open(const std::function<void(B&)>& change = [](B&) {}) {
        const std::unique_ptr<MeterImage> image = CleanMeter();
        change(image->settingsBlock);
        OpenThrough(W(), m_prompts, WriteFile(m_dir, "check.bin", ImageBytes(*image)));
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
    QPoint Cell(int row, int column) {
        return List()->visualRect(List()->model()->index(row, column)).center();
    }
    void EditTpCell(int row, int column, const char* text) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Cell(row, 0));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Cell(row, column));
        CNumEdit::GetInstance()->selectAll();
        QTest::keyClicks(CNumEdit::GetInstance(), text);
        Tree(W())->setFocus();
        QTRY_VERIFY(!CNumEdit::GetInstance()->IsEditing());
    }
    void Pick(int combo, int entry) {
        PickEntry(Ctl<QComboBox>(W(), combo), entry);
        Tree(W())->setFocus();
    }

private slots:
    void init() { QVERIFY(StartWindowTest(m_window, m_prompts)); }
    void cleanup() { QCOMPARE(EndWindowTest(m_window, m_prompts), QString()); }

    void eachProblemHasItsOwnSentence() {
        QStringList texts;
        QList<P> problems;
        for (const auto& [finding, change, names] : kSentences) {
            const std::unique_ptr<MeterImage> image = CleanMeter();
            SettingsBlock& block = image->settingsBlock;
            change(block, Sat(block, finding.slot));
            const QString text = LockFindingText(block, finding);
            const QByteArray label = QByteArray(names) + ": \"" + text.toUtf8() + '"';
            for (const QString& name : QString::fromUtf8(names).split('|')) {
                QVERIFY2(text.contains(name), label);
            }
            QVERIFY2(!texts.contains(text), label + " repeats another");
            texts << text;
            problems << finding.problem;
        }
        for (int problem = 0; problem <= static_cast<int>(P::DuplicateTransponder); ++problem) {
            QVERIFY2(problems.contains(P(problem)), qPrintable(QString::number(problem)));
        }
        // A name that looks like a placeholder stays as it is.
        const std::unique_ptr<MeterImage> image = CleanMeter();
        SetNameText(Sat(image->settingsBlock, 1), "%1 %2");
        QCOMPARE(LockFindingSatellite(image->settingsBlock, 1), QStringLiteral("%1 %2 (slot 2)"));
    }

    void theWindowFollowsTheData() {
        Open();
        QVERIFY(Check() == nullptr); // made on first use only
        OpenCheckWindow();
        QCOMPARE(Check()->windowTitle(), QStringLiteral("Check Settings"));
        QVERIFY(Check()->isWindow());
        const QStringList clean = {"No problems found. |  | "};
        QCOMPARE(LineTexts(), clean);
        QVERIFY(Lines()->topLevelItem(0)->isFirstColumnSpanned());
        Show(1);
        Activate(Check());
        QTest::keyClick(Lines(), Qt::Key_Return); // a line without a finding leads nowhere
        QCOMPARE(Shown(), QStringLiteral("node 1, slot 1, row 0 of 2"));
        Show(0);
        Pick(id::LnbPower, 0); // 18V
        const QString power = "Astra (slot 1) | 2 | " + Sentence(0, 1, P::PowerBlocksPolarization);
        QCOMPARE(LineTexts(), QStringList({power}));
        QVERIFY(!Lines()->topLevelItem(0)->isFirstColumnSpanned());
        using K = QKeySequence;
        const std::pair<K::StandardKey, QStringList> steps[] = {{K::Undo, clean},
                                                                {K::Redo, {power}}};
        for (const auto& [key, lines] : steps) {
            QTest::keySequence(Tree(W()), K(key));
            QCOMPARE(LineTexts(), lines);
        }
        // The check advises; a save with findings writes the data as ever, without a word
        // (cleanup fails on any message or question).
        QCOMPARE(SaveThrough(W(), m_prompts, m_dir.filePath("s.bin")), ImageBytes(W().Image()));

        // Again: the same window, brought back from wherever it went, and once closed shown
        // anew from the data.
        Check()->showMinimized();
        Activate(&W());
        QTest::keyClick(Tree(W()), Qt::Key_F7);
        QVERIFY(!Check()->isMinimized());
        Check()->close();
        QTest::keySequence(Tree(W()), K(K::Undo));
        OpenCheckWindow();
        QCOMPARE(LineTexts(), clean);
        QCOMPARE(W().findChildren<CCheckWindow*>().size(), 1);
    }

    void linesLeadToTheirRowsAndMarksShowThem() {
        Open([](B& b) {
            Sat(b, 0).lnbPower = 0;
            Sat(b, 0).tps[1].symbolRate = 0; // a second finding on the same row
            Sat(b, 1).tps[0].symbolRate = 45001;
            Sat(b, 2).tpCount = 0;
        });
        const QString power = Sentence(0, 1, P::PowerBlocksPolarization);
        const QString rate = Sentence(0, 1, P::SymbolRateOutOfRange);
        const QString rate1 = Sentence(1, 0, P::SymbolRateOutOfRange);
        const QString none = Sentence(2, -1, P::NoTransponder);
        OpenCheckWindow();
        QCOMPARE(
            LineTexts(),
            QStringList({"Astra (slot 1) | 2 | " + power, "Astra (slot 1) | 2 | " + rate,
                         "Hotbird (slot 2) | 1 | " + rate1, "Hispasat (slot 3) |  | " + none}));
        // A node shows its first finding, with the TP when about a row; slot 3 is not in use.
        QCOMPARE(NodeFinding(0), "\nTP 2: " + power);
        QCOMPARE(NodeFinding(1), "\nTP 1: " + rate1);
        QCOMPARE(NodeFinding(2), "\n" + none);
        QCOMPARE(NodeFinding(3), QString());
        const QImage marked = Icon(0);
        const QImage plain = Icon(3);
        QVERIFY(marked != plain);
        QCOMPARE(Icon(1), marked);

        // Typing not yet committed in the editor is stored before a line is chosen, as leaving
        // the field would.
        Activate(&W());
        Show(0);
        QLineEdit* longitude = Ctl<QLineEdit>(W(), id::SatLongitude);
        longitude->setFocus(Qt::MouseFocusReason);
        longitude->selectAll();
        QTest::keyClicks(longitude, "282");
        Activate(Check());
        const QString before = Shown();
        // A double-click as the platform delivers it: a click, which only picks the line, then
        // the second press.
        const QPoint at = Lines()->visualItemRect(Lines()->topLevelItem(2)).center();
        QTest::mouseClick(Lines()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(Shown(), before);
        QCOMPARE(W().Image().settingsBlock.satellites[0].longitude, std::uint16_t(192));
        QTest::mouseDClick(Lines()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(W().Image().settingsBlock.satellites[0].longitude, std::uint16_t(282));
        QCOMPARE(Shown(), QStringLiteral("node 1, slot 1, row 0 of 2"));
        // Both Enter keys choose; the choice moves the editor, not the list of findings.
        Lines()->setCurrentItem(Lines()->topLevelItem(3));
        QTest::keyClick(Lines(), Qt::Key_Return);
        QCOMPARE(Shown(), QStringLiteral("node 2, slot 2, row -1 of 0"));
        Lines()->setCurrentItem(Lines()->topLevelItem(1));
        QTest::keyClick(Lines(), Qt::Key_Enter);
        QCOMPARE(Shown(), QStringLiteral("node 0, slot 0, row 1 of 2"));
        QCOMPARE(Lines()->currentItem(), Lines()->topLevelItem(1));

        // Each row carries its own sentences; texts are what they always were.
        QCOMPARE(Tip(0), QString());
        QCOMPARE(Tip(1), power + "\n" + rate);
        QCOMPARE(List()->item(1, 1)->text(), QStringLiteral("11538"));
        QVERIFY(!List()->item(1, 1)->data(Qt::ForegroundRole).isValid());
        QVERIFY(!List()->item(1, 1)->data(Qt::BackgroundRole).isValid());
        // A fix takes its sentence away at once; the last one takes the mark away.
        Pick(id::LnbPower, 2); // AUTO
        QCOMPARE(Tip(1), rate);
        QCOMPARE(NodeFinding(0), "\nTP 2: " + rate);
        EditTpCell(1, 3, "27500");
        QCOMPARE(Tip(1), QString());
        QCOMPARE(NodeFinding(0), QString());
        QCOMPARE(Icon(0), plain);
    }
};

QTEST_MAIN(TestCheckWindow)
#include "test_check_window.moc"
