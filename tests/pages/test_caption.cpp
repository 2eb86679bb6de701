// The name prompt: what it starts with, and what reaches the caller on confirm and cancel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "pages/CDlgCaption.h"

namespace {

// Runs fn on the prompt as soon as its modal loop is running.
void whenPromptOpens(std::function<void(CDlgCaption*)> fn) {
    QTimer::singleShot(0, [fn] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<CDlgCaption*>(w); dlg && dlg->isVisible()) {
                fn(dlg);
                return;
            }
        ADD_FAILURE() << "the prompt did not open";
    });
}

TEST(NamePrompt, ConfirmAndCancel) {
    enum class Close { OkButton, EnterKey, CancelButton, EscapeKey };
    struct Case {
        const char* name;
        std::string initial;
        const char* typed;  // nullptr: leave the box as it opened
        Close close;
        int result;
        std::string text;
    } cases[] = {
        {"empty confirmed", "", "", Close::OkButton, 1, ""},
        {"proposed name taken with Enter", "网吧2", nullptr, Close::EnterKey, 1, "网吧2"},
        {"spaces kept", "", "  新模板 ", Close::OkButton, 1, "  新模板 "},
        {"cancel keeps the caller's text", "网吧1", "别的名字", Close::CancelButton, 2, "网吧1"},
        {"escape cancels", "网吧1", "别的名字", Close::EscapeKey, 2, "网吧1"},
    };
    for (const Case& c : cases) {
        std::string text = c.initial;
        QString shownCaption, shownLabel, shownText;
        whenPromptOpens([&](CDlgCaption* dlg) {
            auto* box = dlg->findChild<QLineEdit*>("nameEdit");
            shownCaption = dlg->windowTitle();
            shownLabel = dlg->findChild<QLabel*>("label")->text();
            shownText = box->text();
            if (c.typed) {
                box->selectAll();
                box->del();
                box->insert(QString::fromStdString(c.typed));  // keyClicks takes ASCII only
            }
            switch (c.close) {
                case Close::OkButton:
                    dlg->findChild<QPushButton*>("okButton")->click();
                    break;
                case Close::EnterKey:
                    QTest::keyClick(box, Qt::Key_Return);
                    break;
                case Close::CancelButton:
                    dlg->findChild<QPushButton*>("cancelButton")->click();
                    break;
                case Close::EscapeKey:
                    QTest::keyClick(box, Qt::Key_Escape);
                    break;
            }
        });
        const int result = promptForName(nullptr, "新建同步目录", "请输入新的同步目录名称：", text);
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(shownCaption, "新建同步目录") << c.name;
        EXPECT_EQ(shownLabel, "请输入新的同步目录名称：") << c.name;
        EXPECT_EQ(shownText, QString::fromStdString(c.initial)) << c.name;
    }
}

TEST(NamePrompt, InterfaceFormTakesTheLabelFromTheCaption) {
    struct Case {
        std::string caption, label;
    } cases[] = {
        {"新建天气模板", "请输入新的天气模板名称："}, {"新建公告模板", "请输入新的公告模板名称："},
        {"新建坐标索引", "请输入新的坐标索引名称："}, {"新建同步目录", "请输入新的同步目录名称："},
        {"Dialog", "请输入坐标索引名称："},
    };
    for (const Case& c : cases) EXPECT_EQ(promptLabelFor(c.caption), c.label) << c.caption;

    QString label;
    whenPromptOpens([&](CDlgCaption* dlg) {
        label = dlg->findChild<QLabel*>("label")->text();
        dlg->findChild<QPushButton*>("cancelButton")->click();
    });
    EXPECT_EQ(promptForName(nullptr, "新建坐标索引", "网吧"), std::nullopt);
    EXPECT_EQ(label, "请输入新的坐标索引名称：");
}

}  // namespace
