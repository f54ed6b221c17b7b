#include "model/MeterFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

constexpr std::size_t kBlock = 0x16004; // file offset of SettingsBlock
constexpr std::size_t kSlot0 = kBlock + 80;

std::size_t SlotOffset(std::size_t slot) {
    return kSlot0 + 78 * slot;
}

Bytes RandomImageBytes(unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(kMeterFileSize);
    for (auto& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// Puts letters into every letter field NormaliseLetters would look at.
void UseLettersOnly(Bytes& bytes) {
    bytes[kBlock + 72 + 2] = 'W';
    bytes[kBlock + 72 + 6] = 'N';
    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        const std::size_t record = SlotOffset(slot);
        bytes[record + 26] = slot % 2 ? 'E' : 'W';
        for (std::size_t tp = 0; tp < kMaxTps; ++tp) {
            bytes[record + 30 + 6 * tp + 4] = tp % 2 ? 'H' : 'V';
        }
    }
}

std::unique_ptr<MeterImage> MarkedImage() {
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    image->leadingImage[7] = 0x77;
    image->settingsBlock.satellites[3].longitude = 1234;
    image->trailingImage[9] = 0x99;
    return image;
}

} // namespace

TEST(MeterFile, FreshImageSavesAsTheDocumentedBytes) {
    TempDir dir;
    const auto image = std::make_unique<MeterImage>(FreshMeterImage());
    ASSERT_EQ(SaveMeterFile(dir / "MData.bin", *image), SaveResult::Done);
    const Bytes bytes = ReadBytes(dir / "MData.bin");
    ASSERT_EQ(bytes.size(), 94208u);

    for (std::size_t i = 0; i < kBlock; ++i) {
        ASSERT_EQ(bytes[i], 0) << "leading image or system setting at " << i;
    }
    EXPECT_EQ(bytes[0x16004], 24);
    EXPECT_EQ(bytes[0x16005], 20);
    for (std::size_t i = 0x16006; i < 0x1600C; ++i) {
        EXPECT_EQ(bytes[i], 0) << i;
    }
    const std::uint16_t low[16] = {11550, 10700, 10500, 11700, 3000,  3600,  10780, 10875,
                                   10950, 11400, 12250, 10497, 10500, 10780, 10826, 10885};
    const std::uint16_t high[16] = {12750, 11900, 11700, 12900, 4200,  4800,  11980, 12075,
                                    12150, 12600, 13450, 14797, 14800, 11980, 12026, 12085};
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(U16At(bytes, 0x1600C + 2 * i), low[i]) << i;
        EXPECT_EQ(U16At(bytes, 0x1602C + 2 * i), high[i]) << i;
    }
    EXPECT_EQ(bytes[0x1600C], 11550 & 0xFF); // little-endian
    EXPECT_EQ(bytes[0x1600D], 11550 >> 8);
    const Bytes position(bytes.begin() + 0x1604C, bytes.begin() + 0x16054);
    EXPECT_EQ(position, (Bytes{0, 0, 'E', 0, 0, 0, 'N', 0}));

    for (std::size_t slot = 0; slot < kMaxSatellites; ++slot) {
        const std::size_t at = SlotOffset(slot);
        const std::string name = "Sat" + std::to_string(slot + 1);
        Bytes expected(78, 0);
        std::memcpy(expected.data(), name.data(), name.size());
        expected[12] = 9750 & 0xFF, expected[13] = 9750 >> 8;
        expected[14] = 10600 & 0xFF, expected[15] = 10600 >> 8;
        expected[22] = 2;
        expected[26] = 'E';
        expected[28] = 8;
        for (std::size_t tp = 0; tp < 8; ++tp) {
            const std::size_t entry = 30 + 6 * tp;
            expected[entry] = 10600 & 0xFF, expected[entry + 1] = 10600 >> 8;
            expected[entry + 2] = 9750 & 0xFF, expected[entry + 3] = 9750 >> 8;
            expected[entry + 4] = 'H';
        }
        EXPECT_EQ(Bytes(bytes.begin() + static_cast<long>(at),
                        bytes.begin() + static_cast<long>(at) + 78),
                  expected)
            << name;
    }
    EXPECT_EQ(std::memcmp(&bytes[0x16054], "Sat1\0\0\0\0\0\0\0\0", 12), 0);
    EXPECT_EQ(std::memcmp(&bytes[SlotOffset(19)], "Sat20\0\0\0\0\0\0\0", 12), 0);
    EXPECT_EQ(SlotOffset(20), 0x1666Cu);
    for (std::size_t i = 0x1666C; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], 0) << "trailing image at " << i;
    }
}

