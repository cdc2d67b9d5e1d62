#include "InventoryFixture.h"

#include "inventory/EntryReader.h"
#include "inventory/rules/Rules.h"
#include "platform/Files.h"
#include "platform/Shell.h"

#include <map>
#include <regex>

using namespace inventorytest;
using testsupport::Dword;
using testsupport::Raw;
using testsupport::Sz;

namespace {

const std::wstring kVersioned = testsupport::WinePath(VERSIONED_FIXTURE);
constexpr uint64_t kAllOnes = ~0ull;

uint64_t FileTimeNumber(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// What the service should show for a UTC time: local time, converted with today's offset.
std::wstring LocalText(uint64_t utc, bool twoBlanks) {
    const FILETIME time{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)};
    FILETIME local;
    SYSTEMTIME s;
    EXPECT_TRUE(FileTimeToLocalFileTime(&time, &local) && FileTimeToSystemTime(&local, &s));
    const tallivor::TCalendarTime t{s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond};
    return twoBlanks ? tallivor::FormatLastUseTime(t) : tallivor::FormatInstallTime(t);
}

}  // namespace

TEST_F(InventoryTest, InstallDirFallsBackFromLocationToCacheToUninstallCommand) {
    struct Case {
        const wchar_t* name;
        const wchar_t* location;  // null: no value
        const wchar_t* cachedPath;
        const wchar_t* uninstall;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Located", L"C:\\Loc", L"C:\\Cache\\app.exe", L"\"C:\\Cmd\\u.exe\"", L"C:\\Loc"},
        {L"Cached", L"", L"C:\\Cache\\app.exe", L"\"C:\\Cmd\\u.exe\"", L"C:\\Cache"},
        {L"CachedNoFolder", nullptr, L"app.exe", L"\"C:\\Cmd\\u.exe\"", L""},
        {L"Quoted", L"", nullptr, L"\"C:\\Program Files\\App\\unins000.exe\"", L"C:\\Program Files\\App"},
        {L"QuotedWithSwitch", nullptr, nullptr, L"\"C:\\App\\uninst.exe\" /S", L"C:\\App"},
        {L"Installer", nullptr, nullptr, L"MsiExec.exe /X{11111111-2222-3333-4444-555555555555}", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AddEntry(c.name, {Sz(L"UninstallString", c.uninstall)});
        if (c.location) {
            const platform::TKey key = platform::OpenKey(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\" + c.name);
            platform::WriteString(key.get(), L"InstallLocation", c.location);
        }
        if (c.cachedPath)
            AddCache(c.name, CacheRecord(kAllOnes, 0, -1, c.cachedPath));
    }
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto item = Find(list.get(), c.name);
        ASSERT_TRUE(item);
        EXPECT_EQ(Text(item.get(), &IProgramItem::get_InstallDir), c.expected);
    }
    // No folder and no "InstallDate": no install time at all.
    EXPECT_TRUE(IsNull(Find(list.get(), L"Installer").get(), &IProgramItem::get_InstallTime));
}

TEST_F(InventoryTest, IconComesFromAnExistingDisplayIconElseTheInstallerIcon) {
    const std::wstring folder = testsupport::FreshFolder(L"Icon");
    const std::wstring msiexec = platform::SystemDirectory() + L"\\msiexec.exe";
    const auto folderIcon = platform::SmallIconIndex(folder);
    const auto installerIcon = platform::SmallIconIndex(msiexec);
    ASSERT_TRUE(folderIcon && installerIcon);
    ASSERT_NE(*folderIcon, *installerIcon) << "the shell must tell these two apart for the test to mean anything";

    AddEntry(L"Existing", {Sz(L"UninstallString", L"x.exe"), Sz(L"DisplayIcon", folder)});
    AddEntry(L"WithNumber", {Sz(L"UninstallString", L"x.exe"), Sz(L"DisplayIcon", folder + L",0")});
    AddEntry(L"CachedFile", {Sz(L"UninstallString", L"x.exe"), Sz(L"DisplayIcon", L"C:\\nowhere.ico")});
    AddCache(L"CachedFile", CacheRecord(0, 0, 0, folder));
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    EXPECT_EQ(Number(Find(list.get(), L"Existing").get(), &IProgramItem::get_IconIndex), *folderIcon);
    EXPECT_EQ(Number(Find(list.get(), L"WithNumber").get(), &IProgramItem::get_IconIndex), *installerIcon);
    EXPECT_EQ(Number(Find(list.get(), L"CachedFile").get(), &IProgramItem::get_IconIndex), *folderIcon);
}

