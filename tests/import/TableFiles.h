#pragma once

// A folder for the tables a test writes, removed with everything in it.

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

struct TempDir final {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("orvex-import-" + std::to_string(::getpid()));
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path Write(const std::string& name, const std::string& content) const {
        std::ofstream(path / name, std::ios::binary) << content;
        return path / name;
    }
};
