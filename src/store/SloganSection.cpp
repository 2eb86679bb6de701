#include "store/SloganSection.h"

#include <exception>

#include "store/Configuration.h"
#include "store/ProfileStore.h"

namespace {
constexpr const char* kWord = "公共标语";
}

int loadSloganSection(ProfileStore& store, const std::string& area, SloganSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        r.shown = decodeSwitch(store.ReadText(s, "显示标语", ""));
        decodePosition(store.ReadText(s, "显示坐标", "0|0"), r.position);
        SloganLabel label{r.content, r.colour, r.size, r.effect, r.italic};
        if (decodeSloganLabel(store.ReadText(s, "标语内容", ""), label)) {
            r.content = label.content;
            r.colour = label.colour;
            r.size = label.size;
            r.effect = label.effect;
            r.italic = label.italic;
        }
        r.background = store.ReadText(s, "背景", "");
        batch.commit();
    } catch (const std::exception&) {
    }
    return 1;
}

int saveSloganSection(ProfileStore& store, const std::string& area, const SloganSection& r) {
    try {
        ProfileStore::Batch batch(store);
        const std::string s = areaSection(kWord, area);
        store.WriteText(s, "显示标语", flagWord(r.shown, words::kOn));
        store.WriteText(s, "显示坐标", encodePosition(r.position));
        // Written whole even past 259 bytes: the store reads it back whole, so nothing the
        // operator typed is lost.
        store.WriteText(s, "标语内容",
                        encodeSloganLabel({r.content, r.colour, r.size, r.effect, r.italic}));
        store.WriteText(s, "背景", r.background);
        return batch.commit() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
