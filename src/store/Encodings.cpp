#include "store/Encodings.h"

#include <cstdio>

#include "store/ProfileStore.h"

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = text.find('|', start);
        if (bar == std::string_view::npos) {
            out.emplace_back(text.substr(start));
            return out;
        }
        out.emplace_back(text.substr(start, bar - start));
        start = bar + 1;
    }
}

namespace {
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One "%2X" conversion: optional blanks, optional sign and "0x", at most two characters
// taken in all (as scanf counts the field width).
bool scanHex2(std::string_view s, std::size_t& i, unsigned& out) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                            s[i] == '\v' || s[i] == '\f'))
        ++i;
    int width = 2;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
        --width;
    }
    if (width >= 2 && i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        // "0x" consumes the whole width: glibc reads that as the number 0.
        i += 2;
        out = 0;
        return true;
    }
    unsigned v = 0;
    int digits = 0;
    while (width > 0 && i < s.size() && hexDigit(s[i]) >= 0) {
        v = v * 16 + static_cast<unsigned>(hexDigit(s[i]));
        ++i;
        --width;
        ++digits;
    }
    if (digits == 0) return false;
    out = negative ? 0u - v : v;
    return true;
}
}  // namespace

std::optional<std::uint32_t> parseColour(std::string_view text) {
    if (text.empty() || text.front() != '#') return std::nullopt;
    std::size_t i = 1;
    unsigned r = 0, g = 0, b = 0;
    if (!scanHex2(text, i, r) || !scanHex2(text, i, g) || !scanHex2(text, i, b))
        return std::nullopt;
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

std::string formatColour(std::uint32_t rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF,
                  (rgb >> 16) & 0xFF);
    return buf;
}

std::string flagWord(bool on, std::string_view onWord) {
    return on ? std::string(onWord) : "-" + std::string(onWord);
}

bool decodeFieldFlag(std::string_view field, std::string_view offWord) {
    return field.substr(0, offWord.size()) != offWord;
}

bool decodeSwitch(std::string_view value) { return value != words::kOff; }

bool decodeStrictSwitch(std::string_view value) { return value == words::kOn; }

void decodeAxis(std::string_view field, int& mode, std::string& text) {
    if (!field.empty() && field.front() == 'X') {
        mode = 2;
        text = "X";
    } else if (!field.empty() && field.front() == 'Z') {
        mode = 3;
        text = "Z";
    } else {
        mode = 1;
        text = std::string(field);
    }
}

bool decodePosition(std::string_view value, PositionPair& pos) {
    auto f = splitFields(value);
    if (f.size() != 2) return false;
    decodeAxis(f[0], pos.xMode, pos.x);
    decodeAxis(f[1], pos.yMode, pos.y);
    return true;
}

std::string encodePosition(const PositionPair& pos) { return pos.x + "|" + pos.y; }

std::string encodeStyleTriple(const StyleTriple& v) {
    return v.colour + "|" + std::to_string(v.size) + "|" + flagWord(v.effect, words::kShadow);
}

bool decodeStyleTriple(std::string_view value, StyleTriple& v) {
    auto f = splitFields(value);
    if (f.size() != 3) return false;
    v.colour = f[0];
    v.size = atoiCompat(f[1]);
    v.effect = decodeFieldFlag(f[2], words::kShadowOff);
    return true;
}

std::string encodeStyledLabel5(const StyledLabel5& v) {
    return flagWord(v.shown, words::kOn) + "|" + v.colour + "|" + std::to_string(v.size) + "|" +
           flagWord(v.effect, words::kShadow) + "|" + flagWord(v.bold, words::kBold);
}

bool decodeStyledLabel5(std::string_view value, StyledLabel5& v) {
    auto f = splitFields(value);
    if (f.size() != 5) return false;
    v.shown = decodeFieldFlag(f[0], words::kOff);
    v.colour = f[1];
    v.size = atoiCompat(f[2]);
    v.effect = decodeFieldFlag(f[3], words::kShadowOff);
    v.bold = decodeFieldFlag(f[4], words::kBoldOff);
    return true;
}

std::string encodeStyledLabel6(const StyledLabel6& v) {
    return flagWord(v.shown, words::kOn) + "|" + v.content + "|" + v.colour + "|" +
           std::to_string(v.size) + "|" + flagWord(v.effect, words::kShadow) + "|" +
           flagWord(v.bold, words::kBold);
}

bool decodeStyledLabel6(std::string_view value, StyledLabel6& v) {
    auto f = splitFields(value);
    if (f.size() != 6) return false;
    v.shown = decodeFieldFlag(f[0], words::kOff);
    v.content = f[1];
    v.colour = f[2];
    v.size = atoiCompat(f[3]);
    v.effect = decodeFieldFlag(f[4], words::kShadowOff);
    v.bold = decodeFieldFlag(f[5], words::kBoldOff);
    return true;
}

std::string encodeSloganLabel(const SloganLabel& v) {
    return v.content + "|" + v.colour + "|" + std::to_string(v.size) + "|" +
           flagWord(v.effect, words::kShadow) + "|" + flagWord(v.italic, words::kItalic);
}

bool decodeSloganLabel(std::string_view value, SloganLabel& v) {
    auto f = splitFields(value);
    if (f.size() != 5) return false;
    v.content = f[0];
    v.colour = f[1];
    v.size = atoiCompat(f[2]);
    v.effect = decodeFieldFlag(f[3], words::kShadowOff);
    v.italic = decodeFieldFlag(f[4], words::kItalicOff);
    return true;
}

std::string encodeSwitchText(const SwitchText& v) {
    return flagWord(v.on, words::kOn) + "|" + v.text;
}

bool decodeSwitchText(std::string_view value, SwitchText& v) {
    auto f = splitFields(value);
    if (f.size() != 2) return false;
    v.on = decodeFieldFlag(f[0], words::kOff);
    v.text = f[1];
    return true;
}

std::optional<std::string> areaNameProblem(std::string_view name) {
    if (name.find_first_of("|<>") != std::string_view::npos)
        return "分区名称不能包含“|”、“<”或“>”。";
    return std::nullopt;
}
