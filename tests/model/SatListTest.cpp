#include "model/SatListFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

using Names = std::vector<std::string>;

namespace {

Names NamesOf(const SatRecordList& list) {
    Names names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names.push_back(NameText(list.GetAt(i)));
    }
    return names;
}

// A file of `count` records named "S00000" ... in a shuffled order, zero bytes otherwise.
Bytes ShuffledFile(int count, unsigned seed) {
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(seed));
    Bytes file(order.size() * sizeof(SatelliteRecord));
    for (std::size_t i = 0; i < order.size(); ++i) {
        std::snprintf(reinterpret_cast<char*>(&file[i * sizeof(SatelliteRecord)]), kNameSize,
                      "S%05d", order[i]);
    }
    return file;
}

} // namespace

TEST(SatRecordList, MergeSortedGivesTheOrderOfInsertingOneByOne) {
    // Few names, so that equal names abound, among them prefixes, a Latin-1 byte and a name
    // without its NUL. The library is partly out of order, as "Edit" can leave it.
    const char* const names[] = {"", "A", "AB", "B", "b", "\xE9", "KKKKKKKKKKKK"};
    std::mt19937 random(7);
    std::uint16_t id = 0;
    const auto any = [&] {
        SatelliteRecord record{};
        // What follows the NUL takes no part.
        std::generate(record.name.begin(), record.name.end(), [&] { return char(random()); });
        const char* name = names[random() % std::size(names)];
        std::memcpy(record.name.data(), name, std::min(std::strlen(name) + 1, kNameSize));
        record.longitude = ++id; // tells equal names apart
        return record;
    };
    for (int round = 0; round < 300; ++round) {
        SatRecordList merged;
        for (int i = static_cast<int>(random() % 12); i > 0; --i) {
            random() % 3 ? merged.InsertSorted(any()) : (merged.Add(any()), 0);
        }
        SatRecordList oneByOne = merged;
        std::vector<SatelliteRecord> records(random() % 25);
        for (SatelliteRecord& record : records) {
            record = any();
            oneByOne.InsertSorted(record);
        }
        ASSERT_TRUE(merged.MergeSorted(records));
        ASSERT_EQ(merged.Records(), oneByOne.Records()) << "round " << round;
    }
}

// Order and equal names through InsertSorted are checked on the default table.
TEST(SatRecordList, NamesCompareAsUnsignedBytesOfTheTwelveByteField) {
    // A Latin-1 letter sorts after every ASCII byte.
    EXPECT_GT(CompareNames(MakeNewSatellite("\xE9"), MakeNewSatellite("zzz")), 0);
    SatelliteRecord full = MakeNewSatellite("");
    full.name.fill('K'); // twelve bytes, no NUL: the bytes behind the field take no part
    SatelliteRecord behind = full;
    behind.lnbLowFreq = 1;
    EXPECT_EQ(CompareNames(full, behind), 0);
    EXPECT_GT(CompareNames(full, MakeNewSatellite("KKKKKKKKKKK")), 0);
}

TEST(SatRecordList, BadPositionsAreIgnoredOrThrowTheIndexError) {
    SatRecordList list;
    list.Add(MakeNewSatellite("A"));
    for (const int bad : {-1, 1}) {
        list.RemoveAt(bad);
        list.SetAt(bad, MakeNewSatellite("X"));
        EXPECT_THROW(static_cast<void>(list.GetAt(bad)), SatIndexError) << bad;
    }
    list.SetAt(0, MakeNewSatellite("Z"));
    EXPECT_EQ(NamesOf(list), Names{"Z"});
    EXPECT_STREQ(SatIndexError().what(), "satellite index error!");
}

