#include "store/Configuration.h"

#include "store/Encodings.h"
#include "store/IniDocument.h"
#include "store/ProfileStore.h"
#include "store/TemplateStore.h"

std::string areaSection(const char* word, const std::string& area) {
    std::string s(word);
    s += '_';
    s += area;
    return s;
}

// ---------------------------------------------------------------- area list

std::string formatAreaList(const GlobalConfig& config, int index) {
    std::string value = flagWord(config.areasEnabled, words::kOn);
    for (std::size_t i = 0; i < config.areas.size(); ++i) {
        if (index >= 0 && static_cast<std::size_t>(index) != i) continue;
        const ArearConfig& a = *config.areas[i];
        value += "|<";
        value += a.startIp;
        value += '-';
        value += a.endIp;
        value += '>';
        value += a.name;
    }
    return value;
}

namespace {
void parseItem(const std::string& item, ArearConfig& area) {
    std::size_t lt = item.find('<');
    std::size_t gt = item.find('>');
    if (lt == std::string::npos || gt == std::string::npos) {
        area.startIp = area.endIp = "0.0.0.0";
        area.name = item;
        return;
    }
    std::string range = gt > lt ? item.substr(lt + 1, gt - lt - 1) : std::string();
    std::size_t dash = range.find('-');
    if (dash == std::string::npos) {
        area.startIp = area.endIp = range;
    } else {
        area.startIp = range.substr(0, dash);
        area.endIp = range.substr(dash + 1);
    }
    area.name = item.substr(gt + 1);
    if (area.startIp == area.endIp) area.note = kUnpartitionedNote;
}
}  // namespace

std::optional<bool> parseAreaList(const std::string& value,
                                  std::vector<std::unique_ptr<ArearConfig>>& out) {
    if (value.empty()) return std::nullopt;
    bool enabled = value.compare(0, words::kOff.size(), words::kOff) != 0;
    std::size_t bar = value.find('|');
    std::string rest = bar == std::string::npos ? value : value.substr(bar + 1);
    std::size_t pos = 0;
    for (;;) {
        std::size_t p = rest.find('|', pos);
        std::string item = p == std::string::npos ? rest.substr(pos) : rest.substr(pos, p - pos);
        auto area = std::make_unique<ArearConfig>();
        parseItem(item, *area);
        out.push_back(std::move(area));
        // An item that ran to the end, or an empty item, ends the list.
        if (p == std::string::npos || p == pos) break;
        pos = p + 1;
    }
    return enabled;
}

int LoadGlobalConfig(ProfileStore& store, GlobalConfig& config) {
    ProfileStore::Batch batch(store);
    config.weatherCity = store.ReadText(keys::kGlobalSection, keys::kCity, "北京市");
    config.cafeName = store.ReadText(keys::kGlobalSection, keys::kCafeName, "北京市某某网吧");
    config.homePage = store.ReadText(keys::kGlobalSection, keys::kHomePage, "");
    config.defaultFont = store.ReadText(keys::kGlobalSection, keys::kFont, "微软雅黑");

    std::vector<std::unique_ptr<ArearConfig>> areas;
    auto enabled = parseAreaList(store.ReadText(keys::kAreaSection, keys::kAreaList, ""), areas);
    if (enabled) config.areasEnabled = *enabled;
    for (auto& area : areas) {
        LoadAreaSections(store, *area);
        config.areas.push_back(std::move(area));
    }
    batch.commit();  // reads only: nothing to write
    return 1;
}

Status SaveGlobalSettings(ProfileStore& store, const std::string& city,
                          const std::string& cafeName, const std::string& homePage,
                          const std::string& font) {
    ProfileStore::Batch batch(store);
    store.WriteText(keys::kGlobalSection, keys::kCity, city);
    store.WriteText(keys::kGlobalSection, keys::kCafeName, cafeName);
    store.WriteText(keys::kGlobalSection, keys::kHomePage, homePage);
    store.WriteText(keys::kGlobalSection, keys::kFont, font);
    return batch.commit();
}

