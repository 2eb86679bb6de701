// The colour picker: palette layout, placement, and the gestures that commit a colour.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "pages/CColorPicker.h"
#include "pages/PageWidgets.h"

using namespace colourpalette;

namespace {

std::uint32_t rgb(int r, int g, int b) {
    return std::uint32_t(r) | std::uint32_t(g) << 8 | std::uint32_t(b) << 16;
}

TEST(ColourPaletteLayout, CellColours) {
    struct Case {
        int index;
        int r, g, b;
    } cases[] = {
        {0, 255, 255, 255},       // top grey
        {19 * 10, 23, 23, 23},    // second-last grey
        {19 * 11, 0, 0, 0},       // black at the bottom of column 0
        {1, 0, 0, 0},             // first colour column, red group 0
        {6, 0, 255, 0},           // green rises to the right within a group
        {7, 51, 0, 0},            // next column group: red 51
        {18, 102, 255, 0},        // last column of the upper half
        {19 * 5 + 1, 0, 0, 255},  // blue rises downwards within six rows
        {19 * 6 + 1, 153, 0, 0},  // lower six rows: red 153 ...
        {19 * 11 + 18, 255, 255, 255},
        {19 * 8 + 9, 204, 102, 102},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellColour(c.index), rgb(c.r, c.g, c.b)) << "cell " << c.index;
}

TEST(ColourPaletteLayout, CellsUnderThePointer) {
    struct Case {
        int x, y, cell;
    } cases[] = {
        {1, 1, 0},    {9, 9, 0},       {10, 5, -1},   // vertical grid line
        {5, 10, -1},                                  // horizontal grid line
        {0, 0, -1},                                   // the border
        {15, 15, 20}, {189, 119, 227}, {190, 5, -1},  // right border
        {5, 120, -1},                                 // the strip below the grid
        {-3, 5, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(cellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(ColourPaletteLayout, PlacementAtScreenEdges) {
    const QRect screen(0, 0, 1024, 768);
    struct Case {
        QRect control;
        QRect screen;
        QPoint expected;
    } cases[] = {
        {QRect(100, 100, 44, 22), screen, QPoint(100, 121)},          // under the control
        {QRect(1000, 100, 44, 22), screen, QPoint(1024 - 191, 121)},  // right edge: shifted left
        {QRect(-5, 100, 44, 22), screen, QPoint(0, 121)},             // left edge
        {QRect(100, 700, 44, 22), screen, QPoint(100, 721 - 150)},    // bottom: up by 150
        {QRect(100, 596, 44, 22), screen, QPoint(100, 617)},          // still fits
        {QRect(2250, 10, 44, 22), QRect(1024, 0, 1280, 1024), QPoint(1024 + 1280 - 191, 31)},
    };
    for (const Case& c : cases) EXPECT_EQ(position(c.control, c.screen), c.expected);
}

// A page-like host: a colour box beside a picker.
class ColourPickerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.resize(200, 60);
        auto* layout = new QVBoxLayout(&host);
        editor = new pageui::ColourEditor(&host, "colour", "picker");
        layout->addWidget(editor->box);
        layout->addWidget(editor->picker);
        host.move(50, 50);
        host.show();
        CColorPicker::setScreenSampler(
            [](QPoint) { return std::optional<std::uint32_t>(0x123456); });
    }
    void TearDown() override {
        CColorPicker::cancelPalette();
        CColorPicker::setScreenSampler({});
        CColorPicker::setColourDialog({});
        QApplication::processEvents();
    }
    CColorPicker* picker() { return editor->picker; }
    QWidget* palette() { return CColorPicker::openPaletteWindow(); }

    static void send(QWidget* w, QEvent::Type type, QPoint global) {
        const QPointF local = type == QEvent::MouseMove || w->isWindow()
                                  ? QPointF(global - w->pos())
                                  : QPointF(w->mapFromGlobal(global));
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, local, local, QPointF(global), button, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // Presses on the picker: the palette opens under it.
    void pressPicker() {
        send(picker(), QEvent::MouseButtonPress, picker()->mapToGlobal(QPoint(5, 5)));
        ASSERT_NE(palette(), nullptr);
    }
    QPoint cellPoint(int index) {
        return palette()->pos() + QPoint(1, 1) + cellRect(index).center();
    }
    void move(QPoint global) { send(palette(), QEvent::MouseMove, global); }
    void clickAt(QPoint global) {
        move(global);
        send(palette(), QEvent::MouseButtonPress, global);
        send(palette(), QEvent::MouseButtonRelease, global);
    }

    QWidget host;
    pageui::ColourEditor* editor = nullptr;
};

TEST_F(ColourPickerTest, ClickOnACellCommitsItsColourInUpperCase) {
    editor->load("#ffffff");
    EXPECT_EQ(editor->box->text(), "#FFFFFF");  // the picker's notification reformats
    QSignalSpy changed(picker(), &CColorPicker::colourChanged);
    pressPicker();
    send(palette(), QEvent::MouseButtonRelease, picker()->mapToGlobal(QPoint(5, 5)));
    ASSERT_NE(palette(), nullptr) << "releasing the opening press without moving keeps it open";
    clickAt(cellPoint(19 * 6 + 7));  // red 204, green 0, blue 0
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(picker()->colour(), rgb(204, 0, 0));
    EXPECT_EQ(editor->box->text(), "#CC0000");
}

TEST_F(ColourPickerTest, CommittingTheSameColourDoesNotNotify) {
    editor->box->setText("#fFfFfF");
    picker()->showColour(rgb(255, 255, 255));
    QSignalSpy changed(picker(), &CColorPicker::colourChanged);
    pressPicker();
    clickAt(cellPoint(0));  // the white grey cell
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(editor->box->text(), "#fFfFfF");
}

TEST_F(ColourPickerTest, DragFromTheButtonCommitsOnRelease) {
    QSignalSpy changed(picker(), &CColorPicker::colourChanged);
    pressPicker();
    move(cellPoint(5));
    send(palette(), QEvent::MouseButtonRelease, cellPoint(5));
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(picker()->colour(), cellColour(5));
}

TEST_F(ColourPickerTest, PointerPositionsDecideTheCommittedColour) {
    struct Case {
        const char* what;
        int firstCell;  // hovered before the final point (-1: none)
        QPoint offset;  // final point, from the palette's outer corner
        bool outside;   // final point outside the palette
        std::uint32_t expected;
    } cases[] = {
        {"grid line keeps the last cell", 21, QPoint(30, 25), false, cellColour(21)},
        {"grey strip gives the initial colour", 21, QPoint(60, 135), false, rgb(1, 2, 3)},
        {"outside the palette gives the screen pixel", -1, QPoint(-40, -30), true, 0x123456},
    };
    for (const Case& c : cases) {
        picker()->setColour(rgb(1, 2, 3));
        pressPicker();
        move(palette()->pos() + QPoint(60, 135));  // the hovered cell outlives a palette
        if (c.firstCell >= 0) move(cellPoint(c.firstCell));
        clickAt(palette()->pos() + c.offset);
        EXPECT_EQ(palette(), nullptr) << c.what;
        EXPECT_EQ(picker()->colour(), c.expected) << c.what;
    }
}

TEST_F(ColourPickerTest, OnlyOnePaletteIsOpen) {
    CColorPicker other(&host);
    other.move(0, 30);
    other.show();
    pressPicker();
    EXPECT_TRUE(picker()->paletteOpen());
    send(&other, QEvent::MouseButtonPress, other.mapToGlobal(QPoint(3, 3)));
    EXPECT_FALSE(picker()->paletteOpen());
    EXPECT_TRUE(other.paletteOpen());
}

TEST_F(ColourPickerTest, MoreColoursGoesThroughTheColourDialog) {
    std::uint32_t offered = 0;
    CColorPicker::setColourDialog([&](std::uint32_t initial, QWidget*) {
        offered = initial;
        return std::optional<std::uint32_t>(rgb(10, 20, 30));
    });
    picker()->setColour(rgb(7, 8, 9));
    pressPicker();
    const QPoint more = palette()->pos() + QPoint(1, 1) + moreButtonRect().center();
    move(more);
    send(palette(), QEvent::MouseButtonPress, more);
    send(palette(), QEvent::MouseButtonRelease, more);
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(offered, rgb(7, 8, 9));
    EXPECT_EQ(editor->box->text(), "#0A141E");
}

TEST_F(ColourPickerTest, UnparsableTextStaysAndShowsBlack) {
    for (const char* text : {"", "red", "#12", "FFFFFF"}) {
        picker()->setColour(rgb(200, 200, 200));
        editor->load(text);
        EXPECT_EQ(editor->box->text(), QString(text));
        EXPECT_EQ(picker()->colour(), 0u) << text;
    }
}

TEST_F(ColourPickerTest, EscapeClosesWithoutTakingAColour) {
    picker()->setColour(rgb(1, 1, 1));
    pressPicker();
    move(cellPoint(30));
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(palette(), &esc);
    EXPECT_EQ(palette(), nullptr);
    EXPECT_EQ(picker()->colour(), rgb(1, 1, 1));
}

TEST_F(ColourPickerTest, Screenshot) {
    picker()->setColour(rgb(255, 0, 0));
    pressPicker();
    move(cellPoint(19 * 3 + 4));
    QDir().mkpath(QString(TAVRIN_BINARY_DIR) + "/screenshots");
    palette()
        ->grab()
        .scaled(191 * 3, 150 * 3)
        .save(QString(TAVRIN_BINARY_DIR) + "/screenshots/palette.png");
    picker()->resize(66, 33);
    picker()
        ->grab()
        .scaled(66 * 4, 33 * 4)
        .save(QString(TAVRIN_BINARY_DIR) + "/screenshots/picker_open.png");
    CColorPicker::cancelPalette();
    picker()
        ->grab()
        .scaled(66 * 4, 33 * 4)
        .save(QString(TAVRIN_BINARY_DIR) + "/screenshots/picker.png");
}

}  // namespace
