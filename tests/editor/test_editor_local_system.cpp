// The Local Position and System Setting panes: clamps, letters, option indexes and radios.

#include "EditorTestSupport.h"

#include <QRadioButton>

#include <memory>

using namespace editortest;

class TestEditorLocalSystem : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void localNumbersClampWithRangeMessage();
    void localLettersShowAndStore();
    void radiosStoreTheirGroupOnly();
    void radioClickStoresTheClickedChoiceWhenAnEarlierFieldIsRefused();
    void systemCombosStoreEntryIndex();
    void storedIndexOutsideTheListShowsNothingAndStays();

private:
    CEditorDlg& W() { return *m_window; }
    LocalPosition& Local() { return W().Image().settingsBlock.localPosition; }
    QLineEdit* Edit(int id) { return Ctl<QLineEdit>(W(), id); }
    QComboBox* Combo(int id) { return Ctl<QComboBox>(W(), id); }
    QWidget* Tree() { return W().Control(1043); }

    FakePrompts m_prompts;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorLocalSystem::init() {
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorLocalSystem::cleanup() {
    m_window->close();
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

void TestEditorLocalSystem::localNumbersClampWithRangeMessage() {
    ClickNode(W(), Root(W())->child(1));
    TypeAndLeave(Edit(1080), "2000", Tree());
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 1800."}));
    QCOMPARE(Edit(1080)->text(), QStringLiteral("1800"));
    QCOMPARE(Local().longitude, std::uint16_t{1800});
    QVERIFY(Edit(1080)->hasFocus());

    TypeAndLeave(Edit(1077), "901", Tree());
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Please enter an integer between 0 and 900."}));
    QCOMPARE(Local().latitude, std::uint16_t{900});
    TypeAndLeave(Edit(1077), "455", Tree());
    QCOMPARE(Local().latitude, std::uint16_t{455});
    QCOMPARE(Local().longitude, std::uint16_t{1800});

    TypeAndLeave(Edit(1077), "", Tree());
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"Please enter an integer."}));
    QCOMPARE(Edit(1077)->text(), QStringLiteral("455"));
    QCOMPARE(Local().latitude, std::uint16_t{455});
}

void TestEditorLocalSystem::localLettersShowAndStore() {
    Local().longitudeDir = 'Q';
    Local().latitudeDir = 'N';
    ClickNode(W(), Root(W())->child(1));
    QCOMPARE(Combo(1078)->currentText(), QStringLiteral("West"));
    QCOMPARE(Combo(1079)->currentText(), QStringLiteral("North"));
    QCOMPARE(Local().longitudeDir, std::uint8_t{'Q'});
    // Leaving the combo stores the letter it shows.
    Combo(1078)->setFocus();
    Tree()->setFocus();
    QCOMPARE(Local().longitudeDir, kWest);

    PickEntry(Combo(1079), 1);
    QCOMPARE(Local().latitudeDir, kNorth);
    Edit(1077)->setFocus();
    QCOMPARE(Local().latitudeDir, kSouth);
    PickEntry(Combo(1078), 0);
    Tree()->setFocus();
    QCOMPARE(Local().longitudeDir, kEast);
}

void TestEditorLocalSystem::radiosStoreTheirGroupOnly() {
    ClickNode(W(), Root(W())->child(0));
    QTest::mouseClick(W().Control(1104), Qt::LeftButton);
    QCOMPARE(W().Image().systemSetting.beep, std::uint8_t{1});
    QCOMPARE(W().Image().systemSetting.backlight, std::uint8_t{0});
    QTest::mouseClick(W().Control(1106), Qt::LeftButton);
    QCOMPARE(W().Image().systemSetting.backlight, std::uint8_t{1});
    QCOMPARE(W().Image().systemSetting.beep, std::uint8_t{1});
    QVERIFY(Ctl<QRadioButton>(W(), 1104)->isChecked());
    QVERIFY(!Ctl<QRadioButton>(W(), 1101)->isChecked());
}

void TestEditorLocalSystem::radioClickStoresTheClickedChoiceWhenAnEarlierFieldIsRefused() {
    // A satellite longitude out of range from a file stops every exchange before the radios.
    W().Image().settingsBlock.satellites[0].longitude = 5000;
    ClickNode(W(), SlotNode(W(), 0));
    ClickNode(W(), Root(W())->child(0));
    QTest::mouseClick(W().Control(1104), Qt::LeftButton);
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 1800."}));
    // What is stored matches the button the user checked.
    QVERIFY(Ctl<QRadioButton>(W(), 1104)->isChecked());
    QCOMPARE(W().Image().systemSetting.beep, std::uint8_t{1});
}

void TestEditorLocalSystem::systemCombosStoreEntryIndex() {
    ClickNode(W(), Root(W())->child(0));
    PickEntry(Combo(1103), 3);
    QCOMPARE(W().Image().systemSetting.autoPowerOff, std::uint8_t{0});
    Tree()->setFocus();
    QCOMPARE(W().Image().systemSetting.autoPowerOff, std::uint8_t{3});

    W().Image().systemSetting.language = 0;
    PickEntry(Combo(1102), 0);
    Tree()->setFocus();
    QCOMPARE(W().Image().systemSetting.language, std::uint8_t{0});
}

void TestEditorLocalSystem::storedIndexOutsideTheListShowsNothingAndStays() {
    W().Image().systemSetting = {0, 0, 9, 4};
    ClickNode(W(), Root(W())->child(0));
    QCOMPARE(Combo(1103)->currentIndex(), -1);
    QCOMPARE(Combo(1102)->currentIndex(), -1);
    Combo(1103)->setFocus();
    Combo(1102)->setFocus();
    Tree()->setFocus();
    QCOMPARE(W().Image().systemSetting.autoPowerOff, std::uint8_t{9});
    QCOMPARE(W().Image().systemSetting.language, std::uint8_t{4});
    PickEntry(Combo(1102), 0);
    Tree()->setFocus();
    QCOMPARE(W().Image().systemSetting.language, std::uint8_t{0});
}

QTEST_MAIN(TestEditorLocalSystem)
#include "test_editor_local_system.moc"
