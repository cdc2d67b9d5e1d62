#include "IconCache.h"

#include "platform/Shell.h"

namespace tallivor {

std::optional<unsigned long> TIconCache::SmallIconIndex(const std::wstring& path) {
    const auto known = known_.find(path);
    if (known != known_.end())
        return known->second;
    const auto index = platform::SmallIconIndex(path);
    known_.emplace(path, index);
    return index;
}

}  // namespace tallivor
