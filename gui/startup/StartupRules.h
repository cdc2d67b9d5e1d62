#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

// Text rules of the startup items page. A row's location text is the only record of where it came from:
// "HKCU\<run key>" or "HKLM\<run key>" for a registry row, the Startup folder's path (ending in a backslash)
// for a folder row.
namespace varnook::startup {

// The run keys of each hive, in the order they are listed.
inline constexpr const wchar_t* kRunKeyPaths[] = {
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\Setup",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
};
// The run key that new items go to.
inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Disabled items: the values of this subkey of their run key, and the entries of this hidden subfolder of
// their Startup folder (Windows starts nothing inside a subfolder).
inline constexpr wchar_t kDisabledStore[] = L"Run_Disable";

enum class THive { Unknown, CurrentUser, LocalMachine };

// "HKCU" or "HKLM" + "\" + the key's path.
std::wstring RegistryLocation(THive hive, std::wstring_view keyPath);
// A registry row's location contains "CurrentVersion" in any case; every other row is a folder row.
bool IsRegistryLocation(std::wstring_view location);
// The hive named by the first four characters, compared case-sensitively.
THive HiveOfLocation(std::wstring_view location);
// The key path: the text after "HKCU\".
std::wstring KeyPathOfLocation(std::wstring_view location);

// The path a command starts: the text before the first "/", double quotes removed, nothing trimmed.
std::wstring ExecutablePathOf(std::wstring_view command);

// A string value's data as text: UTF-16 up to the first zero (an odd last byte is dropped).
std::wstring TextOfValueData(std::span<const unsigned char> data);

std::wstring WithTrailingBackslash(std::wstring path);
// The part after the last "\", "/" or ":".
std::wstring FileNameOf(std::wstring_view path);
// The part up to and including the last "\", "/" or ":".
std::wstring FolderOf(std::wstring_view path);
// A file name without its extension (from its last dot; a leading dot starts no extension).
std::wstring WithoutExtension(std::wstring_view fileName);
// The path with its extension replaced by ".lnk", or ".lnk" appended when it has none.
std::wstring ShortcutPathFor(std::wstring_view linkPath);

// Where a folder row's file lies, judged from its command (its path) and location (its Startup folder).
enum class TFolderPlace { Active, Disabled, Elsewhere };
TFolderPlace PlaceOfFolderEntry(std::wstring_view command, std::wstring_view location);
// The folder that holds the disabled entries of a Startup folder, ending in a backslash.
std::wstring DisabledFolderOf(std::wstring_view location);

// The first of "name", "name (2)", "name (3)" ... that `taken` refuses; a file keeps its extension last
// ("tool (2).lnk"), a folder's name is taken whole.
std::wstring FreeEntryName(std::wstring_view name, bool folder, const std::function<bool(const std::wstring&)>& taken);

}  // namespace varnook::startup
