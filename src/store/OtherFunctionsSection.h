#pragma once
// Screen resolution and auxiliary runtime functions of one area: "设分辨率_<area>" and
// "其它功能_<area>".

#include <string>

class ProfileStore;

struct OtherFunctionsSection {
    bool setResolution = false;
    std::string resolution = "1024-768-32-75";  // width-height-bits-refresh
    bool rightClickMenu = false;
    bool startWithSystem = false;
    bool labelTransparency = false;
    bool desktopShortcut = false;
    std::string shortcutName = "Tavrin";
    std::string wallpaperOutputPath = "C:\\desk.bmp";

    bool operator==(const OtherFunctionsSection&) const = default;
};

int loadOtherFunctionsSection(ProfileStore& store, const std::string& area,
                              OtherFunctionsSection& record);
int saveOtherFunctionsSection(ProfileStore& store, const std::string& area,
                              const OtherFunctionsSection& record);
