#include "app/CEditorApp.h"

#include "app/CAboutDlg.h"
#include "app/QtUserPrompts.h"
#include "editor/CEditorDlg.h"
#include "res/AppIcon.h"

#include <QCommandLineParser>
#include <QTimer>

#include <cstdlib>

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("orvex"));
    setApplicationVersion(QStringLiteral(ORVEX_VERSION));
    setDesktopFileName(QStringLiteral("org.orvex.editor"));
    setWindowIcon(AppIcon());
}

QString CEditorApp::FileFromCommandLine(int& argc, char** argv) {
    std::optional<SheetCommand> sheet;
    const QString file = ReadCommandLine(argc, argv, sheet);
    if (sheet) {
        // After the probe is gone: the sheet needs an application of its own.
        std::exit(sheet->Run(argc, argv));
    }
    return file;
}

QString CEditorApp::ReadCommandLine(int& argc, char** argv, std::optional<SheetCommand>& sheet) {
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
    const QCommandLineOption sheetOption(
        QStringLiteral("sheet"),
        QStringLiteral("Write the pointing sheet of FILE to OUT, a PDF or a CSV file by its "
                       "extension (.pdf or .csv), and end without a window."),
        QStringLiteral("OUT"));
    const QCommandLineOption dateOption(
        QStringLiteral("date"),
        QStringLiteral("The date of the magnetic declination on the sheet, as 2026-06-15 "
                       "(default: today)."),
        QStringLiteral("YYYY-MM-DD"));
    parser.addOption(sheetOption);
    parser.addOption(dateOption);
    // Options of Qt itself (-platform, -style, ...) are left to the application.
    parser.parse(probe.arguments());
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp();
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
    if (parser.isSet(sheetOption)) {
        sheet.emplace(parser.value(sheetOption), parser.positionalArguments().value(0),
                      parser.value(dateOption));
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
