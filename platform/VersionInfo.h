#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The texts `names` ("CompanyName", ...) of the first translation of a file's version resource, each absent
// when the resource lacks it. Nothing when the file has no version resource or an empty translation table.
std::optional<std::vector<std::optional<std::wstring>>> ReadVersionTexts(const std::wstring& path,
                                                                         std::initializer_list<const wchar_t*> names);

}  // namespace platform
