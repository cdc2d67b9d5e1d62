#include "EntryReader.h"

#include "inventory/rules/Rules.h"

namespace tallivor {

TEntryReader::TEntryReader(HKEY root, const std::wstring& path) : key_(platform::OpenKey(root, path)) {
    ok_ = key_ && platform::QueryKeyInfo(key_.get(), info_);
    if (ok_) {
        // Never hand the registry a null buffer: with one it reports sizes instead of data.
        buffer_.assign(std::max<DWORD>(info_.maxValueData, sizeof(wchar_t)), 0);
    }
}

bool TEntryReader::Query(const wchar_t* name, const unsigned char*& data, size_t& size) {
    if (!ok_)
        return false;
    DWORD type = 0;
    DWORD length = 0;
    if (!platform::QueryValue(key_.get(), name, buffer_.data(), static_cast<DWORD>(buffer_.size()), type, length))
        return false;
    data = buffer_.data();
    size = std::min<size_t>(length, buffer_.size());
    return true;
}

std::optional<std::wstring> TEntryReader::Text(const wchar_t* name) {
    const unsigned char* data = nullptr;
    size_t size = 0;
    if (!Query(name, data, size))
        return std::nullopt;
    return TextFromRegData(data, size);
}

}  // namespace tallivor
