#pragma once

#include "gui/programs/TallivorLib_TLB.h"
#include "gui/programs/frmDetails.h"
#include "gui/widgets/Action.h"
#include "gui/widgets/ArButton.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/ListView.h"
#include "gui/widgets/PopupMenu.h"
#include "gui/widgets/SizePanel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnook {

// The main window: a borderless, layered window whose outline comes from the skin's background picture.
// Four image buttons open the menus; two pages (program list, startup items) share the page area, each with
// a side panel that folds away. The handlers of each subsystem live in its own folder.
class TMainForm : public TWindow {
public:
    TMainForm();
    ~TMainForm() override;

    // Creates the window hidden and runs FormCreate.
    void Create();
    void FormCreate();

    // Frame (menus, dragging, side panels, Help, About).
    void btnFileClick(TArButton& button);
    void imgBackGroundMouseDown();
    void SizePanelPLHotSpotClick();
    void SizePanelSIHotSpotClick();
    void ActionHelpContentExecute();
    void ActionOnlineResExecute();
    void ActionContactExecute();
    void ActionAboutExecute();
    void ActionExitExecute();
    void ActionMinExecute();

    // Texts and skin.
    void BuildLanguageMenu();
    void LanguageItemClick(size_t item);
    void ApplyLanguage();
    void ApplySkin();
    void PlaceStatusLabels();

    // ---- Program list page (gui/programs/frmMainPrograms.cpp) ----
    void LoadProgramList();
    void ActionRefreshExecute();
    void ActionTabProgramListExecute();
    void ActionHideSysPatchExecute();
    void ActionHideScrExecute();
    void ActionGridExecute();
    void ActionInfoTipsExecute();
    void ActionViewIconExecute();
    void ActionViewListExecute();
    void ActionViewReportExecute();
    void ActionSearchExecute();
    void ActionShowDetailsExecute();

    // A program list row: its caption and data value, and its kind (a caption starting with "[" is a
    // screen saver's, whose data value indexes the screen-saver list; any other row's, the program list).
    struct TRow {
        int index = -1;  // position in the list view
        std::wstring caption;
        LPARAM data = 0;
        bool screenSaver = false;
    };
    // The selected row of the program list, if any.
    std::optional<TRow> SelectedRow() const;
    // Items hidden or not that are system patches, and the count text, as the last load left them.
    ULONG SysPatchCount = 0;
    std::wstring ProgramCountsText;
    // Direction of the next column sort, shared by all columns.
    bool SortAscending = true;
    // The details dialog, created once with the main window.
    std::unique_ptr<TDetailsForm> DetailsForm;

    void CreateProgramPage();
    void lsvProgramListSelectItem(int item);
    void lsvProgramListColumnClick(int column);
    int ProgramListCompare(int item1, int item2, int column);
    int FindProgramItem(int start, const std::wstring& text);
    void txtSearchInfoChange();
    // The tip text of a row; empty when it has none.
    std::wstring lsvProgramListInfoTip(int item);
    void lsvProgramListMouseMove(POINT point);
    void lsvProgramListMouseDown(UINT message, POINT point);
    void FillProgramDetails(ULONG index);
    void SetViewStyle(TAction& action);
    void ToggleHideFilter(TAction& action, TSkinCheckBox& box, bool& setting, const wchar_t* configKey);
    // The row's caption, or a sub-item (1 publisher, 2 folder).
    std::wstring RowText(int item, int column) const;
    // ---- end of the program list page ----

    // ---- Uninstall and entry maintenance (gui/programs/frmMainUninstall.cpp) ----
    static constexpr UINT WM_UNINSTALL_FINISHED = WM_USER + 100;
    void ActionUninstallExecute();
    void ActionDeleteScrExecute();
    void ActionCommentExecute();
    // The waiting thread's report that an uninstall run has ended; `started` is false when nothing ran.
    void WMUninstallFinished(bool started);
    // ---- end of uninstall ----

    // ---- Startup items page (gui/startup/frmMainStartup.cpp) ----
    void RefreshStartupList();
    // Adds the rows of the run keys of HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, each key's active values
    // before its disabled ones.
    void LoadRunKeyItems(HKEY hive);
    // Adds the rows of the current user's and the all-users Startup folders, active entries first.
    void LoadStartupFolderItems();
    void ActionTabStartupItemsExecute();
    // The selection of `row` has changed, either way.
    void lsvStartupListSelectItem(int row);
    // A right-button press on the list.
    void lsvStartupListMouseDown();
    void ActionApplyExecute();
    void ActionSelectAllExecute();
    void ActionDeleteExecute();
    void ActionAddItemExecute();

