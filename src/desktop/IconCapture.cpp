#include "desktop/IconCapture.h"

#include <cstring>

#include "store/Codec.h"
#include "store/Templates.h"

namespace capture {
namespace {

IconCapture* g_installed = nullptr;

IconCapture& platformCapture() {
    static std::unique_ptr<IconCapture> platform = makePlatformCapture();
    return *platform;
}

void putU32(std::vector<unsigned char>& buf, std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) buf[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}
void putU64(std::vector<unsigned char>& buf, std::size_t offset, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) buf[offset + i] = static_cast<unsigned char>(v >> (8 * i));
}
std::int32_t getI32(const unsigned char* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(p[i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}

// Length of the UTF-8 sequence that starts with this byte (1 for stray bytes).
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

IconCapture& current() { return g_installed ? *g_installed : platformCapture(); }

void install(IconCapture* impl) { g_installed = impl; }

std::string clipCaption(std::string_view utf8, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t len =
            std::min(utf8Length(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
        std::size_t bytes = codec::cp936Length(utf8.substr(pos, len));
        if (used + bytes > maxBytes) break;
        used += bytes;
        pos += len;
    }
    return std::string(utf8.substr(0, pos));
}

std::string formatPosition(int x, int y) { return std::to_string(x) + "|" + std::to_string(y); }

std::vector<unsigned char> itemTextRequest(bool layout64, int item, std::uint64_t textAddress) {
    if (!layout64) {
        // Only the text fields: the item index travels in the message.
        std::vector<unsigned char> rec(60, 0);
        putU32(rec, 20, static_cast<std::uint32_t>(textAddress));
        putU32(rec, 24, kCaptionBufferBytes);
        return rec;
    }
    std::vector<unsigned char> rec(64, 0);
    putU32(rec, 0, 1);  // LVIF_TEXT
    putU32(rec, 4, static_cast<std::uint32_t>(item));
    putU32(rec, 8, 0);
    putU64(rec, 24, textAddress);
    putU32(rec, 32, kCaptionBufferBytes);
    return rec;
}

void captureFromListView(ShellListView& view, bool variantB, std::vector<DesktopIcon>& out) {
    const std::size_t recordBytes = variantB ? 64 : 60;
    const std::size_t positionBytes = variantB ? 16 : 8;
    const std::uint64_t itemBlock = view.reserve(recordBytes);
    const std::uint64_t textBlock = itemBlock ? view.reserve(kCaptionBufferBytes) : 0;
    const std::uint64_t posBlock = textBlock ? view.reserve(positionBytes) : 0;
    auto releaseAll = [&] {
        for (std::uint64_t b : {itemBlock, textBlock, posBlock})
            if (b) view.release(b);
    };
    if (!itemBlock || !textBlock || !posBlock) {
        releaseAll();
        if (variantB) view.trace("GetIconRect 无法分配内存!");
        return;
    }

    // Local copies keep what the last successful read brought, so a failed request
    // repeats the previous answer instead of inventing one; the first item's failed
    // request finds an empty caption.
    char caption[kCaptionBufferBytes] = {};
    unsigned char position[16] = {};
    view.write(textBlock, caption, sizeof caption);

    std::vector<unsigned char> record = itemTextRequest(variantB, 0, textBlock);
    std::intptr_t count = view.send(kLvmGetItemCount, 0, 0);
    for (std::intptr_t i = 0; i < count; ++i) {
        if (variantB) record = itemTextRequest(true, static_cast<int>(i), textBlock);
        view.write(itemBlock, record.data(), record.size());
        view.send(kLvmGetItemTextA, static_cast<std::uintptr_t>(i), itemBlock);
        view.read(textBlock, caption, sizeof caption);
        caption[kCaptionBufferBytes - 1] = '\0';
        std::string label = codec::fromCp936(std::string_view(caption, std::strlen(caption)));
        if (variantB) view.trace("桌面名称：" + label + "\r\n");

        if (variantB) {
            unsigned char rect[16] = {};
            rect[0] = static_cast<unsigned char>(kLvirIcon);
            view.write(posBlock, rect, sizeof rect);
            view.send(kLvmGetItemRect, static_cast<std::uintptr_t>(i), posBlock);
        } else {
            view.send(kLvmGetItemPosition, static_cast<std::uintptr_t>(i), posBlock);
        }
        view.read(posBlock, position, positionBytes);
        const int x = getI32(position);
        const int y = getI32(position + 4);
        std::string text = formatPosition(x, y);
        view.trace(text);
        out.push_back({std::move(label), x, y});
    }
    releaseAll();
}

std::uintptr_t findDesktopListView(const WindowTree& tree, bool variantB) {
    if (!variantB) {
        std::uintptr_t progman = tree.findTopLevel("progman");
        if (!progman) return 0;
        std::uintptr_t view = tree.findChild(progman, "shelldll_defview");
        if (!view) return 0;
        return tree.findChild(view, "syslistview32");
    }
    // Bounded so that a z-order that changes under the walk cannot keep it going forever.
    constexpr int kMaxSteps = 100000;
    std::uintptr_t w = tree.findTopLevel("WorkerW");
    for (int step = 0; w && step < kMaxSteps; ++step) {
        if (std::uintptr_t view = tree.findChild(w, "SHELLDLL_DefView"))
            return tree.findChild(view, "SysListView32");
        w = tree.next(w);
    }
    return 0;
}

#ifdef _WIN32
std::unique_ptr<IconCapture> makeWindowsCapture();
#endif

std::unique_ptr<IconCapture> makePlatformCapture() {
#ifdef _WIN32
    return makeWindowsCapture();
#else
    return std::make_unique<XdgIconCapture>(xdgLocationsFromEnvironment());
#endif
}

}  // namespace capture

capture::Outcome captureDesktopIcons(CoordinateIndex& index) {
    capture::Result result = capture::current().capture();
    if (result.outcome != capture::Outcome::Captured) return result.outcome;
    for (const capture::DesktopIcon& icon : result.icons) {
        auto placement = std::make_unique<IconPlacement>();
        placement->label = capture::clipCaption(icon.label);
        placement->position = capture::formatPosition(icon.x, icon.y);
        index.placements.push_back(std::move(placement));
    }
    return capture::Outcome::Captured;
}
