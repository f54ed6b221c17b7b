#include "library/CDropList.h"
#include "library/CSatEditDlg.h"
#include "tests/controls/FakePrompts.h"
#include "tests/library/DialogTestUtil.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

constexpr int kName = 1032, kTpNumber = 1043, kLongitude = 1028, kLocation = 1042, kLnbType = 1029,
              kLnbPower = 1033, kLow = 1016, kHigh = 1017, kSwitchType = 1022, kSwitchInput = 1023,
              kTone = 1024, kPositionType = 1025, kTpNo = 1030, kPolarity = 1031, kTpFreq = 1034,
              kSymbolRate = 1035, kOk = 1, kCancel = 1027;

QString Range(int low, int high) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high);
}

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->itemText(i);
    }
    return entries;
}

} // namespace

class TestSatEditDlg final : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void layoutAndCaptions();
    void openingKeepsTransponderCount_data();
    void openingKeepsTransponderCount();
    void renamingEightTransponderSatelliteKeepsAll();
    void freshSatelliteConfirmedAtOnce();
    void openingShowsSwitchInputAndLnbEnables();
    void nameBoxRules();
    void frequencyBoxesCapAndReportRange();
    void symbolRateClampsBothWays();
    void lnbPresetsShowWithoutStoring();
    void switchTypeRefillsInputs();
    void tpNumberAndTpNoSelectTransponders();
    void leavingChoiceListsStoresCodes();
    void keyboardChoiceTakenWhenListIsLeft();
    void confirmBlockedUntilSymbolRateInRange();
    void confirmTakesTheFocusedBox();
    void escapeCancels();
    void confirmTakesBoxesTypedWithoutFocus();

private:
    CSatEditDlg& Open(const SatelliteRecord& record);
    QLineEdit* Box(int id) const { return ControlById<QLineEdit>(m_dlg.get(), id); }
    CDropList* List(int id) const { return ControlById<CDropList>(m_dlg.get(), id); }
    void Type(int id, const QString& text);
    void LeaveTo(int id);
    void Choose(int id, int entry);
    void ClickOk();

    FakePrompts m_prompts;
    std::unique_ptr<CSatEditDlg> m_dlg;
};

CSatEditDlg& TestSatEditDlg::Open(const SatelliteRecord& record) {
    m_dlg = std::make_unique<CSatEditDlg>(record, m_prompts);
    m_dlg->show();
    if (!QTest::qWaitForWindowActive(m_dlg.get()) ||
        !QTest::qWaitFor([this] { return m_dlg->isActiveWindow(); })) {
        qFatal("the dialog did not become active");
    }
    return *m_dlg;
}

void TestSatEditDlg::cleanup() {
    const QString pending = m_prompts.Pending();
    m_prompts.Reset();
    if (m_dlg) {
        m_dlg->close();
        m_dlg.reset();
    }
    QVERIFY2(pending.isEmpty(), qPrintable(pending));
}

// Replaces the box's text by typing, as a user would.
void TestSatEditDlg::Type(int id, const QString& text) {
    QLineEdit* box = Box(id);
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(box->hasFocus());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    // Key events carry the text, so letters beyond ASCII can be typed too.
    for (const QChar letter : text) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(letter), Qt::NoModifier);
    }
}

// Leaves the focused control by clicking into another box.
void TestSatEditDlg::LeaveTo(int id) {
    QTest::mouseClick(Box(id), Qt::LeftButton);
    QVERIFY(Box(id)->hasFocus());
}

