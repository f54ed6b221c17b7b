// Reading whole tables from disk: both formats, kind by content, the file-name positions,
// the failures that must leave the result as it was, and the messages for the dialog.

#include "import/SatelliteTable.h"
#include "import/DvbScanTable.h"
#include "import/ImportMessages.h"
#include "import/PlainXmlScanner.h"

#include "TableFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Shared with TransponderRefreshTest.cpp.
TpEntry Out(std::uint16_t symbolRate, std::uint16_t mhz, std::uint8_t polarization) {
    return {symbolRate, mhz, polarization, 0};
}

// The whole record a satellite should become, so that every other field is checked too.
SatelliteRecord Expected(const char* name, std::uint16_t longitude, std::uint8_t direction,
                         std::uint8_t lnbType, const std::vector<TpEntry>& tps) {
    SatelliteRecord record = MakeNewSatellite(name);
    record.longitude = longitude;
    record.direction = direction;
    record.lnbType = lnbType;
    record.lnbLowFreq = kLnbPresets[lnbType].low;
    record.lnbHighFreq = kLnbPresets[lnbType].high;
    record.tpCount = static_cast<std::uint8_t>(tps.size());
    std::copy(tps.begin(), tps.end(), record.tps.begin());
    return record;
}

namespace {

namespace fs = std::filesystem;

const fs::path kData = ORVEX_IMPORT_DATA;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A result that a failed read must leave exactly as it found it.
TableImport Sentinel() {
    return {{MakeNewSatellite("Kept")}, 7, 0, 7, 0};
}

const char kSmallDvbTable[] = "[CHANNEL]\n\tDELIVERY_SYSTEM = DVBS\n\tFREQUENCY = 11000000\n"
                              "\tPOLARIZATION = VERTICAL\n\tSYMBOL_RATE = 27500000\n";

// count times before, a number from 1 up, after.
std::string Numbered(int count, const std::string& before, const std::string& after) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += before + std::to_string(i) + after;
    }
    return text;
}

// Every satellite of the list, in its order: the values no table means are dropped, C-band and
// circular ones get the LNB type that receives them, one linear Ku transponder is enough for the
// Universal LNB, a nameless one is named by its position. A list named like a scan table is
// still a list, and replaces what the result held.
TEST(ReadSatelliteTable, XmlListInTableOrderWithSkipsCounted) {
    const TempDir dir;
    const std::string xml = ReadText(kData / "satellites.xml");
    TableImport import = Sentinel();
    ASSERT_EQ(ReadSatelliteTable(dir.Write("Astra-19.2E", xml), import), TableImportResult::Done);
    // The quick scanner takes a list of the usual form (the fuzz replay compares it with Qt's).
    EXPECT_TRUE(ScanPlainXml(xml, nullptr));
    const std::vector<SatelliteRecord> records = {
        Expected("Astra 1KR", 192, kEast, 0,
                 {Out(22000, 10729, 'V'), Out(22000, 10744, 'H'), Out(22000, 11538, 'V'),
                  Out(29700, 11720, 'H'), Out(27500, 11778, 'V'), Out(27500, 12188, 'H'),
                  Out(22000, 12663, 'H'), Out(23000, 12722, 'H')}),
        Expected("Hispasat", 300, kWest, 0,
                 {Out(27500, 11731, 'V'), Out(29500, 12092, 'H'), Out(22000, 11731, 'H'),
                  Out(100, 11410, 'H'), Out(22000, 12750, 'V')}),
        // Left switches like H, right like V.
        Expected("Express", 360, kEast, 4, {Out(27500, 11727, 'H'), Out(27500, 12226, 'V')}),
        Expected("C band", 555, kWest, 1, {Out(27500, 3750, 'H'), Out(6620, 4080, 'V')}),
        Expected("Ku right", 750, kEast, 3, {Out(27500, 11000, 'V'), Out(27500, 11900, 'V')}),
        // H and left at one frequency are one state of the LNB.
        Expected("C band mix", 275, kWest, 2,
                 {Out(3000, 3400, 'H'), Out(27500, 3900, 'H'), Out(27500, 4000, 'V')}),
        Expected("Mostly C", 555, kWest, 0, {Out(27500, 11000, 'V')}),
        Expected("179.9W", 1799, kWest, 0, {Out(27500, 11000, 'H')}),
        Expected("4.8E", 48, kEast, 0, {Out(27500, 11000, 'H')}),
        Expected("Intelsat 18", 1799, kWest, 0, {Out(65535, 12560, 'V')}),
        Expected("???? 401", 900, kEast, 0, {Out(30000, 11265, 'H')})};
    EXPECT_EQ(import, (TableImport{records, 4, 2, 2, 0}));
}

