#include "StartupFixture.h"

#include "gui/shell/globals.h"
#include "gui/startup/StartupStore.h"

using namespace startuptest;
using testsupport::PlantKey;
using testsupport::Raw;
using testsupport::Sz;

namespace {

const HKEY kUser = HKEY_CURRENT_USER;
const HKEY kMachine = HKEY_LOCAL_MACHINE;

}  // namespace

TEST_F(StartupTest, SelectAllClearsThenSetsEveryCheckBox) {
    PlantKey(kUser, kRun, {Sz(L"a", L"C:\\a.exe")});
    PlantKey(kUser, kRun + kDisabled, {Sz(L"b", L"C:\\b.exe")});
    testsupport::WriteFile(user_ + L"c.lnk", 10);
    Start();
    ASSERT_TRUE(form_);
    ASSERT_EQ(form_->StartupItemCount(), 3);
    form_->ActionSelectAllExecute();
    EXPECT_EQ(form_->btnSelectAll.Text(), L"Enable All");
    EXPECT_FALSE(varnook::Globals().StartupAllEnabled);
    for (const TRow& row : Rows())
        EXPECT_FALSE(row.enabled);
    form_->ActionSelectAllExecute();
    EXPECT_EQ(form_->btnSelectAll.Text(), L"Disable All");
    EXPECT_TRUE(varnook::Globals().StartupAllEnabled);
    for (const TRow& row : Rows())
        EXPECT_TRUE(row.enabled);
    // Only Apply writes.
    EXPECT_EQ(ReadValue(kUser, kRun, L"b"), std::nullopt);
}

TEST_F(StartupTest, ApplyWithoutChangesWritesEveryRegistryRowBackWithItsType) {
    PlantKey(kUser, kRun,
             {Sz(L"plain", L"C:\\plain.exe /a"), Sz(L"expand", L"%windir%\\e.exe", REG_EXPAND_SZ),
              Raw(L"no data", REG_BINARY, {})});
    PlantKey(kUser, kRun + kDisabled, {Sz(L"parked", L"%ProgramFiles%\\p.exe", REG_EXPAND_SZ)});
    PlantKey(kMachine, kRunOnce, {Sz(L"once", L"C:\\once.exe")});
    Start();
    ASSERT_TRUE(form_);
    const std::vector<TRow> before = Rows();
    ASSERT_EQ(before.size(), 5u);

    // Emptied behind the list's back: Apply writes every row again, each where its check box says.
    PlantKey(kUser, kRun, {});
    PlantKey(kMachine, kRunOnce, {});
    form_->ActionApplyExecute();
    EXPECT_EQ(ReadValue(kUser, kRun, L"plain"), (TStored{REG_SZ, L"C:\\plain.exe /a"}));
    EXPECT_EQ(ReadValue(kUser, kRun, L"expand"), (TStored{REG_EXPAND_SZ, L"%windir%\\e.exe"}));
    EXPECT_EQ(ReadValue(kUser, kRun, L"no data"), (TStored{REG_BINARY, L""}));
    EXPECT_EQ(ReadValue(kUser, kRun + kDisabled, L"parked"), (TStored{REG_EXPAND_SZ, L"%ProgramFiles%\\p.exe"}));
    EXPECT_EQ(ReadValue(kUser, kRun, L"parked"), std::nullopt);
    EXPECT_EQ(ReadValue(kMachine, kRunOnce, L"once"), (TStored{REG_SZ, L"C:\\once.exe"}));
    EXPECT_EQ(Rows(), before);
}

