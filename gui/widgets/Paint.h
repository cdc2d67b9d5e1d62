#pragma once

#include "platform/Handles.h"

#include <string>

namespace varnook {

// Paints into a memory bitmap and copies it to the target when it goes, so a control is never seen half drawn.
class TBufferedPaint {
public:
    TBufferedPaint(HDC target, const RECT& area);
    TBufferedPaint(const TBufferedPaint&) = delete;
    TBufferedPaint& operator=(const TBufferedPaint&) = delete;
    ~TBufferedPaint();

    HDC Dc() const { return dc_.get(); }

private:
    HDC target_;
    RECT area_;
    platform::TMemoryDC dc_;
    platform::TGdiObject bitmap_;
    HGDIOBJ old_ = nullptr;
};

// Draws what the parent shows beneath `child` into `dc` (the child's client coordinates): transparent
// controls show their parent's picture through.
void PaintParentBackground(HWND child, HDC dc);

// A font of `points` points in the screen's resolution.
platform::TFont CreatePointFont(const std::wstring& face, int points, bool bold, bool underline = false);

}  // namespace varnook
