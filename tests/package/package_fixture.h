#pragma once
// Installations, hand-made ZIP archives and byte patches for the package tests.

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <cstring>
#include <memory>

#include "desktop/folder_fixture.h"
#include "package/ThemePackage.h"
#include "platform/UserInteraction.h"
#include "store/Codec.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/TemplateStore.h"

namespace package_test {
using namespace folder_test;

// One entry of a hand-made archive; the name is stored as these bytes.
struct RawEntry {
    std::string name;
    std::string data;
    int method = Z_DEFLATED;
    unsigned flags = 0;  // general-purpose bits (1 << 11: UTF-8 name)
};

inline void writeZip(const std::string& path, const std::vector<RawEntry>& entries) {
    fs::create_directories(fsPath(path).parent_path());
    zipFile zf = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zf, nullptr);
    for (const RawEntry& e : entries) {
        zip_fileinfo info{};
        info.tmz_date.tm_year = 2020;
        info.tmz_date.tm_mday = 1;
        ASSERT_EQ(zipOpenNewFileInZip4_64(zf, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                          e.method, e.method ? Z_DEFAULT_COMPRESSION : 0, 0,
                                          -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr,
                                          0, 0, e.flags, 0),
                  ZIP_OK);
        if (!e.data.empty())
            zipWriteInFileInZip(zf, e.data.data(), static_cast<unsigned>(e.data.size()));
        zipCloseFileInZip(zf);
    }
    zipClose(zf, nullptr);
}

struct ZipEntry {
    std::string rawName;
    unsigned long flag = 0;
    unsigned long method = 0;
    std::string data;
};

inline std::vector<ZipEntry> readZip(const std::string& path) {
    std::vector<ZipEntry> out;
    unzFile uf = unzOpen64(path.c_str());
    if (!uf) return out;
    for (int rc = unzGoToFirstFile(uf); rc == UNZ_OK; rc = unzGoToNextFile(uf)) {
        unz_file_info64 info{};
        char name[4096] = {};
        unzGetCurrentFileInfo64(uf, &info, name, sizeof name - 1, nullptr, 0, nullptr, 0);
        ZipEntry e{std::string(name, info.size_filename), info.flag, info.compression_method, {}};
        if (unzOpenCurrentFile(uf) == UNZ_OK) {
            char buf[8192];
            int n;
            while ((n = unzReadCurrentFile(uf, buf, sizeof buf)) > 0) e.data.append(buf, n);
            unzCloseCurrentFile(uf);
        }
        out.push_back(std::move(e));
    }
    unzClose(uf);
    return out;
}

inline std::string gbk(const std::string& utf8) { return codec::toCp936(utf8).value(); }

inline std::uint32_t le32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}
inline void put32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

// Sets the uncompressed size that the local and central headers declare for every entry.
inline std::string withDeclaredSize(std::string zip, std::uint32_t size) {
    for (std::size_t at = 0; (at = zip.find("PK\x01\x02", at)) != std::string::npos; at += 4)
        put32(zip, at + 24, size);
    for (std::size_t at = 0; (at = zip.find("PK\x03\x04", at)) != std::string::npos; at += 4)
        put32(zip, at + 22, size);
    return zip;
}

// A configured installation below a folder: desk.ini with one area (or more), default
// templates, and the pictures that area names.
struct Install {
    std::string root;
    ProfileStore store;
    GlobalConfig config;

    explicit Install(const std::string& folder) : root(folder), store(folder + "/desk.ini") {
        fs::create_directories(fsPath(folder));
        ProgramFolder program(folder);
        EXPECT_TRUE(ReloadConfiguration(store, config));
    }
    ArearConfig& area(std::size_t i = 0) { return *config.areas.at(i); }
    std::string file(const std::string& rel) const { return root + "/" + rel; }
    SaveRequest saveRequest(int index) {
        return [this, index](const std::string& descriptor) {
            return SaveEverything(store, config, descriptor, index);
        };
    }
    // The pictures the default area names (backgrounds, illustrations).
    void addDefaultPictures() {
        for (const char* name : {"标题蓝色", "背景", "标题黄色", "分割线蓝色", "天气背景", "日历"})
            write(file(std::string("数据/背景/") + name + ".png"), std::string("png:") + name);
        write(file("数据/插图/提示牌1.png"), "sign1");
        write(file("数据/插图/提示牌2.png"), "sign2");
    }
};

// A descriptor written by the real full save, from a source installation whose first area
// is called 主题区; edit lets a test change the model before it is saved.
inline std::string makeDescriptor(const std::string& scratch,
                                  const std::function<void(Install&)>& edit = {}) {
    Install source(scratch);
    source.area().name = "主题区";
    if (edit) edit(source);
    const std::string path = scratch + "/k4rtPacket.ini";
    EXPECT_TRUE(SaveEverything(source.store, source.config, path, 0));
    return read(path);
}
}  // namespace package_test
