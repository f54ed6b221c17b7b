// What a save does besides writing the bytes: links it follows, the temporary file nobody else
// may see, the owner, group and mode the replaced file keeps; and a failed save leaves the file
// that was there before byte for byte, with no temporary file.
#include "model/MeterFile.h"
#include "model/SatListFile.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
constexpr gid_t kOtherGroup = 4242; // no user has it as the primary group

// Runs `act` in a child process, as the ordinary user kNobody with the given supplementary
// groups when asked (permission bits do not bind root), and returns its exit code; -1 when the
// child was killed or could not become that user.
int InChild(const std::function<int()>& act, bool asNobody, const std::vector<gid_t>& groups = {}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool dropped = !asNobody || (::setgroups(groups.size(), groups.data()) == 0 &&
                                           ::setgid(kNoGroup) == 0 && ::setuid(kNobody) == 0);
        ::_exit(dropped ? act() : 100);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 100 ? WEXITSTATUS(status) : -1;
}

using Names = std::vector<std::string>;

Names Entries(const fs::path& folder) { // sorted
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const Bytes kOld{'o', 'l', 'd'}, kNew{'n', 'e', 'w'};

AtomicWriteResult Write(const fs::path& path, const Bytes& bytes) {
    const std::span<const std::byte> chunks[] = {std::as_bytes(std::span(bytes))};
    return WriteFileAtomically(path, chunks);
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override { fs::permissions(m_dir.Path(), fs::perms::all); } // for kNobody too
    TempDir m_dir;
    const fs::path m_target = m_dir / "MData.bin";
};

// A relative link resolves against its own folder, not the working directory; the second save
// replaces the file at the end of the chain, keeping its mode, and leaves the links as they were.
// Links that loop or name a file in a missing folder are refused and left alone.
TEST_F(AtomicFile, SavesThroughLinksToTheFileTheyName) {
    const fs::path usb = m_dir / "usb";
    fs::create_directory(usb);
    fs::create_directory(m_dir / "home");
    fs::create_symlink(usb / "lib.sat", m_dir / "b.sat");
    fs::create_symlink("../b.sat", m_dir / "home" / "a.sat");
    SatRecordList library;
    library.Add(MakeNewSatellite("Astra"));
    ASSERT_EQ(WriteSatListFile(m_dir / "home" / "a.sat", library), SatListWriteResult::Done);
    ASSERT_EQ(::chmod((usb / "lib.sat").c_str(), 0604), 0);
    library.Add(MakeNewSatellite("Badr"));
    ASSERT_EQ(WriteSatListFile(m_dir / "home" / "a.sat", library), SatListWriteResult::Done);
    EXPECT_EQ(ReadBytes(usb / "lib.sat").size(), 2 * sizeof(SatelliteRecord));
    EXPECT_EQ(fs::status(usb / "lib.sat").permissions(), fs::perms{0604});
    EXPECT_EQ(fs::read_symlink(m_dir / "home" / "a.sat"), "../b.sat");
    EXPECT_TRUE(fs::is_symlink(m_dir / "b.sat"));

    fs::create_symlink("q.bin", usb / "p.bin");
    fs::create_symlink("p.bin", usb / "q.bin");
    fs::create_symlink("gone/x.bin", usb / "nowhere.bin");
    for (const char* name : {"p.bin", "nowhere.bin"}) {
        EXPECT_EQ(Write(usb / name, kNew), AtomicWriteResult::CannotOpen) << name;
    }
    EXPECT_EQ(Entries(usb), (Names{"lib.sat", "nowhere.bin", "p.bin", "q.bin"}));
    EXPECT_TRUE(fs::is_symlink(usb / "p.bin") && !fs::exists(usb / "gone"));
}

// Another user watching the folder must find nothing to open: the file is unnamed or 0600
// when made, and has the final owner and mode before its first byte. Names a predictable
// scheme would try are planted first.
TEST_F(AtomicFile, TempFileIsPrivateUntilItHasTheFinalMode) {
    for (int n = 0; n < 1000; ++n) {
        WriteBytes(
            m_dir / (".MData.bin.tmp" + std::to_string(::getpid()) + "_" + std::to_string(n)), {});
    }
    const mode_t umask = ::umask(022);
    std::size_t seen = 0;
    std::vector<unsigned> modes;
    ObserveTempFileForTests([&](TempFileStage stage, int fd) {
        struct stat info {};
        ::fstat(fd, &info);
        modes.push_back(info.st_mode & 07777);
        seen += stage == TempFileStage::Created ? Entries(m_dir.Path()).size() - 1000 : 0;
    });
    for (const bool named : {false, true}) {
        const ScopedNamedTempFiles kind(named);
        fs::remove(m_target);
        seen = 0;
        modes.clear();
        EXPECT_EQ(Write(m_target, kOld), AtomicWriteResult::Done); // made new: the umask's mode
        ::chmod(m_target.c_str(), 0640);
        EXPECT_EQ(Write(m_target, kNew), AtomicWriteResult::Done);
        EXPECT_EQ(modes, (std::vector<unsigned>{0600, 0644, 0644, 0600, 0640, 0640})) << named;
        // Named, the file shows up under a name nobody could have planted; unnamed, not at all.
        EXPECT_EQ(seen, named ? 3u : 1u) << named;
        EXPECT_EQ(ReadBytes(m_target), kNew);
        EXPECT_EQ(Entries(m_dir.Path()).size(), 1001u);
    }
    ObserveTempFileForTests({});
    ::umask(umask);
}

TEST_F(AtomicFile, SaveKilledBeforeTheRenameLeavesNothing) {
    const int probe = ::open(m_dir.Path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe < 0) {
        GTEST_SKIP() << "no unnamed temporary files on this filesystem";
    }
    ::close(probe);
    ASSERT_EQ(Write(m_target, kOld), AtomicWriteResult::Done);
    const auto killed = [&] {
        ObserveTempFileForTests([](TempFileStage stage, int) {
            if (stage == TempFileStage::Written) {
                ::raise(SIGKILL);
            }
        });
        return static_cast<int>(Write(m_target, kNew));
    };
    EXPECT_EQ(InChild(killed, false), -1);
    EXPECT_EQ(Entries(m_dir.Path()), Names{"MData.bin"});
    EXPECT_EQ(ReadBytes(m_target), kOld);
}

// Root saving another user's file leaves it theirs. A user saving another user's file that the
// group may write becomes the owner, as no user may give a file away, but the group stays when
// the user belongs to it; otherwise the user's own group gets no rights.
TEST_F(AtomicFile, OwnerGroupAndModeAreKept) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to hand files to other users";
    }
    // owner and mode before; saved by kNobody (with these groups) or root; group and mode after
    for (const auto& [owner, mode, asNobody, groups, gidAfter, modeAfter] :
         {std::tuple{kNobody, 0640u, false, std::vector<gid_t>{}, kOtherGroup, 0640u},
          std::tuple{kNobody + 1, 0664u, true, std::vector{kOtherGroup}, kOtherGroup, 0664u},
          std::tuple{kNobody, 0664u, true, std::vector<gid_t>{}, kNoGroup, 0604u}}) {
        ASSERT_EQ(Write(m_target, kOld), AtomicWriteResult::Done);
        ASSERT_EQ(::chown(m_target.c_str(), owner, kOtherGroup), 0);
        ASSERT_EQ(::chmod(m_target.c_str(), mode), 0);
        for (const bool named : {false, true}) {
            const ScopedNamedTempFiles kind(named);
            EXPECT_EQ(
                InChild([&] { return static_cast<int>(Write(m_target, kNew)); }, asNobody, groups),
                static_cast<int>(AtomicWriteResult::Done))
                << named << " " << modeAfter;
        }
        struct stat info {};
        ::stat(m_target.c_str(), &info);
        EXPECT_EQ(std::tuple(info.st_uid, info.st_gid, info.st_mode & 07777),
                  std::tuple(kNobody, gidAfter, modeAfter));
        EXPECT_EQ(ReadBytes(m_target), kNew);
        EXPECT_EQ(Entries(m_dir.Path()), Names{"MData.bin"});
    }
}

