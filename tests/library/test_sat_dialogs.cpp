#include "controls/CComboBoxBase.h"
#include "controls/ControlIds.h"
#include "library/CSatEditDlg.h"
#include "library/CSatListDlg.h"
#include "model/AtomicFile.h"
#include "model/SatRecordList.h"
#include "tests/support/FakePrompts.h"
#include "tests/support/TextFit.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr int kLibCount = 1097, kLib = 1053, kAddedCount = 1098, kAdded = 1056, kAdd = 1047,
              kDelete = 1049, kRemove = 1048, kOk = 1, kOpenFile = 1055, kEdit = 1050,
              kDefault = 1099, kCancle = 1052;
constexpr int kName = 1032, kTpNumber = 1043, kLongitude = 1028, kLnbType = 1029, kLnbPower = 1033,
              kLow = 1016, kHigh = 1017, kSwitchType = 1022, kSwitchInput = 1023, kTpNo = 1030,
              kTpFreq = 1034, kSymbolRate = 1035;
enum Outcome { Unchanged, Dropped, Saved, SaveCancelled, SaveFails };
const QString kAskAdded = "Do you save added satellites?", kAskList = "Do you save sat list?";

QString Range(int low, int high) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high);
}

// A record byte for byte, as a satellite list file holds it.
QByteArray Raw(const SatelliteRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

} // namespace

class TestSatDialogs final : public QObject {
    Q_OBJECT

    FakePrompts m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CSatListDlg> m_list;
    std::unique_ptr<CSatEditDlg> m_edit;
    QWidget* m_dlg = nullptr;

