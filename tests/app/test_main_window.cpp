#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QToolTip>
#include <functional>
#include <map>

#include "app/CAboutDlg.h"
#include "app/CArearCfgDlg.h"
#include "app/CArearDlg.h"
#include "app/CClickStatic.h"
#include "app/CTest2Dlg.h"
#include "app/Links.h"
#include "app_util.h"

namespace {

std::string areaList(const Installation& inst) {
    return inst.ini().value("分区配置", "智能分区").value_or("<none>");
}

// Press, release, double click, release: what a real double click delivers.
void doubleClick(QWidget* w, QPoint pos) {
    const QPointF local(pos), global(w->mapToGlobal(pos));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, local, global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

bool hasSectionEndingIn(const IniDocument& doc, const std::string& suffix) {
    for (const auto& s : doc.sectionNames())
        if (s.size() >= suffix.size() &&
            s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
    return false;
}

// Every (section, key, value) of a document, for comparing two states of desk.ini.
std::map<std::pair<std::string, std::string>, std::string> flatten(const IniDocument& doc) {
    std::map<std::pair<std::string, std::string>, std::string> out;
    for (const auto& s : doc.sectionNames())
        for (const auto& [k, v] : doc.entries(s)) out[{s, k}] = v;
    return out;
}

class MainWindowTest : public ::testing::Test {
  public:
    void open(const std::string& deskIni = kTwoAreas) {
        inst.writeDeskIni(deskIni);
        dlg = std::make_unique<CTest2Dlg>();
        dlg->runModal = [this](QDialog& d) {
            opened.push_back(d.metaObject()->className());
            openedTitles.push_back(d.windowTitle());
            visibleWhileOpen = dlg->isVisible();
            return answerDialog ? answerDialog(d) : int(QDialog::Rejected);
        };
        dlg->show();
        ui.messages.clear();
    }
    template <typename T>
    T* child(const char* name) {
        T* w = dlg->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTableWidget* list() { return child<QTableWidget>("areaList"); }
    template <typename T>
    int openedOf() const {
        int n = 0;
        for (const std::string& c : opened) n += c == T::staticMetaObject.className();
        return n;
    }

    Installation inst;
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scope{ui};
    std::unique_ptr<CTest2Dlg> dlg;
    std::vector<std::string> opened;  // class names of the dialogs run, in order
    QStringList openedTitles;
    bool visibleWhileOpen = true;
    std::function<int(QDialog&)> answerDialog;
};

TEST_F(MainWindowTest, OpeningShowsTheStoredSettingsAndEveryAreaRow) {
    open();
    EXPECT_EQ(child<QLineEdit>("cityEdit")->text(), "上海市");
    EXPECT_EQ(child<QLineEdit>("cafeNameEdit")->text(), "星河网咖");
    EXPECT_EQ(child<QLineEdit>("homePageEdit")->text(), "http://a.example/");
    EXPECT_FALSE(child<QLineEdit>("fontEdit")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>("areaSwitch")->isChecked());
    ASSERT_EQ(list()->rowCount(), 2);
    const char* row1[] = {"游戏区", "192.168.1.10", "192.168.1.99", "已存在", "未说明"};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(list()->item(1, c)->text(), row1[c]) << c;
    EXPECT_EQ(list()->item(0, 4)->text(), "注：此配置适合不分区或未分区的机器");
    EXPECT_EQ(dlg->currentArea(), -1);
    // Hovering over the rows or the empty part of the list shows the hint.
    for (QPoint at : {list()->visualItemRect(list()->item(0, 1)).center(),
                      QPoint(10, list()->viewport()->height() - 5)}) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, at, list()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list()->viewport(), &help);
        EXPECT_EQ(QToolTip::text().toStdString(),
                  "这里可以【双击】或点击【右键】查看菜单哦~亲！更多功能都在这里呢！");
    }
    // The reload wrote every known key back.
    EXPECT_TRUE(inst.ini().hasSection("Desk_游戏区"));
}

// With the switch off, add, modify and double click are refused; configure, delete and
// apply still work.
TEST_F(MainWindowTest, SwitchOffBlocksAddModifyAndDoubleClickOnly) {
    std::string off = kTwoAreas;
    off.replace(off.find("智能分区=开"), std::string("智能分区=开").size(), "智能分区=-开");
    struct Case {
        const char* what;
        std::function<void(MainWindowTest&)> act;
        bool blocked;
    } cases[] = {
        {"add", [](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kAddArea); }, true},
        {"modify", [](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kModifyArea); }, true},
        {"double click",
         [](MainWindowTest& t) {
             doubleClick(t.list()->viewport(),
                         t.list()->visualItemRect(t.list()->item(1, 0)).center());
         },
         true},
        {"configure", [](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kConfigureArea); }, false},
        {"delete", [](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kDeleteArea); }, false},
        {"apply", [](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kApplyHere); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        opened.clear();
        open(off);
        dlg->setCurrentArea(1);
        const std::string before = inst.bytes("desk.ini");
        c.act(*this);
        const bool refused = !ui.messages.empty() && ui.messages[0].text == "请先开启分区功能!";
        EXPECT_EQ(refused, c.blocked);
        if (c.blocked) {
            EXPECT_EQ(ui.messages[0].icon, ui::Icon::Error);
            EXPECT_EQ(ui.messages.size(), 1u);
            EXPECT_TRUE(opened.empty());
        } else {
            // Each either opened its window or asked its question (answered No).
            EXPECT_TRUE(!opened.empty() || !ui.messages.empty());
        }
        EXPECT_EQ(inst.bytes("desk.ini"), before);
    }
}

