// The icon functions page: the suggested name, presets and enabling, the coordinate index
// commands against a fake desktop capture and a scripted area save, and the desktop-sync
// folders made from a fixture desktop.

#include <QPushButton>
#include <filesystem>

#include "desktop/DesktopSync.h"
#include "desktop/IconCapture.h"
#include "pages/CTuBiaoDlg.h"
#include "pages/pages_util.h"
#include "platform/DesktopFolder.h"
#include "store/TemplateStore.h"

namespace {

class FakeCapture : public capture::IconCapture {
  public:
    capture::Result result{
        capture::Outcome::Captured, {{"我的电脑", 22, 2}, {"回收站", 22, 77}}, "fake"};
    int calls = 0;
    capture::Result capture() override {
        ++calls;
        return result;
    }
};

TEST(IconPageNames, SuggestedName) {
    struct Case {
        std::vector<std::string> taken;
        std::string expected;
    } cases[] = {
        {{}, "网吧"},
        {{"网吧"}, "网吧1"},
        {{"网吧1", "网吧"}, "网吧2"},  // a later match sends the walk back to the top
        {{"网吧", "网吧2", "网吧1"}, "网吧3"},
        {{"网吧1"}, "网吧"},
    };
    for (const Case& c : cases) EXPECT_EQ(CTuBiaoDlg::suggestName("网吧", c.taken), c.expected);
}

class IconPage : public PageFixture {
  protected:
    void SetUp() override {
        PageFixture::SetUp();
        addIndex("B00000000002", "网吧");
        addIndex("D00000000004", "网吧1");
        record.coordinateIndex = "D00000000004";
        record.arrangementOn = true;
        record.syncOn = true;
        page.attachSection(record, nullptr, "网吧");
        page.setSaveRequest([this] {
            page.savePage();  // the area window saves every page first
            savedIndexRefs.push_back(record.coordinateIndex);
            return saveSucceeds;
        });
        platform::setDesktopFolderForTesting(std::string(TAVRIN_FIXTURES) + "/capture/Desktop");
    }
    void TearDown() override {
        platform::setDesktopFolderForTesting(std::nullopt);
        PageFixture::TearDown();
    }
    void addIndex(const std::string& guid, const std::string& name) {
        auto index = newCoordinateIndex();
        index->guid = guid;
        index->name = name;
        index->placements.push_back(
            std::make_unique<IconPlacement>(IconPlacement{"旧图标", "1|1"}));
        store().coordinateIndices[guid] = std::move(index);
    }
    QComboBox* indices() { return find<QComboBox>(&page, "coordinateIndex"); }
    QComboBox* syncList() { return find<QComboBox>(&page, "syncFolder"); }
    std::vector<std::string> items(QComboBox* list) {
        std::vector<std::string> out;
        for (int i = 0; i < list->count(); ++i) out.push_back(list->itemText(i).toStdString());
        return out;
    }

