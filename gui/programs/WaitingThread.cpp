#include "WaitingThread.h"

#include "gui/shell/frmMain.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <atomic>
#include <thread>

namespace varnook {

namespace {

std::atomic<int> running{0};

constexpr DWORD kNoProcess = 0xFFFFFFFF;

// The id of the first process in a fresh snapshot of the system's processes that `accept` takes, or
// kNoProcess.
template <class Accept>
DWORD FindProcess(Accept accept) {
    const platform::TFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return kNoProcess;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (accept(entry.th32ProcessID))
            return entry.th32ProcessID;
    }
    return kNoProcess;
}

}  // namespace

bool ProcessExists(DWORD pid) {
    return FindProcess([pid](DWORD entry) { return entry == pid; }) != kNoProcess;
}

DWORD GetParentProcessId(DWORD pid) {
    using TQuery = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    // Found at run time: the function is not part of the documented import libraries.
    const auto query =
        ntdll
            ? reinterpret_cast<TQuery>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtQueryInformationProcess")))
            : nullptr;
    if (!query)
        return kNoProcess;
    const platform::THandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process)
        return kNoProcess;
    // ProcessBasicInformation: six fields of pointer size (24 bytes on 32-bit Windows, the parent at 20).
    struct {
        LONG_PTR exitStatus;
        PVOID pebBaseAddress;
        ULONG_PTR affinityMask;
        LONG_PTR basePriority;
        ULONG_PTR uniqueProcessId;
        ULONG_PTR inheritedFromUniqueProcessId;
    } information{};
    if (query(process.get(), 0, &information, sizeof information, nullptr) < 0)
        return kNoProcess;
    return static_cast<DWORD>(information.inheritedFromUniqueProcessId);
}

platform::THandle OpenChildProcess(DWORD pid) {
    const DWORD child = FindProcess([pid](DWORD entry) { return GetParentProcessId(entry) == pid; });
    if (child == kNoProcess)
        return {};
    return platform::THandle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, child));
}

TWaitingThread::TWaitingThread(HWND mainWindow, std::wstring command)
    : mainWindow_(mainWindow), command_(std::move(command)) {}

void TWaitingThread::Start(HWND mainWindow, std::wstring command) {
    ++running;
    try {
        std::thread([run = TWaitingThread(mainWindow, std::move(command))]() mutable {
            try {
                run.RunAndWait();
            } catch (...) {
                // Nothing on this thread can report an error; the run simply ends.
            }
            --running;
        }).detach();
    } catch (...) {
        --running;
        throw;
    }
}

int TWaitingThread::Running() {
    return running;
}

void TWaitingThread::Report(bool started) const {
    SendMessageW(mainWindow_, TMainForm::WM_UNINSTALL_FINISHED, started ? 1 : 0, 0);
}

void TWaitingThread::RunAndWait() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = command_;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &started)) {
        const platform::THandle process(started.hProcess);
        const platform::THandle thread(started.hThread);
        Sleep(kSettleTime);
        if (ProcessExists(started.dwProcessId) && WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0)
            return;
        // An uninstaller may hand over to a copy of itself and end, within the settle time or long after it.
        // The handle held above keeps the ended process's id from being reused, so its child is found by it.
        const platform::THandle child = OpenChildProcess(started.dwProcessId);
        if (!child || WaitForSingleObject(child.get(), INFINITE) == WAIT_OBJECT_0)
            Report(true);
        return;
    }

    // Not a program: a document or anything else the shell can open.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW shell{};
    shell.cbSize = sizeof shell;
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT;
    shell.lpFile = command_.c_str();
    shell.nShow = SW_SHOWNORMAL;
    const bool opened = ShellExecuteExW(&shell);
    const platform::THandle process(shell.hProcess);
    if (SUCCEEDED(com))
        CoUninitialize();
    if (!opened) {
        Report(false);
        return;
    }
    // Without a process handle the wait fails, and nothing is reported.
    if (WaitForSingleObject(process.get(), INFINITE) == WAIT_OBJECT_0)
        Report(true);
}

}  // namespace varnook
