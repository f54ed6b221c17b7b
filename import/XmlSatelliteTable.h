#pragma once

#include "import/TableSatellite.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// Reads a set-top box satellite list: <satellites> holding <sat name position> elements with
// <transponder frequency symbol_rate polarization> children; other elements and attributes
// are passed over. Hands every <sat> to the sink in document order. False when the content is
// no such list or not well-formed, or declares entities (nothing is expanded or fetched); the
// sink may have been called by then.
bool ReadXmlSatelliteTable(const QByteArray& content, const TableSatelliteSink& sink);

// The same with QXmlStreamReader alone. ReadXmlSatelliteTable leaves the plain lists that
// nearly all tables are to a quicker scanner and everything else to this one; both must agree.
bool ReadXmlWithStreamReader(const QByteArray& content, const TableSatelliteSink& sink);

// What both readers make of the attributes they found; a missing one is nullopt.
void SetXmlSatellite(TableSatellite& satellite, QString name, std::optional<std::int64_t> position);
void AddXmlTransponder(TableSatellite& satellite, std::optional<std::int64_t> frequency,
                       std::optional<std::int64_t> symbolRate,
                       std::optional<std::int64_t> polarization);
