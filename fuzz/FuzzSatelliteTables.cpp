// Feeds arbitrary files to the transponder-table readers and aborts, for libFuzzer or the
// replay driver to report, when what must hold for any input does not: a failure leaves the
// result alone, every record is one the meter can use, the kind follows the content, the
// quick XML scanner agrees with QXmlStreamReader wherever it claims a document, and a
// transponder refresh plans only rows the slot's own settings receive.

#include "import/PlainXmlScanner.h"
#include "import/SatelliteTable.h"
#include "import/TransponderRefresh.h"
#include "import/XmlSatelliteTable.h"
#include "model/LockCheck.h"
#include "model/SatListFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

#define FUZZ_CHECK(condition)                                                                      \
    ((condition)                                                                                   \
         ? void()                                                                                  \
         : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition),     \
            std::abort()))

struct WorkFolder {
    const fs::path path =
        fs::path(fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path()) /
        ("orvex-fuzz-tables-" + std::to_string(::getpid()));
    WorkFolder() { fs::create_directories(path); }
    ~WorkFolder() { fs::remove_all(path, m_ignored); }
    std::error_code m_ignored;
} const kWork;

// Byte 0 of an input picks one: positions of each form, and none.
const char* const kNames[] = {"Astra-19.2E", "satellites.xml", "AMC1-103w",
                              "Intelsat-1002-1.0W.conf"};

fs::path Write(const char* name, const std::string& content) {
    const fs::path path = kWork.path / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    return path;
}

void CheckRecord(const SatelliteRecord& record) {
    const SatelliteRecord fresh = MakeNewSatellite(nullptr);
    FUZZ_CHECK(record.name[kMaxNameChars] == '\0');
    const std::size_t length = NameText(record).size();
    FUZZ_CHECK(length > 0 && std::all_of(record.name.begin() + static_cast<long>(length),
                                         record.name.end(), [](char c) { return c == 0; }));
    FUZZ_CHECK(record.longitude <= 1800 &&
               (record.direction == kEast || record.direction == kWest));
    FUZZ_CHECK(record.lnbType <= 4 && record.lnbLowFreq == kLnbPresets[record.lnbType].low &&
               record.lnbHighFreq == kLnbPresets[record.lnbType].high);
    FUZZ_CHECK(record.switchType == fresh.switchType && record.tone22k == fresh.tone22k &&
               record.positionType == fresh.positionType && record.lnbPower == fresh.lnbPower);
    FUZZ_CHECK(record.tpCount >= 1 && record.tpCount <= kMaxTps);
    std::set<std::pair<int, int>> seen;
    for (std::size_t k = 0; k < kMaxTps; ++k) { // used entries distinct and usable, the rest fresh
        const TpEntry& tp = record.tps[k];
        FUZZ_CHECK(k < record.tpCount || tp == kFreshTp);
        FUZZ_CHECK(k >= record.tpCount ||
                   ((tp.polarization == kHorizontal || tp.polarization == kVertical) &&
                    tp.symbolRate >= 100 && tp.frequency >= 3000 && tp.frequency <= 12750 &&
                    seen.insert({tp.frequency, tp.polarization}).second));
    }
}

// Writes what a reader hands over as text, one line per satellite, for two readers to compare.
TableSatelliteSink Describe(QString& text) {
    return [&text](const TableSatellite& satellite) {
        text += satellite.name + '|' + QString::number(satellite.position.value_or(-99999));
        for (const TableTransponder& tp : satellite.Transponders()) {
            text += QString(" %1%2/%3").arg(tp.frequency).arg(tp.polarization).arg(tp.symbolRate);
        }
        text += '\n';
    };
}

void CheckXmlReadersAgree(const std::string& content) {
    if (!ScanPlainXml(content, nullptr)) {
        return;
    }
    QString scanned, streamed;
    const TableSatelliteSink toScanned = Describe(scanned), toStreamed = Describe(streamed);
    FUZZ_CHECK(ScanPlainXml(content, &toScanned));
    const QByteArray bytes(content.data(), static_cast<qsizetype>(content.size()));
    FUZZ_CHECK(ReadXmlWithStreamReader(bytes, toStreamed) && scanned == streamed);
}

