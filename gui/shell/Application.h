#pragma once

#include "frmMain.h"

#include <memory>
#include <string>

namespace varnook {

// The start-up sequence up to the hidden main window: Config.ini and the folders, COM, registration of the
// inventory server `serverDll`, the skin and language tables, then the main window with its FormCreate.
// Null when the program must end; the reason has then been shown where one is due.
std::unique_ptr<TMainForm> StartUp(const std::wstring& appPath, const wchar_t* serverDll = L"Tallivor.dll");

// The whole program: start-up from the executable's folder, the splash, then the main window's message
// loop until it closes. Returns the process exit code.
int RunApplication();

}  // namespace varnook
