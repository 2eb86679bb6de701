// Per-area sections: the layout a new record is saved with, the read defaults of missing
// keys, and the decoding of hand-written values.

#include <functional>
#include <string>
#include <vector>

#include "store/Configuration.h"
#include "test_sections_util.h"

using sections_test::DeskFile;
using sections_test::fixtureBytes;

namespace {

const std::string kArea = "游戏区";

struct GoldenCase {
    const char* golden;
    std::function<int(ProfileStore&)> save;
};

class NewRecordLayout : public DeskFile {};

TEST_F(NewRecordLayout, MatchesGoldenFileForEverySection) {
    const GoldenCase cases[] = {
        {"new_skin.ini", [](ProfileStore& s) { return saveSkinSection(s, kArea, SkinSection{}); }},
        {"new_name_column.ini",
         [](ProfileStore& s) { return saveNameColumnSection(s, kArea, NameColumnSection{}); }},
        {"new_weather.ini",
         [](ProfileStore& s) { return saveWeatherSection(s, kArea, WeatherSection{}); }},
        {"new_notice.ini",
         [](ProfileStore& s) { return saveNoticeSection(s, kArea, NoticeSection{}); }},
        {"new_slogan.ini",
         [](ProfileStore& s) { return saveSloganSection(s, kArea, SloganSection{}); }},
        {"new_decal.ini",
         [](ProfileStore& s) { return saveDecalSection(s, kArea, DecalSection{}); }},
        {"new_other_functions.ini",
         [](ProfileStore& s) {
             return saveOtherFunctionsSection(s, kArea, OtherFunctionsSection{});
         }},
        {"new_icon.ini", [](ProfileStore& s) { return saveIconSection(s, kArea, IconSection{}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        ASSERT_TRUE(store.ClearFile());
        EXPECT_EQ(c.save(store), 1);
        const std::string expected = fixtureBytes(c.golden);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(bytes(), expected) << text();
    }
}

TEST_F(NewRecordLayout, SaveReportsAFailedWrite) {
    const std::function<int(ProfileStore&)> saves[] = {
        [](ProfileStore& s) { return saveSkinSection(s, kArea, SkinSection{}); },
        [](ProfileStore& s) { return saveNameColumnSection(s, kArea, NameColumnSection{}); },
        [](ProfileStore& s) { return saveWeatherSection(s, kArea, WeatherSection{}); },
        [](ProfileStore& s) { return saveNoticeSection(s, kArea, NoticeSection{}); },
        [](ProfileStore& s) { return saveSloganSection(s, kArea, SloganSection{}); },
        [](ProfileStore& s) { return saveDecalSection(s, kArea, DecalSection{}); },
        [](ProfileStore& s) {
            return saveOtherFunctionsSection(s, kArea, OtherFunctionsSection{});
        },
        [](ProfileStore& s) { return saveIconSection(s, kArea, IconSection{}); },
    };
    writeIni("[x]\nkeep=1\n");
    const std::string before = bytes();
    setWriteFailureForTesting(std::string("磁盘已满"));
    for (std::size_t i = 0; i < std::size(saves); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(saves[i](store), 0);
    }
    setWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(bytes(), before);
}

// ------------------------------------------------------------------ reading

struct ReadCase {
    const char* label;
    const char* ini;  // file content; sections of area 甲
    std::function<void(const ArearConfig&)> check;
};

class SectionReading : public DeskFile {
  protected:
    void run(const std::vector<ReadCase>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.label);
            writeIni(c.ini);
            ArearConfig area;
            area.name = "甲";
            LoadAreaSections(store, area);
            c.check(area);
        }
    }
};

PositionPair pos(int xm, const char* x, int ym, const char* y) { return {xm, x, ym, y}; }

TEST_F(SectionReading, Skin) {
    run({
        {"missing sections", "",
         [](const ArearConfig& a) {
             SkinSection e;
             e.effectColour = "#000000";
             e.effectTransparency = 0;
             e.randomWallpaper = false;
             e.fixedWallpaper = "";
             EXPECT_EQ(a.skin, e);
         }},
        {"outline", "[Desk_甲]\n文字特效=描边\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.skin.textEffect, SkinSection::kOutline); }},
        {"shadow word", "[Desk_甲]\n文字特效=阴影\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.skin.textEffect, SkinSection::kShadow); }},
        {"other text is shadow", "[Desk_甲]\n文字特效=描边框\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.skin.textEffect, SkinSection::kShadow); }},
        {"empty random switch is on", "[壁纸配置_甲]\n随机壁纸=\n",
         [](const ArearConfig& a) { EXPECT_TRUE(a.skin.randomWallpaper); }},
        {"width digits then letters, colour kept as typed",
         "[Desk_甲]\n风格宽度=350px\n阴影颜色=#ab12cd\n阴影透明=abc\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.skin.styleWidth, 350);
             EXPECT_EQ(a.skin.effectColour, "#ab12cd");
             EXPECT_EQ(a.skin.effectTransparency, 0);
         }},
    });
}

TEST_F(SectionReading, NameColumn) {
    run({
        {"missing section", "",
         [](const ArearConfig& a) {
             NameColumnSection e;
             e.position = pos(1, "0", 1, "0");
             e.titleBackground = "";
             e.bodyBackground = "";
             EXPECT_EQ(a.nameColumn, e);
         }},
        {"café name with four fields changes nothing",
         "[名称配置_甲]\n网吧名称=-开|#000000|9|-影\n",
         [](const ArearConfig& a) {
             EXPECT_TRUE(a.nameColumn.cafeNameShown);
             EXPECT_EQ(a.nameColumn.cafeNameSize, 24);
         }},
        {"café name with six fields changes nothing",
         "[名称配置_甲]\n网吧名称=-开|#000000|9|-影|B|x\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.nameColumn.cafeNameColour, "#FFFFFF"); }},
        {"café name with empty switch field is shown", "[名称配置_甲]\n网吧名称=|#000000|9|-影|B\n",
         [](const ArearConfig& a) {
             EXPECT_TRUE(a.nameColumn.cafeNameShown);
             EXPECT_EQ(a.nameColumn.cafeNameColour, "#000000");
             EXPECT_EQ(a.nameColumn.cafeNameSize, 9);
             EXPECT_FALSE(a.nameColumn.cafeNameEffect);
             EXPECT_TRUE(a.nameColumn.cafeNameBold);
         }},
        {"background switch other than -开 is on", "[名称配置_甲]\n显示背景=关\n",
         [](const ArearConfig& a) { EXPECT_TRUE(a.nameColumn.backgroundShown); }},
        {"hidden seat line still sets its fields",
         "[名称配置_甲]\n显示机号=-开|$ID2|#010203|12|-影|B\n",
         [](const ArearConfig& a) {
             EXPECT_FALSE(a.nameColumn.seatNumberShown);
             EXPECT_EQ(a.nameColumn.seatNumberContent, "$ID2");
             EXPECT_EQ(a.nameColumn.seatNumberColour, "#010203");
             EXPECT_EQ(a.nameColumn.seatNumberSize, 12);
             EXPECT_FALSE(a.nameColumn.seatNumberEffect);
             EXPECT_TRUE(a.nameColumn.seatNumberBold);
         }},
        {"price content holding | is ignored", "[名称配置_甲]\n收费标准=开|a|b|#000000|9|影|B\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.nameColumn.priceListContent, NameColumnSection{}.priceListContent);
         }},
        {"position letters and offset", "[名称配置_甲]\n显示坐标=X12|Zed\n机号偏移=-10\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.nameColumn.position, pos(2, "X", 3, "Z"));
             EXPECT_EQ(a.nameColumn.seatNumberOffset, -10);
         }},
        {"position of two empty fields", "[名称配置_甲]\n显示坐标=|\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.nameColumn.position, pos(1, "", 1, "")); }},
        {"position of three fields changes nothing", "[名称配置_甲]\n显示坐标=1|2|3\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.nameColumn.position, pos(1, "-10", 1, "10")); }},
    });
}

TEST_F(SectionReading, Weather) {
    run({
        {"missing section", "",
         [](const ArearConfig& a) {
             WeatherSection e;
             e.position = pos(1, "0", 1, "0");
             e.alignment = "";
             e.iconStyle = "";
             EXPECT_EQ(a.weather, e);
         }},
        {"empty pictures keep their values, others replace",
         "[天气配置_甲]\n天气背景=\n日历背景=日历2\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.weather.weatherBackground, "天气背景");
             EXPECT_EQ(a.weather.calendarBackground, "日历2");
         }},
        {"centred x, negative y", "[天气配置_甲]\n显示坐标=X|-15\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.weather.position, pos(2, "X", 1, "-15")); }},
        {"lower-case x is a coordinate", "[天气配置_甲]\n显示坐标=x|Z\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.weather.position, pos(1, "x", 3, "Z")); }},
        {"empty switch is shown", "[天气配置_甲]\n显示天气=\n",
         [](const ArearConfig& a) { EXPECT_TRUE(a.weather.shown); }},
        {"-开 hides", "[天气配置_甲]\n显示天气=-开\n",
         [](const ArearConfig& a) { EXPECT_FALSE(a.weather.shown); }},
        {"style with letters for size", "[天气配置_甲]\n样式=#123456|abc|影\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.weather.colour, "#123456");
             EXPECT_EQ(a.weather.size, 0);
             EXPECT_TRUE(a.weather.effect);
         }},
        {"style of two fields changes nothing", "[天气配置_甲]\n样式=#123456|20\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.weather.colour, "#FFFFFF");
             EXPECT_EQ(a.weather.size, 14);
         }},
    });
}

TEST_F(SectionReading, Notice) {
    run({
        {"missing section", "",
         [](const ArearConfig& a) {
             NoticeSection e;
             e.position = pos(1, "0", 1, "0");
             e.titleBackground = "";
             e.bodyBackground = "";
             e.divider = "";
             EXPECT_EQ(a.notice, e);
         }},
        {"title holding | keeps the defaults", "[公告配置_甲]\n标题名称=开|a|b|#000000|9|影|B\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.notice.titleText, "〓最新网吧公告〓"); }},
        {"title switch compares only its beginning",
         "[公告配置_甲]\n显示公告=-开了\n标题名称=-开吧|公告|#000000|30|-影|B\n",
         [](const ArearConfig& a) {
             EXPECT_TRUE(a.notice.shown);
             EXPECT_FALSE(a.notice.titleShown);
             EXPECT_EQ(a.notice.titleText, "公告");
             EXPECT_EQ(a.notice.titleColour, "#000000");
             EXPECT_EQ(a.notice.titleSize, 30);
             EXPECT_FALSE(a.notice.titleEffect);
             EXPECT_TRUE(a.notice.titleBold);
         }},
        {"alignment other than 0 is left", "[公告配置_甲]\n对齐方式=2\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.notice.alignment, 2); }},
        {"NEW label off", "[公告配置_甲]\n显示NEW标签=-开\n",
         [](const ArearConfig& a) { EXPECT_FALSE(a.notice.newLabelShown); }},
    });
}

TEST_F(SectionReading, Slogan) {
    run({
        {"missing section", "",
         [](const ArearConfig& a) {
             SloganSection e;
             e.position = pos(1, "0", 1, "0");
             e.background = "";
             EXPECT_EQ(a.slogan, e);
         }},
        {"empty effect field is on, -斜 is upright",
         "[公共标语_甲]\n标语内容=你好|#000000|18||-斜\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.slogan.content, "你好");
             EXPECT_TRUE(a.slogan.effect);
             EXPECT_FALSE(a.slogan.italic);
             EXPECT_EQ(a.slogan.size, 18);
         }},
        {"slogan holding | is ignored", "[公共标语_甲]\n标语内容=a|b|#000000|18|影|斜\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.slogan.content, SloganSection{}.content); }},
        {"follows automatically", "[公共标语_甲]\n显示坐标=Z|-40\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.slogan.position, pos(3, "Z", 1, "-40")); }},
    });
}

TEST_F(SectionReading, Decal) {
    run({
        {"missing sections", "",
         [](const ArearConfig& a) {
             DecalSection e;
             e.position = pos(1, "0", 1, "0");
             e.automaticPicture = false;
             e.startDate = "";
             e.endDate = "";
             e.illustrationContent = "";
             EXPECT_EQ(a.decal, e);
         }},
        {"named picture", "[节日贴图_甲]\n节日图片=春节.png\n",
         [](const ArearConfig& a) {
             EXPECT_FALSE(a.decal.automaticPicture);
             EXPECT_EQ(a.decal.picture, "春节.png");
         }},
        {"automatic picture", "[节日贴图_甲]\n节日图片=自动\n",
         [](const ArearConfig& a) { EXPECT_TRUE(a.decal.automaticPicture); }},
        {"position of one field changes nothing", "[节日贴图_甲]\n显示坐标=5\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.decal.position, pos(2, "X", 1, "-80")); }},
        {"illustrations off", "[壁纸插图_甲]\n是否开启=-开\n插图内容=随机_X_X\n",
         [](const ArearConfig& a) {
             EXPECT_FALSE(a.decal.illustrationsShown);
             EXPECT_EQ(a.decal.illustrationContent, "随机_X_X");
         }},
    });
}

TEST_F(SectionReading, OtherFunctions) {
    run({
        {"missing sections switch things on", "",
         [](const ArearConfig& a) {
             OtherFunctionsSection e;
             e.setResolution = true;
             e.resolution = "";
             e.rightClickMenu = e.startWithSystem = e.labelTransparency = true;
             e.desktopShortcut = true;
             e.shortcutName = "0";
             e.wallpaperOutputPath = "";
             EXPECT_EQ(a.otherFunctions, e);
         }},
        {"shortcut of one field changes nothing", "[其它功能_甲]\n桌面快捷=开\n",
         [](const ArearConfig& a) {
             EXPECT_FALSE(a.otherFunctions.desktopShortcut);
             EXPECT_EQ(a.otherFunctions.shortcutName, "Tavrin");
         }},
        {"shortcut of three fields changes nothing", "[其它功能_甲]\n桌面快捷=开|a|b\n",
         [](const ArearConfig& a) { EXPECT_EQ(a.otherFunctions.shortcutName, "Tavrin"); }},
        {"shortcut off with a name", "[其它功能_甲]\n桌面快捷=-开|网吧桌面\n",
         [](const ArearConfig& a) {
             EXPECT_FALSE(a.otherFunctions.desktopShortcut);
             EXPECT_EQ(a.otherFunctions.shortcutName, "网吧桌面");
         }},
    });
}

TEST_F(SectionReading, Icon) {
    run({
        {"missing sections", "",
         [](const ArearConfig& a) {
             IconSection e;
             e.sideBarOn = true;
             e.sideBarWidth = 260;
             e.backgroundPicture = "";
             e.backgroundSize = "";
             e.arrangementOn = true;
             e.arrangementCount = 1;
             EXPECT_EQ(a.icon, e);
         }},
        {"sync needs exactly 开", "[同步桌面_甲]\n是否开启=开启\n对比清理=开\n",
         [](const ArearConfig& a) {
             EXPECT_FALSE(a.icon.syncOn);
             EXPECT_TRUE(a.icon.compareAndClean);
         }},
        {"sync on", "[同步桌面_甲]\n是否开启=开\n",
         [](const ArearConfig& a) { EXPECT_TRUE(a.icon.syncOn); }},
        {"width and count present", "[图标效果_甲]\n边栏宽度=150\n[图标排列_甲]\n排列次数=7\n",
         [](const ArearConfig& a) {
             EXPECT_EQ(a.icon.sideBarWidth, 150);
             EXPECT_EQ(a.icon.arrangementCount, 7);
         }},
    });
}

// ------------------------------------------------------------------ stale text effect

class TextEffectKey : public DeskFile {};

TEST_F(TextEffectKey, ShadowSavedOverOutlineReadsBackAsShadow) {
    writeIni("[Desk_游戏区]\n皮肤设置=默认风格\n文字特效=描边\n阴影透明=80\n");
    SkinSection outline;
    loadSkinSection(store, kArea, outline);
    ASSERT_EQ(outline.textEffect, SkinSection::kOutline);

    SkinSection shadow;  // a save that does not start from an empty file
    ASSERT_EQ(saveSkinSection(store, kArea, shadow), 1);
    EXPECT_EQ(text().find("文字特效"), std::string::npos) << text();
    SkinSection back;
    back.textEffect = SkinSection::kOutline;
    loadSkinSection(store, kArea, back);
    EXPECT_EQ(back.textEffect, SkinSection::kShadow);

    ASSERT_EQ(saveSkinSection(store, kArea, outline), 1);
    EXPECT_NE(text().find("文字特效=描边\r\n"), std::string::npos) << text();
    loadSkinSection(store, kArea, back);
    EXPECT_EQ(back.textEffect, SkinSection::kOutline);
}

}  // namespace
