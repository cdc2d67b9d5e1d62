// demo-setup DEMO_DIR: gives the current prefix, after the demo's installers ran, the rest of a machine in
// use: Add/Remove Programs usage records (times relative to now), system patches, hidden and broken
// uninstall entries, run-key items (one disabled), a plain file in the all-users Startup folder, the file
// types of programs and screen savers, and the screen savers of DEMO_DIR\screensavers in the system
// folder. Run by tools/demo/setup-demo.sh; exits 1 with a message on the first failure. Every usage record
// is checked against the inventory's own decoder.
#include "inventory/rules/UsageCacheRecord.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Registry.h"
#include "tools/demo/UsageCacheWriter.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::EError;

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kUsageCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunOnce[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr std::uint64_t kMinutesPerDay = 24 * 60;
constexpr std::uint64_t kMegabyte = 1024 * 1024;

// One usage record: the entry it belongs to, the program below Program Files (none: no path), the use
// count (none: unknown), when it was last used (none: never) and the size Add/Remove Programs measured
// (none: unknown, so the inventory walks the folder).
struct TUsage {
    const wchar_t* key;
    const wchar_t* program;
    std::optional<std::uint32_t> useCount;
    std::optional<std::uint64_t> minutesAgo;
    std::optional<std::uint64_t> size;
};

// Counts spread over the thresholds of the frequency words: 0-2 "Rarely", 3-10 "Occasionally", 11+
// "Frequently". Fabrikam Tools and Tailspin Flight Tracker have no record, so nothing of them stays here.
const TUsage kUsage[] = {
    {L"Northwind Notes", L"Northwind Traders\\Northwind Notes\\notes.exe", 48, 26 * 60, std::nullopt},
    {L"ContosoPhotoViewer", L"Contoso\\Photo Viewer\\photoview.exe", 2, 240 * kMinutesPerDay, 48 * kMegabyte},
    {L"Quillmere Writer", L"Quillmere\\Writer\\writer.exe", 212, 2 * 60, std::nullopt},
    {L"BramblewoodBackup", L"Bramblewood Labs\\Backup\\bbackup.exe", 11, 3 * kMinutesPerDay, std::nullopt},
    {L"Pellucid Clock", L"Pellucid Clock\\clock.exe", std::nullopt, std::nullopt, std::nullopt},
    {L"Ostrander Mapper_is1", L"Ostrander Mapper\\mapper.exe", 1, 400 * kMinutesPerDay, std::nullopt},
    {L"HalcyonAudioConverter", L"Halcyon Sound\\Audio Converter\\hconvert.exe", 3, 45 * kMinutesPerDay, std::nullopt},
    {L"Lanternfish Reader", L"Lanternfish Reader\\lreader.exe", 10, 20 * kMinutesPerDay, 0},
    {L"MeridianSync", L"Meridian\\Sync Client\\msync.exe", 90, 30, std::nullopt},
    {L"{3B8E2F41-7C5D-4A96-B0E1-2D4F6A8C9E13}", nullptr, 12, 9 * kMinutesPerDay, 22 * kMegabyte},
};

struct TValue {
    const wchar_t* name;
    const wchar_t* text;  // a string value, or nullptr for a number
    DWORD number;
};

// Entries that no installer of the demo writes: patches (a "TSAware" value marks them, whatever its data),
// hidden components and an entry without an uninstall command, which is not listed. "%WINDIR%" is replaced
// with the Windows folder.
struct TEntry {
    const wchar_t* key;
    std::vector<TValue> values;
};

const TEntry kEntries[] = {
    {L"KB4471102",
     {{L"DisplayName", L"Security Update for Windows (KB4471102)", 0},
      {L"UninstallString", L"%WINDIR%\\$NtUninstallKB4471102$\\spuninst\\spuninst.exe", 0},
      {L"ParentKeyName", L"OperatingSystem", 0},
      {L"ParentDisplayName", L"Windows Updates", 0},
      {L"ReleaseType", L"Security Update", 0},
      {L"InstallDate", L"20231014", 0},
      {L"TSAware", nullptr, 1},
      {L"NoModify", nullptr, 1},
      {L"NoRepair", nullptr, 1}}},
    {L"KB5012170",
     {{L"DisplayName", L"Update for Windows (KB5012170)", 0},
      {L"UninstallString", L"%WINDIR%\\$NtUninstallKB5012170$\\spuninst\\spuninst.exe", 0},
      {L"ParentKeyName", L"OperatingSystem", 0},
      {L"ParentDisplayName", L"Windows Updates", 0},
      {L"ReleaseType", L"Update", 0},
      {L"InstallDate", L"20240312", 0},
      {L"TSAware", nullptr, 0},
      {L"NoModify", nullptr, 1},
      {L"NoRepair", nullptr, 1}}},
    {L"{7D3A91C4-2B6E-4F08-A5D1-96C3E2B4F817}",
     {{L"DisplayName", L"Contoso Photo Viewer Codecs", 0},
      {L"Publisher", L"Contoso Ltd.", 0},
      {L"DisplayVersion", L"11.0.2", 0},
      {L"UninstallString", L"MsiExec.exe /X{7D3A91C4-2B6E-4F08-A5D1-96C3E2B4F817}", 0},
      {L"SystemComponent", nullptr, 1}}},
    {L"NorthwindSpellcheck",
     {{L"DisplayName", L"Northwind Notes Spelling Dictionaries", 0},
      {L"Publisher", L"Northwind Traders", 0},
      {L"UninstallString", L"\"%PROGRAMFILES%\\Northwind Traders\\Spelling\\uninst.exe\"", 0},
      {L"SystemComponent", nullptr, 1}}},
    {L"Halcyon ASIO Bridge", {{L"DisplayName", L"Halcyon ASIO Bridge 1.0", 0}, {L"Publisher", L"Halcyon Sound", 0}}},
};

// Run-key items. "%PROGRAMFILES%" is replaced with the Program Files folder; an expandable value keeps the
// environment reference as it stands. The arguments make the samples end at once when Wine starts them.
struct TRunItem {
    HKEY hive;
    const wchar_t* key;
    const wchar_t* name;
    const wchar_t* command;
    DWORD type;
};

const TRunItem kRunItems[] = {
    {HKEY_LOCAL_MACHINE, kRun, L"BramblewoodBackupAgent",
     L"\"%PROGRAMFILES%\\Bramblewood Labs\\Backup\\bbackup.exe\" /tray", REG_SZ},
    {HKEY_LOCAL_MACHINE, kRun, L"Meridian Sync", L"\"%PROGRAMFILES%\\Meridian\\Sync Client\\msync.exe\" /background",
     REG_SZ},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Run_Disable", L"Ostrander Map Updater",
     L"\"%PROGRAMFILES%\\Ostrander Mapper\\mapper.exe\" /update", REG_SZ},
    {HKEY_CURRENT_USER, kRun, L"Quillmere Quick Start", L"\"%PROGRAMFILES%\\Quillmere\\Writer\\writer.exe\" /preload",
     REG_SZ},
    {HKEY_CURRENT_USER, kRun, L"Pellucid Clock", L"%ProgramFiles%\\Pellucid Clock\\clock.exe /tray", REG_EXPAND_SZ},
    // Wine runs and deletes the machine's RunOnce values at every prefix start, but not the user's.
    {HKEY_CURRENT_USER, kRunOnce, L"HalcyonFirstRun",
     L"\"%PROGRAMFILES%\\Halcyon Sound\\Audio Converter\\hconvert.exe\" /firstrun", REG_SZ},
};

