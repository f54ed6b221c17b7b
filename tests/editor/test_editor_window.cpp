// The editor window driven as a user does: files, the tree, the panes, the TP list, the slot
// buttons, the pointing hints and "Load Sat", with every prompt answered by the fake.

#include "EditorTestSupport.h"

#include "controls/CEditListCtrl.h"
#include "model/AtomicFile.h"
#include "model/DefaultSatellites.h"
#include "model/InputFile.h"

#include <QGroupBox>
#include <QRegularExpression>

#include <array>

using namespace editortest;

class TestEditorWindow : public QObject {
    Q_OBJECT

    static constexpr int kInsert = 32771, kDelete = 32772; // the TP list's menu commands
    CEditorDlg& W() { return *m_window; }
    SettingsBlock& Block() { return W().Image().settingsBlock; }
    SatelliteRecord& Record(int slot) { return Block().satellites[static_cast<std::size_t>(slot)]; }
    QTreeWidgetItem* Node(int slot) { return SlotNode(W(), slot); }
    void Show(int slot) { ClickNode(W(), Node(slot)); }
    QLineEdit* Edit(int id) { return Ctl<QLineEdit>(W(), id); }
    QComboBox* Combo(int id) { return Ctl<QComboBox>(W(), id); }
    void Type(int field, const QString& text) { TypeAndLeave(Edit(field), text, Tree(W())); }
    QTreeWidgetItem* Selected() { return Tree(W())->selectedItems().value(0); }
    QString Labels() { return Node(0)->text(0) + "|" + Node(1)->text(0); }
    CEditListCtrl* List() { return Ctl<CEditListCtrl>(W(), id::TpList); }
    QString Cell(int row, int column) { return List()->item(row, column)->text(); }
    QPoint Center(int row, int column) {
        return List()->visualRect(List()->model()->index(row, column)).center();
    }
    void EditCell(int row, int column, const QString& typed, Qt::Key end) {
        TypeIntoCell(W(), row, column, typed);
        QTest::keyClick(CNumEdit::GetInstance(), end);
    }
    // Distinct transponders in the slot, then the slot shown afresh.
    void ShowSlotWithTps(int slot, int tps) {
        Record(slot).tpCount = static_cast<std::uint8_t>(tps);
        for (std::uint16_t k = 0; k < 8; ++k) {
            Record(slot).tps[k] = {std::uint16_t(20000 + k), std::uint16_t(11000 + k),
                                   k % 2 == 0 ? kHorizontal : kVertical, std::uint8_t(k)};
        }
        Show(slot == 0 ? 1 : 0);
        Show(slot);
    }

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;

private slots:
    void init() { QVERIFY(StartWindowTest(m_window, m_prompts)); }

    void cleanup() { QCOMPARE(EndWindowTest(m_window, m_prompts), QString()); }

