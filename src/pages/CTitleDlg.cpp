#include "pages/CTitleDlg.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "desktop/FolderUtils.h"
#include "store/Configuration.h"
#include "store/ProgramPaths.h"

using namespace pageui;

namespace {
QCheckBox* checkBox(QWidget* parent, const QString& text, const QString& name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}
QLineEdit* sizeBox(QWidget* parent, const QString& name) {
    QLineEdit* box = digitsBox(parent, name);
    box->setMaximumWidth(90);
    return box;
}
}  // namespace

CTitleDlg::CTitleDlg(QWidget* parent) : ConfigPage(parent) {
    auto* general = new QGroupBox("综合设置", this);
    auto* g = new QGridLayout(general);
    position_ = new PositionEditor(general, false);
    titleBackground_ = new PictureList(general, "titleBackground");
    bodyBackground_ = new PictureList(general, "bodyBackground");
    addRow(g, 0, "X坐标：", {position_->xText, position_->xMode},
           " * 大于0=从左向右计算；小于1=从右向左计算~");
    addRow(g, 1, "Y坐标：", {position_->yText, position_->yMode},
           " * 仅从上向下计算~小于0时顶部向上缩进！");
    addRow(g, 2, "标题背景图片：", {titleBackground_});
    addRow(g, 3, "正文背景图片：", {bodyBackground_});
    g->setColumnStretch(2, 1);

    auto* cafe = new QGroupBox("网吧名称", this);
    auto* c = new QGridLayout(cafe);
    cafeShown_ = checkBox(cafe, "显示网吧名称", "cafeNameShown");
    cafeBackground_ = checkBox(cafe, "显示背景", "backgroundShown");
    cafeEffect_ = checkBox(cafe, "文字特效", "cafeNameEffect");
    cafeBold_ = checkBox(cafe, "字体加粗", "cafeNameBold");
    cafeColour_ = new ColourEditor(cafe, "cafeNameColour", "cafeNameColourPicker");
    cafeSize_ = sizeBox(cafe, "cafeNameSize");
    addRow(c, 0, "", {cafeShown_, cafeBackground_, cafeEffect_, cafeBold_});
    addRow(c, 1, "字体颜色：", {cafeColour_->box, cafeColour_->picker});
    addRow(c, 2, "字体大小：", {cafeSize_}, " * 建议大小[ 15-30 ]");
    c->setColumnStretch(2, 1);

    auto* seat = new QGroupBox("显示机号", this);
    auto* s = new QGridLayout(seat);
    seatShown_ = checkBox(seat, "显示机号", "seatNumberShown");
    seatEffect_ = checkBox(seat, "文字特效", "seatNumberEffect");
    seatBold_ = checkBox(seat, "字体加粗", "seatNumberBold");
    seatOffset_ = sizeBox(seat, "seatNumberOffset");
    seatColour_ = new ColourEditor(seat, "seatNumberColour", "seatNumberColourPicker");
    seatSize_ = sizeBox(seat, "seatNumberSize");
    seatContent_ = textBox(seat, "seatNumberContent");
    seatContent_->setMinimumWidth(260);
    addRow(s, 0, "", {seatShown_, seatEffect_, seatBold_});
    addRow(s, 1, "机号偏移：", {seatOffset_},
           " * 机号偏移功能可以将100号机显示为90号机，默认0=不偏移");
    addRow(s, 2, "字体颜色：", {seatColour_->box, seatColour_->picker});
    addRow(s, 3, "字体大小：", {seatSize_}, " * 建议大小[ 15-25 ]");
    addRow(s, 4, "显示内容：", {seatContent_}, " * 分区模式下可以直接写入分区名称~！");
    auto* note = hintLabel(seat,
                           "备注：$ID1=计算机纯数字|$ID2=完整机器名|$ID3=计算机纯数字["
                           "不足3位自动补0]|$IP1=完整IP地址");
    note->setWordWrap(true);
    s->addWidget(note, 5, 0, 1, 3);
    s->setColumnStretch(2, 1);

    auto* price = new QGroupBox("收费标准", this);
    auto* p = new QGridLayout(price);
    priceShown_ = checkBox(price, "显示收费标准", "priceListShown");
    priceEffect_ = checkBox(price, "文字特效", "priceListEffect");
    priceBold_ = checkBox(price, "字体加粗", "priceListBold");
    priceColour_ = new ColourEditor(price, "priceListColour", "priceListColourPicker");
    priceSize_ = sizeBox(price, "priceListSize");
    priceContent_ = textBox(price, "priceListContent");
    priceContent_->setMinimumWidth(260);
    addRow(p, 0, "", {priceShown_, priceEffect_, priceBold_});
    addRow(p, 1, "字体颜色：", {priceColour_->box, priceColour_->picker});
    addRow(p, 2, "字体大小：", {priceSize_}, " * 建议大小[ 15-30 ]");
    addRow(p, 3, "显示内容：", {priceContent_});
    p->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(cafe);
    layout->addWidget(seat);
    layout->addWidget(price);
    layout->addStretch();

    for (QCheckBox* box : {cafeShown_, seatShown_, priceShown_})
        connect(box, &QCheckBox::clicked, this, &CTitleDlg::applyEnabling);
}

