#pragma once
// Load and save of the café-wide lists held by the ProfileStore: weather and notice
// templates, coordinate indices and the sync-folder list.

#include <memory>
#include <string>

#include "store/Templates.h"

class ProfileStore;

// 12 upper-case hex digits from the last six bytes of a new random GUID.
std::string newRecordGuid();

std::unique_ptr<WeatherTemplate> makeDefaultWeatherTemplate();
std::unique_ptr<NoticeTemplate> makeDefaultNoticeTemplate();
std::unique_ptr<CoordinateIndex> newCoordinateIndex();

int loadWeatherTemplates(ProfileStore& store);  // appends to store.weatherTemplates
int saveWeatherTemplates(ProfileStore& store);
int loadNoticeTemplates(ProfileStore& store);
int saveNoticeTemplates(ProfileStore& store);
int loadSyncFolders(ProfileStore& store);
int saveSyncFolders(ProfileStore& store);
int loadCoordinateIndices(ProfileStore& store);
int saveCoordinateIndices(ProfileStore& store);
