#include "cli/Commands.h"

int cmdUpdate(const Args&) { return fail("update check is not available in this build"); }
