#pragma once
#include <string>

class ProfileStore;

struct SloganSection {
    bool operator==(const SloganSection&) const = default;
};

int loadSloganSection(ProfileStore& store, const std::string& area, SloganSection& record);
int saveSloganSection(ProfileStore& store, const std::string& area, const SloganSection& record);
