#include "store/IconSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/Encodings.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kEffect = "图标效果";
constexpr const char* kArrange = "图标排列";
constexpr const char* kSync = "同步桌面";

WindowsProbeHooks& hooks() {
    static WindowsProbeHooks h;
    return h;
}
}  // namespace

void setWindowsProbeHooks(const WindowsProbeHooks& h) { hooks() = h; }
WindowsProbeHooks windowsProbeHooks() { return hooks(); }

std::string backgroundSizeFor(int generation, int iconSize) {
    switch (generation) {
        case 1:  // Windows XP
            return iconSize > 40 ? "92*92*-20*-6" : "76*76*-20*-6";
        case 2:  // Windows 7, 32-bit
        case 3:  // Windows 7, 64-bit
            if (iconSize < 32) return "76*86*0*-4";
            if (iconSize == 32) return "78*104*0*-4";
            return "108*150*0*-4";
        default:
            return "76*76*-20*-6";
    }
}

std::string defaultBackgroundSize() {
    const WindowsProbeHooks h = hooks();
    const int generation = h.classifyWindows ? h.classifyWindows() : 0;
    // The icon size only matters on the two generations that have a row for it.
    const int size =
        (generation >= 1 && generation <= 3 && h.shellIconSize) ? h.shellIconSize() : 0;
    return backgroundSizeFor(generation, size);
}

int loadIconSection(ProfileStore& store, const std::string& area, IconSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string e = areaSection(kEffect, area);
        r.sideBarOn = decodeSwitch(store.ReadText(e, "边栏效果", ""));
        r.sideBarWidth = store.ReadInt(e, "边栏宽度", 260);
        r.backgroundEffectOn = decodeSwitch(store.ReadText(e, "底图效果", ""));
        r.backgroundPicture = store.ReadText(e, "底图背景", "");
        r.backgroundSize = store.ReadText(e, "底图大小", "");
        const std::string a = areaSection(kArrange, area);
        r.arrangementOn = decodeSwitch(store.ReadText(a, "是否开启", ""));
        r.coordinateIndex = store.ReadText(a, "图标数据", "");
        r.arrangementCount = store.ReadInt(a, "排列次数", 1);
        const std::string s = areaSection(kSync, area);
        r.syncOn = decodeStrictSwitch(store.ReadText(s, "是否开启", ""));
        r.compareAndClean = decodeStrictSwitch(store.ReadText(s, "对比清理", ""));
        r.syncFolder = store.ReadText(s, "同步目录", "");
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveIconSection(ProfileStore& store, const std::string& area, const IconSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string e = areaSection(kEffect, area);
        store.WriteText(e, "边栏效果", flagWord(r.sideBarOn, words::kOn));
        store.WriteNumber(e, "边栏宽度", r.sideBarWidth);
        store.WriteText(e, "底图效果", flagWord(r.backgroundEffectOn, words::kOn));
        store.WriteText(e, "底图背景", r.backgroundPicture);
        store.WriteText(e, "底图大小", r.backgroundSize);
        const std::string a = areaSection(kArrange, area);
        store.WriteText(a, "是否开启", flagWord(r.arrangementOn, words::kOn));
        store.WriteText(a, "图标数据", r.coordinateIndex);
        store.WriteNumber(a, "排列次数", r.arrangementCount);
        const std::string s = areaSection(kSync, area);
        store.WriteText(s, "是否开启", flagWord(r.syncOn, words::kOn));
        store.WriteText(s, "对比清理", flagWord(r.compareAndClean, words::kOn));
        store.WriteText(s, "同步目录", r.syncFolder);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
