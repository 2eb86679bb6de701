// Theme export and import as the two buttons run them: the file chosen, what the package
// carries, and what an import changes in the area, the templates and the program folder.

#include <algorithm>
#include <set>

#include "package/Zip.h"
#include "package_fixture.h"

using namespace package_test;

namespace {

std::set<std::string> entryNames(const std::string& package) {
    std::set<std::string> names;
    for (const auto& e : readZip(package)) names.insert(codec::fromCp936(e.rawName));
    return names;
}

std::string descriptorOf(const std::string& package) {
    for (const auto& e : readZip(package))
        if (e.rawName == theme::kDescriptorName) return codec::fromCp936(e.data);
    return {};
}

// An area that names no picture at all.
void bareArea(ArearConfig& a) {
    a.skin.randomWallpaper = true;
    a.decal.illustrationsShown = false;
    a.icon.backgroundEffectOn = false;
    a.nameColumn.titleBackground.clear();
    a.nameColumn.bodyBackground.clear();
    a.notice.titleBackground.clear();
    a.notice.bodyBackground.clear();
    a.notice.divider.clear();
    a.weather.weatherBackground.clear();
    a.weather.calendarBackground.clear();
}

class ThemeExport : public ::testing::Test {
protected:
    TempTree tree;
    Install install{tree.path("inst")};
    ProgramFolder program{install.root};
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};

    ThemeResult exportTo(const std::string& chosen, bool quiet = true) {
        scripted.files.push_back(chosen);
        return exportThemePackage(install.saveRequest(0), quiet);
    }
};

TEST_F(ThemeExport, ExtensionIsAppendedUnlessPresent) {
    bareArea(install.area());
    struct Case {
        std::string chosen;
        std::string written;
    };
    const Case cases[] = {
        {tree.path("out/无后缀"), tree.path("out/无后缀.k4p")},
        {tree.path("out/upper.K4P"), tree.path("out/upper.K4P.k4p")},
        {tree.path("out/ok.k4p"), tree.path("out/ok.k4p")},
    };
    for (const Case& c : cases) {
        ThemeResult r = exportTo(c.chosen);
        EXPECT_EQ(r.outcome, ThemeOutcome::Done) << r.message;
        EXPECT_EQ(r.packagePath, c.written);
        EXPECT_TRUE(exists(c.written)) << c.written;
    }
    EXPECT_TRUE(scripted.messages.empty()) << "quiet";
}

TEST_F(ThemeExport, AreaWithoutPicturesGivesOnlyTheDescriptor) {
    install.addDefaultPictures();
    // An empty weather background reads back as its default name: without those files
    // nothing is carried for them either.
    fs::remove(fsPath(install.file("数据/背景/天气背景.png")));
    fs::remove(fsPath(install.file("数据/背景/日历.png")));
    bareArea(install.area());
    ASSERT_EQ(exportTo(tree.path("a.k4p"), false).outcome, ThemeOutcome::Done);
    EXPECT_EQ(entryNames(tree.path("a.k4p")), std::set<std::string>{theme::kDescriptorName});
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text, theme::kExported);
    EXPECT_EQ(scripted.messages[0].caption, theme::kExportCaption);
    EXPECT_EQ(scripted.messages[0].icon, ui::Icon::Warning);

    const std::string ini = descriptorOf(tree.path("a.k4p"));
    for (const char* absent : {"[全局配置]", "[设分辨率_", "[其它功能_", "[桌面图标数据]", "[桌面同步目录]"})
        EXPECT_EQ(ini.find(absent), std::string::npos) << absent;
    for (const char* present : {"[分区配置]", "[Desk_默认区域]", "[天气模板个数]", "[公告模板个数]"})
        EXPECT_NE(ini.find(present), std::string::npos) << present;
    EXPECT_TRUE(snapshot(install.file(theme::kStagingFolder)).empty()) << "staging emptied";
}

