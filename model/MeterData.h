#pragma once

// The records of the meter data image. Each struct's in-memory bytes are the file's bytes:
// the image is little-endian and the structs are copied to and from files with memcpy, so
// the host must be little-endian too (asserted below) and every padding byte is a member.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

static_assert(std::endian::native == std::endian::little,
              "meter records are stored in host byte order and the file is little-endian");

struct SystemSetting {
    std::uint8_t backlight;    // 0 off, 1 on
    std::uint8_t beep;         // 0 off, 1 on
    std::uint8_t autoPowerOff; // index into kAutoPowerOffLabels
    std::uint8_t language;     // index into kLanguageLabels

    bool operator==(const SystemSetting&) const = default;
};

struct LocalPosition {
    std::uint16_t longitude; // tenths of a degree, 0..1800
    std::uint8_t longitudeDir;
    std::uint8_t padding3;
    std::uint16_t latitude; // tenths of a degree, 0..900
    std::uint8_t latitudeDir;
    std::uint8_t padding7;

    bool operator==(const LocalPosition&) const = default;
};

struct TpEntry {
    std::uint16_t symbolRate; // kS/s; comes before the frequency in the file
    std::uint16_t frequency;  // MHz
    std::uint8_t polarization;
    std::uint8_t padding5;

    bool operator==(const TpEntry&) const = default;
};

inline constexpr std::size_t kNameSize = 12;     // bytes of SatelliteRecord::name
inline constexpr std::size_t kMaxNameChars = 11; // characters a user can give a name
inline constexpr std::size_t kMaxTps = 8;
inline constexpr std::size_t kMaxSatellites = 20;

struct SatelliteRecord {
    std::array<char, kNameSize> name;
    std::uint16_t lnbLowFreq;
    std::uint16_t lnbHighFreq;
    std::uint8_t lnbType;
    std::uint8_t reserved17;
    std::uint8_t switchType;
    std::uint8_t switchInput;
    std::uint8_t tone22k;
    std::uint8_t positionType;
    std::uint8_t lnbPower;
    std::uint8_t padding23;
    std::uint16_t longitude; // tenths of a degree, 0..1800
    std::uint8_t direction;
    std::uint8_t reserved27;
    std::uint8_t tpCount;
    std::uint8_t padding29;
    std::array<TpEntry, kMaxTps> tps;

    bool operator==(const SatelliteRecord&) const = default;
};

struct SettingsBlock {
    std::uint8_t reserved0;
    std::uint8_t satCount;
    std::uint8_t reserved2;
    std::uint8_t padding3;
    std::uint16_t reserved4;
    std::uint8_t reserved6;
    std::uint8_t reserved7;
    std::array<std::uint16_t, 16> rangeLow;
    std::array<std::uint16_t, 16> rangeHigh;
    LocalPosition localPosition;
    std::array<SatelliteRecord, kMaxSatellites> satellites;

    bool operator==(const SettingsBlock&) const = default;
};

// --- layout checks: sizes and the offset of every field -------------------------------------

static_assert(std::is_standard_layout_v<SystemSetting> &&
              std::is_trivially_copyable_v<SystemSetting>);
static_assert(sizeof(SystemSetting) == 4);
static_assert(offsetof(SystemSetting, backlight) == 0 && offsetof(SystemSetting, beep) == 1 &&
              offsetof(SystemSetting, autoPowerOff) == 2 && offsetof(SystemSetting, language) == 3);

static_assert(std::is_standard_layout_v<LocalPosition> &&
              std::is_trivially_copyable_v<LocalPosition>);
static_assert(sizeof(LocalPosition) == 8);
static_assert(offsetof(LocalPosition, longitude) == 0 &&
              offsetof(LocalPosition, longitudeDir) == 2 &&
              offsetof(LocalPosition, padding3) == 3 && offsetof(LocalPosition, latitude) == 4 &&
              offsetof(LocalPosition, latitudeDir) == 6 && offsetof(LocalPosition, padding7) == 7);

static_assert(std::is_standard_layout_v<TpEntry> && std::is_trivially_copyable_v<TpEntry>);
static_assert(sizeof(TpEntry) == 6);
static_assert(offsetof(TpEntry, symbolRate) == 0 && offsetof(TpEntry, frequency) == 2 &&
              offsetof(TpEntry, polarization) == 4 && offsetof(TpEntry, padding5) == 5);

