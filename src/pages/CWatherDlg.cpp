#include "pages/CWatherDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include "desktop/FolderUtils.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"
#include "store/TemplateStore.h"

using namespace pageui;

namespace templatebox {

QPlainTextEdit* make(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName("content");
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

QString text(const std::vector<std::string>& lines) {
    QStringList parts;
    for (const std::string& line : lines) parts << qs(line);
    return parts.join('\n');
}

std::vector<std::string> lines(const QString& text) {
    std::vector<std::string> out;
    if (text.isEmpty()) return out;
    QString plain = text;
    plain.replace("\r\n", "\n");
    for (const QString& line : plain.split('\n')) out.push_back(ss(line));
    return out;
}

}  // namespace templatebox

namespace {

std::vector<std::string> iconSets() {
    std::vector<std::string> names;
    listDataFolder(paths::kWeather, "", ListMode::Folders, names);
    return names;
}

std::vector<std::unique_ptr<WeatherTemplate>>& weatherTemplates() {
    return ProfileStore::instance().weatherTemplates;
}

const templatebox::Texts kTexts{"新建天气模板", "天气模版名称不能为空，请重新新建！",
                                "天气模版删除成功！"};

}  // namespace

CWatherDlg::CWatherDlg(QWidget* parent) : ConfigPage(parent) {
    auto* upper = new QGroupBox("显示坐标", this);
    auto* g = new QGridLayout(upper);
    shown_ = new QCheckBox("显示天气", upper);
    shown_->setObjectName("shown");
    alignLeft_ = new QRadioButton("靠左", upper);
    alignLeft_->setObjectName("alignLeft");
    alignRight_ = new QRadioButton("靠右", upper);
    alignRight_->setObjectName("alignRight");
    auto* alignGroup = new QButtonGroup(this);
    alignGroup->addButton(alignLeft_);
    alignGroup->addButton(alignRight_);
    position_ = new PositionEditor(upper, true);
    iconStyle_ = new PictureList(upper, "iconStyle");
    weatherBackground_ = new PictureList(upper, "weatherBackground");
    calendarBackground_ = new PictureList(upper, "calendarBackground");
    addRow(g, 0, "", {shown_});
    addRow(g, 1, "主天气图标位置：", {alignLeft_, alignRight_});
    addRow(g, 2, "X坐标：", {position_->xText, position_->xMode},
           " * 大于0=从左向右计算，小于0=从右向左计算~");
    addRow(g, 3, "Y坐标：", {position_->yText, position_->yMode},
           " * 仅从上向下计算~小于0时顶部向上缩进！");
    addRow(g, 4, "图标风格：", {iconStyle_});
    addRow(g, 5, "天气背景：", {weatherBackground_});
    addRow(g, 6, "日历背景：", {calendarBackground_});
    g->setColumnStretch(2, 1);

    auto* lower = new QGroupBox("天气模版", this);
    auto* t = new QGridLayout(lower);
    templates_ = new QComboBox(lower);
    templates_->setObjectName("templateList");
    templates_->setMinimumContentsLength(16);
    templates_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    newButton_ = new QPushButton("新建", lower);
    newButton_->setObjectName("newTemplate");
    deleteButton_ = new QPushButton("删除", lower);
    deleteButton_->setObjectName("deleteTemplate");
    effect_ = new QCheckBox("文字特效（阴影或描边）", lower);
    effect_->setObjectName("effect");
    colour_ = new ColourEditor(lower, "colour", "colourPicker");
    size_ = textBox(lower, "size");
    size_->setMaximumWidth(90);
    content_ = templatebox::make(lower);
    content_->setMinimumHeight(150);
    addRow(t, 0, "模版文件：", {templates_, newButton_, deleteButton_, effect_});
    addRow(t, 1, "字体颜色：", {colour_->box, colour_->picker});
    addRow(t, 2, "字体大小：", {size_, hintLabel(lower, " * 建议大小[ 15-30 ]")});
    t->addWidget(new QLabel("模版内容：（不建议修改，行数固定不变）", lower), 3, 0, 1, 3);
    t->addWidget(content_, 4, 0, 1, 3);
    int row = 5;
    for (const char* line :
         {"变量说明：（文本内容|颜色值(可空)|字体大小(可空)|B(字体加粗 可空)",
          "$city=城市名  $YY=年  $MM=月  $DD=日  $W=星期X",
          "$year=卯(兔)年  $nuli=农历日期  $hday=当天的节日（仅在当天显示）",
          "$tq1=当天的天气情况!  $temp1=当天的温度情况!  $feng1=当天的风力情况！",
          "$tq2=明天的天气情况!  $temp2=明天的温度情况!  $feng2=明天的风力情况！",
          "$tq3=后天的天气情况!  $temp3=后天的温度情况!  $feng3=后天的风力情况！"})
        t->addWidget(hintLabel(lower, line), row++, 0, 1, 3);
    t->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(upper);
    layout->addWidget(lower, 1);

    connect(shown_, &QCheckBox::clicked, this, &CWatherDlg::applyEnabling);
    connect(templates_, &QComboBox::activated, this, &CWatherDlg::showTemplate);
    connect(newButton_, &QPushButton::clicked, this, &CWatherDlg::newTemplate);
    connect(deleteButton_, &QPushButton::clicked, this, &CWatherDlg::deleteTemplate);
}

void CWatherDlg::attachSection(WeatherSection& record) { record_ = &record; }

void CWatherDlg::attachArea(ArearConfig& area, CArearCfgDlg*, int) { attachSection(area.weather); }

void CWatherDlg::loadPage() {
    if (!record_) return;
    const WeatherSection& r = *record_;
    shown_->setChecked(r.shown);
    if (r.alignment == "-右")
        alignLeft_->setChecked(true);
    else
        alignRight_->setChecked(true);
    position_->load(r.position);
    colour_->load(r.colour);
    effect_->setChecked(r.effect);
    setNumber(size_, r.size);

    templates_->clear();
    int match = -1;
    const auto& list = weatherTemplates();
    for (std::size_t i = 0; i < list.size(); ++i) {
        templates_->addItem(qs(list[i]->name));
        if (match < 0 && list[i]->guid == r.templateGuid) match = static_cast<int>(i);
    }
    templates_->setCurrentIndex(match);
    if (match >= 0) showTemplate(match);

    iconStyle_->load(iconSets(), r.iconStyle);
    weatherBackground_->load(backgroundPictures("天气背景"), r.weatherBackground);
    calendarBackground_->load(backgroundPictures("日历"), r.calendarBackground);
    applyEnabling();
}

void CWatherDlg::savePage() {
    if (!record_) return;
    WeatherSection& r = *record_;
    r.alignment = alignLeft_->isChecked() ? "-右" : "右";
    r.shown = shown_->isChecked();
    position_->save(r.position);
    r.effect = effect_->isChecked();
    r.colour = colour_->text();
    r.size = number(size_);

    auto& list = weatherTemplates();
    const int selected = templates_->currentIndex();
    if (selected < 0 || selected >= static_cast<int>(list.size())) return;
    list[static_cast<std::size_t>(selected)]->lines = templatebox::lines(content_->toPlainText());
    r.iconStyle = iconStyle_->value();
    r.weatherBackground = weatherBackground_->value();
    r.calendarBackground = calendarBackground_->value();
}

void CWatherDlg::applyEnabling() {
    const bool on = shown_->isChecked();
    position_->setEnabled(on);
    colour_->setEnabled(on);
    for (QWidget* w : std::initializer_list<QWidget*>{size_, content_, templates_, iconStyle_,
                                                      weatherBackground_, effect_, alignLeft_,
                                                      alignRight_, newButton_, deleteButton_})
        w->setEnabled(on);
    // The calendar is drawn with or without the weather panel.
    calendarBackground_->setEnabled(true);
}

void CWatherDlg::showTemplate(int index) {
    templatebox::show(weatherTemplates(), index, record_ ? &record_->templateGuid : nullptr,
                      content_);
}

void CWatherDlg::newTemplate() {
    templatebox::create(weatherTemplates(), templates_, content_,
                        record_ ? &record_->templateGuid : nullptr, kTexts);
}

void CWatherDlg::deleteTemplate() {
    templatebox::remove(weatherTemplates(), templates_, content_,
                        record_ ? &record_->templateGuid : nullptr, kTexts);
}
