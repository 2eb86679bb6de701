#include "pages/CTieTuDlg.h"

#include <QGroupBox>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "desktop/FolderUtils.h"
#include "store/Configuration.h"
#include "store/ProgramPaths.h"

using namespace pageui;

std::optional<QDate> parseDecalDate(const std::string& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([0-9]{1,9})\\s*年\\s*([0-9]{1,9})\\s*月\\s*([0-9]{1,9})\\s*日"));
    const QRegularExpressionMatch m = pattern.match(qs(text));
    if (!m.hasMatch()) return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid()) return std::nullopt;
    return date;
}

std::string formatDecalDate(const QDate& date) {
    return std::to_string(date.year()) + "年" + std::to_string(date.month()) + "月" +
           std::to_string(date.day()) + "日";
}

namespace {
QDateEdit* datePicker(QWidget* parent, const QString& name) {
    auto* picker = new QDateEdit(QDate::currentDate(), parent);
    picker->setObjectName(name);
    picker->setDisplayFormat("yyyy年M月d日");
    picker->setCalendarPopup(true);
    picker->setMinimumWidth(150);
    return picker;
}
}  // namespace

CTieTuDlg::CTieTuDlg(QWidget* parent) : ConfigPage(parent) {
    auto* decal = new QGroupBox("节日贴图", this);
    auto* d = new QGridLayout(decal);
    decalShown_ = new QCheckBox("显示节日贴图", decal);
    decalShown_->setObjectName("decalShown");
    picture_ = textBox(decal, "picture");
    picture_->setMinimumWidth(180);
    automatic_ = new QPushButton("自动", decal);
    automatic_->setObjectName("automaticPicture");
    choose_ = new QPushButton("手动选择", decal);
    choose_->setObjectName("choosePicture");
    position_ = new PositionEditor(decal, false);
    start_ = datePicker(decal, "startDate");
    end_ = datePicker(decal, "endDate");
    d->addWidget(decalShown_, 0, 1);
    addRow(d, 1, "节日图片：", {picture_, automatic_, choose_});
    addRow(d, 2, "X坐标：", {position_->xText, position_->xMode},
           " * 大于0=从左向右计算；小于0=从右向左计算~");
    addRow(d, 3, "Y坐标：", {position_->yText, position_->yMode},
           " * 大于0=从上往下计算；小于0=从下往上计算~");
    addRow(d, 4, "开始时间：", {start_});
    addRow(d, 5, "结束时间：", {end_});
    d->setColumnStretch(2, 1);

    auto* illustration = new QGroupBox("壁纸插图", this);
    auto* i = new QGridLayout(illustration);
    illustrationsShown_ = new QCheckBox("显示壁纸插图", illustration);
    illustrationsShown_->setObjectName("illustrationsShown");
    content_ = textBox(illustration, "illustrationContent");
    content_->setMaxLength(1024);
    i->addWidget(illustrationsShown_, 0, 1);
    i->addWidget(new QLabel("插图内容：", illustration), 1, 0, Qt::AlignRight);
    i->addWidget(content_, 1, 1);
    int row = 2;
    for (const char* line :
         {"插图是指在壁纸上添加一些透明素材，使桌面壁纸更换个性化！", "插图内容的可格式化如下：",
          "图片1.png_X坐标_Y坐标|图片2.png_X坐标_Y坐标|图片3.png_X坐标_Y坐标",
          "可选差数：X=水平居中或X=垂直居中",
          "可选：图片名设为“随机”，可以随机显示“插图目录中的PNG哦~”"})
        i->addWidget(hintLabel(illustration, line), row++, 1);
    i->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(decal);
    layout->addWidget(illustration);
    layout->addStretch();

    connect(decalShown_, &QCheckBox::clicked, this, &CTieTuDlg::applyEnabling);
    connect(illustrationsShown_, &QCheckBox::clicked, this, &CTieTuDlg::applyEnabling);
    connect(automatic_, &QPushButton::clicked, this, &CTieTuDlg::automaticPicture);
    connect(choose_, &QPushButton::clicked, this, &CTieTuDlg::choosePicture);
}

void CTieTuDlg::attachSection(DecalSection& record) { record_ = &record; }

void CTieTuDlg::attachArea(ArearConfig& area, CArearCfgDlg*, int) { attachSection(area.decal); }

void CTieTuDlg::loadPage() {
    if (record_) {
        const DecalSection& r = *record_;
        decalShown_->setChecked(r.decalShown);
        picture_->setEnabled(!r.automaticPicture);
        picture_->setText(r.automaticPicture ? QString("自动") : qs(r.picture));
        position_->load(r.position);
        if (auto date = parseDecalDate(r.startDate)) start_->setDate(*date);
        if (auto date = parseDecalDate(r.endDate)) end_->setDate(*date);
        illustrationsShown_->setChecked(r.illustrationsShown);
        content_->setText(qs(r.illustrationContent));
    }
    applyEnabling();
}

void CTieTuDlg::savePage() {
    if (!record_) return;
    DecalSection& r = *record_;
    r.decalShown = decalShown_->isChecked();
    position_->save(r.position);
    r.picture = ss(picture_->text());
    r.startDate = formatDecalDate(start_->date());
    r.endDate = formatDecalDate(end_->date());
    r.illustrationsShown = illustrationsShown_->isChecked();
    r.illustrationContent = ss(content_->text());
}

void CTieTuDlg::applyEnabling() {
    const bool decal = decalShown_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(picture_), static_cast<QWidget*>(start_),
                       static_cast<QWidget*>(end_), static_cast<QWidget*>(automatic_),
                       static_cast<QWidget*>(choose_)})
        w->setEnabled(decal);
    position_->setEnabled(decal);
    content_->setEnabled(illustrationsShown_->isChecked());
}

void CTieTuDlg::automaticPicture() {
    if (record_) record_->automaticPicture = true;
    picture_->setEnabled(false);
    picture_->setText("自动");
}

void CTieTuDlg::choosePicture() {
    std::string chosen;
    if (!chooseOpenFile({{"png文件(*.png)", "*.*"}}, paths::inProgram(paths::kDecals), false,
                        chosen))
        return;
    if (record_) record_->automaticPicture = false;
    picture_->setEnabled(true);
    picture_->setText(qs(chosen));
}
