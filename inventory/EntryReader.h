#pragma once

#include "platform/Registry.h"

#include <optional>
#include <string>
#include <vector>

namespace tallivor {

// The machine-wide uninstall key; an entry's path is this text followed directly by its subkey name.
inline constexpr wchar_t kUninstallPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// The Add/Remove Programs usage cache; a record's key is this text followed by the entry's subkey name.
inline constexpr wchar_t kUsageCachePath[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

// One open key with a value buffer as large as the key's largest value data, so that no query of a value
// fails for lack of room. Readers share it instead of opening the key once each.
class TEntryReader {
public:
    // Opens `root`\`path` with full access and asks it for its value count and largest value size.
    TEntryReader(HKEY root, const std::wstring& path);

    // False when the key could not be opened or asked; every query then finds nothing.
    bool ok() const { return ok_; }
    HKEY key() const { return key_.get(); }
    const platform::TKeyInfo& info() const { return info_; }

    // The data of value `name` when it exists; valid until the next query.
    bool Query(const wchar_t* name, const unsigned char*& data, size_t& size);
    // The value taken as text up to its first zero character, whatever its type; nothing when it is missing.
    std::optional<std::wstring> Text(const wchar_t* name);

private:
    platform::TKey key_;
    platform::TKeyInfo info_;
    std::vector<BYTE> buffer_;
    bool ok_ = false;
};

}  // namespace tallivor
