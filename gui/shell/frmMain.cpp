#include "frmMain.h"

#include "Resources.h"
#include "frmAbout.h"
#include "globals.h"
#include "gui/widgets/Dialog.h"
#include "gui/widgets/Modal.h"
#include "gui/widgets/Prompt.h"

#include <windowsx.h>

namespace varnook {

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr UINT kFirstActionId = 100;

// The program's own addresses.
constexpr wchar_t kOnlineResources[] = L"https://varnook.example/resources";
constexpr wchar_t kSupportAddress[] = L"support@varnook.example";

}  // namespace

TMainForm::TMainForm()
    : ActionAddNew(kFirstActionId + 0, 10),
      ActionExportReg(kFirstActionId + 1, 3),
      ActionReloadReg(kFirstActionId + 2, 1),
      ActionCreateBackup(kFirstActionId + 3, 4),
      ActionExporetList(kFirstActionId + 4, 13),
      ActionExit(kFirstActionId + 5, 2),
      ActionGrid(kFirstActionId + 6),
      ActionInfoTips(kFirstActionId + 7),
      ActionViewIcon(kFirstActionId + 8),
      ActionViewList(kFirstActionId + 9),
      ActionViewReport(kFirstActionId + 10),
      ActionRefresh(kFirstActionId + 11, 0),
      ActionComment(kFirstActionId + 12, 9),
      ActionRegedit(kFirstActionId + 13, 6),
      ActionWinUpdate(kFirstActionId + 14),
      ActionWinServices(kFirstActionId + 15),
      ActionWinComponents(kFirstActionId + 16),
      ActionHelpContent(kFirstActionId + 17, 8),
      ActionOnlineRes(kFirstActionId + 18, 7),
      ActionContact(kFirstActionId + 19, 11),
      ActionAbout(kFirstActionId + 20),
      ActionUninstall(kFirstActionId + 21, 12),
      ActionShowDetails(kFirstActionId + 22),
      ActionSearch(kFirstActionId + 23),
      ActionHideSysPatch(kFirstActionId + 24),
      ActionHideScr(kFirstActionId + 25),
      ActionDeleteScr(kFirstActionId + 26),
      ActionTabProgramList(kFirstActionId + 27),
      ActionTabStartupItems(kFirstActionId + 28),
      ActionApply(kFirstActionId + 29),
      ActionSelectAll(kFirstActionId + 30),
      ActionDelete(kFirstActionId + 31),
      ActionAddItem(kFirstActionId + 32),
      ActionMin(kFirstActionId + 33),
      ImageList(CreateMenuImages()),
      pmFile(TPopupMenu::TStyle::Light, ImageList.get()),
      pmView(TPopupMenu::TStyle::Light, ImageList.get()),
      pmTools(TPopupMenu::TStyle::Light, ImageList.get()),
      pmHelp(TPopupMenu::TStyle::Light, ImageList.get()),
      pmPLRightClick(TPopupMenu::TStyle::Dark, ImageList.get()),
      pmSLRightClick(TPopupMenu::TStyle::Dark, ImageList.get()),
      mItemLanguages(TPopupMenu::TStyle::Light, ImageList.get()),
      mItemView(TPopupMenu::TStyle::Dark, ImageList.get()) {}

TMainForm::~TMainForm() = default;

void TMainForm::Create() {
    CreateWindowOfClass(L"TMainForm", CS_DBLCLKS, WS_EX_LAYERED | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, nullptr, Box(0, 0, 763, 538),
                        kApplicationTitle);
    SetLayeredWindowAttributes(Handle(), kMagenta, 0, LWA_COLORKEY);
    CreateActions();
    CreateControls();
    CreateMenus();
    FormCreate();
}

