#include <gtest/gtest.h>

#include "store/IniDocument.h"
#include "store/ProfileStore.h"

namespace {

struct LookupCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    const char* expected;  // nullptr: absent
};

TEST(IniDocument, LooksUpValuesWithTheProfileRules) {
    const LookupCase cases[] = {
        {"plain", "[a]\r\nk=v\r\n", "a", "k", "v"},
        {"section case", "[Desk_Game]\r\nk=v\r\n", "desk_GAME", "k", "v"},
        {"key case", "[a]\r\nGuid=v\r\n", "a", "guid", "v"},
        {"chinese exact", "[名称配置_甲]\r\n网吧名称=x\r\n", "名称配置_甲", "网吧名称", "x"},
        {"blanks trimmed", "  [a]  \r\n  k  =  v w  \r\n", "a", "k", "v w"},
        {"double quotes", "[a]\r\nk=\"v\"\r\n", "a", "k", "v"},
        {"single quotes", "[a]\r\nk='v'\r\n", "a", "k", "v"},
        {"unmatched quotes kept", "[a]\r\nk=\"v'\r\n", "a", "k", "\"v'"},
        {"lone quote kept", "[a]\r\nk=\"\r\n", "a", "k", "\""},
        {"equals in value", "[a]\r\nk=1=2\r\n", "a", "k", "1=2"},
        {"semicolon not special", "[a]\r\nk=v;c\r\n;x=1\r\n", "a", ";x", "1"},
        {"present empty", "[a]\r\nk=\r\n", "a", "k", ""},
        {"missing key", "[a]\r\nk=v\r\n", "a", "x", nullptr},
        {"missing section", "[a]\r\nk=v\r\n", "b", "k", nullptr},
        {"first key wins", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
        {"first section wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "a", "j", nullptr},
        {"last bracket ends name", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
        {"key before any section ignored", "k=v\r\n[a]\r\n", "a", "k", nullptr},
        {"line without equals", "[a]\r\njunk\r\nk=v\r\n", "a", "junk", nullptr},
        {"LF line ends", "[a]\nk=v\nj=w\n", "a", "j", "w"},
        {"CR line ends", "[a]\rk=v\rj=w\r", "a", "j", "w"},
        {"no final line end", "[a]\r\nk=v", "a", "k", "v"},
        {"bracket without close is a line", "[a]\r\n[b\r\nk=v\r\n", "a", "k", "v"},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::parse(c.text);
        auto v = doc.value(c.section, c.key);
        if (c.expected == nullptr) {
            EXPECT_FALSE(v.has_value()) << c.name;
        } else {
            ASSERT_TRUE(v.has_value()) << c.name;
            EXPECT_EQ(*v, c.expected) << c.name;
        }
    }
}

TEST(IniDocument, DoubleByteCharactersAreNotMistakenForAscii) {
    // 乚 = 81 5D (']'), 丄 = 81 41 ('A'), 乗 = 81 5C ('\')
    IniDocument doc = ProfileStore::decode("[\x81\x5D\x81\x41]\r\nk\x81\x5C=v\x81\x5D\r\n");
    auto v = doc.value("乚丄", "k乗");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, "v乚");
    // 丄 is not "a": its second byte must not fold as a Latin letter.
    EXPECT_FALSE(doc.value("乚a", "k乗").has_value());
}

TEST(IniDocument, PartialWriteKeepsEveryUntouchedLine) {
    const std::string original =
        "; written by hand\r\n"
        "[全局配置]\r\n"
        "天气城市 = 上海市\r\n"
        "a note without equals\r\n"
        "网吧名称=旧名字\r\n"
        "\r\n"
        "[other]\r\n"
        "Key = 'quoted'\r\n";
    IniDocument doc = IniDocument::parse(original);
    EXPECT_TRUE(doc.setValue("全局配置", "网吧名称", "新名字"));
    EXPECT_EQ(doc.serialize(),
              "; written by hand\r\n"
              "[全局配置]\r\n"
              "天气城市 = 上海市\r\n"
              "a note without equals\r\n"
              "网吧名称=新名字\r\n"
              "\r\n"
              "[other]\r\n"
              "Key = 'quoted'\r\n");
}

TEST(IniDocument, NewKeysJoinTheirSectionAndNewSectionsGoLast) {
    IniDocument doc = IniDocument::parse("[a]\r\nk=1\r\n\r\n[b]\r\nx=2\r\n");
    EXPECT_TRUE(doc.setValue("A", "j", "3"));
    EXPECT_TRUE(doc.setValue("c", "y", "4"));
    EXPECT_EQ(doc.serialize(), "[a]\r\nk=1\r\nj=3\r\n\r\n[b]\r\nx=2\r\n[c]\r\ny=4\r\n");
}

TEST(IniDocument, WritingTheSameValueChangesNothing) {
    IniDocument doc = IniDocument::parse("[a]\r\nk = v\r\n");
    EXPECT_FALSE(doc.setValue("a", "K", "v"));
    EXPECT_EQ(doc.serialize(), "[a]\r\nk = v\r\n");
    EXPECT_TRUE(doc.setValue("a", "k", "w"));
}

TEST(IniDocument, RemovingAKeyUncoversNoDuplicate) {
    IniDocument doc = IniDocument::parse("[a]\r\nk=1\r\nk=2\r\nj=3\r\n");
    EXPECT_TRUE(doc.removeKey("a", "K"));
    // The second k was never visible; after the removal the next one is found, as the
    // profile functions would find it.
    EXPECT_EQ(doc.value("a", "k").value_or("-"), "2");
    EXPECT_FALSE(doc.removeKey("a", "missing"));
}

TEST(IniDocument, ValuesHaveNoLengthLimit) {
    std::string longValue(100000, 'x');
    IniDocument doc;
    doc.setValue("a", "k", longValue);
    EXPECT_EQ(IniDocument::parse(doc.serialize()).value("a", "k").value_or(""), longValue);
}

}  // namespace

namespace {

TEST(IniDocument, LargeSectionsKeepFirstMatchAndOrder) {
    // Sections with many keys are looked up through an index; the rules must not change.
    std::string text = "[big]\r\n";
    for (int i = 0; i < 120; ++i) text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    text += "K7=second\r\n";
    IniDocument doc = IniDocument::parse(text);
    EXPECT_EQ(doc.value("BIG", "k7").value_or(""), "7");
    EXPECT_EQ(doc.value("big", "K119").value_or(""), "119");
    EXPECT_TRUE(doc.removeKey("big", "k7"));
    EXPECT_EQ(doc.value("big", "k7").value_or(""), "second");
    EXPECT_TRUE(doc.setValue("big", "new", "n"));
    EXPECT_EQ(doc.value("big", "NEW").value_or(""), "n");
    EXPECT_EQ(doc.entries("big").back().first, "new");
}

}  // namespace
