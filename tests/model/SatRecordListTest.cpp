#include "model/SatRecordList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SatelliteRecord Named(const char* name, std::uint16_t longitude = 0) {
    SatelliteRecord record = MakeNewSatellite(name);
    record.longitude = longitude;
    return record;
}

std::vector<std::string> Names(const SatRecordList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        names.push_back(NameText(list.GetAt(i)));
    }
    return names;
}

SatRecordList ListOf(std::initializer_list<const char*> names) {
    SatRecordList list;
    for (const char* name : names) {
        list.Add(Named(name));
    }
    return list;
}

} // namespace

TEST(SatRecordList, InsertSortedKeepsByteWiseNameOrder) {
    SatRecordList list;
    EXPECT_EQ(list.FindSortedPos(Named("Astra")), 0);
    EXPECT_EQ(list.InsertSorted(Named("Nss 703")), 1);
    list.InsertSorted(Named("Nilesat 102"));
    list.InsertSorted(Named("NSS 10"));
    // Upper case sorts before lower case; a prefix before the longer name.
    list.InsertSorted(Named("NSS"));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"NSS", "NSS 10", "Nilesat 102", "Nss 703"}));
}

TEST(SatRecordList, EqualNameGoesBeforeExistingCopies) {
    SatRecordList list;
    list.Add(Named("Amos"));
    list.Add(Named("Astra", 1));
    list.Add(Named("Badr"));
    EXPECT_EQ(list.FindSortedPos(Named("Astra")), 1);
    EXPECT_EQ(list.InsertSorted(Named("Astra", 2)), 4);
    EXPECT_EQ(list.GetAt(1).longitude, 2);
    EXPECT_EQ(list.GetAt(2).longitude, 1);
}

TEST(SatRecordList, FindSortedPosWalksFromTheStartOfAnUnsortedList) {
    // Records added with Add are not re-sorted: the first name not below wins.
    const SatRecordList list = ListOf({"Zed", "Amos", "Badr"});
    EXPECT_EQ(list.FindSortedPos(Named("Badr")), 0);
    EXPECT_EQ(ListOf({"Amos", "Badr"}).FindSortedPos(Named("Zed")), 2);
}

TEST(SatRecordList, NamesCompareAsUnsignedBytesWithinTwelveBytes) {
    SatelliteRecord high = Named("A");
    high.name[0] = static_cast<char>(0xE9); // Latin-1 letter above every ASCII byte
    EXPECT_GT(CompareNames(high, Named("zzz")), 0);
    EXPECT_LT(CompareNames(Named("Astra"), Named("Astra 1G")), 0);
    EXPECT_EQ(CompareNames(Named("Astra", 1), Named("Astra", 2)), 0);

    // Twelve bytes without a NUL: the bytes behind the field (lnbLowFreq) take no part.
    SatelliteRecord full = Named("");
    SatelliteRecord fullToo = Named("");
    for (std::size_t i = 0; i < kNameSize; ++i) {
        full.name[i] = 'K';
        fullToo.name[i] = 'K';
    }
    fullToo.lnbLowFreq = 1;
    EXPECT_EQ(CompareNames(full, fullToo), 0);
    EXPECT_GT(CompareNames(full, Named("KKKKKKKKKKK")), 0);
    EXPECT_LT(CompareNames(Named("KKKKKKKKKKK"), full), 0);
}

TEST(SatRecordList, PositionalOperationsIgnoreOrRefuseBadPositions) {
    SatRecordList list = ListOf({"A", "B", "C"});
    list.RemoveAt(-1);
    list.RemoveAt(3);
    list.SetAt(-1, Named("X"));
    list.SetAt(3, Named("X"));
    EXPECT_EQ(list.InsertAt(Named("X"), -1), 3);
    EXPECT_EQ(list.InsertAt(Named("X"), 4), 3);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "B", "C"}));

    EXPECT_EQ(list.InsertAt(Named("D"), 3), 4); // the end is a valid insertion point
    EXPECT_EQ(list.InsertAt(Named("0"), 0), 5);
    list.RemoveAt(2);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"0", "A", "C", "D"}));
}

TEST(SatRecordList, GetAtOutsideTheListThrowsTheIndexError) {
    const SatRecordList list = ListOf({"A"});
    EXPECT_THROW(static_cast<void>(list.GetAt(1)), SatIndexError);
    EXPECT_THROW(static_cast<void>(list.GetAt(-1)), SatIndexError);
    try {
        static_cast<void>(SatRecordList().GetAt(0));
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "satellite index error!");
    }
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(SatRecordList, RemovingDownToEmpty) {
    SatRecordList list;
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    list.Add(Named("A"));
    list.RemoveAt(0);
    EXPECT_EQ(list.GetCount(), 0);
    list = ListOf({"A", "B"});
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(SatRecordList, RecordsAreHeldByValue) {
    SatRecordList list;
    SatelliteRecord record = Named("Badr", 260);
    list.Add(record);
    record.longitude = 1;
    SatelliteRecord copy = list.GetAt(0);
    EXPECT_EQ(copy.longitude, 260);
    copy.longitude = 5;
    EXPECT_EQ(list.GetAt(0).longitude, 260);
    list.SetAt(0, copy);
    EXPECT_EQ(list.GetAt(0).longitude, 5);
}
