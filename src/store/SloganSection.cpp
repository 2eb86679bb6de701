#include "store/SloganSection.h"

#include "store/ProfileStore.h"

int loadSloganSection(ProfileStore&, const std::string&, SloganSection&) { return 1; }

int saveSloganSection(ProfileStore&, const std::string&, const SloganSection&) { return 1; }
