#pragma once
// Temporary installations, cp936 files and the fake runtime library for the editor tests.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "platform/UserInteraction.h"
#include "store/Codec.h"
#include "store/FileIo.h"
#include "store/IniDocument.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

// A throw-away installation folder that is the program folder while it lives.
class Installation {
  public:
    Installation() {
        EXPECT_TRUE(dir_.isValid());
        paths::setProgramFolder(path());
    }
    ~Installation() {
        setWriteFailureForTesting(std::nullopt);
        paths::setProgramFolder(paths::executableFolder());
    }
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return paths::join(path(), name); }
    std::string deskIni() const { return file("desk.ini"); }

    // Writes UTF-8 text as desk.ini in cp936 (lines end in CR LF as the editor writes).
    void writeDeskIni(const std::string& utf8) const { writeText(deskIni(), utf8); }
    static void writeText(const std::string& path, const std::string& utf8) {
        auto bytes = codec::toCp936(utf8);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_TRUE(writeFileAtomically(path, *bytes).ok);
    }
    std::string bytes(const std::string& name) const {
        return readFileBytes(file(name)).value_or("");
    }
    IniDocument ini() const { return ProfileStore::decode(bytes("desk.ini")); }

    // Copies the fake runtime library into the folder ("desk" by base name).
    void installRuntime(const char* fromDir = TAVRIN_FAKE_DESK_DIR) const {
        const QDir from(fromDir);
        for (const QString& f : from.entryList(QDir::Files))
            if (f.contains("desk")) {
                EXPECT_TRUE(QFile::copy(from.filePath(f), QDir(dir_.path()).filePath(f)));
            }
    }

  private:
    QTemporaryDir dir_;
};

// Records the fake runtime's calls into a file for the lifetime of the guard.
class RuntimeLog {
  public:
    RuntimeLog() : path_(dir_.filePath("calls.log").toStdString()) {
        qputenv("TAVRIN_FAKE_DESK_LOG", QByteArray::fromStdString(path_));
    }
    ~RuntimeLog() { qunsetenv("TAVRIN_FAKE_DESK_LOG"); }
    const std::string& path() const { return path_; }
    std::string text() const { return readFileBytes(path_).value_or(""); }

  private:
    QTemporaryDir dir_;
    std::string path_;
};

// Two areas, the switch on; 游戏区 has a few values of its own.
inline constexpr const char* kTwoAreas =
    "[全局配置]\r\n天气城市=上海市\r\n网吧名称=星河网咖\r\n主页地址=http://a.example/\r\n"
    "默认字体=微软雅黑\r\n"
    "[分区配置]\r\n智能分区=开|<0.0.0.0-0.0.0.0>默认区域|<192.168.1.10-192.168.1.99>游戏区\r\n"
    "[名称配置_游戏区]\r\n显示坐标=-40|77\r\n"
    "[壁纸配置_游戏区]\r\n固定壁纸=01.jpg\r\n";
