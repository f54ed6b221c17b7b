#include "editor/CSheetExport.h"

#include "chart/PointingSheet.h"
#include "controls/FileMessages.h"
#include "controls/UserPrompts.h"

void CSheetExport::Run(QWidget* owner, UserPrompts& prompts, const MeterImage& image,
                       const QString& meterFileName, const QDate& date) {
    const QString path =
        prompts.SaveFileName(owner, QString::fromLatin1(kFilter), QStringLiteral("PointingSheet"),
                             QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return;
    }
    const SheetResult result = WritePointingSheet(path, image, meterFileName, date);
    if (result == SheetResult::UnknownExtension) {
        prompts.Message(owner, UnknownExtensionText());
    } else if (result != SheetResult::Written) {
        prompts.Message(owner, WriteFailureText(result, path));
    }
}

QString CSheetExport::UnknownExtensionText() {
    return QStringLiteral(
        "A pointing sheet is written as a PDF file (.pdf) or a CSV file (.csv): please give "
        "the file name one of these endings.");
}
