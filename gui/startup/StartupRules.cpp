#include "StartupRules.h"

#include <algorithm>

namespace varnook::startup {

namespace {

constexpr std::wstring_view kSeparators = L"\\/:";

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool SameTextAscii(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](wchar_t x, wchar_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

// The position where the extension of the last path component starts, or npos.
size_t ExtensionStart(std::wstring_view path) {
    const size_t separator = path.find_last_of(kSeparators);
    const size_t nameStart = separator == std::wstring_view::npos ? 0 : separator + 1;
    const size_t dot = path.rfind(L'.');
    return dot != std::wstring_view::npos && dot > nameStart ? dot : std::wstring_view::npos;
}

}  // namespace

std::wstring RegistryLocation(THive hive, std::wstring_view keyPath) {
    return std::wstring(hive == THive::LocalMachine ? L"HKLM\\" : L"HKCU\\") + std::wstring(keyPath);
}

bool IsRegistryLocation(std::wstring_view location) {
    constexpr std::wstring_view needle = L"CURRENTVERSION";
    const auto found = std::search(location.begin(), location.end(), needle.begin(), needle.end(),
                                   [](wchar_t a, wchar_t b) { return AsciiUpper(a) == b; });
    return found != location.end();
}

THive HiveOfLocation(std::wstring_view location) {
    const std::wstring_view label = location.substr(0, 4);
    if (label == L"HKLM")
        return THive::LocalMachine;
    if (label == L"HKCU")
        return THive::CurrentUser;
    return THive::Unknown;
}

std::wstring KeyPathOfLocation(std::wstring_view location) {
    return location.size() > 5 ? std::wstring(location.substr(5)) : std::wstring();
}

std::wstring ExecutablePathOf(std::wstring_view command) {
    std::wstring path(command.substr(0, command.find(L'/')));
    std::erase(path, L'"');
    return path;
}

std::wstring TextOfValueData(std::span<const unsigned char> data) {
    std::wstring text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0')
            break;
        text += unit;
    }
    return text;
}

std::wstring WithTrailingBackslash(std::wstring path) {
    if (!path.ends_with(L'\\'))
        path += L'\\';
    return path;
}

std::wstring FileNameOf(std::wstring_view path) {
    const size_t separator = path.find_last_of(kSeparators);
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring FolderOf(std::wstring_view path) {
    const size_t separator = path.find_last_of(kSeparators);
    return separator == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, separator + 1));
}

std::wstring WithoutExtension(std::wstring_view fileName) {
    return std::wstring(fileName.substr(0, ExtensionStart(fileName)));
}

std::wstring ShortcutPathFor(std::wstring_view linkPath) {
    return std::wstring(linkPath.substr(0, ExtensionStart(linkPath))) + L".lnk";
}

TFolderPlace PlaceOfFolderEntry(std::wstring_view command, std::wstring_view location) {
    const std::wstring folder = FolderOf(command);
    if (FileNameOf(command).empty())
        return TFolderPlace::Elsewhere;
    if (SameTextAscii(folder, location))
        return TFolderPlace::Active;
    if (SameTextAscii(folder, DisabledFolderOf(location)))
        return TFolderPlace::Disabled;
    return TFolderPlace::Elsewhere;
}

std::wstring DisabledFolderOf(std::wstring_view location) {
    return WithTrailingBackslash(std::wstring(location)) + kDisabledStore + L"\\";
}

std::wstring FreeEntryName(std::wstring_view name, bool folder, const std::function<bool(const std::wstring&)>& taken) {
    const size_t extension = folder ? std::wstring_view::npos : ExtensionStart(name);
    const std::wstring stem(name.substr(0, extension));
    const std::wstring tail(extension == std::wstring_view::npos ? std::wstring_view() : name.substr(extension));
    std::wstring candidate(name);
    for (int number = 2; taken(candidate); ++number)
        candidate = stem + L" (" + std::to_wstring(number) + L")" + tail;
    return candidate;
}

}  // namespace varnook::startup