static_assert(std::is_standard_layout_v<SatelliteRecord> &&
              std::is_trivially_copyable_v<SatelliteRecord>);
static_assert(sizeof(SatelliteRecord) == 78);
static_assert(
    offsetof(SatelliteRecord, name) == 0 && offsetof(SatelliteRecord, lnbLowFreq) == 12 &&
    offsetof(SatelliteRecord, lnbHighFreq) == 14 && offsetof(SatelliteRecord, lnbType) == 16 &&
    offsetof(SatelliteRecord, reserved17) == 17 && offsetof(SatelliteRecord, switchType) == 18 &&
    offsetof(SatelliteRecord, switchInput) == 19 && offsetof(SatelliteRecord, tone22k) == 20 &&
    offsetof(SatelliteRecord, positionType) == 21 && offsetof(SatelliteRecord, lnbPower) == 22 &&
    offsetof(SatelliteRecord, padding23) == 23 && offsetof(SatelliteRecord, longitude) == 24 &&
    offsetof(SatelliteRecord, direction) == 26 && offsetof(SatelliteRecord, reserved27) == 27 &&
    offsetof(SatelliteRecord, tpCount) == 28 && offsetof(SatelliteRecord, padding29) == 29 &&
    offsetof(SatelliteRecord, tps) == 30);

static_assert(std::is_standard_layout_v<SettingsBlock> &&
              std::is_trivially_copyable_v<SettingsBlock>);
static_assert(sizeof(SettingsBlock) == 1640);
static_assert(offsetof(SettingsBlock, reserved0) == 0 && offsetof(SettingsBlock, satCount) == 1 &&
              offsetof(SettingsBlock, reserved2) == 2 && offsetof(SettingsBlock, padding3) == 3 &&
              offsetof(SettingsBlock, reserved4) == 4 && offsetof(SettingsBlock, reserved6) == 6 &&
              offsetof(SettingsBlock, reserved7) == 7 && offsetof(SettingsBlock, rangeLow) == 8 &&
              offsetof(SettingsBlock, rangeHigh) == 40 &&
              offsetof(SettingsBlock, localPosition) == 72 &&
              offsetof(SettingsBlock, satellites) == 80);

// --- the whole image ------------------------------------------------------------------------

inline constexpr std::size_t kLeadingImageSize = 0x16000;
inline constexpr std::size_t kTrailingImageSize = 0x994;
inline constexpr std::size_t kMeterFileSize = 0x17000;

inline constexpr std::size_t kSystemSettingOffset = kLeadingImageSize;
inline constexpr std::size_t kSettingsBlockOffset = kSystemSettingOffset + sizeof(SystemSetting);
inline constexpr std::size_t kTrailingImageOffset = kSettingsBlockOffset + sizeof(SettingsBlock);
static_assert(kSettingsBlockOffset == 0x16004 && kTrailingImageOffset == 0x1666C);
static_assert(kTrailingImageOffset + kTrailingImageSize == kMeterFileSize);

// The four regions in file order. The leading and trailing images are never interpreted.
struct MeterImage {
    std::array<std::uint8_t, kLeadingImageSize> leadingImage;
    SystemSetting systemSetting;
    SettingsBlock settingsBlock;
    std::array<std::uint8_t, kTrailingImageSize> trailingImage;

    bool operator==(const MeterImage&) const = default;
};

// --- letters and option codes ---------------------------------------------------------------

inline constexpr std::uint8_t kEast = 'E';
inline constexpr std::uint8_t kWest = 'W';
inline constexpr std::uint8_t kNorth = 'N';
inline constexpr std::uint8_t kSouth = 'S';
inline constexpr std::uint8_t kHorizontal = 'H';
inline constexpr std::uint8_t kVertical = 'V';
// Files written elsewhere may hold 1 for the second letter of a pair (W, S, V).
inline constexpr std::uint8_t kAltSecondLetter = 1;

inline constexpr std::array<const char*, 12> kLnbTypeLabels = {
    "Universal", "OCS",         "SINGLE1",     "SINGLE2",     "SINGLE3",     "SINGLE4",
    "SINGLE5",   "UNICABLE_A1", "UNICABLE_A2", "UNICABLE_B1", "UNICABLE_B2", "Customized"};
