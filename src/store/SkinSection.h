#pragma once
#include <string>

class ProfileStore;

struct SkinSection {
    bool operator==(const SkinSection&) const = default;
};

int loadSkinSection(ProfileStore& store, const std::string& area, SkinSection& record);
int saveSkinSection(ProfileStore& store, const std::string& area, const SkinSection& record);
