#pragma once

#include "app/SheetCommand.h"

#include <QApplication>
#include <QString>

#include <optional>

// The one application object: runs the editor window modally; the program ends when the
// window closes, whatever closed it.
class CEditorApp final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditorApp)

public:
    CEditorApp(int& argc, char** argv);

    // Reads the command line before any window exists, so that "--help", "--version" and
    // "--sheet" do their work and end the program even without a display. Answers the file
    // named, if any.
    static QString FileFromCommandLine(int& argc, char** argv);
    // Runs the editor window to its end, opening `file` first when one is named. Returns
    // false: there is no loop after it.
    bool InitInstance(const QString& file = QString());

private:
    // The file named; a sheet to write when "--sheet" was given.
    static QString ReadCommandLine(int& argc, char** argv, std::optional<SheetCommand>& sheet);
};
