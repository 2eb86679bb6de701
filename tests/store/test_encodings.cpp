#include <gtest/gtest.h>

#include "store/Encodings.h"

namespace {

TEST(Encodings, SplitFieldsCountsEmptyFields) {
    struct Case {
        const char* text;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"", {""}},
        {"a", {"a"}},
        {"a|b", {"a", "b"}},
        {"a|", {"a", ""}},
        {"|", {"", ""}},
        {"a||b", {"a", "", "b"}},
        {"|a|", {"", "a", ""}},
        {"开|网吧|#FFFFFF|20|影|B", {"开", "网吧", "#FFFFFF", "20", "影", "B"}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitFields(c.text), c.fields) << c.text;
}

TEST(Encodings, PositionPairDecoding) {
    struct Case {
        const char* value;
        bool accepted;
        PositionPair expected;
    };
    const PositionPair before{1, "-10", 1, "10"};
    const Case cases[] = {
        {"0|0", true, {1, "0", 1, "0"}},
        {"X|Z", true, {2, "X", 3, "Z"}},
        {"X12|-5", true, {2, "X", 1, "-5"}},
        {"Zoo|Xylo", true, {3, "Z", 2, "X"}},
        {"|", true, {1, "", 1, ""}},
        {"abc|x", true, {1, "abc", 1, "x"}},  // lower-case x is a coordinate text
        {"5", false, before},
        {"1|2|3", false, before},
        {"", false, before},
    };
    for (const auto& c : cases) {
        PositionPair p = before;
        EXPECT_EQ(decodePosition(c.value, p), c.accepted) << c.value;
        EXPECT_EQ(p, c.expected) << c.value;
    }
    EXPECT_EQ(encodePosition({2, "X", 1, "-30"}), "X|-30");
}

TEST(Encodings, FlagsInComposedValuesAndWholeValueSwitches) {
    struct Case {
        const char* value;
        bool field;   // as the switch field of a composed value
        bool whole;   // as the whole value of a switch key
        bool strict;  // keys that are on only when exactly "开"
    };
    const Case cases[] = {
        {"开", true, true, true},       {"-开", false, false, false},
        {"-开启", false, true, false},  {"", true, true, false},
        {"开启", true, true, false},    {"off", true, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeFieldFlag(c.value, words::kOff), c.field) << c.value;
        EXPECT_EQ(decodeSwitch(c.value), c.whole) << c.value;
        EXPECT_EQ(decodeStrictSwitch(c.value), c.strict) << c.value;
    }
    EXPECT_EQ(flagWord(false, words::kItalic), "-斜");
    EXPECT_EQ(flagWord(true, words::kBold), "B");
}

TEST(Encodings, ComposedFormsRoundTripAndRejectWrongFieldCounts) {
    StyledLabel6 label{false, "机号:$seat", "#FF0000", 20, true, false};
    const std::string text = encodeStyledLabel6(label);
    EXPECT_EQ(text, "-开|机号:$seat|#FF0000|20|影|-B");
    StyledLabel6 back;
    ASSERT_TRUE(decodeStyledLabel6(text, back));
    EXPECT_EQ(back, label);

    // A content holding "|" makes seven fields: the whole value is ignored.
    StyledLabel6 kept = label;
    EXPECT_FALSE(decodeStyledLabel6("开|a|b|#000000|12|影|B", kept));
    EXPECT_EQ(kept, label);

    StyledLabel5 five;
    ASSERT_TRUE(decodeStyledLabel5("|#00ff00|abc|-影x|-B", five));
    EXPECT_TRUE(five.shown);
    EXPECT_EQ(five.colour, "#00ff00");
    EXPECT_EQ(five.size, 0);
    EXPECT_FALSE(five.effect);
    EXPECT_FALSE(five.bold);
    EXPECT_EQ(encodeStyledLabel5({true, "#FFFFFF", 18, false, true}), "开|#FFFFFF|18|-影|B");

    StyleTriple triple;
    ASSERT_TRUE(decodeStyleTriple("#FFFFFF|14px|-影", triple));
    EXPECT_EQ(triple, (StyleTriple{"#FFFFFF", 14, false}));
    EXPECT_FALSE(decodeStyleTriple("#FFFFFF|14", triple));

    SloganLabel slogan;
    ASSERT_TRUE(decodeSloganLabel("欢迎光临|#FFFF00|25|影|-斜", slogan));
    EXPECT_EQ(slogan, (SloganLabel{"欢迎光临", "#FFFF00", 25, true, false}));
    EXPECT_EQ(encodeSloganLabel(slogan), "欢迎光临|#FFFF00|25|影|-斜");

    SwitchText shortcut;
    ASSERT_TRUE(decodeSwitchText("-开|我的电脑", shortcut));
    EXPECT_EQ(shortcut, (SwitchText{false, "我的电脑"}));
    EXPECT_FALSE(decodeSwitchText("开", shortcut));
}

TEST(Encodings, ComposedValuesAreWrittenWhole) {
    StyledLabel6 label;
    label.content = std::string(600, 'a');
    label.colour = "#FFFFFF";
    EXPECT_EQ(encodeStyledLabel6(label).size(), 600u + 20u);
}

TEST(Encodings, Colours) {
    struct Case {
        const char* text;
        std::optional<std::uint32_t> rgb;
    };
    const Case cases[] = {
        {"#FF0000", 0x0000FF},  {"#ff0000", 0x0000FF}, {"#00FF00", 0x00FF00},
        {"#0000FF", 0xFF0000},  {"#123456", 0x563412}, {"#FFFFFF", 0xFFFFFF},
        {"#FFFFFF00", 0xFFFFFF}, {"", std::nullopt},    {"FF0000", std::nullopt},
        {"#FF00", std::nullopt}, {"#GG0000", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseColour(c.text), c.rgb) << c.text;
    EXPECT_EQ(formatColour(0x0000FF), "#FF0000");
    EXPECT_EQ(formatColour(0x563412), "#123456");
    EXPECT_EQ(formatColour(*parseColour("#abcdef")), "#ABCDEF");
}

TEST(Encodings, AreaNamesThatTheListCannotHold) {
    for (const char* bad : {"a|b", "<a", "a>", "|"})
        EXPECT_TRUE(areaNameProblem(bad).has_value()) << bad;
    for (const char* good : {"游戏区", "", "VIP-1", "a b"})
        EXPECT_FALSE(areaNameProblem(good).has_value()) << good;
}

}  // namespace
