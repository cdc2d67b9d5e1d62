// Times the leftover scan of the registry against a bare recursive walk of the same keys, in the same run,
// with 50,000 keys planted under HKEY_CURRENT_USER\SOFTWARE and removed at the end (--keep keeps them for
// the next run). Run by hand under Wine and Xvfb; prints both times and their ratio.
#include "gui/leftovers/frmScanRemains.h"
#include "gui/shell/multiLangs.h"
#include "platform/Registry.h"
#include "tests/support/RecordingPrompt.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kBenchKey[] = L"SOFTWARE\\VarnookScanBench";
constexpr wchar_t kTarget[] = L"VarnookScanBenchTarget";
constexpr int kGroups = 50;
constexpr int kKeysPerGroup = 1000;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::wstring Numbered(const wchar_t* prefix, int number) {
    wchar_t name[32];
    swprintf(name, 32, L"%ls%04d", prefix, number);
    return name;
}

// 50 groups of 1,000 keys, and the target somewhere among them; kept when it is there already.
void PlantKeys() {
    const std::wstring last =
        std::wstring(kBenchKey) + L"\\" + Numbered(L"G", kGroups - 1) + L"\\" + Numbered(L"K", kKeysPerGroup - 1);
    if (platform::OpenKey(HKEY_CURRENT_USER, last))
        return;
    std::printf("planting %d keys...\n", kGroups * kKeysPerGroup);
    for (int group = 0; group < kGroups; ++group) {
        const platform::TKey parent =
            platform::CreateKey(HKEY_CURRENT_USER, std::wstring(kBenchKey) + L"\\" + Numbered(L"G", group));
        for (int key = 0; key < kKeysPerGroup; ++key)
            platform::CreateKey(parent.get(), Numbered(L"K", key));
    }
    platform::CreateKey(HKEY_CURRENT_USER, std::wstring(kBenchKey) + L"\\G0025\\K0500\\" + kTarget);
}

// The floor: every key of the four walks enumerated, opened and closed, and nothing else.
long BareWalk(HKEY root, std::wstring path) {
    if (varnook::IsKeyNeverEntered(path))
        return 0;
    path += L'\\';
    const platform::TKey key = platform::OpenKey(root, path);
    if (!key)
        return 0;
    std::vector<std::wstring> names;
    std::wstring name;
    for (DWORD index = 0; platform::EnumSubKey(key.get(), index, name); ++index)
        names.push_back(name);
    long visited = 0;
    for (const std::wstring& child : names)
        visited += 1 + BareWalk(root, path + child);
    return visited;
}

double TimeBareWalk(long& visited) {
    const auto start = Clock::now();
    visited = 0;
    for (const varnook::TRegistryWalk& walk : varnook::RegistryWalks())
        visited += BareWalk(varnook::RootKeyFromName(walk.rootName), walk.startKey);
    return Seconds(start);
}

double TimeScan(size_t& found) {
    varnook::TScanForm scan;
    scan.ReadTarget = [] {
        varnook::TScanTarget target;
        target.name = kTarget;
        return target;
    };
    scan.Create(nullptr);
    ShowWindow(scan.Handle(), SW_SHOWNOACTIVATE);
    const auto start = Clock::now();
    scan.StartScan();
    const double seconds = Seconds(start);
    found = varnook::PositionOrder(scan.tvScanRegInfo).size();
    return seconds;
}

// What updating the progress label for every key would add, had the scan done so.
double TimeLabelPerKey(long keys) {
    varnook::TScanForm scan;
    scan.Create(nullptr);
    ShowWindow(scan.Handle(), SW_SHOWNOACTIVATE);
    const auto start = Clock::now();
    for (long key = 0; key < keys; ++key) {
        scan.lblScanInfo.SetText(L"HKEY_CURRENT_USER\\SOFTWARE\\VarnookScanBench\\G0001\\" + std::to_wstring(key));
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return Seconds(start);
}

// What looking for one pending message per key costs on its own.
double TimePeekPerKey(long keys) {
    const auto start = Clock::now();
    for (long key = 0; key < keys; ++key) {
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    varnook::ResetLanguage();
    testsupport::TRecordingPrompt prompt;
    varnook::SetPrompt(&prompt);
    PlantKeys();

    long visited = 0;
    size_t found = 0;
    TimeBareWalk(visited);  // warms the server's caches
    const double bare = TimeBareWalk(visited);
    const double scanned = TimeScan(found);
    const double bareAgain = TimeBareWalk(visited);
    const double floor = (bare + bareAgain) / 2;
    std::printf("keys visited by the four walks: %ld\n", visited);
    std::printf("bare walk: %.2f s (%.1f us per key)\n", floor, floor * 1e6 / static_cast<double>(visited));
    std::printf("leftover scan: %.2f s (%.1f us per key), %zu nodes found\n", scanned,
                scanned * 1e6 / static_cast<double>(visited), found);
    std::printf("ratio scan / bare walk: %.2f\n", scanned / floor);
    std::printf("of which looking for a pending message per key: %.2f s\n", TimePeekPerKey(visited));
    std::printf("a label update per key would add: %.2f s\n", TimeLabelPerKey(visited));
    varnook::SetPrompt(nullptr);
    // Every later scan in this prefix would walk them too.
    if (argc < 2 || std::strcmp(argv[1], "--keep") != 0)
        platform::DeleteTree(HKEY_CURRENT_USER, kBenchKey);
    return found == 1 ? 0 : 1;
}
