// The slogan page.
#include "pages/CBiaoYuDlg.h"
#include "pages_util.h"

namespace {

class SloganPageTest : public AreaPageFixture<CBiaoYuDlg> {};

TEST_F(SloganPageTest, FillsTheControlsFromANewRecord) {
    page.loadPage();
    EXPECT_TRUE(w<QCheckBox>("shown")->isChecked());
    EXPECT_EQ(w<QComboBox>("xMode")->currentIndex(), 2);
    EXPECT_EQ(w<QLineEdit>("xText")->text(), "Z");
    EXPECT_EQ(w<QLineEdit>("yText")->text(), "-40");
    EXPECT_TRUE(w<QCheckBox>("italic")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("effect")->isChecked());
    EXPECT_EQ(w<QLineEdit>("colour")->text(), "#FFFFFF");
    EXPECT_EQ(w<QLineEdit>("size")->text(), "20");
    EXPECT_EQ(w<QComboBox>("background")->count(), 5);  // every picture of 数据/背景
    EXPECT_EQ(w<QComboBox>("background")->currentText(), "标语框");
}

TEST_F(SloganPageTest, SavesTheControlsAndWritesTheSection) {
    page.loadPage();
    pick(w<QComboBox>("xMode"), 0);
    type(w<QLineEdit>("xText"), "120");
    pick(w<QComboBox>("yMode"), 2);
    w<QCheckBox>("effect")->click();
    w<QCheckBox>("italic")->click();
    type(w<QLineEdit>("size"), "2x");
    type(w<QLineEdit>("content"), "欢迎光临！");
    pick(w<QComboBox>("background"), w<QComboBox>("background")->findText("背景2"));
    page.savePage();
    const SloganSection& r = area().slogan;
    EXPECT_EQ(r.position, (PositionPair{1, "120", 3, "Z"}));
    EXPECT_TRUE(r.effect);
    EXPECT_FALSE(r.italic);
    EXPECT_EQ(r.size, 2);
    EXPECT_EQ(r.content, "欢迎光临！");
    EXPECT_EQ(r.background, "背景2");
    ASSERT_TRUE(SaveEverything(store(), config).ok);
    expectGolden(sectionBytes(deskIniBytes(), "公共标语_默认区域"), "slogan_page.ini");
}

TEST_F(SloganPageTest, LettersInTheSizeBoxSaveZero) {
    page.loadPage();
    type(w<QLineEdit>("size"), "大号");
    page.savePage();
    EXPECT_EQ(area().slogan.size, 0);
}

TEST_F(SloganPageTest, ShowSloganEnablesEveryOtherControl) {
    page.loadPage();
    const char* controls[] = {"xText",  "xMode",        "yText", "yMode",   "effect",    "italic",
                              "colour", "colourPicker", "size",  "content", "background"};
    for (bool ticked : {false, true}) {
        w<QCheckBox>("shown")->click();
        ASSERT_EQ(w<QCheckBox>("shown")->isChecked(), ticked);
        for (const char* name : controls)
            EXPECT_EQ(find<QWidget>(&page, name)->isEnabled(), ticked) << name;
    }
}

TEST_F(SloganPageTest, Screenshot) {
    page.loadPage();
    screenshot(&page, "page_slogan");
}

}  // namespace
