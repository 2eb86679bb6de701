#pragma once
#include <string>

class ProfileStore;

struct NameColumnSection {
    bool operator==(const NameColumnSection&) const = default;
};

int loadNameColumnSection(ProfileStore& store, const std::string& area, NameColumnSection& record);
int saveNameColumnSection(ProfileStore& store, const std::string& area, const NameColumnSection& record);
