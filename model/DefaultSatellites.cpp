#include "model/DefaultSatellites.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Four parallel columns and one transponder pool; each row takes the next TP-count entries of
// the pool, so the table has no index of its own. Names, numbers and letters are kept exactly
// as the meter's makers shipped them, lower-case polarization letters included.
inline constexpr std::size_t kDefaultCount = 40;
inline constexpr std::size_t kPoolSize = 310;

constexpr std::array<const char*, kDefaultCount> kNames = {
    "ChinaSat 6B", "Astra 1G",    "Amos",      "Eurobird 4A", "Sirius4",     "EutelsatW3A",
    "Eurobird 9A", "EutelsatW2A", "HotBird",   "Eutlsat W2",  "Astra 1H",    "AfriSlar 1",
    "Eutelsat W6", "Astra",       "Eurbird 2", "Arabsat 2B",  "Badr",        "Eurobird 1",
    "Nilesat 102", "Turksat 1C",  "Astra 2C",  "Eurobird 3",  "Eutelsat",    "Paksat 1",
    "Hellas Sat2", "Express AM1", "Turksat",   "Lntelsat 12", "Intelsat 1R", "Intelsat 21",
    "Intelsat 11", "NSS 10",      "Amazonas",  "Nss 703",     "Star One C1", "EMB-C2",
    "Gvt-G11",     "Sky-l11",     "Hispasat",  "Telstar14R",
};

constexpr std::array<std::uint16_t, kDefaultCount> kLongitudes = {
    1155, 315, 170, 4,   48,  70,  90,  100, 130, 160, 192, 210, 216, 5,
    255,  305, 260, 285, 70,  420, 192, 330, 70,  380, 390, 400, 420, 450,
    500,  580, 431, 375, 610, 470, 650, 700, 555, 431, 300, 630,
};

constexpr std::array<char, kDefaultCount> kDirections = {
    'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E',
    'E', 'E', 'E', 'E', 'W', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E', 'E',
    'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W', 'W',
};

constexpr std::array<std::uint8_t, kDefaultCount> kTpCounts = {
    8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 4, 8, 8, 8, 8, 8, 8, 8, 8,
    2, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8,
};

// Written as the table reads (frequency, polarization, symbol rate); stored in TpEntry order.
constexpr TpEntry Tp(std::uint16_t frequency, char polarization, std::uint16_t symbolRate) {
    return {symbolRate, frequency, static_cast<std::uint8_t>(polarization), 0};
}