inline constexpr std::uint8_t kLnbCustomized = 11;
inline constexpr std::array<const char*, 4> kLnbPowerLabels = {"18V", "13V", "AUTO", "OFF"};
inline constexpr std::array<const char*, 3> kSwitchTypeLabels = {"None", "DiSEQC1.0", "DiSEQC1.1"};
inline constexpr std::array<const char*, 3> kTone22kLabels = {"AUTO", "OFF", "ON"};
inline constexpr std::array<const char*, 3> kPositionTypeLabels = {"Fixed", "USALS", "DiSEQC1.2"};
inline constexpr std::array<const char*, 5> kAutoPowerOffLabels = {"OFF", "10min", "20min", "30min",
                                                                   "60min"};
inline constexpr std::array<const char*, 1> kLanguageLabels = {"English"};

// Number of "Switch Input" entries a switch type offers: None 1, DiSEQC1.0 4, DiSEQC1.1 16.
// Codes outside the list answer 0; each caller decides what that means for it.
constexpr int SwitchInputCount(std::uint8_t switchType) {
    switch (switchType) {
    case 0:
        return 1;
    case 1:
        return 4;
    case 2:
        return 16;
    default:
        return 0;
    }
}

// The local-oscillator frequencies an LNB type shows instead of the stored ones, and which of
// the frequency boxes and the 22 kHz list its choice enables. Customized shows the stored values.
struct LnbPreset {
    std::uint16_t low;
    std::uint16_t high;
    bool frequenciesEnabled;
    bool toneEnabled;
};
inline constexpr std::array<LnbPreset, 12> kLnbPresets = {{
    {9750, 10600, false, false}, // Universal
    {5150, 5750, false, true},   // OCS
    {5150, 0, false, true},      // SINGLE1
    {9750, 0, false, true},      // SINGLE2
    {10750, 0, false, true},     // SINGLE3
    {11300, 0, false, true},     // SINGLE4
    {10700, 0, false, true},     // SINGLE5
    {9750, 10600, false, false}, // UNICABLE_A1
    {0, 10200, false, true},     // UNICABLE_A2
    {9750, 10600, false, false}, // UNICABLE_B1
    {0, 10200, false, true},     // UNICABLE_B2
    {0, 0, true, true},          // Customized: the record's own values
}};

// --- fresh contents -------------------------------------------------------------------------

inline constexpr std::uint16_t kFreshLnbLowFreq = 9750;
inline constexpr std::uint16_t kFreshLnbHighFreq = 10600;
inline constexpr std::uint8_t kFreshLnbPower = 2; // "AUTO"
inline constexpr TpEntry kFreshTp = {10600, 9750, kHorizontal, 0};
inline constexpr std::uint8_t kFreshReserved0 = 24;
inline constexpr std::array<std::uint16_t, 16> kFreshRangeLow = {
    11550, 10700, 10500, 11700, 3000,  3600,  10780, 10875,
    10950, 11400, 12250, 10497, 10500, 10780, 10826, 10885};
inline constexpr std::array<std::uint16_t, 16> kFreshRangeHigh = {
    12750, 11900, 11700, 12900, 4200,  4800,  11980, 12075,
    12150, 12600, 13450, 14797, 14800, 11980, 12026, 12085};

// A fresh record with the given name (nullptr or "" for none). The name is cut to 11 bytes so
// that it always keeps its terminator; the bytes behind it are 0.
SatelliteRecord MakeNewSatellite(const char* name);

// The state before any file is loaded: zero images, zero system setting, the fresh block with
// twenty records Sat1 .. Sat20.
MeterImage FreshMeterImage();

// The name as text: the bytes up to the first NUL, never more than the 12 bytes of the field.
std::string NameText(const SatelliteRecord& record);

// Writes text as the name: at most 11 bytes, then the NUL. Bytes behind the NUL keep what they
// held, as when the meter's own editor writes a shorter name over a longer one.
void SetNameText(SatelliteRecord& record, const std::string& text);

// Slots and transponders that exist whatever a loaded count says: counts from a file are the
// user's bytes and are kept, but nothing may step past the arrays on their account.
constexpr int UsedSlots(const SettingsBlock& block) {
    return block.satCount < kMaxSatellites ? block.satCount : static_cast<int>(kMaxSatellites);
}
constexpr int UsedTps(const SatelliteRecord& record) {
    return record.tpCount < kMaxTps ? record.tpCount : static_cast<int>(kMaxTps);
}