TEST_F(InventoryTest, PublisherAndVersionFallBackToTheProgramsVersionResource) {
    AddEntry(L"Own", {Sz(L"UninstallString", L"x.exe"), Sz(L"Publisher", L"Own Co"), Sz(L"DisplayVersion", L"1.0")});
    AddCache(L"Own", CacheRecord(0, 0, 0, kVersioned));
    AddEntry(L"Empty", {Sz(L"UninstallString", L"x.exe"), Sz(L"Publisher", L"")});
    AddCache(L"Empty", CacheRecord(0, 0, 0, kVersioned));
    AddEntry(L"NoResource", {Sz(L"UninstallString", L"x.exe")});
    AddCache(L"NoResource", CacheRecord(0, 0, 0, L"C:\\missing\\app.exe"));
    AddEntry(L"NoCache", {Sz(L"UninstallString", L"x.exe")});
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);

    EXPECT_EQ(Text(Find(list.get(), L"Own").get(), &IProgramItem::get_Publisher), L"Own Co");
    EXPECT_EQ(Text(Find(list.get(), L"Own").get(), &IProgramItem::get_Version), L"1.0");
    EXPECT_EQ(Text(Find(list.get(), L"Empty").get(), &IProgramItem::get_Publisher), L"Fixture Works Ltd");
    EXPECT_EQ(Text(Find(list.get(), L"Empty").get(), &IProgramItem::get_Version), L"2.5 beta");
    for (const wchar_t* name : {L"NoResource", L"NoCache"}) {
        EXPECT_TRUE(IsNull(Find(list.get(), name).get(), &IProgramItem::get_Publisher)) << name;
        EXPECT_TRUE(IsNull(Find(list.get(), name).get(), &IProgramItem::get_Version)) << name;
    }
}

