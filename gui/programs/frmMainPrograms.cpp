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

std::optional<TMainForm::TRow> TMainForm::SelectedRow() const {
    const int index = static_cast<int>(lsvProgramList.Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0)
        return std::nullopt;
    wchar_t caption[1024] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = caption;
    item.cchTextMax = 1024;
    lsvProgramList.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    TRow row;
    row.index = index;
    row.caption = caption;
    row.data = item.lParam;
    row.screenSaver = caption[0] == L'[';
    return row;
}

}  // namespace varnook