TEST(MeterFile, LoadAndSaveCarryEveryByteThrough) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Bytes original = RandomImageBytes(seed);
        UseLettersOnly(original);
        original[0x16005] = seed == 1 ? 37 : 0; // satCount beyond the slots, or none
        original[SlotOffset(4) + 28] = 200;     // tpCount beyond the entries
        WriteBytes(dir / "in.bin", original);

        auto image = std::make_unique<MeterImage>();
        ASSERT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::Done);
        NormaliseLetters(image->settingsBlock);
        ASSERT_EQ(SaveMeterFile(dir / "out.bin", *image), SaveResult::Done);
        EXPECT_EQ(ReadBytes(dir / "out.bin"), original) << "seed " << seed;
        EXPECT_EQ(image->settingsBlock.satCount, seed == 1 ? 37 : 0);
        EXPECT_EQ(image->settingsBlock.satellites[4].tpCount, 200);
    }
}

TEST(MeterFile, RefusedFilesChangeNothing) {
    TempDir dir;
    const auto before = MarkedImage();
    auto image = std::make_unique<MeterImage>(*before);
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, kMeterFileSize - 1,
                                   kMeterFileSize + 1, 2 * kMeterFileSize}) {
        WriteBytes(dir / "odd.bin", Bytes(size, 0x41));
        EXPECT_EQ(LoadMeterFile(dir / "odd.bin", *image), LoadResult::WrongSize) << size;
    }
    EXPECT_EQ(LoadMeterFile(dir / "missing.bin", *image), LoadResult::CannotOpen);
    EXPECT_EQ(LoadMeterFile(dir.Path(), *image), LoadResult::CannotOpen);
    EXPECT_EQ(LoadMeterFile("", *image), LoadResult::CannotOpen);
    EXPECT_EQ(*image, *before);
}

TEST(MeterFile, ShortReadKeepsTheFormerImageWhole) {
    TempDir dir;
    WriteBytes(dir / "in.bin", RandomImageBytes(7));
    const auto before = MarkedImage();
    auto image = std::make_unique<MeterImage>(*before);
    // Cut inside each region and at each boundary.
    for (const std::size_t limit :
         {std::size_t{0}, std::size_t{100}, kLeadingImageSize, kLeadingImageSize + 2,
          kSettingsBlockOffset + 800, kTrailingImageOffset, kMeterFileSize - 1}) {
        const ScopedReadLimit cut(limit);
        EXPECT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::ReadError) << limit;
        EXPECT_EQ(*image, *before) << limit;
    }
    EXPECT_EQ(LoadMeterFile(dir / "in.bin", *image), LoadResult::Done);
    EXPECT_EQ(ReadBytes(dir / "in.bin"), RandomImageBytes(7));
}

TEST(MeterFile, AllZeroFileLoadsAsAnEmptyBlock) {
    TempDir dir;
    WriteBytes(dir / "zero.bin", Bytes(kMeterFileSize, 0));
    auto image = std::make_unique<MeterImage>(FreshMeterImage());
    ASSERT_EQ(LoadMeterFile(dir / "zero.bin", *image), LoadResult::Done);
    NormaliseLetters(image->settingsBlock);
    const SettingsBlock& block = image->settingsBlock;
    EXPECT_EQ(block.satCount, 0);
    EXPECT_EQ(block.localPosition.longitudeDir, 'E');
    EXPECT_EQ(block.localPosition.latitudeDir, 'N');
    for (const SatelliteRecord& record : block.satellites) {
        EXPECT_EQ(NameText(record), "");
        EXPECT_EQ(record.direction, 'E');
        for (const TpEntry& tp : record.tps) {
            EXPECT_EQ(tp.polarization, 0); // no entry is in use
        }
    }
}

