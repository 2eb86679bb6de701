// Desktop icon capture: the position files of PCManFM and xfdesktop, the shell list view
// loop with its two record layouts, the window walk, and the index it fills.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "desktop/IconCapture.h"
#include "store/Codec.h"
#include "store/FileIo.h"
#include "store/Templates.h"

namespace fs = std::filesystem;
using capture::DesktopIcon;

namespace {

std::string fixture(const std::string& rel) {
    auto bytes = readFileBytes(std::string(TAVRIN_FIXTURES) + "/capture/" + rel);
    EXPECT_TRUE(bytes) << rel;
    return bytes.value_or("");
}

// ---------------------------------------------------------------- position files

TEST(CaptureFiles, PositionFilesParse) {
    struct Case {
        const char* name;
        std::vector<DesktopIcon> icons;
        std::vector<DesktopIcon> expected;
    } cases[] = {
        {"pcmanfm: settings group and items without both coordinates skipped",
         capture::parsePcmanfmDesktopItems(fixture("pcmanfm/desktop-items-0.conf")),
         {{"qq.desktop", 12, 8}, {"网吧须知.txt", 12, 94}, {"trash-can.desktop", -4, 180}}},
        {"pcmanfm-qt: Qt point values, escaped names decoded",
         capture::parsePcmanfmDesktopItems(fixture("pcmanfm-qt/desktop-items-0.conf")),
         {{"qq.desktop", 12, 8}, {"网吧须知.txt", 112, 8}, {"My Games", 212, -6}}},
        {"xfdesktop: grid cells at the default pitch, version group and bad cells skipped",
         capture::parseXfdesktopIcons(fixture("xfce/icons.screen0-1920x1080.rc")),
         {{"Home", 0, 0}, {"回收站", 0, 132}, {"qq.desktop", 264, 0}}},
        {"xfdesktop: pitch from the configured icon size",
         capture::parseXfdesktopIcons(fixture("xfce/icons.screen0-1920x1080.rc"),
                                      capture::xfdesktopPitch(capture::parseXfdesktopIconSize(
                                          fixture("xfce4-desktop.xml")))),
         {{"Home", 0, 0}, {"回收站", 0, 172}, {"qq.desktop", 344, 0}}},
        {"empty file", capture::parsePcmanfmDesktopItems(""), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.icons, c.expected) << c.name;
}

TEST(CaptureFiles, LauncherCaptions) {
    const std::string desktop = std::string(TAVRIN_FIXTURES) + "/capture/Desktop";
    struct Case {
        std::string file, language, expected;
    } cases[] = {
        {"qq.desktop", "zh_CN", "腾讯QQ"},          // localised name of the entry group only
        {"qq.desktop", "en_US", "QQ"},              // no translation: plain Name
        {"missing.desktop", "zh_CN", "missing"},    // unreadable launcher: file name
        {"网吧须知.txt", "zh_CN", "网吧须知.txt"},  // ordinary files keep their name
    };
    for (const Case& c : cases)
        EXPECT_EQ(capture::captionForDesktopFile(desktop, c.file, c.language), c.expected)
            << c.file;
}

// A config home laid out like a user's, with the fixture files at chosen ages.
class XdgHome : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("tavrin-capture-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "config");
        where_.configHome = utf8Path(root_ / "config");
        where_.desktopFolder = std::string(TAVRIN_FIXTURES) + "/capture/Desktop";
        where_.language = "zh_CN";
    }
    void TearDown() override { fs::remove_all(root_); }

    void place(const std::string& fixtureRel, const fs::path& target, int ageSeconds) {
        fs::path dest = root_ / "config" / target;
        fs::create_directories(dest.parent_path());
        fs::copy_file(fsPath(std::string(TAVRIN_FIXTURES) + "/capture/" + fixtureRel), dest,
                      fs::copy_options::overwrite_existing);
        fs::last_write_time(dest,
                            fs::file_time_type::clock::now() - std::chrono::seconds(ageSeconds));
    }

    fs::path root_;
    capture::XdgLocations where_;
};

TEST_F(XdgHome, NoRecordFileMeansNotRecorded) {
    fs::create_directories(root_ / "config" / "pcmanfm" / "default");  // a profile, no items
    capture::Result r = capture::XdgIconCapture(where_).capture();
    EXPECT_EQ(r.outcome, capture::Outcome::NotRecorded);
    EXPECT_TRUE(r.icons.empty());
}

TEST_F(XdgHome, ChoosesTheSessionsManagerThenTheNewestFile) {
    place("pcmanfm/desktop-items-0.conf", "pcmanfm/LXDE/desktop-items-0.conf", 10);
    place("xfce/icons.screen0-1920x1080.rc", "xfce4/desktop/icons.screen0-1920x1080.rc", 500);
    struct Case {
        const char* session;
        std::string expectedFirst;
    } cases[] = {
        {"", "腾讯QQ"},    // newest file: pcmanfm, launcher resolved
        {"XFCE", "Home"},  // the session's own manager even though older
        {"LXDE", "腾讯QQ"},
    };
    for (const Case& c : cases) {
        where_.currentDesktop = c.session;
        capture::Result r = capture::XdgIconCapture(where_).capture();
        ASSERT_EQ(r.outcome, capture::Outcome::Captured) << c.session;
        ASSERT_FALSE(r.icons.empty()) << c.session;
        EXPECT_EQ(r.icons.front().label, c.expectedFirst) << c.session;
    }
}

TEST_F(XdgHome, EmptyRecordFileIsAnEmptyDesktop) {
    fs::create_directories(root_ / "config" / "pcmanfm" / "default");
    ASSERT_TRUE(writeFileAtomically(utf8Path(root_ / "config/pcmanfm/default/desktop-items-0.conf"),
                                    "[*]\nwallpaper_mode=color\n"));
    capture::Result r = capture::XdgIconCapture(where_).capture();
    EXPECT_EQ(r.outcome, capture::Outcome::Captured);
    EXPECT_TRUE(r.icons.empty());
}

// ---------------------------------------------------------------- index filling

class FakeCapture : public capture::IconCapture {
  public:
    capture::Result result;
    int calls = 0;
    capture::Result capture() override {
        ++calls;
        return result;
    }
};

TEST(CaptureIndex, AppendsPlacementsOrTellsNothingWasRecorded) {
    FakeCapture fake;
    capture::ScopedCapture scoped(fake);

    CoordinateIndex index;
    index.placements.push_back(std::make_unique<IconPlacement>(IconPlacement{"旧图标", "1|2"}));

    fake.result.outcome = capture::Outcome::NotRecorded;
    EXPECT_EQ(captureDesktopIcons(index), capture::Outcome::NotRecorded);
    ASSERT_EQ(index.placements.size(), 1u);  // nothing touched

    std::string longCaption;
    for (int i = 0; i < 300; ++i) longCaption += "图";  // 600 cp936 bytes
    fake.result = {
        capture::Outcome::Captured, {{"我的电脑", 22, 2}, {longCaption, -5, 77}}, "fake"};
    EXPECT_EQ(captureDesktopIcons(index), capture::Outcome::Captured);
    ASSERT_EQ(index.placements.size(), 3u);  // appended, not cleared
    EXPECT_EQ(index.placements[1]->label, "我的电脑");
    EXPECT_EQ(index.placements[1]->position, "22|2");
    EXPECT_EQ(index.placements[2]->position, "-5|77");
    // 511 bytes cannot end inside a two-byte character: 255 characters survive.
    EXPECT_EQ(codec::cp936Length(index.placements[2]->label), 510u);
}

TEST(CaptureIndex, ClipCaptionCountsCp936Bytes) {
    struct Case {
        std::string in;
        std::size_t max;
        std::string out;
    } cases[] = {
        {"abc", 511, "abc"},
        {"ab网吧", 4, "ab网"},
        {"ab网吧", 3, "ab"},
        {"网吧", 0, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(capture::clipCaption(c.in, c.max), c.out) << c.in;
}

// ---------------------------------------------------------------- shell list view

std::uint32_t u32(const std::vector<unsigned char>& b, std::size_t off) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(b[off + i]) << (8 * i);
    return v;
}
std::uint64_t u64(const std::vector<unsigned char>& b, std::size_t off) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= std::uint64_t(b[off + i]) << (8 * i);
    return v;
}

TEST(ShellListView, ItemRequestLayouts) {
    const std::uint64_t addr = 0x12345678ABull;
    auto a = capture::itemTextRequest(false, 7, addr);
    ASSERT_EQ(a.size(), 60u);
    EXPECT_EQ(u32(a, 0), 0u);  // mask not set
    EXPECT_EQ(u32(a, 4), 0u);  // item travels in the message
    EXPECT_EQ(u32(a, 8), 0u);
    EXPECT_EQ(u32(a, 20), static_cast<std::uint32_t>(addr));
    EXPECT_EQ(u32(a, 24), 512u);

    auto b = capture::itemTextRequest(true, 7, addr);
    ASSERT_EQ(b.size(), 64u);
    EXPECT_EQ(u32(b, 0), 1u);  // LVIF_TEXT
    EXPECT_EQ(u32(b, 4), 7u);
    EXPECT_EQ(u32(b, 8), 0u);
    EXPECT_EQ(u64(b, 24), addr);
    EXPECT_EQ(u32(b, 32), 512u);
}

// A list view in another process, answering only requests laid out the way its bitness
// expects.
class FakeShell : public capture::ShellListView {
  public:
    struct Item {
        std::string captionCp936;
        int x, y;
        bool textFails = false;
    };
    bool is64 = false;
    std::vector<Item> items;
    int failReserveAt = -1;  // the n-th reservation fails
    std::map<std::uint64_t, std::vector<unsigned char>> blocks;
    std::set<std::uint64_t> released;
    std::vector<std::string> traces;
    int reservations = 0;

