#include "store/NoticeSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kWord = "公告配置";

StyledLabel6 titleLabel(const NoticeSection& r) {
    return {r.titleShown, r.titleText, r.titleColour, r.titleSize, r.titleEffect, r.titleBold};
}
}  // namespace

int loadNoticeSection(ProfileStore& store, const std::string& area, NoticeSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        r.shown = decodeSwitch(store.ReadText(s, "显示公告", ""));
        r.newLabelShown = decodeSwitch(store.ReadText(s, "显示NEW标签", ""));
        decodePosition(store.ReadText(s, "显示坐标", "0|0"), r.position);
        r.templateGuid = store.ReadText(s, "公告模板", "");
        r.alignment = store.ReadNumber(s, "对齐方式", "");
        StyleTriple style{r.colour, r.size, r.effect};
        if (decodeStyleTriple(store.ReadText(s, "样式", ""), style)) {
            r.colour = style.colour;
            r.size = style.size;
            r.effect = style.effect;
        }
        StyledLabel6 title = titleLabel(r);
        if (decodeStyledLabel6(store.ReadText(s, "标题名称", ""), title)) {
            r.titleShown = title.shown;
            r.titleText = title.content;
            r.titleColour = title.colour;
            r.titleSize = title.size;
            r.titleEffect = title.effect;
            r.titleBold = title.bold;
        }
        r.titleBackground = store.ReadText(s, "标题背景", "");
        r.bodyBackground = store.ReadText(s, "正文背景", "");
        r.divider = store.ReadText(s, "分割线", "");
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveNoticeSection(ProfileStore& store, const std::string& area, const NoticeSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        store.WriteText(s, "显示公告", flagWord(r.shown, words::kOn));
        store.WriteText(s, "显示坐标", encodePosition(r.position));
        store.WriteText(s, "公告模板", r.templateGuid);
        store.WriteNumber(s, "对齐方式", r.alignment);
        store.WriteText(s, "样式", encodeStyleTriple({r.colour, r.size, r.effect}));
        store.WriteText(s, "标题名称", encodeStyledLabel6(titleLabel(r)));
        store.WriteText(s, "标题背景", r.titleBackground);
        store.WriteText(s, "正文背景", r.bodyBackground);
        store.WriteText(s, "分割线", r.divider);
        store.WriteText(s, "显示NEW标签", flagWord(r.newLabelShown, words::kOn));
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
