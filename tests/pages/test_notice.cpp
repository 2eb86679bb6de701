// The notice page: what a save keeps without a template, the two switches, the template
// commands.

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "pages/CNoticeDlg.h"
#include "pages/pages_util.h"
#include "store/TemplateStore.h"

namespace {

class NoticePage : public PageFixture {
  protected:
    void SetUp() override {
        PageFixture::SetUp();
        for (const char* f : {"数据/背景/分割线蓝色.png", "数据/背景/分割线红色.png"}) touch(f);
        addTemplate("默认公告", "A00000000001", {"<行间距>|15", "会员卡充30元送XX元|#FFFFFF|18"});
        addTemplate("周末", "B00000000002", {"周末通宵优惠|15"});
        record.templateGuid = "A00000000001";
        page.attachSection(record);
    }
    void addTemplate(const std::string& name, const std::string& guid,
                     std::vector<std::string> lines) {
        auto t = std::make_unique<NoticeTemplate>();
        t->name = name;
        t->guid = guid;
        t->lines = std::move(lines);
        store().noticeTemplates.push_back(std::move(t));
    }
    NoticeTemplate& tmpl(std::size_t i) { return *store().noticeTemplates[i]; }
    QComboBox* list() { return find<QComboBox>(&page, "templateList"); }
    QPlainTextEdit* content() { return find<QPlainTextEdit>(&page, "content"); }

    NoticeSection record;
    CNoticeDlg page;
};

TEST_F(NoticePage, SaveWithTemplateTakesLinesPicturesAndTitle) {
    record.alignment = 2;
    page.loadPage();
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_EQ(content()->toPlainText(), "<行间距>|15\n会员卡充30元送XX元|#FFFFFF|18");
    EXPECT_TRUE(find<QRadioButton>(&page, "alignLeft")->isChecked());

    content()->setPlainText("<行间距>|15\n会员卡充50元送XX元|#FFFFFF|18\n<分割线>|30");
    find<QLineEdit>(&page, "titleText")->setText("〓本店公告〓");
    find<QComboBox>(&page, "divider")->setCurrentText("分割线红色");
    page.savePage();
    const std::vector<std::string> lines = {"<行间距>|15", "会员卡充50元送XX元|#FFFFFF|18",
                                            "<分割线>|30"};
    EXPECT_EQ(tmpl(0).lines, lines);
    EXPECT_EQ(record.titleText, "〓本店公告〓");
    EXPECT_EQ(record.divider, "分割线红色");
    EXPECT_EQ(record.alignment, 1);  // any left alignment is written back as 1
}

TEST_F(NoticePage, WithoutTemplateOnlyTheBoardSettingsAreSaved) {
    record.templateGuid = "FFFFFFFFFFFF";
    page.loadPage();
    EXPECT_EQ(list()->currentIndex(), -1);

    find<QCheckBox>(&page, "shown")->setChecked(false);
    find<QLineEdit>(&page, "size")->setText("18");
    find<QRadioButton>(&page, "alignLeft")->setChecked(true);
    find<QLineEdit>(&page, "titleText")->setText("不会保存");
    find<QCheckBox>(&page, "titleBold")->setChecked(true);
    content()->setPlainText("不会保存");
    page.savePage();

    EXPECT_FALSE(record.shown);
    EXPECT_EQ(record.size, 18);
    EXPECT_EQ(record.alignment, 1);
    const NoticeSection defaults;
    EXPECT_EQ(record.titleText, defaults.titleText);
    EXPECT_EQ(record.titleBold, defaults.titleBold);
    EXPECT_EQ(record.divider, defaults.divider);
    EXPECT_EQ(record.templateGuid, "FFFFFFFFFFFF");
    EXPECT_EQ(tmpl(0).lines.size(), 2u);
    EXPECT_EQ(tmpl(1).lines.size(), 1u);
}

TEST_F(NoticePage, TitleSwitchActsOnlyWhenClicked) {
    record.titleShown = false;
    page.loadPage();
    const char* titleControls[] = {"titleEffect", "titleBold",         "newLabelShown", "titleText",
                                   "titleColour", "titleColourPicker", "titleSize"};
    for (const char* name : titleControls)
        EXPECT_TRUE(find<QWidget>(&page, name)->isEnabled()) << name;
    click(find<QCheckBox>(&page, "titleShown"));  // ticks it
    click(find<QCheckBox>(&page, "titleShown"));  // and clears it again
    for (const char* name : titleControls)
        EXPECT_FALSE(find<QWidget>(&page, name)->isEnabled()) << name;

    click(find<QCheckBox>(&page, "shown"));  // board off: everything but the divider list
    for (const char* name :
         {"templateList", "content", "titleShown", "titleBackground", "alignCentre"})
        EXPECT_FALSE(find<QWidget>(&page, name)->isEnabled()) << name;
    EXPECT_TRUE(find<QWidget>(&page, "divider")->isEnabled());
}

TEST_F(NoticePage, TemplateCommands) {
    page.loadPage();
    auto* deleteButton = find<QPushButton>(&page, "deleteTemplate");

    list()->setCurrentIndex(-1);  // no selection: nothing happens, nothing is said
    deleteButton->click();
    EXPECT_EQ(store().noticeTemplates.size(), 2u);
    EXPECT_TRUE(script.messages.empty());

    script.names = {std::string(""), std::string("节日公告")};
    find<QPushButton>(&page, "newTemplate")->click();
    EXPECT_EQ(store().noticeTemplates.size(), 2u);  // empty name refused
    find<QPushButton>(&page, "newTemplate")->click();
    ASSERT_EQ(store().noticeTemplates.size(), 3u);
    EXPECT_EQ(record.templateGuid, tmpl(2).guid);
    EXPECT_EQ(list()->currentText(), "节日公告");
    EXPECT_EQ(script.namePrompts, std::vector<std::string>(2, "新建公告模板"));

    deleteButton->click();
    deleteButton->click();
    ASSERT_EQ(store().noticeTemplates.size(), 1u);
    EXPECT_EQ(tmpl(0).name, "周末");  // the first entry was selected after the first delete
    EXPECT_EQ(record.templateGuid, "B00000000002");
    deleteButton->click();
    EXPECT_EQ(store().noticeTemplates.size(), 1u);
    const std::vector<std::string> texts = script.texts();
    const std::vector<std::string> expected = {"公告模版名称不能为空，请重新新建！",
                                               "公告模版删除成功！", "公告模版删除成功！",
                                               "亲，只剩下一个模版了，还是保留着吧！"};
    EXPECT_EQ(texts, expected);
}

TEST_F(NoticePage, Screenshot) {
    page.loadPage();
    QDir().mkpath(QString(TAVRIN_BINARY_DIR) + "/screenshots");
    screenshot(&page, "notice_page");
}

}  // namespace
