#pragma once

#include "platform/Handles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnook {

// A picture of the skin, kept as a 32-bit bitmap with premultiplied alpha so that it is drawn with its
// transparency over whatever lies beneath.
class TPicture {
public:
    // Loads a picture by its extension: PNG through the program's own reader; BMP, ICO, WMF and EMF through
    // Windows. Any other extension, or a damaged file, raises platform::EError; the picture is then unchanged.
    void LoadFromFile(const std::wstring& path);
    // Takes pixels as 0xAARRGGBB with straight alpha, top row first.
    void Assign(unsigned width, unsigned height, const std::vector<uint32_t>& pixels);
    void Clear();

    bool Empty() const { return !bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Draws the picture with its top-left corner at (x, y), not stretched.
    void Draw(HDC dc, int x, int y) const;
    // The pixel at (x, y) as 0xAARRGGBB (premultiplied), for checks of what was loaded.
    uint32_t Pixel(int x, int y) const;

private:
    platform::TGdiObject bitmap_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace varnook
