#include "store/OtherFunctionsSection.h"

#include "store/ProfileStore.h"

int loadOtherFunctionsSection(ProfileStore&, const std::string&, OtherFunctionsSection&) { return 1; }

int saveOtherFunctionsSection(ProfileStore&, const std::string&, const OtherFunctionsSection&) { return 1; }