Status SaveAreaList(ProfileStore& store, const GlobalConfig& config, int index) {
    ProfileStore::Batch batch(store);
    store.WriteText(keys::kAreaSection, keys::kAreaList, formatAreaList(config, index));
    for (std::size_t i = 0; i < config.areas.size(); ++i) {
        if (index >= 0 && static_cast<std::size_t>(index) != i) continue;
        SaveAreaSections(store, *config.areas[i], index >= 0);
    }
    return batch.commit();
}

Status SaveGlobalConfig(ProfileStore& store, const std::string& city, const std::string& cafeName,
                        const std::string& homePage, const std::string& font,
                        const GlobalConfig& config, bool keepSettings, int areaIndex,
                        int listMode) {
    ProfileStore::Batch batch(store);
    if (!keepSettings) {
        SaveGlobalSettings(store, city, cafeName, homePage, font);
        areaIndex = -1;
    }
    if (listMode == 1) SaveAreaList(store, config, areaIndex);
    return batch.commit();
}

// ---------------------------------------------------------------- one area

void LoadAreaSections(ProfileStore& store, ArearConfig& area) {
    ProfileStore::Batch batch(store);
    loadSkinSection(store, area.name, area.skin);
    loadNameColumnSection(store, area.name, area.nameColumn);
    loadWeatherSection(store, area.name, area.weather);
    loadNoticeSection(store, area.name, area.notice);
    loadSloganSection(store, area.name, area.slogan);
    loadDecalSection(store, area.name, area.decal);
    loadOtherFunctionsSection(store, area.name, area.otherFunctions);
    loadIconSection(store, area.name, area.icon);
    batch.commit();
}

int SaveAreaSections(ProfileStore& store, const ArearConfig& area, bool skipOtherFunctions) {
    // Each save stops the sequence on failure; the sections before it stay written.
    if (!saveSkinSection(store, area.name, area.skin)) return 0;
    if (!saveNameColumnSection(store, area.name, area.nameColumn)) return 0;
    if (!saveWeatherSection(store, area.name, area.weather)) return 0;
    if (!saveNoticeSection(store, area.name, area.notice)) return 0;
    if (!saveSloganSection(store, area.name, area.slogan)) return 0;
    if (!skipOtherFunctions && !saveOtherFunctionsSection(store, area.name, area.otherFunctions))
        return 0;
    if (!saveDecalSection(store, area.name, area.decal)) return 0;
    if (!saveIconSection(store, area.name, area.icon)) return 0;
    return 1;
}

void CopyFromReference(ArearConfig& area, const ArearConfig& reference) {
    area.skin = reference.skin;
    area.nameColumn = reference.nameColumn;
    area.weather = reference.weather;
    area.notice = reference.notice;
    area.slogan = reference.slogan;
    area.decal = reference.decal;
    area.otherFunctions = reference.otherFunctions;
    area.icon = reference.icon;
}

// ---------------------------------------------------------------- whole model

Status SaveEverything(ProfileStore& store, const GlobalConfig& config,
                      const std::string& packagePath, int areaIndex) {
    const bool package = !packagePath.empty();
    if (package) store.Retarget(packagePath);
    Status result;
    {
        ProfileStore::Batch batch(store);
        store.ClearFile();
        SaveGlobalConfig(store, config.weatherCity, config.cafeName, config.homePage,
                         config.defaultFont, config, package, areaIndex, 1);
        saveWeatherTemplates(store);
        saveNoticeTemplates(store);
        if (!package) {
            saveCoordinateIndices(store);
            saveSyncFolders(store);
        }
        result = batch.commit();
    }
    if (package) store.Restore();
    return result;
}

