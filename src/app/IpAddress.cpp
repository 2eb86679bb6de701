#include "app/IpAddress.h"

#include <QStringList>

namespace ipv4 {

std::optional<std::string> normalise(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return "0.0.0.0";
    std::string out;
    int parts = 0;
    std::size_t pos = 0;
    while (true) {
        std::size_t dot = text.find('.', pos);
        std::string_view part =
            text.substr(pos, dot == std::string_view::npos ? std::string_view::npos : dot - pos);
        if (part.empty() || part.size() > 3) return std::nullopt;
        int value = 0;
        for (char c : part) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (value > 255) return std::nullopt;
        if (parts++) out += '.';
        out += std::to_string(value);
        if (dot == std::string_view::npos) break;
        pos = dot + 1;
    }
    if (parts != 4) return std::nullopt;
    return out;
}

}  // namespace ipv4

QValidator::State Ipv4Validator::validate(QString& input, int&) const {
    if (input.isEmpty()) return Intermediate;
    const QStringList parts = input.split('.');
    if (parts.size() > 4) return Invalid;
    for (const QString& p : parts) {
        if (p.size() > 3) return Invalid;
        for (QChar c : p)
            if (c < '0' || c > '9') return Invalid;
        if (!p.isEmpty() && p.toInt() > 255) return Invalid;
    }
    return ipv4::normalise(input.toStdString()) ? Acceptable : Intermediate;
}
