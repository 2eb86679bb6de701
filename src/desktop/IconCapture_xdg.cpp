// Desktop managers that record icon positions in a file: PCManFM (GTK and Qt) and Xfce's
// xfdesktop. Everything here is plain file reading, so it builds everywhere.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "desktop/IconCapture.h"
#include "store/FileIo.h"

namespace capture {
namespace {

namespace fs = std::filesystem;

std::string_view trim(std::string_view s) {
    const char* blanks = " \t\r\n";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos) return {};
    std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

struct Group {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    const std::string* find(std::string_view key) const {
        for (const auto& [k, v] : entries)
            if (k == key) return &v;
        return nullptr;
    }
};

// The key-file form both managers write: [group] lines and key=value lines.
std::vector<Group> parseKeyFile(std::string_view text) {
    std::vector<Group> groups;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        if (line.front() == '[') {
            std::size_t close = line.rfind(']');
            if (close == std::string_view::npos || close == 0) continue;
            groups.push_back({std::string(line.substr(1, close - 1)), {}});
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || groups.empty()) continue;
        groups.back().entries.emplace_back(std::string(trim(line.substr(0, eq))),
                                           std::string(trim(line.substr(eq + 1))));
    }
    return groups;
}

std::optional<int> toInt(std::string_view s) {
    s = trim(s);
    if (s.empty()) return std::nullopt;
    bool negative = s.front() == '-';
    if (negative || s.front() == '+') s.remove_prefix(1);
    if (s.empty() || s.size() > 9) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

void appendUtf8(std::string& out, unsigned cp) {
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

// QSettings writes group names with "%XX" and "%UXXXX" escapes and "\" for "/".
std::string unescapeQtKey(std::string_view s) {
    auto hex = [](std::string_view h) -> std::optional<unsigned> {
        unsigned v = 0;
        for (char c : h) {
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= unsigned(c - '0');
            else if (c >= 'A' && c <= 'F')
                v |= unsigned(c - 'A' + 10);
            else if (c >= 'a' && c <= 'f')
                v |= unsigned(c - 'a' + 10);
            else
                return std::nullopt;
        }
        return v;
    };
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\') {
            out += '/';
        } else if (s[i] == '%' && i + 5 < s.size() && s[i + 1] == 'U') {
            if (auto v = hex(s.substr(i + 2, 4))) {
                appendUtf8(out, *v);
                i += 5;
            } else {
                out += s[i];
            }
        } else if (s[i] == '%' && i + 2 < s.size()) {
            if (auto v = hex(s.substr(i + 1, 2))) {
                appendUtf8(out, *v);
                i += 2;
            } else {
                out += s[i];
            }
        } else {
            out += s[i];
        }
    }
    return out;
}

// "@Point(12 34)"
std::optional<std::pair<int, int>> parseQtPoint(std::string_view v) {
    constexpr std::string_view kPrefix = "@Point(";
    if (!v.starts_with(kPrefix) || !v.ends_with(")")) return std::nullopt;
    v = v.substr(kPrefix.size(), v.size() - kPrefix.size() - 1);
    std::size_t space = v.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    auto x = toInt(v.substr(0, space));
    auto y = toInt(v.substr(space + 1));
    if (!x || !y) return std::nullopt;
    return std::pair{*x, *y};
}

std::string envOr(const char* name, std::string fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::move(fallback);
}

std::string homeFolder() {
#ifdef _WIN32
    return envOr("USERPROFILE", ".");
#else
    return envOr("HOME", ".");
#endif
}

// XDG_DESKTOP_DIR of user-dirs.dirs: "$HOME/桌面" or an absolute path.
std::string desktopFolderFrom(const std::string& configHome, const std::string& home) {
    if (auto bytes = readFileBytes(utf8Path(fsPath(configHome) / "user-dirs.dirs"))) {
        std::size_t pos = 0;
        std::string_view text = *bytes;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = trim(text.substr(pos, end - pos));
            pos = end + 1;
            constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
            if (!line.starts_with(kKey)) continue;
            std::string_view value = line.substr(kKey.size());
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            if (value.starts_with("$HOME")) return home + std::string(value.substr(5));
            if (value.starts_with("/")) return std::string(value);
        }
    }
    return utf8Path(fsPath(home) / "Desktop");
}

