#include "inventory/com/Registration.h"

#include "platform/Registry.h"
#include "Tallivor_h.h"

#include <span>

namespace tallivor {

namespace {

#define TALLIVOR_APPID L"{5A90EA42-EC0F-45C0-ABB1-B5A1CE206802}"
#define TALLIVOR_LIBID L"{495E5D11-2B65-43B8-A729-26DA1BE60CEC}"
#define PROGRAM_LIST_CLSID L"{B840D7A9-1A1F-4A30-8C51-227E5EB10285}"
#define PROGRAM_ITEM_CLSID L"{58F032A7-32AC-47C4-BF0D-E0244A531A76}"

// One registry value of the registration, under HKEY_CLASSES_ROOT.
struct TRegEntry {
    const wchar_t* key;
    const wchar_t* name;  // null for the key's default value
    const wchar_t* data;  // null for a key without a value of its own
    unsigned flags;
};

enum : unsigned {
    kNone = 0,
    kRewrite = 1,     // deleted with everything below it before it is written
    kOwned = 2,       // deleted with everything below it on unregistering
    kModulePath = 4,  // the data is the full file name of the DLL
};

constexpr TRegEntry kAppIdEntries[] = {
    {L"AppID\\" TALLIVOR_APPID, nullptr, L"Tallivor", kOwned},
    {L"AppID\\Tallivor.DLL", L"AppID", TALLIVOR_APPID, kOwned},
};

// Class by class: the two ProgIDs, then the class key, which is written anew on every registration.
constexpr TRegEntry kClassEntries[] = {
    {L"Tallivor.ProgramList.1", nullptr, L"ProgramList Class", kOwned},
    {L"Tallivor.ProgramList.1\\CLSID", nullptr, PROGRAM_LIST_CLSID, kNone},
    {L"Tallivor.ProgramList", nullptr, L"ProgramList Class", kOwned},
    {L"Tallivor.ProgramList\\CLSID", nullptr, PROGRAM_LIST_CLSID, kNone},
    {L"Tallivor.ProgramList\\CurVer", nullptr, L"Tallivor.ProgramList.1", kNone},
    {L"CLSID\\" PROGRAM_LIST_CLSID, nullptr, L"ProgramList Class", kRewrite | kOwned},
    {L"CLSID\\" PROGRAM_LIST_CLSID, L"AppID", TALLIVOR_APPID, kNone},
    {L"CLSID\\" PROGRAM_LIST_CLSID L"\\ProgID", nullptr, L"Tallivor.ProgramList.1", kNone},
    {L"CLSID\\" PROGRAM_LIST_CLSID L"\\VersionIndependentProgID", nullptr, L"Tallivor.ProgramList", kNone},
    {L"CLSID\\" PROGRAM_LIST_CLSID L"\\Programmable", nullptr, nullptr, kNone},
    {L"CLSID\\" PROGRAM_LIST_CLSID L"\\InprocServer32", nullptr, nullptr, kModulePath},
    {L"CLSID\\" PROGRAM_LIST_CLSID L"\\InprocServer32", L"ThreadingModel", L"Apartment", kNone},
    {L"CLSID\\" PROGRAM_LIST_CLSID L"\\TypeLib", nullptr, TALLIVOR_LIBID, kNone},
    {L"Tallivor.ProgramItem.1", nullptr, L"ProgramItem Class", kOwned},
    {L"Tallivor.ProgramItem.1\\CLSID", nullptr, PROGRAM_ITEM_CLSID, kNone},
    {L"Tallivor.ProgramItem", nullptr, L"ProgramItem Class", kOwned},
    {L"Tallivor.ProgramItem\\CLSID", nullptr, PROGRAM_ITEM_CLSID, kNone},
    {L"Tallivor.ProgramItem\\CurVer", nullptr, L"Tallivor.ProgramItem.1", kNone},
    {L"CLSID\\" PROGRAM_ITEM_CLSID, nullptr, L"ProgramItem Class", kRewrite | kOwned},
    {L"CLSID\\" PROGRAM_ITEM_CLSID, L"AppID", TALLIVOR_APPID, kNone},
    {L"CLSID\\" PROGRAM_ITEM_CLSID L"\\ProgID", nullptr, L"Tallivor.ProgramItem.1", kNone},
    {L"CLSID\\" PROGRAM_ITEM_CLSID L"\\VersionIndependentProgID", nullptr, L"Tallivor.ProgramItem", kNone},
    {L"CLSID\\" PROGRAM_ITEM_CLSID L"\\Programmable", nullptr, nullptr, kNone},
    {L"CLSID\\" PROGRAM_ITEM_CLSID L"\\InprocServer32", nullptr, nullptr, kModulePath},
    {L"CLSID\\" PROGRAM_ITEM_CLSID L"\\InprocServer32", L"ThreadingModel", L"Apartment", kNone},
    {L"CLSID\\" PROGRAM_ITEM_CLSID L"\\TypeLib", nullptr, TALLIVOR_LIBID, kNone},
};

HRESULT FromStatus(LSTATUS status) {
    return HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

// Deletes `key` with everything below it; a missing key is no failure.
HRESULT DeleteKeyTree(const wchar_t* key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    return status == ERROR_FILE_NOT_FOUND ? S_OK : FromStatus(status);
}

HRESULT WriteEntry(const TRegEntry& entry, const std::wstring& modulePath) {
    if (entry.flags & kRewrite) {
        const HRESULT hr = DeleteKeyTree(entry.key);
        if (FAILED(hr))
            return hr;
    }
    platform::TKey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                     nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        key.release();
        return FromStatus(status);
    }
    const wchar_t* data = (entry.flags & kModulePath) ? modulePath.c_str() : entry.data;
    if (!data)
        return S_OK;
    const DWORD bytes = static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
    return FromStatus(status);
}

HRESULT WriteEntries(std::span<const TRegEntry> entries, const std::wstring& modulePath) {
    for (const TRegEntry& entry : entries) {
        const HRESULT hr = WriteEntry(entry, modulePath);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT RemoveEntries(std::span<const TRegEntry> entries) {
    for (const TRegEntry& entry : entries) {
        if (!(entry.flags & kOwned))
            continue;
        const HRESULT hr = DeleteKeyTree(entry.key);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT UnregisterTypeLibrary() {
    // UnRegisterTypeLib fails on a library that is not registered, with a code that differs between systems.
    if (!platform::OpenKey(HKEY_CLASSES_ROOT, L"TypeLib\\" TALLIVOR_LIBID L"\\1.0"))
        return S_OK;
    constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    return UnRegisterTypeLib(LIBID_TallivorLib, 1, 0, LOCALE_NEUTRAL, kSysKind);
}

}  // namespace

HRESULT WriteRegistration(const std::wstring& modulePath) {
    HRESULT hr = WriteEntries(kAppIdEntries, modulePath);
    if (SUCCEEDED(hr))
        hr = WriteEntries(kClassEntries, modulePath);
    if (FAILED(hr))
        return hr;
    platform::TComPtr<ITypeLib> library;
    return LoadTypeLibEx(modulePath.c_str(), REGKIND_REGISTER, library.put());
}

HRESULT RemoveRegistration() {
    HRESULT hr = RemoveEntries(kClassEntries);
    if (SUCCEEDED(hr))
        hr = UnregisterTypeLibrary();
    if (SUCCEEDED(hr))
        hr = RemoveEntries(kAppIdEntries);
    return hr;
}

}  // namespace tallivor
