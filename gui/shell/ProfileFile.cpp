#include "ProfileFile.h"

#include "funUtils.h"
#include "platform/Errors.h"

#include <windows.h>

namespace varnook {

namespace {

constexpr DWORD kValueBuffer = 2048;

// The value of the key, or `sentinel` when it is missing.
std::wstring ReadRaw(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const wchar_t* sentinel) {
    wchar_t buffer[kValueBuffer];
    const DWORD length =
        GetPrivateProfileStringW(section.c_str(), key.c_str(), sentinel, buffer, kValueBuffer, file.c_str());
    return std::wstring(buffer, length);
}

}  // namespace

std::wstring ReadProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                             const std::wstring& fallback) {
    // The system strips trailing blanks from a default it hands back, so a missing key is told apart with
    // two sentinels (no value can equal both) and the caller's fallback is returned untouched.
    static constexpr wchar_t kFirst[] = L"\x01missing";
    static constexpr wchar_t kSecond[] = L"\x02missing";
    std::wstring value = ReadRaw(file, section, key, kFirst);
    if (value != kFirst)
        return value;
    value = ReadRaw(file, section, key, kSecond);
    return value == kSecond ? fallback : value;
}

bool ReadProfileBool(const std::wstring& file, const std::wstring& section, const std::wstring& key, bool fallback) {
    const std::optional<int> number = ParseInteger(ReadProfileText(file, section, key, L""));
    return number ? *number != 0 : fallback;
}

void WriteProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                      const std::wstring& value) {
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()))
        throw platform::EError(L"Unable to write to " + file);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::wstring& path) {
    std::wstring folder = path;
    while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    if (folder.empty() || DirectoryExists(folder))
        return true;
    const size_t parent = folder.find_last_of(L"\\/");
    if (parent != std::wstring::npos && !ForceDirectories(folder.substr(0, parent)))
        return false;
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace varnook
