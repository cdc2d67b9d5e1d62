#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnook {

// A decoded picture: row-major, top row first, each pixel 0xAARRGGBB with straight (not premultiplied) alpha.
struct TImage {
    unsigned width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// Decodes a whole PNG file held in memory. On failure returns false, leaves `image` empty and sets `error` to a
// short English reason. Reads nothing outside `data[0, size)`; pictures above 64 Mi pixels are refused before
// anything is allocated for them.
bool DecodePng(const unsigned char* data, size_t size, TImage& image, std::string& error);

}  // namespace varnook
