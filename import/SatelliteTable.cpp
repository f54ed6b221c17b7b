#include "import/SatelliteTable.h"

#include "import/DvbScanTable.h"
#include "import/LibraryRecordMaker.h"
#include "import/XmlSatelliteTable.h"
#include "model/InputFile.h"
#include "model/SatListFile.h"

#include <QByteArray>

#include <span>

namespace {

// Adds a table satellite to the import as a record or as a skip with its reason.
void Collect(const TableSatellite& satellite, TableImport& import) {
    SatelliteRecord record{};
    switch (MakeLibraryRecord(satellite, record)) {
    case RecordOutcome::Made:
        if (import.records.size() < kMaxSatListRecords) {
            import.records.push_back(record);
            return;
        }
        ++import.skippedOverLimit;
        break;
    case RecordOutcome::NoPosition:
        ++import.skippedNoPosition;
        break;
    case RecordOutcome::NoTransponder:
        ++import.skippedNoTransponder;
        break;
    }
    ++import.skipped;
}

// XML starts with '<' after an optional byte order mark and white space; a UTF-16 mark can
// only be XML, as scan tables are UTF-8.
bool LooksLikeXml(const QByteArray& content) {
    if (content.startsWith("\xFE\xFF") || content.startsWith("\xFF\xFE")) {
        return true;
    }
    qsizetype i = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < content.size() &&
           (content[i] == ' ' || content[i] == '\t' || content[i] == '\r' || content[i] == '\n')) {
        ++i;
    }
    return i < content.size() && content[i] == '<';
}

} // namespace

TableImportResult ReadTableSatellites(const std::filesystem::path& path,
                                      const TableSatelliteSink& sink) {
    InputFile file;
    if (!file.Open(path)) {
        return TableImportResult::CannotOpen;
    }
    if (file.Size() > kMaxTableFileSize) {
        return TableImportResult::TooLarge;
    }
    QByteArray content(static_cast<qsizetype>(file.Size()), Qt::Uninitialized);
    if (!file.ReadExactly(std::as_writable_bytes(std::span(content.data(), content.size())))) {
        return TableImportResult::CannotOpen;
    }

    if (LooksLikeXml(content)) {
        return ReadXmlSatelliteTable(content, sink) ? TableImportResult::Done
                                                    : TableImportResult::NotATable;
    }
    TableSatellite satellite;
    if (!ReadDvbScanTable(content, satellite)) {
        return TableImportResult::NotATable;
    }
    std::optional<FileNamePosition> position = PositionFromFileName(path);
    if (!position) {
        return TableImportResult::NoPosition;
    }
    satellite.name = std::move(position->name);
    satellite.position = position->position;
    sink(satellite);
    return TableImportResult::Done;
}

TableImportResult ReadSatelliteTable(const std::filesystem::path& path, TableImport& result) {
    TableImport import;
    const TableImportResult read = ReadTableSatellites(
        path, [&import](const TableSatellite& satellite) { Collect(satellite, import); });
    if (read == TableImportResult::Done) {
        result = std::move(import);
    }
    return read;
}
