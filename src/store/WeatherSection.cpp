#include "store/WeatherSection.h"

#include "store/ProfileStore.h"

int loadWeatherSection(ProfileStore&, const std::string&, WeatherSection&) { return 1; }

int saveWeatherSection(ProfileStore&, const std::string&, const WeatherSection&) { return 1; }
