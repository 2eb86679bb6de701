#include "store/NameColumnSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kWord = "名称配置";

StyledLabel6 seatLabel(const NameColumnSection& r) {
    return {r.seatNumberShown, r.seatNumberContent, r.seatNumberColour,
            r.seatNumberSize,  r.seatNumberEffect,  r.seatNumberBold};
}
StyledLabel6 priceLabel(const NameColumnSection& r) {
    return {r.priceListShown, r.priceListContent, r.priceListColour,
            r.priceListSize,  r.priceListEffect,  r.priceListBold};
}
}  // namespace

int loadNameColumnSection(ProfileStore& store, const std::string& area, NameColumnSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        decodePosition(store.ReadText(s, "显示坐标", "0|0"), r.position);
        r.titleBackground = store.ReadText(s, "标题背景", "");
        r.bodyBackground = store.ReadText(s, "正文背景", "");

        StyledLabel5 cafe{r.cafeNameShown, r.cafeNameColour, r.cafeNameSize, r.cafeNameEffect,
                          r.cafeNameBold};
        if (decodeStyledLabel5(store.ReadText(s, "网吧名称", ""), cafe)) {
            r.cafeNameShown = cafe.shown;
            r.cafeNameColour = cafe.colour;
            r.cafeNameSize = cafe.size;
            r.cafeNameEffect = cafe.effect;
            r.cafeNameBold = cafe.bold;
        }
        r.backgroundShown = decodeSwitch(store.ReadText(s, "显示背景", ""));

        StyledLabel6 seat = seatLabel(r);
        if (decodeStyledLabel6(store.ReadText(s, "显示机号", ""), seat)) {
            r.seatNumberShown = seat.shown;
            r.seatNumberContent = seat.content;
            r.seatNumberColour = seat.colour;
            r.seatNumberSize = seat.size;
            r.seatNumberEffect = seat.effect;
            r.seatNumberBold = seat.bold;
        }
        r.seatNumberOffset = store.ReadNumber(s, "机号偏移", "");

        StyledLabel6 price = priceLabel(r);
        if (decodeStyledLabel6(store.ReadText(s, "收费标准", ""), price)) {
            r.priceListShown = price.shown;
            r.priceListContent = price.content;
            r.priceListColour = price.colour;
            r.priceListSize = price.size;
            r.priceListEffect = price.effect;
            r.priceListBold = price.bold;
        }
        batch.commit();
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

int saveNameColumnSection(ProfileStore& store, const std::string& area,
                          const NameColumnSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        store.WriteText(s, "显示坐标", encodePosition(r.position));
        store.WriteText(s, "网吧名称",
                        encodeStyledLabel5({r.cafeNameShown, r.cafeNameColour, r.cafeNameSize,
                                            r.cafeNameEffect, r.cafeNameBold}));
        store.WriteText(s, "显示背景", flagWord(r.backgroundShown, words::kOn));
        store.WriteText(s, "显示机号", encodeStyledLabel6(seatLabel(r)));
        store.WriteNumber(s, "机号偏移", r.seatNumberOffset);
        store.WriteText(s, "收费标准", encodeStyledLabel6(priceLabel(r)));
        store.WriteText(s, "标题背景", r.titleBackground);
        store.WriteText(s, "正文背景", r.bodyBackground);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
