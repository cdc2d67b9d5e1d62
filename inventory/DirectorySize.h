#pragma once

#include <string>

namespace tallivor {

// The bytes of all files below `folder`, kept as a 32-bit float. Entries whose names start with a dot are
// skipped; links and junctions are not entered, so a link leading back up the tree cannot loop.
float SumDirectorySize(const std::wstring& folder);

}  // namespace tallivor