constexpr std::array<TpEntry, kPoolSize> kTpPool = {{
    // ChinaSat 6B
    Tp(3840, 'V', 27500),
    Tp(11060, 'V', 27500),
    Tp(11325, 'V', 4937),
    Tp(11914, 'H', 27500),
    Tp(12148, 'H', 27500),
    Tp(12207, 'V', 27500),
    Tp(12266, 'H', 27500),
    Tp(12304, 'H', 27500),
    // Astra 1G
    Tp(3730, 'H', 10720),
    Tp(3740, 'V', 27500),
    Tp(3750, 'H', 10490),
    Tp(3780, 'V', 27500),
    Tp(3840, 'H', 27500),
    Tp(3880, 'H', 27500),
    Tp(4100, 'V', 27500),
    Tp(4140, 'V', 27500),
    // Amos
    Tp(11139, 'V', 30000),
    Tp(11761, 'V', 15000),
    Tp(11801, 'V', 27500),
    Tp(11884, 'V', 27500),
    Tp(11967, 'V', 30000),
    Tp(12035, 'H', 4000),
    Tp(12208, 'H', 17666),
    Tp(12216, 'H', 27500),
    // Eurobird 4A
    Tp(11044, 'H', 6111),
    Tp(11053, 'H', 6111),
    Tp(11062, 'H', 6666),
    Tp(11070, 'H', 6666),
    Tp(11080, 'H', 6666),
    Tp(11088, 'H', 6666),
    Tp(11098, 'H', 6666),
    Tp(11106, 'H', 6666),
    // Sirius4
    Tp(11727, 'H', 27500),
    Tp(11747, 'V', 27500),
    Tp(11766, 'H', 27500),
    Tp(11785, 'V', 27500),
    Tp(11804, 'H', 27500),
    Tp(11823, 'V', 27500),
    Tp(11843, 'H', 27500),
    Tp(11862, 'V', 27500),
    // EutelsatW3A
    Tp(10762, 'H', 29500),
    Tp(10845, 'V', 27500),
    Tp(10928, 'H', 30000),
    Tp(10928, 'V', 27500),
    Tp(10963, 'H', 9874),
    Tp(10964, 'V', 9874),
    Tp(10972, 'H', 4936),
    Tp(10976, 'V', 4434),
    // Eurobird 9A
    Tp(11717, 'V', 27500),
    Tp(11747, 'H', 27500),
    Tp(11766, 'V', 27500),
    Tp(11785, 'H', 27500),
    Tp(11823, 'H', 27500),
    Tp(11843, 'V', 27500),
    Tp(11861, 'H', 27500),
    Tp(11900, 'H', 27500),
    // EutelsatW2A
    Tp(3861, 'V', 6666),
    Tp(3870, 'V', 6666),
    Tp(4038, 'H', 3200),
    Tp(10710, 'V', 6111),
    Tp(10719, 'V', 6111),
    Tp(10960, 'H', 6666),
    Tp(10792, 'V', 6111),
    Tp(10960, 'V', 4167),
    // HotBird
    Tp(3840, 'V', 27500),
    Tp(11318, 'V', 6666),
    Tp(11325, 'V', 4937),
    Tp(11914, 'H', 27500),
    Tp(12148, 'H', 27500),
    Tp(12207, 'V', 27500),
    Tp(12266, 'H', 27500),
    Tp(12304, 'H', 27500),
    // Eutlsat W2
    Tp(10719, 'V', 27500),
    Tp(10892, 'H', 27500),
    Tp(10957, 'V', 2821),
    Tp(10972, 'H', 27500),
    Tp(10975, 'H', 27500),
    Tp(10995, 'H', 4444),
    Tp(11001, 'H', 4444),
    Tp(11007, 'H', 5000),
    // Astra 1H
    Tp(10744, 'H', 22000),
    Tp(10743, 'H', 22000),
    Tp(10748, 'V', 22000),
    Tp(10818, 'V', 22000),
    Tp(10832, 'H', 22000),
    Tp(10862, 'H', 22000),
    Tp(10876, 'V', 22000),
    Tp(10921, 'H', 22000),
    // AfriSlar 1
    Tp(1469, 'V', 1840),
    Tp(1471, 'H', 1840),
    Tp(1473, 'H', 1840),
    Tp(1481, 'H', 1840),
    // Eutelsat W6
    Tp(10972, 'V', 2170),
    Tp(10975, 'V', 2170),
    Tp(10978, 'V', 1447),
    Tp(10985, 'H', 2100),
    Tp(2592, 'H', 11011),
    Tp(2667, 'V', 11015),
    Tp(2667, 'H', 11027),
    Tp(2000, 'V', 11108),
    // Astra
    Tp(10803, 'H', 22000),
    Tp(10861, 'H', 22000),
    Tp(10891, 'H', 22000),
    Tp(11455, 'H', 6666),
    Tp(11463, 'H', 6666),
    Tp(11475, 'V', 4200),
    Tp(11475, 'V', 27500),
    Tp(11515, 'H', 27500),
    // Eurbird 2
    Tp(11001, 'V', 3570),
    Tp(11006, 'V', 2856),
    Tp(11009, 'V', 1110),
    Tp(11054, 'H', 27500),
    Tp(11080, 'V', 2900),
    Tp(11085, 'V', 2900),
    Tp(11096, 'H', 27500),
    Tp(11112, 'H', 2220),
    // Arabsat 2B
    Tp(3708, 'V', 2200),
    Tp(3711, 'V', 2200),
    Tp(3781, 'V', 2593),
    Tp(3823, 'H', 27500),
    Tp(3869, 'V', 4340),
    Tp(3874, 'V', 4340),
    Tp(3884, 'V', 4340),
    Tp(3888, 'V', 4340),
    // Badr
    Tp(11717, 'H', 27500),
    Tp(11747, 'V', 27500),
    Tp(11766, 'H', 27500),
    Tp(11785, 'V', 27500),
    Tp(11804, 'H', 27500),
    Tp(11823, 'V', 27500),
    Tp(11843, 'H', 27500),
    Tp(11862, 'V', 27500),
    // Eurobird 1
    Tp(10714, 'H', 22000),
    Tp(10729, 'V', 22000),
    Tp(10744, 'H', 22000),
    Tp(10758, 'V', 22000),
    Tp(10773, 'H', 22000),
    Tp(10788, 'V', 22000),
    Tp(10803, 'H', 22000),
    Tp(10818, 'V', 22000),
    // Nilesat 102
    Tp(11900, 'V', 2048),
    Tp(11919, 'H', 27500),
    Tp(11938, 'V', 27500),
    Tp(11996, 'H', 27500),
    Tp(12034, 'H', 27500),
    Tp(12054, 'V', 27500),
    Tp(12073, 'H', 27500),
    Tp(12130, 'V', 27500),
    // Turksat 1C
    Tp(10995, 'V', 2170),
    Tp(11004, 'V', 2277),
    Tp(11008, 'V', 2150),
    Tp(11013, 'V', 4800),
    Tp(11013, 'H', 2222),
    Tp(11018, 'V', 2190),
    Tp(11020, 'H', 2285),
    Tp(11027, 'H', 2222),
    // Astra 2C
    Tp(11739, 'V', 27500),
    Tp(11798, 'H', 27500),
    // Eurobird 3
    Tp(3891, 'H', 6201),
    Tp(10960, 'V', 2893),
    Tp(10965, 'V', 2893),
    Tp(10970, 'V', 4285),
    Tp(10981, 'V', 6111),
    Tp(10987, 'V', 1481),
    Tp(10999, 'V', 6111),
    Tp(11008, 'V', 6666),
    // Eutelsat
    Tp(10958, 'H', 6111),
    Tp(11966, 'H', 6111),
    Tp(10982, 'V', 3500),
    Tp(11043, 'H', 6111),
    Tp(11053, 'V', 6666),
    Tp(11053, 'V', 2893),
    Tp(11062, 'H', 6666),
    Tp(11071, 'H', 6666),
    // Paksat 1
    Tp(3730, 'V', 5185),
    Tp(3735, 'V', 3333),
    Tp(3753, 'V', 6500),
    Tp(3784, 'H', 2850),
    Tp(3788, 'H', 2850),
    Tp(3792, 'H', 2850),
    Tp(3814, 'H', 3255),
    Tp(3819, 'H', 4666),
    // Hellas Sat2
    Tp(10956, 'V', 4123),
    Tp(10964, 'V', 3300),
    Tp(10969, 'V', 2893),
    Tp(10973, 'V', 3125),
    Tp(10984, 'V', 8052),
    Tp(11012, 'V', 30000),
    Tp(11037, 'V', 3300),
    Tp(11078, 'V', 4070),
    // Express AM1
    Tp(3675, 'V', 33483),
    Tp(3737, 'V', 3230),
    Tp(3744, 'V', 3603),
    Tp(3771, 'V', 3330),
    Tp(3865, 'V', 4000),
    Tp(3873, 'V', 4340),
    Tp(3879, 'V', 3255),
    Tp(3933, 'V', 3300),
    // Turksat
    Tp(10965, 'H', 1600),
    Tp(10970, 'V', 30000),
    Tp(10982, 'H', 9600),
    Tp(11012, 'V', 30000),
    Tp(11028, 'H', 2963),
    Tp(11039, 'V', 3600),
    Tp(11054, 'H', 30000),
    Tp(11054, 'V', 2200),
    // Lntelsat 12
    Tp(11455, 'V', 6111),
    Tp(11463, 'V', 6111),
    Tp(11468, 'V', 27689),
    Tp(11472, 'V', 6111),
    Tp(11481, 'V', 6111),
    Tp(11494, 'V', 4400),
    Tp(44500, 'V', 4340),
    Tp(11504, 'V', 3300),
    // Intelsat 1R
    Tp(4125, 'V', 10713),
    Tp(11050, 'V', 27902),
    Tp(11090, 'V', 27902),
    Tp(11130, 'V', 27902),
    Tp(11170, 'V', 27902),
    Tp(11789, 'V', 10000),
    Tp(11797, 'H', 6500),
    Tp(11804, 'H', 6500),
    // Intelsat 21
    Tp(3720, 'V', 30000),
    Tp(3720, 'H', 27000),
    Tp(3760, 'V', 27690),
    Tp(3760, 'H', 30000),
    Tp(3840, 'V', 27690),
    Tp(3840, 'H', 27690),
    Tp(3880, 'V', 27690),
    Tp(3880, 'H', 27690),
    // Intelsat 11
    Tp(3717, 'H', 22000),
    Tp(3718, 'V', 21600),
    Tp(3745, 'V', 21610),
    Tp(3780, 'H', 27690),
    Tp(3783, 'V', 30000),
    Tp(3808, 'V', 15000),
    Tp(3808, 'H', 14950),
    Tp(3868, 'H', 13600),
    // NSS 10
    Tp(3746, 'V', 1229),
    Tp(3746, 'H', 1229),
    Tp(3749, 'V', 1674),
    Tp(3749, 'H', 1674),
    Tp(3756, 'V', 1777),
    Tp(3756, 'H', 1777),
    Tp(3833, 'H', 2893),
    Tp(3868, 'V', 6666),
    // Amazonas
    Tp(10728, 'H', 28888),
    Tp(10728, 'V', 30000),
    Tp(10768, 'H', 28888),
    Tp(10768, 'V', 30000),
    Tp(10808, 'H', 30000),
    Tp(10848, 'H', 30000),
    Tp(10888, 'V', 28888),
    Tp(10928, 'H', 28888),
    // Nss 703
    Tp(3725, 'H', 25000),
    Tp(3765, 'H', 25000),
    Tp(3805, 'H', 25000),
    Tp(3808, 'V', 8000),
    Tp(3845, 'H', 25000),
    Tp(3910, 'V', 2893),
    Tp(3912, 'V', 2220),
    Tp(3915, 'H', 2220),
    // Star One C1
    Tp(3800, 'H', 30000),
    Tp(3832, 'H', 4800),
    Tp(3850, 'H', 6666),
    Tp(3853, 'H', 2170),
    Tp(3864, 'H', 3333),
    Tp(3876, 'V', 2740),
    Tp(3894, 'H', 6666),
    Tp(3920, 'H', 27500),
    // EMB-C2
    Tp(10974, 'H', 29890),
    Tp(11014, 'H', 29890),
    Tp(11130, 'V', 29890),
    Tp(11170, 'V', 29890),
    Tp(11740, 'H', 29890),
    Tp(11780, 'H', 29890),
    Tp(11820, 'H', 29890),
    Tp(11880, 'H', 41500),
    // Gvt-G11
    Tp(10976, 'H', 22000),
    Tp(11006, 'H', 23300),
    Tp(11024, 'V', 23300),
    Tp(11036, 'H', 23300),
    Tp(11054, 'V', 23300),
    Tp(11066, 'H', 23300),
    Tp(11096, 'H', 23300),
    Tp(11126, 'H', 23300),
    // Sky-l11
    Tp(10722, 'v', 30000),
    Tp(10722, 'h', 30000),
    Tp(10802, 'V', 30000),
    Tp(10802, 'H', 28000),
    Tp(10882, 'V', 30000),
    Tp(10882, 'H', 30000),
    Tp(10970, 'V', 28000),
    Tp(10970, 'H', 29000),
    // Hispasat
    Tp(11510, 'V', 10000),
    Tp(11884, 'V', 27500),
    Tp(11972, 'H', 27500),
    Tp(12132, 'H', 27500),
    Tp(12172, 'H', 27500),
    Tp(12226, 'V', 27500),
    Tp(12303, 'V', 27500),
    Tp(12380, 'V', 27500),
    // Telstar14R
    Tp(11600, 'V', 13744),
    Tp(11640, 'V', 18100),
    Tp(11706, 'V', 2278),
    Tp(11710, 'V', 3200),
    Tp(11722, 'V', 2963),
    Tp(11726, 'V', 3333),
    Tp(11732, 'V', 2222),
    Tp(11736, 'V', 2963),
}};

constexpr std::size_t PoolEntriesUsed() {
    std::size_t total = 0;
    for (const std::uint8_t count : kTpCounts) {
        total += count < kMaxTps ? count : kMaxTps;
    }
    return total;
}
static_assert(PoolEntriesUsed() == kPoolSize, "every pool entry belongs to exactly one row");

} // namespace

void AddDefaultSatellites(SatRecordList& library) {
    std::size_t pool = 0;
    for (std::size_t row = 0; row < kDefaultCount; ++row) {
        SatelliteRecord record = MakeNewSatellite(kNames[row]);
        record.longitude = kLongitudes[row];
        record.direction = static_cast<std::uint8_t>(kDirections[row]);
        record.tpCount = kTpCounts[row];
        const std::size_t copied = kTpCounts[row] < kMaxTps ? kTpCounts[row] : kMaxTps;
        for (std::size_t tp = 0; tp < copied; ++tp) {
            record.tps[tp] = kTpPool[pool + tp];
        }
        pool += copied;
        library.InsertSorted(record);
    }
}