TEST(SatListFile, WholeRecordsMergeByNameAndSaveByteForByte) {
    TempDir dir;
    SatRecordList library;
    library.Add(MakeNewSatellite("Mine"));
    WriteBytes(dir / "odd.sat", Bytes(157, 0x41)); // not whole records
    EXPECT_EQ(ReadSatListFile(dir / "odd.sat", library), SatListReadResult::WrongSize);
    EXPECT_EQ(NamesOf(library), Names{"Mine"});

    // Random bytes everywhere but the names, as a file written elsewhere may hold.
    Bytes file = RandomBytes(42, 3 * sizeof(SatelliteRecord));
    std::memcpy(&file[0], "Nss 703", 8);
    std::memcpy(&file[78], "NSS 10", 7);
    std::memcpy(&file[156], "LongNameNoNU", 12); // no NUL
    WriteBytes(dir / "in.sat", file);
    { // cut short in the third record: the two whole records before it are kept
        SatRecordList cut = library;
        const ScopedReadLimit limit(2 * sizeof(SatelliteRecord) + 10);
        EXPECT_EQ(ReadSatListFile(dir / "in.sat", cut), SatListReadResult::ReadError);
        EXPECT_EQ(NamesOf(cut), (Names{"Mine", "NSS 10", "Nss 703"}));
    }
    ASSERT_EQ(ReadSatListFile(dir / "in.sat", library), SatListReadResult::Done);
    EXPECT_EQ(NamesOf(library), (Names{"LongNameNoNU", "Mine", "NSS 10", "Nss 703"}));
    library.RemoveAt(1);
    ASSERT_EQ(WriteSatListFile(dir / "out.sat", library), SatListWriteResult::Done);
    Bytes expected(file.begin() + 156, file.end());
    expected.insert(expected.end(), file.begin() + 78, file.begin() + 156);
    expected.insert(expected.end(), file.begin(), file.begin() + 78);
    EXPECT_EQ(ReadBytes(dir / "out.sat"), expected);

    ASSERT_EQ(WriteSatListFile(dir / "out.sat", SatRecordList()), SatListWriteResult::Done);
    EXPECT_EQ(ReadBytes(dir / "out.sat"), Bytes{});
    EXPECT_EQ(ReadSatListFile(dir / "out.sat", library), SatListReadResult::WrongSize);
}

// 1,000 records and a file that fills the library to the brim, or one record past it; what
// orvex saved it can open again, but not on top of a library that is already full.
TEST(SatListFile, AtMost65535RecordsInAFileAndInTheLibrary) {
    TempDir dir;
    WriteBytes(dir / "over.sat", ShuffledFile(kMaxSatListRecords + 1, 2));
    SatRecordList library;
    EXPECT_EQ(ReadSatListFile(dir / "over.sat", library), SatListReadResult::WrongSize);
    EXPECT_EQ(library.GetCount(), 0);
    library.MergeSorted(std::vector(1000, MakeNewSatellite("T")));
    WriteBytes(dir / "part1.sat", ShuffledFile(kMaxSatListRecords - 999, 4));
    EXPECT_EQ(ReadSatListFile(dir / "part1.sat", library), SatListReadResult::TooMany);
    EXPECT_EQ(NamesOf(library), Names(1000, "T"));
    WriteBytes(dir / "part.sat", ShuffledFile(kMaxSatListRecords - 1000, 3));
    ASSERT_EQ(ReadSatListFile(dir / "part.sat", library), SatListReadResult::Done);
    ASSERT_EQ(library.GetCount(), kMaxSatListRecords);
    EXPECT_EQ(NameText(library.GetAt(0)) + NameText(library.GetAt(kMaxSatListRecords - 1001)),
              "S00000S64534");
    ASSERT_EQ(WriteSatListFile(dir / "saved.sat", library), SatListWriteResult::Done);
    EXPECT_EQ(ReadBytes(dir / "saved.sat").size(), kMaxSatListRecords * sizeof(SatelliteRecord));
    SatRecordList reopened;
    EXPECT_EQ(ReadSatListFile(dir / "saved.sat", reopened), SatListReadResult::Done);
    EXPECT_EQ(ReadSatListFile(dir / "saved.sat", reopened), SatListReadResult::TooMany);
    EXPECT_EQ(reopened.Records(), library.Records());
    EXPECT_FALSE(library.MergeSorted({MakeNewSatellite("One more")}));
    EXPECT_TRUE(library.MergeSorted({}));
}
