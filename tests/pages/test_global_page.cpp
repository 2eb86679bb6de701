// The global settings page: skin, text effect and wallpaper.
#include <QPushButton>
#include <QRadioButton>

#include "pages/CGlobalDlg.h"
#include "pages_util.h"

namespace {

class GlobalPageTest : public AreaPageFixture<CGlobalDlg> {};

TEST_F(GlobalPageTest, FillsTheControlsFromTheRecord) {
    SkinSection& r = area().skin;
    r.skinStyle = "清爽风格";
    r.styleWidth = 350;
    r.effectColour = "#a0b0c0";
    r.effectTransparency = 90;
    r.textEffect = SkinSection::kOutline;
    r.randomWallpaper = false;
    r.wallpaperFolder = "\\\\server\\壁纸";
    r.fixedWallpaper = "01.jpg";
    page.loadPage();
    EXPECT_EQ(w<QComboBox>("styleList")->currentText(), "清爽风格");
    EXPECT_EQ(w<QLineEdit>("styleWidth")->text(), "350");
    EXPECT_EQ(w<QLineEdit>("effectColour")->text(), "#A0B0C0");
    EXPECT_EQ(w<QLineEdit>("effectTransparency")->text(), "90");
    EXPECT_TRUE(w<QRadioButton>("outlineRadio")->isChecked());
    EXPECT_FALSE(w<QRadioButton>("shadowRadio")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("randomWallpaper")->isChecked());
    EXPECT_EQ(w<QLineEdit>("wallpaperFolder")->text(), "\\\\server\\壁纸");
    EXPECT_EQ(w<QLineEdit>("fixedWallpaper")->text(), "01.jpg");
    EXPECT_TRUE(w<QLineEdit>("fixedWallpaper")->isEnabled());
}

TEST_F(GlobalPageTest, SavesTheControlsAndWritesTheSections) {
    page.loadPage();
    type(w<QLineEdit>("styleWidth"), "320");
    type(w<QLineEdit>("effectColour"), "#102030");
    type(w<QLineEdit>("effectTransparency"), "");
    w<QRadioButton>("outlineRadio")->click();
    w<QCheckBox>("randomWallpaper")->click();
    type(w<QLineEdit>("wallpaperFolder"), "D:\\图片");
    type(w<QLineEdit>("fixedWallpaper"), "春天.jpg");
    page.savePage();
    SkinSection expected;
    expected.styleWidth = 320;
    expected.effectColour = "#102030";
    expected.effectTransparency = 0;  // an empty number box
    expected.textEffect = SkinSection::kOutline;
    expected.randomWallpaper = false;
    expected.wallpaperFolder = "D:\\图片";
    expected.fixedWallpaper = "春天.jpg";
    EXPECT_EQ(area().skin, expected);
    ASSERT_TRUE(SaveEverything(store(), config).ok);
    const std::string bytes = deskIniBytes();
    expectGolden(sectionBytes(bytes, "Desk_默认区域") + sectionBytes(bytes, "壁纸配置_默认区域"),
                 "global_page.ini");
}

TEST_F(GlobalPageTest, StyleTheListDoesNotOfferIsKept) {
    struct Case {
        const char* stored;
        const char* saved;
    } cases[] = {{"淡淡米黄", "淡淡米黄"}, {"高光", "高光风格"}, {"自定风格", "自定风格"}};
    for (const Case& c : cases) {
        area().skin.skinStyle = c.stored;
        page.loadPage();
        page.savePage();
        EXPECT_EQ(area().skin.skinStyle, c.saved) << c.stored;
    }
}

TEST_F(GlobalPageTest, RandomWallpaperDisablesTheFixedChoice) {
    struct Case {
        bool random;
        bool fixedEnabled;
    } cases[] = {{true, false}, {false, true}};
    for (const Case& c : cases) {
        area().skin.randomWallpaper = !c.random;
        page.loadPage();
        w<QCheckBox>("randomWallpaper")->click();  // the user's click
        EXPECT_EQ(w<QLineEdit>("fixedWallpaper")->isEnabled(), c.fixedEnabled);
        EXPECT_EQ(w<QPushButton>("chooseWallpaper")->isEnabled(), c.fixedEnabled);
        EXPECT_TRUE(w<QLineEdit>("wallpaperFolder")->isEnabled());
    }
}

TEST_F(GlobalPageTest, ChoosingAWallpaperKeepsOnlyTheFileName) {
    area().skin.randomWallpaper = false;
    page.loadPage();
    script.files.push_back(std::string("/mnt/other/壁纸/春天.jpg"));
    w<QPushButton>("chooseWallpaper")->click();
    EXPECT_EQ(w<QLineEdit>("fixedWallpaper")->text(), "春天.jpg");
    script.files.push_back(std::nullopt);  // cancel leaves the box alone
    w<QPushButton>("chooseWallpaper")->click();
    EXPECT_EQ(w<QLineEdit>("fixedWallpaper")->text(), "春天.jpg");
}

TEST_F(GlobalPageTest, Screenshot) {
    page.loadPage();
    screenshot(&page, "page_global");
}

}  // namespace
