#include "frmMain.h"

namespace varnook {

void TMainForm::CreateActions() {
    const std::pair<TAction*, void (TMainForm::*)()> handlers[] = {
        {&ActionAddNew, &TMainForm::ActionAddNewExecute},
        {&ActionExportReg, &TMainForm::ActionExportRegExecute},
        {&ActionReloadReg, &TMainForm::ActionReloadRegExecute},
        {&ActionCreateBackup, &TMainForm::ActionCreateBackupExecute},
        {&ActionExporetList, &TMainForm::ActionExporetListExecute},
        {&ActionExit, &TMainForm::ActionExitExecute},
        {&ActionGrid, &TMainForm::ActionGridExecute},
        {&ActionInfoTips, &TMainForm::ActionInfoTipsExecute},
        {&ActionViewIcon, &TMainForm::ActionViewIconExecute},
        {&ActionViewList, &TMainForm::ActionViewListExecute},
        {&ActionViewReport, &TMainForm::ActionViewReportExecute},
        {&ActionRefresh, &TMainForm::ActionRefreshExecute},
        {&ActionComment, &TMainForm::ActionCommentExecute},
        {&ActionRegedit, &TMainForm::ActionRegeditExecute},
        {&ActionWinUpdate, &TMainForm::ActionWinUpdateExecute},
        {&ActionWinServices, &TMainForm::ActionWinServicesExecute},
        {&ActionWinComponents, &TMainForm::ActionWinComponentsExecute},
        {&ActionHelpContent, &TMainForm::ActionHelpContentExecute},
        {&ActionOnlineRes, &TMainForm::ActionOnlineResExecute},
        {&ActionContact, &TMainForm::ActionContactExecute},
        {&ActionAbout, &TMainForm::ActionAboutExecute},
        {&ActionUninstall, &TMainForm::ActionUninstallExecute},
        {&ActionShowDetails, &TMainForm::ActionShowDetailsExecute},
        {&ActionSearch, &TMainForm::ActionSearchExecute},
        {&ActionHideSysPatch, &TMainForm::ActionHideSysPatchExecute},
        {&ActionHideScr, &TMainForm::ActionHideScrExecute},
        {&ActionDeleteScr, &TMainForm::ActionDeleteScrExecute},
        {&ActionTabProgramList, &TMainForm::ActionTabProgramListExecute},
        {&ActionTabStartupItems, &TMainForm::ActionTabStartupItemsExecute},
        {&ActionApply, &TMainForm::ActionApplyExecute},
        {&ActionSelectAll, &TMainForm::ActionSelectAllExecute},
        {&ActionDelete, &TMainForm::ActionDeleteExecute},
        {&ActionAddItem, &TMainForm::ActionAddItemExecute},
        {&ActionMin, &TMainForm::ActionMinExecute},
    };
    for (const auto& [action, handler] : handlers) {
        action->OnExecute = [this, handler] { (this->*handler)(); };
        actions_.push_back(action);
    }
    // The states the window starts with.
    ActionInfoTips.SetChecked(true);
    ActionViewReport.SetChecked(true);
    for (TAction* action : {&ActionExportReg, &ActionComment, &ActionRegedit, &ActionUninstall, &ActionShowDetails,
                            &ActionDelete, &ActionTabProgramList})
        action->SetEnabled(false);
}

void TMainForm::CreateMenus() {
    TMenuItems& m = MenuItems;
    m.mItemAddProgram = pmFile.AddItem(ActionAddNew);
    pmFile.AddSeparator();
    m.mItemExportRegInfo = pmFile.AddItem(ActionExportReg);
    m.mItemReloadReg = pmFile.AddItem(ActionReloadReg);
    m.mItemBackup = pmFile.AddItem(ActionCreateBackup);
    m.mItemExportList = pmFile.AddItem(ActionExporetList);
    pmFile.AddSeparator();
    m.mItemExit = pmFile.AddItem(ActionExit);

    m.mItemGrid = pmView.AddItem(ActionGrid);
    m.mItemInfoTips = pmView.AddItem(ActionInfoTips);
    pmView.AddSeparator();
    m.mItemViewIcon = pmView.AddItem(ActionViewIcon);
    m.mItemViewList = pmView.AddItem(ActionViewList);
    m.mItemViewReport = pmView.AddItem(ActionViewReport);
    pmView.AddSeparator();
    m.mItemRefresh = pmView.AddItem(ActionRefresh);
    m.mItemLanguages = pmView.AddSubmenu(mItemLanguages);

    m.mItemComment = pmTools.AddItem(ActionComment);
    m.mItemRegedit = pmTools.AddItem(ActionRegedit);
    pmTools.AddSeparator();
    m.mItemUpdates = pmTools.AddItem(ActionWinUpdate);
    m.mItemServices = pmTools.AddItem(ActionWinServices);
    m.mItemComponents = pmTools.AddItem(ActionWinComponents);

    m.mItemHelpContent = pmHelp.AddItem(ActionHelpContent);
    pmHelp.AddSeparator();
    m.mItemOnlineRes = pmHelp.AddItem(ActionOnlineRes);
    m.mItemContact = pmHelp.AddItem(ActionContact);
    pmHelp.AddSeparator();
    m.mItemAbout = pmHelp.AddItem(ActionAbout);

    m.mItemUninstall = pmPLRightClick.AddItem(ActionUninstall);
    m.mItemAddComments = pmPLRightClick.AddItem(ActionComment);
    m.mItemEditEntryReg = pmPLRightClick.AddItem(ActionRegedit);
    m.mItemExportReg = pmPLRightClick.AddItem(ActionExportReg);
    pmPLRightClick.AddSeparator();
    m.mItemShowDetails = pmPLRightClick.AddItem(ActionShowDetails, 5);
    pmPLRightClick.AddSeparator();
    m.mItemIcon = mItemView.AddItem(ActionViewIcon);
    m.mItemList = mItemView.AddItem(ActionViewList);
    m.mItemReport = mItemView.AddItem(ActionViewReport);
    m.mItemView = pmPLRightClick.AddSubmenu(mItemView);

    m.mItemAddEntry = pmSLRightClick.AddItem(ActionAddItem);
    m.mItemDeleteEntry = pmSLRightClick.AddItem(ActionDelete);
    m.mItemRefreshSI = pmSLRightClick.AddItem(ActionRefresh);

    // View, Tools and Help also open at the pointer on a right click; File does not.
    btnView.SetContextMenu(pmView.Handle(), Handle());
    btnTools.SetContextMenu(pmTools.Handle(), Handle());
    btnHelp.SetContextMenu(pmHelp.Handle(), Handle());
}

}  // namespace varnook
