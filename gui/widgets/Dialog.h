#pragma once

#include "Window.h"

namespace varnook {

// A rectangle from a position and a size, as the forms lay out their controls.
inline RECT Box(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

// Base of the program's dialogs: a fixed-size window with a caption and a close box, owned by another window
// and shown modally. Enter and Escape (OK and Cancel) and the close box close it; the background is the
// button-face colour, with whatever Paint adds.
class TDialog : public TWindow {
public:
    void ShowModal();
    void Close();
    bool Closed() const { return closed_; }
    HWND Owner() const { return owner_; }

protected:
    // Creates the dialog hidden, with the given client size, centred on the screen.
    void CreateFrame(const wchar_t* className, HWND owner, int clientWidth, int clientHeight);
    // Draws the background; dialogs that show pictures or lines add them here.
    void Paint(HDC dc) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND owner_ = nullptr;
    bool closed_ = true;
};

}  // namespace varnook