// Opens the list's pop-up, highlights the entry and takes it with Return.
void TestSatEditDlg::Choose(int id, int entry) {
    CDropList* list = List(id);
    list->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(list, Qt::Key_F4);
    QTRY_VERIFY(list->view()->isVisible());
    list->view()->setCurrentIndex(list->model()->index(entry, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QTRY_VERIFY(!list->view()->isVisible());
    QCOMPARE(list->currentIndex(), entry);
}

void TestSatEditDlg::ClickOk() {
    QTest::mouseClick(ControlById<QPushButton>(m_dlg.get(), kOk), Qt::LeftButton);
}

void TestSatEditDlg::layoutAndCaptions() {
    CSatEditDlg& dlg = Open(MakeNewSatellite("Astra"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Edit Satellite"));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    const QList<std::pair<int, const char*>> labelled = {{kName, "Satellite Name :"},
                                                         {kTpNumber, "TP Number :"},
                                                         {kLongitude, "Longitude :"},
                                                         {kLocation, "Location :"},
                                                         {kLnbType, "Lnb Type :"},
                                                         {kLnbPower, "Lnb Power :"},
                                                         {kLow, "Low Frequency :"},
                                                         {kHigh, "High Frequency :"},
                                                         {kSwitchType, "Switch Type :"},
                                                         {kSwitchInput, "Switch Input :"},
                                                         {kTone, "22 KHz :"},
                                                         {kPositionType, "Position Type :"},
                                                         {kTpNo, "TP No :"},
                                                         {kPolarity, "Polarit :"},
                                                         {kTpFreq, "Frequency(MHz) :"},
                                                         {kSymbolRate, "Symbol Rate :"}};
    for (const auto& [id, label] : labelled) {
        QWidget* control = ControlById<QWidget>(&dlg, id);
        QVERIFY2(control, label);
        QCOMPARE(control->accessibleName(), QString::fromLatin1(label));
    }
    for (int id : {kTpNumber, kLocation, kLnbType, kLnbPower, kSwitchType, kSwitchInput, kTone,
                   kPositionType, kTpNo, kPolarity}) {
        QVERIFY(!List(id)->isEditable());
    }
    QCOMPARE(ControlById<QPushButton>(&dlg, kOk)->text(), QStringLiteral("OK"));
    QVERIFY(ControlById<QPushButton>(&dlg, kOk)->isDefault());
    QCOMPARE(ControlById<QPushButton>(&dlg, kCancel)->text(), QStringLiteral("Cancel"));
    QCOMPARE(Entries(List(kTpNumber)).last(), QStringLiteral("8"));

    // Digit boxes take digits only.
    Type(kLongitude, QStringLiteral("1a2-3 "));
    QCOMPARE(Box(kLongitude)->text(), QStringLiteral("123"));
}

void TestSatEditDlg::openingKeepsTransponderCount_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("8 kept") << 8 << 8;
    QTest::newRow("3 kept") << 3 << 3;
    QTest::newRow("1 kept") << 1 << 1;
    QTest::newRow("0 becomes 1") << 0 << 1;
    QTest::newRow("9 becomes 1") << 9 << 1;
    QTest::newRow("200 becomes 1") << 200 << 1;
}

void TestSatEditDlg::openingKeepsTransponderCount() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    SatelliteRecord record = MakeNewSatellite("Hotbird");
    record.tpCount = static_cast<std::uint8_t>(stored);
    record.reserved27 = 0x5A;
    for (std::size_t k = 0; k < kMaxTps; ++k) {
        record.tps[k] = {static_cast<std::uint16_t>(20000 + k),
                         static_cast<std::uint16_t>(11000 + k), k % 2 ? kVertical : kHorizontal, 0};
    }
    CSatEditDlg& dlg = Open(record);
    QCOMPARE(List(kTpNumber)->currentText(), QString::number(shown));
    QCOMPARE(List(kTpNo)->count(), shown);
    QCOMPARE(List(kTpNo)->currentText(), QStringLiteral("TP No1"));
    QCOMPARE(Box(kTpFreq)->text(), QStringLiteral("11000"));
    QCOMPARE(Box(kSymbolRate)->text(), QStringLiteral("20000"));
    ClickOk();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    SatelliteRecord expected = record;
    expected.tpCount = static_cast<std::uint8_t>(shown);
    expected.reserved27 = 0;
    QCOMPARE(dlg.GetRecord(), expected);
}

void TestSatEditDlg::renamingEightTransponderSatelliteKeepsAll() {
    SatelliteRecord record = MakeNewSatellite("Old");
    for (std::size_t k = 0; k < kMaxTps; ++k) {
        record.tps[k].frequency = static_cast<std::uint16_t>(12000 + k);
    }
    CSatEditDlg& dlg = Open(record);
    Type(kName, QStringLiteral("New name"));
    ClickOk();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(NameText(dlg.GetRecord()), std::string("New name"));
    QCOMPARE(int(dlg.GetRecord().tpCount), 8);
    QCOMPARE(dlg.GetRecord().tps, record.tps);
}

void TestSatEditDlg::freshSatelliteConfirmedAtOnce() {
    CSatEditDlg& dlg = Open(MakeNewSatellite("Satellite00"));
    QCOMPARE(Box(kName)->text(), QStringLiteral("Satellite00"));
    QCOMPARE(List(kLnbType)->currentText(), QStringLiteral("Universal"));
    QCOMPARE(List(kLnbPower)->currentText(), QStringLiteral("AUTO"));
    QCOMPARE(List(kSwitchInput)->count(), 1);
    QVERIFY(!List(kSwitchInput)->isEnabled());
    ClickOk();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.GetRecord(), MakeNewSatellite("Satellite00"));
}

