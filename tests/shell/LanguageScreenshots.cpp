// Run by hand under Xvfb (not a test): pictures of every window, menu and dialog in each shipped language,
// saved under the build folder's screenshots as "lang-<language>-<window>.png", to see that the texts fit
// the fixed-size controls.
#include "tests/gui/GuiFixture.h"
#include "tests/gui/Screenshot.h"

#include "gui/leftovers/frmScanRemains.h"
#include "gui/programs/frmComment.h"
#include "gui/programs/frmDetails.h"
#include "gui/shell/frmAbout.h"
#include "gui/shell/frmSplash.h"
#include "gui/startup/frmAddItem.h"
#include "gui/tools/frmPrintPage.h"
#include "gui/tools/frmProgress.h"
#include "gui/widgets/Modal.h"
#include "platform/Registry.h"

#include <commctrl.h>

using namespace guitest;
using testsupport::Sz;

namespace {

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kEntries[][32] = {L"VarnookShotPhoto", L"VarnookShotEditor"};
constexpr wchar_t kRunValue[] = L"VarnookShot";

// Saves a picture of the whole screen while `menu` is open at `at`, found by a timer inside the menu's loop.
struct TMenuShot {
    static inline std::wstring path;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND open = FindWindowW(L"#32768", nullptr); open && IsWindowVisible(open)) {
            UpdateWindow(open);
            SaveScreenshot(nullptr, path);
            EndMenu();
        }
    }

    static void Take(const varnook::TPopupMenu& menu, HWND owner, POINT at, const std::wstring& picture) {
        path = picture;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, Tick);
        menu.Popup(owner, at);
        KillTimer(nullptr, timer);
    }
};

void SelectRow(varnook::TListView& list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    list.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Not parameterised: the fixture names its folder after the test, which must not hold a "/".
class LanguageScreenshots : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        testsupport::PlantKey(
            HKEY_LOCAL_MACHINE, kUninstall + std::wstring(kEntries[0]),
            {Sz(L"DisplayName", L"Fabrikam Photo Studio 2024"), Sz(L"Publisher", L"Fabrikam, Inc."),
             Sz(L"UninstallString", L"C:\\windows\\notepad.exe"), Sz(L"InstallLocation", L"C:\\windows"),
             Sz(L"DisplayVersion", L"12.4.1"), Sz(L"InstallDate", L"20240305"),
             Sz(L"HelpLink", L"https://help.example"), Sz(L"URLInfoAbout", L"https://about.example"),
             Sz(L"URLUpdateInfo", L"https://update.example")});
        testsupport::PlantKey(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(kEntries[1]),
                              {Sz(L"DisplayName", L"Contoso Editor"), Sz(L"Publisher", L"Contoso Ltd."),
                               Sz(L"UninstallString", L"C:\\windows\\notepad.exe")});
        platform::WriteString(platform::CreateKey(HKEY_CURRENT_USER, kRun).get(), kRunValue,
                              L"C:\\windows\\regedit.exe");
    }
    void TearDown() override {
        GuiTest::TearDown();
        for (const wchar_t* entry : kEntries)
            platform::DeleteTree(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(entry));
        platform::DeleteValue(platform::OpenKey(HKEY_CURRENT_USER, kRun).get(), kRunValue);
    }

    std::wstring Name(const std::wstring& window) const { return L"lang-" + language_ + L"-" + window; }
    std::wstring Picture(const std::wstring& window) const { return ScreenshotPath(Name(window)); }

    // The translations staged beside this program, installed as a user gets them; then `language` chosen.
    void StartIn(const std::wstring& language) {
        language_ = language;
        InstallShippedLanguages();
        Start();
        ASSERT_TRUE(form_);
        for (size_t i = 0; i < form_->mItemLanguages.Count(); ++i) {
            if (form_->mItemLanguages.Caption(i) == language)
                form_->LanguageItemClick(i);
        }
        Pump();
    }

    // Runs `command`, which shows a modal dialog, and takes its picture (after `prepare`) before closing it.
    template <class Dialog, class Command, class Prepare>
    void ShootModal(const std::wstring& window, Command command, Prepare prepare) {
        varnook::SetModalDriver([&](HWND handle) {
            auto* dialog = dynamic_cast<Dialog*>(varnook::TWindow::FromHandle(handle));
            ASSERT_NE(dialog, nullptr) << testing::PrintToString(window);
            prepare(*dialog);
            Screenshot(handle, Name(window));
            dialog->Close();
        });
        command();
        varnook::SetModalDriver(nullptr);
    }

    void ShootEveryWindow();

    std::wstring language_;
};

