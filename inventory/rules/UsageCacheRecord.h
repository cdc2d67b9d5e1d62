#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tallivor {

// The Add/Remove Programs usage-cache record "SlowInfoCache", little-endian:
//  0  u32 record size (unused);  4  u32 name flag (unused);
//  8  u64 installed size in bytes, all bits set = unknown;
//  16 u64 last-used FILETIME, all bits clear or all bits set = never;
//  24 i32 use count, -1 = unknown;
//  28 program file path, UTF-16LE, zero-terminated, to the end of the data.
struct TUsageCacheRecord {
    std::optional<std::uint64_t> size;      // absent when all ones (0 stays 0: the caller treats 0 as "no size")
    std::optional<std::uint64_t> lastUsed;  // FILETIME as a 64-bit number; absent when 0 or all ones
    std::optional<std::uint32_t> useCount;  // absent when -1; otherwise the word taken as unsigned
    std::wstring programPath;               // whole path, however long
};

// Decodes `size` bytes of record data. Bytes missing from short data read as zero, as they do in the
// zero-filled buffer the record is read into: an empty record gives size 0, no last use, use count 0 and no
// path. A path without terminating zero ends at the end of the data; an odd trailing byte is ignored.
TUsageCacheRecord DecodeSlowInfoCache(const unsigned char* data, std::size_t size);

}  // namespace tallivor
