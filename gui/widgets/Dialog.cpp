#include "Dialog.h"

#include "Modal.h"

namespace varnook {

void TDialog::CreateFrame(const wchar_t* className, HWND owner, int clientWidth, int clientHeight) {
    owner_ = owner;
    CreateWindowOfClass(className, 0, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, owner,
                        Box(0, 0, clientWidth, clientHeight));
    const SIZE outer = OuterSizeFor(Handle(), clientWidth, clientHeight);
    SetBounds(0, 0, outer.cx, outer.cy);
    CentreOnScreen(Handle());
}

void TDialog::ShowModal() {
    closed_ = false;
    RunModal(Handle(), owner_, closed_);
}

void TDialog::Close() {
    closed_ = true;
    Show(false);
}

void TDialog::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TDialog::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {
        case WM_COMMAND:
            // Enter and Escape reach a dialog as OK and Cancel.
            if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                Close();
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_CLOSE:
            Close();
            return 0;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
