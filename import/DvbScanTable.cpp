#include "import/DvbScanTable.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// One block's values as the table wrote them; a missing key stays empty.
struct DvbBlock {
    QStringView deliverySystem;
    QStringView frequency;
    QStringView polarization;
    QStringView symbolRate;
};

std::int64_t Number(QStringView text) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok ? value : -1;
}

char Polarization(QStringView text) {
    if (text.compare(u"HORIZONTAL", Qt::CaseInsensitive) == 0) {
        return 'H';
    }
    if (text.compare(u"VERTICAL", Qt::CaseInsensitive) == 0) {
        return 'V';
    }
    if (text.compare(u"LEFT", Qt::CaseInsensitive) == 0) {
        return 'L';
    }
    if (text.compare(u"RIGHT", Qt::CaseInsensitive) == 0) {
        return 'R';
    }
    return '\0';
}

void AddBlock(const DvbBlock& block, TableSatellite& satellite) {
    // A table may mix in terrestrial or cable entries; the meter tunes only satellites.
    if (!block.deliverySystem.isEmpty() &&
        block.deliverySystem.compare(u"DVBS", Qt::CaseInsensitive) != 0 &&
        block.deliverySystem.compare(u"DVBS2", Qt::CaseInsensitive) != 0) {
        return;
    }
    satellite.AddTransponder(Number(block.frequency), Number(block.symbolRate),
                             Polarization(block.polarization));
}

bool IsKey(QStringView key) {
    if (key.isEmpty()) {
        return false;
    }
    for (const QChar c : key) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'_') {
            return false;
        }
    }
    return true;
}

} // namespace

bool ReadDvbScanTable(const QByteArray& content, TableSatellite& satellite) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(content);
    if (utf8.hasError()) {
        return false;
    }
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
            return false;
        }
    }
    bool inBlock = false;
    DvbBlock block;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            if (inBlock) {
                AddBlock(block, satellite);
            }
            inBlock = true;
            block = {};
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QStringView key = equals < 0 ? QStringView() : line.left(equals).trimmed();
        if (!inBlock || !IsKey(key)) {
            return false;
        }
        const QStringView value = line.mid(equals + 1).trimmed();
        if (key.compare(u"DELIVERY_SYSTEM", Qt::CaseInsensitive) == 0) {
            block.deliverySystem = value;
        } else if (key.compare(u"FREQUENCY", Qt::CaseInsensitive) == 0) {
            block.frequency = value;
        } else if (key.compare(u"POLARIZATION", Qt::CaseInsensitive) == 0) {
            block.polarization = value;
        } else if (key.compare(u"SYMBOL_RATE", Qt::CaseInsensitive) == 0) {
            block.symbolRate = value;
        }
    }
    if (!inBlock) {
        return false;
    }
    AddBlock(block, satellite);
    return true;
}

std::optional<FileNamePosition> PositionFromFileName(const std::filesystem::path& path) {
    // An optional name and '-', degrees with an optional fraction, then E or W.
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(.*)-)?([0-9]{1,3})(?:\\.([0-9]+))?([EWew])$"));
    for (const auto& candidate : {path.filename(), path.stem()}) {
        // Bytes that are not UTF-8 become U+FFFD here instead of throwing as u16string() may.
        const std::string& bytes = candidate.native();
        const QRegularExpressionMatch match =
            pattern.match(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!match.hasMatch()) {
            continue;
        }
        const QStringView fraction = match.capturedView(3);
        int tenths = match.capturedView(2).toInt() * 10;
        if (!fraction.isEmpty()) {
            tenths += fraction[0].digitValue() + (fraction.size() > 1 && fraction[1] >= u'5');
        }
        const bool west = match.capturedView(4).compare(u"W", Qt::CaseInsensitive) == 0;
        return FileNamePosition{match.captured(1), west ? -tenths : tenths};
    }
    return std::nullopt;
}