void TestSatEditDlg::openingShowsSwitchInputAndLnbEnables() {
    SatelliteRecord record = MakeNewSatellite("S");
    record.switchType = 2;
    record.switchInput = 9;
    record.lnbType = 7; // UNICABLE_A1: the tone list stays enabled at opening
    Open(record);
    QCOMPARE(List(kSwitchInput)->count(), 16);
    QCOMPARE(List(kSwitchInput)->currentText(), QStringLiteral("LNB10"));
    QVERIFY(List(kSwitchInput)->isEnabled());
    QVERIFY(!Box(kLow)->isEnabled());
    QVERIFY(!Box(kHigh)->isEnabled());
    QVERIFY(List(kTone)->isEnabled());
    m_dlg.reset();

    record.lnbType = 0;
    record.switchType = 7; // unknown: three inputs, none shown beyond them
    record.switchInput = 5;
    Open(record);
    QVERIFY(!List(kTone)->isEnabled());
    QCOMPARE(List(kSwitchInput)->count(), 3);
    QCOMPARE(List(kSwitchInput)->currentIndex(), -1);
    QCOMPARE(List(kSwitchType)->currentIndex(), -1);
    m_dlg.reset();

    record.lnbType = 200; // unknown type: all three controls as created
    record.lnbLowFreq = 5000;
    Open(record);
    QCOMPARE(List(kLnbType)->currentIndex(), -1);
    QVERIFY(Box(kLow)->isEnabled() && Box(kHigh)->isEnabled() && List(kTone)->isEnabled());
    QCOMPARE(Box(kLow)->text(), QStringLiteral("5000"));
}

void TestSatEditDlg::nameBoxRules() {
    CSatEditDlg& dlg = Open(MakeNewSatellite("Before"));
    Type(kName, QStringLiteral("Astra   "));
    LeaveTo(kLongitude);
    QCOMPARE(NameText(dlg.GetRecord()), std::string("Astra"));
    QCOMPARE(Box(kName)->text(), QStringLiteral("Astra"));

    // Latin-1 letters are stored as their single byte; anything beyond Latin-1 is refused.
    Type(kName, QString::fromUtf8("Türksat\u20AC"));
    QCOMPARE(Box(kName)->text(), QString::fromUtf8("Türksat"));
    LeaveTo(kLongitude);
    QCOMPARE(NameText(dlg.GetRecord()), std::string("T\xFCrksat"));

    Type(kName, QStringLiteral("ABCDEFGHIJKLMN"));
    QCOMPARE(Box(kName)->text(), QStringLiteral("ABCDEFGHIJK"));

    Type(kName, QStringLiteral("   "));
    LeaveTo(kLongitude);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{"Satellite's name can not be empty!"});
    QCOMPARE(NameText(dlg.GetRecord()), std::string("T\xFCrksat"));
    QCOMPARE(Box(kName)->text(), QString());

    // Confirming with the empty name is refused too and keeps the dialog open.
    ClickOk();
    QCOMPARE(m_prompts.TakeMessages(), QStringList{"Satellite's name can not be empty!"});
    QVERIFY(dlg.isVisible());
    Type(kName, QStringLiteral("Badr"));
    ClickOk();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(NameText(dlg.GetRecord()), std::string("Badr"));
}

