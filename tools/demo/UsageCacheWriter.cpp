#include "tools/demo/UsageCacheWriter.h"

#include <algorithm>

namespace demo {

namespace {

constexpr std::size_t kPathOffset = 28;
constexpr std::size_t kPathField = 262;  // wide characters, terminator included

void PutLittleEndian(std::vector<unsigned char>& data, std::size_t offset, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        data[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

std::vector<unsigned char> EncodeSlowInfoCache(const tallivor::TUsageCacheRecord& record) {
    const std::size_t pathChars = std::max(kPathField, record.programPath.size() + 1);
    std::vector<unsigned char> data(kPathOffset + 2 * pathChars, 0);
    PutLittleEndian(data, 0, data.size(), 4);
    PutLittleEndian(data, 4, record.programPath.empty() ? 0 : 1, 4);
    PutLittleEndian(data, 8, record.size.value_or(~std::uint64_t{0}), 8);
    PutLittleEndian(data, 16, record.lastUsed.value_or(0), 8);
    PutLittleEndian(data, 24, record.useCount.value_or(0xFFFFFFFFu), 4);
    for (std::size_t i = 0; i < record.programPath.size(); ++i)
        PutLittleEndian(data, kPathOffset + 2 * i, static_cast<std::uint16_t>(record.programPath[i]), 2);
    return data;
}

std::uint64_t FileTimeMinutesBefore(std::uint64_t now, std::uint64_t minutes) {
    constexpr std::uint64_t kTicksPerMinute = 60ull * 10'000'000ull;
    return now - minutes * kTicksPerMinute;
}

}  // namespace demo