TEST(ReadSatelliteTable, ScanTablesTakeNameAndPositionFromTheFileName) {
    TableImport import;
    ASSERT_EQ(ReadSatelliteTable(kData / "Astra-19.2E", import), TableImportResult::Done);
    // The MHz-typed, terrestrial, zero-rate and unknown-polarization blocks are gone; the named
    // block counts.
    EXPECT_EQ(import, (TableImport{{Expected("Astra", 192, kEast, 0,
                                             {Out(22000, 11362, 'H'), Out(27500, 11915, 'V'),
                                              Out(22000, 11494, 'H'), Out(22000, 10714, 'H')})}}));
    const std::tuple<const char*, const char*, std::uint16_t, std::uint8_t> cases[] = {
        {"AMC1-103w", "AMC1", 1030, kWest},
        {"Echostar-10+11-110W", "Echostar", 1100, kWest},
        {"Intelsat-1002-1.0W", "Intelsat", 10, kWest},
        {"Astra-28.25e.conf", "Astra", 283, kEast}};
    const TempDir dir;
    for (const auto& [file, name, longitude, direction] : cases) {
        ASSERT_EQ(ReadSatelliteTable(dir.Write(file, kSmallDvbTable), import),
                  TableImportResult::Done);
        EXPECT_EQ(
            import,
            (TableImport{{Expected(name, longitude, direction, 0, {Out(27500, 11000, 'V')})}}));
    }
    for (const char* file : {"Astra", "Astra-19.2X", "Astra-1920E", "Astra-19.2E.d/x"}) {
        EXPECT_FALSE(PositionFromFileName(file)) << file;
    }
}