TEST_F(MainWindowTest, DoubleClickHidesTheMainWindowWhileTheAreaIsConfigured) {
    open();
    doubleClick(list()->viewport(), list()->visualItemRect(list()->item(1, 0)).center());
    ASSERT_EQ(openedOf<CArearCfgDlg>(), 1);
    EXPECT_FALSE(visibleWhileOpen);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->currentArea(), 1);

    // Beside the rows: nothing happens.
    opened.clear();
    doubleClick(list()->viewport(), QPoint(10, list()->viewport()->height() - 5));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, DeleteKeepsTheLastAreaAndRemovesAnotherWithItsSections) {
    // A single area: refused whatever is selected, file untouched.
    open("[分区配置]\r\n智能分区=开|<0.0.0.0-0.0.0.0>默认区域\r\n");
    dlg->setCurrentArea(0);
    std::string before = inst.bytes("desk.ini");
    ui.answers = {ui::Answer::Yes};
    dlg->command(CTest2Dlg::kDeleteArea);
    ASSERT_EQ(ui.texts(), std::vector<std::string>{kLastAreaMessage});
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Error);
    EXPECT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(inst.bytes("desk.ini"), before);

    // Two areas, no current one: nothing is asked or deleted.
    open();
    dlg->command(CTest2Dlg::kDeleteArea);
    EXPECT_TRUE(ui.messages.empty());

    // Declined: nothing changes.
    dlg->setCurrentArea(1);
    before = inst.bytes("desk.ini");
    ui.answers = {ui::Answer::No};
    dlg->command(CTest2Dlg::kDeleteArea);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"确定要将该分区删除吗？"});
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Warning);
    EXPECT_EQ(inst.bytes("desk.ini"), before);

    // Confirmed: the area, its row and every one of its sections are gone.
    ui.messages.clear();
    ui.answers = {ui::Answer::Yes};
    dlg->command(CTest2Dlg::kDeleteArea);
    EXPECT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->item(0, 0)->text(), "默认区域");
    EXPECT_EQ(areaList(inst), "开|<0.0.0.0-0.0.0.0>默认区域");
    EXPECT_FALSE(hasSectionEndingIn(inst.ini(), "_游戏区"));
    EXPECT_EQ(dlg->currentArea(), -1);
}

