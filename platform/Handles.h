#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <commctrl.h>

#include <utility>

namespace platform {

// Owns one handle of a kind; the Close policy says how it is released and which value means "none".
template <class T, class Close>
class TUnique {
public:
    TUnique() = default;
    explicit TUnique(T value) : value_(value) {}
    TUnique(const TUnique&) = delete;
    TUnique& operator=(const TUnique&) = delete;
    TUnique(TUnique&& other) noexcept : value_(other.release()) {}
    TUnique& operator=(TUnique&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~TUnique() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return Close::valid(value_); }

    T release() { return std::exchange(value_, Close::none()); }

    void reset(T value = Close::none()) {
        T old = std::exchange(value_, value);
        if (Close::valid(old)) {
            const DWORD lastError = GetLastError();
            Close::close(old);
            SetLastError(lastError);
        }
    }

    // Hands the storage to an API that writes a new handle into it.
    T* put() {
        reset();
        return &value_;
    }

private:
    T value_ = Close::none();
};

// Release policies: handles whose "none" value is null, and those for which it is INVALID_HANDLE_VALUE.
template <class T, auto CloseFn>
struct TNullPolicy {
    static T none() { return nullptr; }
    static bool valid(T value) { return value != nullptr; }
    static void close(T value) { CloseFn(value); }
};

template <auto CloseFn>
struct TInvalidPolicy {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE value) { return value != INVALID_HANDLE_VALUE && value != nullptr; }
    static void close(HANDLE value) { CloseFn(value); }
};

using THandle = TUnique<HANDLE, TNullPolicy<HANDLE, CloseHandle>>;
using TFileHandle = TUnique<HANDLE, TInvalidPolicy<CloseHandle>>;
using TFindHandle = TUnique<HANDLE, TInvalidPolicy<FindClose>>;
using TKey = TUnique<HKEY, TNullPolicy<HKEY, RegCloseKey>>;
using TModule = TUnique<HMODULE, TNullPolicy<HMODULE, FreeLibrary>>;
using TIcon = TUnique<HICON, TNullPolicy<HICON, DestroyIcon>>;
using TGdiObject = TUnique<HGDIOBJ, TNullPolicy<HGDIOBJ, DeleteObject>>;
using TFont = TUnique<HFONT, TNullPolicy<HFONT, DeleteObject>>;
using TMemoryDC = TUnique<HDC, TNullPolicy<HDC, DeleteDC>>;
using TMenu = TUnique<HMENU, TNullPolicy<HMENU, DestroyMenu>>;
using TImageList = TUnique<HIMAGELIST, TNullPolicy<HIMAGELIST, ImageList_Destroy>>;
using TEnhMetaFile = TUnique<HENHMETAFILE, TNullPolicy<HENHMETAFILE, DeleteEnhMetaFile>>;

// A counted COM reference.
template <class I>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    explicit TComPtr(I* p) : p_(p) {
        if (p_)
            p_->AddRef();
    }
    TComPtr(const TComPtr& other) : TComPtr(other.p_) {}
    TComPtr(TComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    TComPtr& operator=(TComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~TComPtr() { reset(); }

    // Adopts a reference the caller already owns.
    static TComPtr attach(I* p) {
        TComPtr result;
        result.p_ = p;
        return result;
    }

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    I* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (I* old = std::exchange(p_, nullptr))
            old->Release();
    }
    I** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    template <class J>
    HRESULT query(TComPtr<J>& out) const {
        return p_ ? p_->QueryInterface(__uuidof(J), out.put_void()) : E_POINTER;
    }

private:
    I* p_ = nullptr;
};

// Owns a BSTR.
class TBstr {
public:
    TBstr() = default;
    explicit TBstr(const wchar_t* text) : s_(text ? SysAllocString(text) : nullptr) {}
    TBstr(const TBstr&) = delete;
    TBstr& operator=(const TBstr&) = delete;
    TBstr(TBstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    TBstr& operator=(TBstr&& other) noexcept {
        if (this != &other) {
            SysFreeString(s_);
            s_ = std::exchange(other.s_, nullptr);
        }
        return *this;
    }
    ~TBstr() { SysFreeString(s_); }

    BSTR get() const { return s_; }
    // The text, empty for a null BSTR (COM treats both alike).
    const wchar_t* c_str() const { return s_ ? s_ : L""; }
    UINT length() const { return SysStringLen(s_); }

    BSTR* put() {
        SysFreeString(std::exchange(s_, nullptr));
        return &s_;
    }
    BSTR detach() { return std::exchange(s_, nullptr); }

private:
    BSTR s_ = nullptr;
};

}  // namespace platform