void TMainForm::CreateControls() {
    const HWND form = Handle();
    txtHide.Create(form, Box(549, 86, 33, 21));
    btnFile.Create(form, Box(31, 14, 119, 31));
    btnView.Create(form, Box(151, 14, 119, 31));
    btnTools.Create(form, Box(270, 14, 119, 31));
    btnHelp.Create(form, Box(389, 14, 119, 31));
    btnClose.Create(form, Box(731, 13, 21, 21));
    btnHelpContent.Create(form, Box(731, 34, 21, 21));
    btnMin.Create(form, Box(731, 55, 21, 21));
    btnProgramList.Create(form, Box(388, 78, 117, 32));
    btnStartupItemList.Create(form, Box(505, 78, 117, 32));
    // The hidden edit box only takes the focus away from a menu button; the page button covers it.
    SetWindowPos(txtHide.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    PageControl.Create(form, Box(5, 112, 750, 394));
    tsProgramList.Create(PageControl.Handle(), Box(0, 0, 750, 394));
    tsStartupItems.Create(PageControl.Handle(), Box(0, 0, 750, 394), false);

    lsvProgramList.Create(tsProgramList.Handle(), Box(0, 0, 556, 394), true);
    SizePanelPL.Create(tsProgramList.Handle(), Box(556, 0, 194, 394));
    imgPanelP.Create(SizePanelPL.Content().Handle(), Box(0, 0, 185, 394));
    btnUninstall.Create(imgPanelP.Handle(), Box(0, 12, 185, 43));
    btnShowDetails.Create(imgPanelP.Handle(), Box(0, 56, 185, 43));
    btnRefresh.Create(imgPanelP.Handle(), Box(0, 100, 185, 43));
    grbSearch.Create(imgPanelP.Handle(), Box(16, 152, 152, 96));
    lblSearchTitle.Create(grbSearch.Handle(), Box(0, 22, 150, 43));
    txtSearchInfo.Create(grbSearch.Handle(), Box(0, 66, 127, 21));
    btnSearch.Create(imgPanelP.Handle(), Box(0, 248, 185, 43));
    ckbHidePatch.Create(imgPanelP.Handle(), Box(15, 316, 160, 26));
    ckbHideScr.Create(imgPanelP.Handle(), Box(15, 344, 160, 26));

    lsvStartupList.Create(tsStartupItems.Handle(), Box(0, 0, 556, 394), false, true);
    SizePanelSI.Create(tsStartupItems.Handle(), Box(556, 0, 194, 394));
    imgPanelS.Create(SizePanelSI.Content().Handle(), Box(0, 0, 185, 394));
    btnSelectAll.Create(imgPanelS.Handle(), Box(0, 12, 185, 43));
    btnDelete.Create(imgPanelS.Handle(), Box(0, 56, 185, 43));
    btnApply.Create(imgPanelS.Handle(), Box(0, 100, 185, 43));
    grbItemInfo.Create(imgPanelS.Handle(), Box(15, 168, 154, 185));
    lblPublisher.Create(grbItemInfo.Handle(), Box(8, 25, 144, 13));
    lblPublisherValue.Create(grbItemInfo.Handle(), Box(8, 42, 144, 31));
    lblVersion.Create(grbItemInfo.Handle(), Box(8, 76, 144, 13));
    lblVersionValue.Create(grbItemInfo.Handle(), Box(8, 92, 144, 31));
    lblDes.Create(grbItemInfo.Handle(), Box(8, 125, 144, 13));
    lblDescription.Create(grbItemInfo.Handle(), Box(8, 141, 144, 42));

    StatusPanel.Create(form, Box(16, 510, 729, 17));
    lblPrograms.Create(StatusPanel.Handle(), Box(4, 2, 60, 13));
    lblProgramCounts.Create(StatusPanel.Handle(), Box(70, 2, 200, 13));
    lblRegName.Create(StatusPanel.Handle(), Box(280, 2, 80, 13));
    lblRegistryName.Create(StatusPanel.Handle(), Box(365, 2, 150, 13));
    lblProgramURL.Create(StatusPanel.Handle(), Box(520, 2, 200, 13));
    for (TLabel* label : {&lblPrograms, &lblProgramCounts, &lblRegName, &lblRegistryName, &lblProgramURL})
        label->SetAutoSize(true);
    // The status bar sits on the dark frame.
    for (TLabel* label : {&lblPrograms, &lblProgramCounts, &lblRegName, &lblRegistryName})
        label->SetColour(RGB(214, 221, 230));
    for (TLabel* label : {&lblSearchTitle, &lblPublisherValue, &lblVersionValue, &lblDescription})
        label->SetWordWrap(true);

    SetButtonFonts();
    ActionMin.Bind(btnMin);
    ActionHelpContent.Bind(btnHelpContent);
    ActionExit.Bind(btnClose);
    ActionTabProgramList.Bind(btnProgramList);
    ActionTabStartupItems.Bind(btnStartupItemList);
    ActionUninstall.Bind(btnUninstall);
    ActionShowDetails.Bind(btnShowDetails);
    ActionRefresh.Bind(btnRefresh);
    ActionSearch.Bind(btnSearch);
    ActionSelectAll.Bind(btnSelectAll);
    ActionDelete.Bind(btnDelete);
    ActionApply.Bind(btnApply);
    for (TArButton* button : {&btnFile, &btnView, &btnTools, &btnHelp})
        button->OnClick = [this, button] { btnFileClick(*button); };
    btnSearch.MakeDefault();

    // The check boxes show their actions' check marks; a click runs the action, which inverts it.
    ckbHidePatch.OnClick = [this] { ActionHideSysPatch.Execute(); };
    ckbHideScr.OnClick = [this] { ActionHideScr.Execute(); };
    SizePanelPL.OnHotSpotClick = [this] { SizePanelPLHotSpotClick(); };
    SizePanelSI.OnHotSpotClick = [this] { SizePanelSIHotSpotClick(); };
    lblProgramURL.MakeLink(RGB(0, 255, 255), GetSysColor(COLOR_BTNFACE));
    for (TPanel* panel : {&tsProgramList, &tsStartupItems, &PageControl})
        panel->SetColour(RGB(255, 255, 255));
}

void TMainForm::CreateColumns() {
    lsvProgramList.AddColumn(L"Descriptions", 200);
    lsvProgramList.AddColumn(L"Publisher", 160);
    lsvProgramList.AddColumn(L"Directory", 360);
    lsvStartupList.AddColumn(L"Startup Item", 130);
    lsvStartupList.AddColumn(L"Command", 240);
    lsvStartupList.AddColumn(L"Location", 360);
}

void TMainForm::FormCreate() {
    TGlobals& globals = Globals();
    globals.SizePanelPLOpen = true;
    globals.SizePanelSIOpen = true;
    globals.StartupAllEnabled = true;
    globals.SearchStart = 0;
    lblProgramURL.SetText(L"");
    lblProgramURL.Show(false);
    lblRegName.Show(false);
    lblRegistryName.Show(false);
    SetActivePage(0);
    CreateProgramPage();

    // The shell's system image lists, asked through the Windows drive ("C:" for "C:\Windows").
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring drive(windows, length < MAX_PATH ? length : 0);
    drive = drive.substr(0, drive.find_last_of(L'\\'));
    const auto [small, large] = SystemImageLists(drive);
    lsvProgramList.SetImageLists(small, large);

    CreateColumns();
    BuildLanguageMenu();
    ApplySkin();
    ApplyLanguage();
    LoadProgramList();
    RefreshStartupList();
    ActionHideSysPatch.SetChecked(globals.HideSysPatch);
    ActionHideScr.SetChecked(globals.HideScreenSaver);
    ckbHidePatch.SetChecked(globals.HideSysPatch);
    ckbHideScr.SetChecked(globals.HideScreenSaver);
    TrimWorkingSet();
}

void TMainForm::SetActivePage(int page) {
    activePage_ = page;
    tsProgramList.Show(page == 0);
    tsStartupItems.Show(page == 1);
}

void TMainForm::btnFileClick(TArButton& button) {
    const RECT bounds = button.Bounds();
    POINT corner{bounds.left, bounds.bottom};
    ClientToScreen(Handle(), &corner);
    const TPopupMenu* menu = &button == &btnFile    ? &pmFile
                             : &button == &btnView  ? &pmView
                             : &button == &btnTools ? &pmTools
                                                    : &pmHelp;
    menu->Popup(Handle(), corner);
    // The focus moves away from the menu button, to the edit box hidden under a page button.
    PostMessageW(txtHide.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(txtHide.Handle(), WM_LBUTTONUP, 0, 0);
}

void TMainForm::imgBackGroundMouseDown() {
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TMainForm::ActionHelpContentExecute() {
    Prompt().ShellOpen(Handle(), L"Open", Globals().HelpPath, L"", L"", SW_SHOWNORMAL);
}

void TMainForm::ActionOnlineResExecute() {
    Prompt().ShellOpen(Handle(), L"Open", kOnlineResources, L"", L"", SW_SHOWNORMAL);
}

void TMainForm::ActionContactExecute() {
    Prompt().ShellOpen(Handle(), L"Open", std::wstring(L"mailto:") + kSupportAddress, L"", L"", SW_SHOWNORMAL);
}

void TMainForm::ActionAboutExecute() {
    TAboutForm about;
    about.Create(Handle());
    about.ShowModal();
}

void TMainForm::ActionExitExecute() {
    SaveFilterFlags(ckbHidePatch.Checked(), ckbHideScr.Checked());
    DestroyWindow(Handle());
}

void TMainForm::ActionMinExecute() {
    ShowWindow(Handle(), SW_MINIMIZE);
}

TAction* TMainForm::ActionById(UINT id) {
    for (TAction* action : actions_) {
        if (action->Id() == id)
            return action;
    }
    return nullptr;
}

bool TMainForm::PreTranslateMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != Handle())
        return false;
    switch (message.wParam) {
        case VK_F1:
            Guarded([this] { ActionHelpContent.Execute(); });
            return true;
        case VK_F5:
            Guarded([this] { ActionRefresh.Execute(); });
            return true;
        case VK_RETURN:
            // Enter presses the default button unless an image button has the focus and takes it itself.
            if (!dynamic_cast<TArButton*>(TWindow::FromHandle(GetFocus()))) {
                if (TArButton* button = TArButton::DefaultOf(Handle())) {
                    Guarded([button] { button->Click(); });
                    return true;
                }
            }
            return false;
    }
    return false;
}

void TMainForm::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    SetDCBrushColor(dc, kMagenta);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    imgBackGround.Draw(dc, 0, 0);
    ImgTitle.Draw(dc, 21, 74);
}

LRESULT TMainForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            imgBackGroundMouseDown();
            return 0;
        case WM_MEASUREITEM:
            if (TPopupMenu::Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
                return TRUE;
            break;
        case WM_DRAWITEM:
            if (TPopupMenu::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
                return TRUE;
            break;
        case WM_INITMENUPOPUP:
            TPopupMenu::UpdateStates(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_COMMAND:
            if (lParam == 0) {
                const UINT id = LOWORD(wParam);
                if (id >= kFirstLanguageId && id < kFirstLanguageId + mItemLanguages.Count()) {
                    LanguageItemClick(id - kFirstLanguageId);
                } else if (TAction* action = ActionById(id)) {
                    action->Execute();
                }
                return 0;
            }
            break;
        case WM_UNINSTALL_FINISHED:
            WMUninstallFinished(wParam != 0);
            return 0;
        case WM_CLOSE:
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            if (QuitOnDestroy)
                PostQuitMessage(0);
            return 0;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
