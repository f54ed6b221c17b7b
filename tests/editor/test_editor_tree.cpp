// Start-up, the navigation tree and what each node shows; keys that must not close the window;
// the About command of the window's own menu.

#include "EditorTestSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

#include <memory>

using namespace editortest;

class TestEditorTree : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpShowsUnfilledSystemSettingPane();
    void treeHoldsFixedNodesWithItemData();
    void everyLayoutControlCarriesItsId();
    void systemSettingNodeShowsStoredValues();
    void localPositionNodeSwitchesPanes();
    void satelliteNodeShowsSlot();
    void rootAndSatelliteListDisableThePane();
    void slotsNotInUseAreDisabled();
    void slotsNotInUseWithNoSatellites();
    void satelliteNamedLikeAFixedNodeIsNotShown();
    void countsBeyondTheArraysStopAtTheLastSlot();
    void radiosWorkBeforeAnySelection();
    void enterAndEscapeNeverCloseTheWindow();
    void exitAndCloseBoxClose();
    void aboutCommandOpensAboutBox();
    void emptyAboutTextAddsNoCommand();

private:
    void Restart();

    FakePrompts m_prompts;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorTree::init() {
    Restart();
}

void TestEditorTree::Restart() {
    m_window.reset();
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorTree::cleanup() {
    if (m_window) {
        m_window->close();
        m_window.reset();
    }
    CEditorDlg::SetAboutCommandText(QStringLiteral("&About orvex..."));
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

void TestEditorTree::startUpShowsUnfilledSystemSettingPane() {
    CEditorDlg& w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("ORVEX"));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.m_curSat, std::int8_t{-1});
    QCOMPARE(w.m_listRow, -1);
    QVERIFY(!w.m_rowClicked);

    QVERIFY(w.Image() == FreshMeterImage());
    QVERIFY(Tree(w)->selectedItems().isEmpty());

    for (int id : {1107, 1096, 1101, 1104, 1103, 1102}) {
        QVERIFY2(w.Control(id)->isVisible(), qPrintable(QString::number(id)));
    }
    for (int id : {1075, 1073, 1066, 1070, 1067, 1005, 1092, 1080, 1079, 1055}) {
        QVERIFY2(!w.Control(id)->isVisible(), qPrintable(QString::number(id)));
    }
    QVERIFY(Ctl<QRadioButton>(w, 1101)->isChecked());
    QVERIFY(!Ctl<QRadioButton>(w, 1104)->isChecked());
    QVERIFY(Ctl<QRadioButton>(w, 1105)->isChecked());
    QCOMPARE(Ctl<QLineEdit>(w, 1080)->text(), QStringLiteral("0"));

    // The fixed lists in their order, nothing chosen; "Switch Input" stays empty.
    const auto entries = [&](int id) {
        return Entries(Ctl<QComboBox>(w, id));
    };
    QCOMPARE(entries(1103), QStringList({"OFF", "10min", "20min", "30min", "60min"}));
    QCOMPARE(entries(1102), QStringList({"English"}));
    QCOMPARE(entries(1058), QStringList({"East", "West"}));
    QCOMPARE(entries(1059).size(), 12);
    QCOMPARE(entries(1059).first(), QStringLiteral("Universal"));
    QCOMPARE(entries(1059).last(), QStringLiteral("Customized"));
    QCOMPARE(entries(1060), QStringList({"18V", "13V", "AUTO", "OFF"}));
    QCOMPARE(entries(1065), QStringList({"AUTO", "OFF", "ON"}));
    QCOMPARE(entries(1063), QStringList({"None", "DiSEQC1.0", "DiSEQC1.1"}));
    QCOMPARE(entries(1066), QStringList({"Fixed", "USALS", "DiSEQC1.2"}));
    QCOMPARE(entries(1067), QStringList({"Horizontal", "Vertical"}));
    QCOMPARE(entries(1078), QStringList({"East", "West"}));
    QCOMPARE(entries(1079), QStringList({"North", "South"}));
    QCOMPARE(entries(1064), QStringList());
    for (int id : {1103, 1102, 1058, 1059, 1060, 1065, 1063, 1066, 1067, 1078, 1079}) {
        auto* combo = Ctl<QComboBox>(w, id);
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->currentText(), QString());
    }

    auto* list = Ctl<QTableWidget>(w, 1001);
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(list->columnCount(), 4);
    QStringList headers;
    for (int column = 0; column < 4; ++column) {
        headers << list->horizontalHeaderItem(column)->text();
    }
    QCOMPARE(headers, QStringList({"No", "Freq", "Pol", "SR"}));
    QCOMPARE(list->columnWidth(0), 30);
    QCOMPARE(list->columnWidth(1), 90);
    QCOMPARE(list->columnWidth(3), 90);
    QVERIFY(list->showGrid());
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
}

