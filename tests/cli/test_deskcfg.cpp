#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/Codec.h"
#include "store/FileIo.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class DeskcfgTest : public ::testing::Test {
protected:
    std::filesystem::path root;
    void SetUp() override {
        std::random_device rd;
        root = std::filesystem::temp_directory_path() / ("deskcfg-" + std::to_string(rd()));
        std::filesystem::create_directories(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string ini() const { return (root / "desk.ini").string(); }

    CliRun run(const std::string& args) const {
        const std::string out = (root / "out.txt").string(), err = (root / "err.txt").string();
        std::string cmd = std::string("'") + TAVRIN_BINARY_DIR + "/deskcfg' --root '" +
                          root.string() + "' " + args + " >'" + out + "' 2>'" + err + "'";
        CliRun r;
        int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readFileBytes(out).value_or("");
        r.err = readFileBytes(err).value_or("");
        return r;
    }
    void writeIni(const std::string& utf8) const {
        auto bytes = codec::toCp936(utf8);
        std::ofstream(ini(), std::ios::binary) << *bytes;
    }
    std::string iniText() const { return codec::fromCp936(readFileBytes(ini()).value_or("")); }
};

TEST_F(DeskcfgTest, ShowPrintsTheReloadedModelAsJson) {
    writeIni("[全局配置]\r\n网吧名称=星空\"网吧\"\r\n[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.9>甲\r\n");
    CliRun r = run("show");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"cafeName\": \"星空\\\"网吧\\\"\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"areasEnabled\": true"), std::string::npos);
    EXPECT_NE(r.out.find("\"name\": \"甲\""), std::string::npos);
    EXPECT_NE(r.out.find("\"startIp\": \"1.1.1.1\""), std::string::npos);
    EXPECT_NE(r.out.find("\"weatherTemplates\""), std::string::npos);
    EXPECT_NE(r.out.find("\"syncFolders\""), std::string::npos);
}

TEST_F(DeskcfgTest, AreaCommandsAndTheirRefusals) {
    writeIni("[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.9>Game\r\n");
    ASSERT_EQ(run("save").status, 0);
    const std::string saved = iniText();

    struct Case {
        const char* args;
        int status;  // 0 or non-zero
        const char* message;
    };
    const Case refusals[] = {
        {"area add game 2.2.2.2 2.2.2.9", 1, "该分区名已存在"},
        {"area add 'a|b' 2.2.2.2 2.2.2.9", 1, "不能包含"},
        {"area add 新区 2.2.2 2.2.2.9", 2, "IP"},
        {"area add 新区 2.2.2.2 2.2.2.9 --from 没有", 1, "参考分区不存在"},
        {"area delete Game", 1, "就剩下一个分区配置了"},
        {"area delete 没有", 1, "分区不存在"},
        {"area modify 没有 新 1.1.1.1 1.1.1.2", 1, "分区不存在"},
        {"area frobnicate", 2, "unknown"},
        {"nonsense", 2, "unknown"},
    };
    for (const auto& c : refusals) {
        CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(iniText(), saved) << c.args;
    }

    ASSERT_EQ(run("area add 新区 2.2.2.2 2.2.2.9 --from Game").status, 0);
    EXPECT_NE(iniText().find("智能分区=开|<1.1.1.1-1.1.1.9>Game|<2.2.2.2-2.2.2.9>新区"),
              std::string::npos);
    ASSERT_EQ(run("area modify 新区 NEW 3.3.3.3 3.3.3.3").status, 0);
    EXPECT_NE(iniText().find("|<3.3.3.3-3.3.3.3>NEW\r\n"), std::string::npos);
    EXPECT_EQ(iniText().find("_新区]"), std::string::npos);
    // Renaming to itself in another letter case is allowed.
    ASSERT_EQ(run("area modify NEW new 3.3.3.3 3.3.3.3").status, 0);
    ASSERT_EQ(run("area delete Game").status, 0);
    EXPECT_NE(iniText().find("智能分区=开|<3.3.3.3-3.3.3.3>new\r\n"), std::string::npos);
}

TEST_F(DeskcfgTest, AFileThatCannotBeWrittenIsReportedAndKept) {
    std::filesystem::create_directories(root / "desk.ini");  // a folder where the file should be
    CliRun r = run("save");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("desk.ini"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_directory(root / "desk.ini"));
}

}  // namespace
