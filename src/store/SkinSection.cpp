#include "store/SkinSection.h"

#include "store/ProfileStore.h"

int loadSkinSection(ProfileStore&, const std::string&, SkinSection&) { return 1; }

int saveSkinSection(ProfileStore&, const std::string&, const SkinSection&) { return 1; }
