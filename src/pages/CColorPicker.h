#pragma once
// The swatch button beside every colour text box of the pages, and its popup palette:
// 228 cells (twelve greys and the 216 colours whose channels are multiples of 51), a
// preview strip with the colour text, and picking of any pixel on the screen.
//
// Colours are the 32-bit RGB values of the store (red in the low byte, see parseColour).

#include <QAbstractButton>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>

// Geometry of the palette, in pixels. Offsets are from the palette's outer top-left corner,
// whose one-pixel border puts the client origin at (1, 1).
namespace colourpalette {
inline constexpr int kWidth = 191;  // outer size
inline constexpr int kHeight = 150;
inline constexpr int kColumns = 19;
inline constexpr int kRows = 12;
inline constexpr int kCells = kColumns * kRows;  // 228
inline constexpr int kGridHeight = 120;

// Colour of cell index (19 * row + column), 0 <= index < 228.
std::uint32_t cellColour(int index);
// Cell under an outer offset inside the grid; -1 on a grid line or outside the grid.
int cellAt(int outerX, int outerY);
// Client rectangle of a cell's 9 x 9 square.
QRect cellRect(int index);
// Outer top-left corner of a palette opened under a control (global rectangle) on a screen.
QPoint position(const QRect& control, const QRect& screen);
// Where the "more colours" button sits in the strip (client coordinates).
QRect moreButtonRect();
}  // namespace colourpalette

class CColorPicker : public QAbstractButton {
    Q_OBJECT
  public:
    explicit CColorPicker(QWidget* parent = nullptr);
    ~CColorPicker() override;

    // Stores the colour, notifies (colourChanged) and repaints.
    void setColour(std::uint32_t rgb);
    // Stores the colour and repaints without notifying: the swatch of a text that does not
    // parse, whose box keeps the text as stored.
    void showColour(std::uint32_t rgb);
    std::uint32_t colour() const { return colour_; }
    // "#" and two upper-case hexadecimal digits each of red, green and blue.
    QString colourText() const;

    // Opens the palette as a press on the control does.
    void openPalette();
    bool paletteOpen() const;
    // The open palette window of the process, or nullptr.
    static QWidget* openPaletteWindow();
    // Closes an open palette without taking a colour.
    static void cancelPalette();

    // Test seams: the screen sampler reads one pixel (global coordinates), the colour dialog
    // behind "more colours" returns a confirmed choice.
    using ScreenSampler = std::function<std::optional<std::uint32_t>(QPoint)>;
    using ColourDialog = std::function<std::optional<std::uint32_t>(std::uint32_t, QWidget*)>;
    static void setScreenSampler(ScreenSampler sampler);  // empty: grab the real screen
    static void setColourDialog(ColourDialog dialog);     // empty: QColorDialog

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // Emitted by every setColour, also when the colour stays the same.
    void colourChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class ColourPaletteWindow;
    void commit(std::uint32_t rgb);
    void chooseMoreColours();

    std::uint32_t colour_;
};
