// "Load Sat": satellites picked in the Satellite List dialog go whole into the first slots.
#include "EditorTestSupport.h"

#include "controls/ControlIds.h"

#include "model/DefaultSatellites.h"

#include <QListWidget>
#include <QScopeGuard>
#include <QTimer>

using namespace editortest;

class EditorLoadSatTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void buttonExistsButStaysHidden();
    void pickedRecordsReplaceTheFirstSlotsOnly();
    void cancelChangesNothing();

private:
    // Runs "Load Sat"; `act` works the Satellite List dialog once it is open.
    void LoadSat(const std::function<void(QDialog*)>& act);

    QTemporaryDir m_dir;
    FakePrompts m_prompts;
    CEditorDlg* m_window = nullptr;
};

void EditorLoadSatTest::init() {
    m_prompts.Reset();
    m_window = new CEditorDlg(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void EditorLoadSatTest::cleanup() {
    delete m_window;
    m_window = nullptr;
    QCOMPARE(m_prompts.Pending(), QString());
}

void EditorLoadSatTest::LoadSat(const std::function<void(QDialog*)>& act) {
    bool acted = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr && dialog != m_window);
        // Whatever happens below, the dialog must not stay open and hang the test.
        const auto closeAnyway = qScopeGuard([dialog] {
            if (dialog->isVisible()) {
                dialog->done(QDialog::Rejected);
            }
        });
        QCOMPARE(dialog->windowTitle(), QString("Satellite List"));
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        act(dialog);
        acted = !dialog->isVisible();
    });
    // The button is hidden, so no pointer can reach it; its command still runs.
    Ctl<QPushButton>(*m_window, 1055)->click();
    QVERIFY(acted);
}

void EditorLoadSatTest::buttonExistsButStaysHidden() {
    QPushButton* loadSat = Ctl<QPushButton>(*m_window, 1055);
    QVERIFY(loadSat != nullptr);
    QCOMPARE(loadSat->text(), QString("Load Sat"));
    QVERIFY(!loadSat->isVisible());
    OpenThrough(*m_window, m_prompts, WriteFile(m_dir, "m.bin", FreshBytes()));
    ClickNode(*m_window, SlotNode(*m_window, 3));
    ClickButton(*m_window, 1111);
    QVERIFY(!loadSat->isVisible());
}

void EditorLoadSatTest::pickedRecordsReplaceTheFirstSlotsOnly() {
    // Slots with odd bytes and letters that a load would have normalised: "Load Sat" must
    // neither normalise the picked records nor touch the slots after them.
    QByteArray bytes = FreshBytes();
    bytes[kSatCount] = 7;
    bytes[Slot(5) + 17] = 0x5A; // reserved17 of slot 5
    OpenThrough(*m_window, m_prompts, WriteFile(m_dir, "m.bin", bytes));
    const MeterImage before = m_window->Image();

    SatRecordList defaults;
    AddDefaultSatellites(defaults); // the library's order: "AfriSlar 1", "Amazonas", "Amos", ...
    m_prompts.questionAnswers.push_back(false); // "Do you save sat list?" before "OK": no
    LoadSat([&](QDialog* dialog) {
        FindControl<QPushButton>(dialog, 1099)->click(); // "Default"
        auto* library = FindControl<QListWidget>(dialog, 1053);
        for (int row : {35, 0, 35}) { // "Sky-l11", "AfriSlar 1", "Sky-l11" again
            QTRY_VERIFY(dialog->isActiveWindow());
            QCOMPARE(library->count(), 40);
            library->scrollToItem(library->item(row));
            QTest::mouseClick(library->viewport(), Qt::LeftButton, {},
                              library->visualItemRect(library->item(row)).center());
            QVERIFY(library->item(row)->isSelected());
            QTest::mouseClick(FindControl<QPushButton>(dialog, 1047), Qt::LeftButton);
        }
        QTest::mouseClick(FindControl<QPushButton>(dialog, 1), Qt::LeftButton);
    });
    QCOMPARE(m_prompts.questions, QStringList{"Do you save sat list?"});

    const SettingsBlock& block = m_window->Image().settingsBlock;
    QCOMPARE(NameText(block.satellites[0]), std::string("Sky-l11"));
    // Copied whole and not normalised: the third pick keeps 'v' and 'h'. The first is on
    // show, and showing a satellite repairs a polarization that is neither 'H' nor 'V'.
    QVERIFY(block.satellites[2] == defaults.GetAt(35));
    QCOMPARE(block.satellites[2].tps[0].polarization, std::uint8_t('v'));
    SatelliteRecord shownFirst = defaults.GetAt(35);
    shownFirst.tps[0].polarization = 'H';
    shownFirst.tps[1].polarization = 'H';
    QVERIFY(block.satellites[0] == shownFirst);
    QVERIFY(block.satellites[1] == defaults.GetAt(0));
    for (std::size_t slot = 3; slot < kMaxSatellites; ++slot) {
        QVERIFY(block.satellites[slot] == before.settingsBlock.satellites[slot]);
    }
    QCOMPARE(block.satCount, std::uint8_t(7));
    QVERIFY(m_window->Image().leadingImage == before.leadingImage);

    // The tree follows, and the first satellite is on show.
    QCOMPARE(SlotNode(*m_window, 0)->text(0), QString("Sky-l11"));
    QCOMPARE(SlotNode(*m_window, 1)->text(0), QString("AfriSlar 1"));
    QCOMPARE(SlotNode(*m_window, 3)->text(0), QString("Sat4"));
    QCOMPARE(Tree(*m_window)->currentItem(), SlotNode(*m_window, 0));
    QCOMPARE(m_window->m_curSat, std::int8_t(0));
}

void EditorLoadSatTest::cancelChangesNothing() {
    const MeterImage before = m_window->Image();
    QTreeWidgetItem* const shown = Tree(*m_window)->currentItem();
    LoadSat([&](QDialog* dialog) {
        QTest::mouseClick(FindControl<QPushButton>(dialog, 1052), Qt::LeftButton); // "Cancle"
    });
    QVERIFY(m_window->Image() == before);
    QCOMPARE(Tree(*m_window)->currentItem(), shown);
    QCOMPARE(m_window->m_curSat, std::int8_t(-1));
}

QTEST_MAIN(EditorLoadSatTest)
#include "test_editor_load_sat.moc"
