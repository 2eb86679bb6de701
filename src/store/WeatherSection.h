#pragma once
// The weather and calendar panel of one area: "天气配置_<area>".

#include <string>

#include "store/Encodings.h"

class ProfileStore;

struct WeatherSection {
    std::string colour = "#FFFFFF";  // default colour of the lines
    bool effect = false;
    int size = 14;  // default font size of the lines
    bool shown = true;
    PositionPair position{3, "Z", 3, "Z"};
    std::string alignment = "-右";       // "-右": icon on the left, "右": on the right
    std::string templateGuid;            // guid of the chosen weather template
    std::string iconStyle = "天气黄色";  // sub-folder of 数据\天气
    std::string weatherBackground = "天气背景";
    std::string calendarBackground = "日历";

    bool operator==(const WeatherSection&) const = default;
};

int loadWeatherSection(ProfileStore& store, const std::string& area, WeatherSection& record);
int saveWeatherSection(ProfileStore& store, const std::string& area, const WeatherSection& record);
