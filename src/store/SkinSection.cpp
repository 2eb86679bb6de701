#include "store/SkinSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/Encodings.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kDesk = "Desk";
constexpr const char* kWallpaper = "壁纸配置";
constexpr const char* kOutlineWord = "描边";
}  // namespace

int loadSkinSection(ProfileStore& store, const std::string& area, SkinSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string desk = areaSection(kDesk, area);
        r.skinStyle = store.ReadText(desk, "皮肤设置", "默认风格");
        r.styleWidth = store.ReadNumber(desk, "风格宽度", "0");
        r.effectColour = store.ReadText(desk, "阴影颜色", "#000000");
        r.textEffect = store.ReadText(desk, "文字特效", "阴影") == kOutlineWord
                           ? SkinSection::kOutline
                           : SkinSection::kShadow;
        r.effectTransparency = store.ReadNumber(desk, "阴影透明", "0");
        const std::string wall = areaSection(kWallpaper, area);
        r.randomWallpaper = decodeSwitch(store.ReadText(wall, "随机壁纸", words::kOff));
        r.fixedWallpaper = store.ReadText(wall, "固定壁纸", "");
        r.wallpaperFolder = store.ReadText(wall, "指定目录", "");
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveSkinSection(ProfileStore& store, const std::string& area, const SkinSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string desk = areaSection(kDesk, area);
        store.WriteText(desk, "皮肤设置", r.skinStyle);
        store.WriteNumber(desk, "风格宽度", r.styleWidth);
        store.WriteText(desk, "阴影颜色", r.effectColour);
        // Shadow is the absence of the key. A save into a file that still holds "描边" from
        // an earlier save must drop it, or the area would read back as outline.
        if (r.textEffect == SkinSection::kOutline)
            store.WriteText(desk, "文字特效", kOutlineWord);
        else
            store.DeleteKey(desk, "文字特效");
        store.WriteNumber(desk, "阴影透明", r.effectTransparency);
        const std::string wall = areaSection(kWallpaper, area);
        store.WriteText(wall, "随机壁纸", flagWord(r.randomWallpaper, words::kOn));
        store.WriteText(wall, "指定目录", r.wallpaperFolder);
        store.WriteText(wall, "固定壁纸", r.fixedWallpaper);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
