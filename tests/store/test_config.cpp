#include <gtest/gtest.h>

#include "spine_util.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {

std::string lineOf(const std::string& text, const std::string& key) {
    std::size_t at = text.find("\r\n" + key + "=");
    if (at == std::string::npos) return "<absent>";
    at += 2;
    return text.substr(at, text.find("\r\n", at) - at);
}

class ConfigTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string ini = dir.file("desk.ini");
    ProfileStore store{ini};
    GlobalConfig config;
    void TearDown() override { setWriteFailureForTesting(std::nullopt); }

    void reload() { ASSERT_TRUE(ReloadConfiguration(store, config)); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& a : config.areas) out.push_back(a->name);
        return out;
    }
};

struct ListCase {
    const char* name;
    const char* value;  // nullptr: no key at all
    bool enabled;
    std::vector<std::vector<std::string>> areas;  // name, start, end, note
    const char* written;                          // the list value after the reload
};

TEST_F(ConfigTest, AreaListReadAndWrittenBack) {
    const std::string U = kUnpartitionedNote, D = kDefaultNote;
    const ListCase cases[] = {
        {"no key", nullptr, false, {{"默认区域", "0.0.0.0", "0.0.0.0", U}},
         "-开|<0.0.0.0-0.0.0.0>默认区域"},
        {"switch off", "-开|<1.1.1.1-1.1.1.9>甲", false, {{"甲", "1.1.1.1", "1.1.1.9", D}},
         "-开|<1.1.1.1-1.1.1.9>甲"},
        {"equal addresses", "开|<0.0.0.0-0.0.0.0>默认区域", true,
         {{"默认区域", "0.0.0.0", "0.0.0.0", U}}, "开|<0.0.0.0-0.0.0.0>默认区域"},
        {"item without brackets", "开|自由区|<2.2.2.2-2.2.2.3>乙", true,
         {{"自由区", "0.0.0.0", "0.0.0.0", D}, {"乙", "2.2.2.2", "2.2.2.3", D}},
         "开|<0.0.0.0-0.0.0.0>自由区|<2.2.2.2-2.2.2.3>乙"},
        {"trailing bar", "开|<1.1.1.1-1.1.1.2>甲|", true,
         {{"甲", "1.1.1.1", "1.1.1.2", D}, {"", "0.0.0.0", "0.0.0.0", D}},
         "开|<1.1.1.1-1.1.1.2>甲|<0.0.0.0-0.0.0.0>"},
        {"double bar ends the list", "开|<1.1.1.1-1.1.1.2>甲||<2.2.2.2-2.2.2.3>乙", true,
         {{"甲", "1.1.1.1", "1.1.1.2", D}, {"", "0.0.0.0", "0.0.0.0", D}},
         "开|<1.1.1.1-1.1.1.2>甲|<0.0.0.0-0.0.0.0>"},
        {"no bar at all", "游戏区", true, {{"游戏区", "0.0.0.0", "0.0.0.0", D}},
         "开|<0.0.0.0-0.0.0.0>游戏区"},
        {"range without dash", "-开|<3.3.3.3>丙", false, {{"丙", "3.3.3.3", "3.3.3.3", U}},
         "-开|<3.3.3.3-3.3.3.3>丙"},
        {"any other switch word is on", "关|<1.1.1.1-1.1.1.2>甲", true,
         {{"甲", "1.1.1.1", "1.1.1.2", D}}, "开|<1.1.1.1-1.1.1.2>甲"},
        {"empty value", "", false, {{"默认区域", "0.0.0.0", "0.0.0.0", U}},
         "-开|<0.0.0.0-0.0.0.0>默认区域"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.value)
            writeGbk(ini, std::string("[分区配置]\r\n智能分区=") + c.value + "\r\n");
        else
            writeGbk(ini, "");
        reload();
        EXPECT_EQ(config.areasEnabled, c.enabled);
        ASSERT_EQ(config.areas.size(), c.areas.size());
        for (std::size_t i = 0; i < c.areas.size(); ++i) {
            EXPECT_EQ(config.areas[i]->name, c.areas[i][0]);
            EXPECT_EQ(config.areas[i]->startIp, c.areas[i][1]);
            EXPECT_EQ(config.areas[i]->endIp, c.areas[i][2]);
            EXPECT_EQ(config.areas[i]->note, c.areas[i][3]);
            EXPECT_TRUE(config.areas[i]->configPresent);
        }
        EXPECT_EQ(lineOf(readGbk(ini), "智能分区"), std::string("智能分区=") + c.written);
    }
}

