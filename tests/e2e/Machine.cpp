#include "Machine.h"

#include "platform/Handles.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <iterator>

namespace e2etest {

namespace {

// The registry a deletion can reach, as the scan walks it. The classes below SOFTWARE are thousands of keys
// that the scan never enters; HKEY_CLASSES_ROOT\Installer stands for them.
struct TRegistryStart {
    HKEY root;
    const wchar_t* rootName;
    const wchar_t* path;
};
const TRegistryStart kRegistry[] = {
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT", L"Installer"},
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", L"SOFTWARE"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", L"SOFTWARE"},
};
constexpr const wchar_t* kSkippedKeys[] = {L"SOFTWARE\\Classes", L"SOFTWARE\\Wow6432Node\\Classes"};

bool Skipped(const std::wstring& path) {
    return std::any_of(std::begin(kSkippedKeys), std::end(kSkippedKeys),
                       [&](const wchar_t* skipped) { return _wcsicmp(path.c_str(), skipped) == 0; });
}

void ReadKey(HKEY root, const std::wstring& rootName, const std::wstring& path, TMachine& machine) {
    if (Skipped(path))
        return;
    platform::TKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return;
    const std::wstring text = rootName + L"\\" + path;
    machine.insert(L"key " + text);
    wchar_t name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumValueW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        machine.insert(L"value " + text + L"\\" + std::wstring(name, length));
    }
    std::vector<std::wstring> subkeys;
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.emplace_back(name, length);
    }
    for (const std::wstring& subkey : subkeys)
        ReadKey(root, rootName, path + L"\\" + subkey, machine);
}

void ReadFolder(const std::wstring& folder, const std::vector<std::wstring>& skipped, TMachine& machine) {
    WIN32_FIND_DATAW found;
    const platform::TFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!search)
        return;
    std::vector<std::wstring> folders;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            machine.insert(L"file " + path);
            continue;
        }
        if (std::any_of(skipped.begin(), skipped.end(),
                        [&](const std::wstring& skip) { return _wcsicmp(path.c_str(), skip.c_str()) == 0; }))
            continue;
        machine.insert(L"folder " + path);
        // Links are listed, never entered.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            folders.push_back(path);
    } while (FindNextFileW(search.get(), &found));
    for (const std::wstring& path : folders)
        ReadFolder(path, skipped, machine);
}

}  // namespace

TMachine ReadMachine() {
    TMachine machine;
    for (const TRegistryStart& start : kRegistry)
        ReadKey(start.root, start.rootName, start.path, machine);
    ReadFolder(L"C:", {ShellFolder(CSIDL_WINDOWS), L"C:\\VarnookTests"}, machine);
    return machine;
}

std::vector<std::wstring> Missing(const TMachine& from, const TMachine& to) {
    std::vector<std::wstring> missing;
    std::set_difference(from.begin(), from.end(), to.begin(), to.end(), std::back_inserter(missing));
    return missing;
}

std::vector<std::wstring> Outside(const std::vector<std::wstring>& entries, const std::vector<std::wstring>& prefixes) {
    std::vector<std::wstring> outside;
    for (const std::wstring& entry : entries) {
        const std::wstring text = entry.substr(entry.find(L' ') + 1);
        if (std::none_of(prefixes.begin(), prefixes.end(),
                         [&](const std::wstring& prefix) { return text.starts_with(prefix); }))
            outside.push_back(entry);
    }
    return outside;
}

int UninstallerCopies() {
    const platform::TFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return 0;
    int copies = 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, L"Un.exe") == 0)
            ++copies;
    }
    return copies;
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    std::wstring text = path;
    if (text.ends_with(L'\\'))
        text.pop_back();
    return text;
}

}  // namespace e2etest
