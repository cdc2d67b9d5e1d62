#include "gui/programs/ProgramListRules.h"

#include <gtest/gtest.h>

using namespace varnook;

TEST(ProgramListRules, CompareFoldsOnlyAsciiLettersAndPutsPrefixesFirst) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        int expected;
    };
    const Case cases[] = {
        {L"abc", L"ABC", 0},  {L"abc", L"abd", -1}, {L"ab", L"abc", -1},
        {L"b", L"A", 1},      {L"_", L"a", 1},  // '_' (0x5F) against 'A' (0x41) once a is folded
        {L"\u00e9", L"E", 1},                   // only a-z fold
    };
    for (const Case& c : cases) {
        const int result = CompareTextNoCase(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.expected) << c.a << L" vs " << c.b;
    }
}

TEST(ProgramListRules, ShortTextsArePaddedSoTheySortFirst) {
    EXPECT_EQ(PadToTen(L"Abc"), L"       Abc");
    EXPECT_EQ(PadToTen(L"Abcdefghijklm"), L"Abcdefghijklm");
    // A three-letter publisher before a thirteen-letter one, whatever the letters.
    EXPECT_LT(ProgramListCompareTexts(L"Zed", L"Abcdefghijklm", 1, true), 0);
    EXPECT_GT(ProgramListCompareTexts(L"Zed", L"Abcdefghijklm", 1, false), 0);
    // Captions are not padded.
    EXPECT_GT(ProgramListCompareTexts(L"Zed", L"Abcdefghijklm", 0, true), 0);
}

TEST(ProgramListRules, SearchIsUpperCaseContainment) {
    EXPECT_TRUE(CaptionContains(L"Northwind Notes", L"notes"));
    EXPECT_TRUE(CaptionContains(L"[Screen Saver]Bubbles", L"[screen"));
    EXPECT_FALSE(CaptionContains(L"Caf\u00e9", L"CAF\u00c9")) << "only a-z change case";
    EXPECT_TRUE(CaptionContains(L"anything", L""));
}

TEST(ProgramListRules, FrequencyThresholds) {
    const std::pair<uint32_t, int> cases[] = {{0, 0}, {2, 0}, {3, 1}, {10, 1}, {11, 2}, {0xFFFFFFFF, 2}};
    for (const auto& [count, expected] : cases)
        EXPECT_EQ(FrequencyClass(count), expected) << count;
}

TEST(ProgramListRules, RowKindTravelsWithTheDataValue) {
    EXPECT_EQ(RowIndex(RowData(7, true)), 7u);
    EXPECT_EQ(RowIndex(RowData(7, false)), 7u);
    EXPECT_TRUE(IsScreenSaverRow(L"", RowData(3, true)));
    EXPECT_FALSE(IsScreenSaverRow(L"", RowData(3, false)));
    // A non-empty caption decides by its first character, whatever the row's origin.
    EXPECT_TRUE(IsScreenSaverRow(L"[Beta] Tool", RowData(3, false)));
    EXPECT_FALSE(IsScreenSaverRow(L"Tool", RowData(3, true)));
}
