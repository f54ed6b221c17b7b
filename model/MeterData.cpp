#include "model/MeterData.h"

#include <cstring>
#include <string>

SatelliteRecord MakeNewSatellite(const char* name) {
    SatelliteRecord record{}; // zero: name tail, reserved and padding bytes
    record.lnbLowFreq = kFreshLnbLowFreq;
    record.lnbHighFreq = kFreshLnbHighFreq;
    record.lnbPower = kFreshLnbPower;
    record.direction = kEast;
    record.tpCount = kMaxTps;
    record.tps.fill(kFreshTp);
    if (name != nullptr) {
        std::memcpy(record.name.data(), name, ::strnlen(name, kMaxNameChars));
    }
    return record;
}

MeterImage FreshMeterImage() {
    MeterImage image{};
    SettingsBlock& block = image.settingsBlock;
    block.reserved0 = kFreshReserved0;
    block.satCount = kMaxSatellites;
    block.rangeLow = kFreshRangeLow;
    block.rangeHigh = kFreshRangeHigh;
    block.localPosition.longitudeDir = kEast;
    block.localPosition.latitudeDir = kNorth;
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        block.satellites[slot] = MakeNewSatellite(("Sat" + std::to_string(slot + 1)).c_str());
    }
    return image;
}

std::string NameText(const SatelliteRecord& record) {
    const char* bytes = record.name.data();
    return std::string(bytes, ::strnlen(bytes, kNameSize));
}

void SetNameText(SatelliteRecord& record, const std::string& text) {
    const std::size_t length = text.size() < kMaxNameChars ? text.size() : kMaxNameChars;
    std::memcpy(record.name.data(), text.data(), length);
    record.name[length] = '\0';
}
