#include "cli/Commands.h"

int main(int argc, char** argv) { return runDeskcfg(argc, argv); }
