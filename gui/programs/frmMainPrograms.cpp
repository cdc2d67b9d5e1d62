// The program list page of the main window.
#include "gui/shell/frmMain.h"

namespace varnook {

void TMainForm::LoadProgramList() {}

void TMainForm::ActionRefreshExecute() {}

void TMainForm::ActionTabProgramListExecute() {
    SetActivePage(0);
    ActionTabProgramList.SetEnabled(false);
    ActionTabStartupItems.SetEnabled(true);
}

void TMainForm::ActionHideSysPatchExecute() {}

void TMainForm::ActionHideScrExecute() {}

void TMainForm::ActionGridExecute() {}

void TMainForm::ActionInfoTipsExecute() {}

void TMainForm::ActionViewIconExecute() {}

void TMainForm::ActionViewListExecute() {}

void TMainForm::ActionViewReportExecute() {}

void TMainForm::ActionSearchExecute() {}

void TMainForm::ActionShowDetailsExecute() {}

void TMainForm::ActionUninstallExecute() {}

void TMainForm::ActionDeleteScrExecute() {}

void TMainForm::ActionCommentExecute() {}

}  // namespace varnook