// File types that Windows has and a fresh Wine prefix lacks (the default value of each key under
// HKEY_CLASSES_ROOT): without them the shell gives every program and screen saver the same icon.
const std::pair<const wchar_t*, const wchar_t*> kFileTypes[] = {
    {L".exe", L"exefile"},
    {L".scr", L"scrfile"},
    {L"scrfile", L"Screen saver"},
    {L"scrfile\\DefaultIcon", L"%1"},
};

// Screen savers and how long ago each was last used.
struct TScreenSaver {
    const wchar_t* file;
    std::uint64_t minutesAgo;
};

const TScreenSaver kScreenSavers[] = {
    {L"auroradrift.scr", 12 * kMinutesPerDay},
    {L"lanterns.scr", 95 * kMinutesPerDay},
    {L"tidepool.scr", 20 * 60},
};

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH]{};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw EError(L"no shell folder " + std::to_wstring(csidl));
    return path;
}

std::wstring Replace(std::wstring text, const std::wstring& marker, const std::wstring& value) {
    for (auto at = text.find(marker); at != std::wstring::npos; at = text.find(marker, at + value.size()))
        text.replace(at, marker.size(), value);
    return text;
}

std::wstring Expand(const std::wstring& text) {
    wchar_t windows[MAX_PATH]{};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return Replace(Replace(text, L"%PROGRAMFILES%", ShellFolder(CSIDL_PROGRAM_FILES)), L"%WINDIR%", windows);
}

std::uint64_t Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

