#include "ProgramListRules.h"

#include <algorithm>

namespace varnook {

namespace {

constexpr uint32_t kScreenSaverBit = 0x80000000u;

wchar_t Upper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

int CompareTextNoCase(const std::wstring& a, const std::wstring& b) {
    const size_t length = std::min(a.size(), b.size());
    for (size_t i = 0; i < length; ++i) {
        const wchar_t x = Upper(a[i]);
        const wchar_t y = Upper(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring PadToTen(const std::wstring& text) {
    return text.size() >= 10 ? text : std::wstring(10 - text.size(), L' ') + text;
}

int ProgramListCompareTexts(const std::wstring& a, const std::wstring& b, int column, bool ascending) {
    const int result = column == 0 ? CompareTextNoCase(a, b) : CompareTextNoCase(PadToTen(a), PadToTen(b));
    return ascending ? result : -result;
}

bool CaptionContains(const std::wstring& caption, const std::wstring& text) {
    std::wstring haystack = caption;
    std::wstring needle = text;
    for (wchar_t& c : haystack)
        c = Upper(c);
    for (wchar_t& c : needle)
        c = Upper(c);
    return haystack.find(needle) != std::wstring::npos;
}

int FrequencyClass(uint32_t usedFrequency) {
    if (usedFrequency <= 2)
        return 0;
    return usedFrequency <= 10 ? 1 : 2;
}

uint32_t RowData(uint32_t index, bool screenSaver) {
    return (index & ~kScreenSaverBit) | (screenSaver ? kScreenSaverBit : 0);
}

uint32_t RowIndex(uint32_t data) {
    return data & ~kScreenSaverBit;
}

bool IsScreenSaverRow(const std::wstring& caption, uint32_t data) {
    return caption.empty() ? (data & kScreenSaverBit) != 0 : caption[0] == L'[';
}

}  // namespace varnook
