#include "Picture.h"

#include "gui/widgets/png/Png.h"
#include "platform/Errors.h"

#include <algorithm>
#include <cwctype>

namespace varnook {

namespace {

std::wstring LowerExtension(const std::wstring& path) {
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return {};
    std::wstring extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return extension;
}

[[noreturn]] void RaiseLoadError(const std::wstring& path, const std::wstring& reason) {
    throw platform::EError(L"Cannot load picture " + path + L": " + reason);
}

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
    platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 256 * 1024 * 1024)
        RaiseLoadError(path, L"the file cannot be read");
    std::vector<unsigned char> data(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!data.empty() &&
        (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) || read != data.size()))
        RaiseLoadError(path, L"the file cannot be read");
    return data;
}

// A top-down 32-bit DIB section and its pixels.
struct TDib {
    platform::TGdiObject bitmap;
    uint32_t* bits = nullptr;
};

TDib CreateDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    TDib dib;
    void* bits = nullptr;
    dib.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.bitmap)
        throw platform::EError(L"Out of memory for a picture");
    dib.bits = static_cast<uint32_t*>(bits);
    return dib;
}

// Renders something GDI draws without alpha (icons, metafiles) twice, over black and over white; where the two
// differ the drawing is see-through, which gives the alpha of every pixel.
template <class Render>
std::vector<uint32_t> RenderWithMatte(int width, int height, Render render) {
    std::vector<uint32_t> result(static_cast<size_t>(width) * height);
    TDib black = CreateDib(width, height);
    TDib white = CreateDib(width, height);
    std::fill_n(white.bits, result.size(), 0x00FFFFFFu);
    platform::TMemoryDC dc(CreateCompatibleDC(nullptr));
    for (TDib* dib : {&black, &white}) {
        const HGDIOBJ old = SelectObject(dc.get(), dib->bitmap.get());
        render(dc.get());
        GdiFlush();
        SelectObject(dc.get(), old);
    }
    for (size_t i = 0; i < result.size(); ++i) {
        const uint32_t b = black.bits[i];
        const uint32_t w = white.bits[i];
        const int alpha =
            255 - std::clamp(static_cast<int>((w >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF), 0, 255);
        auto straight = [&](int shift) {
            const int premultiplied = static_cast<int>((b >> shift) & 0xFF);
            return alpha ? static_cast<uint32_t>(std::min(255, premultiplied * 255 / alpha)) : 0u;
        };
        result[i] = (static_cast<uint32_t>(alpha) << 24) | (straight(16) << 16) | (straight(8) << 8) | straight(0);
    }
    return result;
}

}  // namespace

void TPicture::LoadFromFile(const std::wstring& path) {
    const std::wstring extension = LowerExtension(path);
    if (extension == L"png") {
        const std::vector<unsigned char> data = ReadWholeFile(path);
        TImage image;
        std::string error;
        if (!DecodePng(data.data(), data.size(), image, error))
            RaiseLoadError(path, std::wstring(error.begin(), error.end()));
        Assign(image.width, image.height, image.pixels);
    } else if (extension == L"bmp") {
        platform::TGdiObject loaded(
            LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        BITMAP info;
        if (!loaded || !GetObjectW(loaded.get(), sizeof info, &info))
            RaiseLoadError(path, L"not a bitmap");
        TDib dib = CreateDib(info.bmWidth, info.bmHeight);
        platform::TMemoryDC source(CreateCompatibleDC(nullptr));
        platform::TMemoryDC target(CreateCompatibleDC(nullptr));
        const HGDIOBJ oldSource = SelectObject(source.get(), loaded.get());
        const HGDIOBJ oldTarget = SelectObject(target.get(), dib.bitmap.get());
        BitBlt(target.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
        GdiFlush();
        SelectObject(source.get(), oldSource);
        SelectObject(target.get(), oldTarget);
        std::vector<uint32_t> pixels(dib.bits, dib.bits + static_cast<size_t>(info.bmWidth) * info.bmHeight);
        for (uint32_t& pixel : pixels)
            pixel |= 0xFF000000u;
        Assign(info.bmWidth, info.bmHeight, pixels);
    } else if (extension == L"ico") {
        platform::TIcon icon(
            static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
        if (!icon)
            RaiseLoadError(path, L"not an icon");
        const int width = GetSystemMetrics(SM_CXICON);
        const int height = GetSystemMetrics(SM_CYICON);
        Assign(width, height, RenderWithMatte(width, height, [&](HDC dc) {
                   DrawIconEx(dc, 0, 0, icon.get(), width, height, 0, nullptr, DI_NORMAL);
               }));
    } else if (extension == L"emf" || extension == L"wmf") {
        HENHMETAFILE metafile = nullptr;
        if (extension == L"emf") {
            metafile = GetEnhMetaFileW(path.c_str());
        } else {
            std::vector<unsigned char> data = ReadWholeFile(path);
            // A placeable metafile starts with a 22-byte header of its own before the Windows metafile.
            const size_t skip = data.size() >= 22 && data[0] == 0xD7 && data[1] == 0xCD ? 22 : 0;
            if (data.size() > skip)
                metafile =
                    SetWinMetaFileBits(static_cast<UINT>(data.size() - skip), data.data() + skip, nullptr, nullptr);
        }
        platform::TEnhMetaFile owned(metafile);
        ENHMETAHEADER header;
        if (!owned || !GetEnhMetaFileHeader(owned.get(), sizeof header, &header))
            RaiseLoadError(path, L"not a metafile");
        const int width = std::clamp<int>(header.rclBounds.right - header.rclBounds.left + 1, 1, 4096);
        const int height = std::clamp<int>(header.rclBounds.bottom - header.rclBounds.top + 1, 1, 4096);
        Assign(width, height, RenderWithMatte(width, height, [&](HDC dc) {
                   const RECT bounds{0, 0, width, height};
                   PlayEnhMetaFile(dc, owned.get(), &bounds);
               }));
    } else {
        RaiseLoadError(path, L"unknown picture type");
    }
}

void TPicture::Assign(unsigned width, unsigned height, const std::vector<uint32_t>& pixels) {
    if (width == 0 || height == 0 || pixels.size() < static_cast<size_t>(width) * height) {
        Clear();
        return;
    }
    TDib dib = CreateDib(static_cast<int>(width), static_cast<int>(height));
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        const uint32_t p = pixels[i];
        const uint32_t a = p >> 24;
        auto scale = [a](uint32_t c) { return (c * a + 127) / 255; };
        dib.bits[i] = (a << 24) | (scale((p >> 16) & 0xFF) << 16) | (scale((p >> 8) & 0xFF) << 8) | scale(p & 0xFF);
    }
    bitmap_ = std::move(dib.bitmap);
    bits_ = dib.bits;
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
}

void TPicture::Clear() {
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

void TPicture::Draw(HDC dc, int x, int y) const {
    if (!bitmap_)
        return;
    platform::TMemoryDC source(CreateCompatibleDC(dc));
    const HGDIOBJ old = SelectObject(source.get(), bitmap_.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width_, height_, source.get(), 0, 0, width_, height_, blend);
    SelectObject(source.get(), old);
}

uint32_t TPicture::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    GdiFlush();
    return bits_[static_cast<size_t>(y) * width_ + x];
}

}  // namespace varnook
