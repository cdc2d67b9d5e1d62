#include "frmAbout.h"

#include "funUtilsControls.h"
#include "globals.h"
#include "gui/widgets/Modal.h"
#include "gui/widgets/Prompt.h"
#include "multiLangs.h"
#include "multiSkins.h"

namespace varnook {

namespace {

// The three etched lines of the dialog.
constexpr RECT kBevels[] = {{152, 68, 432, 71}, {153, 148, 433, 151}, {11, 308, 441, 311}};

// The picture control takes its skin position like any control.
struct TPictureBounds {
    RECT& bounds;
    void SetBounds(int left, int top, int width, int height) { bounds = Box(left, top, width, height); }
};

}  // namespace

void TAboutForm::Create(HWND owner) {
    CreateFrame(L"TAboutForm", owner, 474, 347);

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

void TAboutForm::Paint(HDC dc) {
    TDialog::Paint(dc);
    for (RECT bevel : kBevels) {
        bevel.bottom = bevel.top + 2;
        DrawEdge(dc, &bevel, EDGE_ETCHED, BF_TOP);
    }
    ImgAbout.Draw(dc, ImgAboutBounds.left, ImgAboutBounds.top);
}

}  // namespace varnook
