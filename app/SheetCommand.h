#pragma once

#include <QString>

// "orvex --sheet OUT FILE": writes the pointing sheet of a meter file without a window, for
// scripts and for machines without a display. Only a QGuiApplication is made, for the fonts
// of the PDF.
class SheetCommand {
public:
    // The options as given; date empty for today.
    SheetCommand(const QString& out, const QString& file, const QString& date)
        : m_out(out), m_file(file), m_date(date) {}

    // Writes the sheet; the exit code: 0 when written, else 1 after one line on standard
    // error saying why.
    int Run(int& argc, char** argv) const;

private:
    QString Write() const; // the reason it failed, empty on success

    QString m_out;
    QString m_file;
    QString m_date;
};
