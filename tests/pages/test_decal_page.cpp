// The decal and illustration page.
#include <QDateEdit>
#include <QPushButton>

#include "pages/CTieTuDlg.h"
#include "pages_util.h"

namespace {

TEST(DecalDates, ParseTheStoredForm) {
    struct Case {
        const char* text;
        QDate date;  // invalid: does not parse
    } cases[] = {
        {"2011年7月6日", QDate(2011, 7, 6)},
        {"2030年12月12日", QDate(2030, 12, 12)},
        {"2024年02月09日", QDate(2024, 2, 9)},
        {" 2024 年 2 月 9 日", QDate(2024, 2, 9)},
        {"2023年2月30日", QDate()},  // no such day
        {"2011-07-06", QDate()},
        {"", QDate()},
        {"7月6日", QDate()},
    };
    for (const Case& c : cases) {
        const auto parsed = parseDecalDate(c.text);
        EXPECT_EQ(parsed.has_value(), c.date.isValid()) << c.text;
        if (parsed) EXPECT_EQ(*parsed, c.date) << c.text;
    }
    EXPECT_EQ(formatDecalDate(QDate(2024, 2, 9)), "2024年2月9日");
}

class DecalPageTest : public AreaPageFixture<CTieTuDlg> {};

TEST_F(DecalPageTest, FillsTheControlsFromANewRecord) {
    page.loadPage();
    EXPECT_TRUE(w<QCheckBox>("decalShown")->isChecked());
    EXPECT_EQ(w<QLineEdit>("picture")->text(), "自动");
    EXPECT_TRUE(w<QLineEdit>("picture")->isEnabled());  // the decal is shown
    EXPECT_EQ(w<QComboBox>("xMode")->currentIndex(), 1);
    EXPECT_EQ(w<QLineEdit>("xText")->text(), "X");
    EXPECT_EQ(w<QLineEdit>("yText")->text(), "-80");
    EXPECT_EQ(w<QDateEdit>("startDate")->date(), QDate(2011, 7, 6));
    EXPECT_EQ(w<QDateEdit>("endDate")->date(), QDate(2030, 12, 12));
    EXPECT_EQ(w<QLineEdit>("illustrationContent")->text(),
              "提示牌1.png_-350_-230|提示牌2.png_-350_-130");
}

TEST_F(DecalPageTest, ChosenPictureAndDatesAreSavedAndWritten) {
    page.loadPage();
    script.files.push_back(std::string("/elsewhere/春节.png"));
    w<QPushButton>("choosePicture")->click();
    EXPECT_FALSE(area().decal.automaticPicture);  // at once, before any save
    EXPECT_EQ(w<QLineEdit>("picture")->text(), "春节.png");
    w<QDateEdit>("startDate")->setDate(QDate(2025, 1, 28));
    w<QDateEdit>("endDate")->setDate(QDate(2025, 2, 12));
    type(w<QLineEdit>("yText"), "30");
    w<QCheckBox>("illustrationsShown")->click();
    page.savePage();
    const DecalSection& r = area().decal;
    EXPECT_EQ(r.picture, "春节.png");
    EXPECT_EQ(r.startDate, "2025年1月28日");
    EXPECT_EQ(r.endDate, "2025年2月12日");
    EXPECT_EQ(r.position, (PositionPair{2, "X", 1, "30"}));
    EXPECT_FALSE(r.illustrationsShown);
    ASSERT_TRUE(SaveEverything(store(), config).ok);
    const std::string bytes = deskIniBytes();
    expectGolden(
        sectionBytes(bytes, "节日贴图_默认区域") + sectionBytes(bytes, "壁纸插图_默认区域"),
        "decal_page.ini");
}

TEST_F(DecalPageTest, AutomaticButtonAndCancelledChooser) {
    area().decal.automaticPicture = false;
    area().decal.picture = "元宵.png";
    page.loadPage();
    EXPECT_EQ(w<QLineEdit>("picture")->text(), "元宵.png");
    script.files.push_back(std::nullopt);
    w<QPushButton>("choosePicture")->click();
    EXPECT_EQ(w<QLineEdit>("picture")->text(), "元宵.png");
    EXPECT_FALSE(area().decal.automaticPicture);
    w<QPushButton>("automaticPicture")->click();
    EXPECT_TRUE(area().decal.automaticPicture);
    EXPECT_EQ(w<QLineEdit>("picture")->text(), "自动");
    EXPECT_FALSE(w<QLineEdit>("picture")->isEnabled());
}

TEST_F(DecalPageTest, UnparsableDateKeepsThePickersDate) {
    area().decal.startDate = "明年春节";
    page.loadPage();
    EXPECT_EQ(w<QDateEdit>("startDate")->date(), QDate::currentDate());
    page.savePage();
    EXPECT_EQ(area().decal.startDate, formatDecalDate(QDate::currentDate()));
}

TEST_F(DecalPageTest, CheckBoxesEnableTheirControls) {
    page.loadPage();
    const char* decalControls[] = {"picture",      "xText",     "yText",   "xMode",
                                   "yMode",        "startDate", "endDate", "automaticPicture",
                                   "choosePicture"};
    for (bool ticked : {false, true}) {
        w<QCheckBox>("decalShown")->click();
        for (const char* name : decalControls)
            EXPECT_EQ(find<QWidget>(&page, name)->isEnabled(), ticked) << name;
        EXPECT_EQ(w<QLineEdit>("illustrationContent")->isEnabled(), !ticked);  // its own box
        w<QCheckBox>("illustrationsShown")->click();
        EXPECT_EQ(w<QLineEdit>("illustrationContent")->isEnabled(), ticked);
        EXPECT_EQ(w<QLineEdit>("picture")->isEnabled(), ticked);
    }
}

TEST_F(DecalPageTest, Screenshot) {
    page.loadPage();
    screenshot(&page, "page_decal");
}

}  // namespace
