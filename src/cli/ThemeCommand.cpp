#include "cli/Commands.h"

int cmdTheme(const Args&) { return fail("theme packages are not available in this build"); }
