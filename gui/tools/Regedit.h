#pragma once

#include "platform/Handles.h"

#include <string>

namespace varnook {

// The system's registry editor by its full path, so that no program of the same name in a folder the user
// picked (where the editor is started) is run in its place.
std::wstring RegeditPath();

// Starts the registry editor through the shell with `parameters`, owned by `owner`; the process handle, or
// none when it could not start.
platform::THandle StartRegedit(HWND owner, const std::wstring& parameters);

}  // namespace varnook
