#pragma once
#include <string>

class ProfileStore;

struct OtherFunctionsSection {
    bool operator==(const OtherFunctionsSection&) const = default;
};

int loadOtherFunctionsSection(ProfileStore& store, const std::string& area, OtherFunctionsSection& record);
int saveOtherFunctionsSection(ProfileStore& store, const std::string& area, const OtherFunctionsSection& record);
