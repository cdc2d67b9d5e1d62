#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallivor {

// Registry data taken as UTF-16LE text up to its first zero character, or up to the end of the data when it
// has none; an odd trailing byte is ignored. Never reads past `size`.
std::wstring TextFromRegData(const unsigned char* data, std::size_t size);

// True when the first four bytes, read as a little-endian unsigned 32-bit number, equal 1. Bytes missing
// from shorter data count as zero (a single byte 0x01 reads as 1). The registry type is never checked.
bool ReadsAsOne(const unsigned char* data, std::size_t size);

// The part of `path` before its last backslash; empty when it has none.
std::wstring FolderOfPath(std::wstring_view path);

// The install folder derived from an uninstall command: the part before its last backslash (empty when none);
// when that part contains a double quote anywhere, only its first character is removed. Commands such as
// "rundll32 \"C:\\x\\a.dll\",Uninstall" therefore give "undll32 \"C:\\x"; callers rely on that exact text.
std::wstring InstallDirFromUninstallString(std::wstring_view uninstallString);

// A REG_DWORD shown as signed decimal: 4294967295 -> "-1".
std::wstring FormatDwordText(std::uint32_t value);

// Days since a program file was last accessed, from span = now - lastAccess in days. The span is rounded
// by half a second away from zero and truncated, then rounded again by +0.5 and cut to its low 32 bits, so
// -2 days gives 0xFFFFFFFF. NaN, infinities and spans beyond the 64-bit range give 0.
std::uint32_t UnusedDaysFromSpan(double spanDays);

// Calendar time parts, as Windows' SYSTEMTIME gives them.
struct TCalendarTime {
    int year, month, day, hour, minute, second;
};
// "YYYY-MM-DD  hh:mm:ss" with two blanks (last use, screen-saver last access).
std::wstring FormatLastUseTime(const TCalendarTime& t);
// "YYYY-MM-DD hh:mm:ss" with one blank (install time from a folder's creation time).
std::wstring FormatInstallTime(const TCalendarTime& t);

// Shown when a time conversion fails.
inline constexpr wchar_t kInvalidDateTime[] = L"Invalid DateTime";

}  // namespace tallivor
