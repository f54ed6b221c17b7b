#include "import/PlainXmlScanner.h"

#include "import/XmlSatelliteTable.h"

#include <QString>
#include <QStringDecoder>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// More are left to QXmlStreamReader's reader and the limits in front of it.
constexpr std::size_t kMaxAttributes = 64;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Well-formed UTF-8 of XML characters only: no C0 controls but tab and line ends, no
// surrogates, no U+FFFE or U+FFFF.
bool IsXmlText(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    while (p < end) {
        // Eight printable ASCII bytes at once: no high bit set, none below 0x20.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t below20OrHigh = ((word - kOnes * 0x20) & ~word) | word;
            if ((below20OrHigh & kOnes * 0x80) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned lead = *p;
        if (lead < 0x80) {
            if (lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r') {
                return false;
            }
            ++p;
            continue;
        }
        std::ptrdiff_t extra = 0;
        std::uint32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, code = lead & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra) {
            return false;
        }
        for (std::ptrdiff_t i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (p[i] & 0x3F);
        }
        constexpr std::uint32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kShortest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            code == 0xFFFE || code == 0xFFFF) {
            return false;
        }
        p += extra + 1;
    }
    return true;
}

void AppendUtf8(std::uint32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// An attribute value with its references resolved: the five predefined entities and
// character references to XML characters. False for any other '&'.
bool Decode(std::string_view raw, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < raw.size();) {
        if (raw[i] != '&') {
            out += raw[i++];
            continue;
        }
        const std::size_t semicolon = raw.find(';', i);
        if (semicolon == std::string_view::npos) {
            return false;
        }
        const std::string_view ref = raw.substr(i + 1, semicolon - i - 1);
        i = semicolon + 1;
        constexpr std::pair<std::string_view, char> kPredefined[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        bool known = false;
        for (const auto& [name, c] : kPredefined) {
            if (ref == name) {
                out += c;
                known = true;
            }
        }
        if (known) {
            continue;
        }
        if (ref.size() < 2 || ref[0] != '#') {
            return false;
        }
        const bool hex = ref[1] == 'x';
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        std::uint32_t code = 0;
        for (const char c : digits) {
            const int digit = c >= '0' && c <= '9'          ? c - '0'
                              : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                            : -1;
            if (digit < 0) {
                return false;
            }
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        }
        const bool xmlChar =
            code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
            (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
        if (!xmlChar) {
            return false;
        }
        AppendUtf8(code, out);
    }
    return true;
}

// As QXmlStreamReader has it: a leading U+FEFF inside a value is a character, not a mark.
QString Utf16(std::string_view utf8) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

class Scanner final {
public:
    Scanner(std::string_view text, const TableSatelliteSink* sink) : m_text(text), m_sink(sink) {}

    bool Run() {
        // The second run, with a sink, reads what the first one checked.
        if (!m_sink && !IsXmlText(m_text)) {
            return false;
        }
        if (StartsWith("\xEF\xBB\xBF")) {
            m_pos = 3;
        }
        if (StartsWith("<?xml") && m_pos + 5 < m_text.size() && IsSpace(m_text[m_pos + 5]) &&
            !Declaration()) {
            return false;
        }
        bool rootDone = false;
        for (;;) {
            SkipSpace();
            if (m_pos == m_text.size()) {
                return rootDone;
            }
            if (m_text[m_pos] != '<') {
                return false; // text
            }
            const char second = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : '\0';
            if (second == '!') {
                const std::size_t end = m_text.find("--", m_pos + 4);
                if (!StartsWith("<!--") || end == std::string_view::npos ||
                    end + 2 >= m_text.size() || m_text[end + 2] != '>') {
                    return false;
                }
                m_pos = end + 3;
            } else if (second == '/') {
                if (!EndTag()) {
                    return false;
                }
                rootDone = m_open.empty();
            } else if (second == '?' || rootDone || !StartTag()) {
                return false;
            } else {
                rootDone = m_open.empty();
            }
        }
    }

private:
    struct Attribute {
        std::string_view name;
        std::string_view raw; // as written, references unresolved
    };

    bool StartsWith(std::string_view prefix) const {
        return m_text.substr(m_pos, prefix.size()) == prefix;
    }
    bool SkipSpace() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) {
            ++m_pos;
        }
        return m_pos > start;
    }
    std::string_view Name() {
        const std::size_t start = m_pos;
        if (m_pos < m_text.size() && IsNameStart(m_text[m_pos])) {
            while (++m_pos < m_text.size() && IsNameChar(m_text[m_pos])) {
            }
        }
        return m_text.substr(start, m_pos - start);
    }
    // = and a quoted value without '<' or line ends, whose references resolve.
    std::optional<std::string_view> Value() {
        SkipSpace();
        if (m_pos >= m_text.size() || m_text[m_pos] != '=') {
            return std::nullopt;
        }
        ++m_pos;
        SkipSpace();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\'')) {
            return std::nullopt;
        }
        const std::size_t end = m_text.find(m_text[m_pos], m_pos + 1);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view raw = m_text.substr(m_pos + 1, end - m_pos - 1);
        m_pos = end + 1;
        // White space inside a value is normalised by XML; leave such values to Qt.
        if (raw.find_first_of("<\t\n\r") != std::string_view::npos ||
            (raw.find('&') != std::string_view::npos && !Decode(raw, m_scratch))) {
            return std::nullopt;
        }
        return raw;
    }

    bool Declaration() {
        m_pos += 5;
        constexpr std::string_view kOrder[] = {"version", "encoding", "standalone"};
        std::size_t next = 0;
        for (;;) {
            const bool spaced = SkipSpace();
            if (StartsWith("?>")) {
                m_pos += 2;
                return next > 0;
            }
            const std::string_view name = Name();
            const std::optional<std::string_view> value = Value();
            std::size_t k = next;
            while (k < std::size(kOrder) && kOrder[k] != name) {
                ++k;
            }
            // version first, then the others in their order, each once
            if (!spaced || !value || k == std::size(kOrder) || (next == 0 && k != 0)) {
                return false;
            }
            const QString text = Utf16(*value);
            const bool known = k == 0   ? text == u"1.0"
                               : k == 1 ? text.compare(u"UTF-8", Qt::CaseInsensitive) == 0
                                        : text == u"yes" || text == u"no";
            if (!known) {
                return false;
            }
            next = k + 1;
        }
    }

    bool StartTag() {
        ++m_pos;
        const std::string_view name = Name();
        if (name.empty()) {
            return false;
        }
        m_attributes.clear();
        bool empty = false;
        for (;;) {
            const bool spaced = SkipSpace();
            if (m_pos < m_text.size() && m_text[m_pos] == '>') {
                ++m_pos;
                break;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == '/' && StartsWith("/>")) {
                m_pos += 2;
                empty = true;
                break;
            }
            const std::string_view attribute = Name();
            // xml and xmlns names bind namespaces and carry rules of their own.
            if (!spaced || attribute.empty() || attribute.substr(0, 3) == "xml") {
                return false;
            }
            const std::optional<std::string_view> raw = Value();
            if (!raw) {
                return false;
            }
            if (m_attributes.size() == kMaxAttributes) {
                return false;
            }
            for (const Attribute& seen : m_attributes) {
                if (seen.name == attribute) {
                    return false;
                }
            }
            m_attributes.push_back({attribute, *raw});
        }
        const std::size_t depth = m_open.size() + 1;
        if (depth == 1 && name != "satellites") {
            return false;
        }
        if (depth == 2 && name == "sat") {
            m_satellite = true;
            if (m_sink) {
                m_current = TableSatellite();
                SetXmlSatellite(m_current, Utf16(Text("name")), Number("position"));
            }
        } else if (depth == 3 && m_satellite && name == "transponder" && m_sink) {
            AddXmlTransponder(m_current, Number("frequency"), Number("symbol_rate"),
                              Number("polarization"));
        }
        if (empty) {
            Ended(depth);
        } else {
            m_open.push_back(name);
        }
        return true;
    }

    bool EndTag() {
        m_pos += 2;
        const std::string_view name = Name();
        SkipSpace();
        if (m_open.empty() || m_open.back() != name || !StartsWith(">")) {
            return false;
        }
        ++m_pos;
        Ended(m_open.size());
        m_open.pop_back();
        return true;
    }

    void Ended(std::size_t depth) {
        if (depth == 2 && m_satellite) {
            if (m_sink) {
                (*m_sink)(m_current);
            }
            m_satellite = false;
        }
    }

    // The attribute's resolved value; empty when it is missing.
    std::string Text(std::string_view name) {
        for (const Attribute& attribute : m_attributes) {
            if (attribute.name == name) {
                Decode(attribute.raw, m_scratch);
                return m_scratch;
            }
        }
        return std::string();
    }

    std::optional<std::int64_t> Number(std::string_view name) {
        const Attribute* found = nullptr;
        for (const Attribute& attribute : m_attributes) {
            if (attribute.name == name) {
                found = &attribute;
            }
        }
        if (!found) {
            return std::nullopt;
        }
        // Plain digits, the usual case, directly; anything else as QXmlStreamReader's reader
        // would take it, so that both readers agree.
        const std::string_view raw = found->raw;
        const std::size_t sign = !raw.empty() && raw[0] == '-';
        if (raw.size() > sign && raw.size() - sign <= 18 &&
            raw.find_first_not_of("0123456789", sign) == std::string_view::npos) {
            std::int64_t value = 0;
            for (std::size_t i = sign; i < raw.size(); ++i) {
                value = value * 10 + (raw[i] - '0');
            }
            return sign ? -value : value;
        }
        Decode(raw, m_scratch);
        bool ok = false;
        const qlonglong value = Utf16(m_scratch).toLongLong(&ok);
        return ok ? std::optional<std::int64_t>(value) : std::nullopt;
    }

    std::string_view m_text;
    const TableSatelliteSink* m_sink;
    std::size_t m_pos = 0;
    std::vector<std::string_view> m_open; // names of the elements not yet closed
    std::vector<Attribute> m_attributes;  // of the start tag being read
    std::string m_scratch;
    bool m_satellite = false; // inside a <sat> of the root
    TableSatellite m_current;
};

} // namespace

bool ScanPlainXml(std::string_view content, const TableSatelliteSink* sink) {
    return Scanner(content, sink).Run();
}
