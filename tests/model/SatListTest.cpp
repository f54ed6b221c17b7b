#include "model/SatListFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

using Names = std::vector<std::string>;

namespace {

SatelliteRecord Named(const char* name, std::uint16_t longitude = 0) {
    SatelliteRecord record = MakeNewSatellite(name);
    record.longitude = longitude;
    return record;
}

Names NamesOf(const SatRecordList& list) {
    Names names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names.push_back(NameText(list.GetAt(i)));
    }
    return names;
}

// A file of `count` records named "S00000" ... in a shuffled order.
Bytes ShuffledFile(int count, unsigned seed) {
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(seed));
    Bytes file(order.size() * sizeof(SatelliteRecord));
    for (std::size_t i = 0; i < order.size(); ++i) {
        char name[kNameSize] = {};
        std::snprintf(name, sizeof name, "S%05d", order[i]);
        const SatelliteRecord record = Named(name, static_cast<std::uint16_t>(i));
        std::memcpy(&file[i * sizeof record], &record, sizeof record);
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
    SatelliteRecord high = Named("A");
    high.name[0] = static_cast<char>(0xE9); // a Latin-1 letter sorts after every ASCII byte
    EXPECT_GT(CompareNames(high, Named("zzz")), 0);
    SatelliteRecord full = Named("");
    full.name.fill('K'); // twelve bytes, no NUL: the bytes behind the field take no part
    SatelliteRecord behind = full;
    behind.lnbLowFreq = 1;
    EXPECT_EQ(CompareNames(full, behind), 0);
    EXPECT_GT(CompareNames(full, Named("KKKKKKKKKKK")), 0);
}

TEST(SatRecordList, BadPositionsAreIgnoredOrThrowTheIndexError) {
    SatRecordList list;
    list.Add(Named("A"));
    for (const int bad : {-1, 1}) {
        list.RemoveAt(bad);
        list.SetAt(bad, Named("X"));
    }
    list.SetAt(0, Named("Z"));
    EXPECT_EQ(NamesOf(list), Names{"Z"});
    EXPECT_THROW(static_cast<void>(list.GetAt(-1)), SatIndexError);
    try {
        static_cast<void>(list.GetAt(2));
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "satellite index error!");
    }
}

TEST(SatListFile, WholeRecordsMergeByNameAndSaveByteForByte) {
    TempDir dir;
    SatRecordList library;
    library.Add(Named("Mine"));
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

TEST(SatListFile, AtMost65535RecordsInAFileAndInTheLibrary) {
    TempDir dir;
    WriteBytes(dir / "full.sat", ShuffledFile(kMaxSatListRecords, 1));
    SatRecordList library;
    ASSERT_EQ(ReadSatListFile(dir / "full.sat", library), SatListReadResult::Done);
    ASSERT_EQ(library.GetCount(), kMaxSatListRecords);
    EXPECT_EQ(NameText(library.GetAt(0)) + NameText(library.GetAt(kMaxSatListRecords - 1)),
              "S00000S65534");
    // What orvex saved it can open again, but not on top of a library that is already full.
    ASSERT_EQ(WriteSatListFile(dir / "saved.sat", library), SatListWriteResult::Done);
    EXPECT_EQ(ReadSatListFile(dir / "saved.sat", library), SatListReadResult::TooMany);
    EXPECT_EQ(library.GetCount(), kMaxSatListRecords);
    EXPECT_FALSE(library.MergeSorted({Named("One more")}));
    EXPECT_TRUE(library.MergeSorted({}));
    EXPECT_EQ(ReadBytes(dir / "saved.sat").size(), kMaxSatListRecords * sizeof(SatelliteRecord));
    WriteBytes(dir / "over.sat", ShuffledFile(kMaxSatListRecords + 1, 2));
    SatRecordList fresh;
    EXPECT_EQ(ReadSatListFile(dir / "over.sat", fresh), SatListReadResult::WrongSize);
    EXPECT_EQ(fresh.GetCount(), 0);

    // 1,000 records and a file that fills the library to the brim, or one record past it.
    WriteBytes(dir / "part.sat", ShuffledFile(kMaxSatListRecords - 1000, 3));
    WriteBytes(dir / "part1.sat", ShuffledFile(kMaxSatListRecords - 999, 4));
    SatRecordList thousand;
    thousand.MergeSorted(std::vector(1000, Named("T")));
    EXPECT_EQ(ReadSatListFile(dir / "part1.sat", thousand), SatListReadResult::TooMany);
    EXPECT_EQ(NamesOf(thousand), Names(1000, "T"));
    EXPECT_EQ(ReadSatListFile(dir / "part.sat", thousand), SatListReadResult::Done);
    EXPECT_EQ(thousand.GetCount(), kMaxSatListRecords);
}
