#pragma once

#include "gui/widgets/Controls.h"

#include <functional>
#include <string>

namespace varnook {

// The add dialog of the startup page: a target program and the place where it is to start from (a shortcut
// in one of the two Startup folders, or a value of one of the two Run keys). Created anew for each showing.
class TAddItemForm : public TWindow {
public:
    // The place that each entry of cmbSection stands for, in the list's order.
    enum TSection { StartupFolderUser, StartupFolderAllUsers, RunKeyUser, RunKeyAllUsers };
    static constexpr wchar_t kTargetMissing[] = L"The specified target file can't be found, please reset!";
    static constexpr wchar_t kFilter[] = L"All Files (*.*)|*.*";

    // Creates the dialog hidden, centred on `owner`, and runs FormCreate.
    void Create(HWND owner);
    void FormCreate();
    void FormShow();
    void ShowModal();
    void Close();
    bool Closed() const { return closed_; }

    void btnBrowseClick();
    void btnOKClick();
    void btnCancelClick();

    TLabel lblTarget, lblSection;
    TEdit txtTarget;
    TPushButton btnBrowse, btnOK, btnCancel;
    TComboBox cmbSection;

    // Called after an item has been added and the dialog has closed.
    std::function<void()> OnItemAdded;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) override;
    HWND owner_ = nullptr;
    bool closed_ = false;
};

}  // namespace varnook
