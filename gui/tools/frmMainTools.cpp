// The export, report and tool commands of the main window.
#include "gui/shell/frmMain.h"

namespace varnook {

void TMainForm::ActionAddNewExecute() {}

void TMainForm::ActionExportRegExecute() {}

void TMainForm::ActionReloadRegExecute() {}

void TMainForm::ActionCreateBackupExecute() {}

void TMainForm::ActionExporetListExecute() {}

void TMainForm::ActionRegeditExecute() {}

void TMainForm::ActionWinUpdateExecute() {}

void TMainForm::ActionWinServicesExecute() {}

void TMainForm::ActionWinComponentsExecute() {}

}  // namespace varnook
