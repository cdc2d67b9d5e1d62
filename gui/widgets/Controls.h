#pragma once

#include "Picture.h"
#include "Window.h"

#include <functional>

namespace varnook {

// A plain container: paints a picture (when it has one) over a solid colour, shows the parent through when
// it has neither, and hands its controls' notifications to their wrappers.
class TPanel : public TWindow {
public:
    void Create(HWND parent, const RECT& bounds, bool visible = true);
    void SetColour(COLORREF colour);

    TPicture Picture;
    // Mouse presses on the panel itself (not on its controls).
    std::function<void(UINT message)> OnMouseDown;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void PaintBackground(HDC dc);

private:
    bool hasColour_ = false;
    COLORREF colour_ = 0;
};

// A label drawn by the program over whatever lies beneath: one line or word-wrapped, in its own font and
// colour. A link label underlines its text, shows a hand, changes colour under the mouse and calls OnClick.
class TLabel : public TWindow {
public:
    void Create(HWND parent, const RECT& bounds, const std::wstring& text = {});
    void SetFont(const std::wstring& face, int points, bool bold = false);
    void SetColour(COLORREF colour);
    void SetWordWrap(bool wrap);
    void SetAutoSize(bool autoSize);
    void MakeLink(COLORREF colour, COLORREF hoverColour);
    // The width the text needs in the label's font.
    int TextWidth() const;

    std::function<void()> OnClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) override;
    void FitToText();

    platform::TFont font_;
    platform::TFont linkFont_;
    COLORREF colour_ = RGB(0, 0, 0);
    COLORREF hoverColour_ = RGB(0, 0, 0);
    bool wrap_ = false;
    bool autoSize_ = false;
    bool link_ = false;
    bool hover_ = false;
};

// System controls with the few typed helpers the forms need.
class TEdit : public TControl {
public:
    void Create(HWND parent, const RECT& bounds, DWORD extraStyle = 0);
    std::function<void()> OnChange;
    void Command(WORD code) override;
};

class TCheckBox : public TControl {
public:
    void Create(HWND parent, const RECT& bounds);
    bool Checked() const;
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    void Command(WORD code) override;
};

class TGroupBox : public TControl {
public:
    void Create(HWND parent, const RECT& bounds);
};

class TPushButton : public TControl {
public:
    void Create(HWND parent, const RECT& bounds, bool isDefault);
    std::function<void()> OnClick;
    void Command(WORD code) override;
};

// A group box drawn by the program (an etched frame with its caption over the parent's picture), which,
// unlike the system's, passes its controls' notifications on to their wrappers.
class TGroupPanel : public TPanel {
public:
    void Create(HWND parent, const RECT& bounds);
    void SetCaptionColour(COLORREF colour);

protected:
    void PaintBackground(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    platform::TFont font_;
    COLORREF captionColour_ = RGB(0, 0, 0);
};

// A check box drawn by the program in its own colours, so that it reads on a skin picture.
class TSkinCheckBox : public TWindow {
public:
    void Create(HWND parent, const RECT& bounds);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void SetColour(COLORREF colour);
    // Called after a click or the space key has toggled the box.
    std::function<void()> OnClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) override;
    platform::TFont font_;
    bool checked_ = false;
    COLORREF colour_ = RGB(0, 0, 0);
};

// A transparent-background reply for WM_CTLCOLORSTATIC/WM_CTLCOLORBTN of check boxes, group boxes and
// static texts that sit on a picture.
LRESULT TransparentControlColour(HDC dc, COLORREF text);

// A drop-down list without free text.
class TComboBox : public TControl {
public:
    void Create(HWND parent, const RECT& bounds);
    void AddItem(const std::wstring& text);
    int Count() const;
    std::wstring ItemText(int index) const;
    // -1: no entry selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
};

}  // namespace varnook
