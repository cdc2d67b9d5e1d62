// The startup items page of the main window.
#include "gui/shell/frmMain.h"

namespace varnook {

void TMainForm::RefreshStartupList() {}

void TMainForm::ActionTabStartupItemsExecute() {
    SetActivePage(1);
    ActionTabStartupItems.SetEnabled(false);
    ActionTabProgramList.SetEnabled(true);
}

void TMainForm::ActionApplyExecute() {}

void TMainForm::ActionSelectAllExecute() {}

void TMainForm::ActionDeleteExecute() {}

void TMainForm::ActionAddItemExecute() {}

}  // namespace varnook
