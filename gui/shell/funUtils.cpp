#include "funUtils.h"

#include "platform/Errors.h"

#include <limits>

namespace varnook {

namespace {

bool IsBlankOrControl(wchar_t c) {
    return c <= L' ';
}

}  // namespace

std::wstring TrimText(const std::wstring& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// Positions are plain size_t: a separator anywhere in the text counts, not just within the first 255
// characters.
std::vector<std::wstring> SplitText(const std::wstring& text, wchar_t separator, bool trim) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t found = text.find(separator); found != std::wstring::npos; found = text.find(separator, start)) {
        std::wstring part = text.substr(start, found - start);
        parts.push_back(trim ? TrimText(part) : std::move(part));
        start = found + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<int> ParseInteger(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a magnitude so that the most negative number still fits.
    const long long limit =
        negative ? -static_cast<long long>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool ParsePos(const std::wstring& value, TPos& pos) {
    const std::vector<std::wstring> parts = SplitText(value, L',', true);
    if (parts.size() < 4)
        return false;
    int numbers[4];
    for (size_t i = 0; i < 4; ++i) {
        const std::optional<int> number = ParseInteger(parts[i]);
        if (!number)
            throw platform::EError(L"'" + parts[i] + L"' is not a valid integer value");
        numbers[i] = *number;
    }
    pos = {numbers[0], numbers[1], numbers[2], numbers[3]};
    return true;
}

std::wstring FormatText(const std::wstring& format, const std::wstring& argument) {
    std::wstring result = format;
    if (const size_t at = result.find(L"%s"); at != std::wstring::npos)
        result.replace(at, 2, argument);
    return result;
}

}  // namespace varnook
