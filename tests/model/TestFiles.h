#pragma once

#include "model/AtomicFile.h"
#include "model/InputFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir final {
public:
    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "orvex-model-XXXXXX").string();
        m_path = ::mkdtemp(name.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline Bytes RandomBytes(unsigned seed, std::size_t size) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<std::uint8_t>(random()); });
    return bytes;
}

// Switches a test hook on for one scope only, so a failing test cannot leak it.
template <class T, void (*Set)(T), T kOff> struct ScopedHook final {
    explicit ScopedHook(T value) { Set(value); }
    ~ScopedHook() { Set(kOff); }
};
using ScopedWriteLimit = ScopedHook<std::size_t, LimitBytesWrittenForTests, kNoWriteLimit>;
using ScopedReadLimit = ScopedHook<std::size_t, LimitBytesReadForTests, kNoReadLimit>;
using ScopedNamedTempFiles = ScopedHook<bool, UseNamedTempFilesForTests, false>;
using ScopedFailedSync = ScopedHook<bool, FailFileSyncForTests, false>;
