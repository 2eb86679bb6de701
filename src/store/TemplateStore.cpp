#include "store/TemplateStore.h"

#include "store/ProfileStore.h"

std::string newRecordGuid() { return {}; }
std::unique_ptr<WeatherTemplate> makeDefaultWeatherTemplate() {
    auto t = std::make_unique<WeatherTemplate>();
    t->name = "默认区域";
    return t;
}
std::unique_ptr<NoticeTemplate> makeDefaultNoticeTemplate() {
    auto t = std::make_unique<NoticeTemplate>();
    t->name = "默认区域";
    return t;
}
std::unique_ptr<CoordinateIndex> newCoordinateIndex() { return std::make_unique<CoordinateIndex>(); }
int loadWeatherTemplates(ProfileStore& s) { return static_cast<int>(s.weatherTemplates.size()); }
int saveWeatherTemplates(ProfileStore&) { return 1; }
int loadNoticeTemplates(ProfileStore& s) { return static_cast<int>(s.noticeTemplates.size()); }
int saveNoticeTemplates(ProfileStore&) { return 1; }
int loadSyncFolders(ProfileStore&) { return 0; }
int saveSyncFolders(ProfileStore&) { return 1; }
int loadCoordinateIndices(ProfileStore&) { return 0; }
int saveCoordinateIndices(ProfileStore&) { return 1; }
