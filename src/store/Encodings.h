#pragma once
// Value encodings shared by the per-area sections: switch and style words, position pairs,
// colour texts and the "|"-separated composed values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace words {
inline constexpr std::string_view kOn = "开";
inline constexpr std::string_view kOff = "-开";
inline constexpr std::string_view kShadow = "影";
inline constexpr std::string_view kShadowOff = "-影";
inline constexpr std::string_view kBold = "B";
inline constexpr std::string_view kBoldOff = "-B";
inline constexpr std::string_view kItalic = "斜";
inline constexpr std::string_view kItalicOff = "-斜";
}  // namespace words

// Splits on "|"; empty fields count, so the result has one field more than separators.
std::vector<std::string> splitFields(std::string_view text);

// "#RRGGBB" (each component one or two hex digits, either case) to red + green*256 +
// blue*65536; nullopt when the text does not match that pattern.
std::optional<std::uint32_t> parseColour(std::string_view text);
// "#" and "%02X%02X%02X" of red, green and blue.
std::string formatColour(std::uint32_t rgb);

// The on word, or the off word ("-" + on word).
std::string flagWord(bool on, std::string_view onWord);
// A flag inside a composed value: off only when the field begins with the off word.
bool decodeFieldFlag(std::string_view field, std::string_view offWord);
// A key whose whole value is a switch word: off only when the value is exactly "-开".
bool decodeSwitch(std::string_view value);
// Keys that read on only when the value is exactly "开".
bool decodeStrictSwitch(std::string_view value);

// The position of a desktop column: a mode and the stored text per axis.
// Modes: 1 a coordinate, 2 centred ("X"), 3 follows automatically ("Z"); 0 when the page
// left nothing selected.
struct PositionPair {
    int xMode = 1;
    std::string x = "0";
    int yMode = 1;
    std::string y = "0";

    bool operator==(const PositionPair&) const = default;
};

// Decodes one axis field: "X…" -> mode 2 "X", "Z…" -> mode 3 "Z", else mode 1 unchanged.
void decodeAxis(std::string_view field, int& mode, std::string& text);
// "x|y"; leaves pos unchanged unless the value has exactly two fields.
bool decodePosition(std::string_view value, PositionPair& pos);
std::string encodePosition(const PositionPair& pos);

// Composed forms; each decode leaves the fields unchanged on a wrong field count.
struct StyleTriple {  // colour | size | effect word
    std::string colour;
    int size = 0;
    bool effect = true;
    bool operator==(const StyleTriple&) const = default;
};
std::string encodeStyleTriple(const StyleTriple& v);
bool decodeStyleTriple(std::string_view value, StyleTriple& v);

struct StyledLabel5 {  // switch | colour | size | effect | bold
    bool shown = true;
    std::string colour;
    int size = 0;
    bool effect = true;
    bool bold = true;
    bool operator==(const StyledLabel5&) const = default;
};
std::string encodeStyledLabel5(const StyledLabel5& v);
bool decodeStyledLabel5(std::string_view value, StyledLabel5& v);

struct StyledLabel6 {  // switch | content | colour | size | effect | bold
    bool shown = true;
    std::string content;
    std::string colour;
    int size = 0;
    bool effect = true;
    bool bold = true;
    bool operator==(const StyledLabel6&) const = default;
};
std::string encodeStyledLabel6(const StyledLabel6& v);
bool decodeStyledLabel6(std::string_view value, StyledLabel6& v);

struct SloganLabel {  // content | colour | size | effect | italic
    std::string content;
    std::string colour;
    int size = 0;
    bool effect = true;
    bool italic = true;
    bool operator==(const SloganLabel&) const = default;
};
std::string encodeSloganLabel(const SloganLabel& v);
bool decodeSloganLabel(std::string_view value, SloganLabel& v);

struct SwitchText {  // switch | text
    bool on = true;
    std::string text;
    bool operator==(const SwitchText&) const = default;
};
std::string encodeSwitchText(const SwitchText& v);
bool decodeSwitchText(std::string_view value, SwitchText& v);

// Area names end up inside the area list value, which cannot hold these characters.
// Returns the message to show, or nullopt when the name can be stored.
std::optional<std::string> areaNameProblem(std::string_view name);