void TestSatEditDlg::frequencyBoxesCapAndReportRange() {
    SatelliteRecord record = MakeNewSatellite("C");
    record.lnbType = kLnbCustomized;
    CSatEditDlg& dlg = Open(record);
    QVERIFY(Box(kLow)->isEnabled());

    Type(kLow, QStringLiteral("15000"));
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().lnbLowFreq, std::uint16_t(12750));
    QCOMPARE(Box(kLow)->text(), QStringLiteral("12750"));

    Type(kHigh, QStringLiteral("25000"));
    LeaveTo(kName);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(0, 20000)});
    QCOMPARE(dlg.GetRecord().lnbHighFreq, std::uint16_t(12750));

    Type(kLongitude, QStringLiteral("2000"));
    LeaveTo(kName);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(0, 1800)});
    QCOMPARE(dlg.GetRecord().longitude, std::uint16_t(1800));

    Type(kTpFreq, QStringLiteral("99999"));
    LeaveTo(kName);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(0, 20000)});
    QCOMPARE(dlg.GetRecord().tps[0].frequency, std::uint16_t(20000));
    QCOMPARE(dlg.GetRecord().tps[1].frequency, kFreshTp.frequency);

    // An emptied box is reported and keeps its value.
    Type(kLongitude, QString());
    LeaveTo(kName);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(0, 1800)});
    QCOMPARE(dlg.GetRecord().longitude, std::uint16_t(1800));
    QCOMPARE(Box(kLongitude)->text(), QStringLiteral("1800"));
}

void TestSatEditDlg::symbolRateClampsBothWays() {
    CSatEditDlg& dlg = Open(MakeNewSatellite("S"));
    Type(kSymbolRate, QStringLiteral("1000"));
    LeaveTo(kName);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(2000, 45000)});
    QCOMPARE(dlg.GetRecord().tps[0].symbolRate, std::uint16_t(2000));
    QCOMPARE(Box(kSymbolRate)->text(), QStringLiteral("2000"));

    Type(kSymbolRate, QStringLiteral("50000"));
    LeaveTo(kName);
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(2000, 45000)});
    QCOMPARE(dlg.GetRecord().tps[0].symbolRate, std::uint16_t(45000));

    Type(kSymbolRate, QStringLiteral("45000"));
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().tps[0].symbolRate, std::uint16_t(45000));
    Type(kSymbolRate, QStringLiteral("2000"));
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().tps[0].symbolRate, std::uint16_t(2000));
}

void TestSatEditDlg::lnbPresetsShowWithoutStoring() {
    SatelliteRecord record = MakeNewSatellite("L");
    record.lnbLowFreq = 1111;
    record.lnbHighFreq = 2222;
    CSatEditDlg& dlg = Open(record);
    QVERIFY(!List(kTone)->isEnabled());
    QCOMPARE(Box(kLow)->text(), QStringLiteral("1111")); // stored values at opening

    Choose(kLnbType, 1); // OCS
    QCOMPARE(dlg.GetRecord().lnbType, std::uint8_t(1));
    QCOMPARE(Box(kLow)->text(), QStringLiteral("5150"));
    QCOMPARE(Box(kHigh)->text(), QStringLiteral("5750"));
    QVERIFY(!Box(kLow)->isEnabled() && !Box(kHigh)->isEnabled());
    QVERIFY(List(kTone)->isEnabled());
    QCOMPARE(dlg.GetRecord().lnbLowFreq, std::uint16_t(1111));
    QCOMPARE(dlg.GetRecord().lnbHighFreq, std::uint16_t(2222));

    Choose(kLnbType, 9); // UNICABLE_B1 disables the tone list when chosen
    QVERIFY(!List(kTone)->isEnabled());
    QCOMPARE(Box(kHigh)->text(), QStringLiteral("10600"));

    Choose(kLnbType, 11); // Customized shows the record's own values
    QVERIFY(Box(kLow)->isEnabled() && Box(kHigh)->isEnabled() && List(kTone)->isEnabled());
    QCOMPARE(Box(kLow)->text(), QStringLiteral("1111"));
    QCOMPARE(Box(kHigh)->text(), QStringLiteral("2222"));

    // Escape closes the pop-up without a choice; the shown type is applied again.
    Choose(kLnbType, 8);
    QCOMPARE(Box(kLow)->text(), QStringLiteral("0"));
    CDropList* list = List(kLnbType);
    QTest::keyClick(list, Qt::Key_F4);
    QTRY_VERIFY(list->view()->isVisible());
    list->view()->setCurrentIndex(list->model()->index(3, 0));
    QTest::keyClick(list->view(), Qt::Key_Escape);
    QTRY_VERIFY(!list->view()->isVisible());
    QCOMPARE(list->currentIndex(), 8);
    QCOMPARE(dlg.GetRecord().lnbType, std::uint8_t(8));

    ClickOk();
    QCOMPARE(dlg.GetRecord().lnbType, std::uint8_t(8));
    QCOMPARE(dlg.GetRecord().lnbLowFreq, std::uint16_t(1111));
}

