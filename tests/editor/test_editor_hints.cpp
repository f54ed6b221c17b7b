// Pointing hints: the satellite nodes and the satellite's "Longitude :" box tell where to point
// the dish, and follow every change of the dish's or the satellite's position.
#include "EditorTestSupport.h"

#include <QHelpEvent>
#include <QToolTip>

using namespace editortest;

class EditorHintsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void nodesShowPositionAndAnglesFromTheLoadedDish();
    void hintsFollowTheDishAndTheSatellite();
    void longitudeBoxShowsTheShownSatellite();

private:
    QString LongitudeBoxTip();

    QTemporaryDir m_dir;
    FakePrompts m_prompts;
    CEditorDlg* m_window = nullptr;
};

void EditorHintsTest::init() {
    m_prompts.Reset();
    m_window = new CEditorDlg(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void EditorHintsTest::cleanup() {
    QToolTip::hideText();
    delete m_window;
    m_window = nullptr;
    QCOMPARE(m_prompts.Pending(), QString());
}

QString EditorHintsTest::LongitudeBoxTip() {
    QWidget* box = m_window->Control(1057);
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void EditorHintsTest::nodesShowPositionAndAnglesFromTheLoadedDish() {
    // A dish in London (0.1 W, 51.5 N); slot 0 at 28.2 E, slot 1 at 115.5 E (below the horizon).
    QByteArray bytes = FreshBytes();
    PutU16(bytes, kLocal, 1);
    bytes[kLocal + 2] = 'W';
    PutU16(bytes, kLocal + 4, 515);
    PutU16(bytes, Slot(0) + 24, 282);
    PutU16(bytes, Slot(1) + 24, 1155);
    OpenThrough(*m_window, m_prompts, WriteFile(m_dir, "london.bin", bytes));

    // Look angles worked out by hand from the closed-form formulas for a spherical Earth.
    QCOMPARE(SlotNode(*m_window, 0)->toolTip(0),
             QString::fromUtf8("28.2° E\nAzimuth: 145.5°\nElevation: 25.4°\nLNB skew: -20.8°"));
    QCOMPARE(SlotNode(*m_window, 1)->toolTip(0), QString::fromUtf8("115.5° E\nbelow the horizon"));
    QVERIFY(SatelliteList(*m_window)->toolTip(0).isEmpty());
    QVERIFY(Root(*m_window)->toolTip(0).isEmpty());
}

void EditorHintsTest::hintsFollowTheDishAndTheSatellite() {
    QTreeWidgetItem* sat1 = SlotNode(*m_window, 0);
    // Fresh contents: dish at 0 E 0 N under a satellite at 0 E, looking straight up.
    QCOMPARE(sat1->toolTip(0),
             QString::fromUtf8("0.0° E\nAzimuth: 0.0°\nElevation: 90.0°\nLNB skew: 0.0°"));

    // The dish moves to 45.0 N through the Local Position pane.
    ClickNode(*m_window, Root(*m_window)->child(1));
    TypeAndLeave(Ctl<QLineEdit>(*m_window, 1077), "450", Tree(*m_window));
    const QString dueSouth = sat1->toolTip(0);
    QVERIFY2(dueSouth.contains(QString::fromUtf8("Azimuth: 180.0°")), qPrintable(dueSouth));
    QVERIFY2(dueSouth.contains(QString::fromUtf8("Elevation: 38.2°")), qPrintable(dueSouth));

    // The satellite moves to 90.0 W through the Satellite pane: now below the horizon.
    ClickNode(*m_window, sat1);
    PickEntry(Ctl<QComboBox>(*m_window, 1058), 1);
    TypeAndLeave(Ctl<QLineEdit>(*m_window, 1057), "900", Tree(*m_window));
    QCOMPARE(sat1->toolTip(0), QString::fromUtf8("90.0° W\nbelow the horizon"));
    QCOMPARE(LongitudeBoxTip(), sat1->toolTip(0));
}

void EditorHintsTest::longitudeBoxShowsTheShownSatellite() {
    QCOMPARE(LongitudeBoxTip(), QString()); // no satellite shown yet
    ClickNode(*m_window, SlotNode(*m_window, 4));
    QCOMPARE(LongitudeBoxTip(), SlotNode(*m_window, 4)->toolTip(0));
    QVERIFY(LongitudeBoxTip().startsWith(QString::fromUtf8("0.0° E\n")));
}

QTEST_MAIN(EditorHintsTest)
#include "test_editor_hints.moc"
