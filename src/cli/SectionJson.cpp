#include "cli/Commands.h"
#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
void position(JsonWriter& json, const char* key, const PositionPair& p) {
    json.beginObject(key);
    json.value("xMode", p.xMode);
    json.value("x", p.x);
    json.value("yMode", p.yMode);
    json.value("y", p.y);
    json.endObject();
}

void skin(JsonWriter& json, const SkinSection& s) {
    json.beginObject("skin");
    json.value("skinStyle", s.skinStyle);
    json.value("styleWidth", s.styleWidth);
    json.value("effectColour", s.effectColour);
    json.value("effectTransparency", s.effectTransparency);
    json.value("textEffect", s.textEffect);
    json.value("randomWallpaper", s.randomWallpaper);
    json.value("wallpaperFolder", s.wallpaperFolder);
    json.value("fixedWallpaper", s.fixedWallpaper);
    json.endObject();
}

void nameColumn(JsonWriter& json, const NameColumnSection& s) {
    json.beginObject("nameColumn");
    position(json, "position", s.position);
    json.value("cafeNameShown", s.cafeNameShown);
    json.value("backgroundShown", s.backgroundShown);
    json.value("cafeNameColour", s.cafeNameColour);
    json.value("cafeNameEffect", s.cafeNameEffect);
    json.value("cafeNameSize", s.cafeNameSize);
    json.value("cafeNameBold", s.cafeNameBold);
    json.value("seatNumberShown", s.seatNumberShown);
    json.value("seatNumberOffset", s.seatNumberOffset);
    json.value("seatNumberColour", s.seatNumberColour);
    json.value("seatNumberEffect", s.seatNumberEffect);
    json.value("seatNumberSize", s.seatNumberSize);
    json.value("seatNumberContent", s.seatNumberContent);
    json.value("seatNumberBold", s.seatNumberBold);
    json.value("priceListShown", s.priceListShown);
    json.value("priceListColour", s.priceListColour);
    json.value("priceListEffect", s.priceListEffect);
    json.value("priceListSize", s.priceListSize);
    json.value("priceListContent", s.priceListContent);
    json.value("priceListBold", s.priceListBold);
    json.value("titleBackground", s.titleBackground);
    json.value("bodyBackground", s.bodyBackground);
    json.endObject();
}

void weather(JsonWriter& json, const WeatherSection& s) {
    json.beginObject("weather");
    json.value("colour", s.colour);
    json.value("effect", s.effect);
    json.value("size", s.size);
    json.value("shown", s.shown);
    position(json, "position", s.position);
    json.value("alignment", s.alignment);
    json.value("templateGuid", s.templateGuid);
    json.value("iconStyle", s.iconStyle);
    json.value("weatherBackground", s.weatherBackground);
    json.value("calendarBackground", s.calendarBackground);
    json.endObject();
}

void notice(JsonWriter& json, const NoticeSection& s) {
    json.beginObject("notice");
    json.value("shown", s.shown);
    position(json, "position", s.position);
    json.value("templateGuid", s.templateGuid);
    json.value("colour", s.colour);
    json.value("size", s.size);
    json.value("effect", s.effect);
    json.value("alignment", s.alignment);
    json.value("titleBackground", s.titleBackground);
    json.value("bodyBackground", s.bodyBackground);
    json.value("titleShown", s.titleShown);
    json.value("titleColour", s.titleColour);
    json.value("titleEffect", s.titleEffect);
    json.value("titleSize", s.titleSize);
    json.value("titleBold", s.titleBold);
    json.value("titleText", s.titleText);
    json.value("newLabelShown", s.newLabelShown);
    json.value("divider", s.divider);
    json.endObject();
}

void slogan(JsonWriter& json, const SloganSection& s) {
    json.beginObject("slogan");
    json.value("shown", s.shown);
    position(json, "position", s.position);
    json.value("colour", s.colour);
    json.value("size", s.size);
    json.value("italic", s.italic);
    json.value("effect", s.effect);
    json.value("content", s.content);
    json.value("background", s.background);
    json.endObject();
}

void decal(JsonWriter& json, const DecalSection& s) {
    json.beginObject("decal");
    json.value("decalShown", s.decalShown);
    json.value("automaticPicture", s.automaticPicture);
    json.value("picture", s.picture);
    position(json, "position", s.position);
    json.value("startDate", s.startDate);
    json.value("endDate", s.endDate);
    json.value("illustrationsShown", s.illustrationsShown);
    json.value("illustrationContent", s.illustrationContent);
    json.endObject();
}

void otherFunctions(JsonWriter& json, const OtherFunctionsSection& s) {
    json.beginObject("otherFunctions");
    json.value("setResolution", s.setResolution);
    json.value("resolution", s.resolution);
    json.value("rightClickMenu", s.rightClickMenu);
    json.value("startWithSystem", s.startWithSystem);
    json.value("labelTransparency", s.labelTransparency);
    json.value("desktopShortcut", s.desktopShortcut);
    json.value("shortcutName", s.shortcutName);
    json.value("wallpaperOutputPath", s.wallpaperOutputPath);
    json.endObject();
}

void icon(JsonWriter& json, const IconSection& s) {
    json.beginObject("icon");
    json.value("sideBarOn", s.sideBarOn);
    json.value("sideBarWidth", s.sideBarWidth);
    json.value("backgroundEffectOn", s.backgroundEffectOn);
    json.value("backgroundPicture", s.backgroundPicture);
    json.value("backgroundSize", s.backgroundSize);
    json.value("arrangementOn", s.arrangementOn);
    json.value("coordinateIndex", s.coordinateIndex);
    json.value("arrangementCount", s.arrangementCount);
    json.value("syncOn", s.syncOn);
    json.value("compareAndClean", s.compareAndClean);
    json.value("syncFolder", s.syncFolder);
    json.endObject();
}

template <typename List>
void templates(JsonWriter& json, const char* key, const List& list) {
    json.beginArray(key);
    for (const auto& t : list) {
        json.beginObject();
        json.value("name", t->name);
        json.value("guid", t->guid);
        json.beginArray("lines");
        for (const auto& l : t->lines) json.element(l);
        json.endArray();
        json.endObject();
    }
    json.endArray();
}
}  // namespace

void writeSectionsJson(JsonWriter& json, const ArearConfig& area) {
    skin(json, area.skin);
    nameColumn(json, area.nameColumn);
    weather(json, area.weather);
    notice(json, area.notice);
    slogan(json, area.slogan);
    decal(json, area.decal);
    otherFunctions(json, area.otherFunctions);
    icon(json, area.icon);
}

void writeListsJson(JsonWriter& json) {
    ProfileStore& store = ProfileStore::instance();
    templates(json, "weatherTemplates", store.weatherTemplates);
    templates(json, "noticeTemplates", store.noticeTemplates);
    json.beginArray("coordinateIndices");
    for (const auto& [guid, index] : store.coordinateIndices) {
        json.beginObject();
        json.value("guid", index->guid);
        json.value("name", index->name);
        json.beginArray("placements");
        for (const auto& p : index->placements) {
            json.beginObject();
            json.value("label", p->label);
            json.value("position", p->position);
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.beginArray("syncFolders");
    for (const auto& f : store.syncFolders) json.element(f);
    json.endArray();
}
