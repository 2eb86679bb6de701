#pragma once
// The name column of one area (café name, seat number, price list): "名称配置_<area>".

#include <string>

#include "store/Encodings.h"

class ProfileStore;

struct NameColumnSection {
    PositionPair position{1, "-10", 1, "10"};
    // Café name: the text itself is the café-wide café name.
    bool cafeNameShown = true;
    bool backgroundShown = true;
    std::string cafeNameColour = "#FFFFFF";
    bool cafeNameEffect = true;
    int cafeNameSize = 24;
    bool cafeNameBold = false;
    // Seat number line.
    bool seatNumberShown = true;
    int seatNumberOffset = 0;
    std::string seatNumberColour = "#FFFFFF";
    bool seatNumberEffect = true;
    int seatNumberSize = 16;
    std::string seatNumberContent = "$Q $ID1号机 $IP1";
    bool seatNumberBold = false;
    // Price list line.
    bool priceListShown = true;
    std::string priceListColour = "#FFFFFF";
    bool priceListEffect = false;
    int priceListSize = 16;
    std::string priceListContent = "会员30元/时 临时40元/时";
    bool priceListBold = false;
    // Pictures in 数据\背景, names without extension.
    std::string titleBackground = "标题蓝色";
    std::string bodyBackground = "背景";

    bool operator==(const NameColumnSection&) const = default;
};

// Composed values with a wrong field count leave their fields as they were.
int loadNameColumnSection(ProfileStore& store, const std::string& area, NameColumnSection& record);
int saveNameColumnSection(ProfileStore& store, const std::string& area,
                          const NameColumnSection& record);
