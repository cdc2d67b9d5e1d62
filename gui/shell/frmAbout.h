#pragma once

#include "gui/widgets/Controls.h"
#include "gui/widgets/Dialog.h"

namespace varnook {

// The About dialog: the skin's About picture, product title and version, copyright, the program's web page
// and support address as links, and a copyright-law notice. Created anew for each showing.
class TAboutForm : public TDialog {
public:
    static constexpr wchar_t kWebPage[] = L"https://varnook.example";
    static constexpr wchar_t kSupportAddress[] = L"support@varnook.example";

    void Create(HWND owner);
    void FormShow();
    void ApplyLanguage();
    void ApplySkin();

    TPicture ImgAbout;
    RECT ImgAboutBounds{10, 11, 135, 289};
    TLabel lblProductTitle, lblCopyright, lnkWebOnline, lnkSupportEmail, lblWarning;
    TPushButton btnOK;

protected:
    void Paint(HDC dc) override;
};

}  // namespace varnook
