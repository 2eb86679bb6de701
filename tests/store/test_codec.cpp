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
