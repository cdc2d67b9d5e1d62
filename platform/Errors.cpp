#include "platform/Errors.h"

#include <cwchar>
#include <iterator>
#include <utility>

namespace platform {

namespace {

std::string ToUtf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                            nullptr);
    return result;
}

}  // namespace

EError::EError(std::wstring message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

EOleError::EOleError(HRESULT code) : EOleError(code, SystemErrorText(code)) {}

EOleError::EOleError(HRESULT code, std::wstring message) : EError(std::move(message)), code_(code) {}

std::wstring SystemErrorText(HRESULT code) {
    // The message table knows Win32 errors by their own number, not by the HRESULT that wraps them.
    const DWORD id = HRESULT_FACILITY(code) == FACILITY_WIN32 ? HRESULT_CODE(code) : static_cast<DWORD>(code);
    wchar_t buffer[1024];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, id, 0, buffer,
                                  static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] <= L' ' || buffer[length - 1] == L'.'))
        --length;
    if (length > 0)
        return std::wstring(buffer, length);
    swprintf(buffer, std::size(buffer), L"Error 0x%08lX", static_cast<unsigned long>(code));
    return buffer;
}

HRESULT OleCheck(HRESULT code) {
    if (FAILED(code))
        throw EOleError(code);
    return code;
}

void RaiseLastOSError() {
    throw EOleError(HRESULT_FROM_WIN32(GetLastError()));
}

}  // namespace platform
