#include "pages/CDlgCaption.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr const char* kDefaultLabel = "请输入坐标索引名称：";
constexpr std::string_view kNewPrefix = "新建";
}  // namespace

CDlgCaption::CDlgCaption(const QString& caption, const QString& label, QString& text,
                         QWidget* parent)
    : QDialog(parent), text_(text) {
    setObjectName("CDlgCaption");
    setWindowTitle(caption);
    setWindowIcon(QApplication::windowIcon());
    setModal(true);

    label_ = new QLabel(label, this);
    label_->setObjectName("label");
    edit_ = new QLineEdit(text, this);
    edit_->setObjectName("nameEdit");
    edit_->setMinimumWidth(260);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgCaption::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgCaption::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addWidget(buttons);

    edit_->selectAll();
    edit_->setFocus();
}

void CDlgCaption::accept() {
    text_ = edit_->text();  // exactly as typed: no trimming
    QDialog::accept();
}

int promptForName(QWidget* parent, const std::string& caption, const std::string& label,
                  std::string& text) {
    QString value = QString::fromStdString(text);
    CDlgCaption dlg(QString::fromStdString(caption), QString::fromStdString(label), value, parent);
    if (dlg.exec() != QDialog::Accepted) return 2;
    text = value.toStdString();
    return 1;
}

std::optional<std::string> promptForName(QWidget* parent, const std::string& caption,
                                         const std::string& initial) {
    std::string text = initial;
    if (promptForName(parent, caption, promptLabelFor(caption), text) != 1) return std::nullopt;
    return text;
}

std::string promptLabelFor(const std::string& caption) {
    if (caption.size() > kNewPrefix.size() && caption.starts_with(kNewPrefix))
        return "请输入新的" + caption.substr(kNewPrefix.size()) + "名称：";
    return kDefaultLabel;
}
