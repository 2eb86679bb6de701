#include "store/Codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

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

std::optional<std::string> toCp936(std::string_view utf8, std::string* error) {
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

std::string fromCp936(std::string_view bytes) {
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
