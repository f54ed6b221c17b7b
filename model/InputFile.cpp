#include "model/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::size_t g_readLimit = kNoReadLimit;

} // namespace

void LimitBytesReadForTests(std::size_t bytes) {
    g_readLimit = bytes;
}

InputFile::~InputFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool InputFile::Open(const std::filesystem::path& path) {
    if (m_fd >= 0 || path.empty()) {
        return false;
    }
    // O_NONBLOCK keeps a named pipe from hanging the open; regular files ignore it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size =
        S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return true;
}

std::size_t InputFile::Read(std::span<std::byte> buffer) {
    if (m_fd < 0) {
        return 0;
    }
    const std::size_t wanted = buffer.size();
    while (!buffer.empty()) {
        std::size_t request = buffer.size();
        if (request > g_readLimit) {
            request = g_readLimit;
        }
        if (request == 0) {
            break;
        }
        const ssize_t got = ::read(m_fd, buffer.data(), request);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        const auto count = static_cast<std::size_t>(got);
        if (g_readLimit != kNoReadLimit) {
            g_readLimit -= count;
        }
        buffer = buffer.subspan(count);
    }
    return wanted - buffer.size();
}
