// Desktop-sync folders: a fresh copy of the (fixture) desktop under 数据/同步桌面, and
// names that must never reach outside that folder.

#include "desktop/DesktopSync.h"
#include "folder_fixture.h"
#include "platform/DesktopFolder.h"

using namespace folder_test;

namespace {

class SyncFolders : public ::testing::Test {
protected:
    void SetUp() override {
        write(tree.path("desktop/快捷方式.lnk"), "lnk");
        write(tree.path("desktop/游戏/说明.txt"), "txt");
        fs::create_directories(fsPath(tree.path("inst/数据/同步桌面")));
        platform::setDesktopFolderForTesting(tree.path("desktop"));
    }
    void TearDown() override { platform::setDesktopFolderForTesting(std::nullopt); }

    TempTree tree;
    ProgramFolder program{tree.path("inst")};
};

TEST_F(SyncFolders, ResetReplacesTheWholeContents) {
    write(tree.path("inst/数据/同步桌面/网吧/旧文件.txt"), "old");
    std::size_t uncopied = 99;
    ASSERT_TRUE(makeSyncFolder("网吧", &uncopied));
    EXPECT_EQ(uncopied, 0u);
    EXPECT_FALSE(exists(tree.path("inst/数据/同步桌面/网吧/旧文件.txt")));
    EXPECT_EQ(read(tree.path("inst/数据/同步桌面/网吧/快捷方式.lnk")), "lnk");
    EXPECT_EQ(read(tree.path("inst/数据/同步桌面/网吧/游戏/说明.txt")), "txt");
}

TEST_F(SyncFolders, MissingDataFolderIsCreated) {
    fs::remove_all(fsPath(tree.path("inst/数据")));
    ASSERT_TRUE(makeSyncFolder("新的"));
    EXPECT_EQ(read(tree.path("inst/数据/同步桌面/新的/快捷方式.lnk")), "lnk");
}

TEST_F(SyncFolders, NoDesktopLeavesTheOldCopyAlone) {
    write(tree.path("inst/数据/同步桌面/网吧/旧文件.txt"), "old");
    for (const char* desktop : {"", "/nonexistent/桌面"}) {
        platform::setDesktopFolderForTesting(std::string(desktop));
        Status st = makeSyncFolder("网吧");
        EXPECT_FALSE(st) << desktop;
        EXPECT_FALSE(st.message.empty());
        EXPECT_EQ(read(tree.path("inst/数据/同步桌面/网吧/旧文件.txt")), "old");
    }
}

TEST_F(SyncFolders, UnsafeNamesTouchNothing) {
    write(tree.path("inst/数据/同步桌面/网吧/a.txt"), "a");
    write(tree.path("inst/数据/keep.txt"), "keep");
    write(tree.path("inst/desk.ini"), "ini");
    const auto before = snapshot(tree.path());
    for (const char* name : {"", ".", "..", "../..", "../数据", "a/b", "a\\b", "C:x", "x\ty"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(makeSyncFolder(name));
        std::vector<std::string> list{name, "网吧"};
        deleteSyncFolder(name, list);
        EXPECT_EQ(list, std::vector<std::string>{"网吧"}) << "the list entry still goes";
        EXPECT_EQ(changedFiles(before, snapshot(tree.path())), "");
    }
}

TEST_F(SyncFolders, DeleteRemovesFolderAndEveryEqualEntry) {
    ASSERT_TRUE(makeSyncFolder("网吧"));
    std::vector<std::string> list{"a", "网吧", "b", "网吧", "网吧x"};
    deleteSyncFolder("网吧", list);
    EXPECT_FALSE(exists(tree.path("inst/数据/同步桌面/网吧")));
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "网吧x"}));
    EXPECT_EQ(read(tree.path("desktop/快捷方式.lnk")), "lnk") << "the desktop itself is untouched";
}

}  // namespace
