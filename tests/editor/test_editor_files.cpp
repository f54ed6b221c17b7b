// "Open" and "Save" through the prompts: the messages, what a refused file leaves behind, the
// order of showing and normalising after a load, and the saved bytes.

#include "EditorTestSupport.h"

#include <QDir>
#include <QGroupBox>
#include <QTableWidget>

#include <memory>

using namespace editortest;

class TestEditorFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cancelledDialogsChangeNothing();
    void missingFileCannotBeOpened();
    void wrongSizesLeaveTheDataUntouched_data();
    void wrongSizesLeaveTheDataUntouched();
    void freshImageSavesItsLayout();
    void loadShowsFirstSatelliteBeforeNormalisingLetters();
    void zeroFileLoadsWithNoSatellites();
    void loadWhileFirstNodeIsSelectedShowsNewData();
    void loadAndSaveGiveAnIdenticalCopy();
    void hostileCountsAndNamesStayInBounds();
    void fieldBeingEditedCommitsBeforeSave();
    void unwritableTargetIsReported();

private:
    CEditorDlg& W() { return *m_window; }

    FakePrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<CEditorDlg> m_window;
};

void TestEditorFiles::init() {
    QVERIFY(m_dir.isValid());
    m_window = std::make_unique<CEditorDlg>(m_prompts);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestEditorFiles::cleanup() {
    m_window->close();
    m_window.reset();
    QCOMPARE(m_prompts.Pending(), QString());
    m_prompts.Reset();
}

void TestEditorFiles::cancelledDialogsChangeNothing() {
    OpenThrough(W(), m_prompts, QString());
    QCOMPARE(m_prompts.openFilters, QStringList({"Meter data File (*.bin)|*.bin|"}));
    QVERIFY(W().Image() == FreshMeterImage());
    QVERIFY(Tree(W())->selectedItems().isEmpty());

    SaveThrough(W(), m_prompts, QString());
    QCOMPARE(m_prompts.saveCalls.size(), std::size_t{1});
    QCOMPARE(m_prompts.saveCalls[0].filter, QStringLiteral("Meter data File (*.bin)|*.bin|"));
    QCOMPARE(m_prompts.saveCalls[0].proposedName, QStringLiteral("MData"));
    QCOMPARE(m_prompts.saveCalls[0].defaultSuffix, QStringLiteral("bin"));
    QVERIFY(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
}

void TestEditorFiles::missingFileCannotBeOpened() {
    const QString path = m_dir.filePath("absent.bin");
    OpenThrough(W(), m_prompts, path);
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"The file '" + path + "'could not be opened!"}));
    QVERIFY(W().Image() == FreshMeterImage());
}

void TestEditorFiles::wrongSizesLeaveTheDataUntouched_data() {
    QTest::addColumn<int>("size");
    QTest::newRow("empty") << 0;
    QTest::newRow("one byte short") << int(kMeterFileSize) - 1;
    QTest::newRow("one byte long") << int(kMeterFileSize) + 1;
    QTest::newRow("twice") << 2 * int(kMeterFileSize);
}

void TestEditorFiles::wrongSizesLeaveTheDataUntouched() {
    QFETCH(int, size);
    // Something loaded and edited first, so that "untouched" is not just the fresh state.
    QByteArray good = FreshBytes();
    good[kSatCount] = 4;
    good[100] = 0x5A;
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "good.bin", good));
    W().Image().settingsBlock.satellites[1].longitude = 333;
    const MeterImage before = W().Image();

    QByteArray bad(size, '\x11');
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "bad.bin", bad));
    QCOMPARE(m_prompts.TakeMessages(), QStringList({"The file error!"}));
    QVERIFY(W().Image() == before);
    QCOMPARE(SlotNode(W(), 0)->text(0), QStringLiteral("Sat1"));
}

void TestEditorFiles::freshImageSavesItsLayout() {
    const QByteArray saved = SaveThrough(W(), m_prompts, m_dir.filePath("fresh.bin"));
    QCOMPARE(saved.size(), int(kMeterFileSize));
    QCOMPARE(saved.left(0x16004), QByteArray(0x16004, '\0'));
    QCOMPARE(Byte(saved, kBlock), std::uint8_t{24});
    QCOMPARE(Byte(saved, kSatCount), std::uint8_t{20});
    QCOMPARE(saved.mid(0x16054, 12), QByteArray("Sat1\0\0\0\0\0\0\0\0", 12));
    QCOMPARE(GetU16(saved, Slot(0) + 12), std::uint16_t{9750});
    QCOMPARE(GetU16(saved, Tp(19, 7)), std::uint16_t{10600});
    QCOMPARE(saved.mid(0x1666C), QByteArray(0x994, '\0'));
    // Saving again overwrites without a question.
    W().Image().settingsBlock.localPosition.latitude = 515;
    const QByteArray again = SaveThrough(W(), m_prompts, m_dir.filePath("fresh.bin"));
    QCOMPARE(GetU16(again, kLocal + 4), std::uint16_t{515});
}

