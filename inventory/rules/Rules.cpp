#include "inventory/rules/Rules.h"

#include <cmath>
#include <cstdio>

namespace tallivor {

std::wstring TextFromRegData(const unsigned char* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

bool ReadsAsOne(const unsigned char* data, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i)
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return value == 1;
}

std::wstring FolderOfPath(std::wstring_view path) {
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring_view::npos)
        return {};
    return std::wstring(path.substr(0, slash));
}

std::wstring InstallDirFromUninstallString(std::wstring_view uninstallString) {
    std::wstring folder = FolderOfPath(uninstallString);
    if (folder.find(L'"') != std::wstring::npos)
        folder.erase(0, 1);
    return folder;
}

std::wstring FormatDwordText(std::uint32_t value) {
    return std::to_wstring(static_cast<std::int32_t>(value));
}

std::uint32_t UnusedDaysFromSpan(double spanDays) {
    constexpr double kHalfSecond = 0.5 / 86400.0;
    const double whole = std::trunc(spanDays < 0 ? spanDays - kHalfSecond : spanDays + kHalfSecond);
    // Converting a double outside the int64 range is undefined; NaN fails both comparisons as well.
    if (!(whole >= -0x1p63 && whole < 0x1p63))
        return 0;
    const auto days = static_cast<std::int64_t>(whole + 0.5);
    return static_cast<std::uint32_t>(days);
}

namespace {

std::wstring FormatTime(const TCalendarTime& t, const char* format) {
    char buffer[80];
    const int length = std::snprintf(buffer, sizeof buffer, format, t.year, t.month, t.day, t.hour, t.minute, t.second);
    return std::wstring(buffer, buffer + (length > 0 ? length : 0));
}

}  // namespace

std::wstring FormatLastUseTime(const TCalendarTime& t) {
    return FormatTime(t, "%04d-%02d-%02d  %02d:%02d:%02d");
}

std::wstring FormatInstallTime(const TCalendarTime& t) {
    return FormatTime(t, "%04d-%02d-%02d %02d:%02d:%02d");
}

}  // namespace tallivor
