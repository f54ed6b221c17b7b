// Renders the editor window with a loaded meter file into a PNG for the README, with a
// second name the Sky View of a dish in Munich with twenty satellites, and with a third the
// pointing sheet of that dish as a PDF, whose first page pdftoppm turns into the picture:
//   cmake --build build --target orvex_screenshot
//   QT_QPA_PLATFORM=offscreen build/tools/orvex_screenshot docs/editor.png docs/sky-view.png
//       /tmp/pointing-sheet.pdf
//   pdftoppm -png -r 60 -singlefile /tmp/pointing-sheet.pdf docs/pointing-sheet
// The file is made from the built-in satellites, opened through the window's own "Open"
// button, and the third satellite is selected, as a user would.
#include "app/QtUserPrompts.h"
#include "chart/PointingSheet.h"
#include "editor/CEditorDlg.h"
#include "editor/CSkyView.h"
#include "model/DefaultSatellites.h"
#include "model/MeterFile.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Answers the open dialog with the prepared file; nothing else is expected.
class ScriptedPrompts final : public UserPrompts {
public:
    explicit ScriptedPrompts(QString path) : m_path(std::move(path)) {}
    void Message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool Question(QWidget*, const QString&) override { return false; }
    QString OpenFileName(QWidget*, const QString&) override { return m_path; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void Beep() override {}
    SaveChoice AskSaveChanges(QWidget*, const QString&) override { return SaveChoice::Cancel; }

private:
    QString m_path;
};

MeterImage SampleImage() {
    MeterImage image = FreshMeterImage();
    SatRecordList library;
    AddDefaultSatellites(library);
    const char* picks[] = {"Astra 1H", "HotBird", "Astra 2C", "Eutelsat W6",
                           "Hispasat", "Badr",    "Turksat",  "Amos"};
    SettingsBlock& block = image.settingsBlock;
    block.satCount = 0;
    for (int i = 0; i < library.GetCount(); ++i) {
        const SatelliteRecord record = library.GetAt(i);
        for (const char* pick : picks) {
            if (NameText(record) == pick) {
                block.satellites[block.satCount++] = record;
            }
        }
    }
    block.localPosition = {1, kWest, 0, 515, kNorth, 0}; // London
    return image;
}

// A dish in Munich tuned to what a European user keeps in twenty slots; the last one was
// stored for a trip west and is below the horizon here.
MeterImage MunichImage() {
    struct Pick {
        const char* name;
        std::uint16_t longitude;
        std::uint8_t direction;
    };
    constexpr Pick kPicks[] = {
        {"Astra 1KR", 192, kEast},   {"Hot Bird 13", 130, kEast}, {"Astra 2E", 282, kEast},
        {"Astra 3B", 235, kEast},    {"Eutelsat 9B", 90, kEast},  {"Eutelsat16A", 160, kEast},
        {"Eutelsat 7B", 70, kEast},  {"Thor 7", 8, kWest},        {"Eutelsat 5W", 50, kWest},
        {"Hispasat 30", 300, kWest}, {"Eutelsat36B", 360, kEast}, {"Turksat 4A", 420, kEast},
        {"Badr 7", 260, kEast},      {"Hellas Sat3", 390, kEast}, {"Amos 3", 40, kWest},
        {"Astra 4A", 48, kEast},     {"Eutelsat10B", 100, kEast}, {"Eutelsat21B", 216, kEast},
        {"Express AM6", 530, kEast}, {"Galaxy 19", 970, kWest},
    };
    MeterImage image = FreshMeterImage();
    SettingsBlock& block = image.settingsBlock;
    block.satCount = 0;
    for (const Pick& pick : kPicks) {
        SatelliteRecord& record = block.satellites[block.satCount++];
        record = MakeNewSatellite(pick.name);
        record.longitude = pick.longitude;
        record.direction = pick.direction;
    }
    block.localPosition = {116, kEast, 0, 481, kNorth, 0};
    return image;
}

// The same dish with transponders to tune, some satellites on a motor and some behind a
// switch, as the sheet shows them.
MeterImage MunichSheetImage() {
    MeterImage image = MunichImage();
    SettingsBlock& block = image.settingsBlock;
    for (int slot = 0; slot < block.satCount; ++slot) {
        SatelliteRecord& record = block.satellites[static_cast<std::size_t>(slot)];
        record.positionType = slot >= 4 ? 1 : 0; // the first four on a fixed dish's switch
        record.switchType = slot < 4 ? 1 : 0;
        record.switchInput = static_cast<std::uint8_t>(slot % 4);
        record.tpCount = static_cast<std::uint8_t>(2 + slot % 3);
        for (int tp = 0; tp < record.tpCount; ++tp) {
            record.tps[static_cast<std::size_t>(tp)] = {
                static_cast<std::uint16_t>(tp % 2 == 0 ? 27500 : 22000),
                static_cast<std::uint16_t>(10729 + 37 * slot + 412 * tp),
                tp % 2 == 0 ? kHorizontal : kVertical, 0};
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: orvex_screenshot <editor.png> [<sky-view.png> "
                             "[<pointing-sheet.pdf>]]\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("MData.bin");
    if (SaveMeterFile(path.toStdString(), SampleImage()) != SaveResult::Done) {
        std::fprintf(stderr, "cannot write the sample file\n");
        return 1;
    }
    ScriptedPrompts prompts(path);
    CEditorDlg window(prompts);
    window.show();
    QApplication::processEvents();
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->property("controlId").toInt() == 1008) {
            button->click();
        }
    }
    QTreeWidget* tree = window.findChild<QTreeWidget*>();
    if (tree != nullptr && tree->currentItem() != nullptr) {
        QTreeWidgetItem* third = tree->itemBelow(tree->itemBelow(tree->currentItem()));
        if (third != nullptr) {
            tree->setCurrentItem(third);
        }
    }
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    if (argc >= 3) {
        const MeterImage munich = MunichImage();
        CSkyView sky(munich, prompts);
        sky.resize(760, 420);
        sky.Refresh(0);
        sky.show();
        QApplication::processEvents();
        if (!sky.grab().save(QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
    }
    if (argc == 4 && WritePointingSheet(QString::fromLocal8Bit(argv[3]), MunichSheetImage(),
                                        QStringLiteral("MData.bin"),
                                        QDate(2026, 6, 15)) != SheetResult::Written) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
