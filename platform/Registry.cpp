#include "Registry.h"

namespace platform {

TKey OpenKey(HKEY parent, std::wstring_view path) {
    const std::wstring text(path);
    TKey key;
    if (RegOpenKeyExW(parent, text.c_str(), 0, kKeyAccess, key.put()) != ERROR_SUCCESS)
        key.release();
    return key;
}

TKey CreateKey(HKEY parent, std::wstring_view path) {
    const std::wstring text(path);
    TKey key;
    if (RegCreateKeyExW(parent, text.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kKeyAccess, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        key.release();
    return key;
}

bool QueryKeyInfo(HKEY key, TKeyInfo& info) {
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &info.subKeys, nullptr, nullptr, &info.values, nullptr,
                            &info.maxValueData, nullptr, nullptr) == ERROR_SUCCESS;
}

bool EnumSubKey(HKEY key, DWORD index, std::wstring& name) {
    wchar_t buffer[kNameCapacity];
    DWORD length = kNameCapacity;
    if (RegEnumKeyExW(key, index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    name.assign(buffer, length);
    return true;
}

bool EnumValue(HKEY key, DWORD index, DWORD dataCapacity, TRegValue& value) {
    wchar_t name[kNameCapacity];
    DWORD nameLength = kNameCapacity;
    value.data.assign(dataCapacity, 0);
    DWORD size = dataCapacity;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return false;
    value.name.assign(name, nameLength);
    value.data.resize(size);
    return true;
}

bool QueryValue(HKEY key, const wchar_t* name, BYTE* buffer, DWORD capacity, DWORD& type, DWORD& size) {
    size = capacity;
    return RegQueryValueExW(key, name, nullptr, &type, buffer, &size) == ERROR_SUCCESS;
}

bool WriteString(HKEY key, const wchar_t* name, std::wstring_view text, DWORD type) {
    const std::wstring data(text);
    const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool WriteDword(HKEY key, const wchar_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool WriteBinary(HKEY key, const wchar_t* name, const void* data, DWORD size, DWORD type) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool DeleteValue(HKEY key, const wchar_t* name) {
    return RegDeleteValueW(key, name) == ERROR_SUCCESS;
}

bool DeleteTree(HKEY parent, std::wstring_view subkey) {
    const std::wstring name(subkey);
    if (name.empty())
        return false;  // an empty name would empty the parent itself
    return RegDeleteTreeW(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace platform
