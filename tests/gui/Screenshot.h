#pragma once

#include <windows.h>

#include <string>

namespace guitest {

// Saves what the screen shows of `window` (or the whole screen for null) as a PNG file, so that people can
// look at the result; false when it could not be written.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace guitest
