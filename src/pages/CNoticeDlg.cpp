#include "pages/CNoticeDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include "desktop/FolderUtils.h"
#include "pages/CWatherDlg.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"
#include "store/TemplateStore.h"

using namespace pageui;

namespace {

QCheckBox* checkBox(QWidget* parent, const QString& text, const QString& name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

std::vector<std::unique_ptr<NoticeTemplate>>& noticeTemplates() {
    return ProfileStore::instance().noticeTemplates;
}

const templatebox::Texts kTexts{"新建公告模板", "公告模版名称不能为空，请重新新建！",
                                "公告模版删除成功！"};

}  // namespace

CNoticeDlg::CNoticeDlg(QWidget* parent) : ConfigPage(parent) {
    auto* general = new QGroupBox("综合设置", this);
    auto* g = new QGridLayout(general);
    shown_ = checkBox(general, "显示公告", "shown");
    position_ = new PositionEditor(general, true);
    titleBackground_ = new PictureList(general, "titleBackground");
    bodyBackground_ = new PictureList(general, "bodyBackground");
    // The hints go under their boxes so that the two upper groups fit side by side.
    addRow(g, 0, "", {shown_});
    addRow(g, 1, "X坐标：", {position_->xText, position_->xMode});
    g->addWidget(hintLabel(general, " * 大于0=从左向右计算；小于0=从右向左计算~"), 2, 1);
    addRow(g, 3, "Y坐标：", {position_->yText, position_->yMode});
    g->addWidget(hintLabel(general, " * 仅从上向下计算~小于0时顶部向上缩进！"), 4, 1);
    addRow(g, 5, "标题背景图片：", {titleBackground_});
    addRow(g, 6, "正文背景图片：", {bodyBackground_});
    g->setColumnStretch(1, 1);

    auto* title = new QGroupBox("标题设置", this);
    auto* t = new QGridLayout(title);
    titleShown_ = checkBox(title, "显示标题", "titleShown");
    titleEffect_ = checkBox(title, "文字特效", "titleEffect");
    titleBold_ = checkBox(title, "字体加粗", "titleBold");
    newLabel_ = checkBox(title, "显示New标签", "newLabelShown");
    titleText_ = textBox(title, "titleText");
    titleText_->setMinimumWidth(260);
    titleColour_ = new ColourEditor(title, "titleColour", "titleColourPicker");
    titleSize_ = digitsBox(title, "titleSize");
    titleSize_->setMaximumWidth(90);
    addRow(t, 0, "", {titleShown_, titleEffect_, titleBold_, newLabel_});
    addRow(t, 1, "标题内容：", {titleText_});
    addRow(t, 2, "字体颜色：", {titleColour_->box, titleColour_->picker});
    addRow(t, 3, "字体大小：", {titleSize_, hintLabel(title, " * 建议大小[ 15-30 ]")});
    t->setRowStretch(4, 1);
    t->setColumnStretch(1, 1);

    auto* body = new QGroupBox("公告内容", this);
    auto* b = new QGridLayout(body);
    templates_ = new QComboBox(body);
    templates_->setObjectName("templateList");
    templates_->setMinimumContentsLength(16);
    templates_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    newButton_ = new QPushButton("新建", body);
    newButton_->setObjectName("newTemplate");
    deleteButton_ = new QPushButton("删除", body);
    deleteButton_->setObjectName("deleteTemplate");
    divider_ = new PictureList(body, "divider");
    colour_ = new ColourEditor(body, "colour", "colourPicker");
    size_ = textBox(body, "size");
    size_->setMaximumWidth(90);
    effect_ = checkBox(body, "文字特效", "effect");
    alignCentre_ = new QRadioButton("居中", body);
    alignCentre_->setObjectName("alignCentre");
    alignLeft_ = new QRadioButton("靠左", body);
    alignLeft_->setObjectName("alignLeft");
    auto* alignGroup = new QButtonGroup(this);
    alignGroup->addButton(alignCentre_);
    alignGroup->addButton(alignLeft_);
    content_ = templatebox::make(body);
    content_->setMinimumHeight(130);
    addRow(b, 0, "模版文件：", {templates_, newButton_, deleteButton_});
    addRow(b, 1, "分割线图片：", {divider_});
    addRow(b, 2, "字体颜色：", {colour_->box, colour_->picker, effect_});
    addRow(b, 3, "字体大小：", {size_, hintLabel(body, " * 建议大小[ 15-30 ]")});
    addRow(b, 4, "对齐方式：", {alignCentre_, alignLeft_});
    b->addWidget(new QLabel("模版内容：", body), 5, 0, 1, 3);
    b->addWidget(content_, 6, 0, 1, 3);
    b->addWidget(
        hintLabel(body, "每行一条文本！格式如下：（默认使用上面的\"字体颜色\"与\"文字大小\"）"), 7,
        0, 1, 3);
    b->addWidget(hintLabel(body, "文本内容|颜色值(可空)|字体大小(可空)|B(字体加粗 可空)"), 8, 0, 1,
                 3);
    b->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(general, 1);
    top->addWidget(title, 1);
    layout->addLayout(top);
    layout->addWidget(body, 1);

    connect(shown_, &QCheckBox::clicked, this, &CNoticeDlg::applyEnabling);
    connect(titleShown_, &QCheckBox::clicked, this, &CNoticeDlg::applyTitleEnabling);
    connect(templates_, &QComboBox::activated, this, &CNoticeDlg::showTemplate);
    connect(newButton_, &QPushButton::clicked, this, &CNoticeDlg::newTemplate);
    connect(deleteButton_, &QPushButton::clicked, this, &CNoticeDlg::deleteTemplate);
}

void CNoticeDlg::attachSection(NoticeSection& record) { record_ = &record; }

void CNoticeDlg::attachArea(ArearConfig& area, CArearCfgDlg*, int) { attachSection(area.notice); }

void CNoticeDlg::loadPage() {
    if (record_) {
        const NoticeSection& r = *record_;
        templates_->clear();
        shown_->setChecked(r.shown);
        position_->load(r.position);
        colour_->load(r.colour);
        effect_->setChecked(r.effect);
        setNumber(size_, r.size);
        if (r.alignment != 0)
            alignLeft_->setChecked(true);
        else
            alignCentre_->setChecked(true);

        int match = -1;
        const auto& list = noticeTemplates();
        for (std::size_t i = 0; i < list.size(); ++i) {
            templates_->addItem(qs(list[i]->name));
            if (match < 0 && list[i]->guid == r.templateGuid) match = static_cast<int>(i);
        }
        templates_->setCurrentIndex(match);
        if (match >= 0) showTemplate(match);

        titleBackground_->load(backgroundPictures("标题"), r.titleBackground);
        bodyBackground_->load(backgroundPictures("背景"), r.bodyBackground);
        divider_->load(backgroundPictures("分割线"), r.divider);

        titleShown_->setChecked(r.titleShown);
        titleEffect_->setChecked(r.titleEffect);
        titleBold_->setChecked(r.titleBold);
        titleColour_->load(r.titleColour);
        setNumber(titleSize_, r.titleSize);
        titleText_->setText(qs(r.titleText));
        newLabel_->setChecked(r.newLabelShown);
    }
    applyEnabling();
}

void CNoticeDlg::savePage() {
    if (!record_) return;
    NoticeSection& r = *record_;
    r.shown = shown_->isChecked();
    position_->save(r.position);
    r.effect = effect_->isChecked();
    r.colour = colour_->text();
    r.size = number(size_);
    r.alignment = alignCentre_->isChecked() ? 0 : 1;

    auto& list = noticeTemplates();
    const int selected = templates_->currentIndex();
    if (selected < 0 || selected >= static_cast<int>(list.size())) return;
    list[static_cast<std::size_t>(selected)]->lines = templatebox::lines(content_->toPlainText());

    r.titleBackground = titleBackground_->value();
    r.bodyBackground = bodyBackground_->value();
    r.divider = divider_->value();
    r.titleShown = titleShown_->isChecked();
    r.titleEffect = titleEffect_->isChecked();
    r.titleBold = titleBold_->isChecked();
    r.titleColour = titleColour_->text();
    r.titleSize = number(titleSize_);
    r.titleText = ss(titleText_->text());
    r.newLabelShown = newLabel_->isChecked();
}

void CNoticeDlg::applyEnabling() {
    const bool on = shown_->isChecked();
    position_->setEnabled(on);
    colour_->setEnabled(on);
    titleColour_->setEnabled(on);
    for (QWidget* w : std::initializer_list<QWidget*>{
             size_, content_, titleSize_, titleText_, templates_, titleBackground_, bodyBackground_,
             titleShown_, effect_, newLabel_, titleEffect_, titleBold_, alignCentre_, alignLeft_,
             newButton_, deleteButton_})
        w->setEnabled(on);
    // The divider list follows neither switch.
    divider_->setEnabled(true);
}

void CNoticeDlg::applyTitleEnabling() {
    const bool on = titleShown_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{titleEffect_, titleBold_, newLabel_,
                                                      titleSize_, titleText_})
        w->setEnabled(on);
    titleColour_->setEnabled(on);
}

void CNoticeDlg::showTemplate(int index) {
    templatebox::show(noticeTemplates(), index, record_ ? &record_->templateGuid : nullptr,
                      content_);
}

void CNoticeDlg::newTemplate() {
    templatebox::create(noticeTemplates(), templates_, content_,
                        record_ ? &record_->templateGuid : nullptr, kTexts);
}

void CNoticeDlg::deleteTemplate() {
    templatebox::remove(noticeTemplates(), templates_, content_,
                        record_ ? &record_->templateGuid : nullptr, kTexts);
}
