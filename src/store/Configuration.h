#pragma once
// The café-wide settings with the area list (GlobalConfig), one area's record
// (ArearConfig) and the whole-record operations: load, save, full save, reload, copy,
// create, modify and delete.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/DecalSection.h"
#include "store/IconSection.h"
#include "store/NameColumnSection.h"
#include "store/NoticeSection.h"
#include "store/OtherFunctionsSection.h"
#include "store/SkinSection.h"
#include "store/SloganSection.h"
#include "store/Status.h"
#include "store/WeatherSection.h"

class ProfileStore;

inline constexpr const char* kUnpartitionedNote = "注：此配置适合不分区或未分区的机器";
inline constexpr const char* kDefaultNote = "未说明";
inline constexpr const char* kDefaultAreaName = "默认区域";

// INI names of the café-wide settings and the area list.
namespace keys {
inline constexpr const char* kGlobalSection = "全局配置";
inline constexpr const char* kCity = "天气城市";
inline constexpr const char* kCafeName = "网吧名称";
inline constexpr const char* kHomePage = "主页地址";
inline constexpr const char* kFont = "默认字体";
inline constexpr const char* kAreaSection = "分区配置";
inline constexpr const char* kAreaList = "智能分区";
}  // namespace keys

struct ArearConfig {
    std::string name = kDefaultAreaName;
    std::string startIp = "0.0.0.0";
    std::string endIp = "0.0.0.0";
    std::string note = kDefaultNote;
    bool configPresent = true;
    SkinSection skin;
    NameColumnSection nameColumn;
    WeatherSection weather;
    NoticeSection notice;
    SloganSection slogan;
    DecalSection decal;
    OtherFunctionsSection otherFunctions;
    IconSection icon;
};

// "Desk" + "_" + "游戏区" -> "Desk_游戏区"
std::string areaSection(const char* word, const std::string& area);

struct GlobalConfig {
    std::string cafeName;
    std::string weatherCity;
    std::string homePage;
    std::string defaultFont;
    bool areasEnabled = false;
    std::vector<std::unique_ptr<ArearConfig>> areas;
};

// --- café-wide settings and the area list
int LoadGlobalConfig(ProfileStore& store, GlobalConfig& config);
Status SaveGlobalSettings(ProfileStore& store, const std::string& city,
                          const std::string& cafeName, const std::string& homePage,
                          const std::string& font);
// index < 0: every area; index >= 0: only that area, without its other-functions sections.
Status SaveAreaList(ProfileStore& store, const GlobalConfig& config, int index);
Status SaveGlobalConfig(ProfileStore& store, const std::string& city, const std::string& cafeName,
                        const std::string& homePage, const std::string& font,
                        const GlobalConfig& config, bool keepSettings, int areaIndex,
                        int listMode);
// The area list value ("开|<a-b>name|…") and its parse, as the two operations above use them.
std::string formatAreaList(const GlobalConfig& config, int index);
// Parses the value into fresh default records (sections not loaded); returns the switch.
std::optional<bool> parseAreaList(const std::string& value,
                                  std::vector<std::unique_ptr<ArearConfig>>& out);

// --- one area
void LoadAreaSections(ProfileStore& store, ArearConfig& area);
int SaveAreaSections(ProfileStore& store, const ArearConfig& area, bool skipOtherFunctions);
void CopyFromReference(ArearConfig& area, const ArearConfig& reference);

// --- the whole model
// The full save: empties the target and writes the whole model once. With a package path,
// writes only the area at areaIndex (no settings, no other-functions sections, no
// coordinate indices or sync folders) into that file instead.
Status SaveEverything(ProfileStore& store, const GlobalConfig& config,
                      const std::string& packagePath = {}, int areaIndex = -1);
// Frees and reloads the model, adds the default area and templates when missing, and writes
// every known key back. The model is loaded even when the write-back fails; the Status
// says whether the file could be written.
Status ReloadConfiguration(ProfileStore& store, GlobalConfig& config);

// --- area operations as the area dialog and main window run them
// Message for a name that cannot be used (forbidden characters, or equal to another area's
// name ignoring letter case; the area at exceptIndex does not count).
std::optional<std::string> checkAreaName(const GlobalConfig& config, const std::string& name,
                                         int exceptIndex);
inline constexpr const char* kDuplicateAreaName = "该分区名已存在,请为该分区换个名吧~";

// Add: new default record from the reference's sections, appended, its sections and the
// list saved (without emptying the file). The caller then reloads.
Status AddArea(ProfileStore& store, GlobalConfig& config, const std::string& name,
               const std::string& startIp, const std::string& endIp, int referenceIndex);
// Modify in place, save its sections and the list. The caller then runs the full save and
// the reload.
Status ModifyArea(ProfileStore& store, GlobalConfig& config, int index, const std::string& name,
                  const std::string& startIp, const std::string& endIp);
// Takes the area out, full save, reload. Refuses to delete the last area.
Status DeleteArea(ProfileStore& store, GlobalConfig& config, int index);
inline constexpr const char* kLastAreaMessage = "亲，就剩下一个分区配置了，还是保留着吧~";
