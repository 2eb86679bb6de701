#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/CArearDlg.h"
#include "app/IpAddress.h"
#include "app_util.h"
#include "store/Configuration.h"

namespace {

constexpr const char* kLatinAreas =
    "[分区配置]\r\n智能分区=开|<0.0.0.0-0.0.0.0>默认区域|<10.0.0.1-10.0.0.9>Game厅\r\n";

class AreaDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        inst.writeDeskIni(kLatinAreas);
        store().setTarget(inst.deskIni());
        ASSERT_TRUE(ReloadConfiguration(store(), config).ok);
        ui.messages.clear();
    }
    static ProfileStore& store() { return ProfileStore::instance(); }
    static QLineEdit* edit(CArearDlg& d, const char* name) { return d.findChild<QLineEdit*>(name); }
    static void ok(CArearDlg& d) { d.findChild<QPushButton*>("okButton")->click(); }

    Installation inst;
    GlobalConfig config;
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scope{ui};
};

TEST_F(AreaDialogTest, OpensEmptyForAddAndFilledForModify) {
    CArearDlg add(config, CArearDlg::Add, -1);
    EXPECT_EQ(add.windowTitle(), "增加分区");
    EXPECT_EQ(edit(add, "nameEdit")->text(), "");
    EXPECT_EQ(edit(add, "startIpEdit")->text(), "");
    auto* ref = add.findChild<QComboBox*>("referenceList");
    ASSERT_EQ(ref->count(), 2);
    EXPECT_EQ(ref->itemText(1), "Game厅");
    EXPECT_EQ(ref->currentIndex(), 0);

    CArearDlg modify(config, CArearDlg::Modify, 1);
    EXPECT_EQ(modify.windowTitle(), "增加分区");
    EXPECT_EQ(edit(modify, "nameEdit")->text(), "Game厅");
    EXPECT_EQ(edit(modify, "startIpEdit")->text(), "10.0.0.1");
    EXPECT_EQ(edit(modify, "endIpEdit")->text(), "10.0.0.9");
    EXPECT_EQ(modify.findChild<QComboBox*>("referenceList")->currentIndex(), 1);
}

TEST_F(AreaDialogTest, NamesAreUniqueIgnoringLetterCaseAndStorable) {
    struct Case {
        CArearDlg::Mode mode;
        int index;
        const char* name;
        const char* refusal;  // nullptr: accepted
    } cases[] = {
        {CArearDlg::Add, -1, "默认区域", kDuplicateAreaName},
        {CArearDlg::Add, -1, "game厅", kDuplicateAreaName},
        {CArearDlg::Add, -1, "GAME厅", kDuplicateAreaName},
        {CArearDlg::Add, -1, "网游|区", "分区名称不能包含“|”、“<”或“>”。"},
        {CArearDlg::Add, -1, "<网游>", "分区名称不能包含“|”、“<”或“>”。"},
        {CArearDlg::Modify, 1, "默认区域", kDuplicateAreaName},
        {CArearDlg::Modify, 1, "Game厅", nullptr},  // its own name does not count
        {CArearDlg::Modify, 1, "GAME厅", nullptr},
        {CArearDlg::Add, -1, "网游区", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const std::string before = inst.bytes("desk.ini");
        CArearDlg d(config, c.mode, c.index);
        edit(d, "nameEdit")->setText(c.name);
        ok(d);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].icon, ui::Icon::Warning);
        if (c.refusal) {
            EXPECT_EQ(ui.messages[0].text, c.refusal);
            EXPECT_NE(d.result(), QDialog::Accepted);
            EXPECT_EQ(inst.bytes("desk.ini"), before);
            EXPECT_EQ(config.areas.size(), 2u);
        } else {
            EXPECT_EQ(ui.messages[0].text,
                      c.mode == CArearDlg::Add ? "添加新分区操作成功！" : "修改分区操作成功！");
            EXPECT_EQ(d.result(), QDialog::Accepted);
        }
    }
}

