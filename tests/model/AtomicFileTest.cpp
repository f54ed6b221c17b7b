#include "model/AtomicFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <sys/stat.h>

namespace {

AtomicWriteResult Write(const std::filesystem::path& path, const std::string& a,
                        const std::string& b = "") {
    const std::array<std::span<const std::byte>, 2> chunks = {std::as_bytes(std::span(a)),
                                                              std::as_bytes(std::span(b))};
    return WriteFileAtomically(path, chunks);
}

std::string Text(const std::filesystem::path& path) {
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

mode_t ModeOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

} // namespace

TEST(AtomicFile, WritesChunksInOrderAndReplacesTheTarget) {
    TempDir dir;
    ASSERT_EQ(Write(dir / "f", "old contents, longer"), AtomicWriteResult::Done);
    ASSERT_EQ(Write(dir / "f", "new ", "text"), AtomicWriteResult::Done);
    EXPECT_EQ(Text(dir / "f"), "new text");
    ASSERT_EQ(Write(dir / "f", ""), AtomicWriteResult::Done);
    EXPECT_EQ(std::filesystem::file_size(dir / "f"), 0u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f"});
}

TEST(AtomicFile, ShortWriteLeavesTargetAndFolderAsTheyWere) {
    TempDir dir;
    WriteBytes(dir / "f", Bytes{'o', 'l', 'd'});
    for (const std::size_t limit : {0, 1, 4, 7}) {
        const ScopedWriteLimit cut(limit);
        EXPECT_EQ(Write(dir / "f", "abcd", "efgh"), AtomicWriteResult::WriteError) << limit;
        EXPECT_EQ(Text(dir / "f"), "old");
        EXPECT_EQ(Write(dir / "new", "abcd", "efgh"), AtomicWriteResult::WriteError);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f"}) << limit;
    }
    const ScopedWriteLimit exact(8);
    EXPECT_EQ(Write(dir / "f", "abcd", "efgh"), AtomicWriteResult::Done);
    EXPECT_EQ(Text(dir / "f"), "abcdefgh");
}

TEST(AtomicFile, PermissionBitsOfTheTargetAreKept) {
    TempDir dir;
    WriteBytes(dir / "f", Bytes{'x'});
    ASSERT_EQ(::chmod((dir / "f").c_str(), 0640), 0);
    ASSERT_EQ(Write(dir / "f", "y"), AtomicWriteResult::Done);
    EXPECT_EQ(ModeOf(dir / "f"), 0640u);

    // A new file gets the usual mode under the process's umask, not the temporary file's.
    const mode_t old = ::umask(022);
    ASSERT_EQ(Write(dir / "g", "y"), AtomicWriteResult::Done);
    ::umask(old);
    EXPECT_EQ(ModeOf(dir / "g"), 0644u);
}

TEST(AtomicFile, ReadOnlyTargetIsNotReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not bind root";
    }
    TempDir dir;
    WriteBytes(dir / "f", Bytes{'x'});
    ASSERT_EQ(::chmod((dir / "f").c_str(), 0444), 0);
    EXPECT_EQ(Write(dir / "f", "y"), AtomicWriteResult::CannotOpen);
    EXPECT_EQ(Text(dir / "f"), "x");

    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0); // no temporary file can be made
    EXPECT_EQ(Write(dir / "g", "y"), AtomicWriteResult::CannotOpen);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f"});
}

TEST(AtomicFile, OnlyRegularFilesAreReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir / "sub");
    EXPECT_EQ(Write(dir / "sub", "y"), AtomicWriteResult::CannotOpen);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "sub"));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(Write(dir / "pipe", "y"), AtomicWriteResult::CannotOpen);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe"));
    EXPECT_EQ(Write(dir / "missing" / "f", "y"), AtomicWriteResult::CannotOpen);
    EXPECT_EQ(Write("", "y"), AtomicWriteResult::CannotOpen);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pipe", "sub"}));
}

TEST(AtomicFile, SavingThroughALinkUpdatesTheLinkedFile) {
    TempDir dir;
    WriteBytes(dir / "real", Bytes{'x'});
    std::filesystem::create_symlink("real", dir / "link");
    ASSERT_EQ(Write(dir / "link", "new"), AtomicWriteResult::Done);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    EXPECT_EQ(Text(dir / "real"), "new");
}

TEST(InputFile, PipesAndDevicesHaveNoLength) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    InputFile pipe;
    ASSERT_TRUE(pipe.Open(dir / "pipe")); // must not block without a writer
    EXPECT_EQ(pipe.Size(), 0u);
    InputFile folder;
    EXPECT_FALSE(folder.Open(dir.Path()));
    InputFile device;
    ASSERT_TRUE(device.Open("/dev/zero"));
    EXPECT_EQ(device.Size(), 0u);
}

TEST(AtomicFile, LongestFileNameStillSaves) {
    TempDir dir;
    const std::string name(255, 'n'); // NAME_MAX: no room left for a suffix
    ASSERT_EQ(Write(dir / name, "y"), AtomicWriteResult::Done);
    EXPECT_EQ(Text(dir / name), "y");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{name});
}
