#include "Modal.h"

namespace varnook {

namespace {

std::function<void(HWND)>& ModalDriver() {
    static std::function<void(HWND)> driver;
    return driver;
}

}  // namespace

void SetModalDriver(std::function<void(HWND dialog)> driver) {
    ModalDriver() = std::move(driver);
}

void RunModal(HWND dialog, HWND owner, const bool& closed) {
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    if (const auto driver = ModalDriver())
        driver(dialog);
    MSG message{};
    while (!closed && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam));
}

void CentreOnScreen(HWND window) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT bounds;
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE OuterSizeFor(HWND window, int clientWidth, int clientHeight) {
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace varnook