enum class Manager { Pcmanfm, Xfce };

struct Candidate {
    fs::path path;
    Manager manager;
    fs::file_time_type modified;
};

void addIfFile(std::vector<Candidate>& out, const fs::path& p, Manager m) {
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return;
    auto t = fs::last_write_time(p, ec);
    if (ec) return;
    out.push_back({p, m, t});
}

std::vector<Candidate> findRecordFiles(const std::string& configHome) {
    std::vector<Candidate> found;
    std::error_code ec;
    const fs::path config = fsPath(configHome);
    // Monitor 0 is the primary desktop; one folder per profile.
    for (const char* tree : {"pcmanfm", "pcmanfm-qt"}) {
        fs::path root = config / tree;
        if (!fs::is_directory(root, ec)) continue;
        for (const auto& profile : fs::directory_iterator(root, ec))
            addIfFile(found, profile.path() / "desktop-items-0.conf", Manager::Pcmanfm);
    }
    fs::path xfce = config / "xfce4" / "desktop";
    if (fs::is_directory(xfce, ec)) {
        for (const auto& entry : fs::directory_iterator(xfce, ec)) {
            std::string name = utf8Path(entry.path().filename());
            if (name.starts_with("icons.screen") && name.ends_with(".rc"))
                addIfFile(found, entry.path(), Manager::Xfce);
        }
    }
    return found;
}

bool mentions(std::string haystack, std::string_view needle) {
    std::transform(haystack.begin(), haystack.end(), haystack.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return haystack.find(needle) != std::string::npos;
}

}  // namespace

std::vector<DesktopIcon> parsePcmanfmDesktopItems(std::string_view text) {
    std::vector<DesktopIcon> icons;
    for (const Group& g : parseKeyFile(text)) {
        if (g.name == "*") continue;
        if (const std::string* pos = g.find("pos")) {
            if (auto p = parseQtPoint(*pos))
                icons.push_back({unescapeQtKey(g.name), p->first, p->second});
            continue;
        }
        const std::string* x = g.find("x");
        const std::string* y = g.find("y");
        if (!x || !y) continue;
        auto xv = toInt(*x);
        auto yv = toInt(*y);
        if (xv && yv) icons.push_back({g.name, *xv, *yv});
    }
    return icons;
}

std::vector<DesktopIcon> parseXfdesktopIcons(std::string_view text, GridPitch pitch) {
    std::vector<DesktopIcon> icons;
    for (const Group& g : parseKeyFile(text)) {
        if (g.name.starts_with("xfdesktop-version-")) continue;
        const std::string* row = g.find("row");
        const std::string* col = g.find("col");
        if (!row || !col) continue;
        auto r = toInt(*row);
        auto c = toInt(*col);
        if (!r || !c || *r < 0 || *c < 0) continue;
        icons.push_back({g.name, *c * pitch.cellWidth, *r * pitch.cellHeight});
    }
    return icons;
}

int parseXfdesktopIconSize(std::string_view xml) {
    // <property name="icon-size" type="uint" value="64"/> inside desktop-icons.
    std::size_t at = xml.find("name=\"icon-size\"");
    if (at == std::string_view::npos) return 0;
    std::size_t close = xml.find('>', at);
    std::string_view tag = xml.substr(at, close == std::string_view::npos ? xml.npos : close - at);
    std::size_t value = tag.find("value=\"");
    if (value == std::string_view::npos) return 0;
    tag = tag.substr(value + 7);
    auto v = toInt(tag.substr(0, tag.find('"')));
    return v && *v > 0 ? *v : 0;
}

