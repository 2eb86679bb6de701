// Weather and notice templates, coordinate indices, the sync-folder list and the default
// icon background size.

#include <regex>
#include <string>
#include <vector>

#include "store/Configuration.h"
#include "store/TemplateStore.h"
#include "test_sections_util.h"

using sections_test::DeskFile;
using sections_test::fixtureBytes;

namespace {

// ------------------------------------------------------------------ new records

TEST(NewRecords, GuidIsTwelveUpperCaseHexDigitsAndFresh) {
    const std::regex form("[0-9A-F]{12}");
    const std::string a = newRecordGuid(), b = newRecordGuid();
    EXPECT_TRUE(std::regex_match(a, form)) << a;
    EXPECT_TRUE(std::regex_match(b, form)) << b;
    EXPECT_NE(a, b);
    EXPECT_NE(makeDefaultWeatherTemplate()->guid, makeDefaultWeatherTemplate()->guid);
    auto index = newCoordinateIndex();
    EXPECT_TRUE(std::regex_match(index->guid, form));
    EXPECT_EQ(index->name, "默认区域");
    EXPECT_TRUE(index->placements.empty());
}

TEST(NewRecords, DefaultTemplates) {
    auto w = makeDefaultWeatherTemplate();
    EXPECT_EQ(w->name, "默认区域");
    ASSERT_EQ(w->lines.size(), 13u);
    EXPECT_EQ(w->lines.front(), "第一行=$city|#F6F735|22|B");
    EXPECT_EQ(w->lines[6], "第七行=$nuli $hday|#FFFFFF|15");
    EXPECT_EQ(w->lines.back(), "第十三行=$temp3|#FFFFFF|12");

    auto n = makeDefaultNoticeTemplate();
    EXPECT_EQ(n->name, "默认公告");
    ASSERT_EQ(n->lines.size(), 25u);
    EXPECT_EQ(n->lines.front(), "<行间距>|15");
    EXPECT_EQ(n->lines[6], "<分割线>|30");
    EXPECT_EQ(n->lines.back(), "<行间距>|28");
    for (int i : {21, 23}) {  // the contact and web-site lines
        const std::string& line = n->lines[static_cast<std::size_t>(i)];
        EXPECT_EQ(line.substr(line.size() - 3), "|15") << line;
    }
}

// ------------------------------------------------------------------ templates

class Templates : public DeskFile {};

template <typename T>
std::unique_ptr<T> tmpl(const std::string& name, const std::string& guid,
                        std::vector<std::string> lines) {
    auto t = std::make_unique<T>();
    t->name = name;
    t->guid = guid;
    t->lines = std::move(lines);
    return t;
}

template <typename T>
std::vector<T> values(const std::vector<std::unique_ptr<T>>& list) {
    std::vector<T> out;
    for (const auto& p : list) out.push_back(*p);
    return out;
}

TEST_F(Templates, SaveAndReloadKeepOrderEmptyLinesAndPrefixes) {
    const std::vector<std::string> lines = {"第一行=$city|#F6F735|22|B", "", "  ", "末行|15", ""};
    store.weatherTemplates.push_back(tmpl<WeatherTemplate>("乙", "FFFF00000001", lines));
    store.weatherTemplates.push_back(tmpl<WeatherTemplate>("甲", "000000000002", {}));
    store.weatherTemplates.push_back(tmpl<WeatherTemplate>("乙", "AAAA00000003", {"x"}));
    store.noticeTemplates.push_back(tmpl<NoticeTemplate>("公告", "BBBB00000001", lines));
    store.noticeTemplates.push_back(tmpl<NoticeTemplate>("空", "0000BBBB0002", {}));
    const auto weather = values(store.weatherTemplates);
    const auto notice = values(store.noticeTemplates);
    {
        ProfileStore::Batch batch(store);
        saveWeatherTemplates(store);
        saveNoticeTemplates(store);
        ASSERT_TRUE(batch.commit());
    }
    EXPECT_NE(text().find("[天气模板个数]\r\nguid=FFFF00000001|000000000002|AAAA00000003\r\n"),
              std::string::npos)
        << text();
    EXPECT_NE(text().find("[天气模板_FFFF00000001]\r\n名称=乙\r\n行数=5\r\nguid=FFFF00000001\r\n"
                          "第0行=第一行=$city|#F6F735|22|B\r\n第1行=\r\n"),
              std::string::npos)
        << text();

    store.clearLists();
    EXPECT_EQ(loadWeatherTemplates(store), 3);
    EXPECT_EQ(loadNoticeTemplates(store), 2);
    // A line of blanks comes back empty: the profile rules trim values.
    auto expectedWeather = weather;
    expectedWeather[0].lines[2] = "";
    auto expectedNotice = notice;
    expectedNotice[0].lines[2] = "";
    EXPECT_EQ(values(store.weatherTemplates), expectedWeather);
    EXPECT_EQ(values(store.noticeTemplates), expectedNotice);
}

struct HandWritten {
    const char* label;
    const char* ini;
    std::vector<WeatherTemplate> weather;
    std::vector<NoticeTemplate> notice;
};

TEST_F(Templates, HandWrittenFiles) {
    const HandWritten cases[] = {
        {"second template without a name is skipped",
         "[天气模板个数]\nguid=A1|B2\n[天气模板_A1]\n名称=甲\n行数=1\n第0行=x\n"
         "[天气模板_B2]\n行数=1\n第0行=y\n",
         {{"甲", "A1", {"x"}}},
         {}},
        {"missing line keys load as empty lines",
         "[公告模板个数]\nguid=C3\n[公告模板_C3]\n名称=乙\n行数=3\nguid=C3\n第0行=first\n",
         {},
         {{"乙", "C3", {"first", "", ""}}}},
        {"weather guid comes from the index, notice guid from the section",
         "[天气模板个数]\nguid=D4\n[天气模板_D4]\n名称=丙\nguid=OTHER\n"
         "[公告模板个数]\nguid=E5\n[公告模板_E5]\n名称=丁\nguid=OTHER\n",
         {{"丙", "D4", {}}},
         {{"丁", "OTHER", {}}}},
        {"notice section without guid loads with an empty guid",
         "[公告模板个数]\nguid=F6\n[公告模板_F6]\n名称=戊\n行数=1\n第0行=z\n",
         {},
         {{"戊", "", {"z"}}}},
        {"negative and letter counts give no lines",
         "[天气模板个数]\nguid=G7|H8\n[天气模板_G7]\n名称=a\n行数=-4\n第0行=x\n"
         "[天气模板_H8]\n名称=b\n行数=abc\n第0行=x\n",
         {{"a", "G7", {}}, {"b", "H8", {}}},
         {}},
        {"no index", "[天气模板_A1]\n名称=甲\n", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        writeIni(c.ini);
        store.clearLists();
        EXPECT_EQ(loadWeatherTemplates(store), static_cast<int>(c.weather.size()));
        EXPECT_EQ(loadNoticeTemplates(store), static_cast<int>(c.notice.size()));
        EXPECT_EQ(values(store.weatherTemplates), c.weather);
        EXPECT_EQ(values(store.noticeTemplates), c.notice);
    }
}

TEST_F(Templates, MoreThanTwentyTemplatesAndLongLinesComeBackWhole) {
    const std::string longLine(400, 'w');
    for (int i = 0; i < 25; ++i) {
        char guid[13];
        std::snprintf(guid, sizeof guid, "%012X", 0xABC000 + i);
        store.weatherTemplates.push_back(tmpl<WeatherTemplate>("模板" + std::to_string(i), guid,
                                                               {longLine + std::to_string(i)}));
        store.noticeTemplates.push_back(tmpl<NoticeTemplate>("公告" + std::to_string(i), guid, {}));
    }
    const auto weather = values(store.weatherTemplates);
    const auto notice = values(store.noticeTemplates);
    saveWeatherTemplates(store);
    saveNoticeTemplates(store);
    store.clearLists();
    EXPECT_EQ(loadWeatherTemplates(store), 25);
    EXPECT_EQ(loadNoticeTemplates(store), 25);
    EXPECT_EQ(values(store.weatherTemplates), weather);
    EXPECT_EQ(values(store.noticeTemplates), notice);
}

TEST_F(Templates, AbsurdLineCountIsBounded) {
    writeIni("[天气模板个数]\nguid=A1\n[天气模板_A1]\n名称=甲\n行数=2000000000\n第0行=x\n");
    ASSERT_EQ(loadWeatherTemplates(store), 1);
    const auto& lines = store.weatherTemplates.front()->lines;
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(kMaxStoredItems));
    EXPECT_EQ(lines.front(), "x");
}

// ------------------------------------------------------------------ coordinate indices

class CoordinateIndices : public DeskFile {
  protected:
    void add(const std::string& guid, const std::string& name,
             std::vector<std::pair<std::string, std::string>> placements) {
        auto index = newCoordinateIndex();
        index->guid = guid;
        index->name = name;
        for (auto& [label, position] : placements)
            index->placements.push_back(
                std::make_unique<IconPlacement>(IconPlacement{label, position}));
        store.coordinateIndices.emplace(guid, std::move(index));
    }
    std::vector<IconPlacement> placements(const std::string& guid) {
        std::vector<IconPlacement> out;
        for (const auto& p : store.coordinateIndices.at(guid)->placements) out.push_back(*p);
        return out;
    }
};

TEST_F(CoordinateIndices, SavedInGuidOrderAsTheGoldenFile) {
    add("B0C4D2E6F810", "游戏区布局", {{"英雄联盟", "100|-20"}});
    add("3F09A1C27B44", "网吧布局", {{"我的电脑", "22|2"}, {"回收站", "22|77"}});
    ASSERT_EQ(saveCoordinateIndices(store), 1);
    EXPECT_EQ(bytes(), fixtureBytes("coordinate_indices.ini")) << text();

    store.clearLists();
    ASSERT_EQ(loadCoordinateIndices(store), 1);
    ASSERT_EQ(store.coordinateIndices.size(), 2u);
    EXPECT_EQ(store.coordinateIndices.begin()->first, "3F09A1C27B44");
    EXPECT_EQ(store.coordinateIndices.at("3F09A1C27B44")->name, "网吧布局");
    EXPECT_EQ(placements("3F09A1C27B44"),
              (std::vector<IconPlacement>{{"我的电脑", "22|2"}, {"回收站", "22|77"}}));
}

TEST_F(CoordinateIndices, HandWrittenFiles) {
    struct Case {
        const char* label;
        const char* ini;
        int result;
        std::vector<std::string> guids;
    };
    const Case cases[] = {
        {"no list", "[桌面图标_A]\n名称=x\n", 0, {}},
        {"empty list", "[桌面图标数据]\nguid=\n", 0, {}},
        {"one record per guid",
         "[桌面图标数据]\nguid=A|B|A\n[桌面图标_A]\n名称=甲\n",
         1,
         {"A", "B"}},
        {"empty field is an index of its own", "[桌面图标数据]\nguid=A|\n", 1, {"", "A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        writeIni(c.ini);
        store.clearLists();
        EXPECT_EQ(loadCoordinateIndices(store), c.result);
        std::vector<std::string> guids;
        for (const auto& [guid, index] : store.coordinateIndices) {
            EXPECT_EQ(index->guid, guid);
            guids.push_back(guid);
        }
        EXPECT_EQ(guids, c.guids);
    }
    // A|B|A: A is read once, B has no name and still loads.
    writeIni("[桌面图标数据]\nguid=A|B|A\n[桌面图标_A]\n名称=甲\n个数=1\n0=x|1|2\n");
    store.clearLists();
    loadCoordinateIndices(store);
    EXPECT_EQ(store.coordinateIndices.at("A")->name, "甲");
    EXPECT_EQ(placements("A").size(), 1u);
    EXPECT_EQ(store.coordinateIndices.at("B")->name, "");
}

TEST_F(CoordinateIndices, OnlyThreeFieldPlacementsLoad) {
    writeIni(
        "[桌面图标数据]\nguid=C\n[桌面图标_C]\n名称=布局\n个数=5\n"
        "0=回收站|10\n1=回收站|10|20|30\n2=回收站|10|20\n3=||\n");
    ASSERT_EQ(loadCoordinateIndices(store), 1);
    EXPECT_EQ(placements("C"), (std::vector<IconPlacement>{{"回收站", "10|20"}, {"", "|"}}));
    // The count is not corrected on load; the next save writes what was kept.
    store.ClearFile();
    saveCoordinateIndices(store);
    EXPECT_NE(text().find("个数=2\r\n0=回收站|10|20\r\n1=||\r\n"), std::string::npos) << text();
}

TEST_F(CoordinateIndices, MoreThanTwentyIndicesAndLongCaptions) {
    const std::string caption(300, 'c');
    for (int i = 0; i < 30; ++i) {
        char guid[13];
        std::snprintf(guid, sizeof guid, "%012X", 0xFEED00 + i);
        add(guid, "布局", {{caption, "1|2"}});
    }
    saveCoordinateIndices(store);
    store.clearLists();
    loadCoordinateIndices(store);
    ASSERT_EQ(store.coordinateIndices.size(), 30u);
    for (const auto& [guid, index] : store.coordinateIndices) {
        ASSERT_EQ(index->placements.size(), 1u) << guid;
        EXPECT_EQ(index->placements[0]->label, caption);
    }
}

// ------------------------------------------------------------------ sync folders

class SyncFolders : public DeskFile {};

TEST_F(SyncFolders, EmptyEntriesAreKept) {
    struct Case {
        const char* stored;
        int result;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"", 0, {}},
        {"游戏桌面", 1, {"游戏桌面"}},
        {"甲||乙|", 1, {"甲", "", "乙", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        writeIni(std::string("[桌面同步目录]\n目录=") + c.stored + "\n");
        store.clearLists();
        EXPECT_EQ(loadSyncFolders(store), c.result);
        EXPECT_EQ(store.syncFolders, c.names);
        store.ClearFile();
        saveSyncFolders(store);
        EXPECT_EQ(text(), std::string("[桌面同步目录]\r\n目录=") + c.stored + "\r\n");
    }
}

TEST_F(SyncFolders, TwoReloadsGiveTheSameEntries) {
    writeIni("[桌面同步目录]\n目录=甲||乙\n");
    GlobalConfig config;
    ReloadConfiguration(store, config);
    const auto once = store.syncFolders;
    ReloadConfiguration(store, config);
    EXPECT_EQ(store.syncFolders, once);
    EXPECT_EQ(once, (std::vector<std::string>{"甲", "", "乙"}));
}

// ------------------------------------------------------------------ icon background default

TEST(DefaultBackgroundSize, EveryRowThroughTheProbeHooks) {
    struct Case {
        int generation;
        int iconSize;
        const char* expected;
    };
    const Case cases[] = {
        {1, 48, "92*92*-20*-6"}, {1, 41, "92*92*-20*-6"}, {1, 40, "76*76*-20*-6"},
        {1, 0, "76*76*-20*-6"},  {2, 0, "76*86*0*-4"},    {2, 31, "76*86*0*-4"},
        {2, 32, "78*104*0*-4"},  {3, 32, "78*104*0*-4"},  {3, 33, "108*150*0*-4"},
        {2, 48, "108*150*0*-4"}, {3, 0, "76*86*0*-4"},    {0, 48, "76*76*-20*-6"},
        {0, 32, "76*76*-20*-6"}, {4, 32, "76*76*-20*-6"},
    };
    static int generation = 0, iconSize = 0;
    WindowsProbeHooks hooks;
    hooks.classifyWindows = [] { return generation; };
    hooks.shellIconSize = [] { return iconSize; };
    setWindowsProbeHooks(hooks);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.generation) + "/" + std::to_string(c.iconSize));
        generation = c.generation;
        iconSize = c.iconSize;
        EXPECT_EQ(defaultBackgroundSize(), c.expected);
        EXPECT_EQ(IconSection{}.backgroundSize, c.expected);  // a new record asks too
    }
    setWindowsProbeHooks({});
    EXPECT_EQ(defaultBackgroundSize(), "76*76*-20*-6");
}

}  // namespace
