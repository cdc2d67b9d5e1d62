#include "Bench.h"

#include "Dump.h"
#include "Output.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <functional>
#include <set>
#include <vector>

namespace {

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
constexpr wchar_t kPrefix[] = L"VarnookBench";

// The values the service reads from an entry, in the order it reads them.
const wchar_t* const kEntryValues[] = {L"SystemComponent", L"TSAware",     L"DisplayName",  L"UninstallString",
                                       L"InstallLocation", L"DisplayIcon", L"Publisher",    L"InstallDate",
                                       L"DisplayVersion",  L"HelpLink",    L"URLInfoAbout", L"URLUpdateInfo"};

struct TPlanted {
    std::wstring name;
    std::wstring displayIcon;  // empty: none
    std::wstring cachedPath;   // empty: no usage-cache record
    std::wstring installDir;
};

std::vector<BYTE> CacheRecord(uint64_t size, const std::wstring& path) {
    std::vector<BYTE> record(28, 0);
    for (int i = 0; i < 8; ++i)
        record[8 + i] = static_cast<BYTE>(size >> (8 * i));
    record[24] = 3;
    const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
    record.insert(record.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
    return record;
}

void RemovePlanted() {
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

std::vector<TPlanted> Plant(int count) {
    RemovePlanted();
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

// One key opened once and every value the service reads queried with plain registry calls.
unsigned long ReadKeyOnce(const std::wstring& path, std::initializer_list<const wchar_t*> values) {
    const platform::TKey key = platform::OpenKey(HKEY_LOCAL_MACHINE, path);
    platform::TKeyInfo info;
    if (!key || !platform::QueryKeyInfo(key.get(), info))
        return 0;
    std::vector<BYTE> buffer(std::max<DWORD>(info.maxValueData, 2));
    unsigned long checksum = 0;
    for (const wchar_t* value : values) {
        DWORD type = 0, size = 0;
        if (platform::QueryValue(key.get(), value, buffer.data(), static_cast<DWORD>(buffer.size()), type, size))
            checksum += size;
    }
    return checksum;
}

unsigned long RegistryFloor() {
    const platform::TKey uninstall = platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstall);
    platform::TKeyInfo info;
    platform::QueryKeyInfo(uninstall.get(), info);
    unsigned long checksum = 0;
    std::wstring name;
    for (DWORD i = 0; i < info.subKeys && platform::EnumSubKey(uninstall.get(), i, name); ++i) {
        const platform::TKey entry = platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstall + name);
        platform::TKeyInfo entryInfo;
        if (!entry || !platform::QueryKeyInfo(entry.get(), entryInfo))
            continue;
        std::vector<BYTE> buffer(std::max<DWORD>(entryInfo.maxValueData, 2));
        for (const wchar_t* value : kEntryValues) {
            DWORD type = 0, size = 0;
            if (platform::QueryValue(entry.get(), value, buffer.data(), static_cast<DWORD>(buffer.size()), type, size))
                checksum += size;
        }
        checksum += ReadKeyOnce(kCache + name, {L"SlowInfoCache"});
    }
    return checksum;
}

// The file-system and shell calls the service makes for the same entries: the icon search, one shell
// look-up per distinct icon, and the search of an install folder that has no cached size.
unsigned long ShellFloor(const std::vector<TPlanted>& planted) {
    const std::wstring msiexec = platform::SystemDirectory() + L"\\msiexec.exe";
    std::set<std::wstring> asked;
    unsigned long checksum = 0;
    for (const TPlanted& entry : planted) {
        const std::wstring& icon = !entry.displayIcon.empty() ? entry.displayIcon : entry.cachedPath;
        const bool found = !icon.empty() && platform::SearchFinds(icon);
        if (asked.insert(found ? icon : msiexec).second)
            checksum += platform::SmallIconIndex(found ? icon : msiexec).value_or(0);
        if (entry.cachedPath.empty())
            checksum += platform::SearchFinds(platform::ExtendedPath(entry.installDir) + L"\\*.*");
    }
    return checksum;
}

double BestMilliseconds(const std::function<void()>& work, int rounds) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

}  // namespace

int RunBenchmark(varnook::TProgramList& list, int entries) {
    const std::vector<TPlanted> planted = Plant(entries);
    volatile unsigned long sink = 0;
    const int rounds = 5;
    list.UpdateProgramList();  // warms the caches of the registry, the shell and the file system

    const double service = BestMilliseconds(
        [&] {
            list.UpdateProgramList();
            sink = sink + ReadEveryProperty(list);
        },
        rounds);
    const double registry = BestMilliseconds([&] { sink = sink + RegistryFloor(); }, rounds);
    const double shell = BestMilliseconds([&] { sink = sink + ShellFloor(planted); }, rounds);
    const ULONG listed = list.ItemCount();
    RemovePlanted();

    wchar_t report[1024];
    swprintf(report, 1024,
             L"entries planted: %d, listed: %lu (best of %d rounds)\n"
             L"service (UpdateProgramList + every property through COM): %.1f ms\n"
             L"floor, registry (each entry key opened once, same values): %.1f ms\n"
             L"floor, shell (same icon and folder look-ups):              %.1f ms\n"
             L"ratio service / (registry + shell floor):                  %.2f\n"
             L"ratio (service - shell floor) / registry floor:            %.2f\n",
             entries, listed, rounds, service, registry, shell, service / (registry + shell),
             (service - shell) / registry);
    Print(report);
    return 0;
}
