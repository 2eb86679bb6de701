// The other functions page.
#include "pages/COtherDlg.h"
#include "pages_util.h"

namespace {

class OtherPageTest : public AreaPageFixture<COtherDlg> {
  protected:
    QStringList modes() {
        QStringList out;
        for (int i = 0; i < w<QComboBox>("resolution")->count(); ++i)
            out << w<QComboBox>("resolution")->itemText(i);
        return out;
    }
};

TEST_F(OtherPageTest, ListsEach32BitModeOnceNewestFirst) {
    page.loadPage();
    page.loadPage();  // filling twice does not repeat them
    EXPECT_EQ(modes(), (QStringList{"1920-1080-32-60", "1024-768-32-75", "800-600-32-60"}));
    EXPECT_EQ(w<QComboBox>("resolution")->currentText(), "1024-768-32-75");
}

TEST_F(OtherPageTest, FillsAndSavesTheSwitches) {
    OtherFunctionsSection& r = area().otherFunctions;
    r.setResolution = true;
    r.rightClickMenu = true;
    r.desktopShortcut = true;
    r.shortcutName = "网吧桌面";
    page.loadPage();
    EXPECT_TRUE(w<QCheckBox>("setResolution")->isChecked());
    EXPECT_TRUE(w<QCheckBox>("rightClickMenu")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("startWithSystem")->isChecked());
    EXPECT_EQ(w<QLineEdit>("shortcutName")->text(), "网吧桌面");
    w<QComboBox>("resolution")->setCurrentIndex(0);
    w<QCheckBox>("startWithSystem")->click();
    w<QCheckBox>("labelTransparency")->click();
    w<QCheckBox>("desktopShortcut")->click();  // the name is still saved
    type(w<QLineEdit>("wallpaperOutputPath"), "D:\\壁纸.bmp");
    page.savePage();
    EXPECT_EQ(r.resolution, "1920-1080-32-60");
    EXPECT_TRUE(r.rightClickMenu);  // not offered, kept
    EXPECT_TRUE(r.startWithSystem);
    EXPECT_TRUE(r.labelTransparency);
    EXPECT_FALSE(r.desktopShortcut);
    EXPECT_EQ(r.shortcutName, "网吧桌面");
    EXPECT_EQ(r.wallpaperOutputPath, "D:\\壁纸.bmp");
    ASSERT_TRUE(SaveEverything(store(), config).ok);
    const std::string bytes = deskIniBytes();
    expectGolden(
        sectionBytes(bytes, "设分辨率_默认区域") + sectionBytes(bytes, "其它功能_默认区域"),
        "other_page.ini");
}

TEST_F(OtherPageTest, ResolutionTheDisplayDoesNotOfferIsKept) {
    struct Case {
        bool noModes;
        const char* stored;
    } cases[] = {{false, "1366-768-32-60"}, {true, "1024-768-32-75"}};
    for (const Case& c : cases) {
        if (c.noModes)
            platform::setDisplayModeSourceForTesting(
                [] { return std::vector<platform::DisplayMode>{}; });
        area().otherFunctions.resolution = c.stored;
        page.loadPage();
        EXPECT_EQ(w<QComboBox>("resolution")->currentText(), c.stored);
        page.savePage();
        EXPECT_EQ(area().otherFunctions.resolution, c.stored);
    }
}

TEST_F(OtherPageTest, CheckBoxesEnableTheirControls) {
    struct Case {
        const char* box;
        const char* control;
    } cases[] = {{"setResolution", "resolution"}, {"desktopShortcut", "shortcutName"}};
    page.loadPage();  // both off in a new record
    for (const Case& c : cases) {
        EXPECT_FALSE(find<QWidget>(&page, c.control)->isEnabled()) << c.control;
        w<QCheckBox>(c.box)->click();
        EXPECT_TRUE(find<QWidget>(&page, c.control)->isEnabled()) << c.control;
        w<QCheckBox>(c.box)->click();
        EXPECT_FALSE(find<QWidget>(&page, c.control)->isEnabled()) << c.control;
    }
}

TEST_F(OtherPageTest, Screenshot) {
    page.loadPage();
    screenshot(&page, "page_other");
}

}  // namespace
