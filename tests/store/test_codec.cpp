#include <gtest/gtest.h>

#include "store/Codec.h"

namespace {

struct CodecCase {
    const char* utf8;
    std::string gbk;
};

TEST(Codec, ConvertsBothWaysWithTheWindowsTable) {
    const CodecCase cases[] = {
        {"desk", "desk"},
        {"中文", "\xD6\xD0\xCE\xC4"},
        {"乚", std::string("\x81\x5D")},  // second byte looks like ']'
        {"丄", std::string("\x81\x41")},  // second byte looks like 'A'
        {"€", "\x80"},                    // only the 2000 table maps 0x80
        {"开|<1.1.1.1-1.1.1.9>甲", "\xBF\xAA|<1.1.1.1-1.1.1.9>\xBC\xD7"},
        {"", ""},
    };
    for (const auto& c : cases) {
        auto bytes = codec::toCp936(c.utf8);
        ASSERT_TRUE(bytes.has_value()) << c.utf8;
        EXPECT_EQ(*bytes, c.gbk) << c.utf8;
        EXPECT_EQ(codec::fromCp936(c.gbk), c.utf8);
    }
}

TEST(Codec, RefusesCharactersWithoutACp936Form) {
    const char* cases[] = {"😀", "网吧😀", "𠀀", "\xF0\x9F"};  // the last is broken UTF-8
    for (const char* text : cases) {
        std::string error;
        EXPECT_FALSE(codec::toCp936(text, &error).has_value()) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_FALSE(codec::representable(text));
    }
    std::string error;
    codec::toCp936("网吧😀", &error);
    EXPECT_NE(error.find("U+1F600"), std::string::npos) << error;
}

TEST(Codec, BytesThatAreNotCp936SurviveARoundTrip) {
    const std::string cases[] = {"\xFF", "a\x81", "\x81\x7F", "ok\xFE\xFFok"};
    for (const auto& bytes : cases) {
        std::string text = codec::fromCp936(bytes);
        auto back = codec::toCp936(text);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, bytes);
    }
}

TEST(Codec, CountsCp936Bytes) {
    EXPECT_EQ(codec::cp936Length("abc"), 3u);
    EXPECT_EQ(codec::cp936Length("网吧ab"), 6u);
}

}  // namespace

namespace {

std::string utf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

// Large files go through conversion tables; they must agree with ICU on every character.
TEST(Codec, TablePathAgreesWithIcuOnEveryCharacter) {
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp < 0xE000) continue;
        const std::string text = "a" + utf8Of(cp) + "b";
        std::string e1, e2;
        auto viaTable = codec::detail::toCp936Table(text, &e1);
        auto viaIcu = codec::detail::toCp936Icu(text, &e2);
        ASSERT_EQ(viaTable, viaIcu) << std::hex << static_cast<unsigned>(cp);
        ASSERT_EQ(e1, e2);
    }
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const std::string bytes{'x', static_cast<char>(lead), static_cast<char>(trail), 'y'};
            ASSERT_EQ(codec::detail::fromCp936Table(bytes), codec::detail::fromCp936Icu(bytes))
                << std::hex << lead << " " << trail;
        }
    }
    for (const char* odd : {"\xF0\x9F\x98\x80", "\xC3", "\xE4\xB8", "\xED\xA0\x80"}) {
        std::string e1, e2;
        EXPECT_EQ(codec::detail::toCp936Table(odd, &e1), codec::detail::toCp936Icu(odd, &e2));
        EXPECT_EQ(e1, e2);
    }
}

TEST(Codec, LargeTextsRoundTrip) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "[名称配置_区域" + std::to_string(i) + "]\r\n显示坐标=-10|10€\r\n";
    ASSERT_GE(text.size(), 64u * 1024);
    auto bytes = codec::toCp936(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, *codec::detail::toCp936Icu(text, nullptr));
    EXPECT_EQ(codec::fromCp936(*bytes), text);
    std::string error;
    EXPECT_FALSE(codec::toCp936(text + "😀", &error).has_value());
    EXPECT_NE(error.find("U+1F600"), std::string::npos);
}

}  // namespace
