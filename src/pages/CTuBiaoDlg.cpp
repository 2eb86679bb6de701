#include "pages/CTuBiaoDlg.h"

#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/DesktopSync.h"
#include "desktop/FolderUtils.h"
#include "desktop/IconCapture.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"
#include "store/TemplateStore.h"

using namespace pageui;

namespace {

CTuBiaoDlg::HostSaveRequest g_hostSave;

constexpr const char* kNameTaken = "该名称已存在,换个试试吧~";

QCheckBox* checkBox(QWidget* parent, const QString& text, const QString& name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QComboBox* dropDown(QWidget* parent, const QString& name, int minChars) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumContentsLength(minChars);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

void warn(const std::string& text) {
    ui::current().message(text, ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
}
void fail(const std::string& text) {
    ui::current().message(text, ui::kCaption, ui::Icon::Error, ui::Buttons::Ok);
}
// The folder change on disk stands and the list in memory follows it; the full save of the
// next "保存" writes the list again.
constexpr const char* kListNotSaved =
    "同步目录列表无法写入 desk.ini（文件只读或磁盘已满？），将在下次保存配置时再次写入。";
void setAll(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* w : widgets) w->setEnabled(on);
}

}  // namespace

void CTuBiaoDlg::setHostSaveRequest(HostSaveRequest request) { g_hostSave = std::move(request); }

const std::vector<std::pair<const char*, const char*>>& CTuBiaoDlg::presets() {
    static const std::vector<std::pair<const char*, const char*>> list = {
        {"当前配置", ""},
        {"XP默认大小", "76*76*-20*-6"},
        {"XP放大图标", "92*92*-20*-6"},
        {"WIN7较小图标", "76*86*0*-4"},
        {"WIN7中等图标", "78*104*0*-4"},
        {"WIN7较大图标", "108*150*0*-4"},
    };
    return list;
}

std::string CTuBiaoDlg::suggestName(const std::string& base,
                                    const std::vector<std::string>& taken) {
    std::string suggestion = base;
    int n = 1;
    // Each match moves on to the next number and searches the list again from the top.
    while (std::find(taken.begin(), taken.end(), suggestion) != taken.end())
        suggestion = base + std::to_string(n++);
    return suggestion;
}

CTuBiaoDlg::CTuBiaoDlg(QWidget* parent) : ConfigPage(parent) {
    auto* effect = new QGroupBox("图标特效", this);
    auto* e = new QGridLayout(effect);
    effectOn_ = checkBox(effect, "开启图标效果", "backgroundEffect");
    backgroundSize_ = textBox(effect, "backgroundSize");
    backgroundSize_->setMaximumWidth(120);
    preset_ = dropDown(effect, "sizePreset", 10);
    for (const auto& [label, size] : presets()) preset_->addItem(label);
    picture_ = textBox(effect, "backgroundPicture");
    picture_->setMinimumWidth(200);
    randomButton_ = button(effect, "随机", "randomPicture");
    chooseButton_ = button(effect, "选择图片", "choosePicture");
    sideBarOn_ = checkBox(effect, "开启边栏效果", "sideBar");
    sideBarWidth_ = digitsBox(effect, "sideBarWidth");
    sideBarWidth_->setMaximumWidth(120);
    addRow(e, 0, "", {effectOn_});
    addRow(e, 1, "背景大小：", {backgroundSize_, preset_},
           "*背景大小(格式：宽度*高度*水平偏移*垂直偏移）");
    e->addWidget(hintLabel(effect, "水平偏移>0:向右偏移 <0:向左偏移"), 2, 2);
    e->addWidget(hintLabel(effect, "垂直偏移>0:向下偏移 <0:向上偏移"), 3, 2);
    addRow(e, 4, "背景图片：", {picture_, randomButton_, chooseButton_});
    addRow(e, 5, "", {sideBarOn_});
    addRow(e, 6, "边栏宽度：", {sideBarWidth_, hintLabel(effect, " * 宽度1-400~")});
    e->setColumnStretch(2, 1);

    auto* arrange = new QGroupBox("图标排列", this);
    auto* a = new QGridLayout(arrange);
    arrangeOn_ = checkBox(arrange, "是否排列", "arrangement");
    arrangeCount_ = dropDown(arrange, "arrangementCount", 3);
    for (int i = 1; i <= 9; ++i) arrangeCount_->addItem(QString::number(i));
    indices_ = dropDown(arrange, "coordinateIndex", 14);
    newIndexButton_ = button(arrange, "新建", "newIndex");
    rebuildIndexButton_ = button(arrange, "重建", "rebuildIndex");
    deleteIndexButton_ = button(arrange, "删除", "deleteIndex");
    addRow(a, 0, "",
           {arrangeOn_, new QLabel("排列", arrange), arrangeCount_, new QLabel("次", arrange),
            hintLabel(arrange, " * 推荐排列3次~")});
    addRow(a, 1, "坐标索引：",
           {indices_, newIndexButton_, rebuildIndexButton_, deleteIndexButton_});
    a->setColumnStretch(2, 1);

    auto* sync = new QGroupBox("同步桌面", this);
    auto* s = new QGridLayout(sync);
    syncOn_ = checkBox(sync, "是否同步桌面", "sync");
    clean_ = checkBox(sync, "清理多余图标", "compareAndClean");
    syncFolders_ = dropDown(sync, "syncFolder", 14);
    newSyncButton_ = button(sync, "新建", "newSyncFolder");
    resetSyncButton_ = button(sync, "重建", "resetSyncFolder");
    deleteSyncButton_ = button(sync, "删除", "deleteSyncFolder");
    addRow(s, 0, "", {syncOn_, clean_});
    addRow(s, 1, "同步目录：", {syncFolders_, newSyncButton_, resetSyncButton_, deleteSyncButton_});
    s->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(effect);
    layout->addWidget(arrange);
    layout->addWidget(sync);
    layout->addStretch();

    connect(effectOn_, &QCheckBox::clicked, this, &CTuBiaoDlg::applyEffectRule);
    connect(sideBarOn_, &QCheckBox::clicked, this,
            [this] { sideBarWidth_->setEnabled(sideBarOn_->isChecked()); });
    connect(arrangeOn_, &QCheckBox::clicked, this, &CTuBiaoDlg::applyArrangementRule);
    connect(syncOn_, &QCheckBox::clicked, this, &CTuBiaoDlg::applySyncRule);
    connect(preset_, &QComboBox::activated, this, &CTuBiaoDlg::presetChosen);
    connect(randomButton_, &QPushButton::clicked, this,
            [this] { picture_->setText(kRandomPicture); });
    connect(chooseButton_, &QPushButton::clicked, this, &CTuBiaoDlg::choosePicture);
    connect(newIndexButton_, &QPushButton::clicked, this, &CTuBiaoDlg::newIndex);
    connect(rebuildIndexButton_, &QPushButton::clicked, this, &CTuBiaoDlg::rebuildIndex);
    connect(deleteIndexButton_, &QPushButton::clicked, this, &CTuBiaoDlg::deleteIndex);
    connect(newSyncButton_, &QPushButton::clicked, this, &CTuBiaoDlg::newSyncFolder);
    connect(resetSyncButton_, &QPushButton::clicked, this, &CTuBiaoDlg::resetSyncFolder);
    connect(deleteSyncButton_, &QPushButton::clicked, this, &CTuBiaoDlg::deleteSyncFolder);
}

void CTuBiaoDlg::attachSection(IconSection& record, CArearCfgDlg* host,
                               const std::string& areaName) {
    record_ = &record;
    host_ = host;
    areaName_ = areaName;
}

void CTuBiaoDlg::attachArea(ArearConfig& area, CArearCfgDlg* host, int) {
    attachSection(area.icon, host, area.name);
    if (host && g_hostSave) {
        HostSaveRequest request = g_hostSave;
        saveRequest_ = [request, host] { return request(host); };
    }
}

void CTuBiaoDlg::loadPage() {
    if (!record_) return;
    const IconSection& r = *record_;
    indices_->clear();
    syncFolders_->clear();

    effectOn_->setChecked(r.backgroundEffectOn);
    backgroundSize_->setText(qs(r.backgroundSize));
    picture_->setText(qs(r.backgroundPicture));
    sideBarOn_->setChecked(r.sideBarOn);
    setNumber(sideBarWidth_, r.sideBarWidth);
    sideBarWidth_->setEnabled(r.sideBarOn);

    arrangeOn_->setChecked(r.arrangementOn);
    arrangeCount_->setCurrentIndex(
        r.arrangementCount >= 1 && r.arrangementCount <= 9 ? r.arrangementCount - 1 : -1);
    preset_->setCurrentIndex(0);
    fillIndices();
    applyArrangementRule();

    clean_->setChecked(r.compareAndClean);
    syncOn_->setChecked(r.syncOn);
    applySyncRule();
    fillSyncFolders(r.syncFolder);
    applyEffectRule();
}

void CTuBiaoDlg::savePage() {
    if (!record_) return;
    IconSection& r = *record_;
    r.backgroundEffectOn = effectOn_->isChecked();
    r.backgroundSize = ss(backgroundSize_->text());
    r.backgroundPicture = ss(picture_->text());
    r.sideBarOn = sideBarOn_->isChecked();
    r.sideBarWidth = number(sideBarWidth_);
    r.arrangementOn = arrangeOn_->isChecked();
    r.arrangementCount = arrangeCount_->currentIndex() + 1;
    // By guid, so that an index added or removed meanwhile does not shift the choice.
    if (indices_->currentIndex() >= 0) r.coordinateIndex = ss(indices_->currentData().toString());
    r.syncOn = syncOn_->isChecked();
    r.compareAndClean = clean_->isChecked();
    if (syncFolders_->currentIndex() >= 0) r.syncFolder = ss(syncFolders_->currentText());
}

void CTuBiaoDlg::fillIndices() {
    indices_->clear();
    int match = -1;
    for (const auto& [guid, index] : ProfileStore::instance().coordinateIndices) {
        if (match < 0 && record_ && guid == record_->coordinateIndex) match = indices_->count();
        indices_->addItem(qs(index->name), qs(guid));
    }
    indices_->setCurrentIndex(match);
}

void CTuBiaoDlg::fillSyncFolders(const std::string& select) {
    syncFolders_->clear();
    int match = -1;
    for (const std::string& name : ProfileStore::instance().syncFolders) {
        if (name == select) match = syncFolders_->count();  // the last equal one wins
        syncFolders_->addItem(qs(name));
    }
    syncFolders_->setCurrentIndex(match);
}

void CTuBiaoDlg::applyEffectRule() {
    const bool on = effectOn_->isChecked();
    setAll({randomButton_, chooseButton_, backgroundSize_, preset_}, on);
    picture_->setEnabled(on && picture_->text().compare(kRandomPicture, Qt::CaseInsensitive) != 0);
}

void CTuBiaoDlg::applyArrangementRule() {
    setAll({newIndexButton_, rebuildIndexButton_, deleteIndexButton_, indices_, arrangeCount_},
           arrangeOn_->isChecked());
}

void CTuBiaoDlg::applySyncRule() {
    setAll({clean_, syncFolders_, newSyncButton_, resetSyncButton_, deleteSyncButton_},
           syncOn_->isChecked());
}

void CTuBiaoDlg::presetChosen(int index) {
    if (index < 0 || index >= static_cast<int>(presets().size())) return;
    if (index == 0) {
        if (record_) backgroundSize_->setText(qs(record_->backgroundSize));
        return;
    }
    backgroundSize_->setText(presets()[static_cast<std::size_t>(index)].second);
}

void CTuBiaoDlg::choosePicture() {
    std::string chosen;
    if (!chooseOpenFile({{"png文件(*.png)", "*.*"}}, paths::inProgram(paths::kIconEffects), false,
                        chosen))
        return;
    picture_->setText(qs(chosen));
    picture_->setEnabled(true);
}

std::vector<std::string> CTuBiaoDlg::listed(const QComboBox* list) const {
    std::vector<std::string> names;
    for (int i = 0; i < list->count(); ++i) names.push_back(ss(list->itemText(i)));
    return names;
}

bool CTuBiaoDlg::requestSave() {
    // A page without a window keeps the change in memory only.
    return saveRequest_ ? saveRequest_() : true;
}

void CTuBiaoDlg::newIndex() {
    const std::vector<std::string> taken = listed(indices_);
    auto name = ui::current().promptForName("新建坐标索引", suggestName(areaName_, taken));
    if (!name) return;
    if (std::find(taken.begin(), taken.end(), *name) != taken.end()) {
        warn(kNameTaken);
        return;
    }
    auto index = newCoordinateIndex();
    index->name = *name;
    if (captureDesktopIcons(*index) == capture::Outcome::NotRecorded) {
        warn(std::string(capture::kNotRecordedMessage) + "\n坐标索引未创建。");
        return;
    }
    auto& map = ProfileStore::instance().coordinateIndices;
    const std::string guid = index->guid;
    if (!map.emplace(guid, std::move(index)).second) {
        fail("新建坐标索引失败！");
        return;
    }
    if (!requestSave()) {
        map.erase(guid);  // memory keeps what desk.ini holds
        loadPage();
        return;
    }
    loadPage();
    arrangeOn_->setChecked(true);
    applyArrangementRule();
}

void CTuBiaoDlg::rebuildIndex() {
    if (!ui::current().askYesNo("您的桌面图标位置都放好了吗?")) return;
    if (indices_->currentIndex() < 0) return;
    auto& map = ProfileStore::instance().coordinateIndices;
    auto it = map.find(ss(indices_->currentData().toString()));
    if (it == map.end()) return;
    CoordinateIndex fresh;
    if (captureDesktopIcons(fresh) == capture::Outcome::NotRecorded) {
        warn(std::string(capture::kNotRecordedMessage) + "\n坐标索引未改变。");
        return;
    }
    CoordinateIndex& index = *it->second;
    std::swap(index.placements, fresh.placements);
    if (!requestSave()) {
        std::swap(index.placements, fresh.placements);
        return;
    }
    warn("重建坐标索引操作成功！");
}

void CTuBiaoDlg::deleteIndex() {
    if (indices_->count() <= 1) {
        fail("亲，只剩下一个模版了，还是保留着吧！");
        return;
    }
    const int selected = indices_->currentIndex();
    if (selected < 0) return;
    auto& map = ProfileStore::instance().coordinateIndices;
    const std::string guid = ss(indices_->currentData().toString());
    std::unique_ptr<CoordinateIndex> removed;
    if (auto it = map.find(guid); it != map.end()) {
        removed = std::move(it->second);
        map.erase(it);
    }
    // Without a selection the save keeps the area's reference as the record holds it.
    indices_->removeItem(selected);
    indices_->setCurrentIndex(-1);
    if (!requestSave()) {
        if (removed) map.emplace(guid, std::move(removed));
        loadPage();
        fail("删除坐标索引操作失败！");
        return;
    }
    loadPage();
    warn("删除坐标索引操作成功！");
}

void CTuBiaoDlg::newSyncFolder() {
    const std::vector<std::string> taken = listed(syncFolders_);
    auto name = ui::current().promptForName("新建同步目录", suggestName(areaName_, taken));
    if (!name) return;
    if (std::find(taken.begin(), taken.end(), *name) != taken.end()) {
        warn(kNameTaken);
        return;
    }
    std::size_t uncopied = 0;
    Status made = makeSyncFolder(*name, &uncopied);
    if (!made) {
        fail("新建桌面同步目录失败！\n" + made.message);
        return;
    }
    ProfileStore& store = ProfileStore::instance();
    store.syncFolders.push_back(*name);
    if (!saveSyncFolders(store)) fail(kListNotSaved);
    // Only the list is refilled: edits on the page not yet saved stay as they are.
    fillSyncFolders(ss(syncFolders_->currentText()));
    std::string text = "新建桌面同步目录成功！";
    if (uncopied > 0) text += "\n有 " + std::to_string(uncopied) + " 个桌面项目未能复制。";
    warn(text);
    syncOn_->setChecked(true);
    applySyncRule();
}

void CTuBiaoDlg::resetSyncFolder() {
    if (syncFolders_->currentIndex() < 0) return;
    if (!ui::current().askYesNo("您的桌面图标都清理好了吗？\r\n特别说明：桌面不需要的图标请先清理掉"
                                "！\r\n否则将有可能同步到其他客户机上去"))
        return;
    std::size_t uncopied = 0;
    Status made = makeSyncFolder(ss(syncFolders_->currentText()), &uncopied);
    if (!made) {
        fail("重置桌面同步目录操作失败！\n" + made.message);
        return;
    }
    std::string text = "重置桌面同步目录操作成功！";
    if (uncopied > 0) text += "\n有 " + std::to_string(uncopied) + " 个桌面项目未能复制。";
    warn(text);
}

void CTuBiaoDlg::deleteSyncFolder() {
    if (!ui::current().askYesNo("确定要删除该桌面同步目录吗？")) return;
    if (syncFolders_->currentIndex() < 0) return;
    ProfileStore& store = ProfileStore::instance();
    const std::string name = ss(syncFolders_->currentText());
    ::deleteSyncFolder(name, store.syncFolders);
    // The folder is gone from disk, so the stored list follows at once.
    if (!saveSyncFolders(store)) fail(kListNotSaved);
    fillSyncFolders(name);
    warn("删除桌面同步目录操作成功！");
}
