// The name column page.
#include "pages/CTitleDlg.h"
#include "pages_util.h"

namespace {

class TitlePageTest : public AreaPageFixture<CTitleDlg> {
  protected:
    QStringList entries(const char* list) {
        QStringList out;
        for (int i = 0; i < w<QComboBox>(list)->count(); ++i)
            out << w<QComboBox>(list)->itemText(i);
        out.sort();
        return out;
    }
};

TEST_F(TitlePageTest, FillsTheControlsFromANewRecord) {
    page.loadPage();
    EXPECT_EQ(w<QLineEdit>("xText")->text(), "-10");
    EXPECT_EQ(w<QComboBox>("xMode")->currentIndex(), 0);
    EXPECT_EQ(w<QLineEdit>("yText")->text(), "10");
    EXPECT_TRUE(w<QCheckBox>("cafeNameShown")->isChecked());
    EXPECT_TRUE(w<QCheckBox>("backgroundShown")->isChecked());
    EXPECT_FALSE(w<QCheckBox>("cafeNameBold")->isChecked());
    EXPECT_EQ(w<QLineEdit>("cafeNameSize")->text(), "24");
    EXPECT_EQ(w<QLineEdit>("seatNumberContent")->text(), "$Q $ID1号机 $IP1");
    EXPECT_EQ(w<QLineEdit>("seatNumberOffset")->text(), "0");
    EXPECT_FALSE(w<QCheckBox>("priceListEffect")->isChecked());
    EXPECT_EQ(w<QLineEdit>("priceListContent")->text(), "会员30元/时 临时40元/时");
    EXPECT_EQ(entries("titleBackground"), (QStringList{"标题蓝色", "标题黄色"}));
    EXPECT_EQ(entries("bodyBackground"), (QStringList{"背景", "背景2"}));
    EXPECT_EQ(w<QComboBox>("titleBackground")->currentText(), "标题蓝色");
    EXPECT_EQ(w<QComboBox>("bodyBackground")->currentText(), "背景");  // not 背景2
}

TEST_F(TitlePageTest, SavesTheControlsAndWritesTheSection) {
    page.loadPage();
    pick(w<QComboBox>("xMode"), 1);
    type(w<QLineEdit>("yText"), "-25");
    w<QCheckBox>("cafeNameBold")->click();
    type(w<QLineEdit>("cafeNameColour"), "#ff0000");
    type(w<QLineEdit>("cafeNameSize"), "");
    w<QCheckBox>("seatNumberShown")->click();  // hidden line: its values are still saved
    type(w<QLineEdit>("seatNumberOffset"), "10");
    type(w<QLineEdit>("seatNumberContent"), "$ID3号 游戏区");
    w<QCheckBox>("priceListEffect")->click();
    type(w<QLineEdit>("priceListSize"), "18");
    pick(w<QComboBox>("titleBackground"), w<QComboBox>("titleBackground")->findText("标题黄色"));
    page.savePage();
    const NameColumnSection& r = area().nameColumn;
    EXPECT_EQ(r.position, (PositionPair{2, "X", 1, "-25"}));
    EXPECT_TRUE(r.cafeNameBold);
    EXPECT_EQ(r.cafeNameColour, "#ff0000");
    EXPECT_EQ(r.cafeNameSize, 0);
    EXPECT_FALSE(r.seatNumberShown);
    EXPECT_EQ(r.seatNumberOffset, 10);
    EXPECT_EQ(r.seatNumberContent, "$ID3号 游戏区");
    EXPECT_TRUE(r.priceListEffect);
    EXPECT_EQ(r.priceListSize, 18);
    EXPECT_EQ(r.titleBackground, "标题黄色");
    EXPECT_EQ(r.bodyBackground, "背景");
    ASSERT_TRUE(SaveEverything(store(), config).ok);
    expectGolden(sectionBytes(deskIniBytes(), "名称配置_默认区域"), "title_page.ini");
}

TEST_F(TitlePageTest, ZModeShowsZAndIsSavedBack) {
    area().nameColumn.position = {3, "Z", 1, "4"};
    page.loadPage();
    EXPECT_EQ(w<QComboBox>("xMode")->currentIndex(), -1);
    EXPECT_EQ(w<QLineEdit>("xText")->text(), "Z");
    page.savePage();
    EXPECT_EQ(area().nameColumn.position.x, "Z");
}

TEST_F(TitlePageTest, PictureMissingFromTheFolderIsKept) {
    area().nameColumn.titleBackground = "标题红色";
    area().nameColumn.bodyBackground = "";
    page.loadPage();
    EXPECT_EQ(w<QComboBox>("titleBackground")->currentIndex(), -1);
    EXPECT_EQ(w<QComboBox>("bodyBackground")->currentIndex(), -1);
    page.savePage();
    EXPECT_EQ(area().nameColumn.titleBackground, "标题红色");
    EXPECT_EQ(area().nameColumn.bodyBackground, "");
}

TEST_F(TitlePageTest, ShowBoxesEnableTheirControls) {
    struct Case {
        const char* box;
        std::vector<const char*> controls;
    } cases[] = {
        {"cafeNameShown",
         {"backgroundShown", "cafeNameEffect", "cafeNameColourPicker", "cafeNameColour",
          "cafeNameSize", "cafeNameBold"}},
        {"seatNumberShown",
         {"seatNumberEffect", "seatNumberColourPicker", "seatNumberColour", "seatNumberOffset",
          "seatNumberSize", "seatNumberContent", "seatNumberBold"}},
        {"priceListShown",
         {"priceListEffect", "priceListColourPicker", "priceListColour", "priceListSize",
          "priceListContent", "priceListBold"}},
    };
    page.loadPage();
    for (const Case& c : cases) {
        for (bool ticked : {false, true}) {
            w<QCheckBox>(c.box)->click();
            ASSERT_EQ(w<QCheckBox>(c.box)->isChecked(), ticked);
            for (const char* name : c.controls)
                EXPECT_EQ(find<QWidget>(&page, name)->isEnabled(), ticked) << c.box << " " << name;
            for (const char* always : {"xText", "xMode", "yText", "yMode", "titleBackground"})
                EXPECT_TRUE(find<QWidget>(&page, always)->isEnabled()) << always;
        }
    }
}

TEST_F(TitlePageTest, Screenshot) {
    page.loadPage();
    screenshot(&page, "page_title");
}

}  // namespace
