#include "cli/Json.h"

#include <cstdio>

std::string JsonWriter::escape(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::prefix(std::string_view key) {
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
        out_ += '\n';
        out_.append(first_.size() * 2, ' ');
    }
    if (!key.empty()) {
        out_ += escape(key);
        out_ += ": ";
    }
}

void JsonWriter::beginObject(std::string_view key) {
    prefix(key);
    out_ += '{';
    first_.push_back(true);
}

void JsonWriter::endObject() {
    bool empty = first_.back();
    first_.pop_back();
    if (!empty) {
        out_ += '\n';
        out_.append(first_.size() * 2, ' ');
    }
    out_ += '}';
    if (first_.empty()) out_ += '\n';
}

void JsonWriter::beginArray(std::string_view key) {
    prefix(key);
    out_ += '[';
    first_.push_back(true);
}

void JsonWriter::endArray() {
    bool empty = first_.back();
    first_.pop_back();
    if (!empty) {
        out_ += '\n';
        out_.append(first_.size() * 2, ' ');
    }
    out_ += ']';
}

void JsonWriter::value(std::string_view key, std::string_view text) {
    prefix(key);
    out_ += escape(text);
}

void JsonWriter::value(std::string_view key, long long number) {
    prefix(key);
    out_ += std::to_string(number);
}

void JsonWriter::value(std::string_view key, bool flag) {
    prefix(key);
    out_ += flag ? "true" : "false";
}

void JsonWriter::element(std::string_view text) {
    prefix({});
    out_ += escape(text);
}
