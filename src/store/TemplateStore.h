#pragma once
// Load and save of the café-wide lists held by the ProfileStore: weather and notice
// templates, coordinate indices and the sync-folder list.

#include <memory>
#include <string>

#include "store/Templates.h"

class ProfileStore;

// 12 upper-case hex digits from the last six bytes of a new random GUID; empty when no
// GUID could be made.
std::string newRecordGuid();

std::unique_ptr<WeatherTemplate> makeDefaultWeatherTemplate();  // 13 lines, fresh guid
std::unique_ptr<NoticeTemplate> makeDefaultNoticeTemplate();    // 25 lines, fresh guid
std::unique_ptr<CoordinateIndex> newCoordinateIndex();          // fresh guid, "默认区域"

// Loads append to the store's list and return its size; saves write every template's
// section, then the index, and return 1. Saves remove no section.
int loadWeatherTemplates(ProfileStore& store);
int saveWeatherTemplates(ProfileStore& store);
// Unlike the weather store, a notice template takes its guid from its section's "guid" key.
int loadNoticeTemplates(ProfileStore& store);
int saveNoticeTemplates(ProfileStore& store);
// 0 when the stored list is empty, else 1 (empty entries are kept).
int loadSyncFolders(ProfileStore& store);
int saveSyncFolders(ProfileStore& store);  // 0 when desk.ini could not be written
// 0 when the stored guid list is empty, else 1. The first record of a guid wins.
int loadCoordinateIndices(ProfileStore& store);
int saveCoordinateIndices(ProfileStore& store);

// Counts read from the file ("行数", "个数") are limited to this, so a hand-edited count of
// billions cannot exhaust memory or hang the load.
inline constexpr int kMaxStoredItems = 65536;
