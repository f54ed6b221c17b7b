#include "model/DefaultSatellites.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Tp {
    std::uint16_t frequency;
    char polarization;
    std::uint16_t symbolRate;
};

SatelliteRecord Find(const SatRecordList& list, const std::string& name) {
    for (int i = 0; i < list.GetCount(); ++i) {
        if (NameText(list.GetAt(i)) == name) {
            return list.GetAt(i);
        }
    }
    ADD_FAILURE() << "no record " << name;
    return {};
}

void ExpectTps(const SatelliteRecord& record, const std::vector<Tp>& expected) {
    ASSERT_EQ(record.tpCount, expected.size());
    for (std::size_t i = 0; i < kMaxTps; ++i) {
        const TpEntry want = i < expected.size()
                                 ? TpEntry{expected[i].symbolRate, expected[i].frequency,
                                           static_cast<std::uint8_t>(expected[i].polarization), 0}
                                 : kFreshTp;
        EXPECT_EQ(record.tps[i], want) << NameText(record) << " entry " << i;
    }
}

} // namespace

TEST(DefaultSatellites, FortyRecordsInNameOrder) {
    SatRecordList library;
    AddDefaultSatellites(library);
    const std::vector<std::string> expected = {
        "AfriSlar 1",  "Amazonas",    "Amos",        "Arabsat 2B",  "Astra",       "Astra 1G",
        "Astra 1H",    "Astra 2C",    "Badr",        "ChinaSat 6B", "EMB-C2",      "Eurbird 2",
        "Eurobird 1",  "Eurobird 3",  "Eurobird 4A", "Eurobird 9A", "Eutelsat",    "Eutelsat W6",
        "EutelsatW2A", "EutelsatW3A", "Eutlsat W2",  "Express AM1", "Gvt-G11",     "Hellas Sat2",
        "Hispasat",    "HotBird",     "Intelsat 11", "Intelsat 1R", "Intelsat 21", "Lntelsat 12",
        "NSS 10",      "Nilesat 102", "Nss 703",     "Paksat 1",    "Sirius4",     "Sky-l11",
        "Star One C1", "Telstar14R",  "Turksat",     "Turksat 1C"};
    ASSERT_EQ(library.GetCount(), 40);
    int tpTotal = 0;
    for (int i = 0; i < library.GetCount(); ++i) {
        const SatelliteRecord record = library.GetAt(i);
        EXPECT_EQ(NameText(record), expected[static_cast<std::size_t>(i)]);
        tpTotal += record.tpCount;
        // Everything but name, position and transponders is a fresh record's.
        SatelliteRecord fresh = MakeNewSatellite(NameText(record).c_str());
        fresh.longitude = record.longitude;
        fresh.direction = record.direction;
        fresh.tpCount = record.tpCount;
        fresh.tps = record.tps;
        EXPECT_EQ(record, fresh) << NameText(record);
    }
    EXPECT_EQ(tpTotal, 38 * 8 + 4 + 2);
}

TEST(DefaultSatellites, RowsTakeTheirOwnStretchOfThePool) {
    SatRecordList library;
    AddDefaultSatellites(library);
    ExpectTps(Find(library, "AfriSlar 1"),
              {{1469, 'V', 1840}, {1471, 'H', 1840}, {1473, 'H', 1840}, {1481, 'H', 1840}});
    ExpectTps(Find(library, "Astra 2C"), {{11739, 'V', 27500}, {11798, 'H', 27500}});
    // The row after each short row starts exactly behind it.
    ExpectTps(Find(library, "Eutelsat W6"), {{10972, 'V', 2170},
                                             {10975, 'V', 2170},
                                             {10978, 'V', 1447},
                                             {10985, 'H', 2100},
                                             {2592, 'H', 11011},
                                             {2667, 'V', 11015},
                                             {2667, 'H', 11027},
                                             {2000, 'V', 11108}});
    ExpectTps(Find(library, "Eurobird 3"), {{3891, 'H', 6201},
                                            {10960, 'V', 2893},
                                            {10965, 'V', 2893},
                                            {10970, 'V', 4285},
                                            {10981, 'V', 6111},
                                            {10987, 'V', 1481},
                                            {10999, 'V', 6111},
                                            {11008, 'V', 6666}});
    ExpectTps(Find(library, "Telstar14R"), {{11600, 'V', 13744},
                                            {11640, 'V', 18100},
                                            {11706, 'V', 2278},
                                            {11710, 'V', 3200},
                                            {11722, 'V', 2963},
                                            {11726, 'V', 3333},
                                            {11732, 'V', 2222},
                                            {11736, 'V', 2963}});
    // Lower-case letters are part of the table.
    const SatelliteRecord sky = Find(library, "Sky-l11");
    EXPECT_EQ(sky.tps[0].polarization, 'v');
    EXPECT_EQ(sky.tps[1].polarization, 'h');
    EXPECT_EQ(sky.tps[2].polarization, 'V');

    const SatelliteRecord nilesat = Find(library, "Nilesat 102");
    EXPECT_EQ(nilesat.longitude, 70);
    EXPECT_EQ(nilesat.direction, 'W');
    const SatelliteRecord chinasat = Find(library, "ChinaSat 6B");
    EXPECT_EQ(chinasat.longitude, 1155);
    EXPECT_EQ(chinasat.direction, 'E');
    EXPECT_EQ(chinasat.tps[0], (TpEntry{27500, 3840, 'V', 0}));
}

TEST(DefaultSatellites, MergesIntoALibraryAndRunsTwice) {
    SatRecordList library;
    SatelliteRecord mine = MakeNewSatellite("Astra");
    mine.reserved27 = 1;
    library.Add(mine);
    AddDefaultSatellites(library);
    ASSERT_EQ(library.GetCount(), 41);
    EXPECT_EQ(NameText(library.GetAt(4)), "Astra");
    EXPECT_EQ(library.GetAt(4).reserved27, 0); // the new one goes before the existing one
    EXPECT_EQ(library.GetAt(5).reserved27, 1);

    library.RemoveAll();
    AddDefaultSatellites(library);
    for (int i = 0; i < library.GetCount(); ++i) {
        SatelliteRecord record = library.GetAt(i);
        record.reserved27 = 1; // mark the first run
        library.SetAt(i, record);
    }
    AddDefaultSatellites(library);
    ASSERT_EQ(library.GetCount(), 80);
    for (int i = 0; i < 80; i += 2) {
        EXPECT_EQ(NameText(library.GetAt(i)), NameText(library.GetAt(i + 1)));
        EXPECT_EQ(library.GetAt(i).reserved27, 0);
        EXPECT_EQ(library.GetAt(i + 1).reserved27, 1);
    }
}
