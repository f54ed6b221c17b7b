// Reading whole tables from disk: both formats, kind by content, the file-name positions,
// the failures that must leave the result as it was, and the messages for the dialog.

#include "import/SatelliteTable.h"
#include "import/DvbScanTable.h"
#include "import/ImportMessages.h"
#include "import/PlainXmlScanner.h"
#include "import/XmlSatelliteTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path kData = ORVEX_IMPORT_DATA;

class TempDir final {
public:
    TempDir() {
        std::string name = (fs::temp_directory_path() / "orvex-import-XXXXXX").string();
        m_path = ::mkdtemp(name.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    fs::path Write(const std::string& name, const std::string& content) const {
        std::ofstream(m_path / name, std::ios::binary) << content;
        return m_path / name;
    }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TpEntry Tp(std::uint16_t frequency, std::uint8_t polarization, std::uint16_t symbolRate) {
    return {symbolRate, frequency, polarization, 0};
}

void ExpectRecord(const SatelliteRecord& record, const char* name, std::uint16_t longitude,
                  std::uint8_t direction, std::uint8_t lnbType, const std::vector<TpEntry>& tps) {
    SCOPED_TRACE(name);
    EXPECT_EQ(NameText(record), name);
    EXPECT_EQ(record.longitude, longitude);
    EXPECT_EQ(record.direction, direction);
    EXPECT_EQ(record.lnbType, lnbType);
    EXPECT_EQ(record.lnbLowFreq, kLnbPresets[lnbType].low);
    EXPECT_EQ(record.lnbHighFreq, kLnbPresets[lnbType].high);
    ASSERT_EQ(record.tpCount, tps.size());
    for (std::size_t k = 0; k < kMaxTps; ++k) {
        EXPECT_EQ(record.tps[k], k < tps.size() ? tps[k] : kFreshTp) << "TP " << k;
    }
}

// A result that a failed read must leave exactly as it found it.
TableImport Sentinel() {
    TableImport sentinel;
    sentinel.records.push_back(MakeNewSatellite("Kept"));
    sentinel.skipped = 7;
    sentinel.skippedNoPosition = 7;
    return sentinel;
}

const char kSmallDvbTable[] = "[CHANNEL]\n"
                              "\tDELIVERY_SYSTEM = DVBS\n"
                              "\tFREQUENCY = 11000000\n"
                              "\tPOLARIZATION = VERTICAL\n"
                              "\tSYMBOL_RATE = 27500000\n";

TEST(ReadSatelliteTable, XmlListInTableOrderWithSkipsCounted) {
    TableImport import = Sentinel();
    ASSERT_EQ(ReadSatelliteTable(kData / "satellites.xml", import), TableImportResult::Done);
    ASSERT_EQ(import.records.size(), 6u);
    ExpectRecord(import.records[0], "Astra 1KR", 192, kEast, 0,
                 {Tp(10729, 'V', 22000), Tp(10744, 'H', 22000), Tp(11538, 'V', 22000),
                  Tp(11720, 'H', 29700), Tp(11778, 'V', 27500), Tp(12188, 'H', 27500),
                  Tp(12663, 'H', 22000), Tp(12722, 'H', 23000)});
    ExpectRecord(import.records[1], "Hispasat", 300, kWest, 0,
                 {Tp(11731, 'V', 27500), Tp(12092, 'H', 29500)});
    ExpectRecord(import.records[2], "Intelsat 34", 555, kWest, 1,
                 {Tp(3750, 'H', 27500), Tp(4080, 'V', 6620)});
    ExpectRecord(import.records[3], "Express", 360, kEast, 4,
                 {Tp(11727, 'H', 27500), Tp(12226, 'V', 27500)});
    ExpectRecord(import.records[4], "Intelsat 18", 1799, kWest, 0, {Tp(12560, 'V', 65535)});
    ExpectRecord(import.records[5], "???? 401", 900, kEast, 0, {Tp(11265, 'H', 30000)});
    EXPECT_EQ(import.skipped, 2);
    EXPECT_EQ(import.skippedNoTransponder, 1);
    EXPECT_EQ(import.skippedNoPosition, 1);
    EXPECT_EQ(import.skippedOverLimit, 0);
}

// The quick scanner must take a list of the usual form, and QXmlStreamReader must read the
// same satellites from it.
TEST(ReadSatelliteTable, BothXmlReadersAgreeOnAPlainList) {
    const std::string xml = ReadText(kData / "satellites.xml");
    std::vector<TableSatellite> scanned, streamed;
    const TableSatelliteSink toScanned = [&](const TableSatellite& s) {
        scanned.push_back(s);
    };
    ASSERT_TRUE(ScanPlainXml(xml, nullptr));
    ASSERT_TRUE(ScanPlainXml(xml, &toScanned));
    ASSERT_TRUE(ReadXmlWithStreamReader(QByteArray::fromStdString(xml),
                                        [&](const TableSatellite& s) { streamed.push_back(s); }));
    ASSERT_EQ(scanned.size(), 8u);
    ASSERT_EQ(streamed.size(), scanned.size());
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        EXPECT_EQ(scanned[i].name, streamed[i].name) << i;
        EXPECT_EQ(scanned[i].position, streamed[i].position) << i;
        const auto& a = scanned[i].Transponders();
        const auto& b = streamed[i].Transponders();
        ASSERT_EQ(a.size(), b.size()) << i;
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_TRUE(a[k].frequency == b[k].frequency && a[k].symbolRate == b[k].symbolRate &&
                        a[k].polarization == b[k].polarization)
                << i << " " << k;
        }
    }
}

TEST(ReadSatelliteTable, DvbScanTableTakesNameAndPositionFromTheFileName) {
    TableImport import;
    ASSERT_EQ(ReadSatelliteTable(kData / "Astra-19.2E", import), TableImportResult::Done);
    ASSERT_EQ(import.records.size(), 1u);
    EXPECT_EQ(import.skipped, 0);
    // The MHz-typed, terrestrial and zero-rate blocks are gone; the named block counts.
    ExpectRecord(import.records[0], "Astra", 192, kEast, 0,
                 {Tp(11362, 'H', 22000), Tp(11915, 'V', 27500), Tp(11494, 'H', 22000),
                  Tp(10714, 'H', 22000)});
}

TEST(ReadSatelliteTable, FileNamePositionsOfTheScanTables) {
    const struct {
        const char* file;
        const char* name;
        std::uint16_t longitude;
        std::uint8_t direction;
    } cases[] = {
        {"Astra-19.2E", "Astra", 192, kEast},
        {"Hispasat-30.0W", "Hispasat", 300, kWest},
        {"AMC1-103w", "AMC1", 1030, kWest},
        {"Echostar-10+11-110W", "Echostar", 1100, kWest},
        {"Intelsat-1002-1.0W", "Intelsat", 10, kWest},
        {"Yamal-183.0E", "Yamal", 1770, kWest}, // past 180 wraps
        {"Astra-28.25e.conf", "Astra", 283, kEast},
        {"-5.0E", "5.0E", 50, kEast},
    };
    const TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TableImport import;
        ASSERT_EQ(ReadSatelliteTable(dir.Write(c.file, kSmallDvbTable), import),
                  TableImportResult::Done);
        ASSERT_EQ(import.records.size(), 1u);
        ExpectRecord(import.records[0], c.name, c.longitude, c.direction, 0,
                     {Tp(11000, 'V', 27500)});
    }
    const auto named = PositionFromFileName("Echostar-10+11-110W");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->name, QStringLiteral("Echostar-10+11"));
    EXPECT_EQ(named->position, -1100);
    for (const char* file :
         {"Astra", "Astra-19.2", "Astra-19.2X", "Astra-1920E", "table.conf", "Astra-19.2E.d/x"}) {
        EXPECT_FALSE(PositionFromFileName(file)) << file;
    }
}

