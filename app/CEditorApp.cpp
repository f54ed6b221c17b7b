#include "app/CEditorApp.h"

#include "app/CAboutDlg.h"
#include "app/QtUserPrompts.h"
#include "editor/CEditorDlg.h"
#include "res/AppIcon.h"

#include <QCommandLineParser>
#include <QTimer>

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("orvex"));
    setApplicationVersion(QStringLiteral(ORVEX_VERSION));
    setDesktopFileName(QStringLiteral("org.orvex.editor"));
    setWindowIcon(AppIcon());
}

QString CEditorApp::FileFromCommandLine(int& argc, char** argv) {
    QCoreApplication probe(argc, argv);
    probe.setApplicationName(QStringLiteral("orvex"));
    probe.setApplicationVersion(QStringLiteral(ORVEX_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Editor for the data image of a satellite-finder meter."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A meter data file to open at start."),
                                 QStringLiteral("[FILE]"));
    // Options of Qt itself (-platform, -style, ...) are left to the application.
    parser.parse(probe.arguments());
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp();
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
    return parser.positionalArguments().value(0);
}

bool CEditorApp::InitInstance(const QString& file) {
    QtUserPrompts prompts;
    CEditorDlg editor(prompts);
    if (!file.isEmpty()) {
        // Once the window shows, so that a refusal appears over the fresh contents.
        QTimer::singleShot(0, &editor, [file, &editor] { editor.OpenMeterFile(file); });
    }
    QObject::connect(&editor, &CEditorDlg::aboutRequested, &editor, [&editor] {
        CAboutDlg about(&editor);
        about.exec();
    });
    editor.exec(); // closed by "Exit", the close box or the session: the result does not matter
    return false;
}
