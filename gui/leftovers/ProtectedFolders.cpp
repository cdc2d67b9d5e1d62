#include "ProtectedFolders.h"

#include "platform/Files.h"
#include "platform/FolderDelete.h"
#include "platform/Registry.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace varnook {

namespace {

// Shell folders that are protected themselves: the Program Files and Common Files folders, the all-users
// and the user's known folders.
constexpr int kExactFolders[] = {
    CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86,
    CSIDL_PROGRAM_FILES_COMMON,
    CSIDL_PROGRAM_FILES_COMMONX86,
    CSIDL_COMMON_APPDATA,
    CSIDL_COMMON_DESKTOPDIRECTORY,
    CSIDL_COMMON_DOCUMENTS,
    CSIDL_COMMON_MUSIC,
    CSIDL_COMMON_PICTURES,
    CSIDL_COMMON_VIDEO,
    CSIDL_COMMON_STARTMENU,
    CSIDL_COMMON_PROGRAMS,
    CSIDL_COMMON_STARTUP,
    CSIDL_COMMON_TEMPLATES,
    CSIDL_PROFILE,
    CSIDL_APPDATA,
    CSIDL_LOCAL_APPDATA,
    CSIDL_DESKTOPDIRECTORY,
    CSIDL_PERSONAL,
    CSIDL_MYMUSIC,
    CSIDL_MYPICTURES,
    CSIDL_MYVIDEO,
    CSIDL_FAVORITES,
    CSIDL_STARTMENU,
    CSIDL_PROGRAMS,
    CSIDL_STARTUP,
    CSIDL_TEMPLATES,
};

const KNOWNFOLDERID* const kExactKnownFolders[] = {
    &FOLDERID_Downloads,  &FOLDERID_LocalAppDataLow, &FOLDERID_Public,   &FOLDERID_PublicDownloads,
    &FOLDERID_SavedGames, &FOLDERID_Links,           &FOLDERID_Contacts,
};

// Environment variables that name such folders.
constexpr const wchar_t* kExactVariables[] = {
    L"ProgramFiles",
    L"ProgramFiles(x86)",
    L"ProgramW6432",
    L"CommonProgramFiles",
    L"CommonProgramFiles(x86)",
    L"CommonProgramW6432",
    L"ProgramData",
    L"ALLUSERSPROFILE",
    L"PUBLIC",
    L"USERPROFILE",
    L"APPDATA",
    L"LOCALAPPDATA",
    L"TEMP",
    L"TMP",
};

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        result = path;
    CoTaskMemFree(path);
    return result;
}

std::wstring Variable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

std::wstring TrimmedFolder(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring ParentFolder(const std::wstring& path) {
    const std::wstring trimmed = TrimmedFolder(path);
    const size_t slash = trimmed.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : trimmed.substr(0, slash);
}

// Every form of a folder the comparisons need: as written, and its long form (short names expanded).
void AddFolder(std::vector<std::wstring>& list, const std::wstring& path) {
    if (path.empty())
        return;
    list.push_back(path);
    wchar_t longPath[MAX_PATH] = {};
    const DWORD length = GetLongPathNameW(path.c_str(), longPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH && FolderKey(longPath) != FolderKey(path))
        list.push_back(longPath);
}

std::wstring ProfilesDirectory() {
    const platform::TKey key =
        platform::OpenKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList");
    wchar_t data[MAX_PATH] = {};
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!key || !platform::QueryValue(key.get(), L"ProfilesDirectory", reinterpret_cast<BYTE*>(data),
                                      sizeof data - sizeof(wchar_t), type, size))
        return {};
    return platform::ExpandEnvironment(data, MAX_PATH);
}

}  // namespace

TProtectedFolders SystemProtectedFolders(const std::wstring& appPath) {
    TProtectedFolders folders;
    for (const int csidl : kExactFolders)
        AddFolder(folders.exact, ShellFolder(csidl));
    for (const KNOWNFOLDERID* id : kExactKnownFolders)
        AddFolder(folders.exact, KnownFolder(*id));
    for (const wchar_t* name : kExactVariables)
        AddFolder(folders.exact, Variable(name));
    wchar_t temp[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, temp))
        AddFolder(folders.exact, temp);

    wchar_t windows[MAX_PATH] = {};
    if (GetWindowsDirectoryW(windows, MAX_PATH))
        AddFolder(folders.subtrees, windows);
    if (GetSystemWindowsDirectoryW(windows, MAX_PATH))
        AddFolder(folders.subtrees, windows);
    AddFolder(folders.subtrees, appPath);

    AddFolder(folders.profileRoots, KnownFolder(FOLDERID_UserProfiles));
    AddFolder(folders.profileRoots, ProfilesDirectory());
    AddFolder(folders.profileRoots, ParentFolder(ShellFolder(CSIDL_PROFILE)));
    return folders;
}

TFolderGuard::TFolderGuard(TProtectedFolders protectedFolders, std::vector<std::wstring> otherPrograms)
    : protected_(std::move(protectedFolders)), otherPrograms_(std::move(otherPrograms)) {}

TFolderGuard::TVerdict TFolderGuard::Check(const std::wstring& path) const {
    const std::wstring resolved = platform::ResolvedPath(path);
    if (IsProtectedFolder(path, protected_) || (!resolved.empty() && IsProtectedFolder(resolved, protected_)))
        return TVerdict::Protected;
    const std::wstring key = FolderKey(path);
    const std::wstring resolvedKey = FolderKey(resolved);
    for (const std::wstring& other : otherPrograms_) {
        const std::wstring otherKey = FolderKey(other);
        if (!otherKey.empty() && (otherKey == key || otherKey == resolvedKey))
            return TVerdict::OtherProgram;
    }
    return TVerdict::Free;
}

bool TFolderGuard::MayDeleteWhole(const std::wstring& path) const {
    if (Check(path) != TVerdict::Free)
        return false;
    const std::wstring resolved = platform::ResolvedPath(path);
    const auto holds = [&](const std::vector<std::wstring>& folders) {
        for (const std::wstring& folder : folders) {
            if (IsSameOrInside(folder, path) || (!resolved.empty() && IsSameOrInside(folder, resolved)))
                return true;
        }
        return false;
    };
    return !holds(otherPrograms_) && !holds(protected_.exact) && !holds(protected_.subtrees) &&
           !holds(protected_.profileRoots);
}

}  // namespace varnook
