#include "TimeText.h"

#include "inventory/rules/Rules.h"

#include <optional>

namespace tallivor {

namespace {

std::optional<TCalendarTime> LocalCalendarTime(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME calendar;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &calendar))
        return std::nullopt;
    return TCalendarTime{calendar.wYear, calendar.wMonth,  calendar.wDay,
                         calendar.wHour, calendar.wMinute, calendar.wSecond};
}

}  // namespace

std::wstring LastUseText(const FILETIME& utc) {
    const auto calendar = LocalCalendarTime(utc);
    return calendar ? FormatLastUseTime(*calendar) : kInvalidDateTime;
}

std::wstring InstallTimeText(const FILETIME& utc) {
    const auto calendar = LocalCalendarTime(utc);
    return calendar ? FormatInstallTime(*calendar) : kInvalidDateTime;
}

bool IsNt60() {
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    OSVERSIONINFOW basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    const OSVERSIONINFOW* info = nullptr;
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)))
        info = reinterpret_cast<const OSVERSIONINFOW*>(&extended);
    else if (GetVersionExW(&basic))
        info = &basic;
    return info && info->dwPlatformId == VER_PLATFORM_WIN32_NT && info->dwMajorVersion == 6 &&
           info->dwMinorVersion == 0;
}

}  // namespace tallivor
