#include "Files.h"

namespace platform {

std::wstring ExtendedPath(std::wstring_view path) {
    const std::wstring text(path);
    const bool drive = text.size() >= 3 && text[1] == L':' && (text[2] == L'\\' || text[2] == L'/');
    const bool unc = text.starts_with(L"\\\\") && !text.starts_with(L"\\\\?\\");
    if (!drive && !unc)
        return text;
    // The extended form is taken literally: resolve "..", "." and forward slashes first.
    std::wstring full(32768, L'\0');
    const DWORD length = GetFullPathNameW(text.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return text;
    full.resize(length);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool SearchFinds(const std::wstring& pattern) {
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW(pattern.c_str(), &data));
    return static_cast<bool>(find);
}

bool ForEachFound(const std::wstring& pattern, const std::function<bool(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW(pattern.c_str(), &data));
    if (!find)
        return false;
    do {
        if (!visit(data))
            break;
    } while (FindNextFileW(find.get(), &data));
    return true;
}

std::optional<FILETIME> CreationTime(const std::wstring& path) {
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FILETIME created;
    if (!file || !GetFileTime(file.get(), &created, nullptr, nullptr))
        return std::nullopt;
    return created;
}

std::optional<FILETIME> LastAccessTime(const std::wstring& path) {
    TFileHandle file(
        CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return info.ftLastAccessTime;
}

std::wstring SystemDirectory() {
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::wstring ExpandEnvironment(const std::wstring& text, DWORD limit) {
    std::wstring result(static_cast<size_t>(limit) + 1, L'\0');
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), result.data(), limit + 1);
    if (needed == 0 || needed > limit + 1)
        return std::wstring(text, 0, std::min<size_t>(text.size(), limit));
    result.resize(needed - 1);
    return result;
}

}  // namespace platform
