#include "import/LibraryRecordMaker.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_set>
#include <vector>

namespace {

// Codes in kLnbTypeLabels.
constexpr std::uint8_t kUniversal = 0;
constexpr std::uint8_t kOcs = 1;
constexpr std::uint8_t kSingle1 = 2;
constexpr std::uint8_t kSingle2 = 3;
constexpr std::uint8_t kSingle3 = 4;

// An LNB type and the transponders it brings into the meter's 950..2150 MHz input.
struct LnbChoice {
    std::uint8_t lnbType;
    std::uint16_t lowest; // MHz
    std::uint16_t highest;
    bool linear;
    bool circular;
    std::uint16_t bandSplit; // from here on the high oscillator; 0 for one band
};

constexpr LnbChoice kUniversalLnb = {kUniversal, 10700, 12750, true, false, 11700};
// Only for a table without a linear Ku transponder; the first of the most receiving wins.
constexpr std::array<LnbChoice, 4> kOtherLnbs = {{
    {kOcs, 3600, 4200, true, false, 0},       // both of 5150 and 5750 reach these
    {kSingle1, 3000, 4200, true, true, 0},    // 5150
    {kSingle3, 11700, 12750, false, true, 0}, // 10750, the usual circular Ku LNB
    {kSingle2, 10700, 11900, false, true, 0}, // 9750
}};

// A word ends here; cutting the name there keeps whole words.
bool IsBreak(char c) {
    return c == ' ' || c == '/' || c == '-';
}

// Fewer kept characters than this say less than the first eleven would.
constexpr std::size_t kMinKeptChars = 3;

std::string TrimBreaks(std::string text) {
    while (!text.empty() && IsBreak(text.back())) {
        text.pop_back();
    }
    return text;
}

bool SwitchesAsVertical(char polarization) {
    return StoredPolarization(polarization) == kVertical;
}

// The transponders the LNB receives, once for each frequency and LNB state: where it takes
// both, H and left at one frequency are the same entry to the meter.
std::vector<std::size_t> Receivable(const std::vector<TableTransponder>& tps,
                                    const LnbChoice& lnb) {
    std::vector<std::size_t> usable;
    std::unordered_set<std::uint32_t> states;
    for (std::size_t i = 0; i < tps.size(); ++i) {
        const TableTransponder& tp = tps[i];
        const bool circular = tp.polarization == 'L' || tp.polarization == 'R';
        const std::uint32_t state =
            std::uint32_t{tp.frequency} << 1 | (SwitchesAsVertical(tp.polarization) ? 1 : 0);
        if (tp.frequency >= lnb.lowest && tp.frequency <= lnb.highest &&
            (circular ? lnb.circular : lnb.linear) && states.insert(state).second) {
            usable.push_back(i);
        }
    }
    return usable;
}

} // namespace

std::uint8_t StoredPolarization(char polarization) {
    return polarization == 'V' || polarization == 'R' ? kVertical : kHorizontal;
}

