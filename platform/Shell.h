#pragma once

#include <optional>
#include <string>

namespace platform {

// The index of the file's small icon in the shell's system image list; nothing when the shell fails.
std::optional<unsigned long> SmallIconIndex(const std::wstring& path);

}  // namespace platform
