#pragma once
// Theme packages: one area's look (its sections, the weather and notice templates and the
// pictures they name) carried from one installation to another as a ".k4p" ZIP archive.

#include <functional>
#include <string>
#include <vector>

#include "store/Status.h"

class ProfileStore;
struct GlobalConfig;
struct ArearConfig;

namespace theme {
inline constexpr const char* kDescriptorName = "k4rtPacket.ini";
inline constexpr const char* kStagingFolder = "Packet";       // export staging, below the program folder
inline constexpr const char* kImportFolder = "PacketImport";  // import unpacks here first
inline constexpr const char* kThemesFolder = "主题";           // the choosers start here
inline constexpr const char* kExtension = ".k4p";

inline constexpr const char* kExported = "主题包导出成功！";
inline constexpr const char* kExportFailed = "主题包导出失败！";
inline constexpr const char* kExportCaption = "提示";
inline constexpr const char* kImportFailed = "主题包导入失败！";
inline constexpr const char* kSaveFirstQuestion = "导入主题将覆盖现有设置，是否保存当前配置？";
inline constexpr const char* kPreviewQuestion = "配置设定保存完毕，是否测试效果？";
}  // namespace theme

// Writes the area being edited, as its pages show it, into the descriptor at the given
// path (the area configuration window's save request; deskcfg and the tests pass a
// function that runs SaveEverything for the area). desk.ini is not written.
using SaveRequest = std::function<Status(const std::string& descriptorPath)>;

enum class ThemeOutcome { Done, Cancelled, Failed };
struct ThemeResult {
    ThemeOutcome outcome = ThemeOutcome::Done;
    std::string message;      // why it failed
    std::string packagePath;  // the package written or read
};

// A picture the package carries: its file below the program folder (or the wallpaper
// folder the area names) and its path inside the package.
struct PackagePicture {
    std::string source;
    std::string entry;  // "/" separated
};
// The pictures of the area, in the order they are copied; names that would leave the
// package folder are left out.
std::vector<PackagePicture> packagePictures(const ArearConfig& area);

// Asks for the package file, writes the descriptor through save, gathers the pictures in
// the staging folder, zips it and empties it again. Unless quiet, tells the user how it
// went. A failure leaves no package at the chosen path (an older file there stays).
ThemeResult exportThemePackage(const SaveRequest& save, bool quiet);

struct ImportHooks {
    SaveRequest save;                                           // for the export offered first
    std::function<void()> reloadPages;                          // the area window's page reload
    std::function<void(const std::string& areaName)> preview;  // runs the desktop on the area
};

// Offers to export the current configuration first, asks for the package, unpacks it into
// a temporary folder and checks it; only a complete package moves its pictures into place
// and is applied to the area at areaIndex. A failure is reported and changes nothing: not
// desk.ini, not the model, not a picture of the program folder.
ThemeResult importThemePackage(ProfileStore& store, GlobalConfig& config, int areaIndex,
                               const ImportHooks& hooks);

// Applies the descriptor to the area at areaIndex (its sections but name, addresses, note
// and other functions; the package area's weather and notice templates join the store's
// lists) and runs the full save. On failure the model and desk.ini stay as they were.
Status applyThemeDescriptor(ProfileStore& store, GlobalConfig& config,
                            const std::string& descriptorPath, int areaIndex);
