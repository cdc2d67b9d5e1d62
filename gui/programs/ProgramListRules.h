#pragma once

#include <cstdint>
#include <string>

namespace varnook {

// Orders two texts for a column sort: a-z compare as A-Z, every other character by its code; the first
// difference decides and a prefix sorts first.
int CompareTextNoCase(const std::wstring& a, const std::wstring& b);

// The Publisher and Directory columns sort their texts right-aligned in ten characters ("%10s"): a shorter
// text gets blanks in front, a longer one is kept whole.
std::wstring PadToTen(const std::wstring& text);

// The comparison of two rows for column `column` (0 caption, 1 publisher, 2 folder), in the given direction.
int ProgramListCompareTexts(const std::wstring& a, const std::wstring& b, int column, bool ascending);

// True when `text` occurs in `caption`, both taken in upper case (only a-z change).
bool CaptionContains(const std::wstring& caption, const std::wstring& text);

// How often a program is used, from its use count: 0 rarely (0-2), 1 occasionally (3-10), 2 frequently.
int FrequencyClass(uint32_t usedFrequency);

// Row data values carry the row's kind beside the index, so a screen-saver row with an empty caption is still
// known as one; every non-empty caption decides by its first character ("[" for a screen saver).
uint32_t RowData(uint32_t index, bool screenSaver);
uint32_t RowIndex(uint32_t data);
bool IsScreenSaverRow(const std::wstring& caption, uint32_t data);

}  // namespace varnook