    // Every byte of the file goes back out; the letters are normalised only after the first
    // satellite was shown, which repairs its own polarizations its way. Failures keep the data.
    void filesLoadShowingFirstSaveWholeAndFailWithoutHarm() {
        QByteArray bytes = FreshBytes();
        for (int i = 0; i < int(kLeadingImageSize); i += 97) {
            bytes[i] = static_cast<char>(i * 7);
        }
        bytes[int(kMeterFileSize) - 1] = 0x5C; // trailing image
        bytes[Slot(17) + 17] = 0x44;           // a reserved byte of a slot not in use
        bytes[Tp(0, 2) + 4] = bytes[Tp(1, 2) + 4] = 1;
        std::memcpy(bytes.data() + Slot(0), "Hispasat\0", 9);
        OpenThrough(W(), m_prompts, WriteFile(m_dir, "in.bin", bytes));
        QVERIFY(Selected() == Node(0) && Cell(2, 2) == "H" && Labels() == "Hispasat|Sat2");

        // Typed and still in the field when "Save" is clicked: the click commits it first.
        TypeAndLeave(Edit(id::SatLongitude), "192", Edit(id::SatLongitude));
        bytes[Tp(0, 2) + 4] = 'H';
        bytes[Tp(1, 2) + 4] = 'V';
        PutU16(bytes, Slot(0) + 24, 192);
        const QString out = m_dir.filePath("out.bin");
        QCOMPARE(SaveThrough(W(), m_prompts, out), bytes);
        QCOMPARE(m_prompts.saveCalls.back().filter + m_prompts.saveCalls.back().proposedName,
                 QStringLiteral("Meter data File (*.bin)|*.bin|MData"));

        // A save cut short keeps the file that was there.
        Record(0).longitude = 1;
        LimitBytesWrittenForTests(kTrailingImageOffset);
        SaveThrough(W(), m_prompts, out);
        LimitBytesWrittenForTests(kNoWriteLimit);
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Write file error!"}));
        QCOMPARE(ReadFile(out), bytes);

        // The longitude changed since the last save that worked: the open asks first. A file
        // coming back short while it is read: nothing of it gets in.
        m_prompts.saveChangesAnswers.push_back(UserPrompts::SaveChoice::Discard);
        const MeterImage before = W().Image();
        LimitBytesReadForTests(kSettingsBlockOffset + 100);
        OpenThrough(W(), m_prompts,
                    WriteFile(m_dir, "other.bin", QByteArray(int(kMeterFileSize), 0)));
        LimitBytesReadForTests(kNoReadLimit);
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Read file error!"}));
        QVERIFY(W().Image() == before && Labels() == "Hispasat|Sat2");
        QCOMPARE(m_prompts.openFilters.last(), QStringLiteral("Meter data File (*.bin)|*.bin|"));
    }

    void treeNodesDecideWhatThePaneShows() {
        QCOMPARE(Node(19)->text(0), QStringLiteral("Sat20"));
        Block().satCount = 6;
        Show(2);
        // The root, "Satellite List" and a slot at or beyond the count disable the slot on show
        // and empty the list; only a slot node changes the current slot.
        for (const auto& [node, current] :
             {std::pair{Root(W()), 2}, {SatelliteList(W()), 2}, {Node(6), 6}}) {
            ClickNode(W(), node);
            QVERIFY(W().Control(id::SatellitePane)->isVisible() &&
                    !Edit(id::SatLongitude)->isEnabled() && List()->rowCount() == 0);
            QCOMPARE(Ctl<QGroupBox>(W(), id::SatellitePane)->title(),
                     QStringLiteral("Satellite: 3"));
            QCOMPARE(W().m_curSat, std::int8_t(current));
        }
        // The node's code decides, never its label: a satellite named like another node is
        // shown and edited as a satellite when its node is selected again.
        const std::array names = {"TP List", "Satellite List"};
        for (int slot = 0; slot < int(names.size()); ++slot) {
            const QString name = QString::fromLatin1(names[slot]);
            Show(slot);
            Type(id::Name, name);
            const QString stored = name.left(int(kMaxNameChars));
            QCOMPARE(QString::fromStdString(NameText(Record(slot))) + "|" + Node(slot)->text(0),
                     stored + "|" + stored);
            // The field cuts the longer ones; their label is given in full all the same.
            Node(slot)->setText(0, name);
            Show(5);
            Show(slot);
            QVERIFY(W().Control(id::SatellitePane)->isVisible() && Edit(id::Name)->isEnabled());
            QCOMPARE(W().m_curSat, std::int8_t(slot));
            Type(id::SatLongitude, QString::number(100 + slot));
            QCOMPARE(Record(slot).longitude, std::uint16_t(100 + slot));
        }
    }

    // The tree's icons are tables in code, given to Qt without an image reader; each shows its
    // drawing pixel for pixel. A slot the check finds nothing on carries no mark over it.
    void treeIconsShowTheirDrawings() {
        Record(19).tpCount = 1;
        Record(19).tps[0] = {27500, 11362, kHorizontal, 0};
        Show(19);
        const std::pair<QTreeWidgetItem*, const char*> icons[] = {{Root(W()), "root"},
                                                                  {Root(W())->child(0), "system"},
                                                                  {Root(W())->child(1), "position"},
                                                                  {SatelliteList(W()), "satellite"},
                                                                  {Node(19), "satellite"}};
        for (const auto& [node, file] : icons) {
            const QImage drawing(QStringLiteral(ORVEX_ICON_DIR "/%1.png").arg(file));
            QCOMPARE(node->icon(0).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                     drawing.convertToFormat(QImage::Format_ARGB32));
        }
    }

