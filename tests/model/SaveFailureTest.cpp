// Saves that fail leave the file that was there before byte for byte and no temporary file.
#include "model/MeterFile.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

SaveResult SaveAsUser(const fs::path& path, const MeterImage& image) {
    if (::geteuid() != 0) {
        return SaveMeterFile(path, image);
    }
    const int result = RunAsUser([&] { return static_cast<int>(SaveMeterFile(path, image)); });
    EXPECT_NE(result, -1) << "no ordinary user";
    return static_cast<SaveResult>(result);
}

class SaveFailures : public ::testing::Test {
protected:
    void SetUp() override {
        fs::permissions(m_dir.Path(), fs::perms::all); // reachable for the ordinary user
        m_other->leadingImage.fill(0x22);
        ASSERT_EQ(SaveMeterFile(m_target, FreshMeterImage()), SaveResult::Done);
        m_before = ReadBytes(m_target);
    }
    void ExpectUnchanged() {
        EXPECT_EQ(ReadBytes(m_target), m_before);
        EXPECT_EQ(Entries(m_dir.Path()), std::vector<std::string>{"MData.bin"});
    }

    TempDir m_dir;
    const fs::path m_target = m_dir / "MData.bin";
    const std::unique_ptr<MeterImage> m_other = std::make_unique<MeterImage>(FreshMeterImage());
    Bytes m_before;
};

TEST_F(SaveFailures, ShortWriteFailedFlushOrNoPlaceToWrite) {
    for (const std::size_t limit : {std::size_t{0}, kLeadingImageSize, kMeterFileSize - 1}) {
        const ScopedWriteLimit cut(limit);
        EXPECT_EQ(SaveMeterFile(m_target, *m_other), SaveResult::WriteError) << limit;
        ExpectUnchanged();
    }
    for (const bool named : {false, true}) {
        const ScopedNamedTempFiles kind(named);
        const ScopedFailedSync failing(true);
        EXPECT_EQ(SaveMeterFile(m_target, *m_other), SaveResult::WriteError) << named;
        EXPECT_EQ(SaveMeterFile(m_dir / "new.bin", *m_other), SaveResult::WriteError) << named;
        ExpectUnchanged(); // and no new.bin
    }
    EXPECT_EQ(SaveMeterFile(m_dir / "no" / "MData.bin", *m_other), SaveResult::CannotOpen);
    fs::create_directory(m_dir / "folder.bin");
    EXPECT_EQ(SaveMeterFile(m_dir / "folder.bin", *m_other), SaveResult::CannotOpen);
    EXPECT_TRUE(fs::is_empty(m_dir / "folder.bin"));
}

// A sticky folder lets a user write into another user's file but not replace it: the rename
// is refused after everything else went well.
TEST_F(SaveFailures, RefusedRename) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a file that an ordinary user may write, not replace";
    }
    ASSERT_EQ(::chmod(m_dir.Path().c_str(), 01777), 0);
    ASSERT_EQ(::chmod(m_target.c_str(), 0666), 0);
    for (const bool named : {false, true}) {
        const ScopedNamedTempFiles kind(named);
        EXPECT_EQ(SaveAsUser(m_target, *m_other), SaveResult::WriteError) << named;
        ExpectUnchanged();
    }
}

TEST_F(SaveFailures, ReadOnlyFolderThenReadOnlyTarget) {
    ASSERT_EQ(::chmod(m_dir.Path().c_str(), 0555), 0);
    EXPECT_EQ(SaveAsUser(m_target, *m_other), SaveResult::CannotOpen);
    ExpectUnchanged();
    // The folder would let the file be replaced by a rename; the file itself says no.
    ASSERT_EQ(::chmod(m_dir.Path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(m_target.c_str(), 0444), 0);
    EXPECT_EQ(SaveAsUser(m_target, *m_other), SaveResult::CannotOpen);
    ExpectUnchanged();
}

} // namespace