    IconSection record;
    CTuBiaoDlg page;
    FakeCapture fake;
    capture::ScopedCapture scopedCapture{fake};
    bool saveSucceeds = true;
    std::vector<std::string> savedIndexRefs;
};

TEST_F(IconPage, FillAndSaveKeepWhatTheListsCannotShow) {
    record.arrangementCount = 0;
    record.coordinateIndex = "FFFFFFFFFFFF";
    page.loadPage();
    EXPECT_EQ(find<QComboBox>(&page, "arrangementCount")->currentIndex(), -1);
    EXPECT_EQ(indices()->currentIndex(), -1);
    EXPECT_EQ(items(indices()), (std::vector<std::string>{"网吧", "网吧1"}));  // guid order
    page.savePage();
    EXPECT_EQ(record.arrangementCount, 0);
    EXPECT_EQ(record.coordinateIndex, "FFFFFFFFFFFF");

    record.arrangementCount = 3;
    record.coordinateIndex = "B00000000002";
    page.loadPage();
    EXPECT_EQ(find<QComboBox>(&page, "arrangementCount")->currentText(), "3");
    EXPECT_EQ(indices()->currentText(), "网吧");
}

TEST_F(IconPage, PresetsAndRandomPicture) {
    record.backgroundSize = "80*80*0*0";
    record.backgroundPicture = "花边.png";
    page.loadPage();
    auto* size = find<QLineEdit>(&page, "backgroundSize");
    auto* presets = find<QComboBox>(&page, "sizePreset");
    struct Case {
        int item;
        const char* size;
    } cases[] = {{3, "76*86*0*-4"}, {5, "108*150*0*-4"}, {1, "76*76*-20*-6"}, {0, "80*80*0*0"}};
    for (const Case& c : cases) {
        size->setText("1*2*3*4");  // typed, then replaced by the preset
        pick(presets, c.item);
        EXPECT_EQ(size->text().toStdString(), c.size) << c.item;
    }

    auto* picture = find<QLineEdit>(&page, "backgroundPicture");
    EXPECT_TRUE(picture->isEnabled());
    find<QPushButton>(&page, "randomPicture")->click();
    EXPECT_EQ(picture->text(), "随机");
    EXPECT_TRUE(picture->isEnabled());  // until the next effect-rule run
    click(find<QCheckBox>(&page, "backgroundEffect"));
    click(find<QCheckBox>(&page, "backgroundEffect"));
    EXPECT_FALSE(picture->isEnabled());

    script.files = {std::string(paths::inProgram("数据/图标效果/蓝框.png"))};
    find<QPushButton>(&page, "choosePicture")->click();
    EXPECT_EQ(picture->text(), "蓝框.png");
    EXPECT_TRUE(picture->isEnabled());
}

TEST_F(IconPage, EnablingRules) {
    record.backgroundEffectOn = false;
    record.sideBarOn = false;
    record.arrangementOn = false;
    record.syncOn = false;
    page.loadPage();
    struct Group {
        const char* box;
        std::vector<const char*> controls;
    } groups[] = {
        {"backgroundEffect", {"randomPicture", "choosePicture", "backgroundSize", "sizePreset"}},
        {"sideBar", {"sideBarWidth"}},
        {"arrangement",
         {"newIndex", "rebuildIndex", "deleteIndex", "coordinateIndex", "arrangementCount"}},
        {"sync",
         {"compareAndClean", "syncFolder", "newSyncFolder", "resetSyncFolder", "deleteSyncFolder"}},
    };
    for (const Group& g : groups) {
        for (const char* c : g.controls) EXPECT_FALSE(find<QWidget>(&page, c)->isEnabled()) << c;
        click(find<QCheckBox>(&page, g.box));
        for (const char* c : g.controls) EXPECT_TRUE(find<QWidget>(&page, c)->isEnabled()) << c;
    }
}

TEST_F(IconPage, NewCoordinateIndexCapturesAndKeepsTheAreasChoice) {
    page.loadPage();
    script.names = {std::nullopt, std::string("网吧1"), std::string("二楼")};
    auto* button = find<QPushButton>(&page, "newIndex");

    button->click();  // cancelled
    button->click();  // taken
    EXPECT_EQ(fake.calls, 0);
    EXPECT_EQ(script.texts(), std::vector<std::string>{"该名称已存在,换个试试吧~"});

    button->click();
    ASSERT_EQ(script.namePrompts.size(), 3u);
    EXPECT_EQ(script.namePrompts[0], "新建坐标索引");
    ASSERT_EQ(store().coordinateIndices.size(), 3u);
    const CoordinateIndex* added = nullptr;
    for (const auto& [guid, index] : store().coordinateIndices)
        if (index->name == "二楼") added = index.get();
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(added->placements.size(), 2u);
    EXPECT_EQ(added->placements[1]->label, "回收站");
    EXPECT_EQ(added->placements[1]->position, "22|77");
    // Saved once; the area still names the index that was selected, wherever the new one sorts.
    EXPECT_EQ(savedIndexRefs, std::vector<std::string>{"D00000000004"});
    EXPECT_EQ(indices()->currentText(), "网吧1");
    EXPECT_TRUE(find<QCheckBox>(&page, "arrangement")->isChecked());
    EXPECT_TRUE(find<QWidget>(&page, "deleteIndex")->isEnabled());
}

TEST_F(IconPage, NewCoordinateIndexOnADesktopWithoutPositions) {
    page.loadPage();
    fake.result = {capture::Outcome::NotRecorded, {}, ""};
    script.names = {std::string("二楼")};
    find<QPushButton>(&page, "newIndex")->click();
    EXPECT_EQ(store().coordinateIndices.size(), 2u);  // no empty index made
    EXPECT_TRUE(savedIndexRefs.empty());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_NE(script.messages[0].text.find(capture::kNotRecordedMessage), std::string::npos);
}

TEST_F(IconPage, NewCoordinateIndexWhoseSaveFailsIsTakenBack) {
    page.loadPage();
    saveSucceeds = false;
    script.names = {std::string("二楼")};
    find<QPushButton>(&page, "newIndex")->click();
    EXPECT_EQ(store().coordinateIndices.size(), 2u);
    EXPECT_EQ(items(indices()), (std::vector<std::string>{"网吧", "网吧1"}));
}

TEST_F(IconPage, RebuildCoordinateIndex) {
    page.loadPage();
    const auto& placements = store().coordinateIndices.at("D00000000004")->placements;
    auto* button = find<QPushButton>(&page, "rebuildIndex");

    script.answers = {ui::Answer::No};
    button->click();
    EXPECT_EQ(fake.calls, 0);

    fake.result.outcome = capture::Outcome::NotRecorded;
    script.answers = {ui::Answer::Yes};
    button->click();
    ASSERT_EQ(placements.size(), 1u);  // kept, not emptied
    EXPECT_EQ(placements[0]->label, "旧图标");

    fake.result.outcome = capture::Outcome::Captured;
    saveSucceeds = false;
    script.answers = {ui::Answer::Yes};
    button->click();
    ASSERT_EQ(placements.size(), 1u);  // the failed save put the old capture back

    saveSucceeds = true;
    script.answers = {ui::Answer::Yes};
    button->click();
    ASSERT_EQ(placements.size(), 2u);
    EXPECT_EQ(placements[0]->label, "我的电脑");
    EXPECT_EQ(script.texts().back(), "重建坐标索引操作成功！");
    EXPECT_EQ(script.messages.back().icon, ui::Icon::Warning);
    EXPECT_EQ(script.messages[0].text, "您的桌面图标位置都放好了吗?");
}

TEST_F(IconPage, DeleteCoordinateIndex) {
    page.loadPage();
    auto* button = find<QPushButton>(&page, "deleteIndex");

    saveSucceeds = false;
    button->click();
    EXPECT_EQ(store().coordinateIndices.size(), 2u);  // put back after the failed save
    EXPECT_EQ(script.texts().back(), "删除坐标索引操作失败！");

    saveSucceeds = true;
    indices()->setCurrentIndex(1);
    button->click();  // 网吧1, which the area names
    EXPECT_EQ(store().coordinateIndices.count("D00000000004"), 0u);
    EXPECT_EQ(record.coordinateIndex, "D00000000004");  // the refill shows no selection for it
    EXPECT_EQ(indices()->currentIndex(), -1);
    EXPECT_EQ(script.texts().back(), "删除坐标索引操作成功！");

    button->click();
    EXPECT_EQ(store().coordinateIndices.size(), 1u);
    EXPECT_EQ(script.texts().back(), "亲，只剩下一个模版了，还是保留着吧！");
    EXPECT_EQ(script.messages.back().icon, ui::Icon::Error);
}

TEST_F(IconPage, DeletingAnotherIndexKeepsTheAreasReference) {
    record.coordinateIndex = "B00000000002";
    page.loadPage();
    indices()->setCurrentIndex(1);  // chosen on the page but not saved
    find<QPushButton>(&page, "deleteIndex")->click();
    EXPECT_EQ(savedIndexRefs, std::vector<std::string>{"B00000000002"});
    EXPECT_EQ(indices()->currentText(), "网吧");
}

TEST_F(IconPage, SyncFolderMadeResetAndDeleted) {
    record.sideBarWidth = 90;
    page.loadPage();
    find<QLineEdit>(&page, "sideBarWidth")->setText("120");  // not saved yet
    script.names = {std::string("网吧")};
    find<QPushButton>(&page, "newSyncFolder")->click();

    const std::string folder = syncFolderPath("网吧");
    EXPECT_TRUE(std::filesystem::exists(fsPath(folder + "/qq.desktop")));
    EXPECT_EQ(store().syncFolders, std::vector<std::string>{"网吧"});
    EXPECT_NE(deskIniBytes().find(*codec::toCp936("目录=网吧")), std::string::npos);
    EXPECT_EQ(script.texts(), std::vector<std::string>{"新建桌面同步目录成功！"});
    EXPECT_TRUE(find<QCheckBox>(&page, "sync")->isChecked());
    EXPECT_TRUE(find<QWidget>(&page, "resetSyncFolder")->isEnabled());
    EXPECT_EQ(find<QLineEdit>(&page, "sideBarWidth")->text(), "120");  // the edit survives

    // The next suggestion skips the name now taken.
    script.names = {std::nullopt};
    find<QPushButton>(&page, "newSyncFolder")->click();
    EXPECT_EQ(script.namePrompts.back(), "新建同步目录");

    // Reset copies the desktop again.
    syncList()->setCurrentIndex(0);
    std::filesystem::remove(fsPath(folder + "/qq.desktop"));
    script.answers = {ui::Answer::Yes};
    find<QPushButton>(&page, "resetSyncFolder")->click();
    EXPECT_TRUE(std::filesystem::exists(fsPath(folder + "/qq.desktop")));
    EXPECT_EQ(script.texts().back(), "重置桌面同步目录操作成功！");

    script.answers = {ui::Answer::No};
    find<QPushButton>(&page, "deleteSyncFolder")->click();
    EXPECT_TRUE(std::filesystem::exists(fsPath(folder)));

    script.answers = {ui::Answer::Yes};
    find<QPushButton>(&page, "deleteSyncFolder")->click();
    EXPECT_FALSE(std::filesystem::exists(fsPath(folder)));
    EXPECT_TRUE(store().syncFolders.empty());
    EXPECT_EQ(syncList()->count(), 0);
    EXPECT_EQ(deskIniBytes().find(*codec::toCp936("目录=网吧")), std::string::npos);
    EXPECT_EQ(script.texts().back(), "删除桌面同步目录操作成功！");
}

TEST_F(IconPage, SyncFolderListThatCannotBeWrittenIsReported) {
    page.loadPage();
    const std::string before = deskIniBytes();
    script.names = {std::string("网吧")};
    setWriteFailureForTesting("磁盘已满");
    find<QPushButton>(&page, "newSyncFolder")->click();
    setWriteFailureForTesting(std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(fsPath(syncFolderPath("网吧"))));
    EXPECT_EQ(store().syncFolders, std::vector<std::string>{"网吧"});
    EXPECT_EQ(deskIniBytes(), before);
    ASSERT_GE(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Error);
    EXPECT_NE(script.messages[0].text.find("desk.ini"), std::string::npos);
}

TEST_F(IconPage, SyncFolderThatCannotBeMade) {
    page.loadPage();
    platform::setDesktopFolderForTesting(file("没有这个桌面"));
    script.names = {std::string("二楼")};
    find<QPushButton>(&page, "newSyncFolder")->click();
    EXPECT_TRUE(store().syncFolders.empty());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text.rfind("新建桌面同步目录失败！", 0), 0u);
    EXPECT_EQ(script.messages[0].icon, ui::Icon::Error);
}

TEST_F(IconPage, Screenshot) {
    store().syncFolders = {"网吧", "二楼"};
    record.syncFolder = "网吧";
    page.loadPage();
    QDir().mkpath(QString(TAVRIN_BINARY_DIR) + "/screenshots");
    screenshot(&page, "icon_page");
}

}  // namespace