TEST(ReadSatelliteTable, KindIsDecidedByContentAndFailuresLeaveTheResultAsItWas) {
    const TempDir dir;
    // Attribute counts past what QXmlStreamReader reads in reasonable time.
    const auto satWithAttributes = [](int count) {
        return "<?pi for QXmlStreamReader?><satellites><sat position=\"10\"" +
               Numbered(count - 1, " a", "='1'") +
               "><transponder frequency=\"11000000\" symbol_rate=\"27500000\" "
               "polarization=\"1\"/></sat></satellites>";
    };
    // Read over what the result held before; past the library's limit the rest is skipped.
    // Counts: skipped, no transponder, no position, over the limit.
    const std::tuple<const char*, std::string, std::size_t, std::array<int, 4>> read[] = {
        {"bom", "\xEF\xBB\xBF \n<satellites><sat position=\"1\"/></satellites>", 0, {1, 1, 0, 0}},
        {"64", satWithAttributes(64), 1, {}},
        {"big.xml",
         "<satellites>" +
             Numbered(65535 + 3, "<sat name=\"S",
                      "\" position=\"10\"><transponder frequency=\"11000000\" "
                      "symbol_rate=\"27500000\" polarization=\"0\"/></sat>") +
             "</satellites>",
         65535,
         {3, 0, 0, 3}}};
    TableImport import = Sentinel();
    for (const auto& [file, content, records, skips] : read) {
        ASSERT_EQ(ReadSatelliteTable(dir.Write(file, content), import), TableImportResult::Done);
        EXPECT_EQ(import.records.size(), records) << file;
        EXPECT_EQ((std::array{import.skipped, import.skippedNoTransponder, import.skippedNoPosition,
                              import.skippedOverLimit}),
                  skips)
            << file;
    }
    EXPECT_EQ(NameText(import.records.back()), "S65535");

    const std::pair<const char*, std::string> notTables[] = {
        {"65 attributes", satWithAttributes(65)},
        {"65 namespace declarations",
         "<satellites>" + Numbered(65, "<a xmlns:p", "='u'/>") + "</satellites>"},
        {"internal DTD subset", "<!DOCTYPE satellites [<!ATTLIST sat flags CDATA \"1\">]>"
                                "<satellites/>"},
        {"empty", ""},
        {"Latin-1 text", std::string("# Transponder f\xFCr Astra\n") + kSmallDvbTable},
        {"Latin-1 list that says UTF-8",
         "<satellites><sat name=\"T\xFCrksat\" position=\"420\"/></satellites>"},
        {"truncated list", ReadText(kData / "satellites.xml").substr(0, 2000)},
        {"key before any block", std::string("FREQUENCY = 11000000\n") + kSmallDvbTable},
        {"a stray line", std::string(kSmallDvbTable) + "this is not a key\n"},
        {"control characters", std::string("# made by \x01") + '\0' + "\n" + kSmallDvbTable}};
    import = Sentinel();
    for (const auto& [what, content] : notTables) {
        EXPECT_EQ(ReadSatelliteTable(dir.Write("Astra-19.2E", content), import),
                  TableImportResult::NotATable)
            << what;
    }
    // A scan table named .xml is a scan table, its name carrying no position.
    EXPECT_EQ(ReadSatelliteTable(dir.Write("satellites.xml", kSmallDvbTable), import),
              TableImportResult::NoPosition);
    EXPECT_EQ(ReadSatelliteTable(dir.path / "missing", import), TableImportResult::CannotOpen);
    EXPECT_EQ(ReadSatelliteTable(dir.path / "", import), TableImportResult::CannotOpen);
    // One byte past the limit is refused before anything is read; sparse, so it costs no disk.
    // At the limit itself the file is read: zeros are junk, not too large.
    const fs::path large = dir.Write("large.xml", "");
    fs::resize_file(large, kMaxTableFileSize + 1);
    EXPECT_EQ(ReadSatelliteTable(large, import), TableImportResult::TooLarge);
    fs::resize_file(large, kMaxTableFileSize);
    EXPECT_EQ(ReadSatelliteTable(large, import), TableImportResult::NotATable);
    EXPECT_EQ(import, Sentinel());
}

TEST(ImportMessages, SummaryAndFailureTexts) {
    EXPECT_EQ(ImportSummary({}), QStringLiteral("The table holds no satellites."));
    EXPECT_EQ(ImportSummary({std::vector<SatelliteRecord>(1)}),
              QStringLiteral("Imported 1 satellite."));
    EXPECT_EQ(ImportSummary({std::vector<SatelliteRecord>(12), 6, 2, 1, 3}),
              QStringLiteral("Imported 12 satellites. Skipped 6: 2 with no transponder the meter "
                             "can receive, 1 with no valid orbital position, 3 beyond the "
                             "library's limit of 65,535 satellites."));
    EXPECT_EQ(ImportFailureMessage(TableImportResult::NoPosition, "x"),
              QStringLiteral("The file name carries no orbital position, such as Astra-19.2E."));
    EXPECT_EQ(ImportFailureMessage(TableImportResult::CannotOpen, "/tmp/a b"),
              QStringLiteral("The file '/tmp/a b' could not be opened."));
    EXPECT_TRUE(ImportFailureMessage(TableImportResult::Done, "x").isEmpty());
    EXPECT_FALSE(ImportFailureMessage(TableImportResult::NotATable, "x").isEmpty() ||
                 ImportFailureMessage(TableImportResult::TooLarge, "x").isEmpty());
}

} // namespace
