#pragma once
#include <string>

class ProfileStore;

struct NoticeSection {
    std::string templateGuid;  // guid of the chosen template
    bool operator==(const NoticeSection&) const = default;
};

int loadNoticeSection(ProfileStore& store, const std::string& area, NoticeSection& record);
int saveNoticeSection(ProfileStore& store, const std::string& area, const NoticeSection& record);
