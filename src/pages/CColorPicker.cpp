#include "pages/CColorPicker.h"

#include <QApplication>
#include <QColorDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>

#include "store/Encodings.h"

namespace colourpalette {

std::uint32_t cellColour(int index) {
    static constexpr int kGreys[kRows] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
    if (index < 0 || index >= kCells) return 0;
    const int r = index / kColumns;
    const int c = index % kColumns;
    int red, green, blue;
    if (c == 0) {
        red = green = blue = kGreys[r];
    } else {
        red = 51 * (3 * (r / 6) + (c - 1) / 6);
        green = 51 * ((c - 1) % 6);
        blue = 51 * (r % 6);
    }
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
}

int cellAt(int outerX, int outerY) {
    if (outerX < 0 || outerY < 0 || outerX >= kWidth || outerY >= kGridHeight) return -1;
    if (outerX % 10 == 0 || outerY % 10 == 0) return -1;  // a grid line or the border
    const int c = outerX / 10;
    if (c >= kColumns) return -1;
    return kColumns * (outerY / 10) + c;
}

QRect cellRect(int index) {
    const int r = index / kColumns;
    const int c = index % kColumns;
    return QRect(10 * c, 10 * r, 9, 9);
}

QPoint position(const QRect& control, const QRect& screen) {
    int left = control.left();
    int top = control.top() + control.height() - 1;
    const int maxLeft = screen.left() + screen.width() - kWidth;
    if (left > maxLeft)
        left = maxLeft;
    else if (left < screen.left())
        left = screen.left();
    if (top > screen.top() + screen.height() - kHeight) top -= kHeight;
    return {left, top};
}

QRect moreButtonRect() { return QRect(156, 125, 26, 18); }

}  // namespace colourpalette

namespace {

using namespace colourpalette;

QColor toQColor(std::uint32_t rgb) {
    return QColor(int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
}
std::uint32_t fromQColor(const QColor& c) {
    return std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 | std::uint32_t(c.blue()) << 16;
}

std::uint32_t buttonFace() { return fromQColor(QApplication::palette().color(QPalette::Button)); }

CColorPicker::ScreenSampler& samplerHook() {
    static CColorPicker::ScreenSampler hook;
    return hook;
}
CColorPicker::ColourDialog& dialogHook() {
    static CColorPicker::ColourDialog hook;
    return hook;
}

std::optional<std::uint32_t> sampleScreen(QPoint global) {
    if (samplerHook()) return samplerHook()(global);
    QScreen* screen = QGuiApplication::screenAt(global);
    if (!screen) return std::nullopt;
    const QPoint local = global - screen->geometry().topLeft();
    const QImage image = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (image.isNull()) return std::nullopt;
    return fromQColor(image.pixelColor(0, 0));
}

}  // namespace

// The palette: one per process, owned by the picker that opened it, holding the mouse while
// it is open so that a click anywhere on the screen reaches it.
class ColourPaletteWindow : public QWidget {
  public:
    explicit ColourPaletteWindow(CColorPicker* owner);
    ~ColourPaletteWindow() override;

    void start(std::uint32_t initialColour, QPoint pressGlobal);

    CColorPicker* owner;
    std::uint32_t current;
    std::uint32_t initial;
    QPoint press;
    bool moved = false;
    bool openingPress = false;  // the press on the control that opened the palette
    bool moreDown = false;
    bool cursorSet = false;  // the picking cursor is pushed once per palette

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void pointerAt(QPoint global);
    void setHovered(int cell);
    QRect clientToOuter(const QRect& r) const { return r.translated(1, 1); }
    void updateStrip() { update(clientToOuter(QRect(0, 120, 150, 25))); }
    void setPickingCursor(bool picking);

