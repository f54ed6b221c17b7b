#include "chart/PointingSheet.h"

#include "chart/PointingSheetPdf.h"
#include "model/AtomicFile.h"
#include "model/Geomagnetism.h"
#include "model/PointingTable.h"

#include <QFile>

#include <filesystem>
#include <span>

std::optional<SheetFormat> SheetFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        return SheetFormat::Pdf;
    }
    if (path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        return SheetFormat::Csv;
    }
    return std::nullopt;
}

QByteArray PointingSheetBytes(SheetFormat format, const MeterImage& image,
                              const QString& meterFileName, const QDate& date) {
    const PointingTable table =
        MakePointingTable(image.settingsBlock, DecimalYear(date.year(), date.month(), date.day()));
    if (format == SheetFormat::Csv) {
        return QByteArray::fromStdString(PointingCsv(table));
    }
    return PointingSheetPdf(table, image.settingsBlock, meterFileName, date).Render();
}

SheetResult WritePointingSheet(const QString& path, const MeterImage& image,
                               const QString& meterFileName, const QDate& date) {
    const std::optional<SheetFormat> format = SheetFormatOf(path);
    if (!format) {
        return SheetResult::UnknownExtension;
    }
    const QByteArray bytes = PointingSheetBytes(*format, image, meterFileName, date);
    const std::span<const std::byte> data(reinterpret_cast<const std::byte*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size()));
    const std::span<const std::span<const std::byte>> chunks(&data, 1);
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    switch (WriteFileAtomically(target, chunks)) {
    case AtomicWriteResult::Done:
        return SheetResult::Written;
    case AtomicWriteResult::CannotOpen:
        return SheetResult::CannotOpen;
    case AtomicWriteResult::WriteError:
        break;
    }
    return SheetResult::WriteError;
}
