// The controls the pages share: the position editor, list matching, number boxes.
#include <QTest>

#include "pages/PageWidgets.h"
#include "pages_util.h"

using namespace pageui;

namespace {

TEST(PositionEditor, FillsFromTheStoredModes) {
    struct Case {
        bool withFollow;
        PositionPair pos;
        int xIndex;
        const char* xText;
        int yIndex;
        const char* yText;
    } cases[] = {
        {false, {1, "-10", 1, "10"}, 0, "-10", 0, "10"},
        {false, {2, "X", 2, "X"}, 1, "X", 1, "X"},
        {true, {3, "Z", 1, "-40"}, 2, "Z", 0, "-40"},
        {false, {3, "Z", 1, ""}, -1, "Z", 0, ""},      // no "自动跟随" entry: nothing selected
        {false, {0, "12", 0, "7"}, -1, "Z", -1, "Z"},  // left unselected by an earlier save
    };
    for (const Case& c : cases) {
        QWidget host;
        PositionEditor editor(&host, c.withFollow);
        editor.load(c.pos);
        EXPECT_EQ(editor.xMode->currentIndex(), c.xIndex) << c.pos.x;
        EXPECT_EQ(editor.xText->text(), QString(c.xText));
        EXPECT_EQ(editor.yMode->currentIndex(), c.yIndex) << c.pos.y;
        EXPECT_EQ(editor.yText->text(), QString(c.yText));
    }
}

TEST(PositionEditor, PickingAnEntryWritesTheLetter) {
    struct Case {
        int index;
        const char* expected;
    } cases[] = {{1, "X"}, {2, "Z"}, {0, "123"}};
    for (const Case& c : cases) {
        QWidget host;
        PositionEditor editor(&host, true);
        editor.load({1, "123", 1, "5"});
        editor.xMode->setCurrentIndex(c.index);
        emit editor.xMode->activated(c.index);
        EXPECT_EQ(editor.xText->text(), QString(c.expected)) << c.index;
        PositionPair saved;
        editor.save(saved);
        EXPECT_EQ(saved.xMode, c.index + 1);
        EXPECT_EQ(saved.x, c.expected);
    }
}

TEST(PositionEditor, SavesTheBoxTextAsTyped) {
    QWidget host;
    PositionEditor editor(&host, false);
    editor.load({3, "Z", 1, "8"});
    editor.yText->setText("abc");
    PositionPair saved;
    editor.save(saved);
    EXPECT_EQ(saved, (PositionPair{0, "Z", 1, "abc"}));
}

TEST(ListMatching, ExactNameBeforeLongerNames) {
    QComboBox list;
    list.addItems({"背景2", "背景", "标题蓝色", "默认风格"});
    struct Case {
        const char* text;
        bool secondFirst;
        int index;
    } cases[] = {
        {"背景", false, 1},                         // the exact name, not 背景2 listed before it
        {"标题", false, 2},                         // a prefix still finds a longer name
        {"默认风格", true, 3}, {"背景2", true, 0},  // the first entry is searched last
        {"", false, -1},                            // an empty name selects nothing
        {"缺少", false, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findEntry(&list, c.text, c.secondFirst), c.index) << c.text;
}

TEST(NumberBoxes, TakeOnlyDigitsFromTheKeyboardAndReadLikeAtoi) {
    QWidget host;
    QLineEdit* box = digitsBox(&host, "n");
    QTest::keyClicks(box, "3a-5 x");
    EXPECT_EQ(box->text(), "35");
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"", 0}, {"42abc", 42}, {"abc", 0}, {"-7", -7}, {" 12", 12}};
    for (const Case& c : cases) {
        box->setText(c.text);
        EXPECT_EQ(number(box), c.value) << c.text;
    }
}

}  // namespace