void TestSatEditDlg::switchTypeRefillsInputs() {
    SatelliteRecord record = MakeNewSatellite("D");
    record.switchType = 2;
    record.switchInput = 11; // LNB12
    CSatEditDlg& dlg = Open(record);
    QCOMPARE(List(kSwitchInput)->currentText(), QStringLiteral("LNB12"));

    Choose(kSwitchType, 1);
    QCOMPARE(List(kSwitchInput)->count(), 4);
    QCOMPARE(List(kSwitchInput)->currentText(), QStringLiteral("LNB4"));
    QCOMPARE(dlg.GetRecord().switchInput, std::uint8_t(3));
    QCOMPARE(dlg.GetRecord().switchType, std::uint8_t(1));
    QVERIFY(List(kSwitchInput)->isEnabled());

    Choose(kSwitchType, 2);
    QCOMPARE(List(kSwitchInput)->count(), 16);
    QCOMPARE(List(kSwitchInput)->currentText(), QStringLiteral("LNB4"));

    Choose(kSwitchType, 0);
    QCOMPARE(Entries(List(kSwitchInput)), QStringList{"LNB1"});
    QVERIFY(!List(kSwitchInput)->isEnabled());
    QCOMPARE(dlg.GetRecord().switchInput, std::uint8_t(0));
    QCOMPARE(dlg.GetRecord().switchType, std::uint8_t(0));
}

void TestSatEditDlg::tpNumberAndTpNoSelectTransponders() {
    SatelliteRecord record = MakeNewSatellite("T");
    record.tpCount = 1;
    record.tps[2] = {3333, 4444, kVertical, 0};
    CSatEditDlg& dlg = Open(record);
    QCOMPARE(List(kTpNo)->count(), 1);

    Choose(kTpNumber, 7);
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().tpCount, std::uint8_t(8));
    QCOMPARE(Entries(List(kTpNo)).size(), 8);
    QCOMPARE(Entries(List(kTpNo)).last(), QStringLiteral("TP No8"));
    QCOMPARE(List(kTpNo)->currentText(), QStringLiteral("TP No1"));

    Choose(kTpNo, 2);
    QCOMPARE(List(kPolarity)->currentText(), QStringLiteral("Vertical"));
    QCOMPARE(Box(kTpFreq)->text(), QStringLiteral("4444"));
    QCOMPARE(Box(kSymbolRate)->text(), QStringLiteral("3333"));

    // The boxes and the polarization list now change transponder 3.
    Type(kTpFreq, QStringLiteral("12345"));
    LeaveTo(kName);
    Choose(kPolarity, 0);
    QCOMPARE(dlg.GetRecord().tps[2].frequency, std::uint16_t(12345));
    QCOMPARE(dlg.GetRecord().tps[2].polarization, kHorizontal);
    QCOMPARE(dlg.GetRecord().tps[0], kFreshTp);

    // Leaving "TP Number :" again starts over at transponder 1.
    Choose(kTpNumber, 3);
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().tpCount, std::uint8_t(4));
    QCOMPARE(List(kTpNo)->count(), 4);
    QCOMPARE(Box(kTpFreq)->text(), QString::number(kFreshTp.frequency));
}

void TestSatEditDlg::leavingChoiceListsStoresCodes() {
    SatelliteRecord record = MakeNewSatellite("E");
    record.lnbType = 1; // tone list enabled
    CSatEditDlg& dlg = Open(record);
    Choose(kLocation, 1);
    QCOMPARE(dlg.GetRecord().direction, kEast); // stored on leaving, not on closing
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().direction, kWest);

    Choose(kLnbPower, 3);
    Choose(kTone, 2);
    Choose(kPositionType, 1);
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().lnbPower, std::uint8_t(3));
    QCOMPARE(dlg.GetRecord().tone22k, std::uint8_t(2));
    QCOMPARE(dlg.GetRecord().positionType, std::uint8_t(1));
}

