#include "frmAddItem.h"

#include "StartupRules.h"
#include "StartupStore.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Modal.h"
#include "gui/widgets/Prompt.h"

#include <shlobj.h>

namespace varnook {

namespace {

RECT Place(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CentreOn(HWND window, HWND owner) {
    RECT outer, bounds;
    GetWindowRect(owner, &outer);
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, outer.left + (outer.right - outer.left - width) / 2,
                 outer.top + (outer.bottom - outer.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void TAddItemForm::Create(HWND owner) {
    owner_ = owner;
    CreateWindowOfClass(L"TAddItemForm", 0, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, owner, Place(0, 0, 380, 160),
                        L"Add item");
    const SIZE outer = OuterSizeFor(Handle(), 362, 118);
    SetBounds(0, 0, outer.cx, outer.cy);

    lblTarget.Create(Handle(), Place(12, 17, 62, 13));
    txtTarget.Create(Handle(), Place(76, 13, 190, 21));
    btnBrowse.Create(Handle(), Place(274, 12, 76, 23), false);
    lblSection.Create(Handle(), Place(12, 51, 62, 13));
    cmbSection.Create(Handle(), Place(76, 47, 274, 120));
    btnOK.Create(Handle(), Place(192, 84, 76, 23), true);
    btnCancel.Create(Handle(), Place(274, 84, 76, 23), false);
    btnBrowse.OnClick = [this] { btnBrowseClick(); };
    btnOK.OnClick = [this] { btnOKClick(); };
    btnCancel.OnClick = [this] { btnCancelClick(); };
    if (owner)
        CentreOn(Handle(), owner);
    else
        CentreOnScreen(Handle());
    FormCreate();
}

void TAddItemForm::FormCreate() {
    for (TLangId id : {IDS_ADDITEMFORM_COMBOBOX_Items1, IDS_ADDITEMFORM_COMBOBOX_Items2,
                       IDS_ADDITEMFORM_COMBOBOX_Items3, IDS_ADDITEMFORM_COMBOBOX_Items4})
        cmbSection.AddItem(Lang(id));
    cmbSection.SetItemIndex(RunKeyUser);
}

void TAddItemForm::FormShow() {
    SetText(Lang(IDS_ADDITEMFORM_Title));
    lblTarget.SetText(Lang(IDS_ADDITEMFORM_LABEL_Target));
    lblSection.SetText(Lang(IDS_ADDITEMFORM_LABEL_Section));
    btnBrowse.SetText(Lang(IDS_ADDITEMFORM_BUTTON_Browse));
    btnOK.SetText(Lang(IDS_ADDITEMFORM_BUTTON_Ok));
    btnCancel.SetText(Lang(IDS_ADDITEMFORM_BUTTON_Cancel));
}

void TAddItemForm::ShowModal() {
    FormShow();
    RunModal(Handle(), owner_, closed_);
}

void TAddItemForm::Close() {
    closed_ = true;
    Show(false);
}

void TAddItemForm::btnBrowseClick() {
    const std::wstring file = Prompt().OpenFileDialog(Handle(), kFilter, L"");
    if (!file.empty())
        txtTarget.SetText(file);
}

void TAddItemForm::btnOKClick() {
    const std::wstring target = txtTarget.Text();
    if (!FileExists(target)) {
        Prompt().MessageBox(Handle(), kTargetMissing, MB_OK);
        txtTarget.SetText(L"");
        return;
    }
    const std::wstring fileName = startup::FileNameOf(target);
    switch (cmbSection.ItemIndex()) {
        case StartupFolderUser:
        case StartupFolderAllUsers: {
            const std::wstring folder = GetSpecialFolderPath(
                cmbSection.ItemIndex() == StartupFolderUser ? CSIDL_STARTUP : CSIDL_COMMON_STARTUP);
            // An unknown folder would put the shortcut at the root of the current drive.
            if (!folder.empty())
                CreateShortcut(target, startup::WithTrailingBackslash(folder) + fileName);
            break;
        }
        case RunKeyUser:
        case RunKeyAllUsers:
            WriteRunValue(cmbSection.ItemIndex() == RunKeyUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
                          startup::WithoutExtension(fileName), target);
            break;
    }
    Close();
    if (OnItemAdded)
        OnItemAdded();
}

void TAddItemForm::btnCancelClick() {
    Close();
}

void TAddItemForm::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TAddItemForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_COMMAND:
            // Enter and Escape reach a dialog as OK and Cancel.
            if (lParam == 0 && LOWORD(wParam) == IDOK) {
                btnOKClick();
                return 0;
            }
            if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
                btnCancelClick();
                return 0;
            }
            break;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
