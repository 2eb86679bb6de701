#include "store/WeatherSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kWord = "天气配置";
}

int loadWeatherSection(ProfileStore& store, const std::string& area, WeatherSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        r.iconStyle = store.ReadText(s, "图标风格", "");
        // The two pictures keep their values when the key is empty or missing.
        if (std::string v = store.ReadText(s, "天气背景", ""); !v.empty())
            r.weatherBackground = std::move(v);
        if (std::string v = store.ReadText(s, "日历背景", ""); !v.empty())
            r.calendarBackground = std::move(v);
        r.shown = decodeSwitch(store.ReadText(s, "显示天气", ""));
        decodePosition(store.ReadText(s, "显示坐标", "0|0"), r.position);
        r.alignment = store.ReadText(s, "对齐方式", "");
        r.templateGuid = store.ReadText(s, "天气模板", "");
        StyleTriple style{r.colour, r.size, r.effect};
        if (decodeStyleTriple(store.ReadText(s, "样式", ""), style)) {
            r.colour = style.colour;
            r.size = style.size;
            r.effect = style.effect;
        }
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveWeatherSection(ProfileStore& store, const std::string& area, const WeatherSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        store.WriteText(s, "显示天气", flagWord(r.shown, words::kOn));
        store.WriteText(s, "显示坐标", encodePosition(r.position));
        store.WriteText(s, "对齐方式", r.alignment);
        store.WriteText(s, "天气模板", r.templateGuid);
        store.WriteText(s, "样式", encodeStyleTriple({r.colour, r.size, r.effect}));
        store.WriteText(s, "图标风格", r.iconStyle);
        store.WriteText(s, "天气背景", r.weatherBackground);
        store.WriteText(s, "日历背景", r.calendarBackground);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
