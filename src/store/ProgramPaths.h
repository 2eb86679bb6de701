#pragma once
// The program folder and the fixed names of its files and data folders. Paths are UTF-8
// and use "/" (Windows accepts it); the folder names stay Chinese on disk.

#include <string>
#include <string_view>

namespace paths {
inline constexpr const char* kDeskIni = "desk.ini";
inline constexpr const char* kUpdateSettings = "deskupdate.ini";
inline constexpr const char* kUpdateDescriptor = "update.ini";
inline constexpr const char* kBackgrounds = "数据/背景";
inline constexpr const char* kWeather = "数据/天气";
inline constexpr const char* kDecals = "数据/贴图";
inline constexpr const char* kIllustrations = "数据/插图";
inline constexpr const char* kIconEffects = "数据/图标效果";
inline constexpr const char* kSyncDesktops = "数据/同步桌面";
inline constexpr const char* kWallpapers = "壁纸";
inline constexpr const char* kUpdateFolder = "update";

// Folder of the running executable (no trailing separator).
std::string executableFolder();

// The program folder: set once at start (--root), else the executable's folder.
const std::string& programFolder();
void setProgramFolder(std::string folder);

// folder + "/" + name (no doubled separator).
std::string join(std::string_view folder, std::string_view name);
// A file or folder below the program folder.
std::string inProgram(std::string_view relative);
}  // namespace paths
