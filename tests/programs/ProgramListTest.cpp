#include "tests/gui/GuiFixture.h"

#include "gui/shell/globals.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <commctrl.h>

using namespace guitest;
using testsupport::Dword;
using testsupport::Raw;
using testsupport::Sz;

namespace {

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

std::vector<BYTE> UsageRecord(int32_t count) {
    std::vector<BYTE> record(30, 0);
    for (int i = 0; i < 4; ++i)
        record[24 + i] = static_cast<BYTE>(static_cast<uint32_t>(count) >> (8 * i));
    return record;
}

// The program list page on fixture entries (key names sort in the order the tests want) and, when asked,
// two screen savers planted in the system folder.
class ProgramListTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        Clear();
    }
    void TearDown() override {
        GuiTest::TearDown();
        Clear();
        for (const wchar_t* name : {L"VarnookBubbles.scr", L"VarnookNameless.scr"})
            DeleteFileW((platform::SystemDirectory() + L"\\" + name).c_str());
    }
    static void Clear() {
        testsupport::EmptyKey(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
        testsupport::EmptyKey(HKEY_LOCAL_MACHINE,
                              L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache");
    }
    static void Entry(const std::wstring& name, std::initializer_list<testsupport::TValue> values) {
        testsupport::PlantKey(HKEY_LOCAL_MACHINE, kUninstall + name, values);
    }
    static void Usage(const std::wstring& name, int32_t count) {
        testsupport::PlantKey(HKEY_LOCAL_MACHINE, kCache + name,
                              {Raw(L"SlowInfoCache", REG_BINARY, UsageRecord(count))});
    }
    static void PlantScreenSavers() {
        testsupport::WriteFile(platform::SystemDirectory() + L"\\VarnookBubbles.scr", 2 * 1048576);
    }
    void Config(const std::wstring& flags) { WriteAppFile(L"Config.ini", L"[config]\r\n" + flags); }

    int Rows() const { return static_cast<int>(form_->lsvProgramList.Send(LVM_GETITEMCOUNT)); }
    std::wstring Caption(int row) const { return form_->RowText(row, 0); }
    void Select(int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        form_->lsvProgramList.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
    int RowOf(const std::wstring& caption) const {
        for (int row = 0; row < Rows(); ++row) {
            if (Caption(row) == caption)
                return row;
        }
        return -1;
    }
};

}  // namespace

TEST_F(ProgramListTest, CountsEverythingWhileBothFiltersHide) {
    Entry(L"A_Editor", {Sz(L"DisplayName", L"Editor"), Sz(L"UninstallString", L"u.exe")});
    Entry(L"B_Patch", {Sz(L"DisplayName", L"Patch 1"), Sz(L"UninstallString", L"u.exe"), Dword(L"TSAware", 1)});
    Entry(L"C_Unnamed", {Sz(L"UninstallString", L"u.exe")});
    PlantScreenSavers();
    Config(L"HideSysPatch=1\r\nHideScreenSaver=1\r\n");
    Start();
    ASSERT_TRUE(form_);
    const ULONG screenSavers = form_->ProgramList.ScrItemCount();
    ASSERT_GE(screenSavers, 1u);

    ASSERT_EQ(Rows(), 2) << "the patch and the screen savers are hidden";
    EXPECT_EQ(Caption(0), L"Editor");
    EXPECT_EQ(Caption(1), L"C_Unnamed") << "a program without display name is listed by its key name";
    EXPECT_EQ(form_->SysPatchCount, 1u);
    EXPECT_EQ(form_->ProgramCountsText, std::to_wstring(3 + screenSavers) + L" (Windows Update: 1, Screen Saver: " +
                                            std::to_wstring(screenSavers) + L")");
    EXPECT_EQ(form_->lblProgramCounts.Text(), form_->ProgramCountsText);
    EXPECT_EQ(form_->lblProgramCounts.Bounds().left, form_->lblPrograms.Bounds().right + 5);

    // The selector holds the shown programs only, each with its program index.
    ASSERT_EQ(form_->DetailsForm->ProgramCount(), 2);
    EXPECT_EQ(form_->DetailsForm->ProgramIndexAt(0), 0u);
    EXPECT_EQ(form_->DetailsForm->ProgramIndexAt(1), 2u);
    form_->DetailsForm->cmbPrograms.Send(CB_SETCURSEL, 1);
    form_->DetailsForm->cmbProgramsChange();
    EXPECT_EQ(form_->DetailsForm->SelectedEntry(), 1);
    EXPECT_EQ(form_->DetailsForm->lsvProgramInfo.Send(LVM_GETITEMCOUNT), 1) << "only the frequency row";

    // Turning the screen-saver filter off shows them and writes the flag at once.
    form_->ActionHideScr.Execute();
    EXPECT_EQ(Rows(), static_cast<int>(2 + screenSavers));
    EXPECT_FALSE(form_->ckbHideScr.Checked());
    EXPECT_EQ(GetPrivateProfileIntW(L"config", L"HideScreenSaver", -1, (app_ + L"Config.ini").c_str()), 0);
    EXPECT_NE(RowOf(L"[Screen Saver]VarnookBubbles.scr"), -1) << "a screen saver without description shows its name";
}

TEST_F(ProgramListTest, SelectionSetsTheCommandsForEachRowKind) {
    Entry(L"A_Links",
          {Sz(L"DisplayName", L"Links"), Sz(L"UninstallString", L"u.exe"), Sz(L"HelpLink", L"https://help.example"),
           Sz(L"URLInfoAbout", L"https://about.example"), Sz(L"URLUpdateInfo", L"https://update.example")});
    Entry(L"B_Update", {Sz(L"DisplayName", L"Update only"), Sz(L"UninstallString", L"u.exe"),
                        Sz(L"URLUpdateInfo", L"https://update.example")});
    Entry(L"C_Bracket", {Sz(L"DisplayName", L"[Beta] Tool"), Sz(L"UninstallString", L"u.exe")});
    Start();
    ASSERT_TRUE(form_);
    EXPECT_FALSE(form_->btnShowDetails.Enabled());

    Select(0);
    EXPECT_TRUE(form_->btnUninstall.Enabled());
    EXPECT_TRUE(form_->ActionComment.Enabled());
    EXPECT_EQ(form_->btnUninstall.Text(), L"Uninstall");
    EXPECT_EQ(form_->lblRegistryName.Text(), L"A_Links");
    EXPECT_EQ(form_->lblProgramURL.Text(), L"https://about.example") << "the About link comes first";
    EXPECT_EQ(form_->lblRegName.Bounds().left, form_->lblProgramCounts.Bounds().right + 10);
    EXPECT_EQ(form_->lblProgramURL.Bounds().left, form_->lblRegistryName.Bounds().right + 10);

    Select(1);
    EXPECT_EQ(form_->lblProgramURL.Text(), L"https://update.example");

    // A caption starting with "[" is a screen-saver row to every command.
    Select(2);
    ASSERT_TRUE(form_->SelectedRow()->screenSaver);
    EXPECT_EQ(form_->btnUninstall.Text(), L"Delete");
    EXPECT_EQ(form_->pmPLRightClick.Caption(form_->MenuItems.mItemUninstall), L"Delete");
    EXPECT_EQ(form_->pmPLRightClick.Action(form_->MenuItems.mItemUninstall), &form_->ActionDeleteScr);
    EXPECT_FALSE(form_->btnShowDetails.Enabled());
    EXPECT_FALSE(form_->ActionExportReg.Enabled());
    EXPECT_FALSE(form_->lblRegistryName.Visible());

    Select(0);
    EXPECT_EQ(form_->btnUninstall.Text(), L"Uninstall");
    EXPECT_EQ(form_->pmPLRightClick.Action(form_->MenuItems.mItemUninstall), &form_->ActionUninstall);
    EXPECT_TRUE(form_->btnShowDetails.Enabled());
    Screenshot(form_->Handle(), L"program-list");
}

TEST_F(ProgramListTest, HeaderClicksAlternateTheDirectionAcrossColumns) {
    Entry(L"A", {Sz(L"DisplayName", L"One"), Sz(L"UninstallString", L"u.exe"), Sz(L"Publisher", L"Abcdefghijklm"),
                 Sz(L"InstallLocation", L"C:\\Zeta1")});
    Entry(L"B", {Sz(L"DisplayName", L"Two"), Sz(L"UninstallString", L"u.exe"), Sz(L"Publisher", L"Zed"),
                 Sz(L"InstallLocation", L"C:\\Alpha")});
    Start();
    ASSERT_TRUE(form_);
    form_->lsvProgramListColumnClick(1);
    EXPECT_EQ(Caption(0), L"Two") << "the three-letter publisher first, ascending";
    form_->lsvProgramListColumnClick(1);
    EXPECT_EQ(Caption(0), L"One") << "descending";
    form_->lsvProgramListColumnClick(2);
    EXPECT_EQ(Caption(0), L"Two") << "ascending again, on another column";
    form_->LoadProgramList();
    EXPECT_EQ(Caption(0), L"One") << "a reload brings back the inventory's order";
}

TEST_F(ProgramListTest, FindNextContinuesWithoutWrappingAndResets) {
    Entry(L"A", {Sz(L"DisplayName", L"Alpha One"), Sz(L"UninstallString", L"u.exe")});
    Entry(L"B", {Sz(L"DisplayName", L"Beta"), Sz(L"UninstallString", L"u.exe")});
    Entry(L"C", {Sz(L"DisplayName", L"Alpha Two"), Sz(L"UninstallString", L"u.exe")});
    PlantScreenSavers();
    Config(L"HideScreenSaver=0\r\n");
    Start();
    ASSERT_TRUE(form_);
    auto selected = [&] { return form_->SelectedRow() ? form_->SelectedRow()->index : -1; };

    form_->ActionSearchExecute();
    EXPECT_EQ(selected(), -1) << "an empty search text does nothing";
    form_->txtSearchInfo.SetText(L"alpha");
    form_->ActionSearchExecute();
    EXPECT_EQ(selected(), 0);
    form_->ActionSearchExecute();
    EXPECT_EQ(selected(), 2);
    form_->ActionSearchExecute();
    EXPECT_EQ(selected(), 2) << "no wrap-around";
    EXPECT_EQ(varnook::Globals().SearchStart, 3);

    form_->txtSearchInfo.SetText(L"[screen");
    EXPECT_EQ(varnook::Globals().SearchStart, 0) << "editing the text starts over";
    form_->ActionSearchExecute();
    ASSERT_GE(selected(), 3);
    EXPECT_TRUE(form_->SelectedRow()->screenSaver);

    varnook::Globals().SearchStart = 2;
    SendMessageW(form_->lsvProgramList.Handle(), WM_MBUTTONDOWN, 0, MAKELPARAM(5, 200));
    EXPECT_EQ(varnook::Globals().SearchStart, 0) << "any press on the list starts over";
}

TEST_F(ProgramListTest, TipsTellHowOftenAProgramIsUsed) {
    const std::pair<int32_t, const wchar_t*> cases[] = {
        {2, L"Rarely"}, {3, L"Occasionally"}, {10, L"Occasionally"}, {11, L"Frequently"}};
    for (const auto& [count, word] : cases) {
        const std::wstring name = L"Used" + std::to_wstring(100 + count);
        Entry(name, {Sz(L"DisplayName", name), Sz(L"UninstallString", L"u" + std::to_wstring(count) + L".exe")});
        Usage(name, count);
    }
    PlantScreenSavers();
    Config(L"HideScreenSaver=0\r\n");
    Start();
    ASSERT_TRUE(form_);
    for (const auto& [count, word] : cases) {
        const int row = RowOf(L"Used" + std::to_wstring(100 + count));
        ASSERT_GE(row, 0);
        EXPECT_EQ(form_->lsvProgramListInfoTip(row), std::wstring(L"Used Frequency: ") + word +
                                                         L"\r\nUninstall String: u" + std::to_wstring(count) + L".exe");
    }
    const int screenSaver = RowOf(L"[Screen Saver]VarnookBubbles.scr");
    ASSERT_GE(screenSaver, 0);
    const std::wstring tip = form_->lsvProgramListInfoTip(screenSaver);
    EXPECT_TRUE(tip.starts_with(L"Size:  2.00 M\r\nName:  VarnookBubbles.scr\r\nLast Used On: ")) << tip;
}

TEST_F(ProgramListTest, DetailsShowOnlyWhatIsKnown) {
    const std::wstring folder = testsupport::FreshFolder(L"details");
    testsupport::WriteFile(folder + L"\\app.bin", 3 * 1048576);
    Entry(L"A_Full", {Sz(L"DisplayName", L"Full"), Sz(L"UninstallString", L"u.exe"), Sz(L"InstallLocation", folder),
                      Sz(L"InstallDate", L"20240305"), Sz(L"DisplayVersion", L"2.1"), Sz(L"Publisher", L"Fabrikam"),
                      Sz(L"HelpLink", L"https://help.example")});
    Entry(L"B_Bare", {Sz(L"DisplayName", L"Bare"), Sz(L"UninstallString", L"u.exe")});
    Start();
    ASSERT_TRUE(form_);
    auto rows = [&](varnook::TListView& list) {
        std::vector<std::pair<std::wstring, std::wstring>> result;
        for (int row = 0; row < static_cast<int>(list.Send(LVM_GETITEMCOUNT)); ++row) {
            wchar_t name[256] = {}, value[256] = {};
            LVITEMW item{};
            item.pszText = name;
            item.cchTextMax = 256;
            list.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = value;
            list.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            result.emplace_back(name, value);
        }
        return result;
    };

    form_->FillProgramDetails(0);
    const auto full = rows(form_->DetailsForm->lsvProgramInfo);
    ASSERT_EQ(full.size(), 7u);
    EXPECT_EQ(full[0].first, L"Programs Size");
    EXPECT_TRUE(full[0].second == L"3.00 MB" || full[0].second == L"3,00 MB") << full[0].second;
    EXPECT_EQ(full[1], std::make_pair(std::wstring(L"Install Date"), std::wstring(L"20240305")));
    EXPECT_EQ(full[2], std::make_pair(std::wstring(L"Used Frequency"), std::wstring(L"Rarely")));
    EXPECT_EQ(full[3].first, L"Install Location");
    EXPECT_EQ(full[6], std::make_pair(std::wstring(L"Help Info"), std::wstring(L"https://help.example")));
    EXPECT_EQ(rows(form_->DetailsForm->lsvRegistryInfo).size(), 7u) << "one row per value of the key";

    form_->FillProgramDetails(1);
    const auto bare = rows(form_->DetailsForm->lsvProgramInfo);
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].first, L"Used Frequency");
    EXPECT_EQ(form_->DetailsForm->SelectedEntry(), 1);

    form_->FillProgramDetails(0);
    form_->DetailsForm->ApplyLanguage();
    form_->DetailsForm->Show(true);
    Screenshot(form_->DetailsForm->Handle(), L"details");
    form_->DetailsForm->Show(false);
    testsupport::RemoveFolder(folder);
}
