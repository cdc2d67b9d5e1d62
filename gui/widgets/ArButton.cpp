#include "ArButton.h"

#include "Paint.h"

#include <windowsx.h>

namespace varnook {

namespace {

constexpr wchar_t kDefaultButtonProperty[] = L"VarnookDefaultButton";

}  // namespace

void TArButton::Create(HWND parent, const RECT& bounds, const std::wstring& caption) {
    CreateWindowOfClass(L"TArButton", CS_DBLCLKS, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, parent, bounds, caption);
}

void TArButton::SetFont(TState state, const TButtonFont& font) {
    const int index = static_cast<int>(state);
    fonts_[index] = font;
    created_[index].reset();
    Invalidate();
}

void TArButton::SetTextOffset(int textX, int textY) {
    hasOffset_ = true;
    textX_ = textX;
    textY_ = textY;
}

void TArButton::SetContextMenu(HMENU menu, HWND owner) {
    contextMenu_ = menu;
    menuOwner_ = owner;
}

void TArButton::Enable(bool enabled) {
    EnableWindow(Handle(), enabled);
    Invalidate();
}

bool TArButton::Enabled() const {
    return IsWindowEnabled(Handle());
}

void TArButton::MakeDefault() {
    SetPropW(GetAncestor(Handle(), GA_ROOT), kDefaultButtonProperty, Handle());
}

TArButton* TArButton::DefaultOf(HWND window) {
    const HWND button = static_cast<HWND>(GetPropW(window, kDefaultButtonProperty));
    return button && IsWindow(button) ? static_cast<TArButton*>(FromHandle(button)) : nullptr;
}

void TArButton::Click() {
    if (Enabled() && OnClick)
        OnClick();
}

TArButton::TState TArButton::State() const {
    if (!Enabled())
        return TState::Disabled;
    if ((mouseDown_ && hover_) || keyDown_)
        return TState::MouseDown;
    if (hover_)
        return TState::MouseHover;
    return TState::Normal;
}

const TPicture* TArButton::DrawnPicture() const {
    const TPicture* pictures[] = {&PicNormal, &PicMouseHover, &PicMouseDown, &PicDisabled};
    const TPicture* chosen = pictures[static_cast<int>(State())];
    if (chosen->Empty())
        chosen = &PicNormal;
    return chosen->Empty() ? nullptr : chosen;
}

HFONT TArButton::FontFor(TState state) {
    const int index = static_cast<int>(state);
    if (!created_[index])
        created_[index] = CreatePointFont(fonts_[index].face, fonts_[index].points, fonts_[index].bold);
    return created_[index].get();
}

void TArButton::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    TBufferedPaint buffer(dc, client);
    PaintParentBackground(Handle(), buffer.Dc());

    if (const TPicture* picture = DrawnPicture()) {
        const int x = pictureCentred_ ? (client.right - picture->Width()) / 2 : 0;
        const int y = pictureCentred_ ? (client.bottom - picture->Height()) / 2 : 0;
        picture->Draw(buffer.Dc(), x, y);
    }

    const std::wstring caption = Text();
    if (!caption.empty()) {
        const TState state = State();
        const HGDIOBJ oldFont = SelectObject(buffer.Dc(), FontFor(state));
        SetBkMode(buffer.Dc(), TRANSPARENT);
        SetTextColor(buffer.Dc(), fonts_[static_cast<int>(state)].colour);
        RECT text = client;
        UINT format = DT_SINGLELINE | DT_NOPREFIX;
        if (hasOffset_) {
            text.left = textX_;
            text.top = textY_;
        } else {
            format |= DT_CENTER | DT_VCENTER;
        }
        DrawTextW(buffer.Dc(), caption.c_str(), static_cast<int>(caption.size()), &text, format);
        SelectObject(buffer.Dc(), oldFont);
    }

    if (GetFocus() == Handle() && !(SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = client;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(buffer.Dc(), &focus);
    }
}

LRESULT TArButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {
        case WM_MOUSEMOVE: {
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT client;
            GetClientRect(Handle(), &client);
            const bool inside = PtInRect(&client, point);
            if (inside != hover_) {
                hover_ = inside;
                Invalidate();
            }
            if (inside) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            hover_ = false;
            Invalidate();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(Handle());
            SetCapture(Handle());
            mouseDown_ = true;
            hover_ = true;
            Invalidate();
            return 0;
        case WM_LBUTTONUP: {
            const bool click = mouseDown_ && hover_;
            mouseDown_ = false;
            ReleaseCapture();
            Invalidate();
            if (click)
                Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            mouseDown_ = false;
            Invalidate();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                keyDown_ = true;
                Invalidate();
                return 0;
            }
            break;
        case WM_KEYUP:
            if ((wParam == VK_SPACE || wParam == VK_RETURN) && keyDown_) {
                keyDown_ = false;
                Invalidate();
                Click();
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_BUTTON | DLGC_WANTALLKEYS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            keyDown_ = false;
            Invalidate();
            return 0;
        case WM_ENABLE:
            Invalidate();
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefaultProc(message, wParam, lParam);
            Invalidate();
            return result;
        }
        case WM_CONTEXTMENU:
            if (contextMenu_) {
                TrackPopupMenu(contextMenu_, TPM_LEFTALIGN | TPM_TOPALIGN, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                               0, menuOwner_, nullptr);
            }
            return 0;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
