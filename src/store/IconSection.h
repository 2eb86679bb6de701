#pragma once
// The icons of one area: icon effect ("图标效果_<area>"), icon arrangement
// ("图标排列_<area>") and desktop sync ("同步桌面_<area>").

#include <string>

class ProfileStore;

// The icon background's default depends on the running Windows. The store depends on no
// platform code, so it asks through these hooks; the platform library installs the real
// probes (platform::installWindowsProbes) and tests install fakes. Without hooks the answer
// is generation 0 and icon size 0, which is right everywhere but on Windows.
struct WindowsProbeHooks {
    int (*classifyWindows)() = nullptr;  // 1 XP, 2 Windows 7 32-bit, 3 Windows 7 64-bit, 0 other
    int (*shellIconSize)() = nullptr;    // 0 when unreadable
};
void setWindowsProbeHooks(const WindowsProbeHooks& hooks);
WindowsProbeHooks windowsProbeHooks();

// "width*height*dx*dy" for a Windows generation and shell icon size.
std::string backgroundSizeFor(int windowsGeneration, int shellIconSize);
// backgroundSizeFor the running system, through the hooks.
std::string defaultBackgroundSize();

inline constexpr const char* kRandomPicture = "随机";

struct IconSection {
    // Icon effect.
    bool sideBarOn = false;
    int sideBarWidth = 90;
    bool backgroundEffectOn = true;
    std::string backgroundPicture = kRandomPicture;  // "随机" or a file of 数据\图标效果
    std::string backgroundSize = defaultBackgroundSize();
    // Icon arrangement.
    bool arrangementOn = false;
    std::string coordinateIndex;  // guid of a coordinate index
    int arrangementCount = 3;
    // Desktop sync.
    bool syncOn = false;
    bool compareAndClean = false;
    std::string syncFolder;  // an entry of the sync-folder list

    bool operator==(const IconSection&) const = default;
};

int loadIconSection(ProfileStore& store, const std::string& area, IconSection& record);
int saveIconSection(ProfileStore& store, const std::string& area, const IconSection& record);
