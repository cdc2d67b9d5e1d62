// Uninstall runs and entry maintenance of the program list page.
#include "gui/shell/frmMain.h"

namespace varnook {

void TMainForm::ActionUninstallExecute() {}

void TMainForm::ActionDeleteScrExecute() {}

void TMainForm::ActionCommentExecute() {}

void TMainForm::WMUninstallFinished(bool) {}

}  // namespace varnook
