#include "pages/CBiaoYuDlg.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "desktop/FolderUtils.h"
#include "store/Configuration.h"
#include "store/ProgramPaths.h"

using namespace pageui;

CBiaoYuDlg::CBiaoYuDlg(QWidget* parent) : ConfigPage(parent) {
    auto* general = new QGroupBox("综合设置", this);
    auto* g = new QGridLayout(general);
    shown_ = new QCheckBox("显示标语", general);
    shown_->setObjectName("shown");
    position_ = new PositionEditor(general, true);
    background_ = new PictureList(general, "background");
    g->addWidget(shown_, 0, 1);
    addRow(g, 1, "X坐标：", {position_->xText, position_->xMode},
           " * 大于0=从左向右计算；小于0=从右向左计算~");
    addRow(g, 2, "Y坐标：", {position_->yText, position_->yMode},
           " * 大于0=从上往下计算；小于0=从下往上计算~");
    addRow(g, 3, "背景图片：", {background_});
    g->setColumnStretch(2, 1);

    auto* slogan = new QGroupBox("标语内容", this);
    auto* s = new QGridLayout(slogan);
    effect_ = new QCheckBox("文字特效", slogan);
    effect_->setObjectName("effect");
    italic_ = new QCheckBox("文字斜体", slogan);
    italic_->setObjectName("italic");
    colour_ = new ColourEditor(slogan, "colour", "colourPicker");
    size_ = textBox(slogan, "size");
    size_->setMaximumWidth(90);
    content_ = textBox(slogan, "content");
    content_->setMinimumWidth(420);
    addRow(s, 0, "", {effect_, italic_});
    addRow(s, 1, "字体颜色：", {colour_->box, colour_->picker});
    addRow(s, 2, "字体大小：", {size_}, " * 建议大小[ 15-30 ]");
    s->addWidget(new QLabel("标语内容：", slogan), 3, 0, Qt::AlignRight);
    s->addWidget(content_, 3, 1, 1, 2);
    s->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(slogan);
    layout->addStretch();

    connect(shown_, &QCheckBox::clicked, this, &CBiaoYuDlg::applyEnabling);
}

void CBiaoYuDlg::attachSection(SloganSection& record) { record_ = &record; }

void CBiaoYuDlg::attachArea(ArearConfig& area, CArearCfgDlg*, int) { attachSection(area.slogan); }

void CBiaoYuDlg::loadPage() {
    if (!record_) return;
    const SloganSection& r = *record_;
    shown_->setChecked(r.shown);
    position_->load(r.position);
    effect_->setChecked(r.effect);
    italic_->setChecked(r.italic);
    colour_->load(r.colour);
    setNumber(size_, r.size);
    content_->setText(qs(r.content));
    background_->load(backgroundPictures(""), r.background);
    applyEnabling();
}

void CBiaoYuDlg::savePage() {
    if (!record_) return;
    SloganSection& r = *record_;
    r.shown = shown_->isChecked();
    position_->save(r.position);
    r.italic = italic_->isChecked();
    r.effect = effect_->isChecked();
    r.colour = colour_->text();
    r.size = number(size_);
    r.content = ss(content_->text());
    r.background = background_->value();
}

void CBiaoYuDlg::applyEnabling() {
    const bool on = shown_->isChecked();
    position_->setEnabled(on);
    colour_->setEnabled(on);
    for (QWidget* w : {static_cast<QWidget*>(effect_), static_cast<QWidget*>(italic_),
                       static_cast<QWidget*>(size_), static_cast<QWidget*>(content_),
                       static_cast<QWidget*>(background_)})
        w->setEnabled(on);
}
