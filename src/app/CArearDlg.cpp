#include "app/CArearDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Artwork.h"
#include "app/IpAddress.h"
#include "platform/UserInteraction.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
QLineEdit* ipEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setValidator(new Ipv4Validator(e));
    e->setPlaceholderText("0.0.0.0");
    e->setMaxLength(15);
    return e;
}
}  // namespace

CArearDlg::CArearDlg(GlobalConfig& config, Mode mode, int areaIndex, QWidget* parent)
    : QDialog(parent), config_(config), mode_(mode), index_(areaIndex) {
    setObjectName("areaDialog");
    setWindowTitle("增加分区");
    setWindowIcon(artwork::appIcon());

    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    name_ = new QLineEdit(frame);
    name_->setObjectName("nameEdit");
    auto* hint = new QLabel("* 如：游戏区、普通区等！", frame);
    startIp_ = ipEdit(frame, "startIpEdit");
    endIp_ = ipEdit(frame, "endIpEdit");
    reference_ = new QComboBox(frame);
    reference_->setObjectName("referenceList");

    grid->addWidget(new QLabel("分区名称：", frame), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(hint, 1, 1);
    grid->addWidget(new QLabel("起始 I P：", frame), 2, 0);
    grid->addWidget(startIp_, 2, 1);
    grid->addWidget(new QLabel("结束 I P:", frame), 3, 0);
    grid->addWidget(endIp_, 3, 1);
    grid->addWidget(new QLabel("参考配置:", frame), 4, 0);
    grid->addWidget(reference_, 4, 1);

    auto* ok = new QPushButton("确定", frame);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("取消", frame);
    cancel->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 190);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 6, 10, 10);
    outer->addWidget(frame);

    connect(ok, &QPushButton::clicked, this, &CArearDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (const auto& area : config_.areas) reference_->addItem(QString::fromStdString(area->name));
    const bool modifying =
        mode_ == Modify && index_ >= 0 && static_cast<std::size_t>(index_) < config_.areas.size();
    if (modifying) {
        const ArearConfig& area = *config_.areas[static_cast<std::size_t>(index_)];
        name_->setText(QString::fromStdString(area.name));
        startIp_->setText(QString::fromStdString(area.startIp));
        endIp_->setText(QString::fromStdString(area.endIp));
        reference_->setCurrentIndex(index_);
        // The reference only matters when a new area is made from it.
        reference_->setEnabled(false);
    } else if (reference_->count() > 0) {
        reference_->setCurrentIndex(0);
    }
    setFixedSize(sizeHint());
}

void CArearDlg::onOk() {
    ui::UserInteraction& ui = ui::current();
    const std::string name = name_->text().toStdString();
    const int except = mode_ == Modify ? index_ : -1;
    if (auto problem = checkAreaName(config_, name, except)) {
        ui.message(*problem, ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
        name_->setFocus();
        return;
    }
    auto start = ipv4::normalise(startIp_->text().toStdString());
    auto end = ipv4::normalise(endIp_->text().toStdString());
    if (!start || !end) {
        ui.message("请填写完整的IP地址，例如 192.168.1.10。", ui::kCaption, ui::Icon::Warning,
                   ui::Buttons::Ok);
        (start ? endIp_ : startIp_)->setFocus();
        return;
    }

    ProfileStore& store = ProfileStore::instance();
    const bool adding = mode_ == Add;
    Status st = adding ? AddArea(store, config_, name, *start, *end, reference_->currentIndex())
                       : ModifyArea(store, config_, index_, name, *start, *end);
    if (st) {
        ui.message(adding ? "添加新分区操作成功！" : "修改分区操作成功！", ui::kCaption,
                   ui::Icon::Warning, ui::Buttons::Ok);
        accept();
        return;
    }
    std::string text = adding ? "添加新分区操作失败！" : "修改分区操作失败！";
    if (!st.message.empty()) text += "\n" + st.message;
    ui.message(text, ui::kCaption, ui::Icon::Error, ui::Buttons::Ok);
}
