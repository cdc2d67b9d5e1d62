#include "frmAbout.h"

#include "funUtilsControls.h"
#include "globals.h"
#include "gui/widgets/Modal.h"
#include "gui/widgets/Prompt.h"
#include "multiLangs.h"
#include "multiSkins.h"

namespace varnook {

namespace {

RECT Box(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

// The three etched lines of the dialog.
constexpr RECT kBevels[] = {{152, 68, 432, 71}, {153, 148, 433, 151}, {11, 308, 441, 311}};

// The picture control takes its skin position like any control.
struct TPictureBounds {
    RECT& bounds;
    void SetBounds(int left, int top, int width, int height) { bounds = Box(left, top, width, height); }
};

}  // namespace

void TAboutForm::Create(HWND owner) {
    owner_ = owner;
    CreateWindowOfClass(L"TAboutForm", 0, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, owner, Box(0, 0, 480, 380));
    const SIZE outer = OuterSizeFor(Handle(), 474, 347);
    SetBounds(0, 0, outer.cx, outer.cy);

    lblProductTitle.Create(Handle(), Box(152, 11, 289, 30));
    lblProductTitle.SetFont(L"MS Sans Serif", 8, true);
    lblProductTitle.SetWordWrap(true);
    lblCopyright.Create(Handle(), Box(152, 42, 280, 16));
    lnkWebOnline.Create(Handle(), Box(152, 162, 280, 13));
    lnkSupportEmail.Create(Handle(), Box(152, 184, 280, 13));
    lblWarning.Create(Handle(), Box(152, 206, 288, 100));
    lblWarning.SetWordWrap(true);
    for (TLabel* link : {&lnkWebOnline, &lnkSupportEmail})
        link->MakeLink(RGB(0, 0, 255), RGB(255, 0, 0));
    lnkWebOnline.OnClick = [this] { Prompt().ShellOpen(Handle(), L"open", kWebPage, L"", L"", SW_SHOWNORMAL); };
    lnkSupportEmail.OnClick = [this] {
        Prompt().ShellOpen(Handle(), L"open", std::wstring(L"mailto:") + kSupportAddress, L"", L"", SW_SHOWNORMAL);
    };
    btnOK.Create(Handle(), Box(344, 316, 98, 25), true);
    btnOK.OnClick = [this] { Close(); };
    CentreOnScreen(Handle());
    FormShow();
}

void TAboutForm::FormShow() {
    ApplyLanguage();
    ApplySkin();
}

void TAboutForm::ApplyLanguage() {
    SetText(Lang(IDS_ABOUTFORM_Title));
    lblCopyright.SetText(Lang(IDS_ABOUTFORM_LABEL_CopyRight));
    lblWarning.SetText(Lang(IDS_ABOUTFORM_LABEL_Warning));
    btnOK.SetText(Lang(IDS_ABOUTFORM_BUTTON_Ok));
    lblProductTitle.SetText(std::wstring(kApplicationTitle) + L" " + kVersionText);
    lnkWebOnline.SetText(kWebPage);
    lnkSupportEmail.SetText(kSupportAddress);
}

void TAboutForm::ApplySkin() {
    LoadSkinPicture(ImgAbout, Skin(SK_ABOUTFORM_IMGABOUT_Pic));
    TPictureBounds picture{ImgAboutBounds};
    SetControlPos(picture, Skin(SK_ABOUTFORM_IMGABOUT_POS));
    Invalidate();
}

void TAboutForm::ShowModal() {
    RunModal(Handle(), owner_, closed_);
}

void TAboutForm::Close() {
    closed_ = true;
    Show(false);
}

void TAboutForm::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (RECT bevel : kBevels) {
        bevel.bottom = bevel.top + 2;
        DrawEdge(dc, &bevel, EDGE_ETCHED, BF_TOP);
    }
    ImgAbout.Draw(dc, ImgAboutBounds.left, ImgAboutBounds.top);
}

LRESULT TAboutForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(Handle(), &ps);
            Paint(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_COMMAND:
            // Enter and Escape reach a dialog as OK and Cancel.
            if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
                Close();
                return 0;
            }
            break;
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
