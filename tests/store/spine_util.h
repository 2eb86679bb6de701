#pragma once
// Temporary folders and cp936 file helpers for the store tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/Codec.h"
#include "store/FileIo.h"

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("tavrin-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return utf8Path(path_ / fsPath(name)); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes UTF-8 text as cp936 bytes.
inline void writeGbk(const std::string& path, const std::string& utf8) {
    auto bytes = codec::toCp936(utf8);
    ASSERT_TRUE(bytes.has_value()) << utf8;
    writeBytes(path, *bytes);
}

inline std::string readBytes(const std::string& path) { return readFileBytes(path).value_or(""); }

inline std::string readGbk(const std::string& path) { return codec::fromCp936(readBytes(path)); }

inline std::string fixture(const std::string& name) {
    return std::string(TAVRIN_FIXTURES) + "/" + name;
}