    // A row of the startup list. Name: value or entry name; Command: value text or the entry's path;
    // Location: "HKCU\<run key>", "HKLM\<run key>" or the Startup folder; Enabled: the check box;
    // ValueType: the type a registry row's value was read with, written back under it.
    struct TStartupItem {
        std::wstring Name, Command, Location;
        bool Enabled = true;
        DWORD ValueType = REG_SZ;
    };
    int StartupItemCount() const;
    TStartupItem StartupItem(int row) const;
    void AddStartupItem(const TStartupItem& item);
    // ---- end of the startup items page ----

    // ---- Export, report and tools (gui/tools/frmMainTools.cpp) ----
    void ActionAddNewExecute();
    void ActionExportRegExecute();
    void ActionReloadRegExecute();
    void ActionCreateBackupExecute();
    void ActionExporetListExecute();
    void ActionRegeditExecute();
    void ActionWinUpdateExecute();
    void ActionWinServicesExecute();
    void ActionWinComponentsExecute();
    // ---- end of export, report and tools ----

    // Runs the shortcut keys and the default button; true when the message was taken.
    bool PreTranslateMessage(const MSG& message);

    // Controls, named as the handlers and the skin and language tables know them.
    TPicture imgBackGround;
    TPicture ImgTitle;
    TEdit txtHide;
    TArButton btnFile, btnView, btnTools, btnHelp;
    TArButton btnClose, btnHelpContent, btnMin;
    TArButton btnProgramList, btnStartupItemList;
    TPanel PageControl;
    TPanel tsProgramList, tsStartupItems;
    TListView lsvProgramList, lsvStartupList;
    TSizePanel SizePanelPL, SizePanelSI;
    TPanel imgPanelP, imgPanelS;
    TArButton btnUninstall, btnShowDetails, btnRefresh, btnSearch;
    TGroupPanel grbSearch;
    TLabel lblSearchTitle;
    TEdit txtSearchInfo;
    TSkinCheckBox ckbHidePatch, ckbHideScr;
    TGroupPanel grbItemInfo;
    TLabel lblPublisher, lblPublisherValue, lblVersion, lblVersionValue, lblDes, lblDescription;
    TArButton btnSelectAll, btnDelete, btnApply;
    TPanel StatusPanel;
    TLabel lblPrograms, lblProgramCounts, lblRegName, lblRegistryName, lblProgramURL;

    // Commands shared by buttons, menu entries and shortcuts.
    TAction ActionAddNew, ActionExportReg, ActionReloadReg, ActionCreateBackup, ActionExporetList, ActionExit;
    TAction ActionGrid, ActionInfoTips, ActionViewIcon, ActionViewList, ActionViewReport, ActionRefresh;
    TAction ActionComment, ActionRegedit, ActionWinUpdate, ActionWinServices, ActionWinComponents;
    TAction ActionHelpContent, ActionOnlineRes, ActionContact, ActionAbout;
    TAction ActionUninstall, ActionShowDetails, ActionSearch, ActionHideSysPatch, ActionHideScr, ActionDeleteScr;
    TAction ActionTabProgramList, ActionTabStartupItems, ActionApply, ActionSelectAll, ActionDelete, ActionAddItem;
    TAction ActionMin;

    platform::TImageList ImageList;
    TPopupMenu pmFile, pmView, pmTools, pmHelp, pmPLRightClick, pmSLRightClick;
    TPopupMenu mItemLanguages, mItemView;
    // Positions of the menu entries, by their names.
    struct TMenuItems {
        // pmFile
        size_t mItemAddProgram, mItemExportRegInfo, mItemReloadReg, mItemBackup, mItemExportList, mItemExit;
        // pmView
        size_t mItemGrid, mItemInfoTips, mItemViewIcon, mItemViewList, mItemViewReport, mItemRefresh, mItemLanguages;
        // pmTools
        size_t mItemComment, mItemRegedit, mItemUpdates, mItemServices, mItemComponents;
        // pmHelp
        size_t mItemHelpContent, mItemOnlineRes, mItemContact, mItemAbout;
        // pmPLRightClick and its View sub-menu
        size_t mItemUninstall, mItemAddComments, mItemEditEntryReg, mItemExportReg, mItemShowDetails, mItemView;
        size_t mItemIcon, mItemList, mItemReport;
        // pmSLRightClick
        size_t mItemAddEntry, mItemDeleteEntry, mItemRefreshSI;
    } MenuItems{};

    // The inventory server's ProgramList object, made on first use and kept for the whole run.
    TProgramList ProgramList;

    // Command ids of the Languages menu's entries start here.
    static constexpr UINT kFirstLanguageId = 5000;

    // The program ends with its main window; a test's window does not end the test.
    bool QuitOnDestroy = false;

    int ActivePage() const { return activePage_; }
    void SetActivePage(int page);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void CreateActions();
    void CreateMenus();
    void CreateColumns();
    void SetButtonFonts();
    TAction* ActionById(UINT id);
    void Paint(HDC dc) override;

    std::vector<TAction*> actions_;
    int activePage_ = 0;
};

}  // namespace varnook
