#include "import/TableSatellite.h"

#include <limits>

namespace {

// Rounds a value in thousandths to whole units; -1 when it is negative or past 16 bits.
int Thousandths(std::int64_t value) {
    if (value < 0 || value > std::int64_t{std::numeric_limits<std::uint16_t>::max()} * 1000 + 499) {
        return -1;
    }
    return static_cast<int>((value + 500) / 1000);
}

} // namespace

void TableSatellite::AddTransponder(std::int64_t frequencyKHz, std::int64_t symbolRate,
                                    char polarization) {
    const int frequency = Thousandths(frequencyKHz);
    const int rate = Thousandths(symbolRate);
    if (frequency < kLowestTunableMHz || frequency > kHighestTunableMHz ||
        rate < kLowestSymbolRate) {
        return;
    }
    if (polarization != 'H' && polarization != 'V' && polarization != 'L' && polarization != 'R') {
        return;
    }
    const auto key =
        static_cast<std::uint32_t>(frequency) << 8 | static_cast<std::uint8_t>(polarization);
    if (!m_seen.insert(key).second) {
        return;
    }
    m_transponders.push_back(
        {static_cast<std::uint16_t>(frequency), static_cast<std::uint16_t>(rate), polarization});
}
