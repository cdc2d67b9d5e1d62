#pragma once

#include <string>
#include <vector>

// An uninstall entry planted for a benchmark.
struct TPlanted {
    std::wstring name;
    std::wstring displayIcon;  // empty: none
    std::wstring cachedPath;   // empty: no usage-cache record
    std::wstring installDir;
};

// Plants `count` realistic uninstall entries (about twelve values each; every other one with a usage-cache record
// and a "DisplayIcon"), replacing those of an earlier run.
std::vector<TPlanted> PlantBenchEntries(int count);
// Removes every planted entry and its usage-cache record.
void RemoveBenchEntries();