void TestEditorTree::treeHoldsFixedNodesWithItemData() {
    CEditorDlg& w = *m_window;
    QCOMPARE(Tree(w)->topLevelItemCount(), 1);
    QTreeWidgetItem* root = Root(w);
    const auto data = [](QTreeWidgetItem* item) {
        return item->data(0, Qt::UserRole).toInt();
    };
    QCOMPARE(root->text(0), QStringLiteral("Kavra-Q4"));
    QCOMPARE(data(root), 0);
    QCOMPARE(root->childCount(), 3);
    QCOMPARE(root->child(0)->text(0), QStringLiteral("System Setting"));
    QCOMPARE(data(root->child(0)), 1);
    QCOMPARE(root->child(1)->text(0), QStringLiteral("Local Position"));
    QCOMPARE(data(root->child(1)), 2);
    QCOMPARE(root->child(2)->text(0), QStringLiteral("Satellite List"));
    QCOMPARE(data(root->child(2)), 19);
    QCOMPARE(SatelliteList(w)->childCount(), 20);
    for (int slot = 0; slot < 20; ++slot) {
        QCOMPARE(SlotNode(w, slot)->text(0), QStringLiteral("Sat%1").arg(slot + 1));
        QCOMPARE(data(SlotNode(w, slot)), 20 * (slot + 1));
        QCOMPARE(SlotNode(w, slot)->childCount(), 0);
    }
}

void TestEditorTree::everyLayoutControlCarriesItsId() {
    CEditorDlg& w = *m_window;
    const QList<int> ids = {1043, 1075, 1070, 1092, 1107, 1001, 1055, 1008, 1009, 1011, 1108,
                            1111, 1049, 1109, 1005, 1076, 1073, 1081, 1057, 1082, 1058, 1083,
                            1059, 1084, 1060, 1085, 1061, 1086, 1062, 1087, 1063, 1088, 1064,
                            1089, 1065, 1090, 1066, 1071, 1067, 1072, 1068, 1074, 1069, 1091,
                            1080, 1093, 1078, 1094, 1077, 1095, 1079, 1096, 1101, 1104, 1097,
                            1105, 1106, 1098, 1103, 1099, 1102};
    for (int id : ids) {
        QWidget* control = w.Control(id);
        QVERIFY2(control != nullptr, qPrintable(QString::number(id)));
        QCOMPARE(control->property("controlId").toInt(), id);
        QCOMPARE(control->parentWidget(), &w);
    }
    QCOMPARE(Ctl<QGroupBox>(w, 1075)->title(), QStringLiteral("Satellite"));
    QCOMPARE(Ctl<QGroupBox>(w, 1107)->title(), QStringLiteral("System Setting"));
    QCOMPARE(Ctl<QPushButton>(w, 1055)->text(), QStringLiteral("Load Sat"));
    QCOMPARE(Ctl<QLabel>(w, 1089)->text(), QStringLiteral("22 KHz :"));
    QCOMPARE(w.Control(1057)->accessibleName(), QStringLiteral("Longitude :"));
    QCOMPARE(w.Control(1068)->accessibleName(), QStringLiteral("Frequency(MHz) :"));
    QCOMPARE(w.Control(1079)->accessibleName(), QStringLiteral("Hemisphere :"));
    for (int id : {1008, 1009, 1011, 1108, 1111, 1049, 1109}) {
        QVERIFY(!Ctl<QPushButton>(w, id)->autoDefault());
        QVERIFY(!Ctl<QPushButton>(w, id)->isDefault());
    }
    // Panes share one spot; the left edge buttons stand beside the tree.
    QCOMPARE(w.Control(1075)->pos(), w.Control(1107)->pos());
    QVERIFY(w.Control(1111)->geometry().right() < w.Control(1043)->geometry().left());
    QVERIFY(w.Control(1043)->geometry().right() < w.Control(1075)->geometry().left());
    QVERIFY(w.Control(1075)->geometry().right() < w.Control(1001)->geometry().left());
}

