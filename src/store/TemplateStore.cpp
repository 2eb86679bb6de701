#include "store/TemplateStore.h"

#include <cstdio>
#include <exception>
#include <random>

#include "store/Encodings.h"
#include "store/ProfileStore.h"

#ifdef _WIN32
#include <objbase.h>
#ifdef _MSC_VER
#pragma comment(lib, "ole32.lib")
#endif
#endif

namespace {
constexpr const char* kWeatherIndex = "天气模板个数";
constexpr const char* kWeatherPrefix = "天气模板_";
constexpr const char* kNoticeIndex = "公告模板个数";
constexpr const char* kNoticePrefix = "公告模板_";
constexpr const char* kIconIndex = "桌面图标数据";
constexpr const char* kIconPrefix = "桌面图标_";
constexpr const char* kSyncSection = "桌面同步目录";

std::string lineKey(std::size_t j) { return "第" + std::to_string(j) + "行"; }

int boundedCount(int count) {
    if (count < 0) return 0;
    return count > kMaxStoredItems ? kMaxStoredItems : count;
}

std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '|';
        out += parts[i];
    }
    return out;
}

// The two template stores differ only in their names and in where a template's guid comes
// from.
template <typename T>
int loadTemplates(ProfileStore& store, std::vector<std::unique_ptr<T>>& list, const char* index,
                  const char* prefix, bool guidFromSection) {
    ProfileStore::Batch batch(store);
    for (const std::string& field : splitFields(store.ReadText(index, "guid", ""))) {
        const std::string section = prefix + field;
        std::string name = store.ReadText(section, "名称", "");
        if (name.empty()) continue;
        auto t = std::make_unique<T>();
        t->name = std::move(name);
        const int count = boundedCount(store.ReadInt(section, "行数", 0));
        t->guid = guidFromSection ? store.ReadText(section, "guid", "") : field;
        t->lines.reserve(static_cast<std::size_t>(count));
        for (int j = 0; j < count; ++j)
            t->lines.push_back(store.ReadText(section, lineKey(static_cast<std::size_t>(j)), ""));
        list.push_back(std::move(t));
    }
    batch.commit();
    return static_cast<int>(list.size());
}

template <typename T>
int saveTemplates(ProfileStore& store, const std::vector<std::unique_ptr<T>>& list,
                  const char* index, const char* prefix) {
    ProfileStore::Batch batch(store);
    std::vector<std::string> guids;
    for (const auto& t : list) {
        const std::string section = prefix + t->guid;
        store.WriteText(section, "名称", t->name);
        store.WriteNumber(section, "行数", static_cast<int>(t->lines.size()));
        store.WriteText(section, "guid", t->guid);
        for (std::size_t j = 0; j < t->lines.size(); ++j)
            store.WriteText(section, lineKey(j), t->lines[j]);
        guids.push_back(t->guid);
    }
    store.WriteText(index, "guid", join(guids));
    batch.commit();
    return 1;
}
}  // namespace

std::string newRecordGuid() {
    unsigned char tail[6];
#ifdef _WIN32
    GUID g;
    if (FAILED(CoCreateGuid(&g))) return {};
    for (int i = 0; i < 6; ++i) tail[i] = g.Data4[2 + i];
#else
    try {
        std::random_device rd;
        for (int i = 0; i < 6; i += 2) {
            const unsigned v = rd();
            tail[i] = static_cast<unsigned char>(v);
            tail[i + 1] = static_cast<unsigned char>(v >> 8);
        }
    } catch (const std::exception&) {
        return {};
    }
#endif
    char buf[13];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X%02X%02X%02X", tail[0], tail[1], tail[2], tail[3],
                  tail[4], tail[5]);
    return buf;
}

std::unique_ptr<WeatherTemplate> makeDefaultWeatherTemplate() {
    auto t = std::make_unique<WeatherTemplate>();
    t->name = "默认区域";
    t->guid = newRecordGuid();
    // clang-format off
    t->lines = {
        "第一行=$city|#F6F735|22|B",
        "第二行=$tq1 $feng1|#FFFFFF|16|B",
        "第三行=$YY年$MM月|#FFFFFF|22|B",
        "第四行=$DD|#FFFFFF|28|B",
        "第五行=星期$W|#FFFFFF|14",
        "第六行=$year|#FFFFFF|14",
        "第七行=$nuli $hday|#FFFFFF|15",
        "第八行=今天|#FFFFFF|12|B",
        "第九行=$temp1|#FFFFFF|12",
        "第十行=明天|#FFFFFF|12|B",
        "第十一行=$temp2|#FFFFFF|12",
        "第十二行=后天|#FFFFFF|12|B",
        "第十三行=$temp3|#FFFFFF|12",
    };
    // clang-format on
    return t;
}