TEST_F(StartupTest, RegistryItemsSurviveRoundsOfDisablingAndEnabling) {
    struct TCase {
        HKEY hive;
        std::wstring path, name, command;
        DWORD type;
    };
    const TCase cases[] = {
        {kUser, kRunOnce, L"once", L"C:\\once.exe /q", REG_SZ},
        {kMachine, kRun, L"expandable", L"%SystemRoot%\\system32\\tool.exe", REG_EXPAND_SZ},
        {kUser, kRun, L"\u039A\u03B1\u03BB\u03B7 \u65E5\u672C \u2603",
         L"\"C:\\\u041F\u0440\u043E\u0433\\\u2603.exe\" /s", REG_SZ},
    };
    for (const TCase& c : cases)
        PlantKey(c.hive, c.path, {Sz(c.name, c.command, c.type)});
    Start();
    ASSERT_TRUE(form_);
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command);
        const TStored stored{c.type, c.command};
        const TRow active{c.name, c.command, Location(c.hive, c.path), true};
        TRow disabled = active;
        disabled.enabled = false;
        for (int round = 0; round < 2; ++round) {
            int row = FindRow(c.name, true);
            ASSERT_GE(row, 0);
            SetChecked(row, false);
            form_->ActionApplyExecute();
            EXPECT_EQ(ReadValue(c.hive, c.path, c.name), std::nullopt);
            EXPECT_EQ(ReadValue(c.hive, c.path + kDisabled, c.name), stored);
            form_->RefreshStartupList();
            row = FindRow(c.name, false);
            ASSERT_GE(row, 0);
            EXPECT_EQ(Rows()[static_cast<size_t>(row)], disabled);

            SetChecked(row, true);
            form_->ActionApplyExecute();
            EXPECT_EQ(ReadValue(c.hive, c.path, c.name), stored);
            EXPECT_EQ(ReadValue(c.hive, c.path + kDisabled, c.name), std::nullopt);
            form_->RefreshStartupList();
            row = FindRow(c.name, true);
            ASSERT_GE(row, 0);
            EXPECT_EQ(Rows()[static_cast<size_t>(row)], active);
        }
    }
}

TEST_F(StartupTest, FolderEntriesAreParkedInAHiddenSubfolderAndComeBackIntact) {
    const std::wstring target = testsupport::FreshFolder(L"startup_target") + L"\\tool.exe";
    testsupport::WriteFile(target, 100);
    // A name outside the ANSI code page.
    const std::wstring kName = L"\u65E5\u672C \u2603 tool.lnk";
    const std::wstring kRenamed = L"\u65E5\u672C \u2603 tool (2).lnk";
    Start();
    ASSERT_TRUE(form_);
    for (const std::wstring& folder : {user_, common_})
        ASSERT_TRUE(varnook::CreateShortcut(target, folder + kName));
    form_->RefreshStartupList();
    for (const std::wstring& folder : {user_, common_}) {
        SCOPED_TRACE(testing::Message() << folder);
        const std::wstring link = folder + kName;
        const std::wstring parked = folder + L"Run_Disable\\" + kName;
        const std::vector<char> original = ReadBytes(link);
        ASSERT_FALSE(original.empty());

        for (int round = 0; round < 2; ++round) {
            int row = FindRow(kName, true, folder);
            ASSERT_GE(row, 0);
            SetChecked(row, false);
            form_->ActionApplyExecute();
            EXPECT_FALSE(Exists(link));
            EXPECT_EQ(ReadBytes(parked), original);
            EXPECT_TRUE(GetFileAttributesW((folder + L"Run_Disable").c_str()) & FILE_ATTRIBUTE_HIDDEN);
            // The row follows its file.
            EXPECT_EQ(Rows()[static_cast<size_t>(row)], (TRow{kName, parked, folder, false}));
            form_->RefreshStartupList();
            row = FindRow(kName, false, folder);
            ASSERT_GE(row, 0);
            EXPECT_EQ(Rows()[static_cast<size_t>(row)], (TRow{kName, parked, folder, false}));

            SetChecked(row, true);
            form_->ActionApplyExecute();
            EXPECT_FALSE(Exists(parked));
            EXPECT_EQ(ReadBytes(link), original);
            form_->RefreshStartupList();
            EXPECT_EQ(FindRow(kName, false, folder), -1);
            row = FindRow(kName, true, folder);
            ASSERT_GE(row, 0);
            EXPECT_EQ(Rows()[static_cast<size_t>(row)], (TRow{kName, link, folder, true}));
        }

        // A new entry of the same name meanwhile: coming back keeps both files.
        SetChecked(FindRow(kName, true, folder), false);
        form_->ActionApplyExecute();
        testsupport::WriteFile(link, 7);
        form_->RefreshStartupList();
        SetChecked(FindRow(kName, false, folder), true);
        form_->ActionApplyExecute();
        EXPECT_EQ(ReadBytes(link).size(), 7u);
        EXPECT_EQ(ReadBytes(folder + kRenamed), original);
        EXPECT_FALSE(Exists(parked));
        EXPECT_GE(FindRow(kRenamed, true, folder), 0);
    }
}

