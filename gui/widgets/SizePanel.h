#pragma once

#include "Controls.h"

namespace varnook {

// A side panel docked at the right of its parent with an 8-pixel bar on its left edge. A click on the bar's
// hot spot (6 per cent of its length, in the middle) folds the panel down to the bar or opens it again; the
// panel's controls live in Content(), right of the bar.
class TSizePanel : public TWindow {
public:
    static constexpr int kBarWidth = 8;

    void Create(HWND parent, const RECT& bounds);
    // Places the open panel; a folded panel keeps its bar at the parent's right edge.
    void SetBounds(int left, int top, int width, int height);
    TPanel& Content() { return content_; }
    bool IsOpen() const { return open_; }
    RECT HotSpot() const;
    // Folds or opens the panel, then calls OnHotSpotClick: what the hot spot does.
    void ClickHotSpot();

    std::function<void()> OnHotSpotClick;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();
    void Paint(HDC dc) override;

    TPanel content_;
    RECT openBounds_{};
    bool open_ = true;
    bool hotSpotHover_ = false;
};

}  // namespace varnook
