#include <QPushButton>
#include <QTableWidget>

#include "app/CTest2Dlg.h"
#include "app_util.h"
#include "platform/RuntimeLibrary.h"

namespace {

std::string gbk(const std::string& utf8) { return codec::toCp936(utf8).value(); }

TEST(RuntimeLibrary, RunDeskHandsOverTheNameInCp936AndUnloads) {
    Installation inst;
    inst.installRuntime();
    RuntimeLog log;
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scope(ui);
    // An area with no sections in desk.ini is still handed over.
    EXPECT_TRUE(runtime::RunDesk("游戏区"));
    EXPECT_TRUE(runtime::RunDesk("乚丄区"));
    EXPECT_EQ(log.text(), "load\nRunDesk " + gbk("游戏区") + "\nunload\nload\nRunDesk " +
                              gbk("乚丄区") + "\nunload\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(RuntimeLibrary, StartPaperCenterPassesZeroAndStaysLoaded) {
    Installation inst;
    inst.installRuntime();
    RuntimeLog log;
    EXPECT_TRUE(runtime::StartPaperCenter());
    EXPECT_EQ(log.text(), "load\nStartPaperCenter 0\n");
}

TEST(RuntimeLibrary, MissingLibraryOrExportIsReported) {
    struct Case {
        const char* what;
        const char* libraryFrom;  // nullptr: no library at all
        bool (*call)();
    } cases[] = {
        {"RunDesk, no library", nullptr, [] { return runtime::RunDesk("游戏区"); }},
        {"StartPaperCenter, no library", nullptr, [] { return runtime::StartPaperCenter(); }},
        {"RunDesk, no export", TAVRIN_FAKE_DESK_NOEXPORT_DIR,
         [] { return runtime::RunDesk("游戏区"); }},
        {"StartPaperCenter, no export", TAVRIN_FAKE_DESK_NOEXPORT_DIR,
         [] { return runtime::StartPaperCenter(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installation inst;
        if (c.libraryFrom) inst.installRuntime(c.libraryFrom);
        ui::ScriptedInteraction ui;
        ui::ScopedInteraction scope(ui);
        EXPECT_FALSE(c.call());
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "文件丢失，请重新下载！");
        EXPECT_EQ(ui.messages[0].caption, "Tavrin");
        EXPECT_EQ(ui.messages[0].icon, ui::Icon::Error);
    }
}

// The main window's two previews: after Save, and the apply-to-this-machine command.
TEST(RuntimeLibrary, MainWindowPreviewsTheCurrentArea) {
    struct Case {
        const char* what;
        int current;
        std::function<void(CTest2Dlg&)> act;
        std::vector<std::string> texts;
        bool runs;
    } cases[] = {
        {"apply",
         1,
         [](CTest2Dlg& d) { d.command(CTest2Dlg::kApplyHere); },
         {"立即应用[游戏区]的相关配置到本机上？\r\n亲，仅测试有效！"},
         true},
        {"save",
         1,
         [](CTest2Dlg& d) { d.findChild<QPushButton*>("saveButton")->click(); },
         {"配置设定保存完毕，是否测试效果？"},
         true},
        {"save without a current area",
         -1,
         [](CTest2Dlg& d) { d.findChild<QPushButton*>("saveButton")->click(); },
         {"配置设定保存完毕，是否测试效果？", "请先在分区列表中选中要测试的分区。"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Installation inst;
        inst.writeDeskIni(kTwoAreas);
        inst.installRuntime();
        RuntimeLog log;
        ui::ScriptedInteraction ui;
        ui::ScopedInteraction scope(ui);
        CTest2Dlg dlg;
        dlg.setCurrentArea(c.current);
        ui.answers = {ui::Answer::Yes};
        c.act(dlg);
        EXPECT_EQ(ui.texts(), c.texts);
        EXPECT_EQ(log.text(), c.runs ? "load\nRunDesk " + gbk("游戏区") + "\nunload\n" : "");
    }
}

}  // namespace
