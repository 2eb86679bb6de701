#include <QEnterEvent>
#include <QTest>

#include "app/CClickStatic.h"
#include "app_util.h"

namespace {

TEST(ClickStatic, UnderlinedWhileHovered) {
    CClickStatic label("www.tavrin.example");
    label.resize(150, 20);
    label.show();
    EXPECT_FALSE(label.font().underline());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&label, &enter);
    EXPECT_TRUE(label.hovering());
    EXPECT_TRUE(label.font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_FALSE(label.hovering());
    EXPECT_FALSE(label.font().underline());
}

TEST(ClickStatic, ClickOpensTheAddressOrElseItsOwnText) {
    struct Case {
        const char* address;
        const char* opened;
    } cases[] = {
        {"", "http://text.example/"},
        {"http://address.example/", "http://address.example/"},
    };
    for (const Case& c : cases) {
        ui::ScriptedInteraction ui;
        ui::ScopedInteraction scope(ui);
        CClickStatic label("http://text.example/");
        label.setAddress(c.address);
        label.resize(150, 20);
        label.show();
        QTest::mouseClick(&label, Qt::LeftButton);
        EXPECT_EQ(ui.urls, std::vector<std::string>{c.opened});
        // A press that ends outside the label is no click.
        ui.urls.clear();
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(400, 5));
        EXPECT_TRUE(ui.urls.empty());
    }
}

}  // namespace
