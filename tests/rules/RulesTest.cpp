#include "inventory/rules/Rules.h"

#include "tests/rules/Bytes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace tallivor;
using rules_test::TBytes;
using rules_test::Utf16Le;

namespace {

std::string Show(const TBytes& bytes) {
    std::string text;
    for (unsigned char b : bytes)
        text += std::to_string(b) + ' ';
    return text;
}

}  // namespace

TEST(TextFromRegData, StopsAtFirstZeroOrEndOfData) {
    TBytes odd = Utf16Le(L"ab");
    odd.push_back('c');
    const struct {
        TBytes data;
        std::wstring expected;
    } cases[] = {
        {{}, L""},
        {{0x41}, L""},
        {Utf16Le(std::wstring(L"App\0", 4)), L"App"},
        {Utf16Le(L"App"), L"App"},
        {odd, L"ab"},
        {Utf16Le(std::wstring(L"one\0two\0", 8)), L"one"},
        {Utf16Le(std::wstring(L"\0x", 2)), L""},
        {Utf16Le(L"caf\u00e9 \u4e2d"), L"caf\u00e9 \u4e2d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.data));
        EXPECT_EQ(TextFromRegData(c.data.data(), c.data.size()), c.expected);
    }
}

TEST(TextFromRegData, NeverReadsPastSize) {
    const TBytes data = Utf16Le(std::wstring(L"ABCD\0", 5));
    EXPECT_EQ(TextFromRegData(data.data(), 4), L"AB");
    EXPECT_EQ(TextFromRegData(data.data(), 5), L"AB");
    EXPECT_EQ(TextFromRegData(nullptr, 0), L"");
}

TEST(ReadsAsOne, ReadsFirstFourBytesLittleEndian) {
    const struct {
        TBytes data;
        bool expected;
    } cases[] = {
        {{1, 0, 0, 0}, true},
        {{0, 0, 0, 0}, false},
        {{0, 0, 0, 1}, false},
        {Utf16Le(std::wstring(L"1\0", 2)), false},
        {{1}, true},
        {{1, 0}, true},
        {{}, false},
        {{2}, false},
        {{1, 0, 0, 0, 5, 6, 7, 8}, true},
        {{0, 0, 0, 0, 1, 0, 0, 0}, false},
        {{1, 1, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Show(c.data));
        EXPECT_EQ(ReadsAsOne(c.data.data(), c.data.size()), c.expected);
    }
}

TEST(FolderOfPath, CutsAtLastBackslash) {
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\App\\bin\\app.exe", L"C:\\App\\bin"},
        {L"C:\\app.exe", L"C:"},
        {L"app.exe", L""},
        {L"", L""},
        {L"C:\\App\\", L"C:\\App"},
        {L"\\", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(FolderOfPath(c.path), c.expected);
    }
}

TEST(InstallDirFromUninstallString, KeepsTheFolderAndDropsOneLeadingCharacterWhenQuoted) {
    const struct {
        const wchar_t* command;
        const wchar_t* expected;
    } cases[] = {
        {L"\"C:\\App\\uninst.exe\" /S", L"C:\\App"},
        {L"C:\\App\\unins000.exe", L"C:\\App"},
        {L"MsiExec.exe /X{12345678-1234-1234-1234-123456789012}", L""},
        {L"\"C:\\Program Files\\App\\unins000.exe\"", L"C:\\Program Files\\App"},
        {L"C:\\uninst.exe", L"C:"},
        {L"rundll32 \"C:\\x\\a.dll\",Uninstall", L"undll32 \"C:\\x"},
        {L"\"C:\\uninst.exe\"", L"C:"},
        {L"\"uninst.exe\"", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.command)));
        EXPECT_EQ(InstallDirFromUninstallString(c.command), c.expected);
    }
}

TEST(FormatDwordText, ShowsSignedDecimal) {
    const struct {
        std::uint32_t value;
        const wchar_t* expected;
    } cases[] = {
        {0, L"0"}, {1, L"1"}, {0x7FFFFFFF, L"2147483647"}, {0x80000000, L"-2147483648"}, {0xFFFFFFFF, L"-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDwordText(c.value), c.expected) << c.value;
}

TEST(UnusedDaysFromSpan, RoundsAsTheListShowsIt) {
    constexpr double kSecond = 1.0 / 86400.0;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double span;
        std::uint32_t expected;
    } cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {1.9999, 1},
        {2.0, 2},
        {2.0 - 0.4 * kSecond, 2},
        {2.0 - 0.6 * kSecond, 1},
        {365.25, 365},
        {-0.5, 0},
        {-1.0, 0},
        {-1.5, 0},
        {-2.0 + 0.6 * kSecond, 0},
        {-2.0 + 0.4 * kSecond, 0xFFFFFFFF},
        {-2.0, 0xFFFFFFFF},
        {-3.5, 0xFFFFFFFE},
        {4294967296.0 + 7.0, 7},
        {0x1p62, 0},
        {-0x1p63, 0},
        {0x1p63, 0},
        {1e300, 0},
        {-1e300, 0},
        {kInf, 0},
        {-kInf, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::max(), 0},
        {std::numeric_limits<double>::denorm_min(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnusedDaysFromSpan(c.span), c.expected) << std::hexfloat << c.span;
}

TEST(FormatTime, PadsEveryPartAndDiffersOnlyInTheGap) {
    const struct {
        TCalendarTime time;
        const wchar_t* lastUse;
        const wchar_t* install;
    } cases[] = {
        {{2024, 3, 5, 7, 8, 9}, L"2024-03-05  07:08:09", L"2024-03-05 07:08:09"},
        {{987, 1, 1, 0, 0, 0}, L"0987-01-01  00:00:00", L"0987-01-01 00:00:00"},
        {{1601, 12, 31, 23, 59, 59}, L"1601-12-31  23:59:59", L"1601-12-31 23:59:59"},
        {{30827, 10, 20, 13, 4, 5}, L"30827-10-20  13:04:05", L"30827-10-20 13:04:05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.install)));
        EXPECT_EQ(FormatLastUseTime(c.time), c.lastUse);
        EXPECT_EQ(FormatInstallTime(c.time), c.install);
    }
    EXPECT_EQ(FormatLastUseTime({2024, 3, 5, 7, 8, 9}).size(), 20u);
    EXPECT_EQ(FormatInstallTime({2024, 3, 5, 7, 8, 9}).size(), 19u);
}