TEST_F(ConfigTest, GoldenFileOfAReloadedTwoAreaList) {
    // Settings and list as the runtime reads them, in exact cp936 bytes.
    writeBytes(ini, readBytes(fixture("store/two_areas.ini")));
    reload();
    EXPECT_EQ(names(), (std::vector<std::string>{"游戏区", "默认区域"}));
    std::string written = readBytes(ini);
    std::string golden = readBytes(fixture("store/two_areas.golden"));
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(written.substr(0, golden.size()), golden);
}

TEST_F(ConfigTest, MissingSettingsReadTheirDefaults) {
    reload();
    EXPECT_EQ(config.weatherCity, "北京市");
    EXPECT_EQ(config.cafeName, "北京市某某网吧");
    EXPECT_EQ(config.homePage, "");
    EXPECT_EQ(config.defaultFont, "微软雅黑");
    EXPECT_FALSE(config.areasEnabled);
}

TEST_F(ConfigTest, SaveListWithOneIndexWritesOnlyThatArea) {
    writeGbk(ini, "[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.1>a|<2.2.2.2-2.2.2.2>b|"
                  "<3.3.3.3-3.3.3.3>c|<4.4.4.4-4.4.4.4>d|<5.5.5.5-5.5.5.5>e\r\n");
    reload();
    ASSERT_EQ(config.areas.size(), 5u);
    EXPECT_EQ(formatAreaList(config, 2), "开|<3.3.3.3-3.3.3.3>c");
    EXPECT_EQ(formatAreaList(config, 0), "开|<1.1.1.1-1.1.1.1>a");
    EXPECT_EQ(formatAreaList(config, 9), "开");
}

TEST_F(ConfigTest, ReloadThenFullSaveKeepsLongValuesAndLongLists) {
    std::string longName(300, 'n');
    std::string list = "开";
    for (int i = 0; i < 60; ++i)
        list += "|<10.0.0." + std::to_string(i) + "-10.0.1." + std::to_string(i) + ">区域名称" +
                std::to_string(i) + "很长的名字";
    ASSERT_GT(codec::cp936Length(list), 1023u);
    writeGbk(ini, "[全局配置]\r\n网吧名称=" + longName + "\r\n主页地址=http://example.com/" +
                      std::string(400, 'p') + "\r\n[分区配置]\r\n智能分区=" + list + "\r\n");
    reload();
    ASSERT_EQ(config.areas.size(), 60u);
    EXPECT_EQ(config.areas.back()->name, "区域名称59很长的名字");
    EXPECT_EQ(config.cafeName, longName);
    ASSERT_TRUE(SaveEverything(store, config));
    const std::string first = readBytes(ini);

    GlobalConfig again;
    ASSERT_TRUE(ReloadConfiguration(store, again));
    EXPECT_EQ(formatAreaList(again, -1), list);
    EXPECT_EQ(again.cafeName, longName);
    ASSERT_TRUE(SaveEverything(store, again));
    EXPECT_EQ(readBytes(ini), first);
}

TEST_F(ConfigTest, AReloadWithNothingNewWritesNothing) {
    reload();
    auto before = atomicWriteCount();
    const std::string bytes = readBytes(ini);
    reload();
    EXPECT_EQ(atomicWriteCount(), before);
    EXPECT_EQ(readBytes(ini), bytes);
}

TEST_F(ConfigTest, FullSaveDropsWhatNoRecordHoldsAndReloadKeepsIt) {
    writeGbk(ini,
             "[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.2>甲\r\n"
             "[手写]\r\n自定义=1\r\n[全局配置]\r\n额外=2\r\n");
    reload();
    std::string text = readGbk(ini);
    EXPECT_NE(text.find("自定义=1"), std::string::npos);
    EXPECT_NE(text.find("额外=2"), std::string::npos);
    ASSERT_TRUE(SaveEverything(store, config));
    text = readGbk(ini);
    EXPECT_EQ(text.find("手写"), std::string::npos);
    EXPECT_EQ(text.find("额外"), std::string::npos);
    EXPECT_EQ(text.rfind("[全局配置]\r\n天气城市=北京市\r\n网吧名称=北京市某某网吧\r\n主页地址=\r\n"
                         "默认字体=微软雅黑\r\n[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.2>甲\r\n",
                         0),
              0u);
}

TEST_F(ConfigTest, RenamedAreaLeavesNoSectionUnderItsOldName) {
    writeGbk(ini, "[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.2>甲|<2.2.2.2-2.2.2.3>乙乙\r\n"
                  "[Desk_甲]\r\n皮肤设置=清爽风格\r\n[旧配置_甲]\r\nk=v\r\n");
    reload();
    ASSERT_TRUE(ModifyArea(store, config, 0, "乙", "1.1.1.1", "1.1.1.5"));
    ASSERT_TRUE(SaveEverything(store, config));
    reload();
    EXPECT_EQ(names(), (std::vector<std::string>{"乙", "乙乙"}));
    EXPECT_EQ(config.areas[0]->endIp, "1.1.1.5");
    EXPECT_EQ(readGbk(ini).find("_甲]"), std::string::npos);
}

