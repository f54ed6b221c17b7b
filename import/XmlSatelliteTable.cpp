#include "import/XmlSatelliteTable.h"

#include <QXmlStreamReader>

#include <optional>

namespace {

std::optional<std::int64_t> Number(const QXmlStreamAttributes& attributes, QLatin1StringView name) {
    bool ok = false;
    const qlonglong value = attributes.value(name).toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

// 0 horizontal, 1 vertical, 2 circular left, 3 circular right.
char Polarization(std::int64_t code) {
    constexpr char kLetters[] = {'H', 'V', 'L', 'R'};
    return code >= 0 && code < 4 ? kLetters[code] : '\0';
}

void ReadSatAttributes(const QXmlStreamAttributes& attributes, TableSatellite& satellite) {
    satellite.name = attributes.value(QLatin1StringView("name")).toString();
    const std::optional<std::int64_t> position = Number(attributes, QLatin1StringView("position"));
    // The bound only keeps the value in an int; the conversion refuses past a full turn.
    if (position && *position >= -36000 && *position <= 36000) {
        satellite.position = static_cast<int>(*position);
    }
}

void ReadTransponder(const QXmlStreamAttributes& attributes, TableSatellite& satellite) {
    const auto frequency = Number(attributes, QLatin1StringView("frequency"));
    const auto symbolRate = Number(attributes, QLatin1StringView("symbol_rate"));
    const auto polarization = Number(attributes, QLatin1StringView("polarization"));
    if (frequency && symbolRate && polarization) {
        satellite.AddTransponder(*frequency, *symbolRate, Polarization(*polarization));
    }
}

} // namespace

bool ReadXmlSatelliteTable(const QByteArray& content, const TableSatelliteSink& sink) {
    QXmlStreamReader xml(content);
    int depth = 0;
    bool rootSeen = false;
    std::optional<TableSatellite> satellite; // the <sat> being read
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            // Entities are how an XML file reaches outside itself or blows up in memory.
            if (!xml.entityDeclarations().isEmpty()) {
                return false;
            }
            break;
        case QXmlStreamReader::EntityReference:
            return false;
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == 1) {
                if (xml.name() != u"satellites") {
                    return false;
                }
                rootSeen = true;
            } else if (depth == 2 && xml.name() == u"sat") {
                satellite.emplace();
                ReadSatAttributes(xml.attributes(), *satellite);
            } else if (depth == 3 && satellite && xml.name() == u"transponder") {
                ReadTransponder(xml.attributes(), *satellite);
            }
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 2 && satellite) {
                sink(*satellite);
                satellite.reset();
            }
            --depth;
            break;
        default:
            break;
        }
    }
    return rootSeen && !xml.hasError();
}
