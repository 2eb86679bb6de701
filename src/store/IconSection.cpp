#include "store/IconSection.h"

#include "store/ProfileStore.h"

int loadIconSection(ProfileStore&, const std::string&, IconSection&) { return 1; }

int saveIconSection(ProfileStore&, const std::string&, const IconSection&) { return 1; }
