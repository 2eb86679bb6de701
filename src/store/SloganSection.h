#pragma once
// The slogan line of one area: "公共标语_<area>".

#include <string>

#include "store/Encodings.h"

class ProfileStore;

struct SloganSection {
    bool shown = true;
    PositionPair position{3, "Z", 1, "-40"};
    std::string colour = "#FFFFFF";
    int size = 20;
    bool italic = true;
    bool effect = false;
    std::string content =
        "★请自觉遵守国家法律、法规! ★请勿将贵重物品放在桌面上! ★下机记得点击结账哦★";
    std::string background = "标语框";  // picture in 数据\背景, without extension

    bool operator==(const SloganSection&) const = default;
};

int loadSloganSection(ProfileStore& store, const std::string& area, SloganSection& record);
int saveSloganSection(ProfileStore& store, const std::string& area, const SloganSection& record);