void TestEditorTree::systemSettingNodeShowsStoredValues() {
    CEditorDlg& w = *m_window;
    w.Image().systemSetting = {0, 1, 3, 0};
    ClickNode(w, Root(w)->child(0));
    QVERIFY(Ctl<QRadioButton>(w, 1104)->isChecked());
    QVERIFY(Ctl<QRadioButton>(w, 1105)->isChecked());
    QCOMPARE(Ctl<QComboBox>(w, 1103)->currentText(), QStringLiteral("30min"));
    QCOMPARE(Ctl<QComboBox>(w, 1102)->currentText(), QStringLiteral("English"));
    QCOMPARE(w.m_curSat, std::int8_t{-1});
    QVERIFY(w.Control(1101)->isEnabled());

    // A stored value that is neither 0 nor 1 checks neither button.
    ClickNode(w, Root(w));
    w.Image().systemSetting.beep = 7;
    ClickNode(w, Root(w)->child(0));
    QVERIFY(!Ctl<QRadioButton>(w, 1101)->isChecked());
    QVERIFY(!Ctl<QRadioButton>(w, 1104)->isChecked());
    QVERIFY(Tree(w)->hasFocus());
}

void TestEditorTree::localPositionNodeSwitchesPanes() {
    CEditorDlg& w = *m_window;
    w.Image().settingsBlock.localPosition = {1234, 'X', 0, 456, 'S', 0};
    ClickNode(w, Root(w)->child(1));
    QVERIFY(w.Control(1092)->isVisible());
    QVERIFY(!w.Control(1107)->isVisible());
    QVERIFY(!w.Control(1075)->isVisible());
    QCOMPARE(Ctl<QLineEdit>(w, 1080)->text(), QStringLiteral("1234"));
    QCOMPARE(Ctl<QComboBox>(w, 1078)->currentText(), QStringLiteral("West"));
    QCOMPARE(Ctl<QLineEdit>(w, 1077)->text(), QStringLiteral("456"));
    QCOMPARE(Ctl<QComboBox>(w, 1079)->currentText(), QStringLiteral("South"));
    // Showing writes nothing.
    QCOMPARE(w.Image().settingsBlock.localPosition.longitudeDir, std::uint8_t{'X'});

    ClickNode(w, Root(w)->child(0));
    QVERIFY(!w.Control(1092)->isVisible());
    QVERIFY(w.Control(1107)->isVisible());
}

void TestEditorTree::satelliteNodeShowsSlot() {
    CEditorDlg& w = *m_window;
    SatelliteRecord& record = w.Image().settingsBlock.satellites[3];
    record.tpCount = 3;
    record.tps[1] = {27500, 11494, 'V', 0};
    ClickNode(w, SlotNode(w, 3));
    QCOMPARE(w.m_curSat, std::int8_t{3});
    QVERIFY(w.Control(1075)->isVisible());
    QVERIFY(!w.Control(1107)->isVisible());
    QVERIFY(!w.Control(1070)->isVisible());
    QCOMPARE(Ctl<QGroupBox>(w, 1075)->title(), QStringLiteral("Satellite: 4"));
    QCOMPARE(Ctl<QLineEdit>(w, 1073)->text(), QStringLiteral("Sat4"));
    auto* list = Ctl<QTableWidget>(w, 1001);
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->item(2, 0)->text(), QStringLiteral("3"));
    QCOMPARE(list->item(1, 1)->text(), QStringLiteral("11494"));
    QCOMPARE(list->item(1, 2)->text(), QStringLiteral("V"));
    QCOMPARE(list->item(1, 3)->text(), QStringLiteral("27500"));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(list->item(0, 1)->isSelected());
    QVERIFY(Tree(w)->hasFocus());
}

