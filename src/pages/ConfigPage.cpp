#include "pages/ConfigPage.h"

#include <QKeyEvent>

ConfigPage::ConfigPage(QWidget* parent) : QWidget(parent) {}

void ConfigPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();  // never reaches the dialog's accept or reject
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}
