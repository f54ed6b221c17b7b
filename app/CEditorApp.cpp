#include "app/CEditorApp.h"

#include "app/CAboutDlg.h"
#include "app/QtUserPrompts.h"
#include "editor/CEditorDlg.h"
#include "res/AppIcon.h"

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("orvex"));
    setApplicationVersion(QStringLiteral(ORVEX_VERSION));
    setDesktopFileName(QStringLiteral("org.orvex.editor"));
    setWindowIcon(AppIcon());
}

bool CEditorApp::InitInstance() {
    QtUserPrompts prompts;
    CEditorDlg editor(prompts);
    QObject::connect(&editor, &CEditorDlg::aboutRequested, &editor, [&editor] {
        CAboutDlg about(&editor);
        about.exec();
    });
    editor.exec(); // closed by "Exit", the close box or the session: the result does not matter
    return false;
}