TEST_F(AreaDialogTest, AddressesMustBeDottedIpv4) {
    struct Case {
        const char* start;
        const char* end;
        const char* storedStart;  // nullptr: refused
        const char* storedEnd;
    } cases[] = {
        {"192.168.001.010", "192.168.1.99", "192.168.1.10", "192.168.1.99"},
        {"", "", "0.0.0.0", "0.0.0.0"},  // untouched fields read as zero
        {"192.168.1", "192.168.1.99", nullptr, nullptr},
        {"192.168.1.10", "192.168.1.", nullptr, nullptr},
    };
    int added = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        CArearDlg d(config, CArearDlg::Add, -1);
        const std::string name = "区" + std::to_string(added);
        edit(d, "nameEdit")->setText(QString::fromStdString(name));
        edit(d, "startIpEdit")->setText(c.start);
        edit(d, "endIpEdit")->setText(c.end);
        ui.messages.clear();
        ok(d);
        ASSERT_EQ(ui.messages.size(), 1u);
        if (!c.storedStart) {
            EXPECT_EQ(ui.messages[0].text, "请填写完整的IP地址，例如 192.168.1.10。");
            EXPECT_NE(d.result(), QDialog::Accepted);
            continue;
        }
        ++added;
        ASSERT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(config.areas.back()->startIp, c.storedStart);
        EXPECT_EQ(config.areas.back()->endIp, c.storedEnd);
    }
}

TEST(Ipv4, NormaliseAndValidateTyping) {
    struct Case {
        const char* text;
        const char* normal;  // nullptr: not an address
        QValidator::State typing;
    } cases[] = {
        {"10.0.0.1", "10.0.0.1", QValidator::Acceptable},
        {"010.000.000.001", "10.0.0.1", QValidator::Acceptable},
        {"255.255.255.255", "255.255.255.255", QValidator::Acceptable},
        {"", "0.0.0.0", QValidator::Intermediate},
        {"192.168.", nullptr, QValidator::Intermediate},
        {"192.168.1", nullptr, QValidator::Intermediate},
        {"256.1.1.1", nullptr, QValidator::Invalid},
        {"1.2.3.4.5", nullptr, QValidator::Invalid},
        {"1.2.3.1000", nullptr, QValidator::Invalid},
        {"a.b.c.d", nullptr, QValidator::Invalid},
        {"1.2.3.-4", nullptr, QValidator::Invalid},
    };
    Ipv4Validator v;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto n = ipv4::normalise(c.text);
        if (c.normal)
            EXPECT_EQ(n, std::optional<std::string>(c.normal));
        else
            EXPECT_FALSE(n.has_value());
        QString s = c.text;
        int pos = 0;
        EXPECT_EQ(v.validate(s, pos), c.typing);
    }
}

TEST_F(AreaDialogTest, FailedSaveKeepsTheDialogOpenAndTheModelUnchanged) {
    struct Case {
        CArearDlg::Mode mode;
        int index;
        const char* message;
    } cases[] = {
        {CArearDlg::Add, -1, "添加新分区操作失败！\n"},
        {CArearDlg::Modify, 1, "修改分区操作失败！\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        SetUp();
        CArearDlg d(config, c.mode, c.index);
        edit(d, "nameEdit")->setText("网游区");
        setWriteFailureForTesting("磁盘已满");
        ok(d);
        setWriteFailureForTesting(std::nullopt);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind(c.message, 0), 0u) << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].text.find("磁盘已满"), std::string::npos);  // the reason
        EXPECT_EQ(ui.messages[0].icon, ui::Icon::Error);
        EXPECT_NE(d.result(), QDialog::Accepted);
        ASSERT_EQ(config.areas.size(), 2u);
        EXPECT_EQ(config.areas[1]->name, "Game厅");
    }
}

}  // namespace
