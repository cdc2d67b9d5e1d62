#include "Bench.h"

#include "BenchData.h"
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

// The values the service reads from an entry, in the order it reads them.
const wchar_t* const kEntryValues[] = {L"SystemComponent", L"TSAware",     L"DisplayName",  L"UninstallString",
                                       L"InstallLocation", L"DisplayIcon", L"Publisher",    L"InstallDate",
                                       L"DisplayVersion",  L"HelpLink",    L"URLInfoAbout", L"URLUpdateInfo"};

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
    const std::vector<TPlanted> planted = PlantBenchEntries(entries);
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
    RemoveBenchEntries();

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
