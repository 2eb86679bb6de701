#include "store/DecalSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kDecal = "节日贴图";
constexpr const char* kIllustration = "壁纸插图";
}  // namespace

int loadDecalSection(ProfileStore& store, const std::string& area, DecalSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string d = areaSection(kDecal, area);
        r.decalShown = decodeSwitch(store.ReadText(d, "是否开启", ""));
        decodePosition(store.ReadText(d, "显示坐标", "0|0"), r.position);
        r.picture = store.ReadText(d, "节日图片", "");
        r.automaticPicture = r.picture == kAutomaticPicture;
        r.startDate = store.ReadText(d, "开始时间", "");
        r.endDate = store.ReadText(d, "结束时间", "");
        const std::string i = areaSection(kIllustration, area);
        r.illustrationsShown = decodeSwitch(store.ReadText(i, "是否开启", ""));
        r.illustrationContent = store.ReadText(i, "插图内容", "");
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveDecalSection(ProfileStore& store, const std::string& area, const DecalSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string d = areaSection(kDecal, area);
        store.WriteText(d, "是否开启", flagWord(r.decalShown, words::kOn));
        store.WriteText(d, "显示坐标", encodePosition(r.position));
        store.WriteText(d, "节日图片",
                        r.automaticPicture ? std::string(kAutomaticPicture) : r.picture);
        store.WriteText(d, "开始时间", r.startDate);
        store.WriteText(d, "结束时间", r.endDate);
        const std::string i = areaSection(kIllustration, area);
        store.WriteText(i, "是否开启", flagWord(r.illustrationsShown, words::kOn));
        store.WriteText(i, "插图内容", r.illustrationContent);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
