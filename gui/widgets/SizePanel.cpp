#include "SizePanel.h"

#include "Paint.h"

#include <windowsx.h>

namespace varnook {

namespace {

constexpr COLORREF kBar = RGB(38, 46, 58);
constexpr COLORREF kGrip = RGB(62, 74, 92);
constexpr COLORREF kGripHover = RGB(64, 140, 224);
constexpr COLORREF kArrow = RGB(226, 232, 240);

}  // namespace

void TSizePanel::Create(HWND parent, const RECT& bounds) {
    CreateWindowOfClass(L"VarnookSizePanel", 0, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, parent,
                        bounds);
    openBounds_ = bounds;
    content_.Create(Handle(), RECT{kBarWidth, 0, bounds.right - bounds.left, bounds.bottom - bounds.top});
}

void TSizePanel::SetBounds(int left, int top, int width, int height) {
    openBounds_ = RECT{left, top, left + width, top + height};
    Layout();
}

void TSizePanel::Layout() {
    const int width = openBounds_.right - openBounds_.left;
    const int height = openBounds_.bottom - openBounds_.top;
    if (open_) {
        TWindow::SetBounds(openBounds_.left, openBounds_.top, width, height);
    } else {
        RECT parent;
        GetClientRect(GetParent(Handle()), &parent);
        TWindow::SetBounds(parent.right - kBarWidth, openBounds_.top, kBarWidth, height);
    }
    content_.SetBounds(kBarWidth, 0, width - kBarWidth, height);
    content_.Show(open_);
    Invalidate();
}

RECT TSizePanel::HotSpot() const {
    RECT client;
    GetClientRect(Handle(), &client);
    const int length = std::max<int>(12, (client.bottom - client.top) * 6 / 100);
    const int top = (client.bottom - length) / 2;
    return RECT{0, top, kBarWidth, top + length};
}

void TSizePanel::ClickHotSpot() {
    open_ = !open_;
    Layout();
    if (OnHotSpotClick)
        OnHotSpotClick();
}

void TSizePanel::Paint(HDC dc) {
    RECT bar;
    GetClientRect(Handle(), &bar);
    bar.right = kBarWidth;
    SetDCBrushColor(dc, kBar);
    FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const RECT spot = HotSpot();
    SetDCBrushColor(dc, hotSpotHover_ ? kGripHover : kGrip);
    FillRect(dc, &spot, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    // A small triangle points where the panel goes on a click.
    const int middle = (spot.top + spot.bottom) / 2;
    POINT points[3];
    if (open_) {
        points[0] = {2, middle - 3};
        points[1] = {6, middle};
        points[2] = {2, middle + 3};
    } else {
        points[0] = {6, middle - 3};
        points[1] = {2, middle};
        points[2] = {6, middle + 3};
    }
    SetDCBrushColor(dc, kArrow);
    SetDCPenColor(dc, kArrow);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    Polygon(dc, points, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

LRESULT TSizePanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {
        case WM_MOUSEMOVE: {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT spot = HotSpot();
            const bool hover = PtInRect(&spot, point);
            if (hover != hotSpotHover_) {
                hotSpotHover_ = hover;
                InvalidateRect(Handle(), &spot, FALSE);
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            hotSpotHover_ = false;
            Invalidate();
            return 0;
        case WM_SETCURSOR: {
            POINT point;
            GetCursorPos(&point);
            ScreenToClient(Handle(), &point);
            const RECT spot = HotSpot();
            if (PtInRect(&spot, point)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONUP: {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT spot = HotSpot();
            if (PtInRect(&spot, point))
                ClickHotSpot();
            return 0;
        }
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
