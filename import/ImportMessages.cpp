#include "import/ImportMessages.h"

#include <QStringList>

namespace {

QString Count(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1StringView(count == 1 ? one : many));
}

} // namespace

QString ImportSummary(const TableImport& import) {
    const int imported = static_cast<int>(import.records.size());
    if (imported == 0 && import.skipped == 0) {
        return QStringLiteral("The table holds no satellites.");
    }
    QString text = QStringLiteral("Imported %1.").arg(Count(imported, "satellite", "satellites"));
    if (import.skipped == 0) {
        return text;
    }
    QStringList reasons;
    if (import.skippedNoTransponder > 0) {
        reasons << QStringLiteral("%1 with no transponder the meter can receive")
                       .arg(import.skippedNoTransponder);
    }
    if (import.skippedNoPosition > 0) {
        reasons
            << QStringLiteral("%1 with no valid orbital position").arg(import.skippedNoPosition);
    }
    if (import.skippedOverLimit > 0) {
        reasons << QStringLiteral("%1 beyond the library's limit of 65,535 satellites")
                       .arg(import.skippedOverLimit);
    }
    text += QStringLiteral(" Skipped %1: %2.").arg(import.skipped).arg(reasons.join(u", "));
    return text;
}

QString ImportFailureMessage(TableImportResult result, const QString& path) {
    switch (result) {
    case TableImportResult::Done:
        break;
    case TableImportResult::CannotOpen:
        return QStringLiteral("The file '%1' could not be opened.").arg(path);
    case TableImportResult::NotATable:
        return QStringLiteral("The file is neither a satellite XML table nor a DVB scan table, "
                              "or it is damaged.");
    case TableImportResult::TooLarge:
        return QStringLiteral("The file is larger than 64 MB, far too large for a transponder "
                              "table.");
    case TableImportResult::NoPosition:
        return QStringLiteral("The file name carries no orbital position, such as Astra-19.2E.");
    }
    return QString();
}
