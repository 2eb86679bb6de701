#include "store/Codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace codec {
namespace {

constexpr UChar32 kEscapeBase = 0xF780;  // U+F780..U+F7FF carry undecodable bytes

struct ConverterDeleter {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

ConverterPtr openConverter() {
    UErrorCode err = U_ZERO_ERROR;
    UConverter* c = ucnv_open("windows-936-2000", &err);
    if (U_FAILURE(err) || c == nullptr) {
        std::fprintf(stderr, "codec: ICU converter windows-936-2000 unavailable: %s\n",
                     u_errorName(err));
        std::abort();
    }
    return ConverterPtr(c);
}

// Undecodable input bytes become escape code points, one per byte.
void toUEscape(const void*, UConverterToUnicodeArgs* args, const char* codeUnits, int32_t length,
               UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;  // reset / close / clone
    for (int32_t i = 0; i < length; ++i) {
        auto byte = static_cast<unsigned char>(codeUnits[i]);
        UChar ch = byte >= 0x80 ? static_cast<UChar>(kEscapeBase + (byte - 0x80)) : UChar(byte);
        *err = U_ZERO_ERROR;
        ucnv_cbToUWriteUChars(args, &ch, 1, 0, err);
        if (U_FAILURE(*err)) return;
    }
}

struct FromUContext {
    UChar32 refused = -1;
};

// Escape code points turn back into their byte; anything else unmappable is refused.
void fromUEscape(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                 UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;
    if (reason == UCNV_UNASSIGNED && codePoint >= kEscapeBase && codePoint < kEscapeBase + 0x80) {
        char byte = static_cast<char>(0x80 + (codePoint - kEscapeBase));
        *err = U_ZERO_ERROR;
        ucnv_cbFromUWriteBytes(args, &byte, 1, 0, err);
        return;
    }
    auto* ctx = static_cast<FromUContext*>(const_cast<void*>(context));
    if (ctx->refused < 0) ctx->refused = codePoint;
    // leave *err set: conversion stops
}

std::u16string toUtf16(std::string_view utf8, bool* ok) {
    std::u16string out;
    out.resize(utf8.size() + 1);
    int32_t len = 0;
    UErrorCode err = U_ZERO_ERROR;
    u_strFromUTF8(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &len,
                  utf8.data(), static_cast<int32_t>(utf8.size()), &err);
    *ok = U_SUCCESS(err);
    out.resize(*ok ? static_cast<std::size_t>(len) : 0);
    return out;
}

std::string describe(UChar32 cp) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    std::string text;
    if (cp >= 0x20) {
        char16_t units[2];
        int32_t n = 0;
        UBool bad = false;
        U16_APPEND(units, n, 2, cp, bad);
        char utf8[8];
        int32_t len = 0;
        UErrorCode err = U_ZERO_ERROR;
        u_strToUTF8(utf8, sizeof utf8, &len, reinterpret_cast<UChar*>(units), n, &err);
        if (U_SUCCESS(err) && !bad) text.assign(utf8, static_cast<std::size_t>(len));
    }
    return text.empty() ? std::string(buf) : "“" + text + "” (" + buf + ")";
}

}  // namespace

std::optional<std::string> detail::toCp936Icu(std::string_view utf8, std::string* error) {
    bool ok = false;
    std::u16string wide = toUtf16(utf8, &ok);
    if (!ok) {
        if (error) *error = "文本不是有效的 UTF-8";
        return std::nullopt;
    }
    ConverterPtr conv = openConverter();
    FromUContext ctx;
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv.get(), fromUEscape, &ctx, nullptr, nullptr, &err);
    std::string out;
    out.resize(wide.size() * 2 + 16);
    err = U_ZERO_ERROR;
    int32_t len = ucnv_fromUChars(conv.get(), out.data(), static_cast<int32_t>(out.size()),
                                  reinterpret_cast<const UChar*>(wide.data()),
                                  static_cast<int32_t>(wide.size()), &err);
    if (U_FAILURE(err)) {
        if (error) {
            *error = ctx.refused >= 0 ? "字符 " + describe(ctx.refused) + " 无法以 GBK 编码保存"
                                      : std::string("GBK 编码转换失败：") + u_errorName(err);
        }
        return std::nullopt;
    }
    out.resize(static_cast<std::size_t>(len));
    return out;
}

std::string detail::fromCp936Icu(std::string_view bytes) {
    if (bytes.empty()) return {};
    // Plain ASCII needs no conversion (the common case for keys and numbers).
    bool ascii = true;
    for (unsigned char c : bytes) {
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return std::string(bytes);

    ConverterPtr conv = openConverter();
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setToUCallBack(conv.get(), toUEscape, nullptr, nullptr, nullptr, &err);
    std::u16string wide;
    wide.resize(bytes.size() + 1);
    err = U_ZERO_ERROR;
    int32_t len = ucnv_toUChars(conv.get(), reinterpret_cast<UChar*>(wide.data()),
                                static_cast<int32_t>(wide.size()), bytes.data(),
                                static_cast<int32_t>(bytes.size()), &err);
    if (U_FAILURE(err)) return {};
    std::string out;
    out.resize(static_cast<std::size_t>(len) * 3 + 1);
    int32_t outLen = 0;
    err = U_ZERO_ERROR;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &outLen,
                reinterpret_cast<const UChar*>(wide.data()), len, &err);
    out.resize(U_SUCCESS(err) ? static_cast<std::size_t>(outLen) : 0);
    return out;
}