Status ReloadConfiguration(ProfileStore& store, GlobalConfig& config) {
    store.clearLists();
    config.areas.clear();
    ProfileStore::Batch batch(store);
    LoadGlobalConfig(store, config);
    if (config.areas.empty()) {
        auto area = std::make_unique<ArearConfig>();
        area->note = kUnpartitionedNote;
        config.areas.push_back(std::move(area));
        config.areasEnabled = false;
    }
    loadWeatherTemplates(store);
    loadNoticeTemplates(store);
    loadSyncFolders(store);
    loadCoordinateIndices(store);
    if (store.weatherTemplates.empty()) {
        store.weatherTemplates.push_back(makeDefaultWeatherTemplate());
        for (auto& area : config.areas)
            area->weather.templateGuid = store.weatherTemplates.front()->guid;
        saveWeatherTemplates(store);
    }
    if (store.noticeTemplates.empty()) {
        store.noticeTemplates.push_back(makeDefaultNoticeTemplate());
        for (auto& area : config.areas)
            area->notice.templateGuid = store.noticeTemplates.front()->guid;
        saveNoticeTemplates(store);
    }
    SaveGlobalConfig(store, config.weatherCity, config.cafeName, config.homePage,
                     config.defaultFont, config, false, -1, 1);
    return batch.commit();
}

// ---------------------------------------------------------------- area operations

std::optional<std::string> checkAreaName(const GlobalConfig& config, const std::string& name,
                                         int exceptIndex) {
    if (auto problem = areaNameProblem(name)) return problem;
    const std::string folded = IniDocument::fold(name);
    for (std::size_t i = 0; i < config.areas.size(); ++i) {
        if (static_cast<int>(i) == exceptIndex) continue;
        if (IniDocument::fold(config.areas[i]->name) == folded) return kDuplicateAreaName;
    }
    return std::nullopt;
}

Status AddArea(ProfileStore& store, GlobalConfig& config, const std::string& name,
               const std::string& startIp, const std::string& endIp, int referenceIndex) {
    if (auto problem = checkAreaName(config, name, -1)) return Status::failure(*problem);
    if (referenceIndex < 0 || static_cast<std::size_t>(referenceIndex) >= config.areas.size())
        return Status::failure("参考配置不存在。");
    auto area = std::make_unique<ArearConfig>();
    area->name = name;
    area->startIp = startIp;
    area->endIp = endIp;
    CopyFromReference(*area, *config.areas[static_cast<std::size_t>(referenceIndex)]);
    config.areas.push_back(std::move(area));
    Status st;
    {
        ProfileStore::Batch batch(store);
        SaveAreaSections(store, *config.areas.back(), false);
        SaveAreaList(store, config, -1);
        st = batch.commit();
    }
    if (!st) config.areas.pop_back();  // the file was not changed: neither is the model
    return st;
}

Status ModifyArea(ProfileStore& store, GlobalConfig& config, int index, const std::string& name,
                  const std::string& startIp, const std::string& endIp) {
    if (index < 0 || static_cast<std::size_t>(index) >= config.areas.size())
        return Status::failure("分区不存在。");
    if (auto problem = checkAreaName(config, name, index)) return Status::failure(*problem);
    ArearConfig& area = *config.areas[static_cast<std::size_t>(index)];
    const std::string oldName = area.name, oldStart = area.startIp, oldEnd = area.endIp;
    area.name = name;
    area.startIp = startIp;
    area.endIp = endIp;
    Status st;
    {
        ProfileStore::Batch batch(store);
        SaveAreaSections(store, area, false);
        SaveAreaList(store, config, -1);
        st = batch.commit();
    }
    if (!st) {
        area.name = oldName;
        area.startIp = oldStart;
        area.endIp = oldEnd;
    }
    return st;
}

Status DeleteArea(ProfileStore& store, GlobalConfig& config, int index) {
    if (config.areas.size() <= 1) return Status::failure(kLastAreaMessage);
    if (index < 0 || static_cast<std::size_t>(index) >= config.areas.size())
        return Status::failure("分区不存在。");
    auto pos = config.areas.begin() + index;
    std::unique_ptr<ArearConfig> removed = std::move(*pos);
    config.areas.erase(pos);
    Status st = SaveEverything(store, config);
    if (!st) {
        config.areas.insert(config.areas.begin() + index, std::move(removed));
        return st;
    }
    return ReloadConfiguration(store, config);
}
