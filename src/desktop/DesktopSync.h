#pragma once
// Desktop-sync folders: copies of the current user's desktop kept below the program folder
// under a name from the sync-folder list; the runtime syncs the client desktops from them.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "store/Status.h"

// program folder + "数据/同步桌面/" + name
std::string syncFolderPath(const std::string& name);

// Why a name cannot be a sync folder (empty, "." or "..", separators, drive colons,
// control characters), or nullopt when it can.
std::optional<std::string> syncFolderNameProblem(const std::string& name);

// Makes (or resets) the sync folder: a fresh copy of the desktop replaces its contents.
// Fails, changing nothing, when the name is unusable, the desktop folder is unknown or
// missing, or the folder cannot be created. *uncopied receives the number of desktop
// entries that could not be copied.
Status makeSyncFolder(const std::string& name, std::size_t* uncopied = nullptr);

// Removes the sync folder from disk (when the name is usable) and every entry equal to the
// name from the list, keeping the order of the rest. The list is not saved here.
void deleteSyncFolder(const std::string& name, std::vector<std::string>& list);
