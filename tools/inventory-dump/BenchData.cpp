#include "BenchData.h"

#include "platform/Files.h"
#include "platform/Registry.h"

#include <cwchar>

namespace {

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
constexpr wchar_t kPrefix[] = L"VarnookBench";

std::vector<BYTE> CacheRecord(uint64_t size, const std::wstring& path) {
    std::vector<BYTE> record(28, 0);
    for (int i = 0; i < 8; ++i)
        record[8 + i] = static_cast<BYTE>(size >> (8 * i));
    record[24] = 3;
    const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
    record.insert(record.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
    return record;
}

}  // namespace

void RemoveBenchEntries() {
    for (const wchar_t* root : {kUninstall, kCache}) {
        const platform::TKey key = platform::OpenKey(HKEY_LOCAL_MACHINE, root);
        std::vector<std::wstring> names;
        std::wstring name;
        for (DWORD i = 0; key && platform::EnumSubKey(key.get(), i, name); ++i) {
            if (name.starts_with(kPrefix))
                names.push_back(name);
        }
        for (const auto& planted : names)
            platform::DeleteTree(key.get(), planted);
    }
}

std::vector<TPlanted> PlantBenchEntries(int count) {
    RemoveBenchEntries();
    const std::wstring system = platform::SystemDirectory();
    std::vector<TPlanted> planted;
    for (int i = 0; i < count; ++i) {
        wchar_t name[64];
        swprintf(name, 64, L"%ls{%08X-1F2E-4D3C-8B7A-%012X}", kPrefix, i, i * 7919);
        TPlanted entry{name, {}, {}, L"C:\\Program Files\\Bench App " + std::to_wstring(i)};
        if (i % 2 == 0) {
            entry.displayIcon = system + L"\\notepad.exe";
            entry.cachedPath = system + L"\\regedit.exe";
        }
        const platform::TKey key = platform::CreateKey(HKEY_LOCAL_MACHINE, kUninstall + entry.name);
        const std::wstring n = std::to_wstring(i);
        platform::WriteString(key.get(), L"DisplayName", L"Bench Application " + n);
        platform::WriteString(key.get(), L"UninstallString", L"\"" + entry.installDir + L"\\uninst.exe\" /S");
        platform::WriteString(key.get(), L"InstallLocation", entry.installDir);
        platform::WriteString(key.get(), L"Publisher", L"Bench Software " + std::to_wstring(i % 37));
        platform::WriteString(key.get(), L"DisplayVersion", L"1." + n + L".0");
        platform::WriteString(key.get(), L"InstallDate", L"20240305");
        platform::WriteString(key.get(), L"HelpLink", L"https://example.com/help/" + n);
        platform::WriteString(key.get(), L"URLInfoAbout", L"https://example.com/about/" + n);
        platform::WriteString(key.get(), L"URLUpdateInfo", L"https://example.com/update/" + n);
        platform::WriteDword(key.get(), L"EstimatedSize", 1024 + i);
        platform::WriteDword(key.get(), L"NoModify", 1);
        platform::WriteDword(key.get(), L"NoRepair", 1);
        if (!entry.displayIcon.empty())
            platform::WriteString(key.get(), L"DisplayIcon", entry.displayIcon);
        if (!entry.cachedPath.empty()) {
            const platform::TKey cache = platform::CreateKey(HKEY_LOCAL_MACHINE, kCache + entry.name);
            const auto record = CacheRecord(5'000'000 + i, entry.cachedPath);
            platform::WriteBinary(cache.get(), L"SlowInfoCache", record.data(), static_cast<DWORD>(record.size()));
        }
        planted.push_back(std::move(entry));
    }
    return planted;
}
