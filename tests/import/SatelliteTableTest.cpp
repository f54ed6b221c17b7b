// Reading whole tables from disk: both formats, kind by content, the file-name positions,
// the failures that must leave the result as it was, and the messages for the dialog.

#include "import/SatelliteTable.h"
#include "import/DvbScanTable.h"
#include "import/ImportMessages.h"
#include "import/PlainXmlScanner.h"

#include "TableFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// From LibraryRecordTest.cpp: a transponder, and the whole record a satellite should become.
TpEntry Out(std::uint16_t symbolRate, std::uint16_t mhz, std::uint8_t polarization);
SatelliteRecord Expected(const char* name, std::uint16_t longitude, std::uint8_t direction,
                         std::uint8_t lnbType, const std::vector<TpEntry>& tps);

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

TEST(ReadSatelliteTable, XmlListInTableOrderWithSkipsCounted) {
    TableImport import = Sentinel();
    ASSERT_EQ(ReadSatelliteTable(kData / "satellites.xml", import), TableImportResult::Done);
    ASSERT_EQ(import.records.size(), 5u);
    // The quick scanner takes a list of the usual form; the fuzz replay holds it to agree with
    // QXmlStreamReader.
    EXPECT_TRUE(ScanPlainXml(ReadText(kData / "satellites.xml"), nullptr));
    EXPECT_EQ(import.records[0],
              Expected("Astra 1KR", 192, kEast, 0,
                       {Out(22000, 10729, 'V'), Out(22000, 10744, 'H'), Out(22000, 11538, 'V'),
                        Out(29700, 11720, 'H'), Out(27500, 11778, 'V'), Out(27500, 12188, 'H'),
                        Out(22000, 12663, 'H'), Out(23000, 12722, 'H')}));
    EXPECT_EQ(import.records[1], Expected("Hispasat", 300, kWest, 0,
                                          {Out(27500, 11731, 'V'), Out(29500, 12092, 'H')}));
    EXPECT_EQ(import.records[2],
              Expected("Express", 360, kEast, 4, {Out(27500, 11727, 'H'), Out(27500, 12226, 'V')}));
    EXPECT_EQ(import.records[3], Expected("Intelsat 18", 1799, kWest, 0, {Out(65535, 12560, 'V')}));
    EXPECT_EQ(import.records[4], Expected("???? 401", 900, kEast, 0, {Out(30000, 11265, 'H')}));
    EXPECT_EQ(import, (TableImport{import.records, 2, 1, 1, 0}));
}

TEST(ReadSatelliteTable, ScanTablesTakeNameAndPositionFromTheFileName) {
    TableImport import;
    ASSERT_EQ(ReadSatelliteTable(kData / "Astra-19.2E", import), TableImportResult::Done);
    // The MHz-typed, terrestrial and zero-rate blocks are gone; the named block counts.
    EXPECT_EQ(import, (TableImport{{Expected("Astra", 192, kEast, 0,
                                             {Out(22000, 11362, 'H'), Out(27500, 11915, 'V'),
                                              Out(22000, 11494, 'H'), Out(22000, 10714, 'H')})}}));
    const std::tuple<const char*, const char*, std::uint16_t, std::uint8_t> cases[] = {
        {"Hispasat-30.0W", "Hispasat", 300, kWest},
        {"AMC1-103w", "AMC1", 1030, kWest},
        {"Echostar-10+11-110W", "Echostar", 1100, kWest},
        {"Intelsat-1002-1.0W", "Intelsat", 10, kWest},
        {"Yamal-183.0E", "Yamal", 1770, kWest}, // past 180 wraps
        {"Astra-28.25e.conf", "Astra", 283, kEast},
    };
    const TempDir dir;
    for (const auto& [file, name, longitude, direction] : cases) {
        ASSERT_EQ(ReadSatelliteTable(dir.Write(file, kSmallDvbTable), import),
                  TableImportResult::Done);
        EXPECT_EQ(
            import,
            (TableImport{{Expected(name, longitude, direction, 0, {Out(27500, 11000, 'V')})}}));
    }
    for (const char* file :
         {"Astra", "Astra-19.2", "Astra-19.2X", "Astra-1920E", "table.conf", "Astra-19.2E.d/x"}) {
        EXPECT_FALSE(PositionFromFileName(file)) << file;
    }
}