std::unique_ptr<NoticeTemplate> makeDefaultNoticeTemplate() {
    auto t = std::make_unique<NoticeTemplate>();
    t->name = "默认公告";
    t->guid = newRecordGuid();
    // clang-format off
    t->lines = {
        "<行间距>|15",
        "会员卡充30元送XX元|#FFFFFF|18",
        "<行间距>|10",
        "会员卡充50元送XX元|#FFFFFF|18",
        "<行间距>|10",
        "会员卡充100元送XX元|#FFFFFF|18",
        "<分割线>|30",
        "本网吧出售各种游戏点卡等服务|15",
        "<行间距>|8",
        "请自行妥善保管好您的贵重物品|15",
        "<行间距>|8",
        "如有遗失,本网吧概不负责|15",
        "<行间距>|8",
        "维护公共卫生，爱护公共物品|15",
        "<行间距>|8",
        "损坏本网吧物品照价赔偿|15",
        "<行间距>|8",
        "请勿浏览或下载包含色情、反动|15",
        "<行间距>|8",
        "暴力、迷信内容的网站或文件|15",
        "<行间距>|8",
        "Tavrin网吧桌面 客服电话：400-000-0000|15",
        "<行间距>|8",
        "官方网站：www.tavrin.example.com|15",
        "<行间距>|28",
    };
    // clang-format on
    return t;
}

std::unique_ptr<CoordinateIndex> newCoordinateIndex() {
    auto index = std::make_unique<CoordinateIndex>();
    index->guid = newRecordGuid();
    index->name = "默认区域";
    return index;
}

int loadWeatherTemplates(ProfileStore& store) {
    return loadTemplates(store, store.weatherTemplates, kWeatherIndex, kWeatherPrefix, false);
}

int saveWeatherTemplates(ProfileStore& store) {
    return saveTemplates(store, store.weatherTemplates, kWeatherIndex, kWeatherPrefix);
}

int loadNoticeTemplates(ProfileStore& store) {
    return loadTemplates(store, store.noticeTemplates, kNoticeIndex, kNoticePrefix, true);
}

int saveNoticeTemplates(ProfileStore& store) {
    return saveTemplates(store, store.noticeTemplates, kNoticeIndex, kNoticePrefix);
}

int loadSyncFolders(ProfileStore& store) {
    const std::string value = store.ReadText(kSyncSection, "目录", "");
    if (value.empty()) return 0;
    for (std::string& name : splitFields(value)) store.syncFolders.push_back(std::move(name));
    return 1;
}

int saveSyncFolders(ProfileStore& store) {
    // Called on its own right after a folder is made or removed: the caller must hear when
    // desk.ini could not take the list.
    return store.WriteText(kSyncSection, "目录", join(store.syncFolders)).ok ? 1 : 0;
}

int loadCoordinateIndices(ProfileStore& store) {
    ProfileStore::Batch batch(store);
    const std::string list = store.ReadText(kIconIndex, "guid", "");
    if (list.empty()) return 0;
    for (const std::string& field : splitFields(list)) {
        if (store.coordinateIndices.count(field)) continue;  // the first record of a guid wins
        auto index = newCoordinateIndex();
        index->guid = field;
        const std::string section = kIconPrefix + field;
        index->name = store.ReadText(section, "名称", "");
        const int count = boundedCount(store.ReadInt(section, "个数", 0));
        for (int j = 0; j < count; ++j) {
            auto f = splitFields(store.ReadText(section, std::to_string(j), ""));
            if (f.size() != 3) continue;  // a label holding "|", or a hand-edited value
            auto p = std::make_unique<IconPlacement>();
            p->label = std::move(f[0]);
            p->position = f[1] + "|" + f[2];
            index->placements.push_back(std::move(p));
        }
        store.coordinateIndices.emplace(field, std::move(index));
    }
    batch.commit();
    return 1;
}

int saveCoordinateIndices(ProfileStore& store) {
    ProfileStore::Batch batch(store);
    std::vector<std::string> guids;
    for (const auto& [guid, index] : store.coordinateIndices) {
        const std::string section = kIconPrefix + index->guid;
        store.WriteText(section, "guid", index->guid);
        store.WriteText(section, "名称", index->name);
        store.WriteNumber(section, "个数", static_cast<int>(index->placements.size()));
        for (std::size_t j = 0; j < index->placements.size(); ++j) {
            const IconPlacement& p = *index->placements[j];
            store.WriteText(section, std::to_string(j), p.label + "|" + p.position);
        }
        guids.push_back(index->guid);
    }
    store.WriteText(kIconIndex, "guid", join(guids));
    batch.commit();
    return 1;
}
