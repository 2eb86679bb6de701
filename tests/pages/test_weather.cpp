// The weather page: filling from the area and the template list, the template commands,
// the save rules, the enabling and the keys.

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "pages/CWatherDlg.h"
#include "pages/pages_util.h"
#include "store/TemplateStore.h"

namespace {

class WeatherPage : public PageFixture {
  protected:
    void SetUp() override {
        PageFixture::SetUp();
        for (const char* f :
             {"数据/背景/天气背景蓝.png", "数据/背景/天气背景.png", "数据/背景/日历黄.png",
              "数据/背景/日历.png", "数据/天气/天气黄色/01.png", "数据/天气/天气蓝色/01.png"})
            touch(f);
        addTemplate("默认区域", "A00000000001", {"第一行=$city|#F6F735|22|B", "第二行=$tq1"});
        addTemplate("夏季", "B00000000002", {"今天|#FFFFFF|12|B", "", "$temp1"});
        record.templateGuid = "B00000000002";
        page.attachSection(record);
    }
    void addTemplate(const std::string& name, const std::string& guid,
                     std::vector<std::string> lines) {
        auto t = std::make_unique<WeatherTemplate>();
        t->name = name;
        t->guid = guid;
        t->lines = std::move(lines);
        store().weatherTemplates.push_back(std::move(t));
    }
    WeatherTemplate& tmpl(std::size_t i) { return *store().weatherTemplates[i]; }
    QComboBox* list() { return find<QComboBox>(&page, "templateList"); }
    QPlainTextEdit* content() { return find<QPlainTextEdit>(&page, "content"); }

    WeatherSection record;
    CWatherDlg page;
};

TEST_F(WeatherPage, FillShowsTheAreasTemplateAndSaveTakesTheBoxLines) {
    page.loadPage();
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(content()->toPlainText(), "今天|#FFFFFF|12|B\n\n$temp1");

    // A line longer than the box is wide stays one template line; no trailing spaces grow
    // from one save to the next.
    const QString longLine = QString("很长的一行文字").repeated(40) + "|#FFFFFF|14";
    content()->setPlainText("第一行 \n\n" + longLine);
    page.resize(300, 400);
    page.savePage();
    page.savePage();
    const std::vector<std::string> expected = {"第一行 ", "", longLine.toStdString()};
    EXPECT_EQ(tmpl(1).lines, expected);
    EXPECT_EQ(tmpl(0).lines.size(), 2u);  // the other template is untouched

    // Switching templates shows the other's lines and makes it the area's.
    pick(list(), 0);
    EXPECT_EQ(record.templateGuid, "A00000000001");
    EXPECT_EQ(content()->toPlainText(), "第一行=$city|#F6F735|22|B\n第二行=$tq1");
}

TEST_F(WeatherPage, UnknownTemplateLeavesLinesAndPicturesAlone) {
    record.templateGuid = "FFFFFFFFFFFF";
    record.iconStyle = "天气蓝色";
    record.weatherBackground = "天气背景蓝";
    record.calendarBackground = "日历";
    record.size = 20;
    page.loadPage();
    EXPECT_EQ(list()->currentIndex(), -1);
    EXPECT_TRUE(content()->toPlainText().isEmpty());
    // The stored name wins over a longer file name that begins with it.
    EXPECT_EQ(find<QComboBox>(&page, "calendarBackground")->currentText(), "日历");

    find<QComboBox>(&page, "iconStyle")->setCurrentIndex(0);
    find<QComboBox>(&page, "calendarBackground")->setCurrentText("日历黄");
    content()->setPlainText("不会保存");
    find<QLineEdit>(&page, "size")->setText("abc");
    find<QCheckBox>(&page, "shown")->setChecked(false);
    page.savePage();

    EXPECT_EQ(record.templateGuid, "FFFFFFFFFFFF");
    EXPECT_EQ(record.iconStyle, "天气蓝色");
    EXPECT_EQ(record.calendarBackground, "日历");
    EXPECT_EQ(tmpl(0).lines.size(), 2u);
    EXPECT_EQ(tmpl(1).lines.size(), 3u);
    EXPECT_EQ(record.size, 0);  // the fields outside the template are saved
    EXPECT_FALSE(record.shown);
}

TEST_F(WeatherPage, NewTemplate) {
    page.loadPage();
    script.names = {std::nullopt, std::string(""), std::string("节日模板")};
    auto* newButton = find<QPushButton>(&page, "newTemplate");

    newButton->click();  // cancelled
    EXPECT_EQ(store().weatherTemplates.size(), 2u);

    newButton->click();  // empty name refused
    EXPECT_EQ(store().weatherTemplates.size(), 2u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Warning);

    newButton->click();
    ASSERT_EQ(store().weatherTemplates.size(), 3u);
    const WeatherTemplate& added = tmpl(2);
    EXPECT_EQ(added.name, "节日模板");
    EXPECT_EQ(added.guid.size(), 12u);
    EXPECT_TRUE(added.lines.empty());
    EXPECT_EQ(list()->currentIndex(), 2);
    EXPECT_EQ(list()->currentText(), "节日模板");
    EXPECT_EQ(record.templateGuid, added.guid);
    EXPECT_TRUE(content()->toPlainText().isEmpty());
    EXPECT_EQ(script.namePrompts, std::vector<std::string>(3, "新建天气模板"));

    content()->setPlainText("$city|#FFFFFF|20");
    page.savePage();
    EXPECT_EQ(tmpl(2).lines, std::vector<std::string>{"$city|#FFFFFF|20"});
}

TEST_F(WeatherPage, DeleteDownToOne) {
    page.loadPage();
    auto* deleteButton = find<QPushButton>(&page, "deleteTemplate");
    deleteButton->click();  // deletes 夏季, the selected one
    ASSERT_EQ(store().weatherTemplates.size(), 1u);
    EXPECT_EQ(tmpl(0).name, "默认区域");
    EXPECT_EQ(list()->count(), 1);
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(record.templateGuid, "A00000000001");
    EXPECT_EQ(content()->toPlainText(), "第一行=$city|#F6F735|22|B\n第二行=$tq1");

    deleteButton->click();
    EXPECT_EQ(store().weatherTemplates.size(), 1u);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Information);
    EXPECT_EQ(script.messages[1].text, "亲，只剩下一个模版了，还是保留着吧！");
    EXPECT_EQ(script.messages[1].icon, ui::Icon::Error);
    EXPECT_EQ(script.messages[1].caption, "Tavrin");
}