TEST(MeterFile, NormaliseLettersReadsOneAsTheSecondLetter) {
    struct Case {
        std::uint8_t byte;
        std::uint8_t direction;
        std::uint8_t latitude;
        std::uint8_t polarization;
    };
    const Case cases[] = {{1, 'W', 'S', 'V'},    {'E', 'E', 'N', 'H'},  {'W', 'W', 'N', 'H'},
                          {0, 'E', 'N', 'H'},    {0x20, 'E', 'N', 'H'}, {'w', 'E', 'N', 'H'},
                          {0xFF, 'E', 'N', 'H'}, {'S', 'E', 'S', 'H'},  {'V', 'E', 'N', 'V'},
                          {'N', 'E', 'N', 'H'},  {'H', 'E', 'N', 'H'}};
    for (const Case& c : cases) {
        SettingsBlock block{};
        block.satCount = 1; // the count of used slots does not matter
        block.localPosition.longitudeDir = c.byte;
        block.localPosition.latitudeDir = c.byte;
        for (SatelliteRecord& record : block.satellites) {
            record.direction = c.byte;
            record.tpCount = 8;
            for (TpEntry& tp : record.tps) {
                tp.polarization = c.byte;
            }
        }
        NormaliseLetters(block);
        EXPECT_EQ(block.localPosition.longitudeDir, c.direction) << int{c.byte};
        EXPECT_EQ(block.localPosition.latitudeDir, c.latitude) << int{c.byte};
        for (const SatelliteRecord& record : block.satellites) {
            EXPECT_EQ(record.direction, c.direction) << int{c.byte};
            for (const TpEntry& tp : record.tps) {
                EXPECT_EQ(tp.polarization, c.polarization) << int{c.byte};
            }
        }
    }
}

TEST(MeterFile, NormaliseLettersTouchesOnlyLetterFieldsOfEntriesInUse) {
    auto image = std::make_unique<MeterImage>();
    const Bytes random = RandomImageBytes(11);
    std::memcpy(image.get(), random.data(), sizeof(MeterImage));
    SettingsBlock& block = image->settingsBlock;
    block.satCount = 200;
    block.satellites[0].tpCount = 3;
    block.satellites[1].tpCount = 200;
    block.satellites[2].tpCount = 0;
    for (SatelliteRecord& record : block.satellites) {
        for (TpEntry& tp : record.tps) {
            tp.polarization = 1;
        }
    }
    SettingsBlock expected = block;
    NormaliseLetters(block);

    auto second = [](std::uint8_t byte, std::uint8_t first, std::uint8_t secondLetter) {
        return byte == 1 || byte == secondLetter ? secondLetter : first;
    };
    expected.localPosition.longitudeDir = second(expected.localPosition.longitudeDir, 'E', 'W');
    expected.localPosition.latitudeDir = second(expected.localPosition.latitudeDir, 'N', 'S');
    for (SatelliteRecord& record : expected.satellites) {
        record.direction = second(record.direction, 'E', 'W');
        for (int tp = 0; tp < UsedTps(record); ++tp) {
            record.tps[static_cast<std::size_t>(tp)].polarization = 'V';
        }
    }
    EXPECT_EQ(block, expected);
    EXPECT_EQ(block.satellites[0].tps[2].polarization, 'V');
    EXPECT_EQ(block.satellites[0].tps[3].polarization, 1);
    EXPECT_EQ(block.satellites[1].tps[7].polarization, 'V');
    EXPECT_EQ(block.satellites[2].tps[0].polarization, 1);
    EXPECT_EQ(block.satCount, 200);
    EXPECT_EQ(block.satellites[1].tpCount, 200);
}

TEST(MeterFile, FailedSaveKeepsTheFormerFile) {
    TempDir dir;
    const Bytes old = RandomImageBytes(3);
    WriteBytes(dir / "MData.bin", old);
    const auto image = std::make_unique<MeterImage>(FreshMeterImage());
    for (const std::size_t limit :
         {std::size_t{0}, kLeadingImageSize, kTrailingImageOffset + 1, kMeterFileSize - 1}) {
        const ScopedWriteLimit cut(limit);
        EXPECT_EQ(SaveMeterFile(dir / "MData.bin", *image), SaveResult::WriteError) << limit;
        EXPECT_EQ(ReadBytes(dir / "MData.bin"), old) << limit;
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"MData.bin"}) << limit;
    }
    EXPECT_EQ(SaveMeterFile(dir.Path(), *image), SaveResult::CannotOpen);
    EXPECT_EQ(SaveMeterFile(dir / "no" / "MData.bin", *image), SaveResult::CannotOpen);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"MData.bin"});

    // Saving twice replaces the first file without a question.
    ASSERT_EQ(SaveMeterFile(dir / "MData.bin", *image), SaveResult::Done);
    auto reloaded = std::make_unique<MeterImage>();
    ASSERT_EQ(LoadMeterFile(dir / "MData.bin", *reloaded), LoadResult::Done);
    EXPECT_EQ(*reloaded, *image);
}
