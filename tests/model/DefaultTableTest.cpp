// Every row of the built-in table against the table as published for users, typed in here
// independently of the model's own copy.
#include "model/DefaultSatellites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace {

// name|longitude|direction|TP count|frequency polarization symbol rate; ...
constexpr const char* kTable = R"(
ChinaSat 6B|1155|E|8|3840 V 27500; 11060 V 27500; 11325 V 4937; 11914 H 27500; 12148 H 27500; 12207 V 27500; 12266 H 27500; 12304 H 27500
Astra 1G|315|E|8|3730 H 10720; 3740 V 27500; 3750 H 10490; 3780 V 27500; 3840 H 27500; 3880 H 27500; 4100 V 27500; 4140 V 27500
Amos|170|E|8|11139 V 30000; 11761 V 15000; 11801 V 27500; 11884 V 27500; 11967 V 30000; 12035 H 4000; 12208 H 17666; 12216 H 27500
Eurobird 4A|4|E|8|11044 H 6111; 11053 H 6111; 11062 H 6666; 11070 H 6666; 11080 H 6666; 11088 H 6666; 11098 H 6666; 11106 H 6666
Sirius4|48|E|8|11727 H 27500; 11747 V 27500; 11766 H 27500; 11785 V 27500; 11804 H 27500; 11823 V 27500; 11843 H 27500; 11862 V 27500
EutelsatW3A|70|E|8|10762 H 29500; 10845 V 27500; 10928 H 30000; 10928 V 27500; 10963 H 9874; 10964 V 9874; 10972 H 4936; 10976 V 4434
Eurobird 9A|90|E|8|11717 V 27500; 11747 H 27500; 11766 V 27500; 11785 H 27500; 11823 H 27500; 11843 V 27500; 11861 H 27500; 11900 H 27500
EutelsatW2A|100|E|8|3861 V 6666; 3870 V 6666; 4038 H 3200; 10710 V 6111; 10719 V 6111; 10960 H 6666; 10792 V 6111; 10960 V 4167
HotBird|130|E|8|3840 V 27500; 11318 V 6666; 11325 V 4937; 11914 H 27500; 12148 H 27500; 12207 V 27500; 12266 H 27500; 12304 H 27500
Eutlsat W2|160|E|8|10719 V 27500; 10892 H 27500; 10957 V 2821; 10972 H 27500; 10975 H 27500; 10995 H 4444; 11001 H 4444; 11007 H 5000
Astra 1H|192|E|8|10744 H 22000; 10743 H 22000; 10748 V 22000; 10818 V 22000; 10832 H 22000; 10862 H 22000; 10876 V 22000; 10921 H 22000
AfriSlar 1|210|E|4|1469 V 1840; 1471 H 1840; 1473 H 1840; 1481 H 1840
Eutelsat W6|216|E|8|10972 V 2170; 10975 V 2170; 10978 V 1447; 10985 H 2100; 2592 H 11011; 2667 V 11015; 2667 H 11027; 2000 V 11108
Astra|5|E|8|10803 H 22000; 10861 H 22000; 10891 H 22000; 11455 H 6666; 11463 H 6666; 11475 V 4200; 11475 V 27500; 11515 H 27500
Eurbird 2|255|E|8|11001 V 3570; 11006 V 2856; 11009 V 1110; 11054 H 27500; 11080 V 2900; 11085 V 2900; 11096 H 27500; 11112 H 2220
Arabsat 2B|305|E|8|3708 V 2200; 3711 V 2200; 3781 V 2593; 3823 H 27500; 3869 V 4340; 3874 V 4340; 3884 V 4340; 3888 V 4340
Badr|260|E|8|11717 H 27500; 11747 V 27500; 11766 H 27500; 11785 V 27500; 11804 H 27500; 11823 V 27500; 11843 H 27500; 11862 V 27500
Eurobird 1|285|E|8|10714 H 22000; 10729 V 22000; 10744 H 22000; 10758 V 22000; 10773 H 22000; 10788 V 22000; 10803 H 22000; 10818 V 22000
Nilesat 102|70|W|8|11900 V 2048; 11919 H 27500; 11938 V 27500; 11996 H 27500; 12034 H 27500; 12054 V 27500; 12073 H 27500; 12130 V 27500
Turksat 1C|420|E|8|10995 V 2170; 11004 V 2277; 11008 V 2150; 11013 V 4800; 11013 H 2222; 11018 V 2190; 11020 H 2285; 11027 H 2222
Astra 2C|192|E|2|11739 V 27500; 11798 H 27500
Eurobird 3|330|E|8|3891 H 6201; 10960 V 2893; 10965 V 2893; 10970 V 4285; 10981 V 6111; 10987 V 1481; 10999 V 6111; 11008 V 6666
Eutelsat|70|E|8|10958 H 6111; 11966 H 6111; 10982 V 3500; 11043 H 6111; 11053 V 6666; 11053 V 2893; 11062 H 6666; 11071 H 6666
Paksat 1|380|E|8|3730 V 5185; 3735 V 3333; 3753 V 6500; 3784 H 2850; 3788 H 2850; 3792 H 2850; 3814 H 3255; 3819 H 4666
Hellas Sat2|390|E|8|10956 V 4123; 10964 V 3300; 10969 V 2893; 10973 V 3125; 10984 V 8052; 11012 V 30000; 11037 V 3300; 11078 V 4070
Express AM1|400|E|8|3675 V 33483; 3737 V 3230; 3744 V 3603; 3771 V 3330; 3865 V 4000; 3873 V 4340; 3879 V 3255; 3933 V 3300
Turksat|420|E|8|10965 H 1600; 10970 V 30000; 10982 H 9600; 11012 V 30000; 11028 H 2963; 11039 V 3600; 11054 H 30000; 11054 V 2200
Lntelsat 12|450|E|8|11455 V 6111; 11463 V 6111; 11468 V 27689; 11472 V 6111; 11481 V 6111; 11494 V 4400; 44500 V 4340; 11504 V 3300
Intelsat 1R|500|W|8|4125 V 10713; 11050 V 27902; 11090 V 27902; 11130 V 27902; 11170 V 27902; 11789 V 10000; 11797 H 6500; 11804 H 6500
Intelsat 21|580|W|8|3720 V 30000; 3720 H 27000; 3760 V 27690; 3760 H 30000; 3840 V 27690; 3840 H 27690; 3880 V 27690; 3880 H 27690
Intelsat 11|431|W|8|3717 H 22000; 3718 V 21600; 3745 V 21610; 3780 H 27690; 3783 V 30000; 3808 V 15000; 3808 H 14950; 3868 H 13600
NSS 10|375|W|8|3746 V 1229; 3746 H 1229; 3749 V 1674; 3749 H 1674; 3756 V 1777; 3756 H 1777; 3833 H 2893; 3868 V 6666
Amazonas|610|W|8|10728 H 28888; 10728 V 30000; 10768 H 28888; 10768 V 30000; 10808 H 30000; 10848 H 30000; 10888 V 28888; 10928 H 28888
Nss 703|470|W|8|3725 H 25000; 3765 H 25000; 3805 H 25000; 3808 V 8000; 3845 H 25000; 3910 V 2893; 3912 V 2220; 3915 H 2220
Star One C1|650|W|8|3800 H 30000; 3832 H 4800; 3850 H 6666; 3853 H 2170; 3864 H 3333; 3876 V 2740; 3894 H 6666; 3920 H 27500
EMB-C2|700|W|8|10974 H 29890; 11014 H 29890; 11130 V 29890; 11170 V 29890; 11740 H 29890; 11780 H 29890; 11820 H 29890; 11880 H 41500
Gvt-G11|555|W|8|10976 H 22000; 11006 H 23300; 11024 V 23300; 11036 H 23300; 11054 V 23300; 11066 H 23300; 11096 H 23300; 11126 H 23300
Sky-l11|431|W|8|10722 v 30000; 10722 h 30000; 10802 V 30000; 10802 H 28000; 10882 V 30000; 10882 H 30000; 10970 V 28000; 10970 H 29000
Hispasat|300|W|8|11510 V 10000; 11884 V 27500; 11972 H 27500; 12132 H 27500; 12172 H 27500; 12226 V 27500; 12303 V 27500; 12380 V 27500
Telstar14R|630|W|8|11600 V 13744; 11640 V 18100; 11706 V 2278; 11710 V 3200; 11722 V 2963; 11726 V 3333; 11732 V 2222; 11736 V 2963
)";

