#pragma once
#include <string>

class ProfileStore;

struct IconSection {
    bool operator==(const IconSection&) const = default;
};

int loadIconSection(ProfileStore& store, const std::string& area, IconSection& record);
int saveIconSection(ProfileStore& store, const std::string& area, const IconSection& record);
