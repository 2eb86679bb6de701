#include "app/CTest2Dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Artwork.h"
#include "app/CAboutDlg.h"
#include "app/CArearCfgDlg.h"
#include "app/CArearDlg.h"
#include "app/CClickStatic.h"
#include "app/Links.h"
#include "net/UpdateCheck.h"
#include "platform/RuntimeLibrary.h"
#include "platform/UserInteraction.h"
#include "store/Codec.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

namespace {
constexpr const char* kSwitchOff = "请先开启分区功能!";
constexpr const char* kListTip =
    "这里可以【双击】或点击【右键】查看菜单哦~亲！更多功能都在这里呢！";
// The runtime reads these settings through 260-byte buffers.
constexpr std::size_t kSettingLimit = 259;

QString q(const std::string& s) { return QString::fromStdString(s); }

void say(const std::string& text, ui::Icon icon) {
    ui::current().message(text, ui::kCaption, icon, ui::Buttons::Ok);
}
bool ask(const std::string& text, ui::Icon icon) {
    return ui::current().message(text, ui::kCaption, icon, ui::Buttons::YesNo) == ui::Answer::Yes;
}

QLineEdit* settingEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMinimumWidth(200);
    return e;
}
QLabel* hint(const char* text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    l->setPalette(pal);
    return l;
}
}  // namespace

CTest2Dlg::CTest2Dlg(QWidget* parent) : QDialog(parent) {
    setObjectName("mainWindow");
    setWindowTitle("Tavrin2015.1 - 配置程序");
    setWindowIcon(artwork::appIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // Menu bar: 帮助菜单.
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    QMenu* help = menuBar->addMenu("帮助菜单");
    auto addCommand = [this](QMenu* menu, const char* text, int id) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString("action%1").arg(id));
        a->setData(id);
        connect(a, &QAction::triggered, this, [this, id] { command(id); });
        return a;
    };
    addCommand(help, "官方网站", kOfficialSite);
    addCommand(help, "关于 Tavrin...", kAbout);

    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName("areaMenu");
    addCommand(contextMenu_, "增加分区", kAddArea);
    addCommand(contextMenu_, "删除分区", kDeleteArea);
    addCommand(contextMenu_, "修改分区", kModifyArea);
    addCommand(contextMenu_, "配置分区", kConfigureArea);
    addCommand(contextMenu_, "应该此配置到本机上(仅当前有效)!", kApplyHere);

    auto* banner = new QLabel(this);
    banner->setObjectName("banner");
    banner->setPixmap(artwork::banner(600, 56));
    banner->setScaledContents(true);
    banner->setFixedHeight(56);

    // 公共配置
    auto* common = new QGroupBox("公共配置", this);
    auto* grid = new QGridLayout(common);
    grid->setHorizontalSpacing(8);
    city_ = settingEdit(common, "cityEdit");
    cafe_ = settingEdit(common, "cafeNameEdit");
    home_ = settingEdit(common, "homePageEdit");
    font_ = settingEdit(common, "fontEdit");
    font_->setEnabled(false);
    grid->addWidget(new QLabel("所在城市：", common), 0, 0);
    grid->addWidget(city_, 0, 1);
    grid->addWidget(hint("* 请输入您所在的城市名称", common), 0, 2, 1, 2);
    grid->addWidget(new QLabel("网吧名称：", common), 1, 0);
    grid->addWidget(cafe_, 1, 1);
    grid->addWidget(hint("* 请输入想显示在桌面上的欢迎词", common), 1, 2, 1, 2);
    grid->addWidget(new QLabel("锁定主页：", common), 2, 0);
    grid->addWidget(home_, 2, 1);
    grid->addWidget(hint("* 如果不想锁定主页，请留空", common), 2, 2, 1, 2);
    grid->addWidget(new QLabel("默认字体：", common), 3, 0);
    grid->addWidget(font_, 3, 1);
    grid->addWidget(hint("* 推荐使用“微软雅黑”", common), 3, 2);
    save_ = new QPushButton("保存", common);
    save_->setObjectName("saveButton");
    save_->setAutoDefault(false);
    save_->setMinimumWidth(88);
    grid->addWidget(save_, 3, 3, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    // 智能分区
    auto* areas = new QGroupBox("智能分区 ", this);
    auto* areaBox = new QVBoxLayout(areas);
    switch_ = new QCheckBox("开启自动分区", areas);
    switch_->setObjectName("areaSwitch");
    list_ = new QTableWidget(0, 5, areas);
    list_->setObjectName("areaList");
    list_->setHorizontalHeaderLabels({"分区名", "开始IP", "结束IP", "配置文件", "备注"});
    const int widths[] = {80, 110, 110, 80, 230};
    for (int c = 0; c < 5; ++c) list_->setColumnWidth(c, widths[c]);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->verticalHeader()->setVisible(false);
    list_->verticalHeader()->setDefaultSectionSize(22);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setToolTip(kListTip);
    list_->setMinimumHeight(170);
    areaBox->addWidget(switch_);
    areaBox->addWidget(list_);

    // Links and version line.
    tutorialLink_ = new CClickStatic("使用教程", this);
    tutorialLink_->setObjectName("tutorialLink");
    tutorialLink_->setVisible(false);
    siteLink_ = new CClickStatic(links::kSiteHost, this);
    siteLink_->setObjectName("siteLink");
    chatLink_ = new CClickStatic(links::kContactNumber, this);
    chatLink_->setObjectName("chatLink");
    auto* version = new QLabel("当前版本：V2015.1 ", this);
    version->setObjectName("versionLabel");
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(tutorialLink_);
    bottom->addStretch(1);
    bottom->addWidget(new QLabel("官网：", this));
    bottom->addWidget(siteLink_);
    bottom->addSpacing(16);
    bottom->addWidget(new QLabel("QQ：", this));
    bottom->addWidget(chatLink_);
    bottom->addStretch(1);
    bottom->addWidget(version);

    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar);
    outer->setContentsMargins(6, 0, 6, 6);
    outer->addWidget(banner);
    outer->addWidget(common);
    outer->addWidget(areas, 1);
    outer->addLayout(bottom);
    resize(680, 560);

    connect(save_, &QPushButton::clicked, this, &CTest2Dlg::onSave);
    connect(switch_, &QCheckBox::clicked, this, &CTest2Dlg::onSwitchClicked);
    connect(list_, &QTableWidget::customContextMenuRequested, this, &CTest2Dlg::showContextMenu);
    connect(list_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { onDoubleClick(row); });
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0) current_ = row;
    });

    // The store's lists are reloaded with the configuration.
    ProfileStore& store = ProfileStore::instance();
    store.weatherTemplates.clear();
    store.noticeTemplates.clear();
    store.setTarget(paths::inProgram(paths::kDeskIni));
    refresh();

    tutorialLink_->setAddress(links::kTutorial);
    siteLink_->setAddress(links::kOfficialSite);
    chatLink_->setAddress(links::kChat);
}