// The fresh record every row starts from; only the row's own fields differ.
SatelliteRecord Expected(std::string line) {
    SatelliteRecord record{};
    record.lnbLowFreq = 9750;
    record.lnbHighFreq = 10600;
    record.lnbPower = 2;
    record.tps.fill(TpEntry{10600, 9750, 'H', 0});
    const std::size_t bar = line.find('|');
    EXPECT_LT(bar, kNameSize);
    line.copy(record.name.data(), std::min(bar, kNameSize - 1));
    for (char& c : line) {
        c = c == '|' || c == ';' ? ' ' : c;
    }
    std::istringstream in(line.substr(bar));
    unsigned longitude = 0, count = 0;
    in >> longitude >> record.direction >> count;
    record.longitude = static_cast<std::uint16_t>(longitude);
    record.tpCount = static_cast<std::uint8_t>(count);
    for (TpEntry* tp = record.tps.data(); tp < record.tps.data() + count; ++tp) {
        in >> tp->frequency >> tp->polarization >> tp->symbolRate;
    }
    EXPECT_TRUE(in && (in >> std::ws).eof()) << line;
    return record;
}

} // namespace

// In name order (unsigned bytes), each before a record of the same name already there.
TEST(DefaultSatellites, EveryRowAsPublishedInNameOrder) {
    std::vector<SatelliteRecord> expected;
    std::istringstream lines(kTable);
    for (std::string line; std::getline(lines >> std::ws, line);) {
        expected.push_back(Expected(line));
    }
    ASSERT_EQ(expected.size(), 40u);
    std::sort(expected.begin(), expected.end(),
              [](const auto& a, const auto& b) { return NameText(a) < NameText(b); });
    SatRecordList library;
    SatelliteRecord mine = MakeNewSatellite("Badr");
    mine.longitude = 1;
    library.Add(mine);
    AddDefaultSatellites(library);
    expected.insert(expected.begin() + 9, mine);
    EXPECT_EQ(library.Records(), expected);
}
