#include "app/CArearCfgDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "pages/CBiaoYuDlg.h"
#include "pages/CGlobalDlg.h"
#include "pages/COtherDlg.h"
#include "pages/CTieTuDlg.h"
#include "pages/CTitleDlg.h"
#include "pages/ConfigPage.h"
#include "pages/ValueLimits.h"
#include "platform/RuntimeLibrary.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

// The weather, notice and icon pages join when their headers exist; until then their tabs
// hold a placeholder (see ConfigPage.h for the constructor they must offer).
#if __has_include("pages/CWatherDlg.h")
#include "pages/CWatherDlg.h"
#define TAVRIN_HAVE_WEATHER_PAGE 1
#endif
#if __has_include("pages/CNoticeDlg.h")
#include "pages/CNoticeDlg.h"
#define TAVRIN_HAVE_NOTICE_PAGE 1
#endif
#if __has_include("pages/CTuBiaoDlg.h")
#include "pages/CTuBiaoDlg.h"
#define TAVRIN_HAVE_ICON_PAGE 1
#endif

namespace {

CArearCfgDlg* g_current = nullptr;

constexpr const char* kTitles[CArearCfgDlg::kTabCount] = {
    "全局设置", "图标功能", "名称栏目", "天气栏目", "公告栏目", "标语栏目", "贴图插图", "其它功能"};

// Order in which the pages are bound and filled, and the order in which they are saved.
constexpr CArearCfgDlg::Tab kLoadOrder[] = {CArearCfgDlg::kGlobalTab,  CArearCfgDlg::kTitleTab,
                                            CArearCfgDlg::kWeatherTab, CArearCfgDlg::kNoticeTab,
                                            CArearCfgDlg::kSloganTab,  CArearCfgDlg::kDecalTab,
                                            CArearCfgDlg::kOtherTab,   CArearCfgDlg::kIconTab};
constexpr CArearCfgDlg::Tab kSaveOrder[] = {CArearCfgDlg::kGlobalTab,  CArearCfgDlg::kTitleTab,
                                            CArearCfgDlg::kWeatherTab, CArearCfgDlg::kNoticeTab,
                                            CArearCfgDlg::kSloganTab,  CArearCfgDlg::kDecalTab,
                                            CArearCfgDlg::kIconTab,    CArearCfgDlg::kOtherTab};

class PlaceholderPage : public ConfigPage {
  public:
    explicit PlaceholderPage(QWidget* parent) : ConfigPage(parent) {
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel("此页面尚未提供。", this);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    void attachArea(ArearConfig&, CArearCfgDlg*, int) override {}
    void loadPage() override {}
    void savePage() override {}
};

ConfigPage* createPage(CArearCfgDlg::Tab tab, QWidget* parent) {
    switch (tab) {
        case CArearCfgDlg::kGlobalTab:
            return new CGlobalDlg(parent);
        case CArearCfgDlg::kTitleTab:
            return new CTitleDlg(parent);
        case CArearCfgDlg::kSloganTab:
            return new CBiaoYuDlg(parent);
        case CArearCfgDlg::kDecalTab:
            return new CTieTuDlg(parent);
        case CArearCfgDlg::kOtherTab:
            return new COtherDlg(parent);
#ifdef TAVRIN_HAVE_WEATHER_PAGE
        case CArearCfgDlg::kWeatherTab:
            return new CWatherDlg(parent);
#endif
#ifdef TAVRIN_HAVE_NOTICE_PAGE
        case CArearCfgDlg::kNoticeTab:
            return new CNoticeDlg(parent);
#endif
#ifdef TAVRIN_HAVE_ICON_PAGE
        case CArearCfgDlg::kIconTab:
            // The icon page saves the area after it changes the coordinate indices.
            CTuBiaoDlg::setHostSaveRequest(
                [](CArearCfgDlg* host) { return bool(host->saveRequest()); });
            return new CTuBiaoDlg(parent);
#endif
        default:
            return new PlaceholderPage(parent);
    }
}

template <typename T>
bool sameTemplates(const std::vector<T>& a, const std::vector<std::unique_ptr<T>>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i]->name || a[i].guid != b[i]->guid || a[i].lines != b[i]->lines)
            return false;
    return true;
}

template <typename T>
std::vector<T> copyTemplates(const std::vector<std::unique_ptr<T>>& list) {
    std::vector<T> out;
    for (const auto& t : list) out.push_back(*t);
    return out;
}

// Puts the saved templates back; in place when the list kept its length, so that pages
// holding a template keep a valid one.
template <typename T>
void restoreTemplates(const std::vector<T>& saved, std::vector<std::unique_ptr<T>>& list) {
    if (saved.size() == list.size()) {
        for (std::size_t i = 0; i < saved.size(); ++i) *list[i] = saved[i];
        return;
    }
    list.clear();
    for (const T& t : saved) list.push_back(std::make_unique<T>(t));
}

}  // namespace

// What a save writes for this window: the area's sections and the template lists the
// weather and notice pages edit.
struct CArearCfgDlg::Snapshot {
    ArearConfig area;
    std::vector<WeatherTemplate> weather;
    std::vector<NoticeTemplate> notice;

    bool sameAs(const Snapshot& o) const {
        const ArearConfig& a = area;
        const ArearConfig& b = o.area;
        return a.skin == b.skin && a.nameColumn == b.nameColumn && a.weather == b.weather &&
               a.notice == b.notice && a.slogan == b.slogan && a.decal == b.decal &&
               a.otherFunctions == b.otherFunctions && a.icon == b.icon &&
               sameTemplates(weather, toPointers(o.weather)) &&
               sameTemplates(notice, toPointers(o.notice));
    }