void CTest2Dlg::setCurrentArea(int row) {
    if (row >= 0 && row < list_->rowCount())
        list_->setCurrentCell(row, 0);
    else
        current_ = row;
}

bool CTest2Dlg::validCurrent() const {
    return current_ >= 0 && static_cast<std::size_t>(current_) < config_.areas.size();
}

void CTest2Dlg::refresh() {
    Status st = ReloadConfiguration(ProfileStore::instance(), config_);
    fill();
    if (!st) say("配置文件无法写入，显示的是读到的设置：\n" + st.message, ui::Icon::Warning);
}

void CTest2Dlg::fill() {
    city_->setText(q(config_.weatherCity));
    cafe_->setText(q(config_.cafeName));
    home_->setText(q(config_.homePage));
    font_->setText(q(config_.defaultFont));
    switch_->setChecked(config_.areasEnabled);

    const int keep = current_;
    list_->blockSignals(true);
    list_->clearContents();
    list_->setRowCount(static_cast<int>(config_.areas.size()));
    for (int row = 0; row < list_->rowCount(); ++row) {
        const ArearConfig& a = *config_.areas[static_cast<std::size_t>(row)];
        const std::string cells[] = {a.name, a.startIp, a.endIp, a.configPresent ? "已存在" : "",
                                     a.note};
        for (int c = 0; c < 5; ++c) list_->setItem(row, c, new QTableWidgetItem(q(cells[c])));
    }
    list_->blockSignals(false);
    // Keep the current area visible as the selection, so a command never acts on a row
    // the operator cannot see.
    if (keep >= 0 && keep < list_->rowCount()) {
        list_->setCurrentCell(keep, 0);
    } else {
        current_ = -1;
        list_->clearSelection();
    }
}

void CTest2Dlg::onSave() {
    const struct {
        const char* label;
        QLineEdit* edit;
    } fields[] = {
        {"所在城市", city_}, {"网吧名称", cafe_}, {"锁定主页", home_}, {"默认字体", font_}};
    std::string values[4];
    for (int i = 0; i < 4; ++i) {
        values[i] = fields[i].edit->text().toStdString();
        if (codec::cp936Length(values[i]) > kSettingLimit) {
            say(std::string("“") + fields[i].label +
                    "”太长了：最多 259 个字节（约 129 个汉字），请缩短后再保存。",
                ui::Icon::Warning);
            fields[i].edit->setFocus();
            return;
        }
    }
    Status st =
        SaveGlobalSettings(ProfileStore::instance(), values[0], values[1], values[2], values[3]);
    if (!st) {
        say("保存失败：" + st.message, ui::Icon::Error);
        return;
    }
    config_.weatherCity = values[0];
    config_.cafeName = values[1];
    config_.homePage = values[2];
    config_.defaultFont = values[3];
    if (!ask("配置设定保存完毕，是否测试效果？", ui::Icon::Question)) return;
    if (!validCurrent()) {
        say("请先在分区列表中选中要测试的分区。", ui::Icon::Information);
        return;
    }
    runtime::RunDesk(config_.areas[static_cast<std::size_t>(current_)]->name);
}

