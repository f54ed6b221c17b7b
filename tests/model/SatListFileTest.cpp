#include "model/SatListFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace {

Bytes RecordBytes(const SatelliteRecord& record) {
    Bytes bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

Bytes FileOf(const std::vector<SatelliteRecord>& records) {
    Bytes bytes;
    for (const SatelliteRecord& record : records) {
        const Bytes one = RecordBytes(record);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

// A record of random bytes, as a file written elsewhere may hold, with the given name.
SatelliteRecord RandomRecord(std::mt19937& random, const char* name) {
    SatelliteRecord record;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i) {
        bytes[i] = static_cast<std::uint8_t>(random());
    }
    std::memcpy(record.name.data(), name, std::min(std::strlen(name) + 1, kNameSize));
    return record;
}

std::vector<std::string> Names(const SatRecordList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names.push_back(NameText(list.GetAt(i)));
    }
    return names;
}

} // namespace

TEST(SatListFile, OnlyWholeRecordsAreAccepted) {
    TempDir dir;
    SatRecordList library;
    library.Add(MakeNewSatellite("Mine"));
    for (const std::size_t size : {0, 1, 77, 79, 157}) {
        WriteBytes(dir / "odd.sat", Bytes(size, 0x41));
        EXPECT_EQ(ReadSatListFile(dir / "odd.sat", library), SatListReadResult::WrongSize) << size;
    }
    EXPECT_EQ(ReadSatListFile(dir / "missing.sat", library), SatListReadResult::CannotOpen);
    EXPECT_EQ(ReadSatListFile(dir.Path(), library), SatListReadResult::CannotOpen);
    EXPECT_EQ(Names(library), std::vector<std::string>{"Mine"});

    // A length whose record count overflows the dialog's 16-bit counter; sparse, so cheap.
    std::filesystem::resize_file((WriteBytes(dir / "huge.sat", {}), dir / "huge.sat"),
                                 (kMaxSatListRecords + 1) * sizeof(SatelliteRecord));
    EXPECT_EQ(ReadSatListFile(dir / "huge.sat", library), SatListReadResult::WrongSize);
    EXPECT_EQ(library.GetCount(), 1);

    WriteBytes(dir / "one.sat", FileOf({MakeNewSatellite("Badr")}));
    EXPECT_EQ(ReadSatListFile(dir / "one.sat", library), SatListReadResult::Done);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"Badr", "Mine"}));
}

TEST(SatListFile, RecordsGoInByNameMergedWithTheLibrary) {
    TempDir dir;
    WriteBytes(dir / "lib.sat", FileOf({MakeNewSatellite("Nss 703"), MakeNewSatellite("Astra"),
                                        MakeNewSatellite("NSS 10")}));
    SatRecordList library;
    ASSERT_EQ(ReadSatListFile(dir / "lib.sat", library), SatListReadResult::Done);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"Astra", "NSS 10", "Nss 703"}));
    ASSERT_EQ(ReadSatListFile(dir / "lib.sat", library), SatListReadResult::Done);
    EXPECT_EQ(library.GetCount(), 6);
    EXPECT_EQ(NameText(library.GetAt(5)), "Nss 703");
}

TEST(SatListFile, ShortReadKeepsTheRecordsAlreadyInserted) {
    TempDir dir;
    WriteBytes(dir / "lib.sat", FileOf({MakeNewSatellite("Zed"), MakeNewSatellite("Amos"),
                                        MakeNewSatellite("Badr")}));
    SatRecordList library;
    {
        const ScopedReadLimit cut(sizeof(SatelliteRecord) + 10);
        EXPECT_EQ(ReadSatListFile(dir / "lib.sat", library), SatListReadResult::ReadError);
    }
    EXPECT_EQ(Names(library), std::vector<std::string>{"Zed"});
}

TEST(SatListFile, SavedRecordsComeBackByteForByte) {
    TempDir dir;
    std::mt19937 random(42);
    std::vector<SatelliteRecord> records = {
        RandomRecord(random, "Turksat"), RandomRecord(random, "Amos"),
        RandomRecord(random, "LongNameNoNU"), // 12 bytes, no NUL
        RandomRecord(random, "")};
    records[0].direction = 1;
    records[0].lnbType = 200;
    records[1].tpCount = 255;
    WriteBytes(dir / "in.sat", FileOf(records));

    SatRecordList library;
    ASSERT_EQ(ReadSatListFile(dir / "in.sat", library), SatListReadResult::Done);
    EXPECT_EQ(NameText(library.GetAt(2)), "LongNameNoNU");
    ASSERT_EQ(WriteSatListFile(dir / "out.sat", library), SatListWriteResult::Done);
    const std::vector<SatelliteRecord> sorted = {records[3], records[1], records[2], records[0]};
    EXPECT_EQ(ReadBytes(dir / "out.sat"), FileOf(sorted));
    EXPECT_EQ(library.GetAt(3).direction, 1);
    EXPECT_EQ(library.GetAt(3).lnbType, 200);
}

TEST(SatListFile, EmptyLibraryWritesAnEmptyFile) {
    TempDir dir;
    WriteBytes(dir / "lib.sat", FileOf({MakeNewSatellite("Old")}));
    SatRecordList library;
    ASSERT_EQ(WriteSatListFile(dir / "lib.sat", library), SatListWriteResult::Done);
    EXPECT_EQ(std::filesystem::file_size(dir / "lib.sat"), 0u);
    EXPECT_EQ(ReadSatListFile(dir / "lib.sat", library), SatListReadResult::WrongSize);
}

TEST(SatListFile, FailedWriteKeepsTheFormerFile) {
    TempDir dir;
    const Bytes old = FileOf({MakeNewSatellite("Old")});
    WriteBytes(dir / "lib.sat", old);
    SatRecordList library;
    library.Add(MakeNewSatellite("A"));
    library.Add(MakeNewSatellite("B"));
    for (const std::size_t limit : {0, 78, 155}) {
        const ScopedWriteLimit cut(limit);
        EXPECT_EQ(WriteSatListFile(dir / "lib.sat", library), SatListWriteResult::WriteError);
        EXPECT_EQ(ReadBytes(dir / "lib.sat"), old) << limit;
    }
    EXPECT_EQ(WriteSatListFile(dir.Path(), library), SatListWriteResult::CannotOpen);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"lib.sat"});
}