  private:
    template <typename T>
    static std::vector<std::unique_ptr<T>> toPointers(const std::vector<T>& v) {
        std::vector<std::unique_ptr<T>> out;
        for (const T& t : v) out.push_back(std::make_unique<T>(t));
        return out;
    }
};

CArearCfgDlg::CArearCfgDlg(GlobalConfig& config, int areaIndex, QWidget* parent)
    : QDialog(parent), config_(config), areaIndex_(areaIndex) {
    setObjectName("areaConfigWindow");
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    setWindowIcon(QApplication::windowIcon());
    g_current = this;

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    QSize largest;
    for (int t = 0; t < kTabCount; ++t) {
        // Each page scrolls, so that the window fits a small screen.
        auto* scroll = new QScrollArea(tabs_);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        ConfigPage* p = createPage(Tab(t), scroll);
        p->setObjectName(QString("page%1").arg(t));
        scroll->setWidget(p);
        pages_[std::size_t(t)] = p;
        tabs_->addTab(scroll, kTitles[t]);
        largest = largest.expandedTo(p->sizeHint());
    }
    tabs_->setCurrentIndex(kGlobalTab);
    static_cast<CGlobalDlg*>(page(kGlobalTab))
        ->setThemeHooks({[this](const std::string& descriptor) { return saveRequest(descriptor); },
                         [this] { reloadPages(area()); }, &config_});

    saveButton_ = new QPushButton("保存", this);
    saveButton_->setObjectName("saveButton");
    saveButton_->setAutoDefault(false);
    saveButton_->setMinimumWidth(80);
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveRequest(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    attachAndLoad(area());
    QSize size = largest + QSize(40, tabs_->tabBar()->sizeHint().height() +
                                         saveButton_->sizeHint().height() + 40);
    if (QScreen* s = screen()) size = size.boundedTo(s->availableGeometry().size() * 0.94);
    resize(size);
    setWindowTitle(QString::fromStdString("当前配置分区：" + area().name));
    takeBaseline();
}

CArearCfgDlg::~CArearCfgDlg() {
    if (g_current == this) g_current = nullptr;
}

CArearCfgDlg* CArearCfgDlg::current() { return g_current; }

ArearConfig& CArearCfgDlg::area() const {
    return *config_.areas[static_cast<std::size_t>(areaIndex_)];
}

void CArearCfgDlg::attachAndLoad(ArearConfig& area) {
    for (Tab t : kLoadOrder) {
        page(t)->attachArea(area, this, areaIndex_);
        page(t)->loadPage();
    }
}

void CArearCfgDlg::savePages() {
    for (Tab t : kSaveOrder) page(t)->savePage();
}

std::unique_ptr<CArearCfgDlg::Snapshot> CArearCfgDlg::snapshot() const {
    ProfileStore& store = ProfileStore::instance();
    auto s = std::make_unique<Snapshot>();
    s->area = area();
    s->weather = copyTemplates(store.weatherTemplates);
    s->notice = copyTemplates(store.noticeTemplates);
    return s;
}

void CArearCfgDlg::restore(const Snapshot& s) {
    ArearConfig& a = area();
    a.skin = s.area.skin;
    a.nameColumn = s.area.nameColumn;
    a.weather = s.area.weather;
    a.notice = s.area.notice;
    a.slogan = s.area.slogan;
    a.decal = s.area.decal;
    a.otherFunctions = s.area.otherFunctions;
    a.icon = s.area.icon;
    ProfileStore& store = ProfileStore::instance();
    restoreTemplates(s.weather, store.weatherTemplates);
    restoreTemplates(s.notice, store.noticeTemplates);
}

// The baseline is what the pages would save right now, so that the values a page merely
// normalises when it fills (upper-case colour digits) do not count as edits.
void CArearCfgDlg::takeBaseline() {
    saved_ = snapshot();
    savePages();
    baseline_ = snapshot();
    restore(*saved_);
}

bool CArearCfgDlg::hasUnsavedEdits() {
    auto before = snapshot();
    savePages();
    auto now = snapshot();
    restore(*before);
    return !now->sameAs(*baseline_) || !before->sameAs(*saved_);
}

Status CArearCfgDlg::saveRequest(const std::string& packagePath) {
    ProfileStore& store = ProfileStore::instance();
    auto before = snapshot();
    savePages();
    if (auto problem = overlongValue(area())) {
        restore(*before);
        ui::current().message(*problem, ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
        return Status::failure(*problem);
    }
    Status st = SaveEverything(store, config_, packagePath, areaIndex_);
    if (!st) {
        restore(*before);
        const std::string text = "配置保存失败：" + st.message;
        ui::current().message(text, ui::kCaption, ui::Icon::Error, ui::Buttons::Ok);
        return st;
    }
    if (!packagePath.empty()) return st;  // desk.ini still holds the last save
    saved_ = snapshot();
    baseline_ = snapshot();
    if (ui::current().askYesNo("配置设定保存完毕，是否测试效果？", ui::Icon::Question))
        runtime::RunDesk(area().name);
    return st;
}

void CArearCfgDlg::reloadPages(ArearConfig& area) {
    attachAndLoad(area);
    takeBaseline();
}

bool CArearCfgDlg::confirmClose() {
    if (!hasUnsavedEdits()) return true;
    if (!ui::current().askYesNo("当前分区的配置已修改但尚未保存，确定放弃这些修改并关闭吗？",
                                ui::Icon::Question))
        return false;
    // Page buttons that change a record at once (and template lists) are undone too, so
    // the model keeps what desk.ini holds.
    restore(*saved_);
    return true;
}

void CArearCfgDlg::reject() {
    if (confirmClose()) QDialog::reject();
}

void CArearCfgDlg::accept() {
    if (confirmClose()) QDialog::accept();
}
