#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace platform {

// An error raised inside the GUI: the handler boundary catches it and shows Message() in a box.
class EError : public std::exception {
public:
    explicit EError(std::wstring message);

    const std::wstring& Message() const noexcept { return message_; }
    // The message as UTF-8, for code that only knows std::exception.
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    std::wstring message_;
    std::string utf8_;
};

// An error with the system code behind it: a failed HRESULT, or a Win32 error code as an HRESULT.
class EOleError : public EError {
public:
    // The message is the system's text for `code`.
    explicit EOleError(HRESULT code);
    EOleError(HRESULT code, std::wstring message);

    HRESULT Code() const noexcept { return code_; }

private:
    HRESULT code_;
};

// The system's text for `code`, without the closing period and line break so that it can be embedded;
// "Error 0x…" when the system has no text for it.
std::wstring SystemErrorText(HRESULT code);

// Raises EOleError for a negative HRESULT and returns any other (S_FALSE counts as success).
HRESULT OleCheck(HRESULT code);

// Raises EOleError for the calling thread's last Win32 error.
[[noreturn]] void RaiseLastOSError();

}  // namespace platform
