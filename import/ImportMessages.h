#pragma once

#include "import/SatelliteTable.h"

#include <QString>

// Entries for the Satellite List dialog's open filter, to follow its own
// "Satellites list File (*.sat)|*.sat|"; the scan tables carry no extension.
inline constexpr char kSatelliteTableFilters[] =
    "Satellite XML table (*.xml)|*.xml|DVB scan table (*)|*|";

// The end-of-import message: how many satellites came in, how many were skipped and why.
QString ImportSummary(const TableImport& import);

// The message for a result other than Done (empty for Done); path is the file the user chose.
QString ImportFailureMessage(TableImportResult result, const QString& path);
