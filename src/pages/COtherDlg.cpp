#include "pages/COtherDlg.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "platform/DisplayModes.h"
#include "store/Configuration.h"

using namespace pageui;

namespace {
QCheckBox* checkBox(QWidget* parent, const QString& text, const QString& name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}
}  // namespace

COtherDlg::COtherDlg(QWidget* parent) : ConfigPage(parent) {
    auto* resolution = new QGroupBox("设置分辨率", this);
    auto* r = new QGridLayout(resolution);
    setResolution_ = checkBox(resolution, "是否设置分辨率", "setResolution");
    modes_ = new QComboBox(resolution);
    modes_->setObjectName("resolution");
    // Editable so that a mode this display does not offer can still be kept or typed.
    modes_->setEditable(true);
    modes_->setInsertPolicy(QComboBox::NoInsert);
    modes_->setMinimumWidth(160);
    r->addWidget(setResolution_, 0, 1);
    addRow(r, 1, "分辨率大小：", {modes_}, " * 分辨率格式：宽-高-位深-刷新率");
    r->setColumnStretch(2, 1);

    auto* extra = new QGroupBox("辅助功能", this);
    auto* e = new QGridLayout(extra);
    rightClick_ = checkBox(extra, "开启  右键菜单", "rightClickMenu");
    rightClick_->setVisible(false);  // loaded and saved, not offered
    startWithSystem_ = checkBox(extra, "开启开机启动", "startWithSystem");
    transparency_ = checkBox(extra, "开启图标透明", "labelTransparency");
    shortcut_ = checkBox(extra, "是否生成桌面快捷方式", "desktopShortcut");
    shortcutName_ = textBox(extra, "shortcutName");
    shortcutName_->setMinimumWidth(200);
    outputPath_ = textBox(extra, "wallpaperOutputPath");
    outputPath_->setMinimumWidth(260);
    e->addWidget(startWithSystem_, 0, 1);
    e->addWidget(transparency_, 1, 1);
    e->addWidget(shortcut_, 2, 1);
    addRow(e, 3, "快捷方式名称：", {shortcutName_});
    addRow(e, 4, "壁纸生成路径：", {outputPath_});
    e->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(resolution);
    layout->addWidget(extra);
    layout->addStretch();

    connect(setResolution_, &QCheckBox::clicked, this, &COtherDlg::applyEnabling);
    connect(shortcut_, &QCheckBox::clicked, this, &COtherDlg::applyEnabling);
}

void COtherDlg::attachSection(OtherFunctionsSection& record) { record_ = &record; }

void COtherDlg::attachArea(ArearConfig& area, CArearCfgDlg*, int) {
    attachSection(area.otherFunctions);
}

void COtherDlg::loadPage() {
    fillList(modes_, platform::listDisplayModes());
    if (!record_) return;
    const OtherFunctionsSection& r = *record_;
    setResolution_->setChecked(r.setResolution);
    // A stored mode the display does not offer stays in the box as it is.
    const int found = findEntry(modes_, qs(r.resolution), true);
    modes_->setCurrentIndex(found);
    if (found < 0) modes_->setEditText(qs(r.resolution));
    rightClick_->setChecked(r.rightClickMenu);
    startWithSystem_->setChecked(r.startWithSystem);
    transparency_->setChecked(r.labelTransparency);
    shortcut_->setChecked(r.desktopShortcut);
    shortcutName_->setText(qs(r.shortcutName));
    outputPath_->setText(qs(r.wallpaperOutputPath));
    applyEnabling();
}

void COtherDlg::savePage() {
    if (!record_) return;
    OtherFunctionsSection& r = *record_;
    r.setResolution = setResolution_->isChecked();
    const QString mode = modes_->currentText().trimmed();
    if (!mode.isEmpty()) r.resolution = ss(mode);
    r.rightClickMenu = rightClick_->isChecked();
    r.startWithSystem = startWithSystem_->isChecked();
    r.labelTransparency = transparency_->isChecked();
    r.desktopShortcut = shortcut_->isChecked();
    r.shortcutName = ss(shortcutName_->text());
    r.wallpaperOutputPath = ss(outputPath_->text());
}

void COtherDlg::applyEnabling() {
    modes_->setEnabled(setResolution_->isChecked());
    shortcutName_->setEnabled(shortcut_->isChecked());
}
