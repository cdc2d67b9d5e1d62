#pragma once

#include <cstddef>
#include <string>

namespace tallivor {

// Registry data of types shown as text in the details: a multi-string's parts joined by ", ", and any
// other data as hexadecimal bytes separated by blanks ("01 ff 2a").
std::wstring MultiStringText(const unsigned char* data, size_t size);
std::wstring HexBytesText(const unsigned char* data, size_t size);

}  // namespace tallivor
