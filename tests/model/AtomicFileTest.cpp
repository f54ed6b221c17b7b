// What a successful save does besides writing the bytes: links it follows, the temporary file
// nobody else may see, and the owner, group and mode the replaced file keeps.
#include "model/SatListFile.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

struct stat StatOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

AtomicWriteResult WriteText(const fs::path& path, const std::string& text) {
    const std::span<const std::byte> chunks[] = {std::as_bytes(std::span(text))};
    return WriteFileAtomically(path, chunks);
}

std::string ReadText(const fs::path& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override { fs::permissions(m_dir.Path(), fs::perms::all); }
    TempDir m_dir;
};

// A relative link resolves against its own folder, not the working directory; the second save
// replaces the file at the end of the chain, keeping its mode, and leaves the links as they were.
TEST_F(AtomicFile, SavesThroughLinksToTheFileTheyName) {
    fs::create_directory(m_dir / "usb");
    fs::create_directory(m_dir / "home");
    fs::create_symlink(m_dir / "usb" / "lib.sat", m_dir / "b.sat");
    fs::create_symlink("../b.sat", m_dir / "home" / "a.sat");
    SatRecordList library;
    library.Add(MakeNewSatellite("Astra"));
    ASSERT_EQ(WriteSatListFile(m_dir / "home" / "a.sat", library), SatListWriteResult::Done);
    ASSERT_EQ(::chmod((m_dir / "usb" / "lib.sat").c_str(), 0604), 0);
    library.Add(MakeNewSatellite("Badr"));
    ASSERT_EQ(WriteSatListFile(m_dir / "home" / "a.sat", library), SatListWriteResult::Done);
    EXPECT_EQ(ReadBytes(m_dir / "usb" / "lib.sat").size(), 2 * sizeof(SatelliteRecord));
    EXPECT_EQ(StatOf(m_dir / "usb" / "lib.sat").st_mode & 07777, 0604u);
    EXPECT_EQ(Entries(m_dir / "usb"), std::vector<std::string>{"lib.sat"});
    EXPECT_EQ(fs::read_symlink(m_dir / "home" / "a.sat"), "../b.sat");
    EXPECT_TRUE(fs::is_symlink(m_dir / "b.sat"));
}

TEST_F(AtomicFile, LinksThatLoopOrNameNoFileAreRefused) {
    fs::create_symlink("q.bin", m_dir / "p.bin");
    fs::create_symlink("p.bin", m_dir / "q.bin");
    fs::create_symlink("self.bin", m_dir / "self.bin");
    fs::create_directory(m_dir / "usb");
    fs::create_symlink("usb", m_dir / "folder.bin");
    fs::create_symlink("gone/x.bin", m_dir / "nowhere.bin");
    for (const char* name : {"p.bin", "self.bin", "folder.bin", "nowhere.bin"}) {
        EXPECT_EQ(WriteText(m_dir / name, "x"), AtomicWriteResult::CannotOpen) << name;
    }
    EXPECT_EQ(Entries(m_dir.Path()), (std::vector<std::string>{"folder.bin", "nowhere.bin", "p.bin",
                                                               "q.bin", "self.bin", "usb"}));
    EXPECT_TRUE(fs::is_symlink(m_dir / "p.bin") && fs::is_empty(m_dir / "usb"));
}

