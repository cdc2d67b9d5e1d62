#include "StartupFixture.h"

#include "gui/shell/globals.h"
#include "gui/startup/StartupStore.h"

#include <algorithm>

using namespace startuptest;
using testsupport::Dword;
using testsupport::PlantKey;
using testsupport::Raw;
using testsupport::Sz;

namespace {

const HKEY kUser = HKEY_CURRENT_USER;
const HKEY kMachine = HKEY_LOCAL_MACHINE;

// The state of the pop-up menu's Delete entry while the menu is open, found by a timer in the menu's loop.
struct TMenuProbe {
    static inline bool opened = false;
    static inline bool deleteGrayed = false;
    static inline HMENU menu = nullptr;
    static inline UINT deleteIndex = 0;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND shown = FindWindowW(L"#32768", nullptr); shown && IsWindowVisible(shown)) {
            opened = true;
            deleteGrayed = GetMenuState(menu, deleteIndex, MF_BYPOSITION) & MF_GRAYED;
            EndMenu();
        }
    }
};

}  // namespace

TEST_F(StartupTest, RowsComeByHiveThenFolderWithActiveBeforeDisabled) {
    PlantKey(kUser, kRun, {Sz(L"alpha", L"C:\\a.exe"), Sz(L"beta", L"%windir%\\b.exe /x", REG_EXPAND_SZ)});
    PlantKey(kUser, kRun + kDisabled, {Sz(L"alpha", L"C:\\old-a.exe")});
    PlantKey(kUser, kRunOnce, {Sz(L"once", L"C:\\once.exe")});
    PlantKey(kMachine, kRun, {Sz(L"machine", L"C:\\m.exe")});
    // Subkeys other than the disabled store are never looked at, RunOnceEx's numbered ones included.
    PlantKey(kMachine, kRunOnce + L"\\Other", {Sz(L"other", L"C:\\other.exe")});
    PlantKey(kMachine, kRunOnceSetup, {Sz(L"setup", L"C:\\s.exe")});
    PlantKey(kMachine, kRunOnceEx, {Sz(L"direct", L"C:\\d.exe")});
    PlantKey(kMachine, kRunOnceEx + L"\\0001", {Sz(L"nested", L"C:\\n.exe")});

    testsupport::WriteFile(user_ + L"tool.lnk", 10);
    ASSERT_TRUE(CreateDirectoryW((user_ + L"sub").c_str(), nullptr));
    testsupport::WriteFile(user_ + L"desktop.ini", 10);
    SetFileAttributesW((user_ + L"desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(CreateDirectoryW((user_ + L"hidden dir").c_str(), nullptr));
    SetFileAttributesW((user_ + L"hidden dir").c_str(), FILE_ATTRIBUTE_HIDDEN);
    testsupport::WriteFile(user_ + L".dotfile", 10);
    ASSERT_TRUE(CreateDirectoryW((user_ + L"Run_Disable").c_str(), nullptr));
    SetFileAttributesW((user_ + L"Run_Disable").c_str(), FILE_ATTRIBUTE_HIDDEN);
    testsupport::WriteFile(user_ + L"Run_Disable\\old.lnk", 10);
    testsupport::WriteFile(common_ + L"all.txt", 10);

    Start();
    ASSERT_TRUE(form_);
    std::vector<TRow> rows = Rows();
    ASSERT_EQ(rows.size(), 11u);
    // The file system's order decides within the active entries of a folder.
    std::sort(rows.begin() + 7, rows.begin() + 9, [](const TRow& a, const TRow& b) { return a.name < b.name; });
    const std::wstring userRun = Location(kUser, kRun);
    const std::vector<TRow> expected = {
        {L"alpha", L"C:\\a.exe", userRun, true},
        {L"beta", L"%windir%\\b.exe /x", userRun, true},
        {L"alpha", L"C:\\old-a.exe", userRun, false},
        {L"once", L"C:\\once.exe", Location(kUser, kRunOnce), true},
        {L"machine", L"C:\\m.exe", Location(kMachine, kRun), true},
        {L"setup", L"C:\\s.exe", Location(kMachine, kRunOnceSetup), true},
        {L"direct", L"C:\\d.exe", Location(kMachine, kRunOnceEx), true},
        {L"sub", user_ + L"sub", user_, true},
        {L"tool.lnk", user_ + L"tool.lnk", user_, true},
        {L"old.lnk", user_ + L"Run_Disable\\old.lnk", user_, false},
        {L"all.txt", common_ + L"all.txt", common_, true},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(form_->StartupItem(1).ValueType, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(form_->StartupItem(0).ValueType, static_cast<DWORD>(REG_SZ));
    form_->ActionTabStartupItemsExecute();
    Screenshot(form_->Handle(), L"startup-list");
}

TEST_F(StartupTest, ANumberValueEndsOnlyTheListingOfItsHive) {
    // The registry gives the values in name order here.
    PlantKey(kUser, kRun, {Sz(L"a first", L"C:\\a.exe"), Dword(L"b number", 1), Sz(L"c after", L"C:\\c.exe")});
    PlantKey(kUser, kRunOnce, {Sz(L"d later key", L"C:\\d.exe")});
    PlantKey(kMachine, kRun, {Raw(L"empty binary", REG_BINARY, {}), Sz(L"machine", L"C:\\m.exe")});
    testsupport::WriteFile(common_ + L"all.txt", 10);
    Start();
    ASSERT_TRUE(form_);
    const std::vector<TRow> expected = {
        {L"a first", L"C:\\a.exe", Location(kUser, kRun), true},
        // A value without data reads as empty text, whatever its type.
        {L"empty binary", L"", Location(kMachine, kRun), true},
        {L"machine", L"C:\\m.exe", Location(kMachine, kRun), true},
        {L"all.txt", common_ + L"all.txt", common_, true},
    };
    EXPECT_EQ(Rows(), expected);
}

TEST_F(StartupTest, PageSwitchTakesTheSelectAllStateFromTheLastRow) {
    struct TCase {
        const char* what;
        std::vector<std::wstring> keys;  // one value in each
        bool allEnabled;
        std::wstring caption;
    };
    // Before each switch the button is in the state a first press leaves: "Enable All", false.
    const TCase cases[] = {
        {"all checked", {kRun, kRun}, true, L"Disable All"},
        {"only the last unchecked", {kRun, kRun, kRun + kDisabled}, false, L"Enable All"},
        {"an unchecked row before a checked one", {kRun + kDisabled, kRunOnce}, true, L"Disable All"},
        {"no rows", {}, false, L"Enable All"},
    };
    Start();
    ASSERT_TRUE(form_);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        CleanAll();
        std::wstring name = L"a";
        for (const std::wstring& path : c.keys) {
            const platform::TKey key = platform::CreateKey(kUser, path);
            ASSERT_TRUE(platform::WriteString(key.get(), name.c_str(), L"C:\\x.exe"));
            ++name[0];
        }
        form_->ActionTabProgramListExecute();
        varnook::Globals().StartupAllEnabled = true;
        form_->ActionSelectAllExecute();
        ASSERT_EQ(form_->btnSelectAll.Text(), L"Enable All");
        form_->ActionTabStartupItemsExecute();
        ASSERT_EQ(form_->StartupItemCount(), static_cast<int>(c.keys.size()));
        EXPECT_EQ(varnook::Globals().StartupAllEnabled, c.allEnabled);
        EXPECT_EQ(form_->btnSelectAll.Text(), c.caption);
    }
    // What the switch shows and hides.
    EXPECT_EQ(form_->ActivePage(), 1);
    EXPECT_FALSE(form_->lblPrograms.Visible());
    EXPECT_FALSE(form_->lblRegName.Visible());
    EXPECT_FALSE(form_->pmView.Visible(form_->MenuItems.mItemViewReport));
    EXPECT_FALSE(form_->pmFile.Visible(form_->MenuItems.mItemExportRegInfo));
    EXPECT_FALSE(form_->btnDelete.Enabled());
    EXPECT_FALSE(form_->btnStartupItemList.Enabled());
    EXPECT_TRUE(form_->btnProgramList.Enabled());
    EXPECT_FALSE(form_->ActionComment.Enabled());
    EXPECT_FALSE(form_->ActionRegedit.Enabled());
}

TEST_F(StartupTest, SelectingARowShowsTheVersionOfWhatItStarts) {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring regedit = std::wstring(windows) + L"\\regedit.exe";
    PlantKey(kUser, kRun,
             {Sz(L"a quoted", L"\"" + regedit + L"\" /min"), Sz(L"b dash", regedit + L" -s"), Sz(L"c plain", regedit)});
    Start();
    ASSERT_TRUE(form_);
    form_->ActionTabStartupItemsExecute();
    EXPECT_FALSE(form_->grbItemInfo.Visible()) << "hidden until a row is selected";

    varnook::TFileInfo info;
    ASSERT_TRUE(varnook::ReadFileVersionInfo(regedit, info, L"ProductName"));
    EXPECT_FALSE(info.CompanyName.empty());
    EXPECT_EQ(info.ExtraValue, info.ProductName);
    EXPECT_EQ(info.FixedFileInfo.dwSignature, 0xFEEF04BDu);
    EXPECT_FALSE(varnook::ReadFileVersionInfo(user_ + L"nothing.exe", info));

    // The quoted path with a switch after it: the path and the blank before the switch.
    Select(0, true);
    EXPECT_TRUE(form_->grbItemInfo.Visible());
    EXPECT_TRUE(form_->btnDelete.Enabled());
    EXPECT_EQ(form_->lblPublisherValue.Text(), info.CompanyName);
    EXPECT_EQ(form_->lblVersionValue.Text(), info.FileVersion);
    EXPECT_EQ(form_->lblDescription.Text(), info.FileDescription);
    Screenshot(form_->Handle(), L"startup-page");

    // A switch with "-" is not cut off, so that command names no file.
    Select(1, true);
    EXPECT_FALSE(form_->grbItemInfo.Visible());
    // Deselecting a row shows that row's information again.
    Select(2, true);
    EXPECT_TRUE(form_->grbItemInfo.Visible());
    Select(1, false);
    EXPECT_FALSE(form_->grbItemInfo.Visible());
    Select(0, false);
    EXPECT_TRUE(form_->grbItemInfo.Visible());
}

TEST_F(StartupTest, RightClickOpensTheMenuWithDeleteOnlyForASelection) {
    PlantKey(kUser, kRun, {Sz(L"item", L"C:\\x.exe")});
    Start();
    ASSERT_TRUE(form_);
    form_->ActionTabStartupItemsExecute();
    TMenuProbe::menu = form_->pmSLRightClick.Handle();
    TMenuProbe::deleteIndex = static_cast<UINT>(form_->MenuItems.mItemDeleteEntry);
    // The list's right-click notification, as its parent receives it.
    auto rightClick = [&] {
        TMenuProbe::opened = false;
        NMITEMACTIVATE click{};
        click.hdr.hwndFrom = form_->lsvStartupList.Handle();
        click.hdr.code = NM_RCLICK;
        click.iItem = -1;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, TMenuProbe::Tick);
        SendMessageW(GetParent(form_->lsvStartupList.Handle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
        KillTimer(nullptr, timer);
    };
    rightClick();
    EXPECT_TRUE(TMenuProbe::opened);
    EXPECT_TRUE(TMenuProbe::deleteGrayed);
    Select(0, true);
    rightClick();
    EXPECT_TRUE(TMenuProbe::opened);
    EXPECT_FALSE(TMenuProbe::deleteGrayed);
}
