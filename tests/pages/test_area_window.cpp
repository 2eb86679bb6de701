// The area configuration window: tabs, caption, the save request and closing.
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>

#include "app/CArearCfgDlg.h"
#include "pages/ConfigPage.h"
#include "pages_util.h"

namespace {

constexpr const char* kThreeAreas =
    "[全局配置]\r\n网吧名称=星河网咖\r\n"
    "[分区配置]\r\n智能分区=开|<0.0.0.0-0.0.0.0>默认区域|<192.168.1.10-192.168.1.99>游戏区"
    "|<192.168.2.1-192.168.2.50>包厢区\r\n"
    "[公共标语_包厢区]\r\n显示标语=开\r\n显示坐标=Z|-40\r\n标语内容=包厢欢迎您|#ff8800|22|-影|"
    "斜\r\n"
    "背景=标语框\r\n"
    "[Desk_包厢区]\r\n阴影颜色=#a0a0a0\r\n"
    "[节日贴图_包厢区]\r\n开始时间=2024年2月9日\r\n结束时间=2024年2月24日\r\n"
    "[天气模板个数]\r\nguid=AAAAAAAAAAAA\r\n"
    "[天气模板_AAAAAAAAAAAA]\r\n名称=简洁\r\n行数=1\r\nguid=AAAAAAAAAAAA\r\n第0行=$city|#FFFFFF|"
    "20\r\n"
    "[公告模板个数]\r\nguid=BBBBBBBBBBBB\r\n"
    "[公告模板_BBBBBBBBBBBB]\r\n名称=通知\r\n行数=1\r\nguid=BBBBBBBBBBBB\r\n第0行=欢迎|15\r\n";

class AreaWindowTest : public PageFixture {
  protected:
    void SetUp() override {
        PageFixture::SetUp();
        writeDeskIni(kThreeAreas);
        load();
        ASSERT_EQ(config.areas.size(), 3u);
        ASSERT_TRUE(SaveEverything(store(), config).ok);  // desk.ini as the main window leaves it
        before = deskIniBytes();
    }
    template <typename T>
    T* w(CArearCfgDlg& dlg, int tab, const char* name) {
        return find<T>(dlg.page(tab), name);
    }

