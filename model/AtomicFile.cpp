#include "model/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <string>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::size_t g_writeLimit = kNoWriteLimit;
bool g_failSync = false;
bool g_namedTempFiles = false;
std::function<void(TempFileStage, int)> g_observer;

// As many hops as the kernel follows before it reports a loop.
constexpr int kMaxLinkHops = 40;
constexpr int kMaxNameTries = 100;

void Notify(TempFileStage stage, int fd) {
    if (g_observer) {
        g_observer(stage, fd);
    }
}

// Sixteen hex digits from the kernel's random source: a name nobody can plant in advance.
std::string RandomSuffix() {
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
        std::random_device device;
        value = (std::uint64_t{device()} << 32) ^ device();
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// The umask without changing it, where /proc tells; otherwise the usual set-and-restore.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "Umask:") {
            unsigned mask = 0;
            if (status >> std::oct >> mask) {
                return static_cast<mode_t>(mask & 0777);
            }
            break;
        }
        status.ignore(INT_MAX, '\n');
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Follows symbolic links the way the kernel would, one hop at a time, to the path that names
// no link. Relative link text counts from the link's own folder. False: a loop, or a link that
// cannot be read.
bool ResolveLinks(std::filesystem::path& path) {
    for (int hop = 0;; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            return errno == ENOENT; // a file that a save creates; a missing folder fails later
        }
        if (!S_ISLNK(info.st_mode)) {
            return true;
        }
        if (hop == kMaxLinkHops) {
            return false;
        }
        std::string text(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1,
                         '\0');
        const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
            return false;
        }
        text.resize(static_cast<std::size_t>(length));
        // Not normalised: ".." in the text must step out of the real folder, as the kernel does.
        const std::filesystem::path next(text);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

class Descriptor final {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Reset(); }
    int Get() const { return m_fd; }
    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

// The file the new contents are written into before they take the target's place. It lives
// in the target's folder, so that the final rename cannot cross filesystems.
class TempFile final {
public:
    explicit TempFile(int folder) : m_folder(folder) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { Discard(); }