class SaveFailures : public AtomicFile {
protected:
    void SetUp() override {
        AtomicFile::SetUp();
        m_other->leadingImage.fill(0x22);
        ASSERT_EQ(SaveMeterFile(m_target, FreshMeterImage()), SaveResult::Done);
        m_before = ReadBytes(m_target);
    }
    void ExpectUnchanged() {
        EXPECT_EQ(ReadBytes(m_target), m_before);
        EXPECT_EQ(Entries(m_dir.Path()), Names{"MData.bin"});
    }

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

// Saved by the ordinary user when the test is root, whom permission bits bind. A sticky folder
// lets that user write into another user's file but not replace it: the rename is refused after
// everything else went well. A read-only folder takes no temporary file; a read-only file says
// no even where the folder would let a rename replace it.
TEST_F(SaveFailures, FolderOrFileTheUserMayNotChange) {
    for (const auto& [folder, file, result] : {std::tuple{01777, 0666, SaveResult::WriteError},
                                               std::tuple{0555, 0666, SaveResult::CannotOpen},
                                               std::tuple{0777, 0444, SaveResult::CannotOpen}}) {
        if (folder == 01777 && ::geteuid() != 0) {
            continue; // needs root to make a file that the user may write but not replace
        }
        ASSERT_EQ(::chmod(m_dir.Path().c_str(), folder), 0);
        ASSERT_EQ(::chmod(m_target.c_str(), file), 0);
        for (const bool named : {false, true}) {
            const ScopedNamedTempFiles kind(named);
            EXPECT_EQ(InChild([&] { return static_cast<int>(SaveMeterFile(m_target, *m_other)); },
                              ::geteuid() == 0),
                      static_cast<int>(result))
                << folder;
            ExpectUnchanged();
        }
    }
}

} // namespace
