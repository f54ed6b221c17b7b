// Instructions of one selection change between two satellite nodes, counted by callgrind with
// the collection switched on only inside the selection handler:
//   valgrind --tool=callgrind --toggle-collect='CEditorDlg::OnTreeSelectionChanged()'
//   build/bench/orvex_bench_selection 100   (one command, under QT_QPA_PLATFORM=offscreen)
// The total divided by the number of changes printed at the end is the cost of one change.
#include "app/QtUserPrompts.h"
#include "editor/CEditorDlg.h"

#include <QApplication>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int changes = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 100;
    QtUserPrompts prompts;
    CEditorDlg window(prompts);
    window.show();
    QApplication::processEvents();

    auto* tree = qobject_cast<QTreeWidget*>(window.Control(1043));
    QTreeWidgetItem* satellites = tree->topLevelItem(0)->child(2);
    // Both satellites carry eight transponders, the most a list shows.
    for (int i = 0; i < changes; ++i) {
        tree->setCurrentItem(satellites->child(i % 2));
    }
    QApplication::processEvents();
    std::printf("selection changes: %d\n", changes);
    return 0;
}