TEST_F(MainWindowTest, SaveWritesOnlyTheFourSettings) {
    open();
    const auto before = flatten(inst.ini());
    child<QLineEdit>("cityEdit")->setText("广州市");
    child<QLineEdit>("cafeNameEdit")->setText("新名字网咖");
    child<QLineEdit>("homePageEdit")->setText("");
    // Edits made to the model but not through Save must not reach the file.
    dlg->config().areas[1]->startIp = "9.9.9.9";
    ui.answers = {ui::Answer::No};
    child<QPushButton>("saveButton")->click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"配置设定保存完毕，是否测试效果？"});
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Question);

    auto after = flatten(inst.ini());
    EXPECT_EQ((after[{"全局配置", "天气城市"}]), "广州市");
    EXPECT_EQ((after[{"全局配置", "网吧名称"}]), "新名字网咖");
    EXPECT_EQ((after[{"全局配置", "主页地址"}]), "");
    EXPECT_EQ((after[{"全局配置", "默认字体"}]), "微软雅黑");
    for (const char* key : {"天气城市", "网吧名称", "主页地址", "默认字体"}) {
        after.erase({"全局配置", key});
    }
    auto expected = before;
    for (const char* key : {"天气城市", "网吧名称", "主页地址", "默认字体"})
        expected.erase({"全局配置", key});
    EXPECT_EQ(after, expected);
    EXPECT_EQ(dlg->config().weatherCity, "广州市");
}

// A save that cannot be made must say so, not report success.
TEST_F(MainWindowTest, SaveThatCannotBeMadeSaysSoAndKeepsTheFile) {
    struct Case {
        const char* what;
        std::function<void(MainWindowTest&)> arrange;
        const char* messageStart;
    } cases[] = {
        {"disk full", [](MainWindowTest&) { setWriteFailureForTesting("磁盘已满"); }, "保存失败"},
        {"too long for the runtime",
         [](MainWindowTest& t) {
             t.child<QLineEdit>("cafeNameEdit")->setText(QString(130, QChar(0x7F51)));  // 网 ×130
         },
         "“网吧名称”太长了"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        const std::string before = inst.bytes("desk.ini");
        child<QLineEdit>("cityEdit")->setText("广州市");
        c.arrange(*this);
        ui.answers = {ui::Answer::Yes};
        child<QPushButton>("saveButton")->click();
        setWriteFailureForTesting(std::nullopt);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind(c.messageStart, 0), 0u) << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].icon, ui::Icon::Question);
        EXPECT_EQ(inst.bytes("desk.ini"), before);
        EXPECT_EQ(dlg->config().weatherCity, "上海市");
    }
    // The failure text carries the reason.
    open();
    child<QLineEdit>("cityEdit")->setText("广州市");
    setWriteFailureForTesting("磁盘已满");
    child<QPushButton>("saveButton")->click();
    setWriteFailureForTesting(std::nullopt);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("磁盘已满"), std::string::npos);
}

