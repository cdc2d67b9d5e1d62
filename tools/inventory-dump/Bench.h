#pragma once

#include "gui/programs/TallivorLib_TLB.h"

// Plants `entries` realistic uninstall entries, then times UpdateProgramList plus reading every property
// through COM against a floor measured in the same run with plain registry and shell calls. Prints the
// figures; returns the process exit code.
int RunBenchmark(varnook::TProgramList& list, int entries);