void LanguageScreenshots::ShootEveryWindow() {
    HWND main = form_->Handle();

    // Program list page with a selected program: side bar, status bar, menus.
    SelectRow(form_->lsvProgramList, 1);
    Pump();
    Screenshot(main, Name(L"programs"));
    const struct {
        const wchar_t* name;
        varnook::TPopupMenu& menu;
        HWND under;
    } menus[] = {
        {L"menu-file", form_->pmFile, form_->btnFile.Handle()},
        {L"menu-view", form_->pmView, form_->btnView.Handle()},
        {L"menu-tools", form_->pmTools, form_->btnTools.Handle()},
        {L"menu-help", form_->pmHelp, form_->btnHelp.Handle()},
        {L"menu-programs", form_->pmPLRightClick, form_->lsvProgramList.Handle()},
    };
    for (const auto& m : menus) {
        RECT button;
        GetWindowRect(m.under, &button);
        TMenuShot::Take(m.menu, main, {button.left, button.bottom}, Picture(m.name));
    }

    ShootModal<varnook::TDetailsForm>(
        L"details", [&] { form_->ActionShowDetailsExecute(); }, [](varnook::TDetailsForm&) {});
    ShootModal<varnook::TDetailsForm>(
        L"details-registry", [&] { form_->ActionShowDetailsExecute(); },
        [](varnook::TDetailsForm& details) { details.SelectTab(1); });
    ShootModal<varnook::TCommentForm>(
        L"comment", [&] { form_->ActionCommentExecute(); }, [](varnook::TCommentForm&) {});
    ShootModal<varnook::TPrintListForm>(
        L"print", [&] { form_->ActionExporetListExecute(); }, [](varnook::TPrintListForm&) {});

    // Dialogs whose work would start by itself: shown with their timers stopped.
    {
        varnook::TProgressForm progress;
        progress.Create(main);
        KillTimer(progress.Handle(), varnook::TProgressForm::TimerBackup);
        progress.FormShow();
        progress.Show(true);
        Screenshot(progress.Handle(), Name(L"progress"));
        progress.Show(false);
    }
    {
        varnook::TScanForm scan;
        scan.Create(main);
        KillTimer(scan.Handle(), varnook::TScanForm::kTimerStartScan);
        scan.Show(true);
        Screenshot(scan.Handle(), Name(L"scan"));
        scan.Show(false);
    }

    // Startup page with its item selected, its menu, and the add dialog with its list open.
    form_->ActionTabStartupItemsExecute();
    for (int row = 0; row < static_cast<int>(form_->lsvStartupList.Send(LVM_GETITEMCOUNT)); ++row) {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 64;
        form_->lsvStartupList.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (std::wstring(text) == kRunValue)
            SelectRow(form_->lsvStartupList, row);
    }
    Pump();
    Screenshot(main, Name(L"startup"));
    RECT list;
    GetWindowRect(form_->lsvStartupList.Handle(), &list);
    TMenuShot::Take(form_->pmSLRightClick, main, {list.left + 40, list.top + 40}, Picture(L"menu-startup"));
    {
        varnook::TAddItemForm add;
        add.Create(main);
        add.FormShow();
        add.Show(true);
        Screenshot(add.Handle(), Name(L"add-item"));
        add.cmbSection.Send(CB_SHOWDROPDOWN, TRUE);
        Pump();
        SaveScreenshot(nullptr, Picture(L"add-item-list"));
        add.cmbSection.Send(CB_SHOWDROPDOWN, FALSE);
        add.Show(false);
    }

    {
        varnook::TAboutForm about;
        about.Create(main);
        about.Show(true);
        Screenshot(about.Handle(), Name(L"about"));
        about.Show(false);
    }
    {
        varnook::TSplashForm splash;
        splash.Create();
        splash.Show(true);
        Screenshot(splash.Handle(), Name(L"splash"));
        splash.Show(false);
    }
}

TEST_F(LanguageScreenshots, German) {
    ASSERT_NO_FATAL_FAILURE(StartIn(L"German"));
    ShootEveryWindow();
}

TEST_F(LanguageScreenshots, French) {
    ASSERT_NO_FATAL_FAILURE(StartIn(L"French"));
    ShootEveryWindow();
}

TEST_F(LanguageScreenshots, English) {
    ASSERT_NO_FATAL_FAILURE(StartIn(L"English"));
    ShootEveryWindow();
}

}  // namespace
