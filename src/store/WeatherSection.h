#pragma once
#include <string>

class ProfileStore;

struct WeatherSection {
    std::string templateGuid;  // guid of the chosen template
    bool operator==(const WeatherSection&) const = default;
};

int loadWeatherSection(ProfileStore& store, const std::string& area, WeatherSection& record);
int saveWeatherSection(ProfileStore& store, const std::string& area, const WeatherSection& record);
