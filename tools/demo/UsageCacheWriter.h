#pragma once

#include "inventory/rules/UsageCacheRecord.h"

#include <cstdint>
#include <vector>

namespace demo {

// The "SlowInfoCache" value that Add/Remove Programs keeps for `record`, in the layout the inventory decodes:
// the fixed fields (absent ones as their "unknown" or "never" markers), then the program path in a field of at
// least 262 wide characters, as Windows writes it (552 bytes for a short path).
std::vector<unsigned char> EncodeSlowInfoCache(const tallivor::TUsageCacheRecord& record);

// A FILETIME (100-nanosecond units since 1601) that lies `minutes` before `now`.
std::uint64_t FileTimeMinutesBefore(std::uint64_t now, std::uint64_t minutes);

}  // namespace demo
