#pragma once

#include "platform/Handles.h"

#include <string>
#include <utility>

namespace varnook {

// The main window's small icons for the menus, from the program's resources (empty when they are missing).
HIMAGELIST CreateMenuImages();

// The shell's system image lists of small and large icons, asked through `path`; shared, never freed.
std::pair<HIMAGELIST, HIMAGELIST> SystemImageLists(const std::wstring& path);

// Asks the system to trim the process's working set, then handles the messages that are waiting.
void TrimWorkingSet();

}  // namespace varnook
