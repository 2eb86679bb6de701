#include "store/OtherFunctionsSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/Encodings.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kResolution = "设分辨率";
constexpr const char* kOther = "其它功能";
}  // namespace

int loadOtherFunctionsSection(ProfileStore& store, const std::string& area,
                              OtherFunctionsSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string res = areaSection(kResolution, area);
        r.setResolution = decodeSwitch(store.ReadText(res, "是否开启", ""));
        r.resolution = store.ReadText(res, "分辨率大小", "");
        const std::string o = areaSection(kOther, area);
        r.rightClickMenu = decodeSwitch(store.ReadText(o, "右键菜单", ""));
        r.startWithSystem = decodeSwitch(store.ReadText(o, "开机启动", ""));
        r.labelTransparency = decodeSwitch(store.ReadText(o, "标签透明", ""));
        r.wallpaperOutputPath = store.ReadText(o, "生成路径", "");
        SwitchText shortcut{r.desktopShortcut, r.shortcutName};
        if (decodeSwitchText(store.ReadText(o, "桌面快捷", "0|0"), shortcut)) {
            r.desktopShortcut = shortcut.on;
            r.shortcutName = shortcut.text;
        }
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveOtherFunctionsSection(ProfileStore& store, const std::string& area,
                              const OtherFunctionsSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string res = areaSection(kResolution, area);
        store.WriteText(res, "是否开启", flagWord(r.setResolution, words::kOn));
        store.WriteText(res, "分辨率大小", r.resolution);
        const std::string o = areaSection(kOther, area);
        store.WriteText(o, "右键菜单", flagWord(r.rightClickMenu, words::kOn));
        store.WriteText(o, "开机启动", flagWord(r.startWithSystem, words::kOn));
        store.WriteText(o, "标签透明", flagWord(r.labelTransparency, words::kOn));
        store.WriteText(o, "桌面快捷", encodeSwitchText({r.desktopShortcut, r.shortcutName}));
        store.WriteText(o, "生成路径", r.wallpaperOutputPath);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
