#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

// A file opened for binary reading, closed when the object goes.
class InputFile final {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // False when the path cannot be opened or names a folder. Never blocks on a pipe.
    bool Open(const std::filesystem::path& path);
    // Length of a regular file; 0 for anything else (devices, pipes), which no format accepts.
    std::uint64_t Size() const { return m_size; }
    // Fills the whole buffer; false when the transfer comes back short.
    bool ReadExactly(std::span<std::byte> buffer) { return Read(buffer) == buffer.size(); }
    // Fills the buffer as far as the file goes; the number of bytes read.
    std::size_t Read(std::span<std::byte> buffer);

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

// Test hook: reads through InputFile may transfer this many more bytes in all before they come
// back short. kNoReadLimit (the default) switches the limit off.
inline constexpr std::size_t kNoReadLimit = static_cast<std::size_t>(-1);
void LimitBytesReadForTests(std::size_t bytes);
