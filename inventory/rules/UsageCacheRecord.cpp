#include "inventory/rules/UsageCacheRecord.h"

#include "inventory/rules/Rules.h"

namespace tallivor {

namespace {

constexpr std::size_t kPathOffset = 28;

// Little-endian unsigned number of `width` bytes at `offset`; bytes past the data read as zero.
std::uint64_t ReadLittleEndian(const unsigned char* data, std::size_t size, std::size_t offset, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width && offset + i < size; ++i)
        value |= static_cast<std::uint64_t>(data[offset + i]) << (8 * i);
    return value;
}

}  // namespace

TUsageCacheRecord DecodeSlowInfoCache(const unsigned char* data, std::size_t size) {
    constexpr std::uint64_t kAllOnes = ~std::uint64_t{0};
    TUsageCacheRecord record;

    const std::uint64_t installedSize = ReadLittleEndian(data, size, 8, 8);
    if (installedSize != kAllOnes)
        record.size = installedSize;

    const std::uint64_t lastUsed = ReadLittleEndian(data, size, 16, 8);
    if (lastUsed != 0 && lastUsed != kAllOnes)
        record.lastUsed = lastUsed;

    const auto useCount = static_cast<std::uint32_t>(ReadLittleEndian(data, size, 24, 4));
    if (useCount != 0xFFFFFFFFu)
        record.useCount = useCount;

    if (size > kPathOffset)
        record.programPath = TextFromRegData(data + kPathOffset, size - kPathOffset);
    return record;
}

}  // namespace tallivor
