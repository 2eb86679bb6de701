#pragma once
// The festival decal and the wallpaper illustrations of one area: "节日贴图_<area>" and
// "壁纸插图_<area>".

#include <string>

#include "store/Encodings.h"

class ProfileStore;

struct DecalSection {
    bool decalShown = true;
    bool automaticPicture = true;  // stored as "自动"
    std::string picture;           // PNG in 数据\贴图
    PositionPair position{2, "X", 1, "-80"};
    std::string startDate = "2011年7月6日";  // "%d年%d月%d日"
    std::string endDate = "2030年12月12日";
    bool illustrationsShown = true;
    // "图片.png_X_Y|…", stored as typed; the runtime parses it.
    std::string illustrationContent = "提示牌1.png_-350_-230|提示牌2.png_-350_-130";

    bool operator==(const DecalSection&) const = default;
};

inline constexpr const char* kAutomaticPicture = "自动";

int loadDecalSection(ProfileStore& store, const std::string& area, DecalSection& record);
int saveDecalSection(ProfileStore& store, const std::string& area, const DecalSection& record);
