#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnook {

// The parts of `text` between the separators. With `trim` every part but the last loses the blanks and
// control characters at its ends; the last part is kept as it stands.
std::vector<std::wstring> SplitText(const std::wstring& text, wchar_t separator, bool trim);

// A whole number in decimal, optionally signed, after any leading blanks; nothing when the text is anything
// else (trailing blanks included) or does not fit in 32 bits.
std::optional<int> ParseInteger(const std::wstring& text);

// A skin position: left, top, width and height in pixels.
struct TPos {
    int left;
    int top;
    int width;
    int height;
};

// Reads "left, top, width, height" (parts after the fourth are ignored). False with fewer than four parts;
// a part that is not a whole number raises platform::EError "'<part>' is not a valid integer value".
bool ParsePos(const std::wstring& value, TPos& pos);

// `text` without the blanks and control characters at its ends.
std::wstring TrimText(const std::wstring& text);

// `format` with its first "%s" replaced by `argument`.
std::wstring FormatText(const std::wstring& format, const std::wstring& argument);

}  // namespace varnook
