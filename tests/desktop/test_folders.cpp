// Folder and file utilities: listing the data folders, emptying, removing and copying
// trees, and the file choosers as the pages use them.

#include <algorithm>
#include <chrono>

#include "desktop/FolderUtils.h"
#include "folder_fixture.h"
#include "platform/UserInteraction.h"

using namespace folder_test;

namespace {

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(ListDataFolder, TakesNamesByModeAndPrefix) {
    struct Case {
        const char* what;
        std::vector<std::string> files;    // created as files
        std::vector<std::string> folders;  // created as folders
        const char* folder;
        const char* prefix;
        ListMode mode;
        std::vector<std::string> expected;  // in any order: the directory decides
    };
    const Case cases[] = {
        {"titles only", {"标题蓝色.png", "标题黄色.png", "背景.png", "readme"}, {},
         "数据/背景", "标题", ListMode::Files, {"标题蓝色", "标题黄色"}},
        {"weather styles", {"说明.txt"}, {"风格1", "风格2"}, "数据/天气", "",
         ListMode::Folders, {"风格1", "风格2"}},
        {"cut at the first dot, duplicates kept, empty names skipped",
         {"a.b.png", "x.png", "x.jpg", ".hidden"}, {}, "数据/背景", "", ListMode::Files,
         {"a", "x", "x"}},
        {"folders with a dot are not folders here", {}, {"v1.0", "风格"}, "数据/天气", "",
         ListMode::Folders, {"风格"}},
        {"prefix is case-sensitive", {"Title.png", "title2.png"}, {}, "数据/背景", "title",
         ListMode::Files, {"title2"}},
        {"backslash in the folder name", {"日历.png", "天气背景.png"}, {}, "数据\\背景", "日历",
         ListMode::Files, {"日历"}},
        {"missing folder offers nothing", {}, {}, "数据/没有", "", ListMode::Files, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree tree;
        ProgramFolder program(tree.path("inst"));
        std::string base = c.folder;
        std::replace(base.begin(), base.end(), '\\', '/');
        for (const auto& f : c.files) write(tree.path("inst/" + base + "/" + f), "x");
        for (const auto& d : c.folders) fs::create_directories(fsPath(tree.path("inst/" + base + "/" + d)));
        std::vector<std::string> names;
        EXPECT_TRUE(listDataFolder(c.folder, c.prefix, c.mode, names));
        EXPECT_EQ(sorted(names), sorted(c.expected));
    }
}

TEST(ListDataFolder, EmptyFolderNameGivesFalse) {
    std::vector<std::string> names{"kept"};
    EXPECT_FALSE(listDataFolder("", "", ListMode::Files, names));
    EXPECT_EQ(names, std::vector<std::string>{"kept"});
}

TEST(FolderTests, ExistsAndCreate) {
    TempTree tree;
    write(tree.path("file"), "x");
    fs::create_directories(fsPath(tree.path("dir")));
    struct Case {
        std::string path;
        bool exists;
    };
    const Case cases[] = {
        {tree.path("dir"), true},   {tree.path("dir") + "/", false}, {tree.path("dir") + "\\", false},
        {tree.path("file"), false}, {tree.path("none"), false},      {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(folderExists(c.path), c.exists) << c.path;

    EXPECT_TRUE(createFolder(tree.path("新建")));
    EXPECT_FALSE(createFolder(tree.path("新建"))) << "an existing folder is not created again";
    EXPECT_FALSE(createFolder(tree.path("缺少/下一级"))) << "one level only";
    EXPECT_FALSE(folderExists(tree.path("缺少")));
}

TEST(FolderTrees, ReadOnlyFileSurvivesEmptyButNotRemove) {
    TempTree tree;
    const std::string top = tree.path("top");
    write(top + "/a.txt", "a");
    write(top + "/sub/ro.txt", "ro");
    write(top + "/sub/deeper/b.txt", "b");
    makeReadOnly(top + "/sub/ro.txt");

    EXPECT_TRUE(emptyFolder(top));
    EXPECT_TRUE(exists(top));
    EXPECT_FALSE(exists(top + "/a.txt"));
    EXPECT_FALSE(exists(top + "/sub/deeper"));
    EXPECT_EQ(read(top + "/sub/ro.txt"), "ro") << "emptying leaves read-only files and their folder";

    removeFolderTree(top);
    EXPECT_FALSE(exists(top));
    EXPECT_FALSE(emptyFolder(tree.path("missing")));
}

TEST(FolderTrees, RemoveNeverFollowsLinks) {
    TempTree tree;
    write(tree.path("outside/keep.txt"), "keep");
    write(tree.path("top/x.txt"), "x");
    fs::create_directory_symlink(fsPath(tree.path("outside")), fsPath(tree.path("top/link")));
    removeFolderTree(tree.path("top"));
    EXPECT_FALSE(exists(tree.path("top")));
    EXPECT_EQ(read(tree.path("outside/keep.txt")), "keep");
}

TEST(FolderTrees, CopyReplacesSameNamesAndKeepsOthers) {
    TempTree tree;
    write(tree.path("src/a.txt"), "new a");
    write(tree.path("src/子目录/b.txt"), "new b");
    fs::create_directories(fsPath(tree.path("src/空目录")));
    write(tree.path("dst/a.txt"), "old a");
    write(tree.path("dst/other.txt"), "other");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(fsPath(tree.path("src/a.txt")), old);

    EXPECT_EQ(copyFolderTree(tree.path("src"), tree.path("dst")), 0u);
    EXPECT_EQ(read(tree.path("dst/a.txt")), "new a");
    EXPECT_EQ(read(tree.path("dst/子目录/b.txt")), "new b");
    EXPECT_EQ(read(tree.path("dst/other.txt")), "other");
    EXPECT_TRUE(folderExists(tree.path("dst/空目录")));
    EXPECT_EQ(fs::last_write_time(fsPath(tree.path("dst/a.txt"))), old) << "times are kept";
}

TEST(FolderTrees, CopyIntoItsOwnSubfolderDoesNotCopyTheCopy) {
    // The desktop holds the program folder, whose sync folder receives the desktop.
    TempTree tree;
    write(tree.path("desk/a.txt"), "a");
    const std::string target = tree.path("desk/inst/数据/同步桌面/s");
    fs::create_directories(fsPath(target));
    copyFolderTree(tree.path("desk"), target);
    EXPECT_EQ(read(target + "/a.txt"), "a");
    EXPECT_TRUE(folderExists(target + "/inst/数据/同步桌面"));
    EXPECT_FALSE(exists(target + "/inst/数据/同步桌面/s"));
}

TEST(FileChoosers, AnswersAndCancel) {
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope(scripted);
    const std::vector<FileFilter> png{{"png文件(*.png)", "*.*"}};
    struct Case {
        std::optional<std::string> answer;
        bool fullPath;
        bool ok;
        std::string chosen;
    };
    const Case cases[] = {
        {"C:\\x\\a.png", false, true, "a.png"},
        {"C:\\x\\a.png", true, true, "C:\\x\\a.png"},
        {"/home/u/图片/b.png", false, true, "b.png"},
        {std::nullopt, true, false, "untouched"},
    };
    for (const Case& c : cases) {
        scripted.files.push_back(c.answer);
        std::string chosen = "untouched";
        EXPECT_EQ(chooseOpenFile(png, "/x", c.fullPath, chosen), c.ok);
        EXPECT_EQ(chosen, c.chosen);
    }
    scripted.files.push_back("/themes/mine");
    std::string saved;
    EXPECT_TRUE(chooseSaveFile({{"k4p文件(*.k4p)", "*.k4p"}}, "/themes", saved));
    EXPECT_EQ(saved, "/themes/mine") << "no extension is added by the chooser";
}

}  // namespace