TEST_F(ThemeExport, CarriesThePicturesTheAreaNames) {
    install.addDefaultPictures();
    write(tree.path("墙纸库/海边.jpg"), "sea");
    write(install.file("数据/图标效果/泡泡.png"), "bubble");
    ArearConfig& a = install.area();
    a.skin.randomWallpaper = false;
    a.skin.wallpaperFolder = tree.path("墙纸库");  // no trailing separator
    a.skin.fixedWallpaper = "海边.jpg";
    a.icon.backgroundEffectOn = true;
    a.icon.backgroundPicture = "泡泡.png";
    a.weather.calendarBackground = "缺少的图";  // a missing picture is simply not carried
    ASSERT_EQ(exportTo(tree.path("a.k4p")).outcome, ThemeOutcome::Done);
    const std::set<std::string> expected{
        theme::kDescriptorName, "壁纸/", "壁纸/海边.jpg", "数据/", "数据/插图/",
        "数据/插图/提示牌1.png", "数据/插图/提示牌2.png", "数据/图标效果/", "数据/图标效果/泡泡.png",
        "数据/背景/", "数据/背景/标题蓝色.png", "数据/背景/背景.png", "数据/背景/标题黄色.png",
        "数据/背景/分割线蓝色.png", "数据/背景/天气背景.png"};
    EXPECT_EQ(entryNames(tree.path("a.k4p")), expected);
}

