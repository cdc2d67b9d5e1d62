#include "frmComment.h"

#include "gui/shell/multiLangs.h"

namespace varnook {

namespace {

// CreateFrame centres a dialog on the screen; this one sits over its owner.
void CentreOnWindow(HWND window, HWND over) {
    RECT area;
    if (!over || !GetWindowRect(over, &area))
        return;
    RECT bounds;
    GetWindowRect(window, &bounds);
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - (bounds.right - bounds.left)) / 2,
                 area.top + (area.bottom - area.top - (bounds.bottom - bounds.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TCommentForm::Create(HWND owner) {
    CreateFrame(L"TCommentForm", owner, 372, 150);
    CentreOnWindow(Handle(), owner);
    lblProgramName.Create(Handle(), Box(12, 12, 348, 30));
    lblProgramName.SetFont(L"MS Sans Serif", 8, true);
    lblProgramName.SetWordWrap(true);
    lblTitle.Create(Handle(), Box(12, 48, 348, 28));
    lblTitle.SetWordWrap(true);
    txtComment.Create(Handle(), Box(12, 78, 348, 21));
    txtComment.Send(EM_LIMITTEXT, kMaxCommentLength);
    btnOk.Create(Handle(), Box(188, 113, 82, 25), true);
    btnCancel.Create(Handle(), Box(278, 113, 82, 25), false);
    btnOk.OnClick = [this] { CloseWith(IDOK); };
    btnCancel.OnClick = [this] { CloseWith(IDCANCEL); };
    FormShow();
}

void TCommentForm::FormShow() {
    ApplyLanguage();
    SetFocus(txtComment.Handle());
}

void TCommentForm::ApplyLanguage() {
    SetText(Lang(IDS_COMMENTFORM_Title));
    lblTitle.SetText(Lang(IDS_COMMENTFORM_LABEL_TITLE));
    btnOk.SetText(Lang(IDS_COMMENTFORM_BUTTON_Ok));
    btnCancel.SetText(Lang(IDS_COMMENTFORM_BUTTON_Cancel));
}

void TCommentForm::CloseWith(int result) {
    modalResult_ = result;
    Close();
}

LRESULT TCommentForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // Enter and Escape reach a dialog as OK and Cancel.
            if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                CloseWith(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_CLOSE:
            CloseWith(IDCANCEL);
            return 0;
    }
    return TDialog::WndProc(message, wParam, lParam);
}

}  // namespace varnook