    void longitudeClampsAndRefusesEmpty() {
        Show(2);
        QLineEdit* longitude = Edit(id::SatLongitude);
        // typed, the message, then what field and record hold; a refusal keeps the focus
        const std::tuple<const char*, const char*, std::uint16_t> cases[] = {
            {"1801", "Please enter an integer between 0 and 1800.", 1800},
            {"", "Please enter an integer.", 1800}};
        for (const auto& [typed, message, stored] : cases) {
            TypeAndLeave(longitude, typed, Combo(id::Direction));
            QCOMPARE(m_prompts.TakeMessages(), message ? QStringList({message}) : QStringList());
            QCOMPARE(longitude->text(), QString::number(stored));
            QCOMPARE(Record(2).longitude, stored);
            QCOMPARE(longitude->hasFocus(), message != nullptr);
        }
    }

    // Every control of the layout answers to its id, also those of pages not shown yet; the
    // TP pane stays hidden and takes no part in a commit, whatever its fields hold.
    void layoutIdsAndTheExchangeOverThePages() {
        for (int control :
             {id::SatellitePane, id::Name, id::PositionType, id::TpPane, id::TpPolarity, id::TpFreq,
              id::TpSymbolRate, id::AddTp, id::LocalPositionPane, id::Hemisphere,
              id::SystemSettingPane, id::BacklightOn, id::LanguageLabel, id::LoadSat, 12345}) {
            QWidget* widget = W().Control(control);
            QCOMPARE(widget ? widget->property("controlId").toInt() : 12345, control);
        }
        Show(2);
        for (int control : {id::TpPane, id::TpFreq, id::AddTp, id::LoadSat}) {
            QVERIFY(!W().Control(control)->isVisible());
        }
        Edit(id::TpFreq)->setText(QString());
        Edit(id::TpSymbolRate)->setText(QStringLiteral("99999999999"));
        TypeAndLeave(Edit(id::SatLongitude), "123", Combo(id::Direction));
        QCOMPARE(m_prompts.TakeMessages(), QStringList());
        QCOMPARE(Record(2).longitude, std::uint16_t(123));

        // The exchange runs over the pages in one order, shown or not: the first bad field of
        // it is reported.
        Edit(id::LocalLatitude)->setText(QStringLiteral("901"));
        Edit(id::HighFreq)->setText(QStringLiteral("20001"));
        for (const auto& [field, message] :
             {std::pair{id::HighFreq, "Please enter an integer between 0 and 20000."},
              {id::LocalLatitude, "Please enter an integer between 0 and 900."}}) {
            QVERIFY(!W().ReadView());
            QCOMPARE(m_prompts.TakeMessages(), QStringList({message}));
            Edit(field)->setText(QStringLiteral("0"));
        }
        QVERIFY(W().ReadView());
    }

