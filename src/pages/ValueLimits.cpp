#include "pages/ValueLimits.h"

#include "store/Codec.h"
#include "store/Configuration.h"
#include "store/Encodings.h"

namespace {
struct Checked {
    const char* page;
    const char* key;
    std::string value;
};
}  // namespace

std::optional<std::string> overlongValue(const ArearConfig& a) {
    const NameColumnSection& n = a.nameColumn;
    const SloganSection& s = a.slogan;
    const NoticeSection& no = a.notice;
    const WeatherSection& w = a.weather;
    const Checked values[] = {
        {"名称栏目", "显示坐标", encodePosition(n.position)},
        {"名称栏目", "网吧名称",
         encodeStyledLabel5({n.cafeNameShown, n.cafeNameColour, n.cafeNameSize, n.cafeNameEffect,
                             n.cafeNameBold})},
        {"名称栏目", "显示机号",
         encodeStyledLabel6({n.seatNumberShown, n.seatNumberContent, n.seatNumberColour,
                             n.seatNumberSize, n.seatNumberEffect, n.seatNumberBold})},
        {"名称栏目", "收费标准",
         encodeStyledLabel6({n.priceListShown, n.priceListContent, n.priceListColour,
                             n.priceListSize, n.priceListEffect, n.priceListBold})},
        {"天气栏目", "显示坐标", encodePosition(w.position)},
        {"天气栏目", "样式", encodeStyleTriple({w.colour, w.size, w.effect})},
        {"公告栏目", "显示坐标", encodePosition(no.position)},
        {"公告栏目", "样式", encodeStyleTriple({no.colour, no.size, no.effect})},
        {"公告栏目", "标题名称",
         encodeStyledLabel6({no.titleShown, no.titleText, no.titleColour, no.titleSize,
                             no.titleEffect, no.titleBold})},
        {"标语栏目", "显示坐标", encodePosition(s.position)},
        {"标语栏目", "标语内容",
         encodeSloganLabel({s.content, s.colour, s.size, s.effect, s.italic})},
        {"贴图插图", "显示坐标", encodePosition(a.decal.position)},
        {"贴图插图", "插图内容", a.decal.illustrationContent},
        {"其它功能", "桌面快捷",
         encodeSwitchText({a.otherFunctions.desktopShortcut, a.otherFunctions.shortcutName})},
    };
    for (const Checked& c : values) {
        const std::size_t length = codec::cp936Length(c.value);
        if (length > kRuntimeValueLimit)
            return std::string("“") + c.page + "”页的“" + c.key + "”太长：共" +
                   std::to_string(length) + "字节，桌面程序最多只能读取" +
                   std::to_string(kRuntimeValueLimit) + "字节。请缩短后再保存。";
    }
    return std::nullopt;
}
