#pragma once

#include "model/MeterData.h"

#include <QDate>
#include <QString>

class QWidget;
class UserPrompts;

// "Pointing Sheet...": asks for a file name and writes the pointing sheet of the image there,
// a PDF or a CSV file by the name's extension, saying so when the name or the write fails.
class CSheetExport {
public:
    static constexpr const char* kFilter = "PDF File (*.pdf)|*.pdf|CSV File (*.csv)|*.csv|";

    // meterFileName: the file the data was last opened from or saved to, empty for none.
    static void Run(QWidget* owner, UserPrompts& prompts, const MeterImage& image,
                    const QString& meterFileName, const QDate& date = QDate::currentDate());

    static QString UnknownExtensionText();
};
