#include "store/NoticeSection.h"

#include "store/ProfileStore.h"

int loadNoticeSection(ProfileStore&, const std::string&, NoticeSection&) { return 1; }

int saveNoticeSection(ProfileStore&, const std::string&, const NoticeSection&) { return 1; }