TEST_F(StartupTest, TheLaterOfTwoRowsWithOneNameWins) {
    PlantKey(kUser, kRun, {Sz(L"same", L"C:\\active.exe")});
    PlantKey(kUser, kRun + kDisabled, {Sz(L"same", L"C:\\disabled.exe")});
    Start();
    ASSERT_TRUE(form_);
    ASSERT_EQ(form_->StartupItemCount(), 2);
    form_->ActionApplyExecute();
    EXPECT_EQ(ReadValue(kUser, kRun, L"same"), std::nullopt);
    EXPECT_EQ(ReadValue(kUser, kRun + kDisabled, L"same"), (TStored{REG_SZ, L"C:\\disabled.exe"}));
}

TEST_F(StartupTest, DeleteRemovesTheSelectedRowsAndWhatTheyStandFor) {
    const std::wstring kParked = L"\u2603 \u041F parked";
    PlantKey(kUser, kRun, {Sz(L"gone", L"C:\\g.exe"), Sz(L"keep", L"C:\\k.exe")});
    PlantKey(kUser, kRun + kDisabled, {Sz(L"gone", L"C:\\g-old.exe"), Sz(kParked, L"C:\\p.exe")});
    testsupport::WriteFile(user_ + L"tool.lnk", 10);
    ASSERT_TRUE(CreateDirectoryW((user_ + L"Run_Disable").c_str(), nullptr));
    testsupport::WriteFile(user_ + L"Run_Disable\\old.lnk", 10);
    testsupport::WriteFile(common_ + L"all.txt", 10);
    Start();
    ASSERT_TRUE(form_);
    ASSERT_EQ(form_->StartupItemCount(), 7);
    const std::vector<TRow> before = Rows();

    // No: nothing happens.
    Select(FindRow(L"gone", true), true);
    Select(FindRow(kParked, false), true);
    Select(FindRow(L"tool.lnk", true), true);
    Select(FindRow(L"old.lnk", false), true);
    prompt_.answer = IDNO;
    form_->ActionDeleteExecute();
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Do you really want to delete the startup entry selected?");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONWARNING | MB_YESNO));
    EXPECT_EQ(Rows(), before);

    prompt_.answer = IDYES;
    form_->ActionDeleteExecute();
    const std::vector<TRow> after = {
        {L"keep", L"C:\\k.exe", Location(kUser, kRun), true},
        {L"gone", L"C:\\g-old.exe", Location(kUser, kRun), false},
        {L"all.txt", common_ + L"all.txt", common_, true},
    };
    EXPECT_EQ(Rows(), after);
    // A registry row's value goes from both places, whatever its check box shows.
    EXPECT_EQ(ValueNames(kUser, kRun), std::vector<std::wstring>{L"keep"});
    EXPECT_TRUE(ValueNames(kUser, kRun + kDisabled).empty());
    EXPECT_FALSE(Exists(user_ + L"tool.lnk"));
    EXPECT_FALSE(Exists(user_ + L"Run_Disable\\old.lnk"));

    // Without a selection the question still comes, and nothing goes.
    Select(-1, false);
    form_->ActionDeleteExecute();
    EXPECT_EQ(prompt_.messages.size(), 3u);
    EXPECT_EQ(Rows(), after);
}
