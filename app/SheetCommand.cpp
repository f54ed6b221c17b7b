#include "app/SheetCommand.h"

#include "chart/PointingSheet.h"
#include "controls/FileMessages.h"
#include "model/MeterDocument.h"

#include <QDate>
#include <QGuiApplication>

#include <cstdio>

int SheetCommand::Run(int& argc, char** argv) const {
    // The sheet is drawn into a file: no window system is needed, so none is asked for unless
    // the user names one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QGuiApplication app(argc, argv);
    const QString failure = Write();
    if (failure.isEmpty()) {
        return 0;
    }
    std::fprintf(stderr, "orvex: %s\n", failure.toLocal8Bit().constData());
    return 1;
}

QString SheetCommand::Write() const {
    if (m_file.isEmpty()) {
        return QStringLiteral("--sheet needs the meter file to read after the sheet's name.");
    }
    if (!SheetFormatOf(m_out)) {
        return QStringLiteral("The sheet '%1' must end in .pdf or .csv.").arg(m_out);
    }
    const QDate date = m_date.isEmpty() ? QDate::currentDate()
                                        : QDate::fromString(m_date, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) {
        return QStringLiteral("The date '%1' is not a date as 2026-06-15.").arg(m_date);
    }
    MeterDocument document;
    const LoadResult loaded = document.Load(LocalPath(m_file));
    if (loaded != LoadResult::Done) {
        return ReadFailureText(loaded, m_file);
    }
    // As the window shows a file it opens.
    document.NormaliseLetters();
    const SheetResult written = WritePointingSheet(m_out, document.Image(), m_file, date);
    return written == SheetResult::Written ? QString() : WriteFailureText(written, m_out);
}
