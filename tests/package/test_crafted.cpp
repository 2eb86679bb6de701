// Crafted packages against the import: each either fails with a message and leaves desk.ini,
// the model and every picture exactly as they were, or succeeds with every file it wrote
// inside the program folder (and only in the picture folders).

#include "package_fixture.h"
#include "store/FileIo.h"

using namespace package_test;

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class CraftedPackages : public ::testing::Test {
protected:
    void SetUp() override {
        target.addDefaultPictures();
        // A descriptor an earlier import left behind must never be applied.
        write(target.file(theme::kDescriptorName),
              makeDescriptor(tree.path("stale"), [](Install& s) { s.area().notice.titleText = "陈旧"; }));
        descriptor = makeDescriptor(tree.path("scratch"),
                                    [](Install& s) { s.area().notice.titleText = "〓包里的公告〓"; });
        text = codec::fromCp936(descriptor);
    }

    std::string package(const std::vector<RawEntry>& entries) {
        const std::string path = tree.path("pkg/p" + std::to_string(++made) + ".k4p");
        writeZip(path, entries);
        return path;
    }
    std::string bytesPackage(const std::string& bytes) {
        const std::string path = tree.path("pkg/b" + std::to_string(++made) + ".k4p");
        write(path, bytes);
        return path;
    }
    RawEntry descriptorEntry(const std::string& utf8Text) {
        return {theme::kDescriptorName, gbk(utf8Text), 0};
    }
    RawEntry goodDescriptor() { return {theme::kDescriptorName, descriptor, 0}; }

    ThemeResult runImport(const std::string& path) {
        scripted.files.push_back(path);
        scripted.answers = {ui::Answer::No, ui::Answer::No};
        return importThemePackage(target.store, target.config, 0, {});
    }

    TempTree tree;
    Install target{tree.path("inst")};
    ProgramFolder program{target.root};
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};
    std::string descriptor, text;
    int made = 0;
};

TEST_F(CraftedPackages, RefusedPackagesChangeNothing) {
    const std::string good = read(package({goodDescriptor(), {gbk("数据/背景/标题蓝色.png"), "new title"}}));
    std::string badCrc = read(package({goodDescriptor(), {gbk("数据/背景/标题蓝色.png"), "new title", 0}}));
    badCrc[badCrc.find("new title")] = 'N';
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"not a zip", bytesPackage("这不是压缩包")},
        {"empty file", bytesPackage("")},
        {"empty archive", package({})},
        {"truncated", bytesPackage(good.substr(0, good.size() - 30))},
        {"bad CRC", bytesPackage(badCrc)},
        {"huge declared sizes", bytesPackage(withDeclaredSize(good, 0x7FFFFFFFu))},
        {"no descriptor", package({{gbk("数据/背景/标题蓝色.png"), "new title"}})},
        {"descriptor in a folder only", package({{gbk("子目录/k4rtPacket.ini"), descriptor}})},
        {"no area", package({descriptorEntry(replaced(text, "[分区配置]", "[别的配置]")),
                             {gbk("数据/背景/标题蓝色.png"), "new title"}})},
        {"no weather template", package({descriptorEntry(replaced(text, "[天气模板个数]", "[x]"))})},
        {"no notice template", package({descriptorEntry(replaced(text, "[公告模板个数]", "[x]"))})},
        {"entry cannot be written", package({goodDescriptor(), {gbk("数据"), "a file"},
                                             {gbk("数据/背景/标题蓝色.png"), "new title"}})},
        {"entry without a usable name", package({goodDescriptor(), {"..", "x"}})},
    };
    const auto before = snapshot(target.root);
    const ArearConfig areaBefore = [&] {
        ArearConfig copy;
        CopyFromReference(copy, target.area());
        return copy;
    }();
    const std::size_t notices = target.store.noticeTemplates.size();
    const std::size_t weathers = target.store.weatherTemplates.size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        scripted.messages.clear();
        ThemeResult r = runImport(c.path);
        EXPECT_EQ(r.outcome, ThemeOutcome::Failed);
        ASSERT_FALSE(scripted.messages.empty());
        EXPECT_EQ(scripted.messages.back().text.rfind(theme::kImportFailed, 0), 0u);
        EXPECT_NE(scripted.messages.back().text.find(r.message), std::string::npos);
        EXPECT_EQ(changedFiles(before, snapshot(target.root)), "") << "desk.ini and every picture unchanged";
        EXPECT_EQ(target.area().notice, areaBefore.notice);
        EXPECT_EQ(target.area().skin, areaBefore.skin);
        EXPECT_EQ(target.store.noticeTemplates.size(), notices);
        EXPECT_EQ(target.store.weatherTemplates.size(), weathers);
    }
}