// Twenty slots at the positions of the corpus and the file names, several on one position,
// with every LNB type, tone and power setting among them.
SettingsBlock RefreshMeter() {
    constexpr int kTenths[kMaxSatellites] = {192,   192, 192, 192, 194, -555, -555, 360, 360, -1799,
                                             -1030, -10, -10, 190, 130, 0,    1800, 282, 3,   -300};
    SettingsBlock block = FreshMeterImage().settingsBlock;
    block.satCount = kMaxSatellites;
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        SatelliteRecord& record = block.satellites[slot];
        record.longitude = static_cast<std::uint16_t>(std::abs(kTenths[slot]));
        record.direction = kTenths[slot] < 0 ? kWest : kEast;
        record.lnbType = static_cast<std::uint8_t>(slot % 13); // 12: unknown
        const bool customized = record.lnbType == kLnbCustomized;
        record.lnbLowFreq = customized ? 9750 : kLnbPresets[slot % 12].low;
        record.lnbHighFreq = customized ? 10750 : kLnbPresets[slot % 12].high;
        record.tone22k = static_cast<std::uint8_t>(slot % 3);
        record.lnbPower = static_cast<std::uint8_t>(slot % 5); // 4: no code of the list
    }
    return block;
}

void CheckRefreshPlan(const fs::path& table, TableImportResult read) {
    static const SettingsBlock meter = RefreshMeter();
    std::vector<RefreshedSlot> plan = {{-1, {}}};
    FUZZ_CHECK(PlanTransponderRefresh(table, meter, plan) == read);
    if (read != TableImportResult::Done) {
        FUZZ_CHECK(plan.size() == 1 && plan[0].slot == -1);
        return;
    }
    int previous = -1;
    for (const RefreshedSlot& slot : plan) {
        FUZZ_CHECK(slot.slot > previous && slot.slot < meter.satCount);
        previous = slot.slot;
        const SatelliteRecord& record = meter.satellites[static_cast<std::size_t>(slot.slot)];
        FUZZ_CHECK(!slot.transponders.empty() && slot.transponders.size() <= kMaxTps);
        std::set<std::pair<int, int>> seen;
        for (const TpEntry& tp : slot.transponders) {
            FUZZ_CHECK(CheckTransponder(record, tp).empty() && tp.padding5 == 0 &&
                       (tp.polarization == kHorizontal || tp.polarization == kVertical) &&
                       seen.emplace(tp.frequency, tp.polarization).second);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* name = kNames[size > 0 ? data[0] % std::size(kNames) : 0];
    const std::string content(reinterpret_cast<const char*>(data) + (size > 0), size - (size > 0));
    TableImport sentinel;
    sentinel.records.push_back(MakeNewSatellite("Sentinel"));
    sentinel.skipped = sentinel.skippedOverLimit = 3;

    TableImport result = sentinel;
    const fs::path table = Write(name, content);
    const TableImportResult read = ReadSatelliteTable(table, result);
    FUZZ_CHECK(read == TableImportResult::Done || read == TableImportResult::NotATable ||
               read == TableImportResult::NoPosition);
    FUZZ_CHECK(read == TableImportResult::Done || result == sentinel);
    if (read == TableImportResult::Done) {
        FUZZ_CHECK(result.records.size() <= kMaxSatListRecords &&
                   result.skipped == result.skippedNoTransponder + result.skippedNoPosition +
                                         result.skippedOverLimit);
        std::for_each(result.records.begin(), result.records.end(), CheckRecord);
    }
    CheckRefreshPlan(table, read);

    // Under another name an XML list reads the same; a scan table may only gain or lose its
    // position.
    TableImport again = sentinel;
    const TableImportResult readAgain = ReadSatelliteTable(Write("renamed.xml", content), again);
    if (read == TableImportResult::NotATable || readAgain == TableImportResult::Done) {
        FUZZ_CHECK(readAgain == read && again == result);
    } else {
        FUZZ_CHECK(readAgain == TableImportResult::NoPosition && again == sentinel);
    }

    CheckXmlReadersAgree(content);
    return 0;
}
