#include "Resources.h"

#include "gui/widgets/png/Png.h"

#include <shellapi.h>

#include <string>

namespace varnook {

namespace {

constexpr int kIconSize = 16;

}  // namespace

HIMAGELIST CreateMenuImages() {
    const HIMAGELIST images = ImageList_Create(kIconSize, kIconSize, ILC_COLOR32, 16, 4);
    const HRSRC resource = FindResourceW(nullptr, L"MENUICONS", MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    TImage strip;
    std::string error;
    if (!data || !DecodePng(data, SizeofResource(nullptr, resource), strip, error) || strip.height != kIconSize)
        return images;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(strip.width);
    info.bmiHeader.biHeight = -kIconSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    platform::TGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return images;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < strip.pixels.size(); ++i) {
        // Image lists take premultiplied alpha.
        const uint32_t p = strip.pixels[i];
        const uint32_t a = p >> 24;
        auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
        pixels[i] = (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
    }
    ImageList_Add(images, static_cast<HBITMAP>(bitmap.get()), nullptr);
    return images;
}

std::pair<HIMAGELIST, HIMAGELIST> SystemImageLists(const std::wstring& path) {
    SHFILEINFOW info{};
    const auto small = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    const auto large = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    return {small, large};
}

void TrimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace varnook
