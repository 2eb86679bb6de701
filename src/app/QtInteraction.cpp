#include "app/QtInteraction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "pages/CDlgCaption.h"

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

// The window that acts owns the box; at start-up there is none.
QWidget* owner() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) w = QApplication::activeWindow();
    return w;
}

QMessageBox::Icon boxIcon(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Information:
            return QMessageBox::Information;
        case ui::Icon::Warning:
            return QMessageBox::Warning;
        case ui::Icon::Error:
            return QMessageBox::Critical;
        case ui::Icon::Question:
            return QMessageBox::Question;
        case ui::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

ui::Answer QtInteraction::message(const std::string& text, const std::string& caption,
                                  ui::Icon icon, ui::Buttons buttons) {
    QMessageBox box(boxIcon(icon), q(caption), q(text), QMessageBox::NoButton, owner());
    switch (buttons) {
        case ui::Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case ui::Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case ui::Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case ui::Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (auto* b = box.button(QMessageBox::Yes)) b->setText("是(&Y)");
    if (auto* b = box.button(QMessageBox::No)) b->setText("否(&N)");
    if (auto* b = box.button(QMessageBox::Ok)) b->setText("确定");
    if (auto* b = box.button(QMessageBox::Cancel)) b->setText("取消");
    switch (box.exec()) {
        case QMessageBox::Yes:
            return ui::Answer::Yes;
        case QMessageBox::No:
            return ui::Answer::No;
        case QMessageBox::Ok:
            return ui::Answer::Ok;
        default:
            break;
    }
    // Closing the box by its close button or Escape is the cautious answer.
    return buttons == ui::Buttons::Ok            ? ui::Answer::Ok
           : buttons == ui::Buttons::OkCancel    ? ui::Answer::Cancel
           : buttons == ui::Buttons::YesNoCancel ? ui::Answer::Cancel
                                                 : ui::Answer::No;
}

std::optional<std::string> QtInteraction::chooseOpenFile(const std::string& title,
                                                         const std::string& filter,
                                                         const std::string& folder) {
    QString path = QFileDialog::getOpenFileName(owner(), q(title), q(folder), q(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtInteraction::chooseSaveFile(const std::string& title,
                                                         const std::string& filter,
                                                         const std::string& suggestedPath) {
    QString path = QFileDialog::getSaveFileName(owner(), q(title), q(suggestedPath), q(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtInteraction::promptForName(const std::string& caption,
                                                        const std::string& initial) {
    return ::promptForName(owner(), caption, initial);
}

void QtInteraction::openUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(q(url))); }