TEST_F(CraftedPackages, PlacementOrSaveFailureRollsThePicturesBack) {
    fs::create_directories(fsPath(target.file("数据/背景/占用.png")));  // a folder in the way
    const std::string blocked = package({goodDescriptor(),
                                         {gbk("数据/背景/标题蓝色.png"), "new title"},
                                         {gbk("数据/背景/背景.png"), "new body"},
                                         {gbk("数据/背景/占用.png"), "x"},
                                         {gbk("数据/新目录/x.png"), "x"},
                                         {gbk("壁纸/新.jpg"), "new wallpaper"}});
    const std::string fine = package({goodDescriptor(), {gbk("数据/背景/标题蓝色.png"), "new title"},
                                      {gbk("壁纸/新.jpg"), "new wallpaper"}});
    const auto before = snapshot(target.root);

    EXPECT_EQ(runImport(blocked).outcome, ThemeOutcome::Failed);
    EXPECT_EQ(changedFiles(before, snapshot(target.root)), "");

    setWriteFailureForTesting("磁盘已满");
    ThemeResult r = runImport(fine);
    setWriteFailureForTesting(std::nullopt);
    EXPECT_EQ(r.outcome, ThemeOutcome::Failed);
    EXPECT_NE(r.message.find("磁盘已满"), std::string::npos) << r.message;
    EXPECT_EQ(changedFiles(before, snapshot(target.root)), "") << "desk.ini, pictures, no new 壁纸 file";
    EXPECT_NE(target.area().notice.titleText, "〓包里的公告〓");
}

TEST_F(CraftedPackages, AcceptedPackagesWriteOnlyPicturesInside) {
    struct Case {
        const char* what;
        std::vector<RawEntry> entries;
        std::string picture;   // relative to the program folder
        std::string expected;  // its content afterwards
    };
    const Case cases[] = {
        {"zip-slip names",
         {goodDescriptor(),
          {"../../evil.png", "e1"},
          {"..\\..\\evil.png", "e2"},
          {"/tmp/evil.png", "e3"},
          {"C:\\evil.png", "e4"},
          {gbk("数据/背景/../../../../evil.png"), "e5"},
          {gbk("..\\数据\\背景\\标题蓝色.png"), "slipped title"}},  // cut to its file name
         "数据/背景/标题蓝色.png", "png:标题蓝色"},
        {"duplicated entries: the last one wins",
         {goodDescriptor(), {gbk("数据/背景/背景.png"), "first"}, {gbk("数据/背景/背景.png"), "second"}},
         "数据/背景/背景.png", "second"},
        {"files outside the picture folders are not installed",
         {goodDescriptor(), {"desk.ini", "[全局配置]\r\n网吧名称=黑客\r\n"}, {"desk.dll", "MZ"},
          {gbk("数据/插图/提示牌1.png"), "sign"}},
         "数据/插图/提示牌1.png", "sign"},
        {"UTF-8 flagged names", {goodDescriptor(), {"壁纸/海边.jpg", "sea", Z_DEFLATED, 1u << 11}},
         "壁纸/海边.jpg", "sea"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto outsideBefore = snapshot(tree.path());
        ThemeResult r = runImport(package(c.entries));
        ASSERT_EQ(r.outcome, ThemeOutcome::Done) << r.message;
        EXPECT_EQ(read(target.file(c.picture)), c.expected);
        EXPECT_EQ(target.area().notice.titleText, "〓包里的公告〓");
        for (const auto& [rel, bytes] : snapshot(tree.path())) {
            if (outsideBefore.count(rel)) continue;
            const bool inPictures = rel.rfind("inst/数据/", 0) == 0 || rel.rfind("inst/壁纸", 0) == 0;
            EXPECT_TRUE(inPictures || rel.rfind("pkg", 0) == 0) << "new file " << rel;
            EXPECT_EQ(rel.find("evil"), std::string::npos) << rel;
        }
        EXPECT_EQ(read(target.file("desk.ini")).find(gbk("黑客")), std::string::npos);
        EXPECT_FALSE(exists(target.file("desk.dll")));
    }
}

}  // namespace
