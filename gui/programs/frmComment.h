#pragma once

#include "gui/widgets/Controls.h"
#include "gui/widgets/Dialog.h"

namespace varnook {

// The comment dialog: the program's name, a one-line edit box of at most 250 characters, OK and Cancel.
// Created anew for each use.
class TCommentForm : public TDialog {
public:
    static constexpr int kMaxCommentLength = 250;

    void Create(HWND owner);
    void FormShow();
    void ApplyLanguage();
    // How the dialog closed: IDOK, or IDCANCEL for Cancel, Escape and the close box.
    int ModalResult() const { return modalResult_; }

    TLabel lblProgramName, lblTitle;
    TEdit txtComment;
    TPushButton btnOk, btnCancel;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CloseWith(int result);
    int modalResult_ = IDCANCEL;
};

}  // namespace varnook
