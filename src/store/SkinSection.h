#pragma once
// The skin and wallpaper of one area: sections "Desk_<area>" and "壁纸配置_<area>".

#include <string>

class ProfileStore;

struct SkinSection {
    static constexpr int kShadow = 1;   // "阴影"
    static constexpr int kOutline = 2;  // "描边"

    std::string skinStyle = "默认风格";
    int styleWidth = 0;  // 0: the width of the theme picture
    std::string effectColour = "#FFFFFF";
    int effectTransparency = 80;
    int textEffect = kShadow;
    // The wallpaper part (its own section).
    bool randomWallpaper = true;
    std::string wallpaperFolder;
    std::string fixedWallpaper = "07.jpg";

    bool operator==(const SkinSection&) const = default;
};

// Replaces every field; missing keys give the read defaults (which differ from the
// new-record values for the colour, transparency, random switch and fixed wallpaper).
int loadSkinSection(ProfileStore& store, const std::string& area, SkinSection& record);
// 1, or 0 when the values could not be built or written.
int saveSkinSection(ProfileStore& store, const std::string& area, const SkinSection& record);
