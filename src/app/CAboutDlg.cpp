#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/Artwork.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("aboutDialog");
    setWindowTitle("关于 Tavrin");
    setWindowIcon(artwork::appIcon());
    auto* icon = new QLabel(this);
    icon->setPixmap(artwork::appIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel("Tavrin，2015.1 版", this);
    version->setObjectName("versionLabel");
    auto* notice = new QLabel("网吧桌面配置程序。本软件由 Tavrin 开发，保留所有权利。", this);
    notice->setObjectName("noticeLabel");
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("确定", QDialogButtonBox::AcceptRole);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 18, 18, 12);
    grid->setHorizontalSpacing(14);
    grid->addWidget(icon, 0, 0, 2, 1);
    grid->addWidget(version, 0, 1);
    grid->addWidget(notice, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    setFixedSize(sizeHint());
}
