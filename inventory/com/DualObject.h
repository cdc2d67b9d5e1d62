#pragma once

#include "platform/Handles.h"

#include <new>
#include <utility>

namespace tallivor {

// The module lock count behind DllCanUnloadNow: every live object and every LockServer(TRUE) holds one.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

// Runs `body` (which returns an HRESULT) and turns an exception into an HRESULT: nothing thrown may cross
// the COM boundary.
template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// Loads the type information of interface `iid` from the registered type library TallivorLib 1.0.
HRESULT LoadInterfaceTypeInfo(REFIID iid, ITypeInfo** info);

// Base of the server classes: a dual interface whose IUnknown goes to the controlling unknown (the object's
// own inner unknown when standalone, the outer object when aggregated) and whose IDispatch is answered
// from the registered type library. Reference counts are plain: objects live in one apartment.
template <class Itf, class Derived>
class TDualObject : public Itf {
public:
    // Creates a Derived, standalone or aggregated into `outer`, and queries it for `iid`.
    static HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** result) {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        if (outer && !IsEqualIID(iid, IID_IUnknown))
            return CLASS_E_NOAGGREGATION;
        auto* object = new (std::nothrow) Derived(outer);
        if (!object)
            return E_OUTOFMEMORY;
        const HRESULT hr = object->inner_.QueryInterface(iid, result);
        object->inner_.Release();
        return hr;
    }

    // Creates a standalone Derived and hands out its own interface with one reference.
    static HRESULT CreateStandalone(Derived** result) {
        return CreateInstance(nullptr, __uuidof(Itf), reinterpret_cast<void**>(result));
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** result) override { return outer_->QueryInterface(iid, result); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_->Release(); }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }

    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        const HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        typeInfo_.get()->AddRef();
        *info = typeInfo_.get();
        return S_OK;
    }

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        const HRESULT hr = EnsureTypeInfo();
        return FAILED(hr) ? hr : DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
    }

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                        UINT* argError) override {
        const HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        return DispInvoke(static_cast<Itf*>(this), typeInfo_.get(), id, flags, params, result, exception, argError);
    }

protected:
    explicit TDualObject(IUnknown* outer) : inner_(this), outer_(outer ? outer : &inner_) { LockModule(); }
    virtual ~TDualObject() { UnlockModule(); }

private:
    // The non-delegating unknown: owns the reference count and answers QueryInterface.
    struct TInner final : IUnknown {
        explicit TInner(TDualObject* owner) : owner_(owner) {}
        TDualObject* owner() const { return owner_; }

        STDMETHODIMP QueryInterface(REFIID iid, void** result) override {
            if (!result)
                return E_POINTER;
            if (IsEqualIID(iid, IID_IUnknown)) {
                *result = static_cast<IUnknown*>(this);
            } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(Itf))) {
                *result = static_cast<Itf*>(owner());
            } else {
                *result = nullptr;
                return E_NOINTERFACE;
            }
            static_cast<IUnknown*>(*result)->AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
        STDMETHODIMP_(ULONG) Release() override {
            const ULONG left = --refs;
            if (left == 0)
                delete owner();
            return left;
        }

        TDualObject* owner_;
        ULONG refs = 1;
    };

    HRESULT EnsureTypeInfo() { return typeInfo_ ? S_OK : LoadInterfaceTypeInfo(__uuidof(Itf), typeInfo_.put()); }

    TInner inner_;
    IUnknown* outer_;
    platform::TComPtr<ITypeInfo> typeInfo_;
};

}  // namespace tallivor
