#include "frmSplash.h"

#include "funUtilsControls.h"
#include "gui/widgets/Modal.h"
#include "multiLangs.h"
#include "multiSkins.h"

namespace varnook {

namespace {

constexpr UINT_PTR kShowTimer = 1;

}  // namespace

void TSplashForm::Create() {
    CreateWindowOfClass(L"TSplashForm", 0, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WS_POPUP, nullptr, RECT{0, 0, 400, 200});
    lblCopyright.Create(Handle(), RECT{155, 144, 155 + 340, 144 + 65});
    lblCopyright.SetWordWrap(true);
    lblCopyright.SetFont(L"Tahoma", 8);
    lblCopyright.SetColour(GetSysColor(COLOR_WINDOW));
    FormCreate();
}

void TSplashForm::FormCreate() {
    SetTimer(Handle(), kShowTimer, kShowMilliseconds, nullptr);
    LoadSkinPicture(imgBackground, Skin(SK_SPLASHFORM_IMAGE_CHARGE));
    lblCopyright.SetText(Lang(IDS_SPLASHFORM_LABEL_Copyright));
    // The window takes the size of its picture.
    if (!imgBackground.Empty())
        SetBounds(0, 0, imgBackground.Width(), imgBackground.Height());
    CentreOnScreen(Handle());
}

void TSplashForm::ShowModal() {
    RunModal(Handle(), nullptr, closed_);
}

void TSplashForm::tmrShowTimer() {
    KillTimer(Handle(), kShowTimer);
    closed_ = true;
    Show(false);
}

LRESULT TSplashForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kShowTimer) {
                tmrShowTimer();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT: {
            PAINTSTRUCT ps;
            const HDC dc = message == WM_PAINT ? BeginPaint(Handle(), &ps) : reinterpret_cast<HDC>(wParam);
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_3DDKSHADOW));
            imgBackground.Draw(dc, 0, 0);
            if (message == WM_PAINT)
                EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_CLOSE:
            return 0;  // only the timer closes the splash
    }
    return TWindow::WndProc(message, wParam, lParam);
}

void ShowSplash() {
    TSplashForm splash;
    splash.Create();
    splash.ShowModal();
}

}  // namespace varnook