std::vector<std::size_t> SpreadTransponders(const std::vector<TableTransponder>& tps,
                                            const std::vector<std::size_t>& usable,
                                            std::uint16_t bandSplit) {
    std::array<std::vector<std::size_t>, 4> quarters;
    for (const std::size_t i : usable) {
        const bool high = bandSplit != 0 && tps[i].frequency >= bandSplit;
        quarters[(high ? 2 : 0) + (SwitchesAsVertical(tps[i].polarization) ? 1 : 0)].push_back(i);
    }
    std::array<std::size_t, 4> take{};
    std::size_t picked = 0;
    while (picked < kMaxTps && picked < usable.size()) {
        for (std::size_t q = 0; q < quarters.size() && picked < kMaxTps; ++q) {
            if (take[q] < quarters[q].size()) {
                ++take[q];
                ++picked;
            }
        }
    }
    std::vector<std::size_t> chosen;
    for (std::size_t q = 0; q < quarters.size(); ++q) {
        const std::size_t n = quarters[q].size(), k = take[q];
        for (std::size_t i = 0; i < k; ++i) {
            chosen.push_back(quarters[q][(2 * i + 1) * n / (2 * k)]); // middle of slice i of k
        }
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

std::string ShortSatelliteName(QStringView name) {
    static const QRegularExpression position(
        QStringLiteral("\\(\\s*[0-9]{1,3}(?:[.,][0-9]+)?\\s*\u00B0?\\s*[EWew]\\s*\\)"));
    // Lists that begin every name with the position, often with the band after it, would
    // spend the eleven bytes on what the record stores anyway.
    static const QRegularExpression leading(
        QStringLiteral("^\\s*[0-9]{1,3}(?:[.,][0-9]+)?\\s*\u00B0?\\s*[EW](?![\\p{L}\\p{N}])"
                       "(?:[\\s_-]*(?:C|Ku|Ka)-band(?![\\p{L}\\p{N}]))?[\\s_-]*"),
        QRegularExpression::CaseInsensitiveOption);
    QString text = name.toString();
    const QStringView trimmed = name.trimmed();
    if (!trimmed.isEmpty() && trimmed.front().isDigit()) {
        text.remove(leading);
    }
    if (text.contains(u'(')) {
        text.remove(position);
    }

    std::string latin;
    bool afterSpace = true; // drops leading and repeated white space
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isSpace(c)) {
            if (!afterSpace) {
                latin += ' ';
            }
            afterSpace = true;
            continue;
        }
        afterSpace = false;
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        latin += control || c > 0xFF ? '?' : static_cast<char>(c);
    }
    if (!latin.empty() && latin.back() == ' ') {
        latin.pop_back();
    }
    if (latin.size() <= kMaxNameChars) {
        return latin;
    }
    std::size_t cut = 0;
    for (std::size_t i = 1; i <= kMaxNameChars; ++i) {
        if (IsBreak(latin[i])) {
            cut = i;
        }
    }
    std::string words = TrimBreaks(latin.substr(0, cut));
    if (words.size() >= kMinKeptChars) {
        return words;
    }
    std::string head = latin.substr(0, kMaxNameChars);
    if (head.back() == ' ') {
        head.pop_back();
    }
    return head;
}

std::string RecordName(QStringView name, RecordPosition position) {
    std::string text = ShortSatelliteName(name);
    if (text.empty()) {
        char fallback[16];
        std::snprintf(fallback, sizeof fallback, "%d.%d%c", position.longitude / 10,
                      position.longitude % 10, position.direction);
        text = fallback;
    }
    return text;
}

std::optional<RecordPosition> ToRecordPosition(int tenths) {
    if (tenths < -3600 || tenths > 3600) {
        return std::nullopt;
    }
    if (tenths > 1800) {
        tenths -= 3600;
    } else if (tenths < -1800) {
        tenths += 3600;
    }
    return tenths >= 0 ? RecordPosition{static_cast<std::uint16_t>(tenths), kEast}
                       : RecordPosition{static_cast<std::uint16_t>(-tenths), kWest};
}

RecordOutcome MakeLibraryRecord(const TableSatellite& satellite, SatelliteRecord& record) {
    const std::optional<RecordPosition> position =
        satellite.position ? ToRecordPosition(*satellite.position) : std::nullopt;
    if (!position) {
        return RecordOutcome::NoPosition;
    }
    const std::vector<TableTransponder>& tps = satellite.Transponders();
    const LnbChoice* lnb = &kUniversalLnb;
    std::vector<std::size_t> usable = Receivable(tps, kUniversalLnb);
    if (usable.empty()) {
        for (const LnbChoice& other : kOtherLnbs) {
            std::vector<std::size_t> receivable = Receivable(tps, other);
            if (receivable.size() > usable.size()) {
                usable = std::move(receivable);
                lnb = &other;
            }
        }
    }
    if (usable.empty()) {
        return RecordOutcome::NoTransponder;
    }

    record = MakeNewSatellite(nullptr);
    SetNameText(record, RecordName(satellite.name, *position));
    record.longitude = position->longitude;
    record.direction = position->direction;
    record.lnbType = lnb->lnbType;
    record.lnbLowFreq = kLnbPresets[lnb->lnbType].low;
    record.lnbHighFreq = kLnbPresets[lnb->lnbType].high;

    const std::vector<std::size_t> chosen = SpreadTransponders(tps, usable, lnb->bandSplit);
    record.tpCount = static_cast<std::uint8_t>(chosen.size());
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const TableTransponder& tp = tps[chosen[k]];
        record.tps[k] = {tp.symbolRate, tp.frequency, StoredPolarization(tp.polarization), 0};
    }
    return RecordOutcome::Made;
}
