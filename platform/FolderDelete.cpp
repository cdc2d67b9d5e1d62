#include "FolderDelete.h"

#include "Files.h"
#include "Handles.h"

#include <algorithm>

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Opens an entry itself: a link rather than what it leads to (where the system honours the flag).
constexpr DWORD kOpenEntry = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";

bool Gone(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool IsLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TFileHandle OpenEntry(const std::wstring& path, DWORD access) {
    return TFileHandle(CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, kOpenEntry, nullptr));
}

// The path of what the handle holds as the system resolves it ("\\?\C:\..."); empty when it cannot tell.
std::wstring FinalPath(HANDLE handle) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// True when `handle`, opened for the entry at `path`, holds that entry and not what a link leads to.
// Windows opens a link itself; Wine follows Unix links, which then show as another path and, for a link
// that the listing showed as one, without the link attribute.
bool HoldsEntry(HANDLE handle, const std::wstring& path, bool listedAsLink) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return false;
    if (listedAsLink && !IsLink(tag.FileAttributes))
        return false;
    const std::wstring final = FinalPath(handle);
    return final.empty() || SamePath(final, path);
}

// Removes the entry at `path` (an extended path as the system resolves it): a file, a link or an empty
// folder. True when it is gone.
bool RemoveEntry(const std::wstring& path, bool listedAsLink) {
    const TFileHandle handle = OpenEntry(path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    if (!handle)
        return Gone(GetLastError());
    if (!HoldsEntry(handle.get(), path, listedAsLink))
        return false;
    FILE_BASIC_INFO basic{};
    const bool readOnly = GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &basic, sizeof basic) &&
                          (basic.FileAttributes & FILE_ATTRIBUTE_READONLY);
    const DWORD attributes = basic.FileAttributes;
    if (readOnly) {
        // Zero would mean "unchanged", and zero times leave the times as they are.
        FILE_BASIC_INFO writable{};
        writable.FileAttributes =
            (attributes & ~FILE_ATTRIBUTE_READONLY) ? attributes & ~FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(handle.get(), FileBasicInfo, &writable, sizeof writable);
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (SetFileInformationByHandle(handle.get(), FileDispositionInfo, &disposition, sizeof disposition))
        return true;
    if (readOnly) {
        FILE_BASIC_INFO restore{};
        restore.FileAttributes = attributes;
        SetFileInformationByHandle(handle.get(), FileBasicInfo, &restore, sizeof restore);
    }
    return false;
}

// True when `path` is a folder that can be entered: not a link, whatever the listing showed.
bool IsPlainFolder(const std::wstring& path) {
    const TFileHandle handle = OpenEntry(path, FILE_READ_ATTRIBUTES);
    FILE_ATTRIBUTE_TAG_INFO tag{};
    return handle && HoldsEntry(handle.get(), path, false) &&
           GetFileInformationByHandleEx(handle.get(), FileAttributeTagInfo, &tag, sizeof tag) &&
           IsFolder(tag.FileAttributes) && !IsLink(tag.FileAttributes);
}

struct TEntry {
    std::wstring name;
    DWORD attributes = 0;
};

std::vector<TEntry> ListEntries(const std::wstring& folder) {
    std::vector<TEntry> entries;
    WIN32_FIND_DATAW data;
    const TFindHandle find(FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                            nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return entries;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({name, data.dwFileAttributes});
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

// An entry named by the caller: its path as the system resolves its folder, and what a listing shows of it.
struct TNamedEntry {
    bool found = false;
    DWORD error = ERROR_SUCCESS;
    std::wstring path;
    DWORD attributes = 0;
};

// `extended` is an extended path that is not a root.
TNamedEntry LookUp(const std::wstring& extended) {
    TNamedEntry entry;
    WIN32_FIND_DATAW data;
    const TFindHandle find(FindFirstFileW(extended.c_str(), &data));
    if (!find) {
        entry.error = GetLastError();
        return entry;
    }
    std::wstring parent = extended.substr(0, extended.find_last_of(L'\\'));
    if (parent.back() == L':')
        parent += L'\\';
    std::wstring folder;
    if (const TFileHandle handle = OpenEntry(parent, FILE_READ_ATTRIBUTES))
        folder = FinalPath(handle.get());
    if (folder.empty())
        folder = parent;
    if (folder.back() != L'\\')
        folder += L'\\';
    entry.found = true;
    entry.path = folder + data.cFileName;
    entry.attributes = data.dwFileAttributes;
    return entry;
}

// The extended form of an absolute path that names something below a root; empty otherwise.
std::wstring ExtendedNonRoot(const std::wstring& path) {
    const std::wstring extended = ExtendedPath(path);
    if (!extended.starts_with(kExtendedPrefix))
        return {};
    std::wstring rest = extended.substr(4);
    while (!rest.empty() && rest.back() == L'\\')
        rest.pop_back();
    const bool driveRoot = rest.size() <= 2;
    const bool shareRoot = rest.starts_with(L"UNC\\") && std::count(rest.begin(), rest.end(), L'\\') <= 2;
    if (driveRoot || shareRoot)
        return {};
    return L"\\\\?\\" + rest;
}

}  // namespace

std::vector<std::wstring> DeleteFolder(const std::wstring& path) {
    std::wstring shown = path;
    if (!shown.empty() && shown.back() == L'\\')
        shown.pop_back();
    const std::wstring extended = ExtendedNonRoot(shown);
    if (extended.empty())
        return {shown};
    const TNamedEntry root = LookUp(extended);
    if (!root.found)
        return Gone(root.error) ? std::vector<std::wstring>() : std::vector<std::wstring>{shown};
    if (IsLink(root.attributes) || !IsFolder(root.attributes) || !IsPlainFolder(root.path)) {
        const bool link = IsLink(root.attributes) || IsFolder(root.attributes);
        return RemoveEntry(root.path, link) ? std::vector<std::wstring>() : std::vector<std::wstring>{shown};
    }

    // Each level of the tree: the folder in the caller's form and as resolved, its entries, the next one.
    struct TFrame {
        std::wstring shown, path;
        std::vector<TEntry> entries;
        size_t next = 0;
    };
    std::vector<std::wstring> failed;
    std::vector<TFrame> stack;
    stack.push_back({shown, root.path, ListEntries(root.path)});
    while (!stack.empty()) {
        TFrame& top = stack.back();
        if (top.next == top.entries.size()) {
            if (!RemoveEntry(top.path, false))
                failed.push_back(top.shown);
            stack.pop_back();
            continue;
        }
        const TEntry& entry = top.entries[top.next++];
        std::wstring childShown = top.shown + L'\\' + entry.name;
        std::wstring childPath = top.path + L'\\' + entry.name;
        bool link = IsLink(entry.attributes);
        if (!link && IsFolder(entry.attributes)) {
            if (IsPlainFolder(childPath)) {
                std::vector<TEntry> entries = ListEntries(childPath);
                stack.push_back({std::move(childShown), std::move(childPath), std::move(entries)});
                continue;
            }
            link = true;
        }
        if (!RemoveEntry(childPath, link))
            failed.push_back(std::move(childShown));
    }
    return failed;
}

bool DeleteSingleFile(const std::wstring& path) {
    const std::wstring extended = ExtendedNonRoot(path);
    if (extended.empty())
        return false;
    const TNamedEntry entry = LookUp(extended);
    if (!entry.found)
        return Gone(entry.error);
    if (IsFolder(entry.attributes))
        return false;
    return RemoveEntry(entry.path, IsLink(entry.attributes));
}

std::wstring ResolvedPath(const std::wstring& path) {
    const TFileHandle handle(CreateFileW(ExtendedPath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle)
        return {};
    const std::wstring final = FinalPath(handle.get());
    if (final.starts_with(L"\\\\?\\UNC\\"))
        return L"\\\\" + final.substr(8);
    return final.starts_with(kExtendedPrefix) ? final.substr(4) : final;
}

}  // namespace platform