void TestEditorFiles::loadShowsFirstSatelliteBeforeNormalisingLetters() {
    QByteArray bytes = FreshBytes();
    bytes[Tp(0, 2) + 4] = 1;    // in use in slot 0: the display turns it into 'H' first
    bytes[Tp(1, 2) + 4] = 1;    // in use in slot 1: normalising makes it 'V'
    bytes[Tp(2, 3) + 4] = 'x';  // in use: 'H'
    bytes[Slot(3) + 28] = 2;    // slot 3 uses two transponders ...
    bytes[Tp(3, 5) + 4] = 1;    // ... so this one is not touched
    bytes[Slot(4) + 26] = 1;    // direction 1 is West
    bytes[Slot(5) + 26] = 0x20; // anything else is East
    bytes[Slot(19) + 26] = 'W';
    bytes[kLocal + 2] = 1;
    bytes[kLocal + 6] = 'q';
    std::memcpy(bytes.data() + Slot(0), "Hispasat\0", 9);
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "letters.bin", bytes));

    const SettingsBlock& block = W().Image().settingsBlock;
    QCOMPARE(block.satellites[0].tps[2].polarization, kHorizontal);
    QCOMPARE(block.satellites[1].tps[2].polarization, kVertical);
    QCOMPARE(block.satellites[2].tps[3].polarization, kHorizontal);
    QCOMPARE(block.satellites[3].tps[5].polarization, std::uint8_t{1});
    QCOMPARE(block.satellites[4].direction, kWest);
    QCOMPARE(block.satellites[5].direction, kEast);
    QCOMPARE(block.satellites[19].direction, kWest);
    QCOMPARE(block.localPosition.longitudeDir, kWest);
    QCOMPARE(block.localPosition.latitudeDir, kNorth);

    // Slot 0 is selected and shown; the labels follow the loaded names.
    QCOMPARE(W().m_curSat, std::int8_t{0});
    QCOMPARE(Tree(W())->selectedItems().value(0), SlotNode(W(), 0));
    QCOMPARE(Ctl<QGroupBox>(W(), 1075)->title(), QStringLiteral("Satellite: 1"));
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QStringLiteral("Hispasat"));
    QCOMPARE(SlotNode(W(), 0)->text(0), QStringLiteral("Hispasat"));
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->rowCount(), 8);
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->item(2, 2)->text(), QStringLiteral("H"));

    const QByteArray saved = SaveThrough(W(), m_prompts, m_dir.filePath("out.bin"));
    QCOMPARE(Byte(saved, Tp(0, 2) + 4), kHorizontal);
    QCOMPARE(Byte(saved, Tp(1, 2) + 4), kVertical);
    QCOMPARE(Byte(saved, Tp(3, 5) + 4), std::uint8_t{1});
}

void TestEditorFiles::zeroFileLoadsWithNoSatellites() {
    OpenThrough(W(), m_prompts,
                WriteFile(m_dir, "zero.bin", QByteArray(int(kMeterFileSize), '\0')));
    const SettingsBlock& block = W().Image().settingsBlock;
    QCOMPARE(block.satCount, std::uint8_t{0});
    for (int slot = 0; slot < 20; ++slot) {
        QCOMPARE(SlotNode(W(), slot)->text(0), QString());
        QCOMPARE(block.satellites[static_cast<std::size_t>(slot)].direction, kEast);
        // No transponder is in use, so none is touched.
        QCOMPARE(block.satellites[static_cast<std::size_t>(slot)].tps[0].polarization,
                 std::uint8_t{0});
    }
    QCOMPARE(block.localPosition.longitudeDir, kEast);
    QCOMPARE(block.localPosition.latitudeDir, kNorth);
    QCOMPARE(W().m_curSat, std::int8_t{0});
    QVERIFY(!W().Control(1073)->isEnabled());
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->rowCount(), 0);
}

void TestEditorFiles::loadWhileFirstNodeIsSelectedShowsNewData() {
    ClickNode(W(), SlotNode(W(), 0));
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->rowCount(), 8);
    QByteArray bytes = FreshBytes();
    bytes[Slot(0) + 28] = 2;
    bytes[Tp(0, 1) + 4] = 1;
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "two.bin", bytes));
    // The selection did not move, yet the loaded slot is shown in full.
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->rowCount(), 2);
    QCOMPARE(W().Image().settingsBlock.satellites[0].tps[1].polarization, kHorizontal);

    bytes[kSatCount] = 0;
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "none.bin", bytes));
    QVERIFY(!W().Control(1057)->isEnabled());
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->rowCount(), 0);
}

