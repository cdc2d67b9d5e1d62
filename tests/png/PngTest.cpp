#include "gui/widgets/png/Png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using varnook::DecodePng;
using varnook::TImage;

namespace {

using TBytes = std::vector<unsigned char>;

std::string DataPath(const std::string& name) {
    std::string path = std::string(PNG_TEST_DATA) + "/" + name;
#ifdef _WIN32
    // The data folder is a Unix path; Wine shows the Unix root as drive Z:.
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    path = "Z:" + path;
#endif
    return path;
}

TBytes ReadData(const std::string& name) {
    std::ifstream file(DataPath(name), std::ios::binary);
    EXPECT_TRUE(file) << DataPath(name);
    return TBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct TCase {
    std::string name;
    bool valid;
    std::string reason;
};

std::vector<TCase> ReadCases() {
    std::ifstream file(DataPath("cases.txt"));
    EXPECT_TRUE(file) << DataPath("cases.txt");
    std::vector<TCase> cases;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        TCase c;
        std::string kind;
        fields >> c.name >> kind;
        c.valid = kind == "ok";
        std::getline(fields >> std::ws, c.reason);
        cases.push_back(c);
    }
    return cases;
}

TImage ReadExpected(const std::string& pngName) {
    std::ifstream file(DataPath(pngName.substr(0, pngName.size() - 4) + ".txt"));
    TImage image;
    file >> image.width >> image.height;
    uint32_t pixel;
    while (file >> std::hex >> pixel)
        image.pixels.push_back(pixel);
    return image;
}

bool Decode(const TBytes& data, TImage& image, std::string& error) {
    return DecodePng(data.data(), data.size(), image, error);
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}

// A PNG as its list of chunks, to change one and put the file back together with correct CRCs.
struct TChunk {
    std::string type;
    TBytes body;
};

void PutBe32(TBytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

std::vector<TChunk> SplitChunks(const TBytes& png) {
    std::vector<TChunk> chunks;
    for (size_t pos = 8; pos + 12 <= png.size();) {
        const size_t length =
            size_t{png[pos]} << 24 | size_t{png[pos + 1]} << 16 | size_t{png[pos + 2]} << 8 | png[pos + 3];
        const auto body = png.begin() + static_cast<std::ptrdiff_t>(pos + 8);
        chunks.push_back({std::string(png.begin() + static_cast<std::ptrdiff_t>(pos) + 4, body),
                          TBytes(body, body + static_cast<std::ptrdiff_t>(length))});
        pos += 12 + length;
    }
    return chunks;
}

TBytes JoinChunks(const std::vector<TChunk>& chunks) {
    TBytes png = {137, 80, 78, 71, 13, 10, 26, 10};
    for (const TChunk& chunk : chunks) {
        PutBe32(png, static_cast<uint32_t>(chunk.body.size()));
        const size_t start = png.size();
        png.insert(png.end(), chunk.type.begin(), chunk.type.end());
        png.insert(png.end(), chunk.body.begin(), chunk.body.end());
        PutBe32(png, static_cast<uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
    }
    return png;
}

TBytes Inflate(const TBytes& data) {
    TBytes out(1 << 20);
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(uncompress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
    out.resize(size);
    return out;
}

TBytes Deflate(const TBytes& data) {
    TBytes out(compressBound(static_cast<uLong>(data.size())));
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
    out.resize(size);
    return out;
}

// Whatever happens to the input, a decode ends in a whole picture or a stated reason.
void ExpectSoundResult(const TBytes& data) {
    TImage image;
    std::string error;
    if (Decode(data, image, error)) {
        EXPECT_EQ(image.pixels.size(), size_t{image.width} * image.height);
        EXPECT_NE(image.width, 0u);
    } else {
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(image.pixels.empty());
    }
}

}  // namespace

TEST(DecodePng, DecodesEachListedFileAsExpected) {
    const std::vector<TCase> cases = ReadCases();
    ASSERT_GT(cases.size(), 100u);
    TImage image;  // reused, so a failure after a success shows that the old picture is dropped
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const bool decoded = Decode(ReadData(c.name), image, error);
        if (!c.valid) {
            EXPECT_FALSE(decoded);
            EXPECT_EQ(error, c.reason);
            EXPECT_EQ(image.width, 0u);
            EXPECT_TRUE(image.pixels.empty());
            continue;
        }
        ASSERT_TRUE(decoded) << error;
        const TImage expected = ReadExpected(c.name);
        ASSERT_EQ(image.width, expected.width);
        ASSERT_EQ(image.height, expected.height);
        ASSERT_EQ(image.pixels.size(), expected.pixels.size());
        for (size_t i = 0; i < expected.pixels.size(); ++i) {
            if (image.pixels[i] != expected.pixels[i]) {
                ADD_FAILURE() << "pixel (" << i % expected.width << ", " << i / expected.width << ") is "
                              << Hex(image.pixels[i]) << ", expected " << Hex(expected.pixels[i]);
                break;
            }
        }
    }
}

TEST(DecodePng, EveryPrefixOfAValidFileFails) {
    for (const char* name : {"multi_idat.png", "c3_d4_trns_i.png", "ancillary.png"}) {
        SCOPED_TRACE(name);
        const TBytes whole = ReadData(name);
        for (size_t length = 0; length < whole.size(); ++length) {
            // A copy of exactly `length` bytes, so that a read past the end lands outside the allocation.
            const TBytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            TImage image;
            std::string error;
            EXPECT_FALSE(Decode(prefix, image, error)) << length;
            EXPECT_FALSE(error.empty()) << length;
        }
    }
}

TEST(DecodePng, EmptyAndGarbageInputFail) {
    TImage image;
    std::string error;
    EXPECT_FALSE(DecodePng(nullptr, 0, image, error));
    EXPECT_EQ(error, "not a PNG file");
    const unsigned char one = 0x89;
    EXPECT_FALSE(DecodePng(&one, 0, image, error));
    EXPECT_EQ(error, "not a PNG file");

    std::mt19937 random(7);
    const TBytes signature = {137, 80, 78, 71, 13, 10, 26, 10};
    for (int round = 0; round < 2000; ++round) {
        TBytes data(random() % 300);
        for (unsigned char& b : data)
            b = static_cast<unsigned char>(random());
        if (round % 2 == 1 && data.size() >= signature.size())
            std::copy(signature.begin(), signature.end(), data.begin());
        error.clear();
        EXPECT_FALSE(Decode(data, image, error));
        EXPECT_FALSE(error.empty());
    }
}

// Random changes with the CRCs put right, so that they reach past the chunk checks: to the header fields, the
// chunk order, and (through a recompressed stream) the filter bytes and the samples.
TEST(DecodePng, MutatedFilesNeverMisbehave) {
    std::mt19937 random(11);
    const auto pick = [&](size_t count) { return static_cast<size_t>(random() % count); };
    for (const char* name : {"c3_d2_trns_i.png", "c0_d16_trns.png", "c2_d8_trns.png", "small_5x2_c0_d1_i.png",
                             "c6_d16_i.png", "c4_d8.png"}) {
        SCOPED_TRACE(name);
        const std::vector<TChunk> original = SplitChunks(ReadData(name));
        size_t idat = 0;
        while (original[idat].type != "IDAT")
            ++idat;
        const TBytes stream = Inflate(original[idat].body);
        for (int round = 0; round < 1500; ++round) {
            std::vector<TChunk> chunks = original;
            switch (round % 3) {
                case 0: {
                    TChunk& chunk = chunks[pick(chunks.size())];
                    if (!chunk.body.empty())
                        chunk.body[pick(chunk.body.size())] ^= static_cast<unsigned char>(1 + pick(255));
                    break;
                }
                case 1: {
                    TBytes changed = stream;
                    for (size_t n = 1 + pick(3); n > 0; --n)
                        changed[pick(changed.size())] = static_cast<unsigned char>(random());
                    changed.resize(changed.size() - pick(3) + pick(3));
                    chunks[idat].body = Deflate(changed);
                    break;
                }
                default: {
                    const size_t from = pick(chunks.size()), to = pick(chunks.size());
                    std::swap(chunks[from], chunks[to]);
                    chunks[pick(chunks.size())].body.resize(pick(20));
                    break;
                }
            }
            ExpectSoundResult(JoinChunks(chunks));
        }
    }
}
