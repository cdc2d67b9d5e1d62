#include "Paint.h"

namespace varnook {

TBufferedPaint::TBufferedPaint(HDC target, const RECT& area)
    : target_(target), area_(area), dc_(CreateCompatibleDC(target)) {
    bitmap_.reset(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top));
    old_ = SelectObject(dc_.get(), bitmap_.get());
    SetViewportOrgEx(dc_.get(), -area.left, -area.top, nullptr);
}

TBufferedPaint::~TBufferedPaint() {
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(), area_.left,
           area_.top, SRCCOPY);
    SelectObject(dc_.get(), old_);
}

void PaintParentBackground(HWND child, HDC dc) {
    const HWND parent = GetParent(child);
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT previous;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

platform::TFont CreatePointFont(const std::wstring& face, int points, bool bold, bool underline) {
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return platform::TFont(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace varnook
