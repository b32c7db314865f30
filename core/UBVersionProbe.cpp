// A module that only carries a version resource, for the version-information test.
#include <windows.h>

extern "C" int WINAPI Probe() { return 1; }
