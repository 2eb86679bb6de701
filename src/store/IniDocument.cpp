#include "store/IniDocument.h"

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

std::string IniDocument::fold(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void IniDocument::addLine(Section& s, Line line) {
    if (line.entry) {
        std::string k = fold(line.key);
        s.keys.try_emplace(std::move(k), s.lines.size());
        s.lastEntry = s.lines.size();
    }
    s.lines.push_back(std::move(line));
}

void IniDocument::reindex(Section& s) {
    s.keys.clear();
    s.lastEntry = npos;
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const Line& l = s.lines[i];
        if (!l.entry || l.removed) continue;
        s.keys.try_emplace(fold(l.key), i);
        s.lastEntry = i;
    }
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
                doc.index_.try_emplace(fold(doc.sections_.back().name), doc.sections_.size() - 1);
                current = &doc.sections_.back();
                continue;
            }
        }
        Line l;
        l.raw = std::string(raw);
        std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) {
            l.entry = true;
            l.key = std::string(trim(line.substr(0, eq)));
            l.value = std::string(trim(line.substr(eq + 1)));
        }
        if (current)
            addLine(*current, std::move(l));
        else
            doc.preamble_.push_back(std::move(l.raw));
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
            if (l.changed) {
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
    auto it = index_.find(fold(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

IniDocument::Section* IniDocument::find(std::string_view section) {
    auto it = index_.find(fold(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const Section* s = find(section);
    if (!s) return std::nullopt;
    auto it = s->keys.find(fold(trim(key)));
    if (it == s->keys.end()) return std::nullopt;
    return std::string(unquote(s->lines[it->second].value));
}

bool IniDocument::setValue(std::string_view section, std::string_view key,
                           std::string_view value) {
    Section* s = find(section);
    if (!s) {
        Section fresh;
        fresh.name = std::string(section);
        fresh.changed = true;
        sections_.push_back(std::move(fresh));
        index_.try_emplace(fold(section), sections_.size() - 1);
        s = &sections_.back();
    }
    std::string_view k = trim(key);
    std::string_view v = trim(value);
    auto it = s->keys.find(fold(k));
    if (it != s->keys.end()) {
        Line& l = s->lines[it->second];
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
    auto it = s->keys.find(fold(trim(key)));
    if (it == s->keys.end()) return false;
    s->lines[it->second].removed = true;
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
    preamble_.clear();
    sections_.clear();
    index_.clear();
}
