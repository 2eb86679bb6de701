#include "store/DecalSection.h"

#include "store/ProfileStore.h"

int loadDecalSection(ProfileStore&, const std::string&, DecalSection&) { return 1; }

int saveDecalSection(ProfileStore&, const std::string&, const DecalSection&) { return 1; }
