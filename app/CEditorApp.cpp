#include "app/CEditorApp.h"

#include "app/AppIcon.h"
#include "app/QtUserPrompts.h"
#include "editor/CEditorDlg.h"

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("orvex"));
    setApplicationVersion(QStringLiteral(ORVEX_VERSION));
    setDesktopFileName(QStringLiteral("org.orvex.editor"));
    setWindowIcon(AppIcon());
}

bool CEditorApp::InitInstance() {
    QtUserPrompts prompts;
    CEditorDlg editor(prompts);
    editor.exec(); // closed by "Exit", the close box or the session: the result does not matter
    return false;
}
