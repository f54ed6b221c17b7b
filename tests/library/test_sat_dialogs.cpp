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
    // Clicks; a `question` must come, answered OK and `saveAs` or, without one, Cancel.
    void Click(int id, const QString& question = {}, const QString& saveAs = {}) {
        if (!question.isEmpty()) {
            m_prompts.questionAnswers.push_back(!saveAs.isEmpty());
        }
        if (!saveAs.isEmpty()) {
            m_prompts.saveAnswers.push_back(Path(saveAs));
        }
        QTest::mouseClick(W(id), Qt::LeftButton);
        QCOMPARE(m_prompts.questions.join(""), question);
        m_prompts.questions.clear();
    }
    void OpenFile(const QString& name, const QString& question = {}, const QString& saveAs = {}) {
        m_prompts.openAnswers.push_back(name.isEmpty() ? name : Path(name));
        Click(kOpenFile, question, saveAs);
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

    // The texts of the dialog on screen that their controls cut off, one per line.
    QString Misfits() const { return textfit::Describe(textfit::FindCutOffTexts(m_dlg)); }

    // Works the Edit Satellite dialog that the next click opens, then makes sure it is closed.
    void InEditDialog(const std::function<void()>& act) {
        QTimer::singleShot(0, this, [this, act] {
            auto* edit = qobject_cast<CSatEditDlg*>(QApplication::activeModalWidget());
            QVERIFY(edit != nullptr);
            QWidget* const outer = std::exchange(m_dlg, edit);
            QVERIFY(QTest::qWaitForWindowActive(edit));
            act();
            m_dlg = outer;
            if (edit->isVisible()) {
                edit->reject();
            }
        });
    }

    // Offscreen, a closed inner dialog hands the activation back to nobody; a desktop would.
    void Reactivate() {
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

    void openFileTwiceThenDefault() {
        Show(m_list);
        SatelliteRecord odd = MakeNewSatellite("Nss 703");
        odd.lnbType = 200;
        Write("1.sat", Raw(odd) + Sat("Astra") + Sat("NSS 10"));
        Write("2.sat", Sat("Badr") + Sat("Amos"));
        OpenFile("1.sat");
        QCOMPARE(Lines(kLib), QStringList({"Astra", "NSS 10", "Nss 703"}));
        OpenFile("2.sat");
        QCOMPARE(Lines(kLib), QStringList({"Amos", "Astra", "Badr", "NSS 10", "Nss 703"}));
        QCOMPARE(m_list->Library().GetAt(4), odd); // bytes come in unchanged

        ShowDefaults();
        const QStringList lines = Lines(kLib);
        QCOMPARE(lines.first() + "," + lines.last(), "AfriSlar 1,Turksat 1C");
        QCOMPARE(lines.mid(29, 4),
                 QStringList({"Lntelsat 12", "NSS 10", "Nilesat 102", "Nss 703"}));
        OpenFile("2.sat", kAskAdded); // "Cancel" empties the library before the file is read
        QCOMPARE(Lines(kLib), QStringList({"Amos", "Badr"}));
    }

    // Public tables come in by content, in name order, and leave the library changed.
    void publicTablesMergeWithTheirMessage() {
        Show(m_list);
        Write("1.sat", Sat("Hotbird"));
        OpenFile("1.sat");
        QVERIFY(!m_list->IsChanged());
        Write("sats.txt", // XML, whatever the name says
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<satellites>\n"
              "<sat name=\"Astra 1KR/1L/1M/1N (19.2E)\" flags=\"0\" position=\"192\">\n"
              "<transponder frequency=\"11362000\" symbol_rate=\"22000000\" "
              "polarization=\"0\"/>\n</sat>\n"
              "<sat name=\"Nothing usable (1.0W)\" flags=\"0\" position=\"-10\">\n"
              "<transponder frequency=\"11362\" symbol_rate=\"0\" polarization=\"0\"/>\n"
              "</sat>\n</satellites>\n");
        OpenFile("sats.txt");
        QCOMPARE(m_prompts.TakeMessages().size(), 1); // the summary: one in, one skipped
        QCOMPARE(Lines(kLib).size(), 2);
        QVERIFY(Lines(kLib).last().startsWith("Hotbird"));
        const SatelliteRecord astra = m_list->Library().GetAt(0);
        QCOMPARE(QString::asprintf("%d %d %d %d", astra.longitude, astra.direction,
                                   astra.tps[0].frequency, astra.tps[0].symbolRate),
                 QString::asprintf("192 %d 11362 22000", kEast));
        QVERIFY(m_list->IsChanged());

        const QByteArray channel = "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 12226000\n"
                                   "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n";
        Write("Hispasat-30.0W", channel);
        // A changed library is offered for saving first, and then replaced by the file.
        OpenFile("Hispasat-30.0W", kAskAdded, "kept.sat");
        QCOMPARE(m_prompts.TakeMessages().size(), 1);
        QCOMPARE(Read("kept.sat").size(), 2 * 78);
        QCOMPARE(Lines(kLib), QStringList({"Hispasat"}));
        QCOMPARE(m_list->Library().GetAt(0).direction, kWest);
        Write("Scan-table", channel);
        OpenFile("Scan-table", kAskAdded, "kept.sat");
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList({"The file name carries no orbital position, such as Astra-19.2E."}));
        QVERIFY(Lines(kLib).isEmpty());
    }

    void newSatAndEditGoThroughTheEditDialog() {
        ShowDefaults();
        InEditDialog([this] { Click(kOk); });
        Click(1054); // "New Sat", confirmed at once: sorted in, whatever was selected
        Reactivate();
        QCOMPARE(Lines(kLib).at(34), "Satellite00");
        QCOMPARE(m_list->Library().GetAt(34), MakeNewSatellite("Satellite00"));
        ClickLine(kLib, 1);
        InEditDialog([this] {
            Type(kName, "Zulu");
            Click(kOk);
        });
        Click(kEdit); // the new name stays where the old one stood: no re-sorting
        Reactivate();
        QCOMPARE(Lines(kLib).mid(0, 3), QStringList({"AfriSlar 1", "Zulu", "Amos"}));
        const SatelliteRecord& zulu = m_list->Library().GetAt(1); // all eight TPs kept
        QVERIFY(zulu.tpCount == 8 && zulu.longitude == 610);
        ClickLine(kLib, 2);
        InEditDialog([this] { QTest::keyClick(W(kOk), Qt::Key_Escape); });
        Click(kEdit); // cancelled: nothing changes
        Reactivate();
        QCOMPARE(m_list->Library().GetAt(2).tpCount, std::uint8_t(8));
        QVERIFY(m_list->IsChanged());
    }

    void fileSizes() {
        for (const auto& [size, good] :
             {std::pair{0, false}, {77, false}, {78, true}, {157, false}}) {
            Write("lib.sat", (Sat("Zeta") + Sat("Zeta") + '\0').left(size));
            Show(m_list);
            OpenFile("lib.sat");
            QCOMPARE(m_prompts.TakeMessages(),
                     good ? QStringList() : QStringList{"The file error!"});
            QCOMPARE(Lines(kLib), good ? QStringList{"Zeta"} : QStringList());
        }
        OpenFile("absent.sat");
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList{"The file '" + Path("absent.sat") + "'could not be opened!"});
    }

    void focusRulesEnableButtons() {
        ShowDefaults();
        QVERIFY(!On(kAdd) && !On(kEdit) && !On(kDelete) && !On(kRemove));
        ClickLine(kLib, 0);
        QVERIFY(On(kAdd) && On(kEdit) && On(kDelete) && !On(kRemove));
        Click(kAdd);
        ClickLine(kAdded, -1);
        QVERIFY(!On(kAdd) && !On(kEdit) && !On(kDelete) && On(kRemove));
        ClickLine(kAdded, 0);
        Click(kRemove);
        ClickLine(kAdded, -1); // an empty added view takes "Remove" away
        QVERIFY(!On(kRemove) && !On(kAdd) && !On(kEdit) && !On(kDelete));
        ClickLine(kLib, 3);
        OpenFile(QString(), kAskAdded); // empties the library: ">>" stays, nothing else

        ClickLine(kLib, -1);
        QVERIFY(!On(kEdit) && !On(kDelete) && On(kAdd));
        Click(kAdd);
        QCOMPARE(m_prompts.TakeMessages(), QStringList{"satellite null"});
    }

    void pickRemoveAndDelete() {
        ShowDefaults();
        for (int row : {0, 1, 2, 3}) {
            ClickLine(kLib, row);
            Click(kAdd);
        }
        ClickLine(kAdded, 1);
        Click(kRemove);
        Click(kRemove); // removes the line that moved up
        QCOMPARE(Lines(kAdded), QStringList({"AfriSlar 1", "Arabsat 2B"}));
        ClickLine(kLib, 1);
        Click(kDelete);
        Click(kDelete); // the refilled view has no selection
        QCOMPARE(Lines(kLib).mid(0, 3), QStringList({"AfriSlar 1", "Amos", "Arabsat 2B"}));
        ClickLine(kLib, 8);
        for (int pick = 3; pick <= 20; ++pick) {
            Click(kAdd);
        }
        Click(kAdd);
        QCOMPARE(m_prompts.TakeMessages(), QStringList{"satellite <= 10"});
        QCOMPARE(Count(kAddedCount), "20");
    }

    void saveQuestionFailsThenSaves() {
        ShowDefaults();
        QByteArray saved;
        for (int i = 0; i < m_list->Library().GetCount(); ++i) {
            saved += Raw(m_list->Library().GetAt(i));
        }
        Write("lib.sat", Sat("Old"));
        LimitBytesWrittenForTests(100);
        Click(kOpenFile, kAskAdded, "lib.sat"); // the open dialog must not follow
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Write file error!", "Save false!"}));
        QCOMPARE(Read("lib.sat"), Sat("Old"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"lib.sat"});
        QCOMPARE(Count(kLibCount), "40");
        LimitBytesWrittenForTests(kNoWriteLimit);
        Click(kDefault, kAskList, "lib"); // saved: "lib" gets ".sat" and replaces the old file
        QCOMPARE(m_prompts.saveCalls.back().filter, "Satellite list File (*.sat)|*.sat|");
        QVERIFY(!QFile::exists(Path("lib")));
        QCOMPARE(Read("lib.sat"), saved);
    }

    // "OK" to the save question, then the save dialog cancelled: the whole operation stops.
    void cancelledSaveDialogChangesNothing() {
        ShowDefaults();
        ClickLine(kLib, 4);
        Click(kAdd);
        const std::pair<int, QString> operations[] = {
            {kCancle, kAskList}, {kOpenFile, kAskAdded}, {kDefault, kAskList}, {kOk, kAskList}};
        for (const auto& [id, question] : operations) {
            m_prompts.questionAnswers.push_back(true);
            m_prompts.saveAnswers.push_back(QString());
            QTest::mouseClick(W(id), Qt::LeftButton);
            QCOMPARE(m_prompts.questions.takeFirst(), question);
            QCOMPARE(m_prompts.saveCalls.size(), size_t(1)); // and no open dialog after it
            m_prompts.saveCalls.clear();
            QVERIFY(m_list->isVisible() && m_list->IsChanged());
            QCOMPARE(Count(kLibCount) + "/" + Count(kAddedCount), "40/1");
            QCOMPARE(Lines(kAdded), QStringList{"Astra"});
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
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
        QCOMPARE(Count(kLibCount), "65535");
        QCOMPARE(Lines(kLib).constLast(), "S65534");
        const QString tooMany = "Too many satellites: a library holds at most 65535, so nothing "
                                "was added.";
        OpenFile("one.sat");
        QCOMPARE(m_prompts.TakeMessages(), QStringList{tooMany});
        Click(kDefault);
        QCOMPARE(m_prompts.TakeMessages(), QStringList{tooMany});
        QCOMPARE(Count(kLibCount), "65535");
        QCOMPARE(Lines(kLib).constFirst(), "S00000");
        QVERIFY(!m_list->IsChanged());
        bool edited = false;
        QTimer::singleShot(0, this, [&edited] {
            if (auto* edit = qobject_cast<CSatEditDlg*>(QApplication::activeModalWidget())) {
                edited = true;
                edit->reject();
            }
        });
        Click(1054); // "New Sat" refused before the Edit Satellite dialog opens
        QTest::qWait(10);
        QVERIFY(!edited);
        QCOMPARE(m_prompts.TakeMessages(),
                 QStringList{"The library is full: it holds at most 65535 satellites."});
        QCOMPARE(m_list->Library().GetCount(), kMaxSatListRecords);
    }

    void okCancleAndEscape() {
        Show(m_list);
        Click(kOk);
        QCOMPARE(m_prompts.TakeMessages(), QStringList{"satellite null"});
        QVERIFY(m_list->isVisible());
        Click(kDefault);
        ClickLine(kLib, 39);
        Click(kAdd);
        Click(kOk, kAskList);
        QVERIFY(m_list->result() == QDialog::Accepted && m_list->Library().GetCount() == 0);
        QCOMPARE(NameText(m_list->AddedList().GetAt(0)), std::string("Turksat 1C"));
        ShowDefaults();
        Click(kCancle, kAskList);
        QVERIFY(!m_list->isVisible() && m_list->result() == QDialog::Rejected);
    }

    void escapeAndCloseBoxAskAsCancleDoes_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("saveAs"); // "" answers Cancel; "-" cancels the save dialog
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<bool>("closes");
        for (bool closeBox : {false, true}) {
            const char* way = closeBox ? "close box" : "Escape";
            QTest::addRow("%s, unchanged", way) << closeBox << false << "" << false << true;
            QTest::addRow("%s, Cancel", way) << closeBox << true << "" << false << true;
            QTest::addRow("%s, saved", way) << closeBox << true << "lib.sat" << false << true;
            QTest::addRow("%s, save dialog cancelled", way)
                << closeBox << true << "-" << false << false;
            QTest::addRow("%s, save fails", way) << closeBox << true << "lib.sat" << true << false;
        }
    }

    // A changed library is not dropped without the question of "Cancle" and its outcomes.
    void escapeAndCloseBoxAskAsCancleDoes() {
        QFETCH(bool, closeBox);
        QFETCH(bool, changed);
        QFETCH(QString, saveAs);
        QFETCH(bool, writeFails);
        QFETCH(bool, closes);
        changed ? ShowDefaults() : Show(m_list);
        if (changed) {
            m_prompts.questionAnswers.push_back(!saveAs.isEmpty());
        }
        if (!saveAs.isEmpty()) {
            m_prompts.saveAnswers.push_back(saveAs == "-" ? QString() : Path(saveAs));
        }
        LimitBytesWrittenForTests(writeFails ? 100 : kNoWriteLimit);
        if (closeBox) {
            m_list->close();
        } else {
            QTest::keyClick(W(kDefault), Qt::Key_Escape);
        }
        QCOMPARE(m_prompts.questions, changed ? QStringList{kAskList} : QStringList());
        m_prompts.questions.clear();
        QCOMPARE(m_prompts.TakeMessages(),
                 writeFails ? QStringList({"Write file error!", "Save false!"}) : QStringList());
        QCOMPARE(m_list->isVisible(), !closes);
        QCOMPARE(m_list->result(), int(QDialog::Rejected));
        // Kept open, the library is whole; closed, it was emptied as "Cancle" empties it.
        QCOMPARE(m_list->Library().GetCount(), closes ? 0 : 40);
        QCOMPARE(Read("lib.sat").size(),
                 saveAs == "lib.sat" && !writeFails ? 40 * int(sizeof(SatelliteRecord)) : 0);
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
        QCOMPARE(NameText(now), std::string("Astra"));
        QVERIFY(m_edit->isVisible());
    }

    void choiceLists() {
        SatelliteRecord record = MakeNewSatellite("L");
        record.switchType = 2; // DiSEQC1.1
        record.switchInput = 11;
        record.tpCount = 1;
        record.tps[2] = {3333, 4444, kVertical, 0};
        Show(m_edit, record);
        Choose(kLnbType, 1); // OCS: presets shown, not stored
        QCOMPARE(Box(kLow)->text() + "/" + Box(kHigh)->text(), "5150/5750");
        QVERIFY(!Box(kLow)->isEnabled() && !Box(kHigh)->isEnabled());

        QCOMPARE(List(kSwitchInput)->currentText(), "LNB12");
        Choose(kSwitchType, 1); // DiSEQC1.0
        QVERIFY(List(kSwitchInput)->count() == 4 && m_edit->GetRecord().switchInput == 3);
        QCOMPARE(List(kSwitchInput)->currentText(), "LNB4");
        Choose(kSwitchType, 0); // None
        QVERIFY(List(kSwitchInput)->count() == 1 && !List(kSwitchInput)->isEnabled());

        Choose(kTpNumber, 7);
        QTest::mouseClick(Box(kName), Qt::LeftButton);
        QCOMPARE(List(kTpNo)->count(), 8);
        QCOMPARE(List(kTpNo)->itemText(0) + "," + List(kTpNo)->itemText(7), "TP No1,TP No8");
        Choose(kTpNo, 2);
        QCOMPARE(Box(kTpFreq)->text() + "/" + Box(kSymbolRate)->text(), "4444/3333");
        Click(kOk);
        QVERIFY(m_edit->result() == QDialog::Accepted);
        record.lnbType = 1;
        record.switchType = record.switchInput = 0;
        record.tpCount = 8;
        QCOMPARE(m_edit->GetRecord(), record);
    }

    void confirmBlockedWhileSymbolRateOutOfRange() {
        SatelliteRecord record = MakeNewSatellite("AfriSlar 1");
        record.tps[0].symbolRate = 1840;
        Show(m_edit, record);
        // Leaving the name box checks every box as well, so the range is reported twice.
        Click(kOk);
        QCOMPARE(m_prompts.TakeMessages(), QStringList({Range(2000, 45000), Range(2000, 45000)}));
        QVERIFY(m_edit->isVisible() && Box(kSymbolRate)->hasFocus());
        Type(kSymbolRate, "2050", false);
        QTest::keyClick(Box(kSymbolRate), Qt::Key_Return); // confirms without leaving first
        QCOMPARE(m_edit->result(), int(QDialog::Accepted));
        QCOMPARE(int(m_edit->GetRecord().tps[0].symbolRate), 2050);
    }

    // Every fixed text whole at the default font, in both dialogs, with the longest entries in
    // the lists.
    void textsFit() {
        Show(m_list);
        QVERIFY2(Misfits().isEmpty(), qPrintable(Misfits()));
        SatelliteRecord record = MakeNewSatellite("W");
        record.switchType = 2; // sixteen inputs
        Show(m_edit, record);
        Choose(kTpNumber, 7);
        QTest::mouseClick(Box(kName), Qt::LeftButton);
        QCOMPARE(List(kTpNo)->count(), 8);
        QVERIFY2(Misfits().isEmpty(), qPrintable(Misfits()));
    }
};

QTEST_MAIN(TestSatDialogs)
#include "test_sat_dialogs.moc"
