#include "Controls.h"

#include "Paint.h"

#include <windowsx.h>

namespace varnook {

void TPanel::Create(HWND parent, const RECT& bounds, bool visible) {
    CreateWindowOfClass(L"VarnookPanel", 0, WS_EX_CONTROLPARENT,
                        WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), parent, bounds);
}

void TPanel::SetColour(COLORREF colour) {
    hasColour_ = true;
    colour_ = colour;
    Invalidate();
}

void TPanel::PaintBackground(HDC dc) {
    if (hasColour_) {
        RECT client;
        GetClientRect(Handle(), &client);
        SetDCBrushColor(dc, colour_);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    } else {
        PaintParentBackground(Handle(), dc);
    }
    Picture.Draw(dc, 0, 0);
}

LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(Handle(), &ps);
            RECT client;
            GetClientRect(Handle(), &client);
            {
                TBufferedPaint buffer(dc, client);
                PaintBackground(buffer.Dc());
            }
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintBackground(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return TransparentControlColour(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (OnMouseDown) {
                OnMouseDown(message);
                return 0;
            }
            break;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

void TLabel::Create(HWND parent, const RECT& bounds, const std::wstring& text) {
    CreateWindowOfClass(L"VarnookLabel", 0, 0, WS_CHILD | WS_VISIBLE, parent, bounds, text);
    SetFont(L"MS Sans Serif", 8);
}

void TLabel::SetFont(const std::wstring& face, int points, bool bold) {
    font_ = CreatePointFont(face, points, bold);
    linkFont_ = CreatePointFont(face, points, bold, true);
    FitToText();
    Invalidate();
}

void TLabel::SetColour(COLORREF colour) {
    colour_ = colour;
    Invalidate();
}

void TLabel::SetWordWrap(bool wrap) {
    wrap_ = wrap;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void TLabel::MakeLink(COLORREF colour, COLORREF hoverColour) {
    link_ = true;
    colour_ = colour;
    hoverColour_ = hoverColour;
    Invalidate();
}

int TLabel::TextWidth() const {
    const std::wstring text = Text();
    const HDC dc = GetDC(Handle());
    const HGDIOBJ old = SelectObject(dc, font_.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    return size.cx;
}

void TLabel::FitToText() {
    if (!autoSize_ || wrap_ || !Handle())
        return;
    const RECT bounds = Bounds();
    SetBounds(bounds.left, bounds.top, TextWidth(), bounds.bottom - bounds.top);
}

void TLabel::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    TBufferedPaint buffer(dc, client);
    PaintParentBackground(Handle(), buffer.Dc());
    const std::wstring text = Text();
    const HGDIOBJ old = SelectObject(buffer.Dc(), (link_ ? linkFont_ : font_).get());
    SetBkMode(buffer.Dc(), TRANSPARENT);
    SetTextColor(buffer.Dc(), link_ && hover_ ? hoverColour_ : colour_);
    DrawTextW(buffer.Dc(), text.c_str(), static_cast<int>(text.size()), &client,
              DT_NOPREFIX | (wrap_ ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(buffer.Dc(), old);
}

LRESULT TLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
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
        case WM_SETTEXT: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            FitToText();
            Invalidate();
            return result;
        }
        case WM_SETCURSOR:
            if (link_ && !Text().empty()) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            if (link_ && !hover_) {
                hover_ = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
                Invalidate();
            }
            return 0;
        case WM_MOUSELEAVE:
            hover_ = false;
            Invalidate();
            return 0;
        case WM_LBUTTONUP:
            if (OnClick)
                OnClick();
            return 0;
        case WM_NCHITTEST:
            // A plain label lets the mouse through to its parent, so a label on a dragged background drags.
            if (!link_ && !OnClick)
                return HTTRANSPARENT;
            break;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

void TEdit::Create(HWND parent, const RECT& bounds, DWORD extraStyle) {
    TControl::Create(L"EDIT", WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | extraStyle,
                     parent, bounds);
}

void TEdit::Command(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange();
}

void TCheckBox::Create(HWND parent, const RECT& bounds) {
    TControl::Create(L"BUTTON", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, parent, bounds);
}

bool TCheckBox::Checked() const {
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TCheckBox::Command(WORD code) {
    if (code == BN_CLICKED && OnClick)
        OnClick();
}

void TGroupBox::Create(HWND parent, const RECT& bounds) {
    TControl::Create(L"BUTTON", WS_EX_TRANSPARENT, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, parent, bounds);
}

void TPushButton::Create(HWND parent, const RECT& bounds, bool isDefault) {
    TControl::Create(L"BUTTON", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                     parent, bounds);
}

void TPushButton::Command(WORD code) {
    if (code == BN_CLICKED && OnClick)
        OnClick();
}

LRESULT TransparentControlColour(HDC dc, COLORREF text) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace varnook

namespace varnook {

namespace {

constexpr COLORREF kFrameDark = RGB(90, 104, 124);
constexpr COLORREF kFrameLight = RGB(120, 136, 158);
constexpr COLORREF kBoxFill = RGB(250, 251, 253);
constexpr COLORREF kBoxBorder = RGB(120, 136, 158);
constexpr COLORREF kCheckMark = RGB(36, 104, 196);

}  // namespace

void TGroupPanel::Create(HWND parent, const RECT& bounds) {
    TPanel::Create(parent, bounds);
    font_ = CreatePointFont(L"MS Sans Serif", 8, true);
}

void TGroupPanel::SetCaptionColour(COLORREF colour) {
    captionColour_ = colour;
    Invalidate();
}

void TGroupPanel::PaintBackground(HDC dc) {
    TPanel::PaintBackground(dc);
    RECT client;
    GetClientRect(Handle(), &client);
    const std::wstring caption = Text();
    const HGDIOBJ oldFont = SelectObject(dc, font_.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int frameTop = size.cy / 2;
    const RECT frame{0, frameTop, client.right - 1, client.bottom - 1};
    // The frame is broken where the caption sits.
    const int gapLeft = 6;
    const int gapRight = caption.empty() ? gapLeft : gapLeft + size.cx + 6;
    SetDCPenColor(dc, kFrameDark);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    MoveToEx(dc, gapLeft, frame.top, nullptr);
    LineTo(dc, frame.left, frame.top);
    LineTo(dc, frame.left, frame.bottom);
    LineTo(dc, frame.right, frame.bottom);
    LineTo(dc, frame.right, frame.top);
    LineTo(dc, gapRight, frame.top);
    SetDCPenColor(dc, kFrameLight);
    MoveToEx(dc, frame.left + 1, frame.bottom - 1, nullptr);
    LineTo(dc, frame.left + 1, frame.top + 1);
    SelectObject(dc, oldPen);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, captionColour_);
    TextOutW(dc, gapLeft + 3, 0, caption.c_str(), static_cast<int>(caption.size()));
    SelectObject(dc, oldFont);
}

LRESULT TGroupPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        Invalidate();
        return result;
    }
    return TPanel::WndProc(message, wParam, lParam);
}

void TSkinCheckBox::Create(HWND parent, const RECT& bounds) {
    CreateWindowOfClass(L"VarnookCheckBox", 0, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, parent, bounds);
    font_ = CreatePointFont(L"MS Sans Serif", 8, false);
}

void TSkinCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    Invalidate();
}

void TSkinCheckBox::SetColour(COLORREF colour) {
    colour_ = colour;
    Invalidate();
}

void TSkinCheckBox::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    TBufferedPaint buffer(dc, client);
    const HDC target = buffer.Dc();
    PaintParentBackground(Handle(), target);
    const int box = 13;
    const int top = (client.bottom - box) / 2;
    RECT outer{0, top, box, top + box};
    SetDCBrushColor(target, kBoxBorder);
    FillRect(target, &outer, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    SetDCBrushColor(target, kBoxFill);
    FillRect(target, &inner, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (checked_) {
        const platform::TGdiObject pen(CreatePen(PS_SOLID, 2, kCheckMark));
        const HGDIOBJ old = SelectObject(target, pen.get());
        MoveToEx(target, outer.left + 3, top + 6, nullptr);
        LineTo(target, outer.left + 5, top + 9);
        LineTo(target, outer.left + 10, top + 3);
        SelectObject(target, old);
    }
    const std::wstring text = Text();
    RECT label = client;
    label.left = box + 6;
    const HGDIOBJ oldFont = SelectObject(target, font_.get());
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, IsWindowEnabled(Handle()) ? colour_ : RGB(128, 128, 128));
    DrawTextW(target, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (GetFocus() == Handle()) {
        RECT focus = label;
        DrawTextW(target, text.c_str(), static_cast<int>(text.size()), &focus,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
        focus.top = (client.bottom - (focus.bottom - focus.top)) / 2;
        focus.bottom = focus.top + (focus.bottom - focus.top);
        InflateRect(&focus, 2, 1);
        DrawFocusRect(target, &focus);
    }
    SelectObject(target, oldFont);
}

LRESULT TSkinCheckBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
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
        case WM_LBUTTONDOWN:
            SetFocus(Handle());
            return 0;
        case WM_LBUTTONUP:
            SetChecked(!checked_);
            if (OnClick)
                OnClick();
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE) {
                SetChecked(!checked_);
                if (OnClick)
                    OnClick();
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_SETTEXT: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            Invalidate();
            return result;
        }
    }
    return TWindow::WndProc(message, wParam, lParam);
}

void TComboBox::Create(HWND parent, const RECT& bounds) {
    TControl::Create(WC_COMBOBOXW, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, parent,
                     bounds);
}

void TComboBox::AddItem(const std::wstring& text) {
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TComboBox::Count() const {
    return static_cast<int>(Send(CB_GETCOUNT));
}

std::wstring TComboBox::ItemText(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int TComboBox::ItemIndex() const {
    return static_cast<int>(Send(CB_GETCURSEL));
}

void TComboBox::SetItemIndex(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

}  // namespace varnook