    // An LNB type's preset is shown, not stored; a switch type refills the inputs.
    void lnbAndSwitchTypes() {
        Record(0).lnbType = kLnbCustomized;
        Record(0).lnbLowFreq = 5000;
        Record(0).lnbHighFreq = 6000;
        Record(0).switchType = 2;
        Record(0).switchInput = 11;
        Show(0);
        const auto shown = [this] {
            return Edit(id::LowFreq)->text() + " " + Edit(id::HighFreq)->text();
        };
        QVERIFY(Edit(id::LowFreq)->isEnabled());
        PickEntry(Combo(id::LnbType), 6);
        QCOMPARE(Record(0).lnbType, std::uint8_t(6));
        QCOMPARE(shown(), "10700 0");
        QVERIFY(!Edit(id::LowFreq)->isEnabled() && Record(0).lnbLowFreq == 5000);
        Show(1); // showing the satellite again shows what is stored
        Show(0);
        QCOMPARE(shown(), "5000 6000");

        QComboBox* inputs = Combo(id::SwitchInput);
        QCOMPARE(inputs->currentText(), QStringLiteral("LNB12"));
        PickEntry(Combo(id::SwitchType), 1); // DiSEQC1.0: four inputs, the last one taken
        QCOMPARE(inputs->itemText(inputs->count() - 1) + inputs->currentText(), "LNB4LNB4");
        QVERIFY(Record(0).switchType == 1 && Record(0).switchInput == 3);
        PickEntry(Combo(id::SwitchType), 0); // None
        QVERIFY(!inputs->isEnabled());
    }

    // A code no entry stands for shows no entry and stays through focus changes until picked.
    void codesOutsideTheListsShowNothingAndStay() {
        Record(0).lnbPower = 9;
        W().Image().systemSetting.autoPowerOff = 9;
        const std::tuple<QTreeWidgetItem*, int, std::uint8_t*> cases[] = {
            {Node(0), id::LnbPower, &Record(0).lnbPower},
            {Root(W())->child(0), id::AutoPowerOff, &W().Image().systemSetting.autoPowerOff}};
        for (const auto& [node, combo, code] : cases) {
            ClickNode(W(), node);
            QCOMPARE(Combo(combo)->currentIndex(), -1);
            Combo(combo)->setFocus();
            Tree(W())->setFocus();
            QCOMPARE(*code, std::uint8_t{9});
            PickEntry(Combo(combo), 1);
            Tree(W())->setFocus();
            QCOMPARE(*code, std::uint8_t{1});
        }
    }

    void nameTypingRelabelsAndStoresLatin1() {
        // The record holds Latin-1 bytes; the label shows the same text.
        const auto holds = [this](const char* utf8) {
            return QString::fromLatin1(NameText(Record(3))) == QString::fromUtf8(utf8) &&
                   Node(3)->text(0) == QString::fromUtf8(utf8);
        };
        SetNameText(Record(3), "Caf\xE9");
        Show(3);
        QLineEdit* name = Edit(id::Name);
        QCOMPARE(name->text(), QString::fromUtf8("Café"));
        name->setFocus();
        name->end(false);
        TypeText(name, QString::fromUtf8("ü€")); // the euro sign has no Latin-1 byte
        QVERIFY(holds("Caféü"));
    }

    void tpInsertAndDeleteShiftTheEntries() {
        ShowSlotWithTps(3, 5);
        RunTpMenu(W(), Center(2, 1), kInsert);
        QCOMPARE(QStringList({Cell(5, 0), Cell(2, 1), Cell(2, 2), Cell(2, 3)}),
                 QStringList({"6", "9750", "H", "10600"})); // numbered afresh
        QVERIFY(List()->rowCount() == 6 && Record(3).tpCount == 6);

        RunTpMenu(W(), Center(0, 1), kDelete);
        QCOMPARE(QStringList({Cell(0, 0), Cell(0, 1)}), QStringList({"1", "11001"}));
        QVERIFY(List()->rowCount() == 5 && Record(3).tpCount == 5);
        RunTpMenu(W(), Center(4, 1), kDelete);
        QCOMPARE(List()->currentRow(), 3);

        // Eight transponders leave nothing to insert; nor does a list the root emptied.
        ShowSlotWithTps(0, 8);
        QMenu* menu = RightClickTpList(W(), Center(7, 1));
        QVERIFY(!Offered(menu, kInsert) && Offered(menu, kDelete));
        menu->close();
        ClickNode(W(), Root(W()));
        menu = RightClickTpList(W(), QPoint(5, 5));
        QVERIFY(!Offered(menu, kInsert) && !Offered(menu, kDelete));
        menu->close();
    }

