#include "ValueText.h"

#include "inventory/rules/Rules.h"

namespace tallivor {

std::wstring MultiStringText(const unsigned char* data, size_t size) {
    std::wstring result;
    size_t offset = 0;
    while (offset + 1 < size) {
        const std::wstring part = TextFromRegData(data + offset, size - offset);
        if (part.empty())
            break;  // the empty string that ends the list
        if (!result.empty())
            result += L", ";
        result += part;
        offset += (part.size() + 1) * 2;
    }
    return result;
}

std::wstring HexBytesText(const unsigned char* data, size_t size) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring result;
    result.reserve(size * 3);
    for (size_t i = 0; i < size; ++i) {
        if (i > 0)
            result += L' ';
        result += kDigits[data[i] >> 4];
        result += kDigits[data[i] & 0xF];
    }
    return result;
}

}  // namespace tallivor