void TestEditorTree::rootAndSatelliteListDisableThePane() {
    CEditorDlg& w = *m_window;
    ClickNode(w, SlotNode(w, 2));
    for (QTreeWidgetItem* node : {Root(w), SatelliteList(w)}) {
        ClickNode(w, node);
        QVERIFY(w.Control(1075)->isVisible());
        QCOMPARE(Ctl<QGroupBox>(w, 1075)->title(), QStringLiteral("Satellite: 3"));
        QCOMPARE(Ctl<QLineEdit>(w, 1073)->text(), QStringLiteral("Sat3"));
        for (int id : {1073, 1057, 1058, 1059, 1060, 1063, 1066, 1101, 1103, 1080}) {
            QVERIFY2(!w.Control(id)->isEnabled(), qPrintable(QString::number(id)));
        }
        QCOMPARE(Ctl<QTableWidget>(w, 1001)->rowCount(), 0);
        QCOMPARE(w.m_curSat, std::int8_t{2});
    }
    // The tree, the list and the buttons stay usable.
    QVERIFY(w.Control(1043)->isEnabled());
    QVERIFY(w.Control(1001)->isEnabled());
    QVERIFY(w.Control(1009)->isEnabled());
}

void TestEditorTree::slotsNotInUseAreDisabled() {
    CEditorDlg& w = *m_window;
    w.Image().settingsBlock.satCount = 3;
    ClickNode(w, SlotNode(w, 1));
    ClickNode(w, SlotNode(w, 3));
    QCOMPARE(w.m_curSat, std::int8_t{3});
    QVERIFY(w.Control(1075)->isVisible());
    QVERIFY(!w.Control(1073)->isEnabled());
    QVERIFY(!w.Control(1057)->isEnabled());
    // The pane keeps what it showed before.
    QCOMPARE(Ctl<QGroupBox>(w, 1075)->title(), QStringLiteral("Satellite: 2"));
    QCOMPARE(Ctl<QLineEdit>(w, 1073)->text(), QStringLiteral("Sat2"));
    QCOMPARE(Ctl<QTableWidget>(w, 1001)->rowCount(), 0);
    QCOMPARE(SlotNode(w, 3)->text(0), QStringLiteral("Sat4"));

    ClickNode(w, SlotNode(w, 2));
    QVERIFY(w.Control(1073)->isEnabled());
    QCOMPARE(Ctl<QGroupBox>(w, 1075)->title(), QStringLiteral("Satellite: 3"));
}

void TestEditorTree::slotsNotInUseWithNoSatellites() {
    CEditorDlg& w = *m_window;
    w.Image().settingsBlock.satCount = 0;
    ClickNode(w, SlotNode(w, 0));
    QCOMPARE(w.m_curSat, std::int8_t{0});
    QVERIFY(!w.Control(1057)->isEnabled());
    QCOMPARE(Ctl<QTableWidget>(w, 1001)->rowCount(), 0);
}

void TestEditorTree::satelliteNamedLikeAFixedNodeIsNotShown() {
    CEditorDlg& w = *m_window;
    SetNameText(w.Image().settingsBlock.satellites[4], "TP List");
    SlotNode(w, 4)->setText(0, QStringLiteral("TP List"));
    ClickNode(w, SlotNode(w, 1));
    ClickNode(w, SlotNode(w, 4));
    // The label decides before the item data: handled like the root.
    QCOMPARE(w.m_curSat, std::int8_t{1});
    QVERIFY(!w.Control(1073)->isEnabled());
    QCOMPARE(Ctl<QTableWidget>(w, 1001)->rowCount(), 0);

    SetNameText(w.Image().settingsBlock.satellites[5], "tp list");
    SlotNode(w, 5)->setText(0, QStringLiteral("tp list"));
    ClickNode(w, SlotNode(w, 5));
    QCOMPARE(w.m_curSat, std::int8_t{5});
    QVERIFY(w.Control(1073)->isEnabled());
}

