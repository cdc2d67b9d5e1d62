#include "gui/startup/StartupRules.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace varnook::startup;

TEST(StartupRules, LocationTextsAreParsedBackToTheirOrigin) {
    struct TCase {
        std::wstring location;
        bool registry;
        THive hive;
        std::wstring keyPath;
    };
    const TCase cases[] = {
        {L"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true, THive::CurrentUser,
         L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {L"HKLM\\software\\microsoft\\windows\\currentversion\\RunOnce\\Setup", true, THive::LocalMachine,
         L"software\\microsoft\\windows\\currentversion\\RunOnce\\Setup"},
        // The hive label is compared case-sensitively: a lower-case one names no hive.
        {L"hkcu\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true, THive::Unknown,
         L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {L"C:\\users\\u\\Start Menu\\Programs\\StartUp\\", false, THive::Unknown,
         L"ers\\u\\Start Menu\\Programs\\StartUp\\"},
        {L"HKCU", false, THive::CurrentUser, L""},
        {L"", false, THive::Unknown, L""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.location);
        EXPECT_EQ(IsRegistryLocation(c.location), c.registry);
        EXPECT_EQ(HiveOfLocation(c.location), c.hive);
        EXPECT_EQ(KeyPathOfLocation(c.location), c.keyPath);
    }
    for (const THive hive : {THive::CurrentUser, THive::LocalMachine}) {
        for (const wchar_t* path : kRunKeyPaths) {
            const std::wstring location = RegistryLocation(hive, path);
            EXPECT_TRUE(IsRegistryLocation(location));
            EXPECT_EQ(HiveOfLocation(location), hive);
            EXPECT_EQ(KeyPathOfLocation(location), path);
        }
    }
    EXPECT_EQ(RegistryLocation(THive::CurrentUser, kRunKey),
              L"HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
}

TEST(StartupRules, ExecutablePathIsTheTextBeforeTheFirstSlashWithoutQuotes) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\"C:\\Program Files\\Tool\\tool.exe\" /min", L"C:\\Program Files\\Tool\\tool.exe "},
        {L"C:\\Tools\\tool.exe -silent", L"C:\\Tools\\tool.exe -silent"},
        {L"C:\\Tools\\tool.exe", L"C:\\Tools\\tool.exe"},
        {L"rundll32.exe shell.dll,Start /a /b", L"rundll32.exe shell.dll,Start "},
        {L"\"\"", L""},
        {L"", L""},
    };
    for (const auto& [command, path] : cases)
        EXPECT_EQ(ExecutablePathOf(command), path);
}

TEST(StartupRules, ValueDataReadsAsTextUpToTheFirstZero) {
    auto bytes = [](std::initializer_list<int> values) {
        std::vector<unsigned char> data;
        for (int v : values)
            data.push_back(static_cast<unsigned char>(v));
        return data;
    };
    const std::pair<std::vector<unsigned char>, std::wstring> cases[] = {
        {bytes({'a', 0, 'b', 0, 0, 0}), L"ab"},
        {bytes({'a', 0, 'b', 0}), L"ab"},             // no terminator
        {bytes({'a', 0, 0, 0, 'b', 0, 0, 0}), L"a"},  // a zero inside ends the text
        {bytes({'a', 0, 'b'}), L"a"},                 // an odd last byte
        {bytes({}), L""},
        {bytes({0x2C, 0x65, 0x03, 0x26, 0, 0}), L"\u652C\u2603"},
    };
    for (const auto& [data, text] : cases)
        EXPECT_EQ(TextOfValueData(data), text);
}

TEST(StartupRules, PathPartsForShortcutsAndValueNames) {
    struct TCase {
        std::wstring path, fileName, folder, stem, shortcut;
    };
    const TCase cases[] = {
        {L"C:\\Tools\\tool.exe", L"tool.exe", L"C:\\Tools\\", L"tool", L"C:\\Tools\\tool.lnk"},
        {L"C:\\Tools.d\\runme", L"runme", L"C:\\Tools.d\\", L"runme", L"C:\\Tools.d\\runme.lnk"},
        {L"C:\\Tools\\my.tool.exe", L"my.tool.exe", L"C:\\Tools\\", L"my.tool", L"C:\\Tools\\my.tool.lnk"},
        {L"C:\\Tools\\.profile", L".profile", L"C:\\Tools\\", L".profile", L"C:\\Tools\\.profile.lnk"},
        {L"tool.exe", L"tool.exe", L"", L"tool", L"tool.lnk"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FileNameOf(c.path), c.fileName);
        EXPECT_EQ(FolderOf(c.path), c.folder);
        EXPECT_EQ(WithoutExtension(FileNameOf(c.path)), c.stem);
        EXPECT_EQ(ShortcutPathFor(c.path), c.shortcut);
    }
    EXPECT_EQ(WithTrailingBackslash(L"C:\\S"), L"C:\\S\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\S\\"), L"C:\\S\\");
}

TEST(StartupRules, FolderEntriesAreActiveOrDisabledByWhereTheirFileLies) {
    const std::wstring location = L"C:\\Start\\";
    const std::pair<std::wstring, TFolderPlace> cases[] = {
        {L"C:\\Start\\tool.lnk", TFolderPlace::Active},
        {L"C:\\Start\\Run_Disable\\tool.lnk", TFolderPlace::Disabled},
        {L"c:\\start\\RUN_DISABLE\\tool.lnk", TFolderPlace::Disabled},
        {L"C:\\Start\\Run_Disable", TFolderPlace::Active},  // an entry of that name, not the store's content
        {L"C:\\Start\\sub\\tool.lnk", TFolderPlace::Elsewhere},
        {L"C:\\Start\\Run_Disable\\sub\\tool.lnk", TFolderPlace::Elsewhere},
        {L"C:\\Other\\tool.lnk", TFolderPlace::Elsewhere},
        {L"C:\\Start\\", TFolderPlace::Elsewhere},
    };
    for (const auto& [command, place] : cases)
        EXPECT_EQ(PlaceOfFolderEntry(command, location), place) << command;
    EXPECT_EQ(DisabledFolderOf(location), L"C:\\Start\\Run_Disable\\");
}

TEST(StartupRules, FreeNamesKeepTheExtensionLast) {
    struct TCase {
        std::wstring name;
        bool folder;
        std::set<std::wstring> taken;
        std::wstring expected;
    };
    const TCase cases[] = {
        {L"tool.lnk", false, {}, L"tool.lnk"},
        {L"tool.lnk", false, {L"tool.lnk"}, L"tool (2).lnk"},
        {L"tool.lnk", false, {L"tool.lnk", L"tool (2).lnk"}, L"tool (3).lnk"},
        {L"runme", false, {L"runme"}, L"runme (2)"},
        {L"my.dir", true, {L"my.dir"}, L"my.dir (2)"},
        {L".profile", false, {L".profile"}, L".profile (2)"},
    };
    for (const TCase& c : cases) {
        const auto taken = [&](const std::wstring& candidate) { return c.taken.contains(candidate); };
        EXPECT_EQ(FreeEntryName(c.name, c.folder, taken), c.expected);
    }
}
