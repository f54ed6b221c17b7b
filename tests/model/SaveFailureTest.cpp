// Saves that fail for real reasons leave the file that was there before byte for byte.
#include "model/MeterFile.h"
#include "model/SatListFile.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

MeterImage Marked(std::uint8_t mark) {
    MeterImage image = FreshMeterImage();
    image.leadingImage.fill(mark);
    image.trailingImage.fill(mark);
    return image;
}

// Runs the save as an ordinary user: permission bits do not bind root, and users are not root.
SaveResult SaveAsUser(const fs::path& path, const MeterImage& image) {
    if (::geteuid() != 0) {
        return SaveMeterFile(path, image);
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(100);
        }
        ::_exit(static_cast<int>(SaveMeterFile(path, image)));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 100) << "could not drop to an ordinary user";
    return static_cast<SaveResult>(WEXITSTATUS(status));
}

class SaveFailures : public ::testing::Test {
protected:
    void SetUp() override {
        fs::permissions(m_dir.Path(), fs::perms::all); // reachable for the ordinary user
        m_target = m_dir / "MData.bin";
        ASSERT_EQ(SaveMeterFile(m_target, Marked(0x11)), SaveResult::Done);
        m_before = ReadBytes(m_target);
        ASSERT_EQ(m_before.size(), kMeterFileSize);
    }

    void ExpectUnchanged() {
        EXPECT_EQ(ReadBytes(m_target), m_before);
        EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"MData.bin"}) << "temporary file left";
    }

    TempDir m_dir;
    fs::path m_target;
    Bytes m_before;
};

TEST_F(SaveFailures, ReadOnlyFolder) {
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(SaveAsUser(m_target, Marked(0x22)), SaveResult::CannotOpen);
    ExpectUnchanged();
}

TEST_F(SaveFailures, ReadOnlyTargetInAWritableFolder) {
    // The folder would let the file be replaced by a rename; the file itself says no.
    fs::permissions(m_target,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(SaveAsUser(m_target, Marked(0x22)), SaveResult::CannotOpen);
    ExpectUnchanged();
}

TEST_F(SaveFailures, TargetIsAFolder) {
    const fs::path folder = m_dir / "folder.bin";
    fs::create_directory(folder);
    std::ofstream(folder / "inside") << "kept";
    EXPECT_EQ(SaveMeterFile(folder, Marked(0x22)), SaveResult::CannotOpen);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(ReadBytes(folder / "inside"), (Bytes{'k', 'e', 'p', 't'}));
}

// A small filesystem of its own, filled up so that a second copy of the image no longer fits.
class FullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        m_mount = m_dir / "small";
        fs::create_directory(m_mount);
        if (::mount("orvex-test", m_mount.c_str(), "tmpfs", 0, "size=256k") != 0) {
            GTEST_SKIP() << "no permission to mount a small filesystem here";
        }
        m_mounted = true;
    }
    void TearDown() override {
        if (m_mounted) {
            ::umount(m_mount.c_str());
        }
    }

    // Leaves less room than one image, so any save through a temporary file must fail.
    void Fill() {
        std::ofstream filler(m_mount / "filler", std::ios::binary);
        const std::vector<char> block(4096, 'f');
        while (filler.write(block.data(), block.size())) {
        }
    }

    TempDir m_dir;
    fs::path m_mount;
    bool m_mounted = false;
};

TEST_F(FullDisk, MeterFileKeepsItsFormerBytes) {
    const fs::path target = m_mount / "MData.bin";
    ASSERT_EQ(SaveMeterFile(target, Marked(0x11)), SaveResult::Done);
    const Bytes before = ReadBytes(target);
    Fill();
    EXPECT_EQ(SaveMeterFile(target, Marked(0x22)), SaveResult::WriteError);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_FALSE(fs::exists(m_mount / ".MData.bin.tmp")) << "no hidden leftovers by that name";
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_mount)) {
        ++files;
    }
    EXPECT_EQ(files, 2u) << "only the target and the filler remain";
}

TEST_F(FullDisk, SatelliteListKeepsItsFormerBytes) {
    const fs::path target = m_mount / "lib.sat";
    SatRecordList small;
    small.Add(MakeNewSatellite("Astra"));
    ASSERT_EQ(WriteSatListFile(target, small), SatListWriteResult::Done);
    const Bytes before = ReadBytes(target);
    Fill();
    SatRecordList large;
    for (int i = 0; i < 2000; ++i) { // 156,000 bytes
        large.Add(MakeNewSatellite("Hispasat"));
    }
    EXPECT_EQ(WriteSatListFile(target, large), SatListWriteResult::WriteError);
    EXPECT_EQ(ReadBytes(target), before);
}

} // namespace
