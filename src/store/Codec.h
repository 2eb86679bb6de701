#pragma once
// Conversion between the UTF-8 held in memory and the code page 936 (GBK) bytes of
// every file, ZIP entry name and runtime call. Nothing else in the program calls ICU.

#include <optional>
#include <string>
#include <string_view>

namespace codec {

// UTF-8 -> cp936 bytes. Characters cp936 cannot hold are refused: the result is empty
// and *error (when given) names the first such character.
std::optional<std::string> toCp936(std::string_view utf8, std::string* error = nullptr);

// cp936 bytes -> UTF-8. Never fails: a byte sequence that is not cp936 becomes a private
// code point (U+F780 + byte) that toCp936 turns back into the same byte, so a file with
// stray bytes survives a load and a save unchanged.
std::string fromCp936(std::string_view bytes);

// True when every character of the UTF-8 text has a cp936 form.
bool representable(std::string_view utf8);

// Number of cp936 bytes the text takes (characters without a cp936 form count 2).
std::size_t cp936Length(std::string_view utf8);

namespace detail {
// The two conversion paths, exposed so tests can compare them: ICU's converter, and the
// table-driven one used for large texts (it falls back to ICU for anything unusual, so both
// always give the same result).
std::optional<std::string> toCp936Icu(std::string_view utf8, std::string* error);
std::string fromCp936Icu(std::string_view bytes);
std::optional<std::string> toCp936Table(std::string_view utf8, std::string* error);
std::string fromCp936Table(std::string_view bytes);
}  // namespace detail

}  // namespace codec
