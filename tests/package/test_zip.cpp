// The archive layer: what zipFolder writes (names, methods, order), what unzipToFolder
// accepts, where each entry lands, and the bounds on what it writes.

#include <set>

#include "desktop/FolderUtils.h"
#include "package/Zip.h"
#include "package_fixture.h"

using namespace package_test;

namespace {

TEST(ZipFolder, NamesInCp936MethodsAndOrder) {
    TempTree tree;
    const std::string src = tree.path("src");
    write(src + "/k4rtPacket.ini", "[a]\r\n");
    write(src + "/数据/背景/标题蓝色.png", std::string(5000, 'b'));
    write(src + "/壁纸/07.JPG.gz", std::string(3000, 'g'));
    write(src + "/壁纸/x.TGZ", std::string(3000, 't'));
    write(src + "/壁纸/😀.png", "emoji");
    fs::create_directories(fsPath(src + "/空"));
    ASSERT_TRUE(zipFolder(src, tree.path("out/sub/a.k4p"))) << "missing folders of the archive are made";

    std::map<std::string, ZipEntry> byName;
    std::vector<std::string> order;
    for (auto& e : readZip(tree.path("out/sub/a.k4p"))) {
        order.push_back(e.rawName);
        byName[e.rawName] = e;
    }
    struct Expect {
        std::string rawName;
        unsigned long method;
        bool utf8Flag;
    };
    const Expect expected[] = {
        {"k4rtPacket.ini", Z_DEFLATED, false},
        {gbk("数据/"), 0, false},
        {gbk("数据/背景/"), 0, false},
        {gbk("数据/背景/标题蓝色.png"), Z_DEFLATED, false},
        {gbk("壁纸/"), 0, false},
        {gbk("壁纸/07.JPG.gz"), 0, false},
        {gbk("壁纸/x.TGZ"), 0, false},
        {"壁纸/\xF0\x9F\x98\x80.png", Z_DEFLATED, true},  // no cp936 form: all UTF-8
        {gbk("空/"), 0, false},
    };
    EXPECT_EQ(byName.size(), std::size(expected));
    for (const Expect& x : expected) {
        auto it = byName.find(x.rawName);
        ASSERT_NE(it, byName.end()) << codec::fromCp936(x.rawName);
        EXPECT_EQ(it->second.method, x.method) << codec::fromCp936(x.rawName);
        EXPECT_EQ((it->second.flag & (1u << 11)) != 0, x.utf8Flag) << codec::fromCp936(x.rawName);
    }
    EXPECT_EQ(byName[gbk("数据/背景/标题蓝色.png")].data, std::string(5000, 'b'));
    auto pos = [&](const std::string& n) { return std::find(order.begin(), order.end(), n) - order.begin(); };
    EXPECT_LT(pos(gbk("数据/")), pos(gbk("数据/背景/")));
    EXPECT_LT(pos(gbk("数据/背景/")), pos(gbk("数据/背景/标题蓝色.png")));
}

TEST(ZipFolder, RoundTripKeepsBytesNamesAndTimes) {
    TempTree tree;
    const std::string src = tree.path("src");
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary += static_cast<char>((i * 7919) % 251);
    write(src + "/数据/插图/提示牌1.png", binary);
    write(src + "/壁纸/😀.png", "emoji");
    write(src + "/empty.txt", "");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
    fs::last_write_time(fsPath(src + "/数据/插图/提示牌1.png"), when);
    ASSERT_TRUE(zipFolder(src, tree.path("a.k4p")));
    ASSERT_TRUE(unzipToFolder(tree.path("a.k4p"), tree.path("dst")));
    EXPECT_EQ(snapshot(tree.path("dst")), snapshot(src));
    auto got = fs::last_write_time(fsPath(tree.path("dst/数据/插图/提示牌1.png")));
    EXPECT_LE(std::chrono::abs(got - when), std::chrono::seconds(2)) << "ZIP keeps 2-second times";
}

TEST(ZipFolder, FailureLeavesNoPartialArchive) {
    TempTree tree;
    write(tree.path("old.k4p"), "older package");
    write(tree.path("afile"), "x");
    struct Case {
        const char* what;
        std::string folder;
        std::string archive;
    };
    const Case cases[] = {
        {"missing folder", tree.path("none"), tree.path("old.k4p")},
        {"empty folder path", "", tree.path("old.k4p")},
        {"archive below a file", tree.path(), tree.path("afile/x.k4p")},
        {"archive path is a folder", tree.path(), tree.path()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = snapshot(tree.path());
        EXPECT_FALSE(zipFolder(c.folder, c.archive));
        EXPECT_EQ(changedFiles(before, snapshot(tree.path())), "");
    }
}

TEST(ZipFolder, ArchiveInsideTheFolderIsNotPackedIntoItself) {
    TempTree tree;
    write(tree.path("src/a.txt"), "a");
    ASSERT_TRUE(zipFolder(tree.path("src"), tree.path("src/self.k4p")));
    ASSERT_TRUE(zipFolder(tree.path("src"), tree.path("src/self.k4p")));
    std::set<std::string> names;
    for (auto& e : readZip(tree.path("src/self.k4p"))) names.insert(e.rawName);
    EXPECT_EQ(names, (std::set<std::string>{"a.txt", "self.k4p"}))
        << "the earlier archive is content; the one being written is not";
}

TEST(SafeEntryName, StaysInsideTheTarget) {
    struct Case {
        std::string name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"数据/背景/a.png", "数据/背景/a.png"},
        {"数据\\背景\\a.png", "数据/背景/a.png"},
        {"..\\..\\x.png", "x.png"},
        {"../x.png", "x.png"},
        {"../../../../etc/x.png", "etc/x.png"},  // parent steps after a separator are dropped
        {"数据/背景/../../../x.png", "x.png"},
        {"a/../b.png", "b.png"},
        {"/etc/passwd", "etc/passwd"},
        {"\\\\server\\share\\x.png", "server/share/x.png"},
        {"C:\\Windows\\x.dll", "Windows/x.dll"},
        {"C:x.png", "x.png"},
        {"数据/C:x.png", "x.png"},
        {"./a/./b//c.png", "a/b/c.png"},
        {"数据/", "数据"},
        {"..", std::nullopt},
        {"../", std::nullopt},
        {"a/..", std::nullopt},
        {"", std::nullopt},
        {"/", std::nullopt},
        {"a\x01" "b.png", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(safeEntryName(c.name), c.expected) << c.name;
}

TEST(UnzipToFolder, DecodesNamesByTheirFlag) {
    TempTree tree;
    writeZip(tree.path("a.zip"), {
                                     {gbk("数据/背景/标题蓝色.png"), "gbk"},
                                     {"数据/插图/提示牌.png", "utf8", Z_DEFLATED, 1u << 11},
                                     {gbk("壁纸\\07.jpg"), "backslash"},
                                     {gbk("数据/天气/风格1/"), ""},
                                 });
    ASSERT_TRUE(unzipToFolder(tree.path("a.zip"), tree.path("dst")));
    EXPECT_EQ(read(tree.path("dst/数据/背景/标题蓝色.png")), "gbk");
    EXPECT_EQ(read(tree.path("dst/数据/插图/提示牌.png")), "utf8");
    EXPECT_EQ(read(tree.path("dst/壁纸/07.jpg")), "backslash");
    EXPECT_TRUE(folderExists(tree.path("dst/数据/天气/风格1")));
}

TEST(UnzipToFolder, GbkSecondByteBackslashIsNotASeparator) {
    // 乗 (0x81 0x5C in cp936) carries a "\" byte; only decoded separators split a name.
    const std::string name = "\x81\x5C.png";
    TempTree tree;
    writeZip(tree.path("a.zip"), {{name, "x"}});
    ASSERT_TRUE(unzipToFolder(tree.path("a.zip"), tree.path("dst")));
    EXPECT_EQ(read(tree.path("dst/" + codec::fromCp936(name))), "x");
}

TEST(UnzipToFolder, RefusesBeforeWritingAnything) {
    TempTree tree;
    std::string good;
    {
        writeZip(tree.path("good.zip"), {{"a.png", std::string(1000, 'a')}, {"b.png", "b"}, {"c.png", "c"}});
        good = read(tree.path("good.zip"));
    }
    struct Case {
        const char* what;
        std::string bytes;
        UnzipLimits limits;
    };
    const Case cases[] = {
        {"too many entries", good, {1ull << 30, 2}},
        {"declared total over the bound", good, {999, 10000}},
        {"declared size huge", withDeclaredSize(good, 0xFFFFFFF0u), {}},
        {"not a zip", "just text, not an archive", {}},
        {"truncated", good.substr(0, good.size() / 2), {}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(tree.path("x.zip"), c.bytes);
        fs::remove_all(fsPath(tree.path("dst")));
        Status st = unzipToFolder(tree.path("x.zip"), tree.path("dst"), c.limits);
        EXPECT_FALSE(st);
        EXPECT_FALSE(st.message.empty());
        EXPECT_TRUE(snapshot(tree.path("dst")).empty());
    }
    EXPECT_FALSE(unzipToFolder(tree.path("missing.zip"), tree.path("dst")));
}

TEST(UnzipToFolder, BadDataFailsAndRemovesThePartialFile) {
    TempTree tree;
    std::string payload(4000, 'p');
    writeZip(tree.path("s.zip"), {{"ok.png", "ok"}, {"stored.png", payload, 0}});
    const std::string good = read(tree.path("s.zip"));
    std::string badCrc = good;
    badCrc[badCrc.find(payload) + 100] = 'Q';
    // A deflated bomb whose headers claim 10 bytes.
    writeZip(tree.path("z.zip"), {{"bomb.png", std::string(200000, '\0')}});
    const std::string lying = withDeclaredSize(read(tree.path("z.zip")), 10);
    struct Case {
        const char* what;
        std::string bytes;
        const char* partial;
    };
    const Case cases[] = {
        {"bad CRC", badCrc, "stored.png"},
        {"more data than declared", lying, "bomb.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(tree.path("x.zip"), c.bytes);
        fs::remove_all(fsPath(tree.path("dst")));
        EXPECT_FALSE(unzipToFolder(tree.path("x.zip"), tree.path("dst")));
        EXPECT_FALSE(exists(tree.path("dst/") + c.partial));
    }
}

TEST(UnzipToFolder, EscapingNamesLandInside) {
    TempTree tree;
    writeZip(tree.path("a.zip"), {
                                     {"../../evil1.png", "1"},
                                     {"..\\..\\evil2.png", "2"},
                                     {"/tmp/evil3.png", "3"},
                                     {"C:\\evil4.png", "4"},
                                     {"a/../../../evil5.png", "5"},
                                     {"../", ""},
                                 });
    ASSERT_TRUE(unzipToFolder(tree.path("a.zip"), tree.path("box/dst")));
    EXPECT_EQ(read(tree.path("box/dst/evil1.png")), "1");
    EXPECT_EQ(read(tree.path("box/dst/evil2.png")), "2");
    EXPECT_EQ(read(tree.path("box/dst/tmp/evil3.png")), "3");
    EXPECT_EQ(read(tree.path("box/dst/evil4.png")), "4");
    EXPECT_EQ(read(tree.path("box/dst/evil5.png")), "5");
    auto all = snapshot(tree.path());
    for (const auto& [rel, bytes] : all)
        EXPECT_TRUE(rel == "a.zip" || rel.rfind("box", 0) == 0) << rel;
    EXPECT_EQ(snapshot(tree.path("box")).size(), 7u) << "dst, tmp and five files";
}

}  // namespace