    // Unnamed, where the filesystem allows it: nothing to find and nothing left if the process
    // dies. Otherwise a random name, made with O_EXCL so that nothing planted is reused. Both
    // start with mode 0600: no other user can open them.
    bool Create(const std::string& baseName, bool unnamed) {
        m_base = ".";
        m_base.append(baseName, 0, 128); // leaves room below NAME_MAX
        if (unnamed) {
            m_fd.Reset(::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
            return m_fd.Get() >= 0;
        }
        for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
            const std::string name = NewName();
            const int fd = ::openat(m_folder, name.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd >= 0) {
                m_fd.Reset(fd);
                m_name = name;
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    int Fd() const { return m_fd.Get(); }
    std::string NewName() const { return m_base + "." + RandomSuffix() + ".tmp"; }
    bool Close() { return m_fd.Close(); }

    // Gives an unnamed file a random name once its contents are complete.
    bool Link() {
        if (!m_name.empty()) {
            return true;
        }
        const std::string procPath = "/proc/self/fd/" + std::to_string(m_fd.Get());
        for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
            const std::string name = NewName();
            // Through /proc needs no privilege; AT_EMPTY_PATH works without /proc for root.
            if (::linkat(AT_FDCWD, procPath.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW) ==
                    0 ||
                ::linkat(m_fd.Get(), "", m_folder, name.c_str(), AT_EMPTY_PATH) == 0) {
                m_name = name;
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    bool RenameTo(const std::string& target) {
        if (::renameat(m_folder, m_name.c_str(), m_folder, target.c_str()) != 0) {
            return false;
        }
        m_name.clear();
        return true;
    }

    void Discard() {
        m_fd.Reset();
        if (!m_name.empty()) {
            ::unlinkat(m_folder, m_name.c_str(), 0);
            m_name.clear();
        }
    }

private:
    int m_folder;
    Descriptor m_fd;
    std::string m_base;
    std::string m_name;
};

bool WriteAll(int fd, std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        std::size_t request = bytes.size();
        if (request > g_writeLimit) {
            request = g_writeLimit;
        }
        if (request == 0) {
            return false;
        }
        const ssize_t written = ::write(fd, bytes.data(), request);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        const auto count = static_cast<std::size_t>(written);
        if (g_writeLimit != kNoWriteLimit) {
            g_writeLimit -= count;
        }
        bytes = bytes.subspan(count);
    }
    return true;
}

bool SyncFile(int fd) {
    return !g_failSync && ::fsync(fd) == 0;
}

// What the replaced file had: its mode, and its owner and group where they can be kept.
struct Ownership {
    bool existed = false;
    uid_t uid = 0;
    gid_t gid = 0;
    mode_t mode = 0;
};

// Owner and group first: changing them clears the set-id bits that the mode then restores.
// A user may give a file only groups they belong to; a group that cannot be kept gets no
// rights, since the group the file falls back to never had them.
bool ApplyOwnership(int fd, const Ownership& wanted) {
    if (!wanted.existed) {
        return ::fchmod(fd, 0666 & ~CurrentUmask()) == 0;
    }
    if (::fchown(fd, wanted.uid, wanted.gid) != 0) {
        ::fchown(fd, static_cast<uid_t>(-1), wanted.gid);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    mode_t mode = wanted.mode;
    if (info.st_gid != wanted.gid) {
        mode &= ~static_cast<mode_t>(S_ISGID | S_IRWXG);
    }
    return ::fchmod(fd, mode) == 0;
}

enum class Attempt { Done, CannotOpen, WriteError, Unsupported };

Attempt WriteThroughTempFile(int folder, const std::string& name, const Ownership& ownership,
                             std::span<const std::span<const std::byte>> chunks, bool unnamed) {
    TempFile temp(folder);
    if (!temp.Create(name, unnamed)) {
        return unnamed ? Attempt::Unsupported : Attempt::CannotOpen;
    }
    Notify(TempFileStage::Created, temp.Fd());
    if (!ApplyOwnership(temp.Fd(), ownership)) {
        return Attempt::WriteError;
    }
    Notify(TempFileStage::Prepared, temp.Fd());
    for (const std::span<const std::byte> chunk : chunks) {
        if (!WriteAll(temp.Fd(), chunk)) {
            return Attempt::WriteError;
        }
    }
    if (!SyncFile(temp.Fd())) {
        return Attempt::WriteError;
    }
    Notify(TempFileStage::Written, temp.Fd());
    if (!temp.Link()) {
        // Neither /proc nor the privilege for AT_EMPTY_PATH: start again with a named file.
        return Attempt::Unsupported;
    }
    if (!temp.Close() || !temp.RenameTo(name)) {
        return Attempt::WriteError;
    }
    // A save that syncs the file but not the folder could still lose the rename on power loss.
    ::fsync(folder);
    return Attempt::Done;
}

} // namespace

void LimitBytesWrittenForTests(std::size_t bytes) {
    g_writeLimit = bytes;
}

void FailFileSyncForTests(bool fail) {
    g_failSync = fail;
}

void UseNamedTempFilesForTests(bool named) {
    g_namedTempFiles = named;
}

void ObserveTempFileForTests(std::function<void(TempFileStage, int)> observer) {
    g_observer = std::move(observer);
}

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& requested,
                                      std::span<const std::span<const std::byte>> chunks) {
    std::filesystem::path target = requested;
    if (target.empty() || !ResolveLinks(target) || !target.has_filename()) {
        return AtomicWriteResult::CannotOpen;
    }
    std::filesystem::path folderPath = target.parent_path();
    if (folderPath.empty()) {
        folderPath = ".";
    }
    // Everything below works relative to the folder, so it cannot be swapped midway.
    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0 && errno == EACCES) {
        // A folder that may be written but not listed; it just cannot be synced.
        folder.Reset(::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (folder.Get() < 0) {
        return AtomicWriteResult::CannotOpen;
    }
    const std::string name = target.filename().string();

    Ownership ownership;
    struct stat info {};
    if (::fstatat(folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        // A rename would replace folders, devices, pipes or a link put there since the lookup.
        if (!S_ISREG(info.st_mode)) {
            return AtomicWriteResult::CannotOpen;
        }
        // Opening for append proves write permission without touching the contents.
        const Descriptor probe(::openat(folder.Get(), name.c_str(),
                                        O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (probe.Get() < 0) {
            return AtomicWriteResult::CannotOpen;
        }
        ownership = {true, info.st_uid, info.st_gid, static_cast<mode_t>(info.st_mode & 07777)};
    } else if (errno != ENOENT) {
        return AtomicWriteResult::CannotOpen;
    }

    Attempt attempt = Attempt::Unsupported;
    if (!g_namedTempFiles) {
        attempt = WriteThroughTempFile(folder.Get(), name, ownership, chunks, true);
    }
    if (attempt == Attempt::Unsupported) {
        attempt = WriteThroughTempFile(folder.Get(), name, ownership, chunks, false);
    }
    switch (attempt) {
    case Attempt::Done:
        return AtomicWriteResult::Done;
    case Attempt::WriteError:
        return AtomicWriteResult::WriteError;
    case Attempt::CannotOpen:
    case Attempt::Unsupported:
        break;
    }
    return AtomicWriteResult::CannotOpen;
}
