#include "StartupStore.h"

#include "StartupRules.h"
#include "platform/Errors.h"
#include "platform/Registry.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace varnook {

namespace {

// The version keys in the record's order.
constexpr std::pair<const wchar_t*, std::wstring TFileInfo::*> kVersionKeys[] = {
    {L"CompanyName", &TFileInfo::CompanyName},           {L"FileDescription", &TFileInfo::FileDescription},
    {L"FileVersion", &TFileInfo::FileVersion},           {L"InternalName", &TFileInfo::InternalName},
    {L"LegalCopyright", &TFileInfo::LegalCopyright},     {L"LegalTrademarks", &TFileInfo::LegalTrademarks},
    {L"OriginalFileName", &TFileInfo::OriginalFileName}, {L"ProductName", &TFileInfo::ProductName},
    {L"ProductVersion", &TFileInfo::ProductVersion},     {L"Comments", &TFileInfo::Comments},
};

std::wstring VersionText(const std::vector<BYTE>& block, const std::wstring& query) {
    wchar_t* text = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &chars) || !text)
        return {};
    return std::wstring(text, wcsnlen(text, chars));
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool ReadFileVersionInfo(const std::wstring& path, TFileInfo& info, const wchar_t* extraKey) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return false;

    std::wstring prefix;
    WORD* translation = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= 2 * sizeof(WORD)) {
        wchar_t digits[16];
        swprintf(digits, 16, L"%04X%04X", translation[0], translation[1]);
        prefix = std::wstring(L"\\StringFileInfo\\") + digits + L"\\";
    }
    if (!prefix.empty()) {
        for (const auto& [key, field] : kVersionKeys)
            info.*field = VersionText(block, prefix + key);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof(VS_FIXEDFILEINFO))
        std::memcpy(&info.FixedFileInfo, fixed, sizeof(VS_FIXEDFILEINFO));
    if (!prefix.empty() && extraKey)
        info.ExtraValue = VersionText(block, prefix + extraKey);
    return true;
}

std::wstring GetSpecialFolderPath(int csidl) {
    wchar_t path[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

bool ReadRunValues(HKEY key, std::vector<TRunValue>& values) {
    platform::TKeyInfo info;
    if (!platform::QueryKeyInfo(key, info))
        return false;
    for (DWORD index = 0; index < info.values; ++index) {
        platform::TRegValue value;
        if (!platform::EnumValue(key, index, info.maxValueData, value))
            return false;
        const bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
        // A value with no data reads as empty text whatever its type.
        if (!text && !value.data.empty())
            return false;
        values.push_back({value.name, text ? startup::TextOfValueData(value.data) : std::wstring(), value.type});
    }
    return true;
}

bool WriteTypedValue(HKEY key, const TRunValue& value) {
    if (value.Type == REG_SZ || value.Type == REG_EXPAND_SZ)
        return platform::WriteString(key, value.Name.c_str(), value.Text, value.Type);
    // Any other type was listed only because it had no data, and goes back so.
    return platform::WriteBinary(key, value.Name.c_str(), nullptr, 0, value.Type);
}

void WriteRunValue(HKEY hive, const std::wstring& name, const std::wstring& data) {
    const platform::TKey key = platform::OpenKey(hive, startup::kRunKey);
    if (!key)
        return;
    if (!platform::WriteString(key.get(), name.c_str(), data))
        throw platform::EError(L"Failed to set data for '" + name + L"'");
}

bool CreateShortcut(const std::wstring& target, const std::wstring& linkPath) {
    platform::TComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
        return false;
    if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetWorkingDirectory(startup::FolderOf(target).c_str())))
        return false;
    platform::TComPtr<IPersistFile> file;
    if (FAILED(link.query(file)))
        return false;
    return SUCCEEDED(file->Save(startup::ShortcutPathFor(linkPath).c_str(), FALSE));
}

std::wstring MoveEntryInto(const std::wstring& path, const std::wstring& folder, bool hideFolder) {
    const std::wstring into = startup::WithTrailingBackslash(folder);
    CreateDirectoryW(into.c_str(), nullptr);
    const DWORD folderAttributes = GetFileAttributesW(into.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    if (hideFolder && !(folderAttributes & FILE_ATTRIBUTE_HIDDEN))
        SetFileAttributesW(into.c_str(), folderAttributes | FILE_ATTRIBUTE_HIDDEN);

    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {};
    const std::wstring name =
        startup::FreeEntryName(startup::FileNameOf(path), attributes & FILE_ATTRIBUTE_DIRECTORY,
                               [&](const std::wstring& candidate) { return Exists(into + candidate); });
    const std::wstring moved = into + name;
    if (!MoveFileExW(path.c_str(), moved.c_str(), 0))
        return {};
    return moved;
}

bool DeleteEntry(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return RemoveDirectoryW(path.c_str());
    return DeleteFileW(path.c_str());
}

}  // namespace varnook