namespace {

// Below this size the one-time table build is not worth it.
constexpr std::size_t kTableFrom = 64 * 1024;

// BMP code point -> cp936: 0 none, below 0x100 one byte, else lead * 256 + trail.
struct EncodeTable {
    std::vector<std::uint16_t> code = std::vector<std::uint16_t>(0x10000, 0);
};
// (lead - 0x81) * 191 + (trail - 0x40) -> code point, 0 when the pair is not a character;
// single bytes 0x80..0xFF that are characters on their own (0x80 is the euro sign).
struct DecodeTable {
    std::vector<std::uint16_t> pair = std::vector<std::uint16_t>(126 * 191, 0);
    std::uint16_t single[128] = {};
};

// Each table is built once, from ICU itself, when a large text first needs it.
const EncodeTable& encodeTable() {
    static const EncodeTable t = [] {
        EncodeTable t;
        ConverterPtr conv = openConverter();
        UErrorCode err = U_ZERO_ERROR;
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &err);
        char out[8];
        for (std::uint32_t cp = 0x80; cp < 0x10000; ++cp) {
            if (cp >= 0xD800 && cp < 0xE000) continue;
            UChar u = static_cast<UChar>(cp);
            err = U_ZERO_ERROR;
            ucnv_resetFromUnicode(conv.get());
            int32_t n = ucnv_fromUChars(conv.get(), out, sizeof out, &u, 1, &err);
            if (U_FAILURE(err)) continue;
            auto b0 = static_cast<unsigned char>(out[0]);
            if (n == 1 && b0 >= 0x80) t.code[cp] = b0;
            if (n == 2)
                t.code[cp] =
                    static_cast<std::uint16_t>(b0 << 8 | static_cast<unsigned char>(out[1]));
        }
        return t;
    }();
    return t;
}

const DecodeTable& decodeTable() {
    static const DecodeTable t = [] {
        DecodeTable t;
        ConverterPtr conv = openConverter();
        UErrorCode err = U_ZERO_ERROR;
        ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
        UChar u[4];
        for (int b = 0x80; b <= 0xFF; ++b) {
            char in = static_cast<char>(b);
            err = U_ZERO_ERROR;
            ucnv_resetToUnicode(conv.get());
            int32_t n = ucnv_toUChars(conv.get(), u, 4, &in, 1, &err);
            if (U_SUCCESS(err) && n == 1) t.single[b - 0x80] = u[0];
        }
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                err = U_ZERO_ERROR;
                ucnv_resetToUnicode(conv.get());
                int32_t n = ucnv_toUChars(conv.get(), u, 4, in, 2, &err);
                if (U_SUCCESS(err) && n == 1 && !U16_IS_SURROGATE(u[0]) && u[0] != 0)
                    t.pair[(lead - 0x81) * 191 + (trail - 0x40)] = u[0];
            }
        }
        return t;
    }();
    return t;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::optional<std::string> detail::toCp936Table(std::string_view utf8, std::string* error) {
    const EncodeTable& t = encodeTable();
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        unsigned c = p[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::uint32_t cp;
        if (c >= 0xC2 && c < 0xE0 && i + 1 < n && (p[i + 1] & 0xC0) == 0x80) {
            cp = (c & 0x1F) << 6 | (p[i + 1] & 0x3F);
            i += 2;
        } else if (c >= 0xE0 && c < 0xF0 && i + 2 < n && (p[i + 1] & 0xC0) == 0x80 &&
                   (p[i + 2] & 0xC0) == 0x80) {
            cp = (c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F);
            i += 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000)) return toCp936Icu(utf8, error);
        } else {
            return toCp936Icu(utf8, error);  // four-byte or malformed: let ICU decide and say
        }
        std::uint16_t v = t.code[cp];
        if (v == 0) return toCp936Icu(utf8, error);  // escapes and refusals
        if (v < 0x100) {
            out += static_cast<char>(v);
        } else {
            out += static_cast<char>(v >> 8);
            out += static_cast<char>(v & 0xFF);
        }
    }
    return out;
}

std::string detail::fromCp936Table(std::string_view bytes) {
    const DecodeTable& t = decodeTable();
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        unsigned b = p[i];
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (b >= 0x81 && b <= 0xFE && i + 1 < n && p[i + 1] >= 0x40 && p[i + 1] <= 0xFE) {
            std::uint16_t cp = t.pair[(b - 0x81) * 191 + (p[i + 1] - 0x40)];
            if (cp != 0) {
                appendUtf8(out, cp);
                i += 2;
                continue;
            }
        } else if (t.single[b - 0x80] != 0 && !(b >= 0x81 && b <= 0xFE)) {
            appendUtf8(out, t.single[b - 0x80]);
            ++i;
            continue;
        }
        return fromCp936Icu(bytes);  // not a character: ICU's escapes decide
    }
    return out;
}

std::optional<std::string> toCp936(std::string_view utf8, std::string* error) {
    if (utf8.size() >= kTableFrom) return detail::toCp936Table(utf8, error);
    return detail::toCp936Icu(utf8, error);
}

std::string fromCp936(std::string_view bytes) {
    if (bytes.size() >= kTableFrom) return detail::fromCp936Table(bytes);
    return detail::fromCp936Icu(bytes);
}

bool representable(std::string_view utf8) { return toCp936(utf8).has_value(); }

std::size_t cp936Length(std::string_view utf8) {
    if (auto bytes = toCp936(utf8)) return bytes->size();
    bool ok = false;
    std::u16string wide = toUtf16(utf8, &ok);
    std::size_t n = 0;
    for (std::size_t i = 0; i < wide.size();) {
        UChar32 cp;
        U16_NEXT(wide.data(), i, wide.size(), cp);
        n += cp < 0x80 ? 1 : 2;
    }
    return n;
}

}  // namespace codec
