#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

// A registry value to plant in a fixture.
struct TValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};
TValue Sz(const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ);
TValue Dword(const std::wstring& name, uint32_t number);
TValue Raw(const std::wstring& name, DWORD type, std::vector<BYTE> data);

// Creates `root`\`path` (emptied first) holding `values`.
void PlantKey(HKEY root, const std::wstring& path, std::initializer_list<TValue> values);
// Deletes every subkey of `root`\`path`, keeping the key itself.
void EmptyKey(HKEY root, const std::wstring& path);

// A Unix path of the build tree as Wine sees it (through drive Z:).
std::wstring WinePath(const std::string& unixPath);

// A fresh, empty folder C:\VarnookTests\`name` (removed with everything below it first). Links inside it
// are removed as links, never entered.
std::wstring FreshFolder(const std::wstring& name);
void RemoveFolder(const std::wstring& path);
void WriteFile(const std::wstring& path, size_t bytes);

}  // namespace testsupport