TEST(ReadSatelliteTable, KindIsDecidedByContentNotByName) {
    const TempDir dir;
    TableImport import;
    // A list named like a scan table is still read as a list of eight satellites.
    ASSERT_EQ(
        ReadSatelliteTable(dir.Write("Astra-19.2E", ReadText(kData / "satellites.xml")), import),
        TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 6u);
    // A scan table named .xml is a scan table: its name carries no position.
    TableImport kept = Sentinel();
    EXPECT_EQ(ReadSatelliteTable(dir.Write("satellites.xml", kSmallDvbTable), kept),
              TableImportResult::NoPosition);
    EXPECT_EQ(kept, Sentinel());
    // A list that declares its encoding is read in it.
    ASSERT_EQ(
        ReadSatelliteTable(dir.Write("latin1",
                                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><satellites>"
                                     "<sat name=\"T\xFCrksat 4A (42.0E)\" position=\"420\">"
                                     "<transponder frequency=\"11096000\" symbol_rate=\"30000000\" "
                                     "polarization=\"0\"/></sat></satellites>"),
                           import),
        TableImportResult::Done);
    ASSERT_EQ(import.records.size(), 1u);
    EXPECT_EQ(NameText(import.records[0]), "T\xFCrksat 4A");
    // An XML list behind a byte order mark and white space.
    EXPECT_EQ(ReadSatelliteTable(dir.Write("bom", "\xEF\xBB\xBF \n<satellites><sat name=\"A\" "
                                                  "position=\"10\"/></satellites>"),
                                 import),
              TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 0u);
    EXPECT_EQ(import.skippedNoTransponder, 1);
}

