#pragma once
// A temporary desk.ini and cp936 file helpers for the section and template tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/Codec.h"
#include "store/FileIo.h"
#include "store/IconSection.h"
#include "store/ProfileStore.h"

namespace sections_test {

inline std::string fixtureBytes(const std::string& name) {
    return readFileBytes(std::string(TAVRIN_FIXTURES) + "/sections/" + name).value_or("");
}

// A fresh folder with desk.ini as the store's target; no Windows probe hooks installed.
class DeskFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() /
               ("tavrin-sections-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
        path_ = utf8Path(dir_ / "desk.ini");
        store.setTarget(path_);
        setWindowsProbeHooks({});
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // Writes UTF-8 INI text (LF line ends are fine) as cp936.
    void writeIni(const std::string& utf8) {
        auto bytes = codec::toCp936(utf8);
        ASSERT_TRUE(bytes.has_value());
        std::ofstream out(dir_ / "desk.ini", std::ios::binary | std::ios::trunc);
        out << *bytes;
    }
    void writeFixture(const std::string& name) {
        std::ofstream out(dir_ / "desk.ini", std::ios::binary | std::ios::trunc);
        out << fixtureBytes(name);
    }
    std::string bytes() const { return readFileBytes(path_).value_or(""); }
    std::string text() const { return codec::fromCp936(bytes()); }
    const std::string& path() const { return path_; }

    ProfileStore store;

  private:
    std::filesystem::path dir_;
    std::string path_;
};

}  // namespace sections_test
