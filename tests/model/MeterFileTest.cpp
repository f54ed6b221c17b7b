#include "model/MeterFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sys/stat.h>

TEST(MeterFile, FreshImageSavesAsTheDocumentedBytes) {
    TempDir dir;
    ASSERT_EQ(SaveMeterFile(dir / "MData.bin", FreshMeterImage()), SaveResult::Done);
    const Bytes bytes = ReadBytes(dir / "MData.bin");
    ASSERT_EQ(bytes.size(), 94208u);
    const auto at = [&](std::size_t offset, std::size_t size) {
        return Bytes(bytes.begin() + static_cast<long>(offset),
                     bytes.begin() + static_cast<long>(offset + size));
    };
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + 0x16004, 0), 0x16004);
    EXPECT_EQ(std::count(bytes.begin() + 0x1666C, bytes.end(), 0), 0x994);
    EXPECT_EQ(at(0x16004, 2), (Bytes{24, 20})); // reserved0, satCount
    // rangeLow[0] and rangeHigh[0], [11]; little-endian
    EXPECT_EQ(at(0x1600C, 2), (Bytes{11550 & 0xFF, 11550 >> 8}));
    EXPECT_EQ(at(0x1602C, 2), (Bytes{12750 & 0xFF, 12750 >> 8}));
    EXPECT_EQ(at(0x1600C + 22, 2), (Bytes{10497 & 0xFF, 10497 >> 8}));
    EXPECT_EQ(at(0x1602C + 22, 2), (Bytes{14797 & 0xFF, 14797 >> 8}));
    EXPECT_EQ(at(0x1604C, 8), (Bytes{0, 0, 'E', 0, 0, 0, 'N', 0}));
    const std::size_t first = 0x16054, last = first + 19 * 78; // 78 bytes a satellite
    EXPECT_EQ(std::memcmp(&bytes[first], "Sat1\0\0\0\0\0\0\0\0", 12), 0);
    EXPECT_EQ(std::memcmp(&bytes[last], "Sat20\0\0\0\0\0\0\0", 12), 0);
    EXPECT_EQ(bytes[last + 28], 8);
    EXPECT_EQ(at(last + 72, 6), (Bytes{10600 & 0xFF, 10600 >> 8, 9750 & 0xFF, 9750 >> 8, 'H', 0}));
}

TEST(MeterFile, RefusedOrShortReadsChangeNothingAWholeOneRoundTrips) {
    TempDir dir;
    auto before = std::make_unique<MeterImage>(FreshMeterImage());
    before->leadingImage[7] = 0x77;
    auto image = std::make_unique<MeterImage>(*before);
    WriteBytes(dir / "odd.bin", Bytes(kMeterFileSize + 1, 0x41)); // the fuzz replay tries more
    EXPECT_EQ(LoadMeterFile(dir / "odd.bin", *image), LoadResult::WrongSize);
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0); // must not wait for a writer
    EXPECT_EQ(LoadMeterFile(dir / "pipe", *image), LoadResult::WrongSize);
    EXPECT_EQ(LoadMeterFile(dir / "missing.bin", *image), LoadResult::CannotOpen);
    EXPECT_EQ(LoadMeterFile(dir.Path(), *image), LoadResult::CannotOpen);
    WriteBytes(dir / "in.bin", RandomBytes(7, kMeterFileSize));
    for (const std::size_t limit : {std::size_t{0}, kTrailingImageOffset, kMeterFileSize - 1}) {
        const ScopedReadLimit cut(limit);
        EXPECT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::ReadError) << limit;
    }
    EXPECT_EQ(*image, *before);
    ASSERT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::Done); // all four regions
    ASSERT_EQ(SaveMeterFile(dir / "out.bin", *image), SaveResult::Done);
    EXPECT_EQ(ReadBytes(dir / "out.bin"), ReadBytes(dir / "in.bin"));
}

// Every slot is normalised whatever satCount says; entries beyond tpCount (at most 8) are not.
TEST(MeterFile, NormaliseLettersReadsOneAsTheSecondLetterInUsedEntriesOnly) {
    // byte, then what it becomes as a direction, a hemisphere and a polarization
    const std::uint8_t cases[][4] = {{1, 'W', 'S', 'V'},   {'W', 'W', 'N', 'H'},
                                     {'S', 'E', 'S', 'H'}, {'V', 'E', 'N', 'V'},
                                     {0, 'E', 'N', 'H'},   {'w', 'E', 'N', 'H'}};
    const std::uint8_t tpCounts[] = {0, 3, 8, 9, 200};
    for (const auto& c : cases) {
        SettingsBlock block{};
        block.satCount = 1;
        std::memset(&block.satellites, c[0], sizeof block.satellites);
        block.localPosition.longitudeDir = block.localPosition.latitudeDir = c[0];
        SettingsBlock expected = block;
        expected.localPosition.longitudeDir = c[1];
        expected.localPosition.latitudeDir = c[2];
        for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
            SatelliteRecord& record = expected.satellites[slot];
            block.satellites[slot].tpCount = record.tpCount = tpCounts[slot % 5];
            record.direction = c[1];
            for (std::size_t tp = 0; tp < std::min<std::size_t>(record.tpCount, kMaxTps); ++tp) {
                record.tps[tp].polarization = c[3];
            }
        }
        NormaliseLetters(block);
        EXPECT_EQ(block, expected) << int{c[0]};
    }
}