void TestEditorFiles::loadAndSaveGiveAnIdenticalCopy() {
    QByteArray bytes = FreshBytes();
    for (int i = 0; i < int(kLeadingImageSize); i += 97) {
        bytes[i] = static_cast<char>(i * 7);
    }
    for (int i = int(kTrailingImageOffset); i < int(kMeterFileSize); i += 5) {
        bytes[i] = static_cast<char>(0xA0 + i % 50);
    }
    bytes[kBlock + 3] = 0x33;    // padding
    bytes[Slot(17) + 17] = 0x44; // reserved17 of a slot not in use
    bytes[Slot(17) + 11] = 0x7F; // a name tail
    bytes[Slot(2) + 23] = 0x55;  // padding of a slot in use
    bytes[kSatCount] = 12;
    bytes[Tp(2, 7) + 5] = 0x66;
    PutU16(bytes, kBlock + 8, 777); // rangeLow[0]
    const QString source = WriteFile(m_dir, "source.bin", bytes);
    OpenThrough(W(), m_prompts, source);
    QCOMPARE(SaveThrough(W(), m_prompts, m_dir.filePath("copy.bin")), bytes);
}

void TestEditorFiles::hostileCountsAndNamesStayInBounds() {
    QByteArray bytes = FreshBytes();
    bytes[kSatCount] = static_cast<char>(0xFF);
    for (int slot = 0; slot < 20; ++slot) {
        bytes[Slot(slot) + 28] = static_cast<char>(0xF0);
        bytes[Tp(slot, 7) + 4] = 1;
    }
    // A name with no terminator in its twelve bytes, and Latin-1 bytes.
    std::memcpy(bytes.data() + Slot(0), "ABCDEFGHIJKL", 12);
    std::memcpy(bytes.data() + Slot(19),
                "Z\xFC"
                "rich\0",
                7);
    OpenThrough(W(), m_prompts, WriteFile(m_dir, "hostile.bin", bytes));
    QCOMPARE(SlotNode(W(), 0)->text(0), QStringLiteral("ABCDEFGHIJKL"));
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QStringLiteral("ABCDEFGHIJK"));
    QCOMPARE(SlotNode(W(), 19)->text(0), QString::fromUtf8("Zürich"));
    QCOMPARE(Ctl<QTableWidget>(W(), 1001)->rowCount(), 8);
    // Only the eight entries are normalised; the counts stay the file's bytes.
    QCOMPARE(W().Image().settingsBlock.satellites[5].tps[7].polarization, kVertical);

    ClickNode(W(), SlotNode(W(), 19));
    QCOMPARE(W().m_curSat, std::int8_t{19});
    QVERIFY(W().Control(1073)->isEnabled());
    QCOMPARE(Ctl<QLineEdit>(W(), 1073)->text(), QString::fromUtf8("Zürich"));

    const QByteArray saved = SaveThrough(W(), m_prompts, m_dir.filePath("hostile-out.bin"));
    QCOMPARE(Byte(saved, kSatCount), std::uint8_t{0xFF});
    QCOMPARE(saved.mid(Slot(0), 12), QByteArray("ABCDEFGHIJKL"));
    QCOMPARE(saved.mid(Slot(19), 7), QByteArray("Z\xFCrich\0", 7));
}

void TestEditorFiles::fieldBeingEditedCommitsBeforeSave() {
    ClickNode(W(), SlotNode(W(), 6));
    auto* longitude = Ctl<QLineEdit>(W(), 1057);
    longitude->setFocus(Qt::MouseFocusReason);
    longitude->selectAll();
    QTest::keyClicks(longitude, "192");
    // The click on "Save" takes the focus first, which commits the field.
    const QByteArray saved = SaveThrough(W(), m_prompts, m_dir.filePath("edited.bin"));
    QCOMPARE(GetU16(saved, Slot(6) + 24), std::uint16_t{192});

    // The same with a value out of range: reported, clamped, and saved clamped.
    longitude->setFocus(Qt::MouseFocusReason);
    longitude->selectAll();
    QTest::keyClicks(longitude, "4000");
    const QByteArray clamped = SaveThrough(W(), m_prompts, m_dir.filePath("clamped.bin"));
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"Please enter an integer between 0 and 1800."}));
    QCOMPARE(GetU16(clamped, Slot(6) + 24), std::uint16_t{1800});
}

void TestEditorFiles::unwritableTargetIsReported() {
    const QString path = m_dir.filePath("no-such-folder/out.bin");
    SaveThrough(W(), m_prompts, path);
    QCOMPARE(m_prompts.TakeMessages(),
             QStringList({"The file '" + path + "'could not be opened!"}));
    QVERIFY(!QFile::exists(path));
    QVERIFY(W().Image() == FreshMeterImage());
}

QTEST_MAIN(TestEditorFiles)
#include "test_editor_files.moc"
