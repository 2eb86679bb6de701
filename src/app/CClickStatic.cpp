#include "app/CClickStatic.h"

#include <QMouseEvent>

#include "platform/UserInteraction.h"

CClickStatic::CClickStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(pal);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void CClickStatic::setHover(bool on) {
    if (hover_ == on) return;
    hover_ = on;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
    update();
}

void CClickStatic::enterEvent(QEnterEvent* event) {
    setHover(true);
    QLabel::enterEvent(event);
}

void CClickStatic::leaveEvent(QEvent* event) {
    setHover(false);
    QLabel::leaveEvent(event);
}

void CClickStatic::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    QLabel::mousePressEvent(event);
}

void CClickStatic::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (!click) return;
    if (address_.empty()) address_ = text().toStdString();
    ui::current().openUrl(address_);
}
