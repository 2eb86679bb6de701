#include "pages/CGlobalDlg.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "desktop/FolderUtils.h"
#include "package/ThemePackage.h"
#include "platform/RuntimeLibrary.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

using namespace pageui;

CGlobalDlg::CGlobalDlg(QWidget* parent) : ConfigPage(parent) {
    auto* general = new QGroupBox("综合设置", this);
    auto* g = new QGridLayout(general);
    styleLabel_ = new QLabel("风格设置：", general);
    styleList_ = new QComboBox(general);
    styleList_->setObjectName("styleList");
    styleList_->addItems({"默认风格", "淡淡深黄", "淡淡米黄", "清爽风格", "高光风格"});
    // The runtime picks its style from the theme pictures; the list stays out of sight but
    // keeps the stored value.
    styleLabel_->setVisible(false);
    styleList_->setVisible(false);
    styleWidth_ = digitsBox(general, "styleWidth");
    styleWidth_->setMaximumWidth(90);
    colour_ = new ColourEditor(general, "effectColour", "effectColourPicker");
    transparency_ = digitsBox(general, "effectTransparency");
    transparency_->setMaximumWidth(90);
    shadow_ = new QRadioButton("阴影", general);
    shadow_->setObjectName("shadowRadio");
    outline_ = new QRadioButton("描边", general);
    outline_->setObjectName("outlineRadio");
    auto* effects = new QButtonGroup(this);
    effects->addButton(shadow_);
    effects->addButton(outline_);
    addRow(g, 0, "风格宽度：", {styleWidth_}, " * 建议：300-400之间~0为主题图片默认宽度");
    addRow(g, 1, "阴影颜色：", {colour_->box, colour_->picker},
           " * 所有文字阴影效果均使用此颜色！(浅色最佳)");
    addRow(g, 2, "阴影透明：", {transparency_}, " * 意义同上：透明度1-255 [ 建议50-150之间 ]");
    addRow(g, 3, "文字特效：", {shadow_, outline_});
    g->setColumnStretch(2, 1);

    auto* wallpaper = new QGroupBox("壁纸配置", this);
    auto* w = new QGridLayout(wallpaper);
    random_ = new QCheckBox("随机壁纸", wallpaper);
    random_->setObjectName("randomWallpaper");
    folder_ = textBox(wallpaper, "wallpaperFolder");
    folder_->setMinimumWidth(220);
    fixed_ = textBox(wallpaper, "fixedWallpaper");
    fixed_->setMinimumWidth(220);
    choose_ = new QPushButton("选择...", wallpaper);
    choose_->setObjectName("chooseWallpaper");
    w->addWidget(random_, 0, 1);
    addRow(w, 1, "壁纸目录：", {folder_}, " * 支持本地或网络共享的目录路径！");
    addRow(w, 2, "固定壁纸：", {fixed_, choose_});
    w->setColumnStretch(2, 1);

    auto* theme = new QGroupBox("主题功能", this);
    auto* t = new QHBoxLayout(theme);
    export_ = new QPushButton("主题导出", theme);
    export_->setObjectName("exportTheme");
    import_ = new QPushButton("主题导入", theme);
    import_->setObjectName("importTheme");
    t->addWidget(export_);
    t->addWidget(import_);
    t->addStretch();

    warning_ = new QLabel("强烈建议：在有系统保护的电脑中进行配置和调试！", this);
    warning_->setObjectName("warningLabel");
    warning_->setAlignment(Qt::AlignCenter);
    QFont big = warning_->font();
    big.setPixelSize(28);
    warning_->setFont(big);
    QPalette red = warning_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    warning_->setPalette(red);
    warning_->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(wallpaper);
    layout->addWidget(theme);
    layout->addWidget(warning_);
    layout->addStretch();

    connect(random_, &QCheckBox::clicked, this, &CGlobalDlg::randomWallpaperClicked);
    connect(choose_, &QPushButton::clicked, this, &CGlobalDlg::chooseWallpaper);
    connect(export_, &QPushButton::clicked, this, &CGlobalDlg::exportTheme);
    connect(import_, &QPushButton::clicked, this, &CGlobalDlg::importTheme);
}

void CGlobalDlg::attachSection(SkinSection& record, CArearCfgDlg* host, int areaIndex) {
    record_ = &record;
    host_ = host;
    areaIndex_ = areaIndex;
}

void CGlobalDlg::attachArea(ArearConfig& area, CArearCfgDlg* host, int areaIndex) {
    attachSection(area.skin, host, areaIndex);
}

void CGlobalDlg::loadPage() {
    if (!record_) return;
    const SkinSection& r = *record_;
    styleList_->setCurrentIndex(findEntry(styleList_, qs(r.skinStyle), true));
    setNumber(styleWidth_, r.styleWidth);
    colour_->load(r.effectColour);
    setNumber(transparency_, r.effectTransparency);
    (r.textEffect == SkinSection::kShadow ? shadow_ : outline_)->setChecked(true);
    random_->setChecked(r.randomWallpaper);
    folder_->setText(qs(r.wallpaperFolder));
    fixed_->setText(qs(r.fixedWallpaper));
    applyEnabling();
}

void CGlobalDlg::savePage() {
    if (!record_) return;
    SkinSection& r = *record_;
    // A stored style the list does not offer is kept as it is.
    if (styleList_->currentIndex() >= 0) r.skinStyle = ss(styleList_->currentText());
    r.styleWidth = number(styleWidth_);
    r.effectColour = colour_->text();
    r.effectTransparency = number(transparency_);
    r.textEffect = shadow_->isChecked() ? SkinSection::kShadow : SkinSection::kOutline;
    r.randomWallpaper = random_->isChecked();
    r.wallpaperFolder = ss(folder_->text());
    r.fixedWallpaper = ss(fixed_->text());
}

void CGlobalDlg::applyEnabling() {
    const bool fixedUsed = !random_->isChecked();
    fixed_->setEnabled(fixedUsed);
    choose_->setEnabled(fixedUsed);
}

void CGlobalDlg::randomWallpaperClicked() { applyEnabling(); }

void CGlobalDlg::chooseWallpaper() {
    std::string chosen;
    if (chooseOpenFile({{"jpg文件(*.jpg)", "*.*"}}, paths::inProgram(paths::kWallpapers), false,
                       chosen))
        fixed_->setText(qs(chosen));
}

namespace {
constexpr const char* kNoHost = "主题功能需要在分区配置窗口中使用。";
}

void CGlobalDlg::exportTheme() {
    if (!themeHooks_.save) {
        ui::current().inform(kNoHost, ui::Icon::Warning);
        return;
    }
    exportThemePackage(themeHooks_.save, false);
}

void CGlobalDlg::importTheme() {
    if (!themeHooks_.save || !themeHooks_.config || areaIndex_ < 0) {
        ui::current().inform(kNoHost, ui::Icon::Warning);
        return;
    }
    ImportHooks hooks;
    hooks.save = themeHooks_.save;
    hooks.reloadPages = themeHooks_.reloadPages;
    hooks.preview = [](const std::string& area) { runtime::RunDesk(area); };
    importThemePackage(ProfileStore::instance(), *themeHooks_.config, areaIndex_, hooks);
}
