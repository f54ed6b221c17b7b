#pragma once

#include "import/TableSatellite.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

// Reads the transponders of a DVBv5 scan table: '#' comments, then blocks that open with a
// [label] line and hold KEY = VALUE lines. False when the content is not such a table: not
// UTF-8, control characters, a line of any other form, or no block at all.
bool ReadDvbScanTable(const QByteArray& content, TableSatellite& satellite);

struct FileNamePosition {
    QString name; // what stands before the position
    int position; // tenths of a degree, east positive
};
// The position these tables carry in their file names: Astra-19.2E, AMC1-103w,
// Intelsat-1002-1.0W; also behind an added extension (Astra-19.2E.conf). None when the name
// carries none.
std::optional<FileNamePosition> PositionFromFileName(const std::filesystem::path& path);
