#include "Shell.h"

#include "Handles.h"

#include <shellapi.h>

namespace platform {

std::optional<unsigned long> SmallIconIndex(const std::wstring& path) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON))
        return std::nullopt;
    TIcon icon(info.hIcon);  // only the index is kept
    return static_cast<unsigned long>(info.iIcon);
}

}  // namespace platform