TEST_F(InventoryTest, InstallTimeIsTheStoredDateElseTheFolderCreationTime) {
    const std::wstring folder = testsupport::FreshFolder(L"Created");
    AddEntry(L"Dated",
             {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallDate", L"20240305"), Sz(L"InstallLocation", folder)});
    AddEntry(L"Folder", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", folder)});
    AddEntry(L"Missing", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", L"C:\\no\\such\\folder")});
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);

    EXPECT_EQ(Text(Find(list.get(), L"Dated").get(), &IProgramItem::get_InstallTime), L"20240305");
    const auto created = platform::CreationTime(folder);
    ASSERT_TRUE(created);
    const std::wstring text = Text(Find(list.get(), L"Folder").get(), &IProgramItem::get_InstallTime);
    EXPECT_EQ(text, LocalText(FileTimeNumber(*created), false));
    EXPECT_TRUE(std::regex_match(text, std::wregex(LR"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << text;
    EXPECT_TRUE(IsNull(Find(list.get(), L"Missing").get(), &IProgramItem::get_InstallTime));
}

TEST_F(InventoryTest, UsageCacheGivesCountLastUseSizeAndProgramPath) {
    const uint64_t used = 133'500'000'000'000'000ull;  // a day in 2024
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'p') + L"\\app.exe";
    struct Case {
        const wchar_t* name;
        std::vector<BYTE> record;
        std::wstring lastUse;
        ULONG count;
        std::wstring installDir;
    };
    const Case cases[] = {
        {L"Full", CacheRecord(1234, used, 5, L"C:\\Full\\app.exe"), LocalText(used, true), 5, L"C:\\Full"},
        {L"Never", CacheRecord(1, 0, -1, L"C:\\A\\a.exe"), L"", 0, L"C:\\A"},
        {L"NeverOnes", CacheRecord(1, kAllOnes, 0, L""), L"", 0, L"C:\\Cmd"},
        {L"OutOfRange", CacheRecord(1, 0x8000'0000'0000'0000ull, 2, L""), L"Invalid DateTime", 2, L"C:\\Cmd"},
        {L"Short", {1, 0, 0, 0, 0, 0, 0, 0, 9, 0}, L"", 0, L"C:\\Cmd"},
        {L"LongPath", CacheRecord(1, 0, 0, longPath), L"", 0, L"C:\\" + std::wstring(300, L'p')},
        {L"Unterminated", CacheRecord(1, 0, 0, L"C:\\U\\u.exe", false), L"", 0, L"C:\\U"},
    };
    for (const Case& c : cases) {
        AddEntry(c.name, {Sz(L"UninstallString", L"\"C:\\Cmd\\uninst.exe\"")});
        AddCache(c.name, c.record);
    }
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto item = Find(list.get(), c.name);
        ASSERT_TRUE(item);
        EXPECT_EQ(Text(item.get(), &IProgramItem::get_LastAccessTime), c.lastUse);
        EXPECT_EQ(Number(item.get(), &IProgramItem::get_UsedFrequency), c.count);
        EXPECT_EQ(Text(item.get(), &IProgramItem::get_InstallDir), c.installDir);
    }
    FLOAT size = 0;
    ASSERT_EQ(Find(list.get(), L"Full")->get_DirSize(&size), S_OK);
    EXPECT_EQ(size, 1234.0f);
    EXPECT_EQ(LocalText(used, true).size(), 20u);
}

TEST_F(InventoryTest, DirSizeWalksTheFolderWhenTheCacheHasNoSize) {
    const std::wstring folder = testsupport::FreshFolder(L"Sized");
    testsupport::WriteFile(folder + L"\\a.bin", 100);
    testsupport::WriteFile(folder + L"\\.dotfile", 10);
    CreateDirectoryW((folder + L"\\.dotfolder").c_str(), nullptr);
    testsupport::WriteFile(folder + L"\\.dotfolder\\in.bin", 50);
    // A branch deeper than MAX_PATH still counts.
    std::wstring deep = platform::ExtendedPath(folder);
    while (deep.size() < 320) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    testsupport::WriteFile(deep + L"\\deep.bin", 25);

    AddEntry(L"NoRecord", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", folder)});
    AddEntry(L"Unknown", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", folder + L"\\")});
    AddCache(L"Unknown", CacheRecord(kAllOnes, 0, 0, L""));
    AddEntry(L"Zero", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", folder)});
    AddCache(L"Zero", CacheRecord(0, 0, 0, L""));
    AddEntry(L"Loop", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", L"C:\\VarnookFixtures\\LinkLoop")});
    AddEntry(L"Nowhere", {Sz(L"UninstallString", L"x.exe"), Sz(L"InstallLocation", L"C:\\no\\such")});
    AddEntry(L"NoFolder", {Sz(L"UninstallString", L"x.exe")});
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);

    const std::pair<const wchar_t*, float> cases[] = {
        {L"NoRecord", 125}, {L"Unknown", 125}, {L"Zero", 125}, {L"Loop", 13}, {L"Nowhere", 0}, {L"NoFolder", 0},
    };
    for (const auto& [name, expected] : cases) {
        FLOAT size = -1;
        ASSERT_EQ(Find(list.get(), name)->get_DirSize(&size), S_OK);
        EXPECT_EQ(size, expected) << name;
    }
    testsupport::RemoveFolder(folder);
}

TEST_F(InventoryTest, UpdateItemDataListsEveryValueAsText) {
    AddEntry(L"Values", {Sz(L"UninstallString", L"x.exe"), Dword(L"Number", 0xFFFFFFFF),
                         Sz(L"Expand", L"%SystemRoot%\\app", REG_EXPAND_SZ), Raw(L"Binary", REG_BINARY, {1, 0xAB}),
                         Raw(L"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}), Sz(L"", L"default")});
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    const auto item = Find(list.get(), L"Values");
    ASSERT_TRUE(item);
    BSTR untouched = reinterpret_cast<BSTR>(0x1234);
    EXPECT_EQ(item->get_RegInfoName(0, &untouched), S_FALSE) << "nothing is listed before UpdateItemData";
    EXPECT_EQ(untouched, reinterpret_cast<BSTR>(0x1234));

    platform::TBstr name(L"Values");
    ASSERT_EQ(item->UpdateItemData(name.get()), S_OK);
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::map<std::wstring, std::wstring> expected = {
        {L"UninstallString", L"x.exe"}, {L"Number", L"-1"},  {L"Expand", std::wstring(windows) + L"\\app"},
        {L"Binary", L"01 ab"},          {L"Multi", L"a, b"}, {L"", L"default"},
    };
    std::map<std::wstring, std::wstring> listed;
    for (ULONG i = 0; i < 6; ++i) {
        platform::TBstr valueName, valueText;
        ASSERT_EQ(item->get_RegInfoName(i, valueName.put()), S_OK);
        ASSERT_EQ(item->get_RegInfoValue(i, valueText.put()), S_OK);
        listed[valueName.c_str()] = valueText.c_str();
    }
    EXPECT_EQ(listed, expected);
    platform::TBstr beyond;
    EXPECT_EQ(item->get_RegInfoValue(6, beyond.put()), E_INVALIDARG);
    EXPECT_EQ(item->get_RegInfoName(0, nullptr), E_POINTER);

    platform::TBstr missing(L"NoSuchEntry");
    EXPECT_EQ(item->UpdateItemData(missing.get()), S_FALSE);
    EXPECT_EQ(item->get_RegInfoName(0, beyond.put()), S_FALSE) << "a failed update leaves an empty list";
}

TEST_F(InventoryTest, AddCommentsWritesIntoTheEntryAndRecreatesItWhenDeleted) {
    const auto item = Only(L"Commented", {Sz(L"UninstallString", L"x.exe")});
    ASSERT_TRUE(item);
    const std::wstring path = std::wstring(kUninstall) + L"\\Commented";
    ASSERT_TRUE(platform::DeleteTree(HKEY_LOCAL_MACHINE, path));

    platform::TBstr comment(L"keep \u00e9\u4e2d");
    ASSERT_EQ(item->AddComments(comment.get()), S_OK);
    tallivor::TEntryReader entry(HKEY_LOCAL_MACHINE, path);
    ASSERT_TRUE(entry.ok());
    EXPECT_EQ(entry.Text(L"Comments"), std::optional<std::wstring>(L"keep \u00e9\u4e2d"));

    ASSERT_EQ(item->AddComments(nullptr), S_OK) << "a null comment is an empty one";
    EXPECT_EQ(entry.Text(L"Comments"), std::optional<std::wstring>(L""));
}

TEST_F(InventoryTest, UnusedDaysMeasuresTheProgramFilesLastAccess) {
    const std::wstring folder = testsupport::FreshFolder(L"Unused");
    const std::wstring program = folder + L"\\app.exe";
    testsupport::WriteFile(program, 1);
    AddEntry(L"Used", {Sz(L"UninstallString", L"x.exe")});
    AddCache(L"Used", CacheRecord(0, 0, 0, program));
    AddEntry(L"Gone", {Sz(L"UninstallString", L"x.exe")});
    AddCache(L"Gone", CacheRecord(0, 0, 0, folder + L"\\gone.exe"));
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);

    // Set after the list is built: reading the program's icon counts as an access on Linux file systems.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const uint64_t threeDaysAgo = FileTimeNumber(now) - 3ull * 24 * 3600 * 10'000'000 - 600ull * 10'000'000;
    {
        platform::TFileHandle file(
            CreateFileW(program.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        const FILETIME access{static_cast<DWORD>(threeDaysAgo), static_cast<DWORD>(threeDaysAgo >> 32)};
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, &access, nullptr));
    }
    EXPECT_EQ(Number(Find(list.get(), L"Used").get(), &IProgramItem::get_UnusedDays), 3u);
    ULONG untouched = 77;
    EXPECT_EQ(Find(list.get(), L"Gone")->get_UnusedDays(&untouched), S_FALSE);
    EXPECT_EQ(untouched, 77u);
}

TEST_F(InventoryTest, ItemMadeDirectlyHasOnlyEmptyFields) {
    platform::TComPtr<tallivor::CProgramItem> item;
    ASSERT_EQ(tallivor::CProgramItem::CreateStandalone(item.put()), S_OK);
    EXPECT_EQ(Text(item.get(), &IProgramItem::get_DisplayName), L"");
    EXPECT_TRUE(IsNull(item.get(), &IProgramItem::get_Publisher));
    EXPECT_EQ(Number(item.get(), &IProgramItem::get_IconIndex), 0u);
    ULONG days = 5;
    EXPECT_EQ(item->get_UnusedDays(&days), S_FALSE);
    for (auto getter : {&IProgramItem::get_DisplayName, &IProgramItem::get_InstallDir, &IProgramItem::get_Version})
        EXPECT_EQ((item.get()->*getter)(nullptr), E_POINTER);
    EXPECT_EQ(item->get_DirSize(nullptr), E_POINTER);
}
