#pragma once

// Scratch folders and byte files for the model tests.

#include "model/AtomicFile.h"
#include "model/InputFile.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir final {
public:
    TempDir() {
        static std::atomic<unsigned> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("orvex-model-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // File names in the folder, sorted: shows leftover temporary files.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::uint16_t U16At(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

// Test hooks switched on for one scope only, so a failing test cannot leak a limit.
class ScopedWriteLimit final {
public:
    explicit ScopedWriteLimit(std::size_t bytes) { LimitBytesWrittenForTests(bytes); }
    ScopedWriteLimit(const ScopedWriteLimit&) = delete;
    ScopedWriteLimit& operator=(const ScopedWriteLimit&) = delete;
    ~ScopedWriteLimit() { LimitBytesWrittenForTests(kNoWriteLimit); }
};

class ScopedReadLimit final {
public:
    explicit ScopedReadLimit(std::size_t bytes) { LimitBytesReadForTests(bytes); }
    ScopedReadLimit(const ScopedReadLimit&) = delete;
    ScopedReadLimit& operator=(const ScopedReadLimit&) = delete;
    ~ScopedReadLimit() { LimitBytesReadForTests(kNoReadLimit); }
};
