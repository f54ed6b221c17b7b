// Renders the editor window with a loaded meter file into a PNG for the README:
//   cmake --build build --target orvex_screenshot
//   QT_QPA_PLATFORM=offscreen build/tools/orvex_screenshot docs/editor.png
// The file is made from the built-in satellites, opened through the window's own "Open"
// button, and the third satellite is selected, as a user would.
#include "app/QtUserPrompts.h"
#include "editor/CEditorDlg.h"
#include "model/DefaultSatellites.h"
#include "model/MeterFile.h"

#include <QApplication>
#include <QDir>
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvex_screenshot <output.png>\n");
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
    return 0;
}
