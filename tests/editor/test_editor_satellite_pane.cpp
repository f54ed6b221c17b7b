// The Satellite pane: what it shows, when each control writes its field, the clamps and their
// messages, the LNB presets and the switch inputs.

#include "EditorTestSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QTableWidget>

#include <memory>

using namespace editortest;

class TestEditorSatellitePane : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showingRepairsUnknownPolarization();
    void longitudeClampsWithRangeMessage();
    void emptyFieldIsRefusedAndRestored();
    void customizedFrequenciesClampTo20000();
    void storedValueOutOfRangeStopsLaterFields();
    void nameCommitsOnEveryKeystroke();
    void nameKeepsLatin1Bytes();
    void lnbTypePresetsShowWithoutStoring();
    void lnbTypeCommitsOnlyWhenItsListCloses();
    void toneFollowsLnbType();
    void switchTypeRefillsInputs();
    void switchInputNotInListBlocksSwitchTypeChange();
    void optionCombosCommitOnLeaving();
    void typedComboTextIsNeverStored();
    void codesOutsideTheListsShowNothingAndStay();

private:
    SatelliteRecord& Record(int slot) {
        return m_window->Image().settingsBlock.satellites[static_cast<std::size_t>(slot)];
    }
    void Show(int slot) { ClickNode(*m_window, SlotNode(*m_window, slot)); }
    QLineEdit* Edit(int id) { return Ctl<QLineEdit>(*m_window, id); }
    QComboBox* Combo(int id) { return Ctl<QComboBox>(*m_window, id); }
    QWidget* Tree() { return m_window->Control(1043); }

    FakePrompts m_prompts;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorSatellitePane::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorSatellitePane::cleanup() {
    m_window->close();
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

void TestEditorSatellitePane::showingRepairsUnknownPolarization() {
    Record(1).tpCount = 3;
    Record(1).tps[0].polarization = 'x';
    Record(1).tps[1].polarization = 'V';
    Record(1).tps[2].polarization = 1;
    Record(1).tps[5].polarization = 'q'; // not in use: untouched
    Show(1);
    auto* list = Ctl<QTableWidget>(*m_window, 1001);
    QCOMPARE(list->item(0, 2)->text(), QStringLiteral("H"));
    QCOMPARE(list->item(1, 2)->text(), QStringLiteral("V"));
    QCOMPARE(list->item(2, 2)->text(), QStringLiteral("H"));
    QCOMPARE(Record(1).tps[0].polarization, kHorizontal);
    QCOMPARE(Record(1).tps[1].polarization, kVertical);
    QCOMPARE(Record(1).tps[2].polarization, kHorizontal);
    QCOMPARE(Record(1).tps[5].polarization, std::uint8_t{'q'});
}

void TestEditorSatellitePane::longitudeClampsWithRangeMessage() {
    Show(2);
    QLineEdit* longitude = Edit(1057);
    TypeAndLeave(longitude, "2000", Combo(1058));
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 1800."}));
    QCOMPARE(longitude->text(), QStringLiteral("1800"));
    QCOMPARE(Record(2).longitude, std::uint16_t{1800});
    // The focus is back in the refused field with its text selected.
    QVERIFY(longitude->hasFocus());
    QCOMPARE(longitude->selectedText(), QStringLiteral("1800"));

    TypeAndLeave(longitude, "1800", Tree());
    QCOMPARE(m_prompts.TakeMessages(), QStringList());
    TypeAndLeave(longitude, "705", Tree());
    QCOMPARE(Record(2).longitude, std::uint16_t{705});
    QCOMPARE(m_prompts.TakeMessages(), QStringList());
    // Digits only: typed letters never reach the field.
    TypeAndLeave(longitude, "1a2", Tree());
    QCOMPARE(longitude->text(), QStringLiteral("12"));
    QCOMPARE(Record(2).longitude, std::uint16_t{12});
    // A number too long for the view value is out of range as well.
    TypeAndLeave(longitude, "99999999999", Tree());
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 1800."}));
    QCOMPARE(Record(2).longitude, std::uint16_t{1800});
}

void TestEditorSatellitePane::emptyFieldIsRefusedAndRestored() {
    Record(0).longitude = 130;
    Show(0);
    QLineEdit* longitude = Edit(1057);
    TypeAndLeave(longitude, "", Tree());
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Please enter an integer."}));
    QCOMPARE(longitude->text(), QStringLiteral("130"));
    QCOMPARE(Record(0).longitude, std::uint16_t{130});
    QVERIFY(longitude->hasFocus());
    QCOMPARE(longitude->selectedText(), QStringLiteral("130"));
}

void TestEditorSatellitePane::customizedFrequenciesClampTo20000() {
    Record(0).lnbType = kLnbCustomized;
    Show(0);
    QVERIFY(Edit(1061)->isEnabled());
    TypeAndLeave(Edit(1061), "25000", Edit(1062));
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 20000."}));
    QCOMPARE(Edit(1061)->text(), QStringLiteral("20000"));
    QCOMPARE(Record(0).lnbLowFreq, std::uint16_t{20000});
    TypeAndLeave(Edit(1062), "11300", Tree());
    QCOMPARE(Record(0).lnbHighFreq, std::uint16_t{11300});
    QCOMPARE(Record(0).lnbLowFreq, std::uint16_t{20000});
}

void TestEditorSatellitePane::storedValueOutOfRangeStopsLaterFields() {
    // A value from a file beyond its range stops every later exchange at that field.
    Record(0).lnbType = kLnbCustomized;
    Record(0).lnbLowFreq = 25000;
    Record(0).longitude = 40;
    Show(0);
    QCOMPARE(Edit(1061)->text(), QStringLiteral("25000"));
    TypeAndLeave(Edit(1057), "100", Tree());
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 20000."}));
    // The longitude came before the refused field in the exchange, so it was read and stored.
    QCOMPARE(Record(0).longitude, std::uint16_t{100});
    QVERIFY(Edit(1061)->hasFocus());
    // Leaving the refused field clamps and stores it; then the exchange runs through again.
    Tree()->setFocus();
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 20000."}));
    QCOMPARE(Record(0).lnbLowFreq, std::uint16_t{20000});
    TypeAndLeave(Edit(1062), "10000", Tree());
    QCOMPARE(m_prompts.TakeMessages(), QStringList());
    QCOMPARE(Record(0).lnbHighFreq, std::uint16_t{10000});
}

void TestEditorSatellitePane::nameCommitsOnEveryKeystroke() {
    SetNameText(Record(3), "Astra19.2E");
    Show(3);
    QLineEdit* name = Edit(1073);
    name->setFocus();
    name->end(false);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(NameText(Record(3)), std::string("Astra19.2"));
    QCOMPARE(SlotNode(*m_window, 3)->text(0), QStringLiteral("Astra19.2"));
    // The bytes behind the new terminator keep what they held.
    QCOMPARE(Record(3).name[9], '\0');
    QCOMPARE(Record(3).name[10], '\0');
    QTest::keyClicks(name, "W");
    QCOMPARE(NameText(Record(3)), std::string("Astra19.2W"));
    QTest::keyClicks(name, "XYZ");
    QCOMPARE(name->text(), QStringLiteral("Astra19.2WX"));
    QCOMPARE(NameText(Record(3)), std::string("Astra19.2WX"));
    QCOMPARE(Record(3).name[11], '\0');

    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    QCOMPARE(NameText(Record(3)), std::string());
    QCOMPARE(SlotNode(*m_window, 3)->text(0), QString());
    // Leaving adds nothing; the caret stayed where the user typed.
    QTest::keyClicks(name, "Hot");
    QCOMPARE(name->cursorPosition(), 3);
    Tree()->setFocus();
    QCOMPARE(NameText(Record(3)), std::string("Hot"));
}

void TestEditorSatellitePane::nameKeepsLatin1Bytes() {
    const char latin[] = "Caf\xE9 \xC5rhus";
    SetNameText(Record(0), latin);
    Show(0);
    QCOMPARE(Edit(1073)->text(), QString::fromUtf8("Café Århus"));

    QLineEdit* name = Edit(1073);
    name->setFocus();
    name->end(false);
    TypeText(name, QString::fromUtf8("ü"));
    QCOMPARE(NameText(Record(0)), std::string("Caf\xE9 \xC5rhus\xFC"));
    QCOMPARE(SlotNode(*m_window, 0)->text(0), QString::fromUtf8("Café Århusü"));
    // Characters a name byte cannot hold are not accepted.
    QTest::keyClick(name, Qt::Key_Backspace);
    TypeText(name, QString::fromUtf8("€"));
    QCOMPARE(name->text(), QString::fromUtf8("Café Århus"));
    QCOMPARE(NameText(Record(0)), std::string(latin));
}

void TestEditorSatellitePane::lnbTypePresetsShowWithoutStoring() {
    Record(0).lnbType = kLnbCustomized;
    Record(0).lnbLowFreq = 5150;
    Record(0).lnbHighFreq = 5750;
    Show(0);
    QCOMPARE(Edit(1061)->text(), QStringLiteral("5150"));

    struct Expect {
        int entry;
        const char* low;
        const char* high;
        bool tone;
    };
    for (const Expect& e : {Expect{0, "9750", "10600", false}, Expect{1, "5150", "5750", true},
                            Expect{2, "5150", "0", true}, Expect{6, "10700", "0", true},
                            Expect{7, "9750", "10600", false}, Expect{10, "0", "10200", true}}) {
        PickEntry(Combo(1059), e.entry);
        QCOMPARE(Record(0).lnbType, std::uint8_t(e.entry));
        QCOMPARE(Edit(1061)->text(), QString::fromLatin1(e.low));
        QCOMPARE(Edit(1062)->text(), QString::fromLatin1(e.high));
        QVERIFY(!Edit(1061)->isEnabled());
        QVERIFY(!Edit(1062)->isEnabled());
        QCOMPARE(Combo(1065)->isEnabled(), e.tone);
        QCOMPARE(Record(0).lnbLowFreq, std::uint16_t{5150});
        QCOMPARE(Record(0).lnbHighFreq, std::uint16_t{5750});
    }
    // Showing the satellite again shows the stored frequencies.
    Show(1);
    Show(0);
    QCOMPARE(Edit(1061)->text(), QStringLiteral("5150"));
    QCOMPARE(Edit(1062)->text(), QStringLiteral("5750"));

    PickEntry(Combo(1059), 11);
    QCOMPARE(Record(0).lnbType, kLnbCustomized);
    QVERIFY(Edit(1061)->isEnabled());
    QVERIFY(Combo(1065)->isEnabled());
    QCOMPARE(Edit(1061)->text(), QStringLiteral("5150"));
}

void TestEditorSatellitePane::lnbTypeCommitsOnlyWhenItsListCloses() {
    Show(0);
    QComboBox* lnbType = Combo(1059);
    lnbType->setFocus();
    QTest::keyClick(lnbType, Qt::Key_Down);
    QCOMPARE(lnbType->currentIndex(), 1);
    Tree()->setFocus();
    // Shown but not stored: neither the arrow key nor leaving commits this combo.
    QCOMPARE(Record(0).lnbType, std::uint8_t{0});

    // Closing the list without a pick stores what the combo shows.
    OpenAndCancel(lnbType);
    QCOMPARE(Record(0).lnbType, std::uint8_t{1});
    QCOMPARE(Edit(1061)->text(), QStringLiteral("5150"));
}

void TestEditorSatellitePane::toneFollowsLnbType() {
    Record(0).lnbType = 7;
    Record(1).lnbType = 0;
    Show(1);
    QVERIFY(!Combo(1065)->isEnabled());
    Show(0);
    // Shown: types 1 to 10 enable the tone; choosing 7 or 9 disables it.
    QVERIFY(Combo(1065)->isEnabled());
    QVERIFY(!Edit(1061)->isEnabled());
    PickEntry(Combo(1059), 9);
    QVERIFY(!Combo(1065)->isEnabled());
}

void TestEditorSatellitePane::switchTypeRefillsInputs() {
    Record(0).switchType = 2;
    Record(0).switchInput = 0;
    Show(0);
    QComboBox* inputs = Combo(1064);
    QCOMPARE(inputs->count(), 16);
    QCOMPARE(inputs->currentText(), QStringLiteral("LNB1"));
    QCOMPARE(inputs->itemText(15), QStringLiteral("LNB16"));

    PickEntry(inputs, 11);
    Tree()->setFocus();
    QCOMPARE(Record(0).switchInput, std::uint8_t{11});

    PickEntry(Combo(1063), 1);
    QCOMPARE(inputs->count(), 4);
    QCOMPARE(inputs->currentText(), QStringLiteral("LNB4"));
    QVERIFY(inputs->isEnabled());
    QCOMPARE(Record(0).switchType, std::uint8_t{1});
    QCOMPARE(Record(0).switchInput, std::uint8_t{3});

    PickEntry(Combo(1063), 0);
    QCOMPARE(Entries(inputs), QStringList({"LNB1"}));
    QCOMPARE(inputs->currentIndex(), 0);
    QVERIFY(!inputs->isEnabled());
    QCOMPARE(Record(0).switchType, std::uint8_t{0});
    QCOMPARE(Record(0).switchInput, std::uint8_t{0});

    // Leaving the combo commits it again, with the same result.
    Tree()->setFocus();
    QCOMPARE(Record(0).switchType, std::uint8_t{0});
    QCOMPARE(Record(0).switchInput, std::uint8_t{0});
}

void TestEditorSatellitePane::switchInputNotInListBlocksSwitchTypeChange() {
    Record(0).switchType = 1;
    Record(0).switchInput = 9;
    Show(0);
    QCOMPARE(Combo(1064)->count(), 4);
    QCOMPARE(Combo(1064)->currentIndex(), -1);
    PickEntry(Combo(1063), 2);
    Tree()->setFocus();
    QCOMPARE(Record(0).switchType, std::uint8_t{1});
    QCOMPARE(Record(0).switchInput, std::uint8_t{9});
    QCOMPARE(Combo(1064)->count(), 4);

    PickEntry(Combo(1064), 2);
    Tree()->setFocus();
    QCOMPARE(Record(0).switchInput, std::uint8_t{2});
    PickEntry(Combo(1063), 2);
    QCOMPARE(Record(0).switchType, std::uint8_t{2});
    QCOMPARE(Record(0).switchInput, std::uint8_t{2});
    QCOMPARE(Combo(1064)->count(), 16);
}

void TestEditorSatellitePane::optionCombosCommitOnLeaving() {
    Show(4);
    struct Case {
        int id;
        int entry;
        std::uint8_t SatelliteRecord::*field;
        std::uint8_t stored;
    };
    for (const Case& c : {Case{1058, 1, &SatelliteRecord::direction, kWest},
                          Case{1060, 1, &SatelliteRecord::lnbPower, 1},
                          Case{1060, 3, &SatelliteRecord::lnbPower, 3},
                          Case{1066, 2, &SatelliteRecord::positionType, 2},
                          Case{1066, 1, &SatelliteRecord::positionType, 1},
                          Case{1058, 0, &SatelliteRecord::direction, kEast}}) {
        const std::uint8_t before = Record(4).*c.field;
        PickEntry(Combo(c.id), c.entry);
        // Picking alone does not commit these combos; opening the list is not leaving them.
        QCOMPARE(Record(4).*c.field, before);
        Tree()->setFocus();
        QCOMPARE(Record(4).*c.field, c.stored);
    }
    Record(4).lnbType = 1;
    Show(5);
    Show(4);
    PickEntry(Combo(1065), 2);
    Edit(1057)->setFocus();
    QCOMPARE(Record(4).tone22k, std::uint8_t{2});
    QCOMPARE(Record(5).tone22k, std::uint8_t{0});
}

void TestEditorSatellitePane::typedComboTextIsNeverStored() {
    Show(0);
    QComboBox* direction = Combo(1058);
    direction->setFocus();
    direction->lineEdit()->selectAll();
    QTest::keyClicks(direction, "West");
    Tree()->setFocus();
    QCOMPARE(direction->currentIndex(), 0);
    QCOMPARE(Record(0).direction, kEast);

    QComboBox* power = Combo(1060);
    power->setFocus();
    power->lineEdit()->selectAll();
    QTest::keyClicks(power, "OFF");
    Tree()->setFocus();
    QCOMPARE(Record(0).lnbPower, std::uint8_t{2});
}

void TestEditorSatellitePane::codesOutsideTheListsShowNothingAndStay() {
    SatelliteRecord& record = Record(0);
    record.lnbType = 200;
    record.lnbPower = 9;
    record.tone22k = 7;
    record.positionType = 5;
    record.switchType = 4;
    record.switchInput = 20;
    Show(0);
    for (int id : {1059, 1060, 1065, 1063, 1064, 1066}) {
        QCOMPARE(Combo(id)->currentIndex(), -1);
        QCOMPARE(Combo(id)->currentText(), QString());
    }
    QVERIFY(!Combo(1064)->isEnabled());
    // Leaving each combo, or closing a list without a pick, keeps the stored codes.
    for (int id : {1060, 1065, 1063, 1066}) {
        Combo(id)->setFocus();
        Tree()->setFocus();
    }
    OpenAndCancel(Combo(1059));
    Tree()->setFocus();
    QCOMPARE(record.lnbType, std::uint8_t{200});
    QCOMPARE(record.lnbPower, std::uint8_t{9});
    QCOMPARE(record.tone22k, std::uint8_t{7});
    QCOMPARE(record.positionType, std::uint8_t{5});
    QCOMPARE(record.switchType, std::uint8_t{4});
    QCOMPARE(record.switchInput, std::uint8_t{20});
    // A pick stores the entry.
    PickEntry(Combo(1060), 0);
    Tree()->setFocus();
    QCOMPARE(record.lnbPower, std::uint8_t{0});
}

QTEST_MAIN(TestEditorSatellitePane)
#include "test_editor_satellite_pane.moc"