TEST_F(MainWindowTest, SwitchIsWrittenAtOnce) {
    struct Case {
        const char* stored;
        bool checkedAfter;
        const char* listAfter;
    } cases[] = {
        {"-开", true, "开|<0.0.0.0-0.0.0.0>默认区域|<192.168.1.10-192.168.1.99>游戏区"},
        {"开", false, "-开|<0.0.0.0-0.0.0.0>默认区域|<192.168.1.10-192.168.1.99>游戏区"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::string ini = kTwoAreas;
        ini.replace(ini.find("智能分区=开"), std::string("智能分区=开").size(),
                    std::string("智能分区=") + c.stored);
        open(ini);
        child<QCheckBox>("areaSwitch")->click();
        EXPECT_EQ(child<QCheckBox>("areaSwitch")->isChecked(), c.checkedAfter);
        EXPECT_EQ(dlg->config().areasEnabled, c.checkedAfter);
        EXPECT_EQ(areaList(inst), c.listAfter);
    }
    // A switch that cannot be stored goes back and says so.
    open();
    setWriteFailureForTesting("磁盘已满");
    child<QCheckBox>("areaSwitch")->click();
    setWriteFailureForTesting(std::nullopt);
    EXPECT_TRUE(child<QCheckBox>("areaSwitch")->isChecked());
    EXPECT_TRUE(dlg->config().areasEnabled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("保存失败", 0), 0u);
}

TEST_F(MainWindowTest, ClosingAfterTypingWritesNothing) {
    open();
    const std::string before = inst.bytes("desk.ini");
    child<QLineEdit>("cityEdit")->insert("杭州");
    QTest::keyClicks(child<QLineEdit>("homePageEdit"), "http://b.example/");
    QTest::keyClick(child<QLineEdit>("cafeNameEdit"), Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());  // Enter in a setting box does not close the window
    dlg->close();
    EXPECT_EQ(inst.bytes("desk.ini"), before);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowTest, AddedAreaCopiesEveryReferenceSectionAndIsListed) {
    open();
    answerDialog = [](QDialog& d) {
        d.findChild<QLineEdit*>("nameEdit")->setText("网游区");
        d.findChild<QLineEdit*>("startIpEdit")->setText("10.0.0.1");
        d.findChild<QLineEdit*>("endIpEdit")->setText("10.0.0.9");
        d.findChild<QComboBox*>("referenceList")->setCurrentIndex(1);
        d.findChild<QPushButton*>("okButton")->click();
        return d.result();
    };
    dlg->command(CTest2Dlg::kAddArea);
    ASSERT_EQ(openedOf<CArearDlg>(), 1);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"添加新分区操作成功！"});
    ASSERT_EQ(list()->rowCount(), 3);
    const char* row[] = {"网游区", "10.0.0.1", "10.0.0.9", "已存在", "未说明"};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(list()->item(2, c)->text(), row[c]) << c;

    const IniDocument doc = inst.ini();
    int compared = 0;
    for (const auto& s : doc.sectionNames()) {
        const std::string suffix = "_游戏区";
        if (s.size() < suffix.size() || s.compare(s.size() - suffix.size(), suffix.size(), suffix))
            continue;
        const std::string copy = s.substr(0, s.size() - suffix.size()) + "_网游区";
        using Entries = std::map<std::string, std::string>;
        const auto a = doc.entries(copy), b = doc.entries(s);
        EXPECT_EQ(Entries(a.begin(), a.end()), Entries(b.begin(), b.end())) << copy;
        ++compared;
    }
    EXPECT_GE(compared, 8);
    EXPECT_EQ(doc.value("名称配置_网游区", "显示坐标"), "-40|77");
    EXPECT_EQ(doc.value("壁纸配置_网游区", "固定壁纸"), "01.jpg");
}

TEST_F(MainWindowTest, ModifiedAreaLeavesNoSectionUnderItsOldName) {
    open();
    dlg->setCurrentArea(1);
    answerDialog = [](QDialog& d) {
        d.findChild<QLineEdit*>("nameEdit")->setText("网游区");
        d.findChild<QPushButton*>("okButton")->click();
        return d.result();
    };
    dlg->command(CTest2Dlg::kModifyArea);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"修改分区操作成功！"});
    EXPECT_EQ(list()->item(1, 0)->text(), "网游区");
    const IniDocument doc = inst.ini();
    EXPECT_FALSE(hasSectionEndingIn(doc, "_游戏区"));
    EXPECT_EQ(doc.value("名称配置_网游区", "显示坐标"), "-40|77");
    EXPECT_EQ(areaList(inst), "开|<0.0.0.0-0.0.0.0>默认区域|<192.168.1.10-192.168.1.99>网游区");
}

