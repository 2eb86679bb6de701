#pragma once
// Café-wide records the areas refer to by guid: weather and notice templates, coordinate
// indices with their icon placements.

#include <map>
#include <memory>
#include <string>
#include <vector>

struct WeatherTemplate {
    std::string name;
    std::string guid;
    std::vector<std::string> lines;  // stored as typed, "第一行=" prefixes included
    bool operator==(const WeatherTemplate&) const = default;
};

struct NoticeTemplate {
    std::string name;
    std::string guid;
    std::vector<std::string> lines;
    bool operator==(const NoticeTemplate&) const = default;
};

struct IconPlacement {
    std::string label;     // the icon's caption
    std::string position;  // x "|" y
    bool operator==(const IconPlacement&) const = default;
};

struct CoordinateIndex {
    std::string guid;
    std::string name = "默认区域";
    std::vector<std::unique_ptr<IconPlacement>> placements;
};

// Keyed by guid, iterated in ascending byte order of the guid, one record per guid.
using CoordinateIndexMap = std::map<std::string, std::unique_ptr<CoordinateIndex>>;