    std::uint64_t reserve(std::size_t bytes) override {
        if (reservations++ == failReserveAt) return 0;
        std::uint64_t addr =
            (is64 ? 0x7FF000000000ull : 0x20000000ull) + 0x10000ull * blocks.size();
        blocks[addr].assign(bytes, 0xCD);
        return addr;
    }
    void release(std::uint64_t a) override { released.insert(a); }
    bool write(std::uint64_t a, const void* d, std::size_t n) override {
        auto& b = blocks.at(a);
        if (n > b.size()) return false;
        std::memcpy(b.data(), d, n);
        return true;
    }
    bool read(std::uint64_t a, void* d, std::size_t n) override {
        auto& b = blocks.at(a);
        if (n > b.size()) return false;
        std::memcpy(d, b.data(), n);
        return true;
    }
    std::intptr_t send(unsigned msg, std::uintptr_t w, std::uint64_t l) override {
        if (msg == capture::kLvmGetItemCount) return static_cast<std::intptr_t>(items.size());
        const Item& it = items.at(w);
        auto& block = blocks.at(l);
        if (msg == capture::kLvmGetItemTextA) {
            if (it.textFails) return 0;
            std::uint64_t text = is64 ? u64(block, 24) : u32(block, 20);
            std::uint32_t cap = is64 ? u32(block, 32) : u32(block, 24);
            if (is64 && (u32(block, 0) != 1 || u32(block, 4) != w)) return 0;
            auto& buf = blocks.at(text);
            std::size_t n = std::min<std::size_t>(it.captionCp936.size(), cap - 1);
            std::memcpy(buf.data(), it.captionCp936.data(), n);
            buf[n] = 0;
            return static_cast<std::intptr_t>(n);
        }
        auto put = [&](std::size_t off, int v) {
            for (int i = 0; i < 4; ++i)
                block[off + i] = static_cast<unsigned char>(std::uint32_t(v) >> (8 * i));
        };
        if (msg == capture::kLvmGetItemPosition && !is64) {
            put(0, it.x);
            put(4, it.y);
            return 1;
        }
        if (msg == capture::kLvmGetItemRect && is64 && u32(block, 0) == 1) {
            put(0, it.x);
            put(4, it.y);
            put(8, it.x + 48);
            put(12, it.y + 48);
            return 1;
        }
        return 0;
    }
    void trace(const std::string& t) override { traces.push_back(t); }
};

std::string cp936(const std::string& utf8) { return codec::toCp936(utf8).value(); }

TEST(ShellListView, BothVariantsReadCaptionsAndPositions) {
    std::string longCaption(600, 'A');
    for (bool variantB : {false, true}) {
        FakeShell shell;
        shell.is64 = variantB;
        shell.items = {
            {cp936("我的电脑"), 22, 2}, {cp936("回收站"), 22, 77}, {longCaption, -3, 150}};
        std::vector<DesktopIcon> out;
        capture::captureFromListView(shell, variantB, out);
        ASSERT_EQ(out.size(), 3u) << variantB;
        EXPECT_EQ(out[0], (DesktopIcon{"我的电脑", 22, 2})) << variantB;
        EXPECT_EQ(out[1], (DesktopIcon{"回收站", 22, 77})) << variantB;
        EXPECT_EQ(out[2].label, std::string(511, 'A')) << variantB;
        EXPECT_EQ(out[2].x, -3);
        EXPECT_EQ(out[2].y, 150);
        // Three blocks of the variant's sizes, all released.
        std::vector<std::size_t> sizes;
        for (auto& [addr, b] : shell.blocks) sizes.push_back(b.size());
        const std::vector<std::size_t> expected =
            variantB ? std::vector<std::size_t>{64, 512, 16} : std::vector<std::size_t>{60, 512, 8};
        EXPECT_EQ(sizes, expected);
        EXPECT_EQ(shell.released.size(), 3u);
        if (variantB) {
            EXPECT_EQ(shell.traces.front(), "桌面名称：我的电脑\r\n");
        }
    }
}

TEST(ShellListView, FailuresAreQuietAndReleaseEverything) {
    {  // a failed text request repeats the caption before it
        FakeShell shell;
        shell.items = {{cp936("甲"), 1, 1}, {cp936("乙"), 2, 2, true}};
        std::vector<DesktopIcon> out;
        capture::captureFromListView(shell, false, out);
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[1].label, "甲");
    }
    {  // the first item's failed request gives an empty caption
        FakeShell shell;
        shell.is64 = true;
        shell.items = {{cp936("甲"), 1, 1, true}};
        std::vector<DesktopIcon> out;
        capture::captureFromListView(shell, true, out);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].label, "");
    }
    {  // no icons
        FakeShell shell;
        std::vector<DesktopIcon> out;
        capture::captureFromListView(shell, false, out);
        EXPECT_TRUE(out.empty());
        EXPECT_EQ(shell.released.size(), 3u);
    }
    for (int failing = 0; failing < 3; ++failing) {  // a block that cannot be reserved
        FakeShell shell;
        shell.is64 = true;
        shell.failReserveAt = failing;
        shell.items = {{cp936("甲"), 1, 1}};
        std::vector<DesktopIcon> out;
        capture::captureFromListView(shell, true, out);
        EXPECT_TRUE(out.empty());
        EXPECT_EQ(shell.released.size(), static_cast<std::size_t>(failing));
        EXPECT_EQ(shell.traces, std::vector<std::string>{"GetIconRect 无法分配内存!"});
    }
}