GridPitch xfdesktopPitch(int iconSize) {
    if (iconSize <= 0) return {};
    // xfdesktop sizes a cell as 2.5 icon widths of text plus padding on both sides.
    int cell = iconSize * 5 / 2 + 12;
    return {cell, cell};
}

std::string launcherName(std::string_view text, const std::string& language) {
    std::string plain, regional, general;
    bool inEntry = false;
    std::string lang = language;
    std::string shortLang = lang.substr(0, lang.find('_'));
    for (const Group& g : parseKeyFile(text)) {
        inEntry = g.name == "Desktop Entry";
        if (!inEntry) continue;
        for (const auto& [k, v] : g.entries) {
            if (k == "Name")
                plain = v;
            else if (!lang.empty() && k == "Name[" + lang + "]")
                regional = v;
            else if (!shortLang.empty() && k == "Name[" + shortLang + "]")
                general = v;
        }
        break;
    }
    if (!regional.empty()) return regional;
    if (!general.empty()) return general;
    return plain;
}

std::string captionForDesktopFile(const std::string& desktopFolder, const std::string& fileName,
                                  const std::string& language) {
    constexpr std::string_view kLauncher = ".desktop";
    if (!fileName.ends_with(kLauncher)) return fileName;
    if (!desktopFolder.empty()) {
        if (auto bytes = readFileBytes(utf8Path(fsPath(desktopFolder) / fsPath(fileName)))) {
            std::string name = launcherName(*bytes, language);
            if (!name.empty()) return name;
        }
    }
    return fileName.substr(0, fileName.size() - kLauncher.size());
}

XdgLocations xdgLocationsFromEnvironment() {
    XdgLocations where;
    std::string home = homeFolder();
    where.configHome = envOr("XDG_CONFIG_HOME", utf8Path(fsPath(home) / ".config"));
    where.desktopFolder = desktopFolderFrom(where.configHome, home);
    where.currentDesktop = envOr("XDG_CURRENT_DESKTOP", "");
    std::string lang = envOr("LC_ALL", envOr("LC_MESSAGES", envOr("LANG", "")));
    where.language = lang.substr(0, lang.find_first_of(".@"));
    return where;
}

Result XdgIconCapture::capture() {
    std::vector<Candidate> files = findRecordFiles(where_.configHome);
    if (files.empty()) return {};
    // The session's own desktop manager first, then the file written last.
    auto rank = [&](const Candidate& c) {
        bool xfceSession = mentions(where_.currentDesktop, "XFCE");
        bool lxSession = mentions(where_.currentDesktop, "LX");
        if (c.manager == Manager::Xfce && xfceSession) return 0;
        if (c.manager == Manager::Pcmanfm && lxSession) return 0;
        return 1;
    };
    std::sort(files.begin(), files.end(), [&](const Candidate& a, const Candidate& b) {
        if (rank(a) != rank(b)) return rank(a) < rank(b);
        return a.modified > b.modified;
    });

    for (const Candidate& file : files) {
        auto bytes = readFileBytes(utf8Path(file.path));
        if (!bytes) continue;
        Result result;
        result.outcome = Outcome::Captured;
        result.source = utf8Path(file.path);
        if (file.manager == Manager::Pcmanfm) {
            result.icons = parsePcmanfmDesktopItems(*bytes);
        } else {
            int size = 0;
            fs::path settings = fsPath(where_.configHome) / "xfce4" / "xfconf" /
                                "xfce-perchannel-xml" / "xfce4-desktop.xml";
            if (auto xml = readFileBytes(utf8Path(settings))) size = parseXfdesktopIconSize(*xml);
            result.icons = parseXfdesktopIcons(*bytes, xfdesktopPitch(size));
        }
        for (DesktopIcon& icon : result.icons)
            icon.label = captionForDesktopFile(where_.desktopFolder, icon.label, where_.language);
        return result;
    }
    return {};
}

}  // namespace capture