TEST_F(ConfigTest, PackageSaveWritesOneAreaWithoutSettings) {
    writeGbk(ini, "[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.2>甲|<2.2.2.2-2.2.2.3>乙|"
                  "<3.3.3.3-3.3.3.4>丙\r\n");
    reload();
    const std::string deskBefore = readBytes(ini);
    const std::string pkg = dir.file("k4rtPacket.ini");
    ASSERT_TRUE(SaveEverything(store, config, pkg, 1));
    EXPECT_EQ(store.target(), ini);
    EXPECT_EQ(readBytes(ini), deskBefore);
    const std::string text = readGbk(pkg);
    EXPECT_EQ(text.find("[全局配置]"), std::string::npos);
    EXPECT_EQ(lineOf(text, "智能分区"), "智能分区=开|<2.2.2.2-2.2.2.3>乙");
    EXPECT_EQ(text.find("_甲]"), std::string::npos);
    EXPECT_EQ(text.find("_丙]"), std::string::npos);
    EXPECT_EQ(text.find("[设分辨率_"), std::string::npos);
    EXPECT_EQ(text.find("[其它功能_"), std::string::npos);
    EXPECT_EQ(text.find("[桌面图标数据]"), std::string::npos);
    EXPECT_EQ(text.find("[桌面同步目录]"), std::string::npos);
}

TEST_F(ConfigTest, AFailedFullSaveChangesNeitherFileNorModel) {
    writeGbk(ini, "[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.2>甲|<2.2.2.2-2.2.2.3>乙\r\n");
    reload();
    const std::string before = readBytes(ini);

    setWriteFailureForTesting("磁盘已满");
    EXPECT_FALSE(SaveEverything(store, config).ok);
    EXPECT_FALSE(DeleteArea(store, config, 0).ok);
    EXPECT_EQ(names(), (std::vector<std::string>{"甲", "乙"}));
    EXPECT_FALSE(AddArea(store, config, "丙", "3.3.3.3", "3.3.3.4", 0).ok);
    EXPECT_EQ(names(), (std::vector<std::string>{"甲", "乙"}));
    EXPECT_FALSE(ModifyArea(store, config, 1, "丁", "4.4.4.4", "4.4.4.5").ok);
    EXPECT_EQ(names(), (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(config.areas[1]->startIp, "2.2.2.2");
    setWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(readBytes(ini), before);

    // A name the file cannot hold fails the same way, with its own message.
    config.cafeName = "网吧😀";
    Status st = SaveEverything(store, config);
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.message.find("U+1F600"), std::string::npos) << st.message;
    EXPECT_EQ(readBytes(ini), before);
}

TEST_F(ConfigTest, AreaOperations) {
    writeGbk(ini, "[分区配置]\r\n智能分区=开|<1.1.1.1-1.1.1.2>Game\r\n");
    reload();
    struct Case {
        const char* name;
        int except;
        bool ok;
    };
    const Case cases[] = {
        {"game", -1, false}, {"GAME", -1, false}, {"Game", 0, true}, {"gAmE", 0, true},
        {"新区", -1, true},  {"a|b", -1, false},  {"<x>", 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!checkAreaName(config, c.name, c.except).has_value(), c.ok) << c.name;
    EXPECT_EQ(*checkAreaName(config, "game", -1), kDuplicateAreaName);

    ASSERT_TRUE(AddArea(store, config, "新区", "5.5.5.1", "5.5.5.9", 0));
    reload();
    EXPECT_EQ(names(), (std::vector<std::string>{"Game", "新区"}));
    EXPECT_EQ(config.areas[1]->startIp, "5.5.5.1");

    ASSERT_TRUE(DeleteArea(store, config, 0));
    EXPECT_EQ(names(), (std::vector<std::string>{"新区"}));
    Status last = DeleteArea(store, config, 0);
    EXPECT_FALSE(last.ok);
    EXPECT_EQ(last.message, kLastAreaMessage);
    EXPECT_EQ(names(), (std::vector<std::string>{"新区"}));
}

TEST_F(ConfigTest, SaveGlobalSettingsTouchesOnlyItsFourKeys) {
    writeGbk(ini, "[全局配置]\r\n天气城市=上海市\r\n其它=保留\r\n[分区配置]\r\n智能分区=开|甲\r\n");
    ASSERT_TRUE(SaveGlobalSettings(store, "广州市", "新网吧", "", "宋体"));
    EXPECT_EQ(readGbk(ini),
              "[全局配置]\r\n天气城市=广州市\r\n其它=保留\r\n网吧名称=新网吧\r\n主页地址=\r\n"
              "默认字体=宋体\r\n[分区配置]\r\n智能分区=开|甲\r\n");
}

}  // namespace