void CTitleDlg::attachSection(NameColumnSection& record) { record_ = &record; }

void CTitleDlg::attachArea(ArearConfig& area, CArearCfgDlg*, int) {
    attachSection(area.nameColumn);
}

void CTitleDlg::loadPage() {
    if (!record_) return;
    const NameColumnSection& r = *record_;
    position_->load(r.position);
    cafeShown_->setChecked(r.cafeNameShown);
    cafeBackground_->setChecked(r.backgroundShown);
    cafeEffect_->setChecked(r.cafeNameEffect);
    cafeColour_->load(r.cafeNameColour);
    setNumber(cafeSize_, r.cafeNameSize);
    seatShown_->setChecked(r.seatNumberShown);
    seatEffect_->setChecked(r.seatNumberEffect);
    seatColour_->load(r.seatNumberColour);
    setNumber(seatOffset_, r.seatNumberOffset);
    setNumber(seatSize_, r.seatNumberSize);
    seatContent_->setText(qs(r.seatNumberContent));
    priceShown_->setChecked(r.priceListShown);
    priceEffect_->setChecked(r.priceListEffect);
    priceColour_->load(r.priceListColour);
    setNumber(priceSize_, r.priceListSize);
    priceContent_->setText(qs(r.priceListContent));
    cafeBold_->setChecked(r.cafeNameBold);
    seatBold_->setChecked(r.seatNumberBold);
    priceBold_->setChecked(r.priceListBold);
    titleBackground_->load(backgroundPictures("标题"), r.titleBackground);
    bodyBackground_->load(backgroundPictures("背景"), r.bodyBackground);
    applyEnabling();
}

void CTitleDlg::savePage() {
    if (!record_) return;
    NameColumnSection& r = *record_;
    position_->save(r.position);
    r.cafeNameShown = cafeShown_->isChecked();
    r.backgroundShown = cafeBackground_->isChecked();
    r.cafeNameEffect = cafeEffect_->isChecked();
    r.cafeNameColour = cafeColour_->text();
    r.cafeNameSize = number(cafeSize_);
    r.seatNumberShown = seatShown_->isChecked();
    r.seatNumberEffect = seatEffect_->isChecked();
    r.seatNumberOffset = number(seatOffset_);
    r.seatNumberColour = seatColour_->text();
    r.seatNumberSize = number(seatSize_);
    r.seatNumberContent = ss(seatContent_->text());
    r.priceListShown = priceShown_->isChecked();
    r.priceListEffect = priceEffect_->isChecked();
    r.priceListColour = priceColour_->text();
    r.priceListSize = number(priceSize_);
    r.priceListContent = ss(priceContent_->text());
    r.cafeNameBold = cafeBold_->isChecked();
    r.seatNumberBold = seatBold_->isChecked();
    r.priceListBold = priceBold_->isChecked();
    r.titleBackground = titleBackground_->value();
    r.bodyBackground = bodyBackground_->value();
}

void CTitleDlg::applyEnabling() {
    const bool cafe = cafeShown_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(cafeBackground_), static_cast<QWidget*>(cafeEffect_),
                       static_cast<QWidget*>(cafeSize_), static_cast<QWidget*>(cafeBold_)})
        w->setEnabled(cafe);
    cafeColour_->setEnabled(cafe);
    const bool seat = seatShown_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(seatEffect_), static_cast<QWidget*>(seatOffset_),
                       static_cast<QWidget*>(seatSize_), static_cast<QWidget*>(seatContent_),
                       static_cast<QWidget*>(seatBold_)})
        w->setEnabled(seat);
    seatColour_->setEnabled(seat);
    const bool price = priceShown_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(priceEffect_), static_cast<QWidget*>(priceSize_),
                       static_cast<QWidget*>(priceContent_), static_cast<QWidget*>(priceBold_)})
        w->setEnabled(price);
    priceColour_->setEnabled(price);
}