    void tpCellEditsAndTheirLimits() {
        ShowSlotWithTps(0, 2);
        EditCell(0, 1, "", Qt::Key_Return);
        QCOMPARE(m_prompts.TakeMessages(), QStringList({"Can not empty!"}));
        QVERIFY(Cell(0, 1) == "11000" && Record(0).tps[0].frequency == 11000);
        // Escape puts the old text back and still reports it, so the record takes the cell's value.
        Record(0).tps[1].frequency = 5;
        EditCell(1, 1, "777", Qt::Key_Escape);
        QVERIFY(W().isVisible() && Cell(1, 1) == "11001" && Record(0).tps[1].frequency == 11001);
    }

    void slotButtonsMoveWholeRecords() {
        Block().satCount = 5; // the fresh records differ by their names
        const auto before = Block().satellites;
        Show(12); // "+" on a slot not in use appends after the last one in use
        ClickButton(W(), id::Add);
        QVERIFY(Node(5)->text(0) == "new Sat" && Selected() == Node(5));

        Show(3);
        ClickButton(W(), id::Up); // "UP"
        QVERIFY(Record(2) == before[3] && Record(3) == before[2]);
        QCOMPARE(Node(2)->text(0) + Node(3)->text(0), QStringLiteral("Sat4Sat3"));
        QCOMPARE(Selected(), Node(2));
        // A TP row click holds "DN" until the tree selection changes.
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, Center(0, 0));
        ClickButton(W(), id::Down);
        QVERIFY(Record(2) == before[3]);
        Show(1);
        Show(2);
        ClickButton(W(), id::Down);
        QVERIFY(Record(2) == before[2] && Record(3) == before[3] && Selected() == Node(3));
    }

    void hintsFollowTheSatellitePosition() {
        // A dish in London (0.1 W, 51.5 N) on a motor and a satellite at 28.2 E; angles worked
        // out by hand.
        Block().localPosition = {1, kWest, 0, 515, kNorth, 0};
        Record(0).positionType = 1; // USALS
        // One transponder a Universal LNB receives, so that no finding follows the hint.
        Record(0).tpCount = 1;
        Record(0).tps[0] = {27500, 11494, kHorizontal, 0};
        Show(0);
        Type(id::SatLongitude, "282");
        const QRegularExpression hint(QString::fromUtf8(
            "^28\\.2° E\\nAzimuth 145\\.5° true, \\d+\\.\\d° by compass\\nElevation 25\\.4°\\n"
            "Turn the LNB 20\\.8° counter-clockwise, seen from behind the dish\\n"
            "Motor 31\\.1° E$"));
        QVERIFY2(hint.match(Node(0)->toolTip(0)).hasMatch(), qPrintable(Node(0)->toolTip(0)));
        Type(id::SatLongitude, "1155");
        // The hint's two lines; the check's sentence about the horizon follows them.
        QCOMPARE(Node(0)->toolTip(0).section('\n', 0, 1),
                 QString::fromUtf8("115.5° E\nbelow the horizon"));
    }

    void loadSatCopiesPicksIntoTheFirstSlots() {
        Block().satCount = 7;
        SatRecordList defaults;
        AddDefaultSatellites(defaults); // "AfriSlar 1" is entry 0, "Sky-l11" entry 35
        bool picked = false;
        PickFromLibraryWhenOpen(this, m_prompts, {35, 0, 35}, &picked);
        Ctl<QPushButton>(W(), id::LoadSat)->click(); // hidden, but its command runs
        QVERIFY(picked);
        QCOMPARE(m_prompts.questions, QStringList{"Do you save sat list?"});

        // Whole records, not normalised: the third keeps its 'v'; the first was shown and repaired.
        QVERIFY(Record(2) == defaults.GetAt(35) && Record(1) == defaults.GetAt(0));
        QCOMPARE(NameText(Record(0)), std::string("Sky-l11"));
        QCOMPARE(Labels(), "Sky-l11|AfriSlar 1");
        QCOMPARE(Selected(), Node(0));
    }
};

QTEST_MAIN(TestEditorWindow)
#include "test_editor_window.moc"
