#pragma once

#include "model/MeterData.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// The pointing sheet to take onto the roof: where to aim each satellite in use and how it is
// set up, as a printable PDF or as CSV for a spreadsheet.
enum class SheetFormat { Pdf, Csv };
// CannotOpen and WriteError as for meter files, so that their messages are the same.
enum class SheetResult { Written, UnknownExtension, CannotOpen, WriteError };

// The format named by the file name's extension, ".pdf" or ".csv" in any case; none for any
// other name.
std::optional<SheetFormat> SheetFormatOf(const QString& path);

// The sheet's bytes for the image's site and satellites in use, the declination taken on
// `date`. meterFileName names the meter file on the sheet (its folder is left out); empty for
// data not saved to a file.
QByteArray PointingSheetBytes(SheetFormat format, const MeterImage& image,
                              const QString& meterFileName, const QDate& date);

// Writes the sheet in the format of the path's extension. It is written as a meter file is:
// a failure leaves any old file of that name as it was.
SheetResult WritePointingSheet(const QString& path, const MeterImage& image,
                               const QString& meterFileName, const QDate& date);
