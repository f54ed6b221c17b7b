// Start-up time and peak memory of the editor against a bare Qt dialog of the same size.
// Each run is a fresh process that ends as soon as its window is shown and the event queue
// has nothing left to do; the parent alternates the two kinds and reports medians.
//   orvex_startup_bench [runs]       (QT_QPA_PLATFORM=offscreen is set for the children)
#include "app/QtUserPrompts.h"
#include "controls/DialogUnits.h"
#include "editor/CEditorDlg.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Quits at the first moment the event loop would wait: every event the start caused is done.
void QuitWhenIdle(QApplication& app) {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &app, &QApplication::quit, Qt::SingleShotConnection);
}

int RunChild(bool editor, int argc, char** argv) {
    QApplication app(argc, argv);
    QtUserPrompts prompts;
    if (editor) {
        CEditorDlg window(prompts);
        window.show();
        QuitWhenIdle(app);
        return app.exec();
    }
    QDialog window;
    const DialogUnits du(window.font());
    window.setFixedSize(du.X(466), du.Y(286));
    window.show();
    QuitWhenIdle(app);
    return app.exec();
}

struct Sample {
    double milliseconds;
    long maxRssKb;
};

Sample Spawn(const char* self, const char* kind) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(self, self, "--child", kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s child failed\n", kind);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(std::strcmp(argv[2], "editor") == 0, argc, argv);
    }
    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 21;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::vector<double> editorMs, bareMs, editorKb, bareKb;
    Spawn(argv[0], "bare"); // warm the file cache for both
    Spawn(argv[0], "editor");
    for (int i = 0; i < runs; ++i) {
        const Sample bare = Spawn(argv[0], "bare");
        const Sample editor = Spawn(argv[0], "editor");
        bareMs.push_back(bare.milliseconds);
        editorMs.push_back(editor.milliseconds);
        bareKb.push_back(static_cast<double>(bare.maxRssKb));
        editorKb.push_back(static_cast<double>(editor.maxRssKb));
    }
    const double timeRatio = Median(editorMs) / Median(bareMs);
    const double memoryRatio = Median(editorKb) / Median(bareKb);
    std::printf("runs %d\n", runs);
    std::printf("start-up  bare %.1f ms  editor %.1f ms  ratio %.3f\n", Median(bareMs),
                Median(editorMs), timeRatio);
    std::printf("peak RSS  bare %.0f KiB  editor %.0f KiB  ratio %.3f\n", Median(bareKb),
                Median(editorKb), memoryRatio);
    return 0;
}
