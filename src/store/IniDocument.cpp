#include "store/IniDocument.h"

#include <utility>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

namespace {
inline unsigned char lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
}  // namespace

std::size_t IniDocument::FoldHash::operator()(std::string_view s) const noexcept {
    std::size_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        h ^= lower(c);
        h *= 1099511628211ull;
    }
    return h;
}

bool IniDocument::FoldEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string IniDocument::fold(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void IniDocument::addLine(Section& s, Line line) {
    if (line.entry) {
        if (s.indexed) s.keys.try_emplace(line.key, s.lines.size());
        s.lastEntry = s.lines.size();
    }
    s.lines.push_back(std::move(line));
    if (!s.indexed && s.lines.size() >= kIndexFrom) {
        s.indexed = true;
        for (std::size_t i = 0; i < s.lines.size(); ++i) {
            const Line& l = s.lines[i];
            if (l.entry && !l.removed) s.keys.try_emplace(l.key, i);
        }
    }
}

void IniDocument::reindex(Section& s) {
    s.keys.clear();
    s.lastEntry = npos;
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const Line& l = s.lines[i];
        if (!l.entry || l.removed) continue;
        if (s.indexed) s.keys.try_emplace(l.key, i);
        s.lastEntry = i;
    }
}

std::size_t IniDocument::findKey(const Section& s, std::string_view key) {
    if (s.indexed) {
        auto it = s.keys.find(key);
        return it == s.keys.end() ? npos : it->second;
    }
    FoldEqual eq;
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const Line& l = s.lines[i];
        if (l.entry && !l.removed && eq(l.key, key)) return i;
    }
    return npos;
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        std::string_view raw = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') {
            ++pos;
            if (pos < text.size() && text[pos] == '\n') ++pos;  // CR LF is one line end
        } else if (pos < text.size()) {
            ++pos;  // LF
        }

        std::string_view line = trim(raw);
        if (!line.empty() && line.front() == '[') {
            std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                Section s;
                s.name = std::string(line.substr(1, close - 1));
                s.rawHeader = std::string(raw);
                doc.sections_.push_back(std::move(s));
                doc.index_.try_emplace(doc.sections_.back().name, doc.sections_.size() - 1);
                current = &doc.sections_.back();
                continue;
            }
        }
        if (!current) {
            doc.preamble_.emplace_back(raw);
            continue;
        }
        Line l;
        std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) {
            l.entry = true;
            std::string_view key = trim(line.substr(0, eq));
            std::string_view value = trim(line.substr(eq + 1));
            l.key.assign(key);
            l.value.assign(value);
            // Most lines are exactly key=value: keep no second copy of those.
            if (raw.size() != key.size() + 1 + value.size() || raw[key.size()] != '=')
                l.raw.assign(raw);
        } else {
            l.raw.assign(raw);
        }
        addLine(*current, std::move(l));
    }
    return doc;
}

std::string IniDocument::serialize() const {
    std::string out;
    std::size_t estimate = 0;
    for (const auto& s : sections_) {
        estimate += s.name.size() + 4;
        for (const auto& l : s.lines) estimate += l.raw.size() + l.key.size() + l.value.size() + 3;
    }
    out.reserve(estimate);
    for (const auto& p : preamble_) {
        out += p;
        out += "\r\n";
    }
    for (const auto& s : sections_) {
        if (s.changed || s.rawHeader.empty()) {
            out += '[';
            out += s.name;
            out += "]\r\n";
        } else {
            out += s.rawHeader;
            out += "\r\n";
        }
        for (const auto& l : s.lines) {
            if (l.removed) continue;
            if (l.changed || (l.entry && l.raw.empty())) {
                out += l.key;
                out += '=';
                out += l.value;
            } else {
                out += l.raw;
            }
            out += "\r\n";
        }
    }
    return out;
}

const IniDocument::Section* IniDocument::find(std::string_view section) const {
    if (lastFound_ < sections_.size() && FoldEqual()(sections_[lastFound_].name, section)) {
        // Only the first section of a name counts: the cached one is it, as it came from
        // the index.
        return &sections_[lastFound_];
    }
    auto it = index_.find(section);
    if (it == index_.end()) return nullptr;
    lastFound_ = it->second;
    return &sections_[it->second];
}

IniDocument::Section* IniDocument::find(std::string_view section) {
    return const_cast<Section*>(std::as_const(*this).find(section));
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    std::size_t at = findKey(*s, trim(key));
    if (at == npos) return std::nullopt;
    return std::string(unquote(s->lines[at].value));
}

bool IniDocument::setValue(std::string_view section, std::string_view key,
                           std::string_view value) {
    Section* s = find(section);
    if (!s) {
        Section fresh;
        fresh.name = std::string(section);
        fresh.lines.reserve(16);
        fresh.changed = true;
        sections_.push_back(std::move(fresh));
        index_.try_emplace(std::string(section), sections_.size() - 1);
        s = &sections_.back();
    }
    std::string_view k = trim(key);
    std::string_view v = trim(value);
    if (std::size_t at = findKey(*s, k); at != npos) {
        Line& l = s->lines[at];
        if (l.value == v) return false;
        l.value = std::string(v);
        l.changed = true;
        return true;
    }
    Line l;
    l.entry = true;
    l.changed = true;
    l.key = std::string(k);
    l.value = std::string(v);
    std::size_t at = s->lastEntry == npos ? 0 : s->lastEntry + 1;
    if (at >= s->lines.size()) {
        addLine(*s, std::move(l));
    } else {
        // Keep a new key with the section's other keys, ahead of trailing blank lines.
        s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(l));
        reindex(*s);
    }
    return true;
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
    Section* s = find(section);
    if (!s) return false;
    std::size_t at = findKey(*s, trim(key));
    if (at == npos) return false;
    s->lines[at].removed = true;
    reindex(*s);
    return true;
}

bool IniDocument::hasSection(std::string_view section) const { return find(section) != nullptr; }

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> out;
    out.reserve(sections_.size());
    for (const auto& s : sections_) out.push_back(s.name);
    return out;
}

std::vector<std::pair<std::string, std::string>> IniDocument::entries(
    std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    if (const Section* s = find(section)) {
        for (const auto& l : s->lines)
            if (l.entry && !l.removed) out.emplace_back(l.key, l.value);
    }
    return out;
}

void IniDocument::clear() {
    lastFound_ = npos;
    preamble_.clear();
    sections_.clear();
    index_.clear();
}
