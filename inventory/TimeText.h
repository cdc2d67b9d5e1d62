#pragma once

#include <windows.h>

#include <string>

namespace tallivor {

// A UTC file time in local time (with the time-zone offset in force now) as "%Y-%m-%d  %H:%M:%S" (last use,
// last access) or "%Y-%m-%d %H:%M:%S" (install time); "Invalid DateTime" when a conversion rejects it.
std::wstring LastUseText(const FILETIME& utc);
std::wstring InstallTimeText(const FILETIME& utc);

// True on Windows NT 6.0 only, where the usage cache lives under HKEY_CURRENT_USER.
bool IsNt60();

}  // namespace tallivor