void CTest2Dlg::onSwitchClicked(bool checked) {
    const bool before = config_.areasEnabled;
    config_.areasEnabled = checked;
    Status st = SaveAreaList(ProfileStore::instance(), config_, -1);
    if (!st) {
        config_.areasEnabled = before;
        switch_->setChecked(before);
        say("保存失败：" + st.message, ui::Icon::Error);
    }
}

bool CTest2Dlg::requireSwitch() {
    if (config_.areasEnabled) return true;
    say(kSwitchOff, ui::Icon::Error);
    return false;
}

void CTest2Dlg::onDoubleClick(int row) {
    if (!requireSwitch()) return;
    if (row < 0 || static_cast<std::size_t>(row) >= config_.areas.size()) return;
    configureArea(row);
}

void CTest2Dlg::showContextMenu(const QPoint& pos) {
    contextMenu_->popup(list_->viewport()->mapToGlobal(pos));
}

void CTest2Dlg::command(int id) {
    switch (id) {
        case kAddArea:
            addArea();
            break;
        case kDeleteArea:
            deleteArea();
            break;
        case kModifyArea:
            modifyArea();
            break;
        case kConfigureArea:
            if (validCurrent()) configureArea(current_);
            break;
        case kApplyHere:
            applyHere();
            break;
        case kOfficialSite:
            ui::current().openUrl(links::kOfficialSite);
            break;
        case kForum:
            ui::current().openUrl(links::kForum);
            break;
        case kTutorial:
            ui::current().openUrl(links::kTutorial);
            break;
        case kShowcase:
            ui::current().openUrl(links::kShowcase);
            break;
        case kCheckUpdate:
            checkUpdate();
            break;
        case kAbout:
        case kSysAbout: {
            CAboutDlg about(this);
            runModal(about);
            break;
        }
        default:
            break;
    }
}

void CTest2Dlg::addArea() {
    if (!requireSwitch()) return;
    CArearDlg dlg(config_, CArearDlg::Add, -1, this);
    if (runModal(dlg) == QDialog::Accepted) refresh();
}

void CTest2Dlg::deleteArea() {
    if (config_.areas.size() <= 1) {
        say(kLastAreaMessage, ui::Icon::Error);
        return;
    }
    if (!validCurrent()) return;
    if (!ask("确定要将该分区删除吗？", ui::Icon::Warning)) return;
    const int index = current_;
    Status st = DeleteArea(ProfileStore::instance(), config_, index);
    current_ = -1;
    fill();
    if (!st) say("删除分区失败：" + st.message, ui::Icon::Error);
}

void CTest2Dlg::modifyArea() {
    if (!requireSwitch()) return;
    if (!validCurrent()) return;
    CArearDlg dlg(config_, CArearDlg::Modify, current_, this);
    if (runModal(dlg) != QDialog::Accepted) return;
    // The full save drops the sections still stored under the old name.
    Status st = SaveEverything(ProfileStore::instance(), config_);
    refresh();
    if (!st) say("保存失败：" + st.message, ui::Icon::Error);
}

void CTest2Dlg::configureArea(int index) {
    hide();
    {
        CArearCfgDlg dlg(config_, index, this);
        runModal(dlg);
    }
    show();
}

void CTest2Dlg::applyHere() {
    if (!validCurrent()) return;
    const std::string name = config_.areas[static_cast<std::size_t>(current_)]->name;
    if (!ask("立即应用[" + name + "]的相关配置到本机上？\r\n亲，仅测试有效！", ui::Icon::Question))
        return;
    runtime::RunDesk(name);
}

void CTest2Dlg::checkUpdate() {
    const std::string folder = paths::programFolder();
    const update::CheckResult check = update::DownloadAndCompare(folder);
    switch (check.outcome) {
        case update::CheckResult::Outcome::Current:
            ui::current().message("已经是最新的版本，不需要更新！", ui::kCaption,
                                  ui::Icon::Information, ui::Buttons::Ok);
            return;
        // A check that could not be made is not "already the latest version".
        case update::CheckResult::Outcome::NetworkError:
            ui::current().message(update::kNetworkError, ui::kUpdateCaption, ui::Icon::Error,
                                  ui::Buttons::Ok);
            return;
        case update::CheckResult::Outcome::DescriptorUnwritable:
            ui::current().message("无法保存更新信息，检查更新失败：\n" + check.detail,
                                  ui::kUpdateCaption, ui::Icon::Error, ui::Buttons::Ok);
            return;
        case update::CheckResult::Outcome::Outdated:
            // The offer and the hand-over belong to the update module; it downloads the
            // small descriptor once more.
            update::RunUpdateCheck(folder);
            return;
    }
}

void CTest2Dlg::keyPressEvent(QKeyEvent* event) {
    // Enter in a setting box must not close the window and lose what was typed.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
