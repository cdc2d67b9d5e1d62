#include "frmMain.h"

#include "globals.h"
#include "multiLangs.h"

#include <cwctype>

namespace varnook {

namespace {

bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

void TMainForm::BuildLanguageMenu() {
    const std::wstring current = FileNameOf(Globals().LanguagePath);
    for (const std::wstring& file : LanguageFiles()) {
        const size_t item = mItemLanguages.AddCommand(kFirstLanguageId + static_cast<UINT>(mItemLanguages.Count()));
        mItemLanguages.SetCaption(item, LanguageCaption(file));
        mItemLanguages.SetChecked(item, SameTextIgnoringCase(file, current));
    }
}

void TMainForm::LanguageItemClick(size_t item) {
    // Errors of a switch are dropped: the program simply stays in the language it had.
    try {
        TGlobals& globals = Globals();
        const std::wstring file = mItemLanguages.Caption(item) + L".ini";
        const std::wstring path = globals.LangsPath + file;
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return;
        globals.LanguagePath = path;
        for (size_t i = 0; i < mItemLanguages.Count(); ++i)
            mItemLanguages.SetChecked(i, i == item);
        WriteConfigValue(kKeyLanguageFile, file);
        LoadLanguage();
        ApplyLanguage();
        PlaceStatusLabels();
    } catch (const std::exception&) {
    }
}

void TMainForm::PlaceStatusLabels() {
    auto rightOf = [](const TLabel& label) { return label.Bounds().right; };
    auto place = [](TLabel& label, int left) {
        const RECT bounds = label.Bounds();
        label.SetBounds(left, bounds.top, label.TextWidth(), bounds.bottom - bounds.top);
    };
    place(lblPrograms, lblPrograms.Bounds().left);
    place(lblProgramCounts, rightOf(lblPrograms) + 5);
    place(lblRegName, rightOf(lblProgramCounts) + 10);
    place(lblRegistryName, rightOf(lblRegName) + 5);
    place(lblProgramURL, rightOf(lblRegistryName) + 10);
}

void TMainForm::ApplyLanguage() {
    btnFile.SetText(Lang(IDS_MAINFORM_MENU_File));
    btnView.SetText(Lang(IDS_MAINFORM_MENU_View));
    btnTools.SetText(Lang(IDS_MAINFORM_MENU_Tools));
    btnHelp.SetText(Lang(IDS_MAINFORM_MENU_Help));

    const TMenuItems& m = MenuItems;
    const std::pair<TPopupMenu*, std::pair<size_t, TLangId>> captions[] = {
        {&pmFile, {m.mItemAddProgram, IDS_MAINFORM_MENU_FILE_NewProgram}},
        // The two export entries take each other's texts.
        {&pmFile, {m.mItemExportRegInfo, IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo}},
        {&pmFile, {m.mItemReloadReg, IDS_MAINFORM_MENU_FILE_ReloadRegInfo}},
        {&pmFile, {m.mItemBackup, IDS_MAINFORM_MENU_FILE_CreateBackup}},
        {&pmFile, {m.mItemExportList, IDS_MAINFORM_MENU_FILE_ExportPrmList}},
        {&pmFile, {m.mItemExit, IDS_MAINFORM_MENU_FILE_Exit}},
        {&pmView, {m.mItemGrid, IDS_MAINFORM_MENU_VIEW_Grid}},
        {&pmView, {m.mItemInfoTips, IDS_MAINFORM_MENU_VIEW_Tips}},
        {&pmView, {m.mItemViewIcon, IDS_MAINFORM_MENU_VIEW_Icon}},
        {&pmView, {m.mItemViewList, IDS_MAINFORM_MENU_VIEW_List}},
        {&pmView, {m.mItemViewReport, IDS_MAINFORM_MENU_VIEW_Report}},
        {&pmView, {m.mItemRefresh, IDS_MAINFORM_MENU_VIEW_Refresh}},
        {&pmView, {m.mItemLanguages, IDS_MAINFORM_MENU_VIEW_Languages}},
        {&pmTools, {m.mItemComment, IDS_MAINFORM_MENU_TOOLS_CommentEntry}},
        {&pmTools, {m.mItemRegedit, IDS_MAINFORM_MENU_TOOLS_Regedit}},
        {&pmTools, {m.mItemUpdates, IDS_MAINFORM_MENU_TOOLS_WindowsUpdate}},
        {&pmTools, {m.mItemServices, IDS_MAINFORM_MENU_TOOLS_WindowsServices}},
        {&pmTools, {m.mItemComponents, IDS_MAINFORM_MENU_TOOLS_WindowsComponents}},
        {&pmHelp, {m.mItemHelpContent, IDS_MAINFORM_MENU_HELP_HelpContent}},
        {&pmHelp, {m.mItemOnlineRes, IDS_MAINFORM_MENU_HELP_OnlineRes}},
        {&pmHelp, {m.mItemContact, IDS_MAINFORM_MENU_HELP_Contact}},
        {&pmHelp, {m.mItemAbout, IDS_MAINFORM_MENU_HELP_About}},
        {&pmPLRightClick, {m.mItemUninstall, IDS_LISTVIEW_RIGHTCLICK_Uninstall}},
        {&pmPLRightClick, {m.mItemAddComments, IDS_LISTVIEW_RIGHTCLICK_CommentEntry}},
        {&pmPLRightClick, {m.mItemEditEntryReg, IDS_LISTVIEW_RIGHTCLICK_RegistryEditor}},
        {&pmPLRightClick, {m.mItemExportReg, IDS_MAINFORM_MENU_FILE_ExportRegInfo}},
        {&pmPLRightClick, {m.mItemShowDetails, IDS_LISTVIEW_RIGHTCLICK_ShowDetails}},
        {&pmPLRightClick, {m.mItemView, IDS_LISTVIEW_RIGHTCLICK_View}},
        {&mItemView, {m.mItemIcon, IDS_LISTVIEW_RIGHTCLICK_ViewIcon}},
        {&mItemView, {m.mItemList, IDS_LISTVIEW_RIGHTCLICK_ViewList}},
        {&mItemView, {m.mItemReport, IDS_LISTVIEW_RIGHTCLICK_ViewReport}},
        {&pmSLRightClick, {m.mItemAddEntry, IDS_LISTVIEW_RIGHTCLICK_AddItem}},
        {&pmSLRightClick, {m.mItemDeleteEntry, IDS_LISTVIEW_RIGHTCLICK_DeleteItem}},
        {&pmSLRightClick, {m.mItemRefreshSI, IDS_LISTVIEW_RIGHTCLICK_Refresh}},
    };
    for (const auto& [menu, entry] : captions)
        menu->SetCaption(entry.first, Lang(entry.second));

    btnProgramList.SetText(Lang(IDS_PAGECONTROL_TABSHEETPL_Title));
    btnStartupItemList.SetText(Lang(IDS_PAGECONTROL_TABSHEETSIL_Title));
    lsvProgramList.SetColumnCaption(0, Lang(IDS_LISTVIEW_COLUMNS_Descriptions));
    lsvProgramList.SetColumnCaption(1, Lang(IDS_LISTVIEW_COLUMNS_Publisher));
    lsvProgramList.SetColumnCaption(2, Lang(IDS_LISTVIEW_COLUMNS_Directory));
    lsvStartupList.SetColumnCaption(0, Lang(IDS_LISTVIEW_COLUMNS_StatrupItem));
    lsvStartupList.SetColumnCaption(1, Lang(IDS_LISTVIEW_COLUMNS_Command));
    lsvStartupList.SetColumnCaption(2, Lang(IDS_LISTVIEW_COLUMNS_Location));

    btnUninstall.SetText(Lang(IDS_SIDEBAR_BUTTON_Uninstall));
    btnShowDetails.SetText(Lang(IDS_SIDEBAR_BUTTON_SHOWDETAILS));
    btnRefresh.SetText(Lang(IDS_SIDEBAR_BUTTON_Refresh));
    grbSearch.SetText(Lang(IDS_SIDEBAR_GROUPBOX_TITLE_Search));
    lblSearchTitle.SetText(Lang(IDS_SIDEBAR_GROUPBOX_LABEL_Info));
    btnSearch.SetText(Lang(IDS_SIDEBAR_GROUPBOX_BUTTON_Search));
    ckbHidePatch.SetText(Lang(IDS_SIDEBAR_CHECKBOX_HideSysPatch));
    ckbHideScr.SetText(Lang(IDS_SIDEBAR_CHECKBOX_HideScr));
    lblPrograms.SetText(Lang(IDS_STATUSBAR_LABEL_Programs));
    lblRegName.SetText(Lang(IDS_STATUSBAR_LABEL_RegistryName));

    // The all-items button always shows "Disable All" when texts are applied, whatever its state.
    btnSelectAll.SetText(Lang(IDS_SIDEBAR_BUTTON_UnSelectAll));
    btnDelete.SetText(Lang(IDS_SIDEBAR_BUTTON_Delete));
    btnApply.SetText(Lang(IDS_SIDEBAR_BUTTON_Apply));
    grbItemInfo.SetText(Lang(IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo));
    lblPublisher.SetText(Lang(IDS_SIDEBAR_GROUPBOX_LABEL_Publisher));
    lblVersion.SetText(Lang(IDS_SIDEBAR_GROUPBOX_LABEL_Version));
    lblDes.SetText(Lang(IDS_SIDEBAR_GROUPBOX_LABEL_Description));
}

}  // namespace varnook
