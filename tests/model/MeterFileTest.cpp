#include "model/MeterFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr std::size_t kSlot0 = 0x16054; // first satellite record; 78 bytes each

std::uint16_t U16At(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

} // namespace

TEST(MeterFile, FreshImageSavesAsTheDocumentedBytes) {
    TempDir dir;
    const auto image = std::make_unique<MeterImage>(FreshMeterImage());
    ASSERT_EQ(SaveMeterFile(dir / "MData.bin", *image), SaveResult::Done);
    const Bytes bytes = ReadBytes(dir / "MData.bin");
    ASSERT_EQ(bytes.size(), 94208u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + 0x16004, 0), 0x16004);
    EXPECT_EQ(std::count(bytes.begin() + 0x1666C, bytes.end(), 0), 0x994);
    EXPECT_EQ(bytes[0x16004], 24);           // reserved0
    EXPECT_EQ(bytes[0x16005], 20);           // satCount
    EXPECT_EQ(bytes[0x1600C], 11550 & 0xFF); // rangeLow[0], little-endian
    EXPECT_EQ(bytes[0x1600D], 11550 >> 8);
    EXPECT_EQ(U16At(bytes, 0x1602C), 12750);      // rangeHigh[0]
    EXPECT_EQ(U16At(bytes, 0x1600C + 22), 10497); // rangeLow[11]
    EXPECT_EQ(U16At(bytes, 0x1602C + 22), 14797); // rangeHigh[11]
    EXPECT_EQ(Bytes(bytes.begin() + 0x1604C, bytes.begin() + kSlot0),
              (Bytes{0, 0, 'E', 0, 0, 0, 'N', 0}));
    EXPECT_EQ(std::memcmp(&bytes[kSlot0], "Sat1\0\0\0\0\0\0\0\0", 12), 0);
    const std::size_t last = kSlot0 + 19 * 78;
    EXPECT_EQ(std::memcmp(&bytes[last], "Sat20\0\0\0\0\0\0\0", 12), 0);
    EXPECT_EQ(bytes[last + 28], 8);
    EXPECT_EQ(Bytes(bytes.begin() + last + 72, bytes.begin() + last + 78),
              (Bytes{10600 & 0xFF, 10600 >> 8, 9750 & 0xFF, 9750 >> 8, 'H', 0}));
}

TEST(MeterFile, LoadAndSaveCarryEveryByteThrough) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 2; ++seed) {
        Bytes original = RandomBytes(seed, kMeterFileSize);
        original[0x16005] = seed == 1 ? 3 : 37; // slots beyond satCount, or a count beyond 20
        WriteBytes(dir / "in.bin", original);
        auto image = std::make_unique<MeterImage>();
        ASSERT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::Done);
        ASSERT_EQ(SaveMeterFile(dir / "out.bin", *image), SaveResult::Done);
        EXPECT_EQ(ReadBytes(dir / "out.bin"), original) << "seed " << seed;
    }
}

TEST(MeterFile, RefusedOrShortReadsChangeNothing) {
    TempDir dir;
    auto before = std::make_unique<MeterImage>(FreshMeterImage());
    before->leadingImage[7] = 0x77;
    before->trailingImage[9] = 0x99;
    auto image = std::make_unique<MeterImage>(*before);
    for (const std::size_t size : {std::size_t{0}, kMeterFileSize - 1, kMeterFileSize + 1}) {
        WriteBytes(dir / "odd.bin", Bytes(size, 0x41));
        EXPECT_EQ(LoadMeterFile(dir / "odd.bin", *image), LoadResult::WrongSize) << size;
    }
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0); // must not wait for a writer
    EXPECT_EQ(LoadMeterFile(dir / "pipe", *image), LoadResult::WrongSize);
    EXPECT_EQ(LoadMeterFile(dir / "missing.bin", *image), LoadResult::CannotOpen);
    EXPECT_EQ(LoadMeterFile(dir.Path(), *image), LoadResult::CannotOpen);
    WriteBytes(dir / "in.bin", RandomBytes(7, kMeterFileSize));
    for (const std::size_t limit :
         {std::size_t{0}, kLeadingImageSize + 2, kTrailingImageOffset, kMeterFileSize - 1}) {
        const ScopedReadLimit cut(limit);
        EXPECT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::ReadError) << limit;
    }
    EXPECT_EQ(*image, *before);
}

// Every slot is normalised whatever satCount says; entries beyond tpCount (at most 8) are not.
TEST(MeterFile, NormaliseLettersReadsOneAsTheSecondLetterInUsedEntriesOnly) {
    struct Case {
        std::uint8_t byte, direction, latitude, polarization;
    } const cases[] = {{1, 'W', 'S', 'V'},   {'W', 'W', 'N', 'H'}, {'S', 'E', 'S', 'H'},
                       {'V', 'E', 'N', 'V'}, {0, 'E', 'N', 'H'},   {'w', 'E', 'N', 'H'}};
    const std::uint8_t tpCounts[] = {0, 3, 8, 9, 200};
    for (const Case& c : cases) {
        SettingsBlock block{};
        block.satCount = 1;
        block.localPosition.longitudeDir = block.localPosition.latitudeDir = c.byte;
        for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
            block.satellites[slot].direction = c.byte;
            block.satellites[slot].tpCount = tpCounts[slot % 5];
            for (TpEntry& tp : block.satellites[slot].tps) {
                tp.polarization = c.byte;
            }
        }
        NormaliseLetters(block);
        SCOPED_TRACE(int{c.byte});
        EXPECT_EQ(block.localPosition.longitudeDir, c.direction);
        EXPECT_EQ(block.localPosition.latitudeDir, c.latitude);
        for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
            const SatelliteRecord& record = block.satellites[slot];
            EXPECT_EQ(record.direction, c.direction);
            EXPECT_EQ(record.tpCount, tpCounts[slot % 5]);
            for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
                EXPECT_EQ(record.tps[tp].polarization,
                          tp < record.tpCount ? c.polarization : c.byte)
                    << "slot " << slot << " entry " << tp;
            }
        }
    }
}