FILETIME ToFileTime(std::uint64_t value) {
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

platform::TKey Create(HKEY hive, const std::wstring& path) {
    platform::TKey key = platform::CreateKey(hive, path);
    if (!key)
        throw EError(L"cannot create " + path);
    return key;
}

void Check(bool written, const std::wstring& what) {
    if (!written)
        throw EError(L"cannot write " + what);
}

void RequireFile(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw EError(L"missing " + path);
}

void WriteUsageRecords() {
    const std::uint64_t now = Now();
    const std::wstring programFiles = ShellFolder(CSIDL_PROGRAM_FILES);
    for (const TUsage& usage : kUsage) {
        // A record only for a program its installer put in place: a renamed sample fails here, not silently.
        if (!platform::OpenKey(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + usage.key))
            throw EError(std::wstring(L"no uninstall entry ") + usage.key);
        tallivor::TUsageCacheRecord record;
        record.size = usage.size;
        record.useCount = usage.useCount;
        if (usage.minutesAgo)
            record.lastUsed = demo::FileTimeMinutesBefore(now, *usage.minutesAgo);
        if (usage.program) {
            record.programPath = programFiles + L"\\" + usage.program;
            RequireFile(record.programPath);
        }
        const std::vector<unsigned char> data = demo::EncodeSlowInfoCache(record);
        const tallivor::TUsageCacheRecord back = tallivor::DecodeSlowInfoCache(data.data(), data.size());
        if (back.size != record.size || back.lastUsed != record.lastUsed || back.useCount != record.useCount ||
            back.programPath != record.programPath)
            throw EError(std::wstring(L"usage record does not decode back: ") + usage.key);
        const platform::TKey key = Create(HKEY_LOCAL_MACHINE, std::wstring(kUsageCache) + usage.key);
        Check(platform::WriteBinary(key.get(), L"SlowInfoCache", data.data(), static_cast<DWORD>(data.size())),
              std::wstring(L"usage record ") + usage.key);
        Check(platform::WriteDword(key.get(), L"Changed", 0), std::wstring(L"usage record ") + usage.key);
    }
}

void WriteEntries() {
    for (const TEntry& entry : kEntries) {
        const platform::TKey key = Create(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + entry.key);
        for (const TValue& value : entry.values) {
            const bool written = value.text ? platform::WriteString(key.get(), value.name, Expand(value.text))
                                            : platform::WriteDword(key.get(), value.name, value.number);
            Check(written, std::wstring(entry.key) + L"\\" + value.name);
        }
    }
}

void WriteRunItems() {
    for (const TRunItem& item : kRunItems) {
        const platform::TKey key = Create(item.hive, item.key);
        const std::wstring command = item.type == REG_EXPAND_SZ ? std::wstring(item.command) : Expand(item.command);
        Check(platform::WriteString(key.get(), item.name, command, item.type), item.name);
    }
}

void WriteFileTypes() {
    for (const auto& [name, text] : kFileTypes) {
        const platform::TKey key = Create(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\") + name);
        Check(platform::WriteString(key.get(), nullptr, text), name);
    }
}

void WriteStartupFile() {
    const std::wstring path = ShellFolder(CSIDL_COMMON_STARTUP) + L"\\Map team drives.cmd";
    const platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw EError(L"cannot create " + path);
    const char text[] = "@echo off\r\nrem Connects the team drives at logon.\r\nnet use T: \\\\files\\team\r\n";
    DWORD written = 0;
    Check(WriteFile(file.get(), text, sizeof text - 1, &written, nullptr) && written == sizeof text - 1, path);
}

void CopyScreenSavers(const std::wstring& demoDir) {
    const std::uint64_t now = Now();
    const std::wstring system = platform::SystemDirectory();
    for (const TScreenSaver& saver : kScreenSavers) {
        const std::wstring source = demoDir + L"\\screensavers\\" + saver.file;
        const std::wstring target = system + (system.ends_with(L'\\') ? L"" : L"\\") + saver.file;
        if (!CopyFileW(source.c_str(), target.c_str(), FALSE))
            throw EError(L"cannot copy " + source + L" to " + target);
        // A screen saver in use for a while: installed long ago, last run `minutesAgo` before now.
        const FILETIME installed = ToFileTime(demo::FileTimeMinutesBefore(now, 500 * kMinutesPerDay));
        const FILETIME lastUsed = ToFileTime(demo::FileTimeMinutesBefore(now, saver.minutesAgo));
        const platform::TFileHandle file(CreateFileW(target.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        Check(file && SetFileTime(file.get(), &installed, &lastUsed, &installed), target);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputws(L"usage: demo-setup DEMO_DIR\n", stderr);
        return 2;
    }
    try {
        WriteUsageRecords();
        WriteEntries();
        WriteRunItems();
        WriteStartupFile();
        WriteFileTypes();
        CopyScreenSavers(argv[1]);
    } catch (const EError& error) {
        std::fwprintf(stderr, L"demo-setup: %ls\n", error.Message().c_str());
        return 1;
    }
    return 0;
}
