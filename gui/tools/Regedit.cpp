#include "Regedit.h"

#include <shellapi.h>

namespace varnook {

std::wstring RegeditPath() {
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"regedit.exe";
    return std::wstring(windows, length) + L"\\regedit.exe";
}

platform::THandle StartRegedit(HWND owner, const std::wstring& parameters) {
    const std::wstring regedit = RegeditPath();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"Open";
    info.lpFile = regedit.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info))
        return {};
    return platform::THandle(info.hProcess);
}

}  // namespace varnook