TEST(ReadSatelliteTable, KindIsDecidedByContentAndFailuresLeaveTheResultAsItWas) {
    const TempDir dir;
    TableImport import;
    // A list named like a scan table is still read as a list; a scan table named .xml is a scan
    // table, its name carrying no position.
    ASSERT_EQ(
        ReadSatelliteTable(dir.Write("Astra-19.2E", ReadText(kData / "satellites.xml")), import),
        TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 5u);
    TableImport kept = Sentinel();
    EXPECT_EQ(ReadSatelliteTable(dir.Write("satellites.xml", kSmallDvbTable), kept),
              TableImportResult::NoPosition);
    EXPECT_EQ(kept, Sentinel());
    // A list behind a byte order mark.
    EXPECT_EQ(ReadSatelliteTable(dir.Write("bom", "\xEF\xBB\xBF \n<satellites><sat name=\"A\" "
                                                  "position=\"10\"/></satellites>"),
                                 import),
              TableImportResult::Done);
    EXPECT_EQ(import, (TableImport{{}, 1, 1, 0, 0})); // replaced, not added to

    const std::string xml = ReadText(kData / "satellites.xml");
    // Attribute and namespace counts past what QXmlStreamReader reads in reasonable time.
    const auto satWithAttributes = [](int count) {
        std::string xml = "<?pi for QXmlStreamReader?><satellites><sat position=\"10\"";
        for (int i = 1; i < count; ++i) {
            xml += " a" + std::to_string(i) + "='1'";
        }
        return xml + "><transponder frequency=\"11000000\" symbol_rate=\"27500000\" "
                     "polarization=\"1\"/></sat></satellites>";
    };
    std::string namespaces = "<satellites>", closing = "</satellites>";
    for (int i = 0; i < 65; ++i) {
        namespaces += "<a xmlns:p" + std::to_string(i) + "=\"u\">";
        closing = "</a>" + closing;
    }
    const std::pair<const char*, std::string> notTables[] = {
        {"65 attributes", satWithAttributes(65)},
        {"65 namespace declarations", namespaces + closing},
        {"internal DTD subset", "<!DOCTYPE satellites [<!ATTLIST sat flags CDATA \"1\">]>"
                                "<satellites/>"},
        {"entity expansion",
         "<?xml version=\"1.0\"?><!DOCTYPE satellites [<!ENTITY a \"aaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
         "<satellites><sat name=\"&c;\" position=\"192\"/></satellites>"},
        {"external entity", "<!DOCTYPE satellites [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                            "<satellites><sat name=\"&x;\" position=\"192\"/></satellites>"},
        {"empty", ""},
        {"Latin-1 text", std::string("# Transponder f\xFCr Astra\n") + kSmallDvbTable},
        {"Latin-1 list that says UTF-8",
         "<satellites><sat name=\"T\xFCrksat\" position=\"420\"/></satellites>"},
        {"truncated list", xml.substr(0, xml.size() / 2)},
        {"key before any block", std::string("FREQUENCY = 11000000\n") + kSmallDvbTable},
        {"a stray line", std::string(kSmallDvbTable) + "this is not a key\n"},
        {"NUL in text", std::string(kSmallDvbTable) + std::string(1, '\0')},
        {"control character", std::string("# made by \x01\x02\n") + kSmallDvbTable},
    };
    import = Sentinel();
    for (const auto& [what, content] : notTables) {
        EXPECT_EQ(ReadSatelliteTable(dir.Write("Astra-19.2E", content), import),
                  TableImportResult::NotATable)
            << what;
        EXPECT_EQ(import, Sentinel()) << what;
    }
    EXPECT_EQ(ReadSatelliteTable(dir.path / "missing", import), TableImportResult::CannotOpen);
    EXPECT_EQ(ReadSatelliteTable(dir.path / "", import), TableImportResult::CannotOpen);
    EXPECT_EQ(ReadSatelliteTable(dir.Write("no-position", kSmallDvbTable), import),
              TableImportResult::NoPosition);
    // One byte past the limit is refused before anything is read; sparse, so it costs no disk.
    // At the limit itself the file is read: zeros are junk, not too large.
    const fs::path large = dir.Write("large.xml", "");
    fs::resize_file(large, kMaxTableFileSize + 1);
    EXPECT_EQ(ReadSatelliteTable(large, import), TableImportResult::TooLarge);
    fs::resize_file(large, kMaxTableFileSize);
    EXPECT_EQ(ReadSatelliteTable(large, import), TableImportResult::NotATable);
    EXPECT_EQ(import, Sentinel());
    ASSERT_EQ(ReadSatelliteTable(dir.Write("64", satWithAttributes(64)), import),
              TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 1u);
}

TEST(ReadSatelliteTable, ThousandsOfSatellitesStopAtTheLibraryLimit) {
    std::string xml = "<satellites>";
    for (int i = 0; i < 65535 + 3; ++i) {
        xml += "<sat name=\"S" + std::to_string(i) + "\" position=\"" + std::to_string(i % 3600) +
               "\"><transponder frequency=\"11000000\" symbol_rate=\"27500000\" "
               "polarization=\"0\"/></sat>";
    }
    xml += "</satellites>";
    const TempDir dir;
    TableImport import;
    ASSERT_EQ(ReadSatelliteTable(dir.Write("big.xml", xml), import), TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 65535u);
    EXPECT_EQ(NameText(import.records.back()), "S65534");
    EXPECT_EQ(import, (TableImport{import.records, 3, 0, 0, 3}));
}

TEST(ImportMessages, SummaryAndFailureTexts) {
    TableImport import;
    EXPECT_EQ(ImportSummary(import), QStringLiteral("The table holds no satellites."));
    import.records.resize(1);
    EXPECT_EQ(ImportSummary(import), QStringLiteral("Imported 1 satellite."));
    import = {std::vector<SatelliteRecord>(12), 6, 2, 1, 3};
    EXPECT_EQ(ImportSummary(import),
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
