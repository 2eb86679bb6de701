#pragma once
#include <string>

class ProfileStore;

struct DecalSection {
    bool operator==(const DecalSection&) const = default;
};

int loadDecalSection(ProfileStore& store, const std::string& area, DecalSection& record);
int saveDecalSection(ProfileStore& store, const std::string& area, const DecalSection& record);
