#include <gtest/gtest.h>

#include <functional>

#include "spine_util.h"
#include "store/ProfileStore.h"

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string ini = dir.file("desk.ini");
    ProfileStore store{ini};
    void TearDown() override { setWriteFailureForTesting(std::nullopt); }
};

TEST_F(ProfileStoreTest, ReadTextGivesTheDefaultOnlyWhenTheKeyIsAbsent) {
    writeGbk(ini, "[全局配置]\r\n主页地址=\r\n默认字体=宋体\r\n");
    EXPECT_EQ(store.ReadText("全局配置", "主页地址", "默认"), "");
    EXPECT_EQ(store.ReadText("全局配置", "天气城市", "北京市"), "北京市");
    EXPECT_EQ(store.ReadText("全局配置", "默认字体", "x"), "宋体");
    ProfileStore missing(dir.file("none.ini"));
    EXPECT_EQ(missing.ReadText("a", "b", "dflt"), "dflt");
}

TEST_F(ProfileStoreTest, NumbersFollowAtoiAndTheWindowsIntegerRead) {
    struct Case {
        const char* value;  // nullptr: key absent
        int number;         // ReadNumber with default "0"
        int integer;        // ReadInt with default 7
    };
    const Case cases[] = {
        {"12abc", 12, 12},   {"abc", 0, 0},      {"-5", -5, -5},       {"  +8", 8, 8},
        {"", 0, 7},          {nullptr, 0, 7},    {"0x1F", 0, 31},      {"0b101", 0, 5},
        {"0o17", 0, 15},     {"0X1F", 0, 0},     {"2147483648", 2147483647, -2147483647 - 1},
        {"-", 0, 0},         {"3.9", 3, 3},
    };
    for (const auto& c : cases) {
        if (c.value)
            writeGbk(ini, std::string("[s]\r\nk=") + c.value + "\r\n");
        else
            writeGbk(ini, "[s]\r\n");
        const char* shown = c.value ? c.value : "(absent)";
        EXPECT_EQ(store.ReadNumber("s", "k", "0"), c.number) << shown;
        EXPECT_EQ(store.ReadInt("s", "k", 7), c.integer) << shown;
    }
}

TEST_F(ProfileStoreTest, WritesCreateFileAndSectionAndReadBackWhole) {
    std::string longValue;
    for (int i = 0; i < 400; ++i) longValue += "网";
    ASSERT_TRUE(store.WriteText("壁纸配置_甲", "指定目录", longValue));
    ASSERT_TRUE(store.WriteNumber("Desk_甲", "风格宽度", -12));
    EXPECT_EQ(store.ReadText("壁纸配置_甲", "指定目录", ""), longValue);
    EXPECT_EQ(store.ReadNumber("Desk_甲", "风格宽度"), -12);
    auto bytes = codec::toCp936("[壁纸配置_甲]\r\n指定目录=" + longValue +
                                "\r\n[Desk_甲]\r\n风格宽度=-12\r\n");
    EXPECT_EQ(readBytes(ini), *bytes);
}

TEST_F(ProfileStoreTest, RetargetAndRestoreReturnToTheFirstFile) {
    writeGbk(ini, "[a]\r\nk=desk\r\n");
    std::string other = dir.file("k4rtPacket.ini");
    store.Retarget(other);
    ASSERT_TRUE(store.WriteText("a", "k", "package"));
    store.Restore();
    EXPECT_EQ(store.ReadText("a", "k", ""), "desk");
    EXPECT_EQ(readGbk(other), "[a]\r\nk=package\r\n");
}

TEST_F(ProfileStoreTest, ABatchReadsOnceAndWritesOnce) {
    writeGbk(ini, "[a]\r\nk=1\r\n");
    auto before = atomicWriteCount();
    {
        ProfileStore::Batch batch(store);
        for (int i = 0; i < 50; ++i) store.WriteNumber("b", "k" + std::to_string(i), i);
        EXPECT_EQ(store.ReadText("b", "k49", ""), "49");
        EXPECT_EQ(readGbk(ini), "[a]\r\nk=1\r\n");  // nothing on disk before the commit
        ASSERT_TRUE(batch.commit());
    }
    EXPECT_EQ(atomicWriteCount(), before + 1);
    EXPECT_EQ(store.ReadText("b", "k49", ""), "49");

    // Unchanged values write nothing at all.
    before = atomicWriteCount();
    {
        ProfileStore::Batch batch(store);
        store.WriteText("a", "k", "1");
        ASSERT_TRUE(batch.commit());
    }
    EXPECT_EQ(atomicWriteCount(), before);
}

TEST_F(ProfileStoreTest, ABatchThatIsNotCommittedWritesNothing) {
    writeGbk(ini, "[a]\r\nk=1\r\n");
    {
        ProfileStore::Batch batch(store);
        store.ClearFile();
        store.WriteText("a", "k", "2");
    }
    EXPECT_EQ(readGbk(ini), "[a]\r\nk=1\r\n");
}

TEST_F(ProfileStoreTest, FailedWritesLeaveTheFileByteForByte) {
    const std::string original = "[a]\r\nk=\xBE\xC9\r\n";  // 旧
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::function<Status()> act;
    };
    const Case cases[] = {
        {"disk full", [] { setWriteFailureForTesting("磁盘已满"); },
         [&] { return store.WriteText("a", "k", "新"); }},
        {"character without cp936 form", [] {},
         [&] { return store.WriteText("a", "k", "新😀"); }},
        {"full save in a batch", [] { setWriteFailureForTesting("磁盘已满"); },
         [&] {
             ProfileStore::Batch batch(store);
             store.ClearFile();
             store.WriteText("a", "k", "新");
             return batch.commit();
         }},
    };
    for (const auto& c : cases) {
        writeBytes(ini, original);
        c.arrange();
        Status st = c.act();
        setWriteFailureForTesting(std::nullopt);
        EXPECT_FALSE(st.ok) << c.name;
        EXPECT_FALSE(st.message.empty()) << c.name;
        EXPECT_EQ(readBytes(ini), original) << c.name;
        EXPECT_EQ(store.ReadText("a", "k", ""), "旧") << c.name;
    }
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ProfileStoreTest, ATargetThatIsAFolderOrInAMissingFolderFails) {
    std::filesystem::create_directories(fsPath(dir.file("folder.ini")));
    ProfileStore onFolder(dir.file("folder.ini"));
    EXPECT_FALSE(onFolder.WriteText("a", "k", "v").ok);
    ProfileStore nowhere(dir.file("missing/desk.ini"));
    EXPECT_FALSE(nowhere.WriteText("a", "k", "v").ok);
    EXPECT_EQ(nowhere.ReadText("a", "k", "d"), "d");
}

}  // namespace
