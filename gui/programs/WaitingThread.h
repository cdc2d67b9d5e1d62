#pragma once

#include "platform/Handles.h"

#include <string>

namespace varnook {

// The thread of one uninstall run: it starts the uninstall command, waits without time limit for it (or for
// the process it hands over to) to end, and reports to the main window with WM_UNINSTALL_FINISHED, sent
// synchronously: wParam 1 when the command ran and its end was seen, 0 when it could not be started. It
// closes its handles after the main window's handler has returned, then ends and frees itself; nothing
// keeps a reference to it.
class TWaitingThread {
public:
    static constexpr DWORD kSettleTime = 500;

    static void Start(HWND mainWindow, std::wstring command);
    // How many waiting threads have not ended yet.
    static int Running();

private:
    TWaitingThread(HWND mainWindow, std::wstring command);
    void RunAndWait();
    void Report(bool started) const;

    HWND mainWindow_;
    std::wstring command_;
};

// True when a process with this id is in a fresh snapshot of the system's processes.
bool ProcessExists(DWORD pid);
// The id of the process's parent, or 0xFFFFFFFF when it cannot be found.
DWORD GetParentProcessId(DWORD pid);
// The first process in a fresh snapshot whose parent is `pid`, opened to be waited for; null when none is.
// Only one generation is followed.
platform::THandle OpenChildProcess(DWORD pid);

}  // namespace varnook
