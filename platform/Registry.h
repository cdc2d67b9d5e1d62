#pragma once

#include "Handles.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Every key is opened with full access, also to read; a key that cannot be opened so counts as absent.
// No 32-bit or 64-bit view flag is ever passed.
inline constexpr REGSAM kKeyAccess = KEY_ALL_ACCESS;
// Key and value names are read into buffers of this many characters (terminator included).
inline constexpr DWORD kNameCapacity = 260;

// Opens an existing key; an empty TKey when it is missing or cannot be opened with full access.
TKey OpenKey(HKEY parent, std::wstring_view path);
// Opens a key, creating it (and missing parents) when needed.
TKey CreateKey(HKEY parent, std::wstring_view path);

struct TKeyInfo {
    DWORD subKeys = 0;
    DWORD values = 0;
    DWORD maxValueData = 0;  // bytes of the largest value data
};
bool QueryKeyInfo(HKEY key, TKeyInfo& info);

// The name of subkey `index`, in the registry's own order; false past the last one.
bool EnumSubKey(HKEY key, DWORD index, std::wstring& name);

struct TRegValue {
    std::wstring name;  // empty for the unnamed default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
// Value `index` with at most `dataCapacity` bytes of data; false past the last one or when it does not fit.
bool EnumValue(HKEY key, DWORD index, DWORD dataCapacity, TRegValue& value);

// Reads value `name` into `buffer`; false when it is missing or does not fit. `size` gets the data length.
bool QueryValue(HKEY key, const wchar_t* name, BYTE* buffer, DWORD capacity, DWORD& type, DWORD& size);

// Writes a REG_SZ value, or a value of another string type, with its terminating zero.
bool WriteString(HKEY key, const wchar_t* name, std::wstring_view text, DWORD type = REG_SZ);
bool WriteDword(HKEY key, const wchar_t* name, DWORD value);
bool WriteBinary(HKEY key, const wchar_t* name, const void* data, DWORD size, DWORD type = REG_BINARY);
bool DeleteValue(HKEY key, const wchar_t* name);
// Deletes `subkey` of `parent` with all its subkeys and values.
bool DeleteTree(HKEY parent, std::wstring_view subkey);

}  // namespace platform
