#pragma once
// Capture of the icon captions and positions of the operator's own desktop into a
// coordinate index. The platform decides where they come from: on Windows the shell's
// desktop list view, read across processes; elsewhere the file in which the desktop
// manager records where the icons stand (PCManFM, Xfce). Tests install a fake.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct CoordinateIndex;

namespace capture {

struct DesktopIcon {
    std::string label;  // the caption as the desktop shows it (UTF-8)
    int x = 0;
    int y = 0;
    bool operator==(const DesktopIcon&) const = default;
};

enum class Outcome {
    Captured,     // the icons were read (possibly none: an empty desktop)
    NotRecorded,  // this desktop keeps no icon positions anywhere we can read
};

struct Result {
    Outcome outcome = Outcome::NotRecorded;
    std::vector<DesktopIcon> icons;
    std::string source;  // what was read (file path or "shell"), for diagnostics
};

class IconCapture {
  public:
    virtual ~IconCapture() = default;
    virtual Result capture() = 0;
};

// The installed capture (the platform's unless a test installed another).
IconCapture& current();
void install(IconCapture* impl);  // not owned; nullptr restores the platform's

class ScopedCapture {
  public:
    explicit ScopedCapture(IconCapture& impl) { install(&impl); }
    ~ScopedCapture() { install(nullptr); }
    ScopedCapture(const ScopedCapture&) = delete;
    ScopedCapture& operator=(const ScopedCapture&) = delete;
};

// Told to the operator when a capture finds nothing it can read.
inline constexpr const char* kNotRecordedMessage =
    "当前桌面环境没有记录桌面图标的位置，无法获取图标坐标。";

// Captions are stored as at most this many cp936 bytes (the shell hands out 511).
inline constexpr std::size_t kMaxCaptionBytes = 511;
// Cuts a UTF-8 caption to at most maxBytes cp936 bytes, on a character boundary.
std::string clipCaption(std::string_view utf8, std::size_t maxBytes = kMaxCaptionBytes);

// "x|y", the position text of a placement.
std::string formatPosition(int x, int y);

// ---------------------------------------------------------------------------------------
// Desktop managers that record icon positions in a file (everything but Windows).

// [item name] groups with x=/y= keys (pcmanfm) or pos=@Point(x y) (pcmanfm-qt); the
// group "*" holds the desktop's own settings. Names are the files on the desktop.
std::vector<DesktopIcon> parsePcmanfmDesktopItems(std::string_view text);

// xfdesktop's icons.screen*.rc: [label] groups with row= and col= grid cells; the
// version group is skipped. Positions are the cells' corners for the given pitch.
struct GridPitch {
    int cellWidth = 132;  // xfdesktop's cell for its default 48-pixel icons
    int cellHeight = 132;
};
std::vector<DesktopIcon> parseXfdesktopIcons(std::string_view text, GridPitch pitch = {});
// The icon size set in xfdesktop's settings file (xfce4-desktop.xml), 0 when absent;
// the grid pitch follows from it.
int parseXfdesktopIconSize(std::string_view xml);
GridPitch xfdesktopPitch(int iconSize);

// The caption a desktop shows for a file on it: a launcher's (localised) Name when the
// launcher can be read, else the file name without ".desktop".
std::string captionForDesktopFile(const std::string& desktopFolder, const std::string& fileName,
                                  const std::string& language);
// Name[lang] / Name[lang-without-region] / Name of a launcher's [Desktop Entry] group.
std::string launcherName(std::string_view desktopEntryText, const std::string& language);

struct XdgLocations {
    std::string configHome;      // $XDG_CONFIG_HOME or ~/.config
    std::string desktopFolder;   // the user's desktop folder
    std::string currentDesktop;  // $XDG_CURRENT_DESKTOP
    std::string language;        // $LANG without encoding, e.g. zh_CN
};
XdgLocations xdgLocationsFromEnvironment();

class XdgIconCapture : public IconCapture {
  public:
    explicit XdgIconCapture(XdgLocations where) : where_(std::move(where)) {}
    Result capture() override;

  private:
    XdgLocations where_;
};

// ---------------------------------------------------------------------------------------
// The Windows shell's desktop list view, reached across processes. The capture loop is
// written against this seam so that its record layouts and answers can be tested anywhere.

inline constexpr unsigned kLvmGetItemCount = 0x1004;
inline constexpr unsigned kLvmGetItemRect = 0x100E;
inline constexpr unsigned kLvmGetItemPosition = 0x1010;
inline constexpr unsigned kLvmGetItemTextA = 0x102D;
inline constexpr int kLvirIcon = 1;
inline constexpr std::size_t kCaptionBufferBytes = 512;

// The item request record: 60 bytes in the 32-bit layout (text pointer at 20, capacity at
// 24), 64 bytes in the 64-bit layout (mask, item, sub-item at 0/4/8, pointer at 24 as 8
// bytes, capacity at 32). Little-endian.
std::vector<unsigned char> itemTextRequest(bool layout64, int item, std::uint64_t textAddress);

class ShellListView {
  public:
    virtual ~ShellListView() = default;
    // Blocks in the shell's process; 0 when one cannot be reserved.
    virtual std::uint64_t reserve(std::size_t bytes) = 0;
    virtual void release(std::uint64_t address) = 0;
    virtual bool write(std::uint64_t address, const void* data, std::size_t bytes) = 0;
    virtual bool read(std::uint64_t address, void* data, std::size_t bytes) = 0;
    virtual std::intptr_t send(unsigned message, std::uintptr_t wParam, std::uint64_t lParam) = 0;
    virtual void trace(const std::string& text) = 0;
};

// Variant A (32-bit Windows: item positions) or B (64-bit Windows: icon rectangles):
// appends one icon per list view item, in item order. Captions arrive as cp936.
void captureFromListView(ShellListView& view, bool variantB, std::vector<DesktopIcon>& out);

// Window handles as numbers (0 = none) and the three window queries the walk needs.
struct WindowTree {
    std::function<std::uintptr_t(const char* cls)> findTopLevel;
    std::function<std::uintptr_t(std::uintptr_t parent, const char* cls)> findChild;
    std::function<std::uintptr_t(std::uintptr_t window)> next;  // next in the z-order
};
// Variant A: progman > shelldll_defview > syslistview32. Variant B: walk the z-order from
// the first WorkerW to the window holding SHELLDLL_DefView (progman included).
std::uintptr_t findDesktopListView(const WindowTree& tree, bool variantB);

// The platform's own capture.
std::unique_ptr<IconCapture> makePlatformCapture();

}  // namespace capture

// Appends one placement per captured icon to the index (it does not clear it first) and
// tells whether the desktop could be read at all.
capture::Outcome captureDesktopIcons(CoordinateIndex& index);
