#pragma once

#include "Picture.h"
#include "Window.h"

#include <functional>

namespace varnook {

// The font of a button state: face, size in points, weight and colour.
struct TButtonFont {
    std::wstring face = L"MS Sans Serif";
    int points = 8;
    bool bold = false;
    COLORREF colour = RGB(0, 0, 0);
};

// An image button: four state pictures (hover, pressed and disabled fall back to the normal one), a font per
// state, a one-line caption centred or at an offset, and no background of its own, so the parent shows
// through. A left press or Space/Enter on the focused button presses it; the release over it clicks it.
class TArButton : public TWindow {
public:
    enum class TState { Normal, MouseHover, MouseDown, Disabled };

    void Create(HWND parent, const RECT& bounds, const std::wstring& caption = {});

    TPicture PicNormal;
    TPicture PicMouseHover;
    TPicture PicMouseDown;
    TPicture PicDisabled;

    void SetFont(TState state, const TButtonFont& font);
    // The caption's top-left corner relative to the button; without it the caption is centred.
    void SetTextOffset(int textX, int textY);
    void SetPictureCentred(bool centred) { pictureCentred_ = centred; }
    // A menu opened at the pointer by a right click (the button's context menu); not owned.
    void SetContextMenu(HMENU menu, HWND owner);
    void Enable(bool enabled);
    bool Enabled() const;
    // Makes this the button the Enter key presses in its top-level window.
    void MakeDefault();
    // The default button of the top-level window `window`, or null.
    static TArButton* DefaultOf(HWND window);

    void Click();
    TState State() const;
    const TPicture* DrawnPicture() const;

    std::function<void()> OnClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) override;
    HFONT FontFor(TState state);

    TButtonFont fonts_[4];
    platform::TFont created_[4];
    bool hasOffset_ = false;
    int textX_ = 0;
    int textY_ = 0;
    bool pictureCentred_ = true;
    bool hover_ = false;
    bool mouseDown_ = false;
    bool keyDown_ = false;
    HMENU contextMenu_ = nullptr;
    HWND menuOwner_ = nullptr;
};

}  // namespace varnook
