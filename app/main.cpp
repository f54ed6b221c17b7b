#include "app/CEditorApp.h"

int main(int argc, char** argv) {
    const QString file = CEditorApp::FileFromCommandLine(argc, argv);
    CEditorApp app(argc, argv);
    app.InitInstance(file);
    return 0;
}
