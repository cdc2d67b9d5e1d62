#include "inventory/rules/UsageCacheRecord.h"

#include "tests/rules/Bytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace tallivor;
using rules_test::AppendLittleEndian;
using rules_test::TBytes;
using rules_test::Utf16Le;

namespace {

constexpr std::uint64_t kAllOnes = ~std::uint64_t{0};

// A record as the usage cache stores it; `path` carries its terminator when the case wants one.
TBytes Record(std::uint64_t size, std::uint64_t lastUsed, std::int32_t useCount, const std::wstring& path) {
    TBytes bytes;
    AppendLittleEndian(bytes, 552, 4);
    AppendLittleEndian(bytes, 1, 4);
    AppendLittleEndian(bytes, size, 8);
    AppendLittleEndian(bytes, lastUsed, 8);
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(useCount), 4);
    const TBytes text = Utf16Le(path);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

std::wstring Terminated(const std::wstring& path) {
    return path + L'\0';
}

}  // namespace

TEST(DecodeSlowInfoCache, FullRecord) {
    // The path field is followed by leftover bytes of a longer earlier path, as real records have.
    const TBytes data = Record(0x0000000123456789, 0x01DA6F0E12345678, 5,
                               Terminated(L"C:\\Program Files\\App\\app.exe") + L"stale.exe");
    const TUsageCacheRecord record = DecodeSlowInfoCache(data.data(), data.size());
    EXPECT_EQ(record.size, std::optional<std::uint64_t>(0x0000000123456789));
    EXPECT_EQ(record.lastUsed, std::optional<std::uint64_t>(0x01DA6F0E12345678));
    EXPECT_EQ(record.useCount, std::optional<std::uint32_t>(5));
    EXPECT_EQ(record.programPath, L"C:\\Program Files\\App\\app.exe");
}

TEST(DecodeSlowInfoCache, UnknownMarkers) {
    const struct {
        std::uint64_t size;
        std::uint64_t lastUsed;
        std::int32_t useCount;
        std::optional<std::uint64_t> expectedSize;
        std::optional<std::uint64_t> expectedLastUsed;
        std::optional<std::uint32_t> expectedUseCount;
    } cases[] = {
        {kAllOnes, 0, -1, std::nullopt, std::nullopt, std::nullopt},
        {0, kAllOnes, 0, 0, std::nullopt, 0},
        {kAllOnes - 1, 1, -2, kAllOnes - 1, 1, 0xFFFFFFFE},
        {0xFFFFFFFF, 0xFFFFFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x7FFFFFFF},
        {0xFFFFFFFF00000000, 0xFFFFFFFF00000000, 5, 0xFFFFFFFF00000000, 0xFFFFFFFF00000000, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.size << ' ' << c.lastUsed << ' ' << c.useCount);
        const TBytes data = Record(c.size, c.lastUsed, c.useCount, Terminated(L"C:\\a.exe"));
        const TUsageCacheRecord record = DecodeSlowInfoCache(data.data(), data.size());
        EXPECT_EQ(record.size, c.expectedSize);
        EXPECT_EQ(record.lastUsed, c.expectedLastUsed);
        EXPECT_EQ(record.useCount, c.expectedUseCount);
        EXPECT_EQ(record.programPath, L"C:\\a.exe");
    }
}

TEST(DecodeSlowInfoCache, MissingBytesReadAsZero) {
    const TBytes full = Record(kAllOnes, kAllOnes, -1, L"");
    const struct {
        std::size_t length;
        std::optional<std::uint64_t> expectedSize;
        std::optional<std::uint32_t> expectedUseCount;
    } cases[] = {
        {0, 0, 0},
        {10, 0xFFFF, 0},
        {16, std::nullopt, 0},
        {26, std::nullopt, 0xFFFF},
        {27, std::nullopt, 0xFFFFFF},
        {28, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        // An exact-sized copy, so reading past the length would touch memory the record does not own.
        const TBytes data(full.begin(), full.begin() + c.length);
        const TUsageCacheRecord record = DecodeSlowInfoCache(data.data(), data.size());
        EXPECT_EQ(record.size, c.expectedSize);
        EXPECT_EQ(record.useCount, c.expectedUseCount);
        EXPECT_EQ(record.programPath, L"");
    }

    // A last-used time cut short keeps its low bytes: only a full-width zero or all-ones means "never".
    const TBytes cut(full.begin(), full.begin() + 20);
    EXPECT_EQ(DecodeSlowInfoCache(cut.data(), cut.size()).lastUsed, std::optional<std::uint64_t>(0xFFFFFFFF));
    EXPECT_EQ(DecodeSlowInfoCache(nullptr, 0).lastUsed, std::nullopt);
}

TEST(DecodeSlowInfoCache, PathEndsAtZeroOrEndOfData) {
    const std::wstring longPath = L"C:\\" + std::wstring(293, L'p') + L".exe";
    ASSERT_EQ(longPath.size(), 300u);
    TBytes odd = Record(1, 1, 1, L"C:\\a.exe");
    odd.push_back('x');
    TBytes lone = Record(1, 1, 1, L"");
    lone.push_back('C');
    const struct {
        const char* name;
        TBytes data;
        std::wstring expected;
    } cases[] = {
        {"terminated", Record(1, 1, 1, Terminated(L"C:\\a.exe")), L"C:\\a.exe"},
        {"no terminator", Record(1, 1, 1, L"C:\\a.exe"), L"C:\\a.exe"},
        {"odd length", odd, L"C:\\a.exe"},
        {"single trailing byte", lone, L""},
        {"long path", Record(1, 1, 1, Terminated(longPath)), longPath},
        {"long path, no terminator", Record(1, 1, 1, longPath), longPath},
        {"empty path", Record(1, 1, 1, Terminated(L"")), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeSlowInfoCache(c.data.data(), c.data.size()).programPath, c.expected);
    }
}