    QFont font_;
    bool picking_ = true;
};

namespace {
// Process-wide palette state: one palette at a time; the hovered cell outlives a palette.
QPointer<ColourPaletteWindow> g_palette;
int g_hovered = -1;
}  // namespace

ColourPaletteWindow::ColourPaletteWindow(CColorPicker* o)
    : QWidget(o, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      owner(o),
      current(buttonFace()),
      initial(current) {
    setObjectName("colourPalette");
    setWindowTitle("Palatte");
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    font_.setFamilies({"SimSun", "宋体", "NSimSun", "Noto Sans CJK SC", "Noto Sans Mono CJK SC"});
    font_.setPixelSize(12);
    font_.setWeight(QFont::Normal);
}

ColourPaletteWindow::~ColourPaletteWindow() = default;

void ColourPaletteWindow::start(std::uint32_t initialColour, QPoint pressGlobal) {
    current = initial = initialColour;
    press = pressGlobal;
    moved = false;
    openingPress = true;
    show();
    raise();
    grabMouse();
    grabKeyboard();
    if (!cursorSet) QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    cursorSet = true;
    picking_ = true;
    update();
}

void ColourPaletteWindow::setPickingCursor(bool picking) {
    if (picking == picking_ || !cursorSet) return;
    picking_ = picking;
    QGuiApplication::changeOverrideCursor(picking ? Qt::CrossCursor : Qt::ArrowCursor);
}

void ColourPaletteWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(100, 100, 100));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.translate(1, 1);
    // Grid lines, the strip and the preview frame.
    p.setPen(Qt::black);
    for (int c = 0; c <= 17; ++c) p.drawLine(10 * c + 9, 0, 10 * c + 9, 119);
    for (int r = 0; r <= 11; ++r) p.drawLine(0, 10 * r + 9, 189, 10 * r + 9);
    p.fillRect(QRect(0, 120, kWidth - 2, kHeight - 2 - 120), QColor(212, 208, 200));
    p.drawRect(QRect(4, 124, 36, 19));
    for (int i = 0; i < kCells; ++i) p.fillRect(cellRect(i), toQColor(cellColour(i)));
    if (g_hovered >= 0 && g_hovered < kCells) {
        const QRect focus = cellRect(g_hovered).adjusted(0, 0, 1, 1);
        p.setPen(Qt::white);
        p.drawRect(focus);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(focus);
    }
    p.fillRect(QRect(5, 125, 35, 18), toQColor(current));
    p.setFont(font_);
    p.setPen(Qt::black);
    p.drawText(QPoint(80, 127 + QFontMetrics(font_).ascent()),
               QString::fromStdString(formatColour(current)));
    // "More colours": a light-grey face with three overlapping squares.
    const QRect more = moreButtonRect();
    p.fillRect(more, QColor(212, 208, 200));
    p.setPen(moreDown ? QColor(64, 64, 64) : Qt::white);
    p.drawLine(more.topLeft(), more.topRight());
    p.drawLine(more.topLeft(), more.bottomLeft());
    p.setPen(moreDown ? Qt::white : QColor(64, 64, 64));
    p.drawLine(more.bottomLeft(), more.bottomRight());
    p.drawLine(more.topRight(), more.bottomRight());
    const QPoint o = more.center() - QPoint(5, 4) + (moreDown ? QPoint(1, 1) : QPoint());
    const QColor squares[] = {Qt::red, QColor(0, 160, 0), Qt::yellow};
    for (int i = 0; i < 3; ++i) {
        const QRect sq(o.x() + 2 * i, o.y() + 2 * i, 5, 5);
        p.fillRect(sq, squares[i]);
        p.setPen(Qt::black);
        p.drawRect(sq.adjusted(0, 0, -1, -1));
    }
}

void ColourPaletteWindow::setHovered(int cell) {
    if (cell == g_hovered) return;
    if (g_hovered >= 0) update(clientToOuter(cellRect(g_hovered).adjusted(-1, -1, 2, 2)));
    if (cell != -1) update(clientToOuter(cellRect(cell).adjusted(-1, -1, 2, 2)));
    updateStrip();
    g_hovered = cell;
}

void ColourPaletteWindow::pointerAt(QPoint global) {
    if (global == press) return;
    moved = true;
    const QPoint offset = global - pos();
    const bool inside = rect().contains(offset);
    if (inside && offset.y() < kGridHeight) {
        const int cell = cellAt(offset.x(), offset.y());
        if (cell != g_hovered && cell != -1) current = cellColour(cell);
        setHovered(cell);
        setPickingCursor(true);
    } else if (inside) {
        current = initial;
        setHovered(-1);
        updateStrip();
        setPickingCursor(false);
    } else {
        if (auto sample = sampleScreen(global)) current = *sample;
        updateStrip();
        setPickingCursor(true);
    }
}

void ColourPaletteWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    press = e->globalPosition().toPoint();
    moved = false;
    openingPress = false;
    moreDown = moreButtonRect().translated(1, 1).contains(e->position().toPoint());
    update();
}

void ColourPaletteWindow::mouseMoveEvent(QMouseEvent* e) {
    pointerAt(e->globalPosition().toPoint());
}

void ColourPaletteWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (moreDown) {
        moreDown = false;
        if (moreButtonRect().translated(1, 1).contains(e->position().toPoint())) {
            owner->chooseMoreColours();
            return;
        }
        update();
        return;
    }
    // A release ends a drag, or a click made inside the open palette; releasing the press
    // that opened the palette without moving leaves it open.
    if (moved || !openingPress) owner->commit(current);
}

void ColourPaletteWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        CColorPicker::cancelPalette();
        return;
    }
    e->accept();
}

// ------------------------------------------------------------------ the control

CColorPicker::CColorPicker(QWidget* parent) : QAbstractButton(parent), colour_(buttonFace()) {
    setFocusPolicy(Qt::StrongFocus);
    setToolTip("选择颜色");
}

