#include "import/XmlSatelliteTable.h"

#include "import/PlainXmlScanner.h"

#include <QXmlStreamReader>

#include <string_view>
#include <utility>

namespace {

std::optional<std::int64_t> Number(const QXmlStreamAttributes& attributes, QLatin1StringView name) {
    bool ok = false;
    const qlonglong value = attributes.value(name).toLongLong(&ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

// QXmlStreamReader's time grows with the square of an element's attributes and of the
// namespace declarations in scope: a few MB of either keep it busy for hours. No table has
// more than a handful, so a document past these is refused before it gets there.
constexpr std::size_t kMaxAttributes = 64;
constexpr std::size_t kMaxNamespaceDeclarations = 64;

bool WithinStreamReaderLimits(std::string_view text) {
    std::size_t declarations = 0;
    for (std::size_t at = text.find("xmlns"); at != std::string_view::npos;
         at = text.find("xmlns", at + 5)) {
        if (++declarations > kMaxNamespaceDeclarations) {
            return false;
        }
    }
    // Count the '=' of each tag outside quoted values. Comments, CDATA and processing
    // instructions hold no attributes; a DTD's internal subset is refused as a whole, as no
    // table has one and attribute defaults declared there would bypass the count.
    constexpr std::pair<std::string_view, std::string_view> kSkipped[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string_view::npos) {
        bool skipped = false;
        for (const auto& [open, close] : kSkipped) {
            if (text.substr(i, open.size()) == open) {
                i = text.find(close, i + open.size());
                if (i == std::string_view::npos) {
                    return true; // unterminated: QXmlStreamReader reports it
                }
                skipped = true;
                break;
            }
        }
        if (skipped) {
            continue;
        }
        const bool doctype = text.substr(i, 9) == "<!DOCTYPE";
        std::size_t equals = 0;
        char quote = 0;
        for (++i; i < text.size(); ++i) {
            const char c = text[i];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '=' && ++equals > kMaxAttributes) {
                return false;
            } else if (c == '[' && doctype) {
                return false;
            } else if (c == '>' || c == '<') {
                break; // a '<' here is an error that QXmlStreamReader stops at
            }
        }
    }
    return true;
}

} // namespace

void SetXmlSatellite(TableSatellite& satellite, QString name,
                     std::optional<std::int64_t> position) {
    satellite.name = std::move(name);
    // The bound only keeps the value in an int; the conversion refuses past a full turn.
    if (position && *position >= -36000 && *position <= 36000) {
        satellite.position = static_cast<int>(*position);
    }
}

void AddXmlTransponder(TableSatellite& satellite, std::optional<std::int64_t> frequency,
                       std::optional<std::int64_t> symbolRate,
                       std::optional<std::int64_t> polarization) {
    // 0 horizontal, 1 vertical, 2 circular left, 3 circular right.
    constexpr char kLetters[] = {'H', 'V', 'L', 'R'};
    if (frequency && symbolRate && polarization && *polarization >= 0 && *polarization < 4) {
        satellite.AddTransponder(*frequency, *symbolRate, kLetters[*polarization]);
    }
}

bool ReadXmlSatelliteTable(const QByteArray& content, const TableSatelliteSink& sink) {
    const std::string_view bytes(content.constData(), static_cast<std::size_t>(content.size()));
    // QXmlStreamReader alone takes longer than a user should wait for a 3 MB list.
    if (ScanPlainXml(bytes, nullptr)) {
        ScanPlainXml(bytes, &sink);
        return true;
    }
    return WithinStreamReaderLimits(bytes) && ReadXmlWithStreamReader(content, sink);
}

bool ReadXmlWithStreamReader(const QByteArray& content, const TableSatelliteSink& sink) {
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
                const QXmlStreamAttributes attributes = xml.attributes();
                satellite.emplace();
                SetXmlSatellite(*satellite, attributes.value(QLatin1StringView("name")).toString(),
                                Number(attributes, QLatin1StringView("position")));
            } else if (depth == 3 && satellite && xml.name() == u"transponder") {
                const QXmlStreamAttributes attributes = xml.attributes();
                AddXmlTransponder(*satellite, Number(attributes, QLatin1StringView("frequency")),
                                  Number(attributes, QLatin1StringView("symbol_rate")),
                                  Number(attributes, QLatin1StringView("polarization")));
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