void TestEditorTree::countsBeyondTheArraysStopAtTheLastSlot() {
    CEditorDlg& w = *m_window;
    w.Image().settingsBlock.satCount = 250;
    w.Image().settingsBlock.satellites[19].tpCount = 200;
    ClickNode(w, SlotNode(w, 19));
    QCOMPARE(w.m_curSat, std::int8_t{19});
    QVERIFY(w.Control(1073)->isEnabled());
    QCOMPARE(Ctl<QTableWidget>(w, 1001)->rowCount(), 8);
    QCOMPARE(Ctl<QTableWidget>(w, 1001)->item(7, 0)->text(), QStringLiteral("8"));
    // The counts themselves are the file's bytes and stay.
    QCOMPARE(w.Image().settingsBlock.satCount, std::uint8_t{250});
    QCOMPARE(w.Image().settingsBlock.satellites[19].tpCount, std::uint8_t{200});
}

void TestEditorTree::radiosWorkBeforeAnySelection() {
    CEditorDlg& w = *m_window;
    QTest::mouseClick(w.Control(1104), Qt::LeftButton);
    QCOMPARE(w.Image().systemSetting.beep, std::uint8_t{1});
    QCOMPARE(w.Image().systemSetting.backlight, std::uint8_t{0});
    QTest::mouseClick(w.Control(1106), Qt::LeftButton);
    QCOMPARE(w.Image().systemSetting.backlight, std::uint8_t{1});
    QVERIFY(Ctl<QRadioButton>(w, 1104)->isChecked());
    QTest::mouseClick(w.Control(1101), Qt::LeftButton);
    QCOMPARE(w.Image().systemSetting.beep, std::uint8_t{0});
    QCOMPARE(w.Image().systemSetting.backlight, std::uint8_t{1});
}

void TestEditorTree::enterAndEscapeNeverCloseTheWindow() {
    CEditorDlg& w = *m_window;
    ClickNode(w, SlotNode(w, 0));
    for (int id : {1057, 1073, 1059, 1043, 1008, 1009, 1011, 1001}) {
        w.Control(id)->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(w.Control(id), key);
            QVERIFY2(w.isVisible(),
                     qPrintable(QStringLiteral("control %1 key %2").arg(id).arg(key)));
        }
    }
    // No button was pressed: the fake would hold an unexpected open or save dialog.
    QCOMPARE(m_prompts.Pending(), QString());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(w.Image().settingsBlock.satellites[0].longitude, std::uint16_t{0});
}

void TestEditorTree::exitAndCloseBoxClose() {
    CEditorDlg& w = *m_window;
    QSignalSpy rejected(&w, &QDialog::rejected);
    ClickButton(w, 1011);
    QVERIFY(!w.isVisible());
    QCOMPARE(rejected.count(), 1);

    Restart();
    QSignalSpy closedByBox(m_window.get(), &QDialog::finished);
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(closedByBox.count(), 1);
}

void TestEditorTree::aboutCommandOpensAboutBox() {
    CEditorDlg& w = *m_window;
    const QPoint background = w.Control(1008)->geometry().topLeft() - QPoint(2, 2);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, background, w.mapToGlobal(background));
    QApplication::sendEvent(&w, &rightClick);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu, w.WindowMenu());
    QAction* about = nullptr;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            about = action;
        }
    }
    QVERIFY(about != nullptr);
    QCOMPARE(about->text(), QStringLiteral("&About orvex..."));
    QCOMPARE(about->property("commandId").toInt(), 16);

    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        aboutShown = box != nullptr && box != &w && box->windowTitle() == "About orvex";
        if (box != nullptr) {
            box->accept();
        }
    });
    menu->close();
    about->trigger();
    QVERIFY(aboutShown);
    QVERIFY(w.isVisible());
}

void TestEditorTree::emptyAboutTextAddsNoCommand() {
    CEditorDlg::SetAboutCommandText(QString());
    Restart();
    QCOMPARE(m_window->WindowMenu(), nullptr);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(2, 2),
                                 m_window->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(m_window.get(), &rightClick);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

QTEST_MAIN(TestEditorTree)
#include "test_editor_tree.moc"