CColorPicker::~CColorPicker() {
    if (g_palette && g_palette->owner == this) cancelPalette();
}

void CColorPicker::setColour(std::uint32_t rgb) {
    colour_ = rgb & 0xFFFFFF;
    emit colourChanged();
    update();
}

void CColorPicker::showColour(std::uint32_t rgb) {
    colour_ = rgb & 0xFFFFFF;
    update();
}

QString CColorPicker::colourText() const { return QString::fromStdString(formatColour(colour_)); }

bool CColorPicker::paletteOpen() const { return g_palette && g_palette->owner == this; }

QWidget* CColorPicker::openPaletteWindow() { return g_palette.data(); }

void CColorPicker::cancelPalette() {
    if (!g_palette) return;
    ColourPaletteWindow* window = g_palette;
    CColorPicker* owner = window->owner;
    g_palette = nullptr;
    if (window->cursorSet) QGuiApplication::restoreOverrideCursor();
    window->releaseKeyboard();
    window->releaseMouse();
    window->hide();
    window->deleteLater();
    owner->update();
}

void CColorPicker::setScreenSampler(ScreenSampler sampler) { samplerHook() = std::move(sampler); }
void CColorPicker::setColourDialog(ColourDialog dialog) { dialogHook() = std::move(dialog); }

void CColorPicker::openPalette() {
    if (g_palette && g_palette->owner != this) cancelPalette();
    if (!g_palette) g_palette = new ColourPaletteWindow(this);
    const QRect control(mapToGlobal(QPoint(0, 0)), size());
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect screenRect = s ? s->geometry() : QRect(0, 0, 1024, 768);
    g_palette->move(colourpalette::position(control, screenRect));
    g_palette->start(colour_, QCursor::pos());
    update();
}

void CColorPicker::commit(std::uint32_t rgb) {
    cancelPalette();
    if ((rgb & 0xFFFFFF) == colour_)
        update();
    else
        setColour(rgb);
}

void CColorPicker::chooseMoreColours() {
    const std::uint32_t initial = colour_;
    cancelPalette();
    std::optional<std::uint32_t> chosen;
    if (dialogHook()) {
        chosen = dialogHook()(initial, this);
    } else {
        const QColor c = QColorDialog::getColor(toQColor(initial), window(), "选择颜色");
        if (c.isValid()) chosen = fromQColor(c);
    }
    if (chosen) setColour(*chosen);
}

void CColorPicker::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !isEnabled()) {
        QAbstractButton::mousePressEvent(e);
        return;
    }
    openPalette();
    if (g_palette) g_palette->press = e->globalPosition().toPoint();
}

void CColorPicker::mouseReleaseEvent(QMouseEvent* e) {
    // The palette holds the mouse once open; a release that still arrives here is the
    // opening press's own and leaves the palette open.
    e->accept();
}

void CColorPicker::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_F4) {
        openPalette();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

QSize CColorPicker::sizeHint() const { return QSize(44, 22); }
QSize CColorPicker::minimumSizeHint() const { return QSize(30, 18); }

void CColorPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor dark = pal.color(QPalette::Shadow);
    QRect r = rect();
    p.fillRect(r, face);
    if (!paletteOpen()) {
        // Raised frame: white top and left, dark shadow bottom and right.
        p.setPen(Qt::white);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const QRect fill = r.adjusted(3, 3, -3, -3);
    QColor swatch = toQColor(colour_);
    if (!isEnabled())
        swatch = QColor::fromRgbF(swatch.redF() * 0.4 + face.redF() * 0.6,
                                  swatch.greenF() * 0.4 + face.greenF() * 0.6,
                                  swatch.blueF() * 0.4 + face.blueF() * 0.6);
    p.fillRect(fill, swatch);
    // Sunken edge one pixel outside the fill, with a notch at the bottom-right corner.
    const QRect edge = fill.adjusted(-1, -1, 1, 1);
    p.setPen(dark);
    p.drawLine(edge.topLeft(), edge.topRight());
    p.drawLine(edge.topLeft(), edge.bottomLeft());
    const QRect notch(edge.right() - 5, edge.bottom() - 3, 6, 4);
    p.setPen(Qt::white);
    p.drawLine(edge.bottomLeft(), QPoint(notch.left() - 1, edge.bottom()));
    p.drawLine(edge.topRight(), QPoint(edge.right(), notch.top() - 1));
    p.fillRect(notch, face);
    p.setPen(isEnabled() ? Qt::black : dark);
    const int cx = notch.left() + 3;
    for (int i = 0; i < 3; ++i) {
        const int half = 2 - i;
        p.drawLine(cx - half, notch.top() + i, cx + half - 0, notch.top() + i);
    }
    if (hasFocus()) {
        p.setPen(QPen(dark, 1, Qt::DotLine));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}