// Another user watching the folder must find nothing to open: the file is unnamed or 0600
// when made, and has the final owner and mode before its first byte.
TEST_F(AtomicFile, TempFileIsPrivateUntilItHasTheFinalMode) {
    const mode_t umask = ::umask(022);
    std::vector<std::string> seen;
    std::vector<unsigned> modes;
    ObserveTempFileForTests([&](TempFileStage stage, int fd) {
        struct stat info {};
        ::fstat(fd, &info);
        modes.push_back(info.st_mode & 07777);
        if (stage == TempFileStage::Created) {
            const auto names = Entries(m_dir.Path());
            seen.insert(seen.end(), names.begin(), names.end());
        }
    });
    for (const bool named : {false, true}) {
        const ScopedNamedTempFiles kind(named);
        const fs::path target = m_dir / "MData.bin";
        fs::remove(target);
        seen.clear();
        modes.clear();
        EXPECT_EQ(WriteText(target, "new"), AtomicWriteResult::Done);
        EXPECT_EQ(StatOf(target).st_mode & 07777, 0644u) << "a new file follows the umask";
        ::chmod(target.c_str(), 0640);
        EXPECT_EQ(WriteText(target, "again"), AtomicWriteResult::Done);
        EXPECT_EQ(modes, (std::vector<unsigned>{0600, 0644, 0644, 0600, 0640, 0640})) << named;
        // Named, the file shows up under a name nobody could have planted; unnamed, not at all.
        EXPECT_EQ(seen.size(), named ? 3u : 1u) << named;
        EXPECT_EQ(ReadText(target), "again");
        EXPECT_EQ(Entries(m_dir.Path()), std::vector<std::string>{"MData.bin"});
    }
    ObserveTempFileForTests({});
    ::umask(umask);
}

TEST_F(AtomicFile, PlantedNamesDoNotBlockASave) {
    for (int n = 0; n < 1000; ++n) { // every name a predictable scheme would try
        WriteBytes(
            m_dir / (".MData.bin.tmp" + std::to_string(::getpid()) + "_" + std::to_string(n)), {});
    }
    for (const bool named : {false, true}) {
        const ScopedNamedTempFiles kind(named);
        EXPECT_EQ(WriteText(m_dir / "MData.bin", "x"), AtomicWriteResult::Done) << named;
        EXPECT_EQ(Entries(m_dir.Path()).size(), 1001u);
    }
}

TEST_F(AtomicFile, SaveKilledBeforeTheRenameLeavesNothing) {
    const int probe = ::open(m_dir.Path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe < 0) {
        GTEST_SKIP() << "no unnamed temporary files on this filesystem";
    }
    ::close(probe);
    ASSERT_EQ(WriteText(m_dir / "MData.bin", "old"), AtomicWriteResult::Done);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ObserveTempFileForTests([](TempFileStage stage, int) {
            if (stage == TempFileStage::Written) {
                ::raise(SIGKILL);
            }
        });
        ::_exit(static_cast<int>(WriteText(m_dir / "MData.bin", "new")));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Entries(m_dir.Path()), std::vector<std::string>{"MData.bin"});
    EXPECT_EQ(ReadText(m_dir / "MData.bin"), "old");
}

// Root saving another user's file leaves it theirs. A user saving another user's file that the
// group may write becomes the owner, as no user may give a file away, but the group stays when
// the user belongs to it; otherwise the user's own group gets no rights.
TEST_F(AtomicFile, OwnerGroupAndModeAreKept) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to hand files to other users";
    }
    const fs::path target = m_dir / "MData.bin";
    const auto save = [&] {
        return static_cast<int>(WriteText(target, "new"));
    };
    struct Case {
        uid_t uid;
        mode_t mode;
        std::function<int()> saver;
        gid_t gidAfter;
        mode_t modeAfter;
    } const cases[] = {
        {kNobody, 0640, save, kOtherGroup, 0640},
        {kNobody + 1, 0664, [&] { return RunAsUser(save, {kOtherGroup}); }, kOtherGroup, 0664},
        {kNobody, 0664, [&] { return RunAsUser(save); }, kNoGroup, 0604}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.modeAfter);
        ASSERT_EQ(WriteText(target, "old"), AtomicWriteResult::Done);
        ASSERT_EQ(::chown(target.c_str(), c.uid, kOtherGroup), 0);
        ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
        for (const bool named : {false, true}) {
            const ScopedNamedTempFiles kind(named);
            ASSERT_EQ(c.saver(), static_cast<int>(AtomicWriteResult::Done)) << named;
        }
        EXPECT_EQ(ReadText(target), "new");
        EXPECT_EQ(Entries(m_dir.Path()), std::vector<std::string>{"MData.bin"});
        const struct stat info = StatOf(target);
        EXPECT_EQ(info.st_uid, kNobody);
        EXPECT_EQ(info.st_gid, c.gidAfter);
        EXPECT_EQ(info.st_mode & 07777, c.modeAfter);
    }
}

} // namespace