    template <typename D, typename... A> void Show(std::unique_ptr<D>& dlg, const A&... args) {
        dlg = std::make_unique<D>(args..., m_prompts);
        (m_dlg = dlg.get())->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg));
    }
    void ShowDefaults() {
        Show(m_list);
        Click(kDefault);
    }
    QByteArray Sat(const char* name) const { return Raw(MakeNewSatellite(name)); }
    template <typename T = QPushButton> T* W(int id) const { return FindControl<T>(m_dlg, id); }
    QLineEdit* Box(int id) const { return W<QLineEdit>(id); }
    CComboBoxBase* List(int id) const { return W<CComboBoxBase>(id); }
    QString Count(int id) const { return W<QLabel>(id)->text(); }
    bool On(int id) const { return W(id)->isEnabled(); }
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QByteArray Read(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QStringList Lines(int id) const {
        QStringList lines;
        for (int row = 0; row < W<QListWidget>(id)->count(); ++row) {
            lines << W<QListWidget>(id)->item(row)->text();
        }
        return lines;
    }
    // Clicks the line at `row` of the view, or below its lines for -1.
    void ClickLine(int id, int row) {
        QListWidget* view = W<QListWidget>(id);
        view->scrollToItem(view->item(row)); // none for -1
        const QPoint at = row < 0 ? QPoint(5, view->viewport()->height() - 5)
                                  : view->visualItemRect(view->item(row)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(view->hasFocus() && (row < 0 || view->item(row)->isSelected()));
    }
    // Clicks; a `question` must come, answered Cancel.
    void Click(int id, const QString& question = {}) {
        if (!question.isEmpty()) {
            m_prompts.questionAnswers.push_back(false);
        }
        QTest::mouseClick(W(id), Qt::LeftButton);
        QCOMPARE(m_prompts.questions.join(""), question);
        m_prompts.questions.clear();
    }
    void OpenFile(const QString& name, const QString& question = {}) {
        m_prompts.openAnswers.push_back(name.isEmpty() ? name : Path(name));
        Click(kOpenFile, question);
        // The library's own files stay the first entry of the filter.
        QVERIFY(m_prompts.openFilters.takeFirst().startsWith(
            "Satellites list File (*.sat)|*.sat|Satellite XML table (*.xml)|*.xml|"));
    }
    // Replaces the box's text by typing, then leaves the box by clicking into another one.
    void Type(int id, const QString& text, bool leave = true) {
        QTest::mouseClick(Box(id), Qt::LeftButton);
        Box(id)->selectAll();
        QTest::keyClick(Box(id), Qt::Key_Backspace);
        QTest::keyClicks(Box(id), text);
        QTest::mouseClick(Box(leave ? (id == kName ? kLongitude : kName) : id), Qt::LeftButton);
    }
    // Opens the list's pop-up, highlights the entry and takes it with Return.
    void Choose(int id, int entry) {
        CComboBoxBase* list = List(id);
        list->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(list, Qt::Key_F4);
        QTRY_VERIFY(list->view()->isVisible());
        list->view()->setCurrentIndex(list->model()->index(entry, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
        QTRY_VERIFY(!list->view()->isVisible());
    }

    // Every fixed text of the dialog on screen whole at the default font.
    void TextsFit() const {
        const QString misfits = textfit::Describe(textfit::FindCutOffTexts(m_dlg));
        QVERIFY2(misfits.isEmpty(), qPrintable(misfits));
    }

    // Clicks `button`, works the Edit Satellite dialog it opens and makes sure it is closed;
    // without `act` the dialog must not open at all.
    void ViaEditDialog(int button, const std::function<void()>& act = {}) {
        QTimer::singleShot(0, this, [this, act] {
            auto* edit = qobject_cast<CSatEditDlg*>(QApplication::activeModalWidget());
            QWidget* const outer = std::exchange(m_dlg, edit);
            const bool active = edit != nullptr && QTest::qWaitForWindowActive(edit);
            if (active && act) {
                act();
            }
            m_dlg = outer;
            if (edit != nullptr && edit->isVisible()) {
                edit->reject();
            }
            QCOMPARE(active, bool(act));
        });
        Click(button);
        QTest::qWait(1);
        // Offscreen, a closed inner dialog hands the activation back to nobody; a desktop would.
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg));
    }

private slots:
    void init() { QVERIFY((m_dir = std::make_unique<QTemporaryDir>())->isValid()); }
    void cleanup() {
        LimitBytesWrittenForTests(kNoWriteLimit);
        const QString pending = m_prompts.Pending() + m_prompts.questions.join('\n');
        m_prompts.Reset();
        m_list.reset(), m_edit.reset();
        QVERIFY2(pending.isEmpty(), qPrintable(pending));
    }

    // Opened files merge in name order; a failed one says why, an imported table sums up.
    void openFiles() {
        Show(m_list);
        TextsFit();
        // Sizes, merging and bytes are pinned by the model; here each message reaches the user.
        Write("bad.sat", (Sat("Zeta") + Sat("Zeta") + '\0').left(157));
        OpenFile("bad.sat");
        Write("Scan-table", "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 12226000\n"
                            "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n");
        OpenFile("Scan-table");
        OpenFile("absent.sat"); // as the library's own files say it, not as a table import would
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList({"The file error!",
                              "The file name carries no orbital position, such as Astra-19.2E.",
                              "The file '" + Path("absent.sat") + "'could not be opened!"}));
        Write("1.sat", Sat("NSS 10") + Sat("Astra"));
        OpenFile("1.sat");
        Write("sats.txt", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites>\n"
                          "<sat name=\"Astra 1KR\" flags=\"0\" position=\"192\">\n"
                          "<transponder frequency=\"11362000\" symbol_rate=\"22000000\" "
                          "polarization=\"0\"/>\n</sat>\n"
                          "<sat name=\"Nothing usable\" flags=\"0\" position=\"-10\">\n"
                          "<transponder frequency=\"11362\" symbol_rate=\"0\" polarization=\"0\"/>"
                          "\n</sat>\n</satellites>\n");
        OpenFile("sats.txt");
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList{"Imported 1 satellite. Skipped 1: 1 with no transponder the meter "
                             "can receive."});
        QCOMPARE(Lines(kLib), QStringList({"Astra", "Astra 1KR", "NSS 10"}));
        QVERIFY(m_list->IsChanged()); // these records are in no file yet
        OpenFile("1.sat", kAskAdded); // "Cancel" empties the library before the file is read
        QCOMPARE(Lines(kLib), QStringList({"Astra", "NSS 10"}));
    }

    void newSatAndEditGoThroughTheEditDialog() {
        ShowDefaults();
        ViaEditDialog(1054, [this] { Click(kOk); }); // "New Sat": sorted in, whatever was selected
        QVERIFY(Lines(kLib).at(34) == "Satellite00" &&
                m_list->Library().GetAt(34) == MakeNewSatellite("Satellite00"));
        ClickLine(kLib, 1);
        ViaEditDialog(kEdit, [this] {
            Type(kName, "Zulu");
            Click(kOk);
        });
        // The new name stays where the old one stood: no re-sorting, all eight TPs kept.
        QCOMPARE(Lines(kLib).mid(0, 3), QStringList({"AfriSlar 1", "Zulu", "Amos"}));
        const SatelliteRecord& zulu = m_list->Library().GetAt(1);
        QVERIFY(zulu.tpCount == 8 && zulu.longitude == 610);
        const SatelliteRecord amos = m_list->Library().GetAt(2);
        ClickLine(kLib, 2);
        ViaEditDialog(kEdit, [this] { // cancelled: nothing changes
            Type(kName, "Yankee");
            QTest::keyClick(Box(kName), Qt::Key_Escape);
        });
        QVERIFY(Lines(kLib).at(2) == "Amos" && m_list->Library().GetAt(2) == amos);
    }

    // The buttons follow the view that takes the focus; ">>", "Remove" and "Delete" act on the
    // line remembered when their view lost it.
    void focusPickRemoveAndDelete() {
        ShowDefaults();
        QVERIFY(!On(kAdd) && !On(kEdit) && !On(kDelete) && !On(kRemove));
        for (int row : {0, 1, 2, 3}) {
            ClickLine(kLib, row);
            Click(kAdd);
        }
        QVERIFY(On(kAdd) && On(kEdit) && On(kDelete) && !On(kRemove));
        ClickLine(kAdded, -1);
        QVERIFY(!On(kAdd) && !On(kEdit) && !On(kDelete) && On(kRemove));
        ClickLine(kAdded, 1);
        Click(kRemove);
        Click(kRemove); // removes the line that moved up
        QCOMPARE(Lines(kAdded), QStringList({"AfriSlar 1", "Arabsat 2B"}));
        ClickLine(kLib, 1);
        Click(kDelete);
        Click(kDelete); // the refilled view has no selection
        QCOMPARE(Lines(kLib).mid(0, 3), QStringList({"AfriSlar 1", "Amos", "Arabsat 2B"}));
        ClickLine(kLib, 8);
        for (int pick = 3; pick <= 21; ++pick) {
            Click(kAdd);
        }
        QCOMPARE(m_prompts.TakeMessages(), QStringList{"satellite <= 10"});
        QCOMPARE(Count(kAddedCount), "20");
        ClickLine(kAdded, 0);
        for (int left = 20; left > 0; --left) {
            Click(kRemove);
        }
        ClickLine(kAdded, -1); // an empty added view takes "Remove" away
        QVERIFY(!On(kRemove) && !On(kAdd) && !On(kEdit) && !On(kDelete));
        Click(kOk); // nothing to hand over: no question, the dialog stays
        QCOMPARE(m_prompts.TakeMessages(), QStringList{"satellite null"});
        QVERIFY(m_list->isVisible());
        ClickLine(kLib, 3);
        OpenFile(QString(), kAskAdded); // empties the library: ">>" stays, nothing else
        ClickLine(kLib, -1);
        QVERIFY(!On(kEdit) && !On(kDelete) && On(kAdd));
        Click(kAdd);
        QCOMPARE(m_prompts.TakeMessages(), QStringList{"satellite null"});
    }

    void leavingOrRefillingAskToSaveFirst_data() {
        QTest::addColumn<int>("way"); // Escape and the close box reach "Cancle"'s reject() too
        QTest::addColumn<int>("outcome");
        const char* const ways[] = {"Cancle", "OK", "Open File", "Default"};
        const char* const outcomes[] = {"unchanged", "Cancel", "saved", "save dialog cancelled",
                                        "save fails"};
        for (int way = 0; way < 4; ++way) {
            for (int outcome = Unchanged; outcome <= SaveFails; ++outcome) {
                QTest::addRow("%s, %s", ways[way], outcomes[outcome])
                    << QList{kCancle, kOk, kOpenFile, kDefault}[way] << outcome;
            }
        }
    }

    // A changed library is offered for saving before it is dropped, and the operation goes on
    // only once it is saved or "Cancel" gives it up; a failed save keeps the old file whole.
    void leavingOrRefillingAskToSaveFirst() {
        QFETCH(int, way);
        QFETCH(int, outcome);
        const bool changed = outcome != Unchanged, goesOn = outcome <= Saved;
        Write("lib.sat", Sat("Old"));
        Show(m_list);
        changed ? Click(kDefault) : OpenFile("lib.sat");
        ClickLine(kLib, 0);
        Click(kAdd); // "OK" needs a satellite to hand over
        QByteArray before;
        for (int i = 0; i < m_list->Library().GetCount(); ++i) {
            before += Raw(m_list->Library().GetAt(i));
        }
        if (changed) {
            m_prompts.questionAnswers.push_back(outcome != Dropped);
        }
        if (outcome >= Saved) { // "lib" gets ".sat" and replaces the old file
            m_prompts.saveAnswers.push_back(outcome == SaveCancelled ? QString() : Path("lib"));
        }
        if (way == kOpenFile && goesOn) {
            m_prompts.openAnswers.push_back(QString()); // the open dialog follows, cancelled
        }
        LimitBytesWrittenForTests(outcome == SaveFails ? 100 : kNoWriteLimit);
        QTest::mouseClick(W(way), Qt::LeftButton);
        const QString question = way == kOpenFile ? kAskAdded : kAskList;
        QCOMPARE(m_prompts.questions.join(""), changed ? question : QString());
        m_prompts.questions.clear();
        QCOMPARE(m_prompts.TakeMessages().join(","),
                 outcome == SaveFails ? "Write file error!,Save false!" : "");
        // One save dialog at most: a second one would find no answer.
        QCOMPARE(m_prompts.saveCalls.empty() ? "" : m_prompts.saveCalls.front().filter,
                 outcome >= Saved ? "Satellite list File (*.sat)|*.sat|" : "");
        QCOMPARE(Read("lib.sat"), outcome == Saved ? before : Sat("Old"));

        const bool closes = goesOn && way != kOpenFile && way != kDefault;
        QCOMPARE(m_list->isVisible(), !closes);
        QCOMPARE(m_list->result(),
                 int(closes && way == kOk ? QDialog::Accepted : QDialog::Rejected));
        // Dropped means emptied, whether the dialog closes or refills the library.
        const int kept = goesOn && changed ? 0 : int(before.size() / sizeof(SatelliteRecord));
        const int left = kept + (goesOn && way == kDefault ? 40 : 0);
        QVERIFY(Count(kLibCount) == QString::number(left) && m_list->Library().GetCount() == left);
        QCOMPARE(m_list->AddedList().GetCount(), 1); // what "OK" hands over, whatever happened
        QCOMPARE(NameText(m_list->AddedList().GetAt(0)), changed ? "AfriSlar 1" : "Old");
    }

    // A library never holds more records than one file can carry, so every saved one reopens.
    void libraryHoldsAtMostOneFile() {
        QByteArray full;
        for (int i = 0; i < kMaxSatListRecords; ++i) {
            full += Sat(qPrintable(QString::asprintf("S%05d", kMaxSatListRecords - 1 - i)));
        }
        Write("full.sat", full);
        Write("one.sat", Sat("Astra"));
        Show(m_list);
        OpenFile("full.sat");
        const QString tooMany = "Too many satellites: a library holds at most 65535, so nothing "
                                "was added.";
        OpenFile("one.sat");
        QCOMPARE(m_prompts.TakeMessages(), QStringList{tooMany});
        Click(kDefault);
        QCOMPARE(m_prompts.TakeMessages(), QStringList{tooMany});
        ViaEditDialog(1054); // "New Sat" refused before the Edit Satellite dialog opens
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList{"The library is full: it holds at most 65535 satellites."});
        QVERIFY(Count(kLibCount) == "65535" && Lines(kLib).constFirst() == "S00000");
        QVERIFY(!m_list->IsChanged() && m_list->Library().GetCount() == kMaxSatListRecords);
    }

    // Confirmed at once: a count of 8 is kept, 0 and 9 become 1, nothing else changes.
    void confirmedAtOnce() {
        for (const auto& [stored, kept] : {std::pair{8, 8}, {0, 1}, {9, 1}}) {
            SatelliteRecord record = MakeNewSatellite("Satellite00");
            record.tpCount = static_cast<std::uint8_t>(stored);
            Show(m_edit, record);
            Click(kOk);
            QCOMPARE(m_edit->result(), int(QDialog::Accepted));
            record.tpCount = static_cast<std::uint8_t>(kept);
            QCOMPARE(m_edit->GetRecord(), record);
        }
    }

    void nameAndNumberBoxes() {
        SatelliteRecord record = MakeNewSatellite("C");
        record.lnbType = kLnbCustomized;
        Show(m_edit, record);
        Type(kName, "Astra   ");
        QCOMPARE(NameText(m_edit->GetRecord()) + Box(kName)->text().toStdString(), "AstraAstra");
        const SatelliteRecord& now = m_edit->GetRecord();
        // Types into the box and leaves it: the message, then the value shown and stored.
        const auto check = [&](int box, const char* typed, const QString& message,
                               const std::uint16_t& stored, int kept) {
            Type(box, typed);
            QCOMPARE(m_prompts.TakeMessages().join(""), message);
            QCOMPARE(Box(box)->text() + "/" + QString::number(stored), QString("%1/%1").arg(kept));
        };
        check(kLow, "15000", "", now.lnbLowFreq, 12750);
        check(kHigh, "25000", Range(0, 20000), now.lnbHighFreq, 12750);
        check(kLongitude, "2000", Range(0, 1800), now.longitude, 1800);
        check(kSymbolRate, "1999", Range(2000, 45000), now.tps[0].symbolRate, 2000);
        check(kSymbolRate, "2000", "", now.tps[0].symbolRate, 2000);
        check(kSymbolRate, "45001", Range(2000, 45000), now.tps[0].symbolRate, 45000);
        Type(kName, "   "); // refused when left and again on confirming
        Click(kOk);
        QCOMPARE(m_prompts.TakeMessages(), QStringList(2, "Satellite's name can not be empty!"));
        QVERIFY(NameText(now) == "Astra" && m_edit->isVisible());
        // A stored value out of range blocks confirming and takes the focus; leaving the name
        // box checks every box as well, so it is reported twice. Return confirms a box that was
        // typed into but never left.
        record.tps[0].symbolRate = 1840;
        Show(m_edit, record);
        Click(kOk);
        QCOMPARE(m_prompts.TakeMessages(), QStringList(2, Range(2000, 45000)));
        QVERIFY(m_edit->isVisible() && Box(kSymbolRate)->hasFocus());
        Type(kSymbolRate, "2050", false);
        QTest::keyClick(Box(kSymbolRate), Qt::Key_Return);
        QCOMPARE(m_edit->result(), int(QDialog::Accepted));
        QCOMPARE(int(m_edit->GetRecord().tps[0].symbolRate), 2050);
    }

    void choiceLists() {
        SatelliteRecord record = MakeNewSatellite("L");
        record.switchType = 2; // DiSEQC1.1
        record.switchInput = 11;
        record.tpCount = 1;
        record.tps[2] = {3333, 4444, kVertical, 0};
        Show(m_edit, record);
        Choose(kTpNumber, 7);
        QTest::mouseClick(Box(kName), Qt::LeftButton);
        QCOMPARE(List(kTpNo)->count(), 8);
        QCOMPARE(List(kTpNo)->itemText(0) + "," + List(kTpNo)->itemText(7), "TP No1,TP No8");
        TextsFit();          // with the longest entries in the lists: "TP No8", "LNB16"
        Choose(kLnbType, 1); // OCS: presets shown, not stored
        QCOMPARE(Box(kLow)->text() + "/" + Box(kHigh)->text(), "5150/5750");
        QVERIFY(!Box(kLow)->isEnabled() && !Box(kHigh)->isEnabled());

        QCOMPARE(List(kSwitchInput)->currentText(), "LNB12");
        Choose(kSwitchType, 1); // DiSEQC1.0
        QVERIFY(List(kSwitchInput)->count() == 4 && m_edit->GetRecord().switchInput == 3);
        QCOMPARE(List(kSwitchInput)->currentText(), "LNB4");
        Choose(kSwitchType, 0); // None
        QVERIFY(List(kSwitchInput)->count() == 1 && !List(kSwitchInput)->isEnabled());
        Choose(kTpNo, 2);
        QCOMPARE(Box(kTpFreq)->text() + "/" + Box(kSymbolRate)->text(), "4444/3333");
        Click(kOk);
        QVERIFY(m_edit->result() == QDialog::Accepted);
        record.lnbType = 1;
        record.switchType = record.switchInput = 0;
        record.tpCount = 8;
        QCOMPARE(m_edit->GetRecord(), record);
    }
};

QTEST_MAIN(TestSatDialogs)
#include "test_sat_dialogs.moc"
