#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rules_test {

using TBytes = std::vector<unsigned char>;

// Appends `width` bytes of `value`, least significant first.
inline void AppendLittleEndian(TBytes& bytes, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// UTF-16LE bytes of `text`, with no terminator unless `text` holds one.
inline TBytes Utf16Le(std::wstring_view text) {
    TBytes bytes;
    for (wchar_t c : text)
        AppendLittleEndian(bytes, static_cast<std::uint16_t>(c), 2);
    return bytes;
}

}  // namespace rules_test
