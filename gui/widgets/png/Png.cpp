#include "gui/widgets/png/Png.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <new>
#include <utility>

namespace varnook {
namespace {

// Colour-space chunks (gAMA, cHRM, sRGB, iCCP) are skipped like any ancillary chunk: pictures are drawn as stored.

constexpr uint64_t kMaxPixels = uint64_t{64} << 20;
constexpr uint32_t kMaxChunkLength = 0x7fffffff;
// Deflate cannot expand data more than 1032 times, so less compressed data than that allows cannot hold the
// picture; checking this first keeps a tiny forged file from making us allocate for a huge one.
constexpr uint64_t kMaxInflateRatio = 1032;

enum EColourType : unsigned { kGray = 0, kRgb = 2, kPalette = 3, kGrayAlpha = 4, kRgba = 6 };

struct THeader {
    uint32_t width = 0, height = 0;
    unsigned bitDepth = 0, colourType = 0;
    bool interlaced = false;
};

struct TSpan {
    const unsigned char* data;
    size_t size;
};

// Everything the chunk walk gathers before the pixel data is inflated.
struct TChunks {
    THeader header;
    std::array<uint32_t, 256> palette{};
    unsigned paletteSize = 0;
    bool hasKey = false;  // a tRNS colour key for gray or RGB pictures, at the stored bit depth
    std::array<unsigned, 3> key{};
    std::vector<TSpan> idat;
    uint64_t idatBytes = 0;
};

bool Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

uint32_t Be32(const unsigned char* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

unsigned Be16(const unsigned char* p) {
    return unsigned{p[0]} << 8 | p[1];
}

unsigned Channels(unsigned colourType) {
    switch (colourType) {
        case kRgb:
            return 3;
        case kGrayAlpha:
            return 2;
        case kRgba:
            return 4;
        default:
            return 1;
    }
}

bool DepthAllowed(unsigned colourType, unsigned depth) {
    switch (colourType) {
        case kGray:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case kPalette:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case kRgb:
        case kGrayAlpha:
        case kRgba:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

bool ReadHeader(const unsigned char* body, uint32_t length, THeader& header, std::string& error) {
    if (length != 13)
        return Fail(error, "bad IHDR length");
    header.width = Be32(body);
    header.height = Be32(body + 4);
    header.bitDepth = body[8];
    header.colourType = body[9];
    if (header.width == 0 || header.height == 0 || header.width > kMaxChunkLength || header.height > kMaxChunkLength)
        return Fail(error, "bad image size");
    if (uint64_t{header.width} * header.height > kMaxPixels)
        return Fail(error, "image too large");
    if (header.colourType > kRgba || header.colourType == 1 || header.colourType == 5)
        return Fail(error, "bad colour type");
    if (!DepthAllowed(header.colourType, header.bitDepth))
        return Fail(error, "bad bit depth");
    if (body[10] != 0)
        return Fail(error, "unsupported compression method");
    if (body[11] != 0)
        return Fail(error, "unsupported filter method");
    if (body[12] > 1)
        return Fail(error, "unsupported interlace method");
    header.interlaced = body[12] == 1;
    return true;
}

// tRNS is ancillary: one that is out of place or of the wrong size is ignored, as other readers do.
void ReadTransparency(const unsigned char* body, uint32_t length, TChunks& png) {
    switch (png.header.colourType) {
        case kPalette:
            if (png.paletteSize == 0 || length > png.paletteSize)
                return;
            for (uint32_t i = 0; i < length; ++i)
                png.palette[i] = (png.palette[i] & 0x00ffffff) | uint32_t{body[i]} << 24;
            return;
        case kGray:
            if (length != 2)
                return;
            png.hasKey = true;
            png.key[0] = Be16(body);
            return;
        case kRgb:
            if (length != 6)
                return;
            png.hasKey = true;
            for (unsigned i = 0; i < 3; ++i)
                png.key[i] = Be16(body + 2 * i);
            return;
        default:
            return;
    }
}

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Walks every chunk up to IEND, checking each CRC and the order rules, and gathers what decoding needs.
bool ReadChunks(const unsigned char* data, size_t size, TChunks& png, std::string& error) {
    static const unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0)
        return Fail(error, "not a PNG file");
    size_t pos = sizeof kSignature;
    bool seenHeader = false, seenPalette = false, seenTransparency = false;
    bool seenIdat = false, idatEnded = false;
    for (;;) {
        if (size - pos < 12)
            return Fail(error, "truncated");
        const uint32_t length = Be32(data + pos);
        const unsigned char* type = data + pos + 4;
        if (length > kMaxChunkLength)
            return Fail(error, "bad chunk length");
        if (size - pos - 12 < length)
            return Fail(error, "truncated");
        for (int i = 0; i < 4; ++i) {
            if (!IsLetter(type[i]))
                return Fail(error, "bad chunk type");
        }
        const std::string name(reinterpret_cast<const char*>(type), 4);
        const unsigned char* body = type + 4;
        if (crc32(0, type, 4 + length) != Be32(body + length))
            return Fail(error, "bad CRC in " + name);
        pos += 12 + size_t{length};

        if (!seenHeader && name != "IHDR")
            return Fail(error, "first chunk is not IHDR");
        if (seenIdat && name != "IDAT")
            idatEnded = true;
        if (name == "IHDR") {
            if (seenHeader)
                return Fail(error, "duplicate IHDR");
            if (!ReadHeader(body, length, png.header, error))
                return false;
            seenHeader = true;
        } else if (name == "PLTE") {
            if (seenPalette)
                return Fail(error, "duplicate PLTE");
            if (seenIdat)
                return Fail(error, "PLTE after IDAT");
            if (png.header.colourType == kGray || png.header.colourType == kGrayAlpha)
                return Fail(error, "PLTE in a gray image");
            if (length == 0 || length % 3 != 0 || length > 3 * 256)
                return Fail(error, "bad PLTE length");
            seenPalette = true;
            png.paletteSize = length / 3;
            for (unsigned i = 0; i < png.paletteSize; ++i) {
                const unsigned char* rgb = body + 3 * i;
                png.palette[i] = 0xff000000 | uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
            }
        } else if (name == "tRNS") {
            if (!seenTransparency && !seenIdat)
                ReadTransparency(body, length, png);
            seenTransparency = true;
        } else if (name == "IDAT") {
            if (idatEnded)
                return Fail(error, "IDAT chunks not consecutive");
            if (png.header.colourType == kPalette && !seenPalette)
                return Fail(error, "missing PLTE");
            seenIdat = true;
            png.idat.push_back({body, length});
            png.idatBytes += length;
        } else if (name == "IEND") {
            if (!seenIdat)
                return Fail(error, "missing IDAT");
            return true;
        } else if (!(type[0] & 0x20)) {
            return Fail(error, "unknown critical chunk " + name);
        }
    }
}

// Inflates the zlib stream spread over the IDAT chunks, exactly as many bytes at a time as asked for.
class TInflater {
public:
    explicit TInflater(const std::vector<TSpan>& spans) : spans_(spans) {}
    ~TInflater() {
        if (open_)
            inflateEnd(&stream_);
    }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;

    bool Open(std::string& error) {
        open_ = inflateInit(&stream_) == Z_OK;
        return open_ || Fail(error, "out of memory");
    }

    bool Read(unsigned char* out, size_t count, std::string& error) {
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(count);
        while (stream_.avail_out > 0) {
            if (ended_)
                return Fail(error, "truncated image data");
            if (!Step(error))
                return false;
        }
        return true;
    }

    // Reads to the end of the stream so that its checksum is verified; bytes past the picture are dropped.
    bool Finish(std::string& error) {
        unsigned char rest[4096];
        while (!ended_) {
            stream_.next_out = rest;
            stream_.avail_out = sizeof rest;
            if (!Step(error))
                return false;
        }
        return true;
    }

private:
    bool Step(std::string& error) {
        while (stream_.avail_in == 0 && next_ < spans_.size()) {
            stream_.next_in = const_cast<Bytef*>(spans_[next_].data);
            stream_.avail_in = static_cast<uInt>(spans_[next_].size);
            ++next_;
        }
        switch (inflate(&stream_, Z_NO_FLUSH)) {
            case Z_OK:
                return true;
            case Z_STREAM_END:
                ended_ = true;
                return true;
            case Z_BUF_ERROR:  // no progress possible: the input ran out
                return Fail(error, "truncated image data");
            case Z_MEM_ERROR:
                return Fail(error, "out of memory");
            default:
                return Fail(error, "corrupt image data");
        }
    }

    const std::vector<TSpan>& spans_;
    size_t next_ = 0;
    z_stream stream_{};
    bool open_ = false;
    bool ended_ = false;
};

int Distance(int a, int b) {
    return a > b ? a - b : b - a;
}

unsigned char Paeth(unsigned char left, unsigned char up, unsigned char upLeft) {
    const int a = left, b = up, c = upLeft;
    const int p = a + b - c;
    const int pa = Distance(p, a), pb = Distance(p, b), pc = Distance(p, c);
    if (pa <= pb && pa <= pc)
        return left;
    return pb <= pc ? up : upLeft;
}

// Reverses one row's filter in place; `prior` is the unfiltered row above (zeros for a pass's first row).
bool Unfilter(unsigned filter, unsigned char* row, const unsigned char* prior, size_t length, size_t step) {
    switch (filter) {
        case 0:
            return true;
        case 1:
            for (size_t i = step; i < length; ++i)
                row[i] = static_cast<unsigned char>(row[i] + row[i - step]);
            return true;
        case 2:
            for (size_t i = 0; i < length; ++i)
                row[i] = static_cast<unsigned char>(row[i] + prior[i]);
            return true;
        case 3:
            for (size_t i = 0; i < length; ++i) {
                const unsigned left = i >= step ? row[i - step] : 0;
                row[i] = static_cast<unsigned char>(row[i] + (left + prior[i]) / 2);
            }
            return true;
        case 4:
            for (size_t i = 0; i < length; ++i) {
                const unsigned char left = i >= step ? row[i - step] : 0;
                const unsigned char upLeft = i >= step ? prior[i - step] : 0;
                row[i] = static_cast<unsigned char>(row[i] + Paeth(left, prior[i], upLeft));
            }
            return true;
        default:
            return false;
    }
}

// Turns unfiltered rows into 0xAARRGGBB pixels.
class TRowConverter {
public:
    explicit TRowConverter(const TChunks& png)
        : png_(png), depth_(png.header.bitDepth), channels_(Channels(png.header.colourType)) {}

    // Converts `count` pixels of `row`, writing them `stride` apart from `out`.
    bool Convert(const unsigned char* row, size_t count, uint32_t* out, size_t stride, std::string& error) const {
        for (size_t x = 0; x < count; ++x, out += stride) {
            const size_t first = x * channels_;
            switch (png_.header.colourType) {
                case kGray: {
                    const unsigned gray = Sample(row, first);
                    const bool clear = png_.hasKey && gray == png_.key[0];
                    *out = Argb(clear ? 0 : 255, To8(gray), To8(gray), To8(gray));
                    break;
                }
                case kRgb: {
                    const unsigned r = Sample(row, first), g = Sample(row, first + 1), b = Sample(row, first + 2);
                    const bool clear = png_.hasKey && r == png_.key[0] && g == png_.key[1] && b == png_.key[2];
                    *out = Argb(clear ? 0 : 255, To8(r), To8(g), To8(b));
                    break;
                }
                case kPalette: {
                    const unsigned index = Sample(row, first);
                    if (index >= png_.paletteSize)
                        return Fail(error, "palette index out of range");
                    *out = png_.palette[index];
                    break;
                }
                case kGrayAlpha: {
                    const unsigned gray = To8(Sample(row, first));
                    *out = Argb(To8(Sample(row, first + 1)), gray, gray, gray);
                    break;
                }
                default:
                    *out = Argb(To8(Sample(row, first + 3)), To8(Sample(row, first)), To8(Sample(row, first + 1)),
                                To8(Sample(row, first + 2)));
                    break;
            }
        }
        return true;
    }

private:
    // The `index`-th sample of the row at the stored bit depth; samples below 8 bits are packed from the high bit.
    unsigned Sample(const unsigned char* row, size_t index) const {
        switch (depth_) {
            case 8:
                return row[index];
            case 16:
                return Be16(row + 2 * index);
            default: {
                const size_t bit = index * depth_;
                const unsigned shift = 8 - depth_ - static_cast<unsigned>(bit % 8);
                return (row[bit / 8] >> shift) & ((1u << depth_) - 1);
            }
        }
    }

    // 16-bit samples keep their high byte; low depths are scaled so that their maximum becomes 255.
    unsigned To8(unsigned sample) const {
        if (depth_ == 16)
            return sample >> 8;
        if (depth_ == 8)
            return sample;
        return sample * 255 / ((1u << depth_) - 1);
    }

    static uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) { return a << 24 | r << 16 | g << 8 | b; }

    const TChunks& png_;
    const unsigned depth_;
    const unsigned channels_;
};

struct TPass {
    unsigned x0, y0, dx, dy;
};

constexpr TPass kWhole[] = {{0, 0, 1, 1}};
constexpr TPass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

uint32_t PassSpan(uint32_t size, unsigned start, unsigned step) {
    return size > start ? (size - start + step - 1) / step : 0;
}

bool DecodePixels(const TChunks& png, TImage& image, std::string& error) {
    const THeader& header = png.header;
    const uint64_t bitsPerPixel = uint64_t{header.bitDepth} * Channels(header.colourType);
    const size_t step = static_cast<size_t>(bitsPerPixel >= 8 ? bitsPerPixel / 8 : 1);
    const auto rowBytes = [&](uint32_t width) { return static_cast<size_t>((width * bitsPerPixel + 7) / 8); };
    const TPass* passes = header.interlaced ? kAdam7 : kWhole;
    const size_t passCount = header.interlaced ? std::size(kAdam7) : std::size(kWhole);

    uint64_t rawBytes = 0;
    for (size_t p = 0; p < passCount; ++p) {
        const uint32_t width = PassSpan(header.width, passes[p].x0, passes[p].dx);
        const uint32_t height = PassSpan(header.height, passes[p].y0, passes[p].dy);
        if (width != 0)
            rawBytes += uint64_t{height} * (1 + rowBytes(width));
    }
    if (rawBytes > png.idatBytes * kMaxInflateRatio)
        return Fail(error, "truncated image data");

    TInflater inflater(png.idat);
    if (!inflater.Open(error))
        return false;
    image.width = header.width;
    image.height = header.height;
    image.pixels.assign(size_t{header.width} * header.height, 0);
    const TRowConverter converter(png);
    const size_t fullRow = rowBytes(header.width);
    std::vector<unsigned char> row(1 + fullRow), prior(1 + fullRow);
    for (size_t p = 0; p < passCount; ++p) {
        const TPass& pass = passes[p];
        const uint32_t width = PassSpan(header.width, pass.x0, pass.dx);
        const uint32_t height = PassSpan(header.height, pass.y0, pass.dy);
        if (width == 0 || height == 0)
            continue;
        const size_t length = rowBytes(width);
        std::fill(prior.begin(), prior.end(), 0);
        for (uint32_t y = 0; y < height; ++y) {
            if (!inflater.Read(row.data(), 1 + length, error))
                return false;
            if (!Unfilter(row[0], row.data() + 1, prior.data() + 1, length, step))
                return Fail(error, "bad filter type");
            const size_t first = (size_t{pass.y0} + size_t{y} * pass.dy) * header.width + pass.x0;
            if (!converter.Convert(row.data() + 1, width, image.pixels.data() + first, pass.dx, error))
                return false;
            std::swap(row, prior);
        }
    }
    return inflater.Finish(error);
}

}  // namespace

bool DecodePng(const unsigned char* data, size_t size, TImage& image, std::string& error) {
    image = TImage{};
    TImage decoded;
    try {
        TChunks png;
        if (!ReadChunks(data, size, png, error) || !DecodePixels(png, decoded, error))
            return false;
    } catch (const std::bad_alloc&) {
        return Fail(error, "out of memory");
    }
    image = std::move(decoded);
    return true;
}

}  // namespace varnook
