// Undo and redo of one TP cell edit through the window, the refresh of the tree, the pane and
// the list included, and the memory a long history holds.
//   orvex_bench_undo [rounds]        (run with QT_QPA_PLATFORM=offscreen)
#include "controls/CEditListCtrl.h"
#include "controls/UserPrompts.h"
#include "editor/CEditorDlg.h"
#include "editor/EditorIds.h"

#include <QApplication>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class SilentPrompts final : public UserPrompts {
public:
    void Message(QWidget*, const QString&) override {}
    bool Question(QWidget*, const QString&) override { return false; }
    QString OpenFileName(QWidget*, const QString&) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void Beep() override {}
    SaveChoice AskSaveChanges(QWidget*, const QString&) override { return SaveChoice::Cancel; }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    SilentPrompts prompts;
    CEditorDlg window(prompts);
    window.show();
    auto* tree = static_cast<QTreeWidget*>(window.Control(EditorId::Tree));
    tree->setCurrentItem(tree->topLevelItem(0)->child(2)->child(3));
    auto* list = static_cast<CEditListCtrl*>(window.Control(EditorId::TpList));

    // The edit as the in-place editor reports it.
    list->item(2, 1)->setText(QStringLiteral("12345"));
    emit list->cellEdited(EditorId::TpList, CellEditRecord{2, 1, QStringLiteral("12345")});
    if (!window.Document().CanUndo()) {
        std::fprintf(stderr, "the cell edit made no step\n");
        return 1;
    }
    std::vector<double> undo;
    std::vector<double> redo;
    for (int round = 0; round < rounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        window.OnUndo();
        auto middle = std::chrono::steady_clock::now();
        window.OnRedo();
        auto end = std::chrono::steady_clock::now();
        undo.push_back(std::chrono::duration<double, std::micro>(middle - start).count());
        redo.push_back(std::chrono::duration<double, std::micro>(end - middle).count());
    }
    std::printf("undo of a TP cell edit with the refresh: median %.1f us\n", Median(undo));
    std::printf("redo of a TP cell edit with the refresh: median %.1f us\n", Median(redo));

    // Ten thousand cell edits, each a step of its own.
    for (int step = 0; step < 10000; ++step) {
        const QString text = QString::number(step % 60000);
        list->item(step % 4, 1)->setText(text);
        emit list->cellEdited(EditorId::TpList, CellEditRecord{step % 4, 1, text});
    }
    std::printf("history of %zu steps holds %.2f MB\n", window.Document().History().StepCount(),
                window.Document().History().BytesHeld() / 1048576.0);
    return 0;
}
