#pragma once

#include "import/TableSatellite.h"

#include <QByteArray>

// Reads a set-top box satellite list: <satellites> holding <sat name position> elements with
// <transponder frequency symbol_rate polarization> children; other elements and attributes
// are passed over. Hands every <sat> to the sink in document order. False when the content is
// no such list or not well-formed, or declares entities (nothing is expanded or fetched); the
// sink may have been called by then.
bool ReadXmlSatelliteTable(const QByteArray& content, const TableSatelliteSink& sink);