TEST(ReadSatelliteTable, FailuresLeaveTheResultAsItWas) {
    const TempDir dir;
    const std::string xml = ReadText(kData / "satellites.xml");
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE satellites [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
        "<satellites><sat name=\"&c;\" position=\"192\"/></satellites>";
    const std::string external = "<!DOCTYPE satellites [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                                 "<satellites><sat name=\"&x;\" position=\"192\"/></satellites>";
    // Attribute and namespace counts past what QXmlStreamReader reads in reasonable time.
    const auto satWithAttributes = [](int count) {
        std::string xml = "<?pi for QXmlStreamReader?><satellites><sat position=\"10\"";
        for (int i = 1; i < count; ++i) {
            xml += " a" + std::to_string(i) + "='1'";
        }
        return xml + "><transponder frequency=\"11000000\" symbol_rate=\"27500000\" "
                     "polarization=\"1\"/></sat></satellites>";
    };
    std::string namespaces = "<satellites>";
    for (int i = 0; i < 65; ++i) {
        namespaces += "<a xmlns:p" + std::to_string(i) + "=\"u\">";
    }
    for (int i = 0; i < 65; ++i) {
        namespaces += "</a>";
    }
    namespaces += "</satellites>";
    const struct {
        const char* what;
        std::string content;
    } notTables[] = {
        {"65 attributes", satWithAttributes(65)},
        {"65 namespace declarations", namespaces},
        {"internal DTD subset", "<!DOCTYPE satellites [<!ATTLIST sat flags CDATA \"1\">]>"
                                "<satellites/>"},
        {"empty", ""},
        {"binary junk", std::string("\x7F"
                                    "ELF\x02\x01\x01\x00\x00\x00[CHANNEL]\n",
                                    19)},
        {"Latin-1 text", std::string("# Transponder f\xFCr Astra\n") + kSmallDvbTable},
        {"Latin-1 list that says UTF-8", "<satellites><sat name=\"T\xFCrksat\" position=\"420\"/>"
                                         "</satellites>"},
        {"truncated list", xml.substr(0, xml.size() / 2)},
        {"list without its end tag", "<satellites><sat name=\"A\" position=\"10\">"},
        {"two roots", "<satellites/><satellites/>"},
        {"another root", "<html><body>satellites</body></html>"},
        {"entity expansion", laughs},
        {"external entity", external},
        {"undeclared entity", "<satellites><sat name=\"&nbsp;\" position=\"1\"/></satellites>"},
        {"key before any block", std::string("FREQUENCY = 11000000\n") + kSmallDvbTable},
        {"a stray line", std::string(kSmallDvbTable) + "this is not a key\n"},
        {"comments only", "# Astra 19.2E\n# nothing else\n"},
        {"NUL in text", std::string(kSmallDvbTable) + std::string(1, '\0')},
        {"control character", std::string("# made by \x01\x02\n") + kSmallDvbTable},
    };
    for (const auto& c : notTables) {
        TableImport import = Sentinel();
        EXPECT_EQ(ReadSatelliteTable(dir.Write("Astra-19.2E", c.content), import),
                  TableImportResult::NotATable)
            << c.what;
        EXPECT_EQ(import, Sentinel()) << c.what;
    }

    TableImport import = Sentinel();
    ASSERT_EQ(ReadSatelliteTable(dir.Write("64", satWithAttributes(64)), import),
              TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 1u);

    import = Sentinel();
    EXPECT_EQ(ReadSatelliteTable(dir / "missing", import), TableImportResult::CannotOpen);
    EXPECT_EQ(ReadSatelliteTable(dir / "", import), TableImportResult::CannotOpen);
    EXPECT_EQ(ReadSatelliteTable(dir.Write("no-position", kSmallDvbTable), import),
              TableImportResult::NoPosition);
    // One byte past the limit is refused before anything is read; sparse, so it costs no disk.
    const fs::path large = dir.Write("large.xml", "");
    fs::resize_file(large, kMaxTableFileSize + 1);
    EXPECT_EQ(ReadSatelliteTable(large, import), TableImportResult::TooLarge);
    EXPECT_EQ(import, Sentinel());
    // At the limit itself the file is read: zeros are junk, not too large.
    fs::resize_file(large, kMaxTableFileSize);
    EXPECT_EQ(ReadSatelliteTable(large, import), TableImportResult::NotATable);
    EXPECT_EQ(import, Sentinel());
}

TEST(ReadSatelliteTable, ThousandsOfSatellitesStopAtTheLibraryLimit) {
    std::string xml = "<satellites>";
    const int count = 65535 + 3;
    for (int i = 0; i < count; ++i) {
        xml += "<sat name=\"S" + std::to_string(i) + "\" position=\"" + std::to_string(i % 3600) +
               "\"><transponder frequency=\"11000000\" symbol_rate=\"27500000\" "
               "polarization=\"0\"/></sat>";
    }
    xml += "<sat name=\"Ka\" position=\"1\"><transponder frequency=\"20000000\" "
           "symbol_rate=\"27500000\" polarization=\"0\"/></sat></satellites>";
    const TempDir dir;
    TableImport import;
    ASSERT_EQ(ReadSatelliteTable(dir.Write("big.xml", xml), import), TableImportResult::Done);
    EXPECT_EQ(import.records.size(), 65535u);
    EXPECT_EQ(NameText(import.records.back()), "S65534");
    EXPECT_EQ(import.skippedOverLimit, 3);
    EXPECT_EQ(import.skippedNoTransponder, 1);
    EXPECT_EQ(import.skipped, 4);
}

TEST(ImportMessages, SummaryAndFailureTexts) {
    TableImport import;
    EXPECT_EQ(ImportSummary(import), QStringLiteral("The table holds no satellites."));
    import.records.resize(1);
    EXPECT_EQ(ImportSummary(import), QStringLiteral("Imported 1 satellite."));
    import.records.resize(12);
    import.skipped = 6;
    import.skippedNoTransponder = 2;
    import.skippedNoPosition = 1;
    import.skippedOverLimit = 3;
    EXPECT_EQ(ImportSummary(import),
              QStringLiteral("Imported 12 satellites. Skipped 6: 2 with no transponder the meter "
                             "can receive, 1 with no valid orbital position, 3 beyond the "
                             "library's limit of 65,535 satellites."));
    import.records.clear();
    import.skipped = 1;
    import.skippedNoTransponder = 0;
    import.skippedOverLimit = 0;
    EXPECT_EQ(
        ImportSummary(import),
        QStringLiteral("Imported 0 satellites. Skipped 1: 1 with no valid orbital position."));

    EXPECT_EQ(ImportFailureMessage(TableImportResult::NoPosition, "x"),
              QStringLiteral("The file name carries no orbital position, such as Astra-19.2E."));
    EXPECT_EQ(ImportFailureMessage(TableImportResult::CannotOpen, "/tmp/a b"),
              QStringLiteral("The file '/tmp/a b' could not be opened."));
    EXPECT_TRUE(ImportFailureMessage(TableImportResult::Done, "x").isEmpty());
    EXPECT_FALSE(ImportFailureMessage(TableImportResult::NotATable, "x").isEmpty());
    EXPECT_FALSE(ImportFailureMessage(TableImportResult::TooLarge, "x").isEmpty());
}

} // namespace
