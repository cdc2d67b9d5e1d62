#pragma once

#include <map>
#include <optional>
#include <string>

namespace tallivor {

// The shell's icon look-ups during one list rebuild. The shell answers the same path with the same index,
// and asking it costs far more than reading an entry; many entries share an icon (the installer's above all).
class TIconCache {
public:
    std::optional<unsigned long> SmallIconIndex(const std::wstring& path);

private:
    std::map<std::wstring, std::optional<unsigned long>> known_;
};

}  // namespace tallivor