TEST(PackagePictures, RowsOfTheTable) {
    TempTree tree;
    ProgramFolder program(tree.path("inst"));
    const std::string inst = paths::programFolder();
    struct Case {
        const char* what;
        std::function<void(ArearConfig&)> edit;
        std::vector<std::pair<std::string, std::string>> expected;  // source, entry
    };
    const Case cases[] = {
        {"illustrations: text before the first _, bad fields skipped",
         [](ArearConfig& a) {
             a.decal.illustrationContent = "提示牌1.png_-350_-230|提示牌2.png_-350_-130|坏的|_x_1|";
         },
         {{inst + "/数据/插图/提示牌1.png", "数据/插图/提示牌1.png"},
          {inst + "/数据/插图/提示牌2.png", "数据/插图/提示牌2.png"}}},
        {"illustrations off", [](ArearConfig& a) { a.decal.illustrationContent = "x.png_1_1"; a.decal.illustrationsShown = false; }, {}},
        {"random icon background names no file", [](ArearConfig& a) { a.icon.backgroundEffectOn = true; a.icon.backgroundPicture = "随机"; }, {}},
        {"default wallpaper folder",
         [](ArearConfig& a) { a.skin.randomWallpaper = false; a.skin.fixedWallpaper = "07.jpg"; },
         {{inst + "/壁纸/07.jpg", "壁纸/07.jpg"}}},
        {"given wallpaper folder with a trailing separator",
         [](ArearConfig& a) { a.skin.randomWallpaper = false; a.skin.wallpaperFolder = "D:\\墙纸\\"; a.skin.fixedWallpaper = "a.jpg"; },
         {{"D:\\墙纸\\a.jpg", "壁纸/a.jpg"}}},
        {"a background value names a png",
         [](ArearConfig& a) { a.nameColumn.titleBackground = "标题蓝色"; },
         {{inst + "/数据/背景/标题蓝色.png", "数据/背景/标题蓝色.png"}}},
        {"names that would leave the package are not carried",
         [](ArearConfig& a) {
             a.nameColumn.titleBackground = "..\\..\\desk";
             a.skin.randomWallpaper = false;
             a.skin.fixedWallpaper = "../../x.jpg";
             a.decal.illustrationContent = "../../y.png_1_1";
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ArearConfig area;
        bareArea(area);
        area.decal.illustrationsShown = true;
        area.decal.illustrationContent.clear();
        c.edit(area);
        std::vector<std::pair<std::string, std::string>> got;
        for (const auto& p : packagePictures(area)) got.emplace_back(p.source, p.entry);
        EXPECT_EQ(got, c.expected);
    }
}

TEST_F(ThemeExport, FailureSaysSoAndKeepsTheOlderFile) {
    write(tree.path("old.k4p"), "older package");
    write(install.file("Packet/残留.txt"), "left over");
    struct Case {
        const char* what;
        SaveRequest save;
    };
    const Case cases[] = {
        {"the save request fails", [](const std::string&) { return Status::failure("磁盘已满"); }},
        {"no save request", SaveRequest{}},
        {"nothing written", [](const std::string&) { return Status::success(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        scripted.messages.clear();
        scripted.files.push_back(tree.path("old.k4p"));
        ThemeResult r = exportThemePackage(c.save, false);
        EXPECT_EQ(r.outcome, ThemeOutcome::Failed);
        EXPECT_EQ(read(tree.path("old.k4p")), "older package");
        ASSERT_EQ(scripted.messages.size(), 1u);
        EXPECT_EQ(scripted.messages[0].text.rfind(theme::kExportFailed, 0), 0u) << scripted.messages[0].text;
        EXPECT_TRUE(snapshot(install.file(theme::kStagingFolder)).empty());
    }
    EXPECT_EQ(exportThemePackage(install.saveRequest(0), false).outcome, ThemeOutcome::Cancelled);
}

TEST_F(ThemeExport, RefusesToWriteIntoTheFolderItEmpties) {
    bareArea(install.area());
    for (const std::string& chosen : {install.file("Packet/a.k4p"), install.file("Packet/sub/b.k4p")}) {
        ThemeResult r = exportTo(chosen);
        EXPECT_EQ(r.outcome, ThemeOutcome::Failed) << chosen;
        EXPECT_NE(r.message.find("临时文件夹"), std::string::npos) << r.message;
    }
    write(install.file("PacketImport/x.k4p"), "a package left in the import folder");
    scripted.files.push_back(install.file("PacketImport/x.k4p"));
    EXPECT_EQ(importThemePackage(install.store, install.config, 0, {}).outcome, ThemeOutcome::Failed);
    EXPECT_EQ(read(install.file("PacketImport/x.k4p")), "a package left in the import folder");
}

// ------------------------------------------------------------------ import

class ThemeImport : public ::testing::Test {
protected:
    void SetUp() override {
        // The source café: a customised area, its pictures, a second notice template in use.
        {
            ProgramFolder program(source.root);
            source.addDefaultPictures();
            write(source.file("数据/背景/标题蓝色.png"), "source title");
            ArearConfig& a = source.area();
            a.nameColumn.priceListContent = "会员5元/时";
            a.notice.titleText = "〓导入的公告〓";
            a.icon.coordinateIndex = "ABCDEF012345";
            a.icon.syncFolder = "别处的同步目录";
            a.otherFunctions.shortcutName = "源网吧";
            auto second = std::make_unique<NoticeTemplate>();
            second->name = "第二个公告";
            second->guid = "00000000BEEF";
            second->lines = {"包夜10元|#FF0000|18"};
            source.store.noticeTemplates.push_back(std::move(second));
            a.notice.templateGuid = "00000000BEEF";
            ASSERT_TRUE(SaveEverything(source.store, source.config));
            scripted.files.push_back(tree.path("pkg/source.k4p"));
            ASSERT_EQ(exportThemePackage(source.saveRequest(0), true).outcome, ThemeOutcome::Done);
        }
        // The target café: two areas, an older picture and a notice template of that guid.
        target.config.areas.push_back(std::make_unique<ArearConfig>());
        target.area(1).name = "游戏区";
        target.area(1).startIp = "10.0.0.1";
        target.area(1).otherFunctions.shortcutName = "本店";
        auto clash = std::make_unique<NoticeTemplate>();
        clash->name = "本地同 guid";
        clash->guid = "00000000BEEF";
        target.store.noticeTemplates.push_back(std::move(clash));
        ASSERT_TRUE(SaveEverything(target.store, target.config));
        write(target.file("数据/背景/标题蓝色.png"), "target title");
    }

    ThemeResult runImport(const ImportHooks& hooks = {}) {
        scripted.files.push_back(tree.path("pkg/source.k4p"));
        return importThemePackage(target.store, target.config, 1, hooks);
    }

    TempTree tree;
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};
    Install source{tree.path("source")};
    Install target{tree.path("target")};
    ProgramFolder program{target.root};
};

TEST_F(ThemeImport, ReplacesTheLookAndKeepsTheAreasOwnSettings) {
    // The source area as its installation reads it back.
    ProfileStore sourceStore(source.file("desk.ini"));
    GlobalConfig sourceConfig;
    LoadGlobalConfig(sourceStore, sourceConfig);
    const ArearConfig& from = *sourceConfig.areas.at(0);
    int reloads = 0;
    std::vector<std::string> previews;
    ImportHooks hooks;
    hooks.reloadPages = [&] { ++reloads; };
    hooks.preview = [&](const std::string& name) { previews.push_back(name); };
    scripted.answers = {ui::Answer::No, ui::Answer::Yes};  // no export first; preview
    ThemeResult r = runImport(hooks);
    ASSERT_EQ(r.outcome, ThemeOutcome::Done) << r.message;

    const ArearConfig& to = target.area(1);
    EXPECT_EQ(to.name, "游戏区");
    EXPECT_EQ(to.startIp, "10.0.0.1");
    EXPECT_EQ(to.otherFunctions.shortcutName, "本店");
    EXPECT_EQ(to.skin, from.skin);
    EXPECT_EQ(to.nameColumn, from.nameColumn);
    EXPECT_EQ(to.notice, from.notice);
    EXPECT_EQ(to.weather, from.weather);
    EXPECT_EQ(to.slogan, from.slogan);
    EXPECT_EQ(to.decal, from.decal);
    EXPECT_EQ(to.icon, from.icon) << "the icon record comes along, index guid and sync folder too";
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(previews, std::vector<std::string>{"游戏区"});
    EXPECT_EQ(scripted.texts().back(), theme::kPreviewQuestion);

    EXPECT_EQ(read(target.file("数据/背景/标题蓝色.png")), "source title");
    EXPECT_EQ(read(target.file("数据/插图/提示牌2.png")), "sign2");
    EXPECT_FALSE(exists(target.file(theme::kImportFolder)));
    EXPECT_FALSE(exists(target.file(theme::kDescriptorName)));

    // What was saved is what a reload finds.
    ProfileStore again(target.file("desk.ini"));
    GlobalConfig reloaded;
    LoadGlobalConfig(again, reloaded);
    ASSERT_EQ(reloaded.areas.size(), 2u);
    EXPECT_EQ(reloaded.areas[1]->notice, from.notice);
    EXPECT_EQ(reloaded.areas[1]->otherFunctions.shortcutName, "本店");
}

TEST_F(ThemeImport, CarriesTheTemplateTheAreaUsesWithoutDuplicatingItsGuid) {
    ASSERT_EQ(runImport().outcome, ThemeOutcome::Done);
    int withGuid = 0;
    const NoticeTemplate* carried = nullptr;
    for (const auto& t : target.store.noticeTemplates)
        if (t->guid == "00000000BEEF") {
            ++withGuid;
            carried = t.get();
        }
    EXPECT_EQ(withGuid, 1);
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(carried->name, "第二个公告");
    EXPECT_EQ(target.area(1).notice.templateGuid, "00000000BEEF");
    const std::string weatherGuid = target.area(1).weather.templateGuid;
    EXPECT_TRUE(std::any_of(target.store.weatherTemplates.begin(), target.store.weatherTemplates.end(),
                            [&](const auto& t) { return t->guid == weatherGuid; }))
        << "the area refers to a template the store holds";
}

TEST_F(ThemeImport, OfferToSaveFirst) {
    struct Case {
        const char* what;
        std::optional<std::string> backupChoice;
        SaveRequest save;
        ThemeOutcome outcome;
        bool applied;
    };
    const Case cases[] = {
        {"backup written, then import", tree.path("backup/before"), target.saveRequest(1), ThemeOutcome::Done, true},
        {"backup cancelled, import goes on", std::nullopt, target.saveRequest(1), ThemeOutcome::Done, true},
        {"backup fails: stop", tree.path("backup/bad"), [](const std::string&) { return Status::failure("写不进去"); },
         ThemeOutcome::Failed, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        target.area(1).notice.titleText = "本店公告";
        ASSERT_TRUE(SaveEverything(target.store, target.config));
        const std::string deskBefore = read(target.file("desk.ini"));
        scripted.answers = {ui::Answer::Yes, ui::Answer::No};
        scripted.files.push_back(c.backupChoice);
        ImportHooks hooks;
        hooks.save = c.save;
        ThemeResult r = runImport(hooks);
        EXPECT_EQ(r.outcome, c.outcome) << r.message;
        EXPECT_EQ(target.area(1).notice.titleText, c.applied ? "〓导入的公告〓" : "本店公告");
        if (!c.applied) {
            EXPECT_EQ(read(target.file("desk.ini")), deskBefore);
            scripted.files.clear();  // the package chooser was never asked
        }
        if (c.backupChoice && c.applied) {
            EXPECT_NE(descriptorOf(*c.backupChoice + ".k4p").find("本店公告"), std::string::npos);
        }
    }
}

TEST_F(ThemeImport, CancelAtTheChooserChangesNothing) {
    const auto before = snapshot(target.root);
    scripted.files.push_back(std::nullopt);
    EXPECT_EQ(importThemePackage(target.store, target.config, 1, {}).outcome, ThemeOutcome::Cancelled);
    EXPECT_EQ(changedFiles(before, snapshot(target.root)), "");
    EXPECT_EQ(scripted.texts(), std::vector<std::string>{theme::kSaveFirstQuestion});
}

}  // namespace
