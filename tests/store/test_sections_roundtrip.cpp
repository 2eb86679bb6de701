// The whole model through a full save: a reload of the saved file gives back every field,
// template line, placement and sync folder, and a second full save the same bytes.

#include <string>
#include <vector>

#include "store/Configuration.h"
#include "store/TemplateStore.h"
#include "test_sections_util.h"

using sections_test::DeskFile;

namespace {

struct Snapshot {
    std::string settings;
    std::vector<std::string> areaHeads;
    std::vector<SkinSection> skin;
    std::vector<NameColumnSection> nameColumn;
    std::vector<WeatherSection> weather;
    std::vector<NoticeSection> notice;
    std::vector<SloganSection> slogan;
    std::vector<DecalSection> decal;
    std::vector<OtherFunctionsSection> other;
    std::vector<IconSection> icon;
    std::vector<WeatherTemplate> weatherTemplates;
    std::vector<NoticeTemplate> noticeTemplates;
    std::vector<std::string> indices;  // guid, name and placements flattened
    std::vector<std::string> syncFolders;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const ProfileStore& store, const GlobalConfig& c) {
    Snapshot s;
    s.settings = c.weatherCity + "/" + c.cafeName + "/" + c.homePage + "/" + c.defaultFont + "/" +
                 (c.areasEnabled ? "on" : "off");
    for (const auto& a : c.areas) {
        s.areaHeads.push_back(a->name + "/" + a->startIp + "/" + a->endIp + "/" + a->note);
        s.skin.push_back(a->skin);
        s.nameColumn.push_back(a->nameColumn);
        s.weather.push_back(a->weather);
        s.notice.push_back(a->notice);
        s.slogan.push_back(a->slogan);
        s.decal.push_back(a->decal);
        s.other.push_back(a->otherFunctions);
        s.icon.push_back(a->icon);
    }
    for (const auto& t : store.weatherTemplates) s.weatherTemplates.push_back(*t);
    for (const auto& t : store.noticeTemplates) s.noticeTemplates.push_back(*t);
    for (const auto& [guid, index] : store.coordinateIndices) {
        s.indices.push_back(guid + "/" + index->guid + "/" + index->name);
        for (const auto& p : index->placements) s.indices.push_back(p->label + "@" + p->position);
    }
    s.syncFolders = store.syncFolders;
    return s;
}

class FullSave : public DeskFile {};

TEST_F(FullSave, HandWrittenFileReadsAsWritten) {
    writeFixture("full.ini");
    GlobalConfig config;
    ASSERT_TRUE(ReloadConfiguration(store, config));
    ASSERT_EQ(config.areas.size(), 2u);
    const ArearConfig& game = *config.areas[0];
    EXPECT_EQ(game.skin.textEffect, SkinSection::kOutline);
    EXPECT_EQ(game.skin.effectColour, "#00ff80");
    EXPECT_EQ(game.skin.wallpaperFolder, "\\\\server\\壁纸");
    EXPECT_EQ(game.nameColumn.position, (PositionPair{2, "X", 3, "Z"}));
    EXPECT_EQ(game.nameColumn.seatNumberContent, "$ID3号 游戏区");
    EXPECT_EQ(game.nameColumn.seatNumberOffset, -10);
    EXPECT_EQ(game.weather.templateGuid, "0A0B0C0D0E0F");
    EXPECT_EQ(game.notice.alignment, 1);
    EXPECT_EQ(game.slogan.content, "欢迎光临");
    EXPECT_EQ(game.decal.picture, "春节.png");
    EXPECT_EQ(game.otherFunctions.shortcutName, "西湖桌面");
    EXPECT_EQ(game.icon.backgroundSize, "108*150*0*-4");
    EXPECT_TRUE(game.icon.syncOn);

    ASSERT_EQ(store.weatherTemplates.size(), 2u);
    EXPECT_EQ(store.weatherTemplates[0]->lines,
              (std::vector<std::string>{"第一行=$city|#F6F735|22|B", "", "$tq1"}));
    ASSERT_EQ(store.coordinateIndices.size(), 2u);
    EXPECT_EQ(store.coordinateIndices.begin()->first, "3F09A1C27B44");
    EXPECT_EQ(store.syncFolders, (std::vector<std::string>{"游戏桌面", "", "办公桌面"}));
}

void expectSame(const Snapshot& reloaded, const Snapshot& loaded) {
    EXPECT_EQ(reloaded.settings, loaded.settings);
    EXPECT_EQ(reloaded.areaHeads, loaded.areaHeads);
    EXPECT_EQ(reloaded.skin, loaded.skin);
    EXPECT_EQ(reloaded.nameColumn, loaded.nameColumn);
    EXPECT_EQ(reloaded.weather, loaded.weather);
    EXPECT_EQ(reloaded.notice, loaded.notice);
    EXPECT_EQ(reloaded.slogan, loaded.slogan);
    EXPECT_EQ(reloaded.decal, loaded.decal);
    EXPECT_EQ(reloaded.other, loaded.other);
    EXPECT_EQ(reloaded.icon, loaded.icon);
    EXPECT_EQ(reloaded.weatherTemplates, loaded.weatherTemplates);
    EXPECT_EQ(reloaded.noticeTemplates, loaded.noticeTemplates);
    EXPECT_EQ(reloaded.indices, loaded.indices);
    EXPECT_EQ(reloaded.syncFolders, loaded.syncFolders);
}

TEST_F(FullSave, ReloadGivesTheSameModelAndASecondSaveTheSameFile) {
    const char* starts[] = {"full.ini", nullptr};  // a hand-written file, and no file at all
    for (const char* start : starts) {
        SCOPED_TRACE(start ? start : "empty");
        if (start)
            writeFixture(start);
        else
            store.ClearFile();
        GlobalConfig config;
        ASSERT_TRUE(ReloadConfiguration(store, config));
        Snapshot loaded = snapshot(store, config);
        ASSERT_TRUE(SaveEverything(store, config));
        const std::string first = bytes();

        GlobalConfig again;
        ASSERT_TRUE(ReloadConfiguration(store, again));
        // The default area made for an empty file was never read: its automatic decal
        // picture, written as "自动", comes back with that word in the picture field.
        if (!start) loaded.decal[0].picture = kAutomaticPicture;
        expectSame(snapshot(store, again), loaded);
        ASSERT_TRUE(SaveEverything(store, again));
        EXPECT_EQ(bytes(), first) << text();
    }
}

TEST_F(FullSave, FirstRunSeedsDefaultTemplatesForEveryArea) {
    writeIni("[分区配置]\n智能分区=开|<1.1.1.1-1.1.1.9>甲|<2.2.2.1-2.2.2.9>乙\n");
    GlobalConfig config;
    ASSERT_TRUE(ReloadConfiguration(store, config));
    ASSERT_EQ(store.weatherTemplates.size(), 1u);
    ASSERT_EQ(store.noticeTemplates.size(), 1u);
    const std::string w = store.weatherTemplates[0]->guid, n = store.noticeTemplates[0]->guid;
    EXPECT_EQ(store.weatherTemplates[0]->lines.size(), 13u);
    EXPECT_EQ(store.noticeTemplates[0]->lines.size(), 25u);
    for (const auto& area : config.areas) {
        EXPECT_EQ(area->weather.templateGuid, w);
        EXPECT_EQ(area->notice.templateGuid, n);
    }
    // The reload wrote them: the next reload finds the same templates and references.
    GlobalConfig again;
    ASSERT_TRUE(ReloadConfiguration(store, again));
    ASSERT_EQ(store.weatherTemplates.size(), 1u);
    EXPECT_EQ(store.weatherTemplates[0]->guid, w);
    EXPECT_EQ(store.noticeTemplates[0]->guid, n);
    EXPECT_EQ(again.areas[1]->weather.templateGuid, w);
    EXPECT_EQ(again.areas[1]->notice.templateGuid, n);
}

}  // namespace