TEST_F(WeatherPage, ShownSwitchEnablesEverythingButTheCalendar) {
    record.shown = false;
    page.loadPage();
    for (const char* name : {"xText", "xMode", "yText", "yMode", "iconStyle", "weatherBackground",
                             "templateList", "newTemplate", "deleteTemplate", "effect", "colour",
                             "colourPicker", "size", "content", "alignLeft", "alignRight"})
        EXPECT_FALSE(find<QWidget>(&page, name)->isEnabled()) << name;
    EXPECT_TRUE(find<QWidget>(&page, "calendarBackground")->isEnabled());
    click(find<QCheckBox>(&page, "shown"));
    for (const char* name : {"xText", "templateList", "content", "alignLeft", "colourPicker"})
        EXPECT_TRUE(find<QWidget>(&page, name)->isEnabled()) << name;
}

TEST_F(WeatherPage, AlignmentRoundTrip) {
    struct Case {
        std::string stored;
        const char* checked;
        std::string saved;
    } cases[] = {{"-右", "alignLeft", "-右"}, {"右", "alignRight", "右"}, {"", "alignRight", "右"}};
    for (const Case& c : cases) {
        record.alignment = c.stored;
        page.loadPage();
        EXPECT_TRUE(find<QRadioButton>(&page, c.checked)->isChecked()) << c.stored;
        page.savePage();
        EXPECT_EQ(record.alignment, c.saved) << c.stored;
    }
}

TEST_F(WeatherPage, EnterStopsAtThePageExceptInTheContentBox) {
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    page.setParent(&window);
    layout->addWidget(&page);
    page.loadPage();
    window.show();
    for (QWidget* target : {static_cast<QWidget*>(find<QLineEdit>(&page, "size")),
                            static_cast<QWidget*>(find<QLineEdit>(&page, "xText"))}) {
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.result(), 0);
    }
    content()->setPlainText("甲");
    content()->moveCursor(QTextCursor::End);
    QTest::keyClick(content(), Qt::Key_Return);
    EXPECT_EQ(content()->toPlainText(), "甲\n");
    EXPECT_TRUE(window.isVisible());
    page.setParent(nullptr);
}

TEST_F(WeatherPage, Screenshot) {
    record.shown = true;
    page.loadPage();
    QDir().mkpath(QString(TAVRIN_BINARY_DIR) + "/screenshots");
    screenshot(&page, "weather_page");
}

}  // namespace
