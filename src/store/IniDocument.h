#pragma once
// An ordered, in-memory INI file with the Windows profile rules: ASCII-case-insensitive
// section and key names, first match wins, blanks trimmed, '…' or "…" stripped on reading,
// no escaping, no length limit. Text is UTF-8; the caller converts from and to cp936.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniDocument {
public:
    IniDocument() = default;

    // Parses UTF-8 text; lines end at CR or LF.
    static IniDocument parse(std::string_view text);

    // "[section]" and "key=value" lines, each ending in CR LF. Lines that were read and
    // never changed come back as they were.
    std::string serialize() const;

    // The value of the first matching key of the first matching section, quotes removed;
    // nullopt when the section or key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets the first matching key, or appends it to the first matching section (creating
    // the section at the end). Returns true when the document changed.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first matching key. Returns true when the document changed.
    bool removeKey(std::string_view section, std::string_view key);

    bool hasSection(std::string_view section) const;

    // Section names in file order (every section, duplicates included).
    std::vector<std::string> sectionNames() const;

    // Keys and raw values of the first matching section, in file order.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

    void clear();
    bool empty() const { return sections_.empty() && preamble_.empty(); }

    static std::string fold(std::string_view name);  // ASCII letters to lower case

    // Hash and equality that ignore the case of ASCII letters, for lookups by string_view
    // without building a folded copy.
    struct FoldHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept;
    };
    struct FoldEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };

private:
    struct Line {
        std::string raw;    // the line as read, when it is not exactly key=value
        std::string key;    // trimmed key; empty for a line that is not an entry
        std::string value;  // trimmed value, quotes kept
        bool entry = false;
        bool changed = false;
        bool removed = false;
    };
    struct Section {
        std::string name;
        std::string rawHeader;
        bool changed = false;
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t, FoldHash, FoldEqual> keys;  // see findKey
        bool indexed = false;
        std::size_t lastEntry = npos;
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    const Section* find(std::string_view section) const;
    Section* find(std::string_view section);
    // Index of the first live entry with this key, or npos. Small sections are scanned;
    // a hash index is built only once a section grows past kIndexFrom lines.
    static std::size_t findKey(const Section& s, std::string_view key);
    static constexpr std::size_t kIndexFrom = 48;
    void reindex(Section& s);
    static void addLine(Section& s, Line line);

    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t, FoldHash, FoldEqual> index_;  // first section
    // Saves write one section's keys in a row: remember the last section found.
    mutable std::size_t lastFound_ = npos;
};
