#include "gui/shell/funUtils.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

using namespace varnook;

namespace {

TEST(SplitTextTest, TrimsEveryPartButTheLast) {
    struct TCase {
        std::wstring text;
        bool trim;
        std::vector<std::wstring> parts;
    };
    const TCase cases[] = {
        {L"a,b,c", false, {L"a", L"b", L"c"}},
        {L" a , b , c ", false, {L" a ", L" b ", L" c "}},
        {L" a , b , c ", true, {L"a", L"b", L" c "}},
        {L"a,\tb\r, c", true, {L"a", L"b", L" c"}},
        {L"abc", true, {L"abc"}},
        {L"", true, {L""}},
        {L",", true, {L"", L""}},
        {L"1,,3,", true, {L"1", L"", L"3", L""}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitText(c.text, L',', c.trim), c.parts) << c.text;
}

TEST(SplitTextTest, FindsSeparatorsPastTheFirst255Characters) {
    const std::wstring head(300, L'x');
    EXPECT_EQ(SplitText(head + L";" + head + L";end", L';', true), (std::vector<std::wstring>{head, head, L"end"}));
}

TEST(ParseIntegerTest, AcceptsSignedDecimalsAfterLeadingBlanks) {
    struct TCase {
        std::wstring text;
        std::optional<int> number;
    };
    const TCase cases[] = {
        {L"42", 42},
        {L"   42", 42},
        {L"\t7", 7},
        {L"-0", 0},
        {L"+15", 15},
        {L"-2147483648", INT_MIN},
        {L"2147483647", INT_MAX},
        {L"2147483648", std::nullopt},
        {L"-2147483649", std::nullopt},
        {L"99999999999999999999", std::nullopt},
        {L"42 ", std::nullopt},
        {L"4 2", std::nullopt},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
        {L"-", std::nullopt},
        {L"3a", std::nullopt},
        {L"0x10", std::nullopt},
        {L"1.5", std::nullopt},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.number) << testing::PrintToString(c.text);
}

TEST(ParsePosTest, ReadsTheFirstFourNumbers) {
    struct TCase {
        std::wstring value;
        TPos pos;
    };
    const TCase cases[] = {
        {L"10,10,100,30", {10, 10, 100, 30}},
        {L"10, 10, 100, 30, 99", {10, 10, 100, 30}},
        {L" 1 ,2,3, 4", {1, 2, 3, 4}},
        {L"731, 55, 21, 21", {731, 55, 21, 21}},
        {L"-5,+6,0,7", {-5, 6, 0, 7}},
        // The parts after the fourth are not converted at all.
        {L"1,2,3,4,x,", {1, 2, 3, 4}},
    };
    for (const TCase& c : cases) {
        TPos pos{-1, -1, -1, -1};
        ASSERT_TRUE(ParsePos(c.value, pos)) << testing::PrintToString(c.value);
        EXPECT_EQ(pos.left, c.pos.left);
        EXPECT_EQ(pos.top, c.pos.top);
        EXPECT_EQ(pos.width, c.pos.width);
        EXPECT_EQ(pos.height, c.pos.height);
    }
}

TEST(ParsePosTest, FailsWithFewerThanFourParts) {
    for (const wchar_t* value : {L"1,2,3", L"", L"10 10 100 30"}) {
        TPos pos{7, 7, 7, 7};
        EXPECT_FALSE(ParsePos(value, pos)) << testing::PrintToString(std::wstring(value));
        EXPECT_EQ(pos.left, 7);
    }
}

TEST(ParsePosTest, RaisesForAPartThatIsNotAWholeNumber) {
    struct TCase {
        std::wstring value;
        std::wstring message;
    };
    // The last of four parts is not trimmed, so it is named with its blank.
    const TCase cases[] = {
        {L"0, 0, 556, 3a", L"' 3a' is not a valid integer value"},
        {L"0,0,556,3a", L"'3a' is not a valid integer value"},
        {L"0, 3a , 556, 394", L"'3a' is not a valid integer value"},
        {L"1,,3,4", L"'' is not a valid integer value"},
        {L"1,2,3,", L"'' is not a valid integer value"},
        {L"1,2,3,4 ", L"'4 ' is not a valid integer value"},
        {L"1,2,99999999999,4", L"'99999999999' is not a valid integer value"},
    };
    for (const TCase& c : cases) {
        TPos pos{};
        try {
            ParsePos(c.value, pos);
            ADD_FAILURE() << "no error for " << testing::PrintToString(c.value);
        } catch (const platform::EError& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
}

TEST(FormatTextTest, ReplacesTheFirstPlaceholder) {
    EXPECT_EQ(FormatText(L"Save file %s failed!", L"C:\\A\\Config.ini"), L"Save file C:\\A\\Config.ini failed!");
    EXPECT_EQ(FormatText(L"%s and %s", L"x"), L"x and %s");
    EXPECT_EQ(FormatText(L"no placeholder", L"x"), L"no placeholder");
    EXPECT_EQ(FormatText(L"%s", L"100%s"), L"100%s");
}

TEST(TrimTextTest, RemovesBlanksAndControlCharacters) {
    EXPECT_EQ(TrimText(L" \t\r\n a b \r\n\x01"), L"a b");
    EXPECT_EQ(TrimText(L"  "), L"");
}

}  // namespace
