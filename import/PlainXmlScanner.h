#pragma once

#include "import/TableSatellite.h"

#include <string_view>

// A quick reader for the plain XML that satellite lists are written in: UTF-8, one root,
// elements with quoted attributes, comments and white space between them. It claims only a
// document that it understands completely and that is well-formed; for anything else (a DTD,
// CDATA, text, processing instructions, namespaces, another encoding, any error) it answers
// false and QXmlStreamReader has the last word. With a sink it hands over the <sat> elements
// as ReadXmlSatelliteTable does; without one it only answers whether it can, so that a sink
// never sees half a document.
bool ScanPlainXml(std::string_view content, const TableSatelliteSink* sink);
