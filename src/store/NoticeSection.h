#pragma once
// The notice board of one area: "公告配置_<area>".

#include <string>

#include "store/Encodings.h"

class ProfileStore;

struct NoticeSection {
    bool shown = true;
    PositionPair position{3, "Z", 3, "Z"};
    std::string templateGuid;        // guid of the chosen notice template
    std::string colour = "#FFFFFF";  // default colour of the body lines
    int size = 14;                   // default font size of the body lines
    bool effect = false;
    int alignment = 0;  // 0: centred, anything else: left
    std::string titleBackground = "标题黄色";
    std::string bodyBackground = "背景";
    bool titleShown = true;
    std::string titleColour = "#FFFFFF";
    bool titleEffect = true;
    int titleSize = 24;
    bool titleBold = false;
    std::string titleText = "〓最新网吧公告〓";
    bool newLabelShown = true;
    std::string divider = "分割线蓝色";

    bool operator==(const NoticeSection&) const = default;
};

int loadNoticeSection(ProfileStore& store, const std::string& area, NoticeSection& record);
int saveNoticeSection(ProfileStore& store, const std::string& area, const NoticeSection& record);