    std::string before;
};

TEST_F(AreaWindowTest, OpensOnTheFirstTabWithTheAreaInTheCaption) {
    CArearCfgDlg dlg(config, 2, nullptr);
    EXPECT_EQ(dlg.windowTitle(), "当前配置分区：包厢区");
    EXPECT_EQ(CArearCfgDlg::current(), &dlg);
    ASSERT_EQ(dlg.tabs()->count(), 8);
    const char* titles[] = {"全局设置", "图标功能", "名称栏目", "天气栏目",
                            "公告栏目", "标语栏目", "贴图插图", "其它功能"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(dlg.tabs()->tabText(i), titles[i]);
    EXPECT_EQ(dlg.tabs()->currentIndex(), 0);
    // The pages show this area's records.
    EXPECT_EQ(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content")->text(), "包厢欢迎您");
    EXPECT_EQ(w<QLineEdit>(dlg, CArearCfgDlg::kGlobalTab, "effectColour")->text(), "#A0A0A0");
}

TEST_F(AreaWindowTest, SwitchingTabsShowsOnlyThatPage) {
    CArearCfgDlg dlg(config, 0, nullptr);
    dlg.show();
    for (int tab : {3, 6, 0}) {
        dlg.tabs()->setCurrentIndex(tab);
        for (int i = 0; i < CArearCfgDlg::kTabCount; ++i)
            EXPECT_EQ(dlg.page(i)->isVisible(), i == tab) << "tab " << tab << " page " << i;
    }
}

TEST_F(AreaWindowTest, TheCurrentWindowIsClearedWhenItCloses) {
    {
        CArearCfgDlg dlg(config, 1, nullptr);
        EXPECT_EQ(CArearCfgDlg::current(), &dlg);
    }
    EXPECT_EQ(CArearCfgDlg::current(), nullptr);
}

TEST_F(AreaWindowTest, SaveButtonWritesDeskIniAndAsksToPreview) {
    CArearCfgDlg dlg(config, 2, nullptr);
    type(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content"), "包厢请保持安静");
    type(w<QLineEdit>(dlg, CArearCfgDlg::kTitleTab, "seatNumberOffset"), "5");
    script.answers.push_back(ui::Answer::No);
    find<QPushButton>(&dlg, "saveButton")->click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "配置设定保存完毕，是否测试效果？");
    EXPECT_EQ(script.messages[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Question);
    EXPECT_EQ(area(2).slogan.content, "包厢请保持安静");
    EXPECT_EQ(area(2).nameColumn.seatNumberOffset, 5);
    EXPECT_EQ(area(2).skin.effectColour, "#A0A0A0");  // the picker's form
    EXPECT_NE(deskIniBytes(), before);
    // The sections of this window's display pages; the other areas keep their bytes.
    const std::string now = deskIniBytes();
    std::string written;
    for (const char* word : {"Desk", "壁纸配置", "名称配置", "公共标语", "设分辨率", "其它功能",
                             "节日贴图", "壁纸插图"})
        written += sectionBytes(now, std::string(word) + "_包厢区");
    expectGolden(written, "area_window_saved.ini");
    for (const char* other : {"名称配置_游戏区", "公共标语_默认区域"})
        EXPECT_EQ(sectionBytes(now, other), sectionBytes(before, other)) << other;
    EXPECT_FALSE(dlg.hasUnsavedEdits());
}

TEST_F(AreaWindowTest, YesToThePreviewHandsTheAreaToTheRuntime) {
    CArearCfgDlg dlg(config, 2, nullptr);
    script.answers.push_back(ui::Answer::Yes);
    EXPECT_TRUE(dlg.saveRequest().ok);
    // No runtime library in this installation: the runtime call says so.
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text, "文件丢失，请重新下载！");
}

TEST_F(AreaWindowTest, SavingIntoAPackageAsksNothingAndLeavesDeskIni) {
    CArearCfgDlg dlg(config, 2, nullptr);
    type(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content"), "主题标语");
    const std::string descriptor = file("Packet/k4rtPacket.ini");
    QDir().mkpath(QString::fromStdString(file("Packet")));
    EXPECT_TRUE(dlg.saveRequest(descriptor).ok);
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(deskIniBytes(), before);
    const std::string package = readFileBytes(descriptor).value_or("");
    EXPECT_NE(codec::fromCp936(package).find("标语内容=主题标语|"), std::string::npos);
    EXPECT_EQ(codec::fromCp936(package).find("[全局配置]"), std::string::npos);
    // desk.ini does not hold the edit yet, so closing still asks.
    EXPECT_TRUE(dlg.hasUnsavedEdits());
}

TEST_F(AreaWindowTest, ClosingWithoutSaveLeavesRecordsAndFile) {
    const SloganSection slogan = area(2).slogan;
    const DecalSection decal = area(2).decal;
    CArearCfgDlg dlg(config, 2, nullptr);
    dlg.show();
    EXPECT_FALSE(dlg.hasUnsavedEdits());  // normalised colours do not count as edits
    type(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content"), "改了但不保存");
    // A page button that changes its record at once is undone as well.
    script.files.push_back(std::string("/x/春节.png"));
    find<QPushButton>(dlg.page(CArearCfgDlg::kDecalTab), "choosePicture")->click();
    ASSERT_FALSE(area(2).decal.automaticPicture);
    EXPECT_TRUE(dlg.hasUnsavedEdits());

    script.answers.push_back(ui::Answer::No);  // keep editing
    dlg.reject();
    EXPECT_TRUE(dlg.isVisible());
    script.answers.push_back(ui::Answer::Yes);  // discard
    dlg.reject();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(area(2).slogan, slogan);
    EXPECT_EQ(area(2).decal, decal);
    EXPECT_EQ(deskIniBytes(), before);
}

TEST_F(AreaWindowTest, ClosingUneditedAsksNothing) {
    CArearCfgDlg dlg(config, 1, nullptr);
    dlg.show();
    dlg.reject();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(deskIniBytes(), before);
}

TEST_F(AreaWindowTest, EnterAndEscapeInAPageDoNotCloseTheWindow) {
    CArearCfgDlg dlg(config, 0, nullptr);
    dlg.show();
    for (int tab : {CArearCfgDlg::kGlobalTab, CArearCfgDlg::kTitleTab, CArearCfgDlg::kSloganTab,
                    CArearCfgDlg::kDecalTab, CArearCfgDlg::kOtherTab}) {
        dlg.tabs()->setCurrentIndex(tab);
        QLineEdit* box = dlg.page(tab)->findChild<QLineEdit*>();
        ASSERT_NE(box, nullptr);
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(box, Qt::Key(key));
            EXPECT_TRUE(dlg.isVisible()) << "tab " << tab << " key " << key;
        }
    }
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(AreaWindowTest, ValueTheRuntimeCannotReadWholeIsRefused) {
    CArearCfgDlg dlg(config, 2, nullptr);
    const SloganSection slogan = area(2).slogan;
    // 125 characters of two cp936 bytes each plus the style fields: over 259 bytes.
    type(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content"), QString(125, QChar(0x6B22)));
    const Status st = dlg.saveRequest();
    EXPECT_FALSE(st.ok);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_NE(script.messages[0].text.find("标语内容"), std::string::npos);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Warning);
    EXPECT_EQ(area(2).slogan, slogan);
    EXPECT_EQ(deskIniBytes(), before);
}

TEST_F(AreaWindowTest, FailedWriteIsReportedAndTheRecordsStay) {
    CArearCfgDlg dlg(config, 2, nullptr);
    const SloganSection slogan = area(2).slogan;
    type(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content"), "写不进去");
    setWriteFailureForTesting(std::string("磁盘已满"));
    const Status st = dlg.saveRequest();
    setWriteFailureForTesting(std::nullopt);
    EXPECT_FALSE(st.ok);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(area(2).slogan, slogan);
    EXPECT_EQ(deskIniBytes(), before);
}

TEST_F(AreaWindowTest, ReloadShowsTheReplacedRecords) {
    CArearCfgDlg dlg(config, 2, nullptr);
    area(2).slogan.content = "导入的标语";
    area(2).skin.effectTransparency = 120;
    dlg.reloadPages(area(2));
    EXPECT_EQ(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content")->text(), "导入的标语");
    EXPECT_EQ(w<QLineEdit>(dlg, CArearCfgDlg::kGlobalTab, "effectTransparency")->text(), "120");
    EXPECT_FALSE(dlg.hasUnsavedEdits());
}

TEST_F(AreaWindowTest, ThemeButtonsExportAndImportThroughTheWindow) {
    const std::string package = file("主题/包厢.k4p");
    QDir().mkpath(QString::fromStdString(file("主题")));
    {
        CArearCfgDlg dlg(config, 2, nullptr);
        type(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content"), "主题里的标语");
        script.files.push_back(file("主题/包厢"));  // the extension is added
        find<QPushButton>(dlg.page(CArearCfgDlg::kGlobalTab), "exportTheme")->click();
        ASSERT_EQ(script.texts(), (std::vector<std::string>{"主题包导出成功！"}));
        EXPECT_TRUE(QFile::exists(QString::fromStdString(package)));
        EXPECT_EQ(deskIniBytes(), before);          // an export writes no desk.ini
        script.answers.push_back(ui::Answer::Yes);  // discard the edit on closing
        dlg.reject();
    }
    script.messages.clear();
    CArearCfgDlg dlg(config, 1, nullptr);
    script.answers = {ui::Answer::No, ui::Answer::No};  // no export first, no preview
    script.files.push_back(package);
    find<QPushButton>(dlg.page(CArearCfgDlg::kGlobalTab), "importTheme")->click();
    EXPECT_EQ(area(1).name, "游戏区");
    EXPECT_EQ(area(1).slogan.content, "主题里的标语");
    EXPECT_EQ(w<QLineEdit>(dlg, CArearCfgDlg::kSloganTab, "content")->text(), "主题里的标语");
    EXPECT_NE(codec::fromCp936(deskIniBytes()).find("标语内容=主题里的标语|"), std::string::npos);
    EXPECT_FALSE(dlg.hasUnsavedEdits());
}

TEST_F(AreaWindowTest, Screenshots) {
    CArearCfgDlg dlg(config, 2, nullptr);
    dlg.show();
    QDir().mkpath(QString(TAVRIN_BINARY_DIR) + "/screenshots");
    for (int tab = 0; tab < CArearCfgDlg::kTabCount; ++tab) {
        dlg.tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        dlg.grab().save(QString(TAVRIN_BINARY_DIR) +
                        QString("/screenshots/window_tab%1.png").arg(tab));
    }
}

}  // namespace
