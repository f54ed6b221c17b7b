#pragma once

#include <QApplication>

// The one application object: runs the editor window modally; the program ends when the
// window closes, whatever closed it.
class CEditorApp final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorApp)

public:
    CEditorApp(int& argc, char** argv);

    // Runs the editor window to its end. Returns false: there is no loop after it.
    bool InitInstance();
};