void TestSatEditDlg::keyboardChoiceTakenWhenListIsLeft() {
    SatelliteRecord record = MakeNewSatellite("K");
    record.tps[0].polarization = 'h'; // shown as "Vertical", kept unless changed
    CSatEditDlg& dlg = Open(record);

    List(kPolarity)->setFocus(Qt::TabFocusReason);
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().tps[0].polarization, std::uint8_t('h'));

    List(kLnbType)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(List(kLnbType), Qt::Key_Down);
    QCOMPARE(List(kLnbType)->currentIndex(), 1);
    LeaveTo(kName);
    QCOMPARE(dlg.GetRecord().lnbType, std::uint8_t(1));
    QCOMPARE(Box(kLow)->text(), QStringLiteral("5150"));

    List(kPolarity)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(List(kPolarity), Qt::Key_Up);
    ClickOk();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.GetRecord().tps[0].polarization, kHorizontal);
}

void TestSatEditDlg::confirmBlockedUntilSymbolRateInRange() {
    SatelliteRecord record = MakeNewSatellite("AfriSlar 1");
    record.tps[0].symbolRate = 1840;
    CSatEditDlg& dlg = Open(record);
    QVERIFY(Box(kName)->hasFocus());
    // Leaving the name box checks every box as well, so the range is reported twice.
    ClickOk();
    QCOMPARE(m_prompts.TakeMessages(), QStringList({Range(2000, 45000), Range(2000, 45000)}));
    QVERIFY(dlg.isVisible());
    QVERIFY(Box(kSymbolRate)->hasFocus());
    QCOMPARE(dlg.GetRecord().tps[0].symbolRate, std::uint16_t(1840));

    QTest::keyClick(Box(kSymbolRate), Qt::Key_Backspace);
    QTest::keyClicks(Box(kSymbolRate), QStringLiteral("2050"));
    ClickOk();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.GetRecord().tps[0].symbolRate, std::uint16_t(2050));
}

void TestSatEditDlg::confirmTakesTheFocusedBox() {
    CSatEditDlg& dlg = Open(MakeNewSatellite("F"));
    Type(kLongitude, QStringLiteral("1234"));
    QTest::keyClick(Box(kLongitude), Qt::Key_Return); // Enter confirms without leaving first
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.GetRecord().longitude, std::uint16_t(1234));
}

void TestSatEditDlg::escapeCancels() {
    CSatEditDlg& dlg = Open(MakeNewSatellite("G"));
    Type(kLongitude, QStringLiteral("5000"));
    QTest::keyClick(Box(kLongitude), Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.GetRecord().longitude, std::uint16_t(0));
}

void TestSatEditDlg::confirmTakesBoxesTypedWithoutFocus() {
    // Never shown, so no box ever gains or loses the focus.
    m_dlg = std::make_unique<CSatEditDlg>(MakeNewSatellite("Hidden"), m_prompts);
    QTest::keyClick(Box(kName), Qt::Key_Backspace);
    QTest::keyClick(Box(kSymbolRate), Qt::Key_End);
    QTest::keyClicks(Box(kSymbolRate), QStringLiteral("0"));
    QCOMPARE(Box(kSymbolRate)->text(), QStringLiteral("106000"));
    ControlById<QPushButton>(m_dlg.get(), kOk)->click();
    QCOMPARE(m_prompts.TakeMessages(), QStringList{Range(2000, 45000)});
    Box(kSymbolRate)->setText(QStringLiteral("999"));
    QTest::keyClicks(Box(kSymbolRate), QStringLiteral("9"));
    ControlById<QPushButton>(m_dlg.get(), kOk)->click();
    QCOMPARE(m_dlg->result(), int(QDialog::Accepted));
    QCOMPARE(NameText(m_dlg->GetRecord()), std::string("Hidde"));
    QCOMPARE(m_dlg->GetRecord().tps[0].symbolRate, std::uint16_t(9999));
}

QTEST_MAIN(TestSatEditDlg)
#include "test_sat_edit_dlg.moc"