TEST_F(MainWindowTest, CommandsWithoutACurrentAreaDoNothing) {
    open();
    for (int id : {CTest2Dlg::kModifyArea, CTest2Dlg::kConfigureArea, CTest2Dlg::kApplyHere}) {
        dlg->command(id);
        EXPECT_TRUE(ui.messages.empty()) << id;
        EXPECT_TRUE(opened.empty()) << id;
    }
}

TEST_F(MainWindowTest, RightClickOpensTheAreaMenuForTheRowUnderTheMouse) {
    open();
    const QPoint at = list()->visualItemRect(list()->item(1, 2)).center();
    QTest::mousePress(list()->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(list()->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, list()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list()->viewport(), &menuEvent);
    EXPECT_EQ(dlg->currentArea(), 1);
    auto* menu = child<QMenu>("areaMenu");
    ASSERT_TRUE(menu->isVisible());
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    EXPECT_EQ(texts, QStringList({"增加分区", "删除分区", "修改分区", "配置分区",
                                  "应该此配置到本机上(仅当前有效)!"}));
    menu->actions()[1]->trigger();  // 删除分区, declined
    menu->hide();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"确定要将该分区删除吗？"});
}

TEST_F(MainWindowTest, AddressesAndAboutBox) {
    open();
    struct Case {
        std::function<void(MainWindowTest&)> act;
        const char* url;
    } cases[] = {
        {[](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kOfficialSite); }, links::kOfficialSite},
        {[](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kForum); }, links::kForum},
        {[](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kTutorial); }, links::kTutorial},
        {[](MainWindowTest& t) { t.dlg->command(CTest2Dlg::kShowcase); }, links::kShowcase},
        {[](MainWindowTest& t) {
             QTest::mouseClick(t.child<CClickStatic>("siteLink"), Qt::LeftButton);
         },
         links::kOfficialSite},
        {[](MainWindowTest& t) {
             QTest::mouseClick(t.child<CClickStatic>("chatLink"), Qt::LeftButton);
         },
         links::kChat},
    };
    for (const Case& c : cases) {
        ui.urls.clear();
        c.act(*this);
        EXPECT_EQ(ui.urls, std::vector<std::string>{c.url});
    }
    EXPECT_FALSE(child<CClickStatic>("tutorialLink")->isVisibleTo(dlg.get()));
    EXPECT_EQ(child<CClickStatic>("tutorialLink")->address(), links::kTutorial);

    for (int id : {CTest2Dlg::kAbout, CTest2Dlg::kSysAbout}) dlg->command(id);
    EXPECT_EQ(openedOf<CAboutDlg>(), 2);
    ASSERT_FALSE(openedTitles.empty());
    EXPECT_EQ(openedTitles.back(), "关于 Tavrin");
}

// The "check for updates" command against a server on this machine.
TEST_F(MainWindowTest, UpdateCommandSaysUpToDateOnlyWhenItCouldCheck) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s] {
            s->readAll();
            s->write(
                "HTTP/1.0 200 OK\r\nContent-Type: "
                "text/plain\r\n\r\n[desk.dll]\r\nMD5=\r\nURL=\r\n");
            s->disconnectFromHost();
        });
    });
    // A closed port: the check fails.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 closedPort = closed.serverPort();
    closed.close();

    struct Case {
        quint16 port;
        std::string message;
    } cases[] = {
        {server.serverPort(), "已经是最新的版本，不需要更新！"},
        {closedPort, "网络链接错误！"},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Installation::writeText(
            inst.file("deskupdate.ini"),
            "[Config]\r\nUpdateModel=0\r\nUpdateHost=127.0.0.1:" + std::to_string(c.port) + "\r\n");
        ui.messages.clear();
        dlg->command(CTest2Dlg::kCheckUpdate);
        EXPECT_EQ(ui.texts(), std::vector<std::string>{c.message});
    }
}

}  // namespace