// Windows as numbers: class and children, in z-order.
struct FakeWindows {
    struct W {
        std::string cls;
        std::vector<std::uintptr_t> children;
    };
    std::map<std::uintptr_t, W> windows;
    std::vector<std::uintptr_t> zorder;  // top-level windows

    capture::WindowTree tree() {
        capture::WindowTree t;
        t.findTopLevel = [this](const char* cls) -> std::uintptr_t {
            for (auto w : zorder)
                if (equalsNoCase(windows[w].cls, cls)) return w;
            return 0;
        };
        t.findChild = [this](std::uintptr_t parent, const char* cls) -> std::uintptr_t {
            for (auto c : windows[parent].children)
                if (equalsNoCase(windows[c].cls, cls)) return c;
            return 0;
        };
        t.next = [this](std::uintptr_t w) -> std::uintptr_t {
            for (std::size_t i = 0; i + 1 < zorder.size(); ++i)
                if (zorder[i] == w) return zorder[i + 1];
            return 0;
        };
        return t;
    }
    static bool equalsNoCase(const std::string& a, const char* b) {
        return strcasecmp(a.c_str(), b) == 0;
    }
};

TEST(ShellListView, FindingTheDesktopListView) {
    // 1 WorkerW (empty), 2 some window, 3 Progman > 4 SHELLDLL_DefView > 5 SysListView32,
    // 6 WorkerW > 7 SHELLDLL_DefView > 8 SysListView32
    auto base = [] {
        FakeWindows f;
        f.windows = {{1, {"WorkerW", {}}},           {2, {"Notepad", {}}},
                     {3, {"Progman", {4}}},          {4, {"SHELLDLL_DefView", {5}}},
                     {5, {"SysListView32", {}}},     {6, {"WorkerW", {7}}},
                     {7, {"SHELLDLL_DefView", {8}}}, {8, {"SysListView32", {}}}};
        return f;
    };
    struct Case {
        const char* name;
        std::vector<std::uintptr_t> zorder;
        bool variantB;
        std::uintptr_t expected;
    } cases[] = {
        {"A: progman chain", {1, 2, 3}, false, 5},
        {"A: no progman", {1, 2, 6}, false, 0},
        {"B: view under progman reached through the z-order", {1, 2, 3}, true, 5},
        {"B: view under a later WorkerW", {1, 2, 6}, true, 8},
        {"B: no WorkerW at all", {2, 3}, true, 0},
        {"B: no shell", {2}, true, 0},
    };
    for (const Case& c : cases) {
        FakeWindows f = base();
        f.zorder = c.zorder;
        EXPECT_EQ(capture::findDesktopListView(f.tree(), c.variantB), c.expected) << c.name;
    }
}

}  // namespace
