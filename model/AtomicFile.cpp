#include "model/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

std::size_t g_writeLimit = kNoWriteLimit;

class TempFile final {
public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { Discard(); }

    // O_EXCL with a fresh name each try; the mode lets the umask apply as for a plain create.
    bool Create(const std::filesystem::path& folder, const std::string& baseName) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            // Cut the base so that a long target name cannot push the temporary one past NAME_MAX.
            const std::string name = "." + baseName.substr(0, 128) + ".tmp" +
                                     std::to_string(::getpid()) + "_" + std::to_string(counter++);
            std::filesystem::path candidate = folder / name;
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                m_fd = fd;
                m_path = std::move(candidate);
                return true;
            }
            if (errno != EEXIST) {
                return false;
            }
        }
        return false;
    }

    int Descriptor() const { return m_fd; }
    const std::filesystem::path& Path() const { return m_path; }

    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

    // After a successful rename the temporary name no longer exists.
    void Release() { m_path.clear(); }

    void Discard() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
            m_path.clear();
        }
    }

private:
    int m_fd = -1;
    std::filesystem::path m_path;
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

// A save that fsyncs the file but not the folder could still lose the rename on power loss.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void LimitBytesWrittenForTests(std::size_t bytes) {
    g_writeLimit = bytes;
}

AtomicWriteResult WriteFileAtomically(const std::filesystem::path& requested,
                                      std::span<const std::span<const std::byte>> chunks) {
    if (requested.empty() || !requested.has_filename()) {
        return AtomicWriteResult::CannotOpen;
    }

    // Saving through a symbolic link replaces the file it points to, not the link.
    std::filesystem::path target = requested;
    std::error_code error;
    if (std::filesystem::is_symlink(requested, error)) {
        target = std::filesystem::weakly_canonical(requested, error);
        if (error || !target.has_filename()) {
            return AtomicWriteResult::CannotOpen;
        }
    }

    bool keepMode = false;
    mode_t mode = 0;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        // A rename would replace folders, devices or pipes, which are never meter files.
        if (!S_ISREG(info.st_mode)) {
            return AtomicWriteResult::CannotOpen;
        }
        // Opening for append proves write permission without touching the contents.
        const int probe = ::open(target.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (probe < 0) {
            return AtomicWriteResult::CannotOpen;
        }
        ::close(probe);
        keepMode = true;
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return AtomicWriteResult::CannotOpen;
    }

    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    TempFile temp;
    if (!temp.Create(folder, target.filename().string())) {
        return AtomicWriteResult::CannotOpen;
    }
    if (keepMode && ::fchmod(temp.Descriptor(), mode) != 0) {
        return AtomicWriteResult::WriteError;
    }
    for (const std::span<const std::byte> chunk : chunks) {
        if (!WriteAll(temp.Descriptor(), chunk)) {
            return AtomicWriteResult::WriteError;
        }
    }
    if (::fsync(temp.Descriptor()) != 0 || !temp.Close()) {
        return AtomicWriteResult::WriteError;
    }
    if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
        return AtomicWriteResult::WriteError;
    }
    temp.Release();
    SyncFolder(folder);
    return AtomicWriteResult::Done;
}
