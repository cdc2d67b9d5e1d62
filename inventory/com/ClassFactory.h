#pragma once

#include <windows.h>
#include <objbase.h>

namespace tallivor {

// Makes one object of a class, standalone or aggregated into `outer`, and queries it for `iid`.
using TCreateFunction = HRESULT (*)(IUnknown* outer, REFIID iid, void** result);

// The class object of one creatable class. The module owns it for as long as the DLL is loaded, so client
// references do not decide its life.
class CClassFactory final : public IClassFactory {
public:
    explicit CClassFactory(TCreateFunction create) : create_(create) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** result) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** result) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    TCreateFunction create_;
};

}  // namespace tallivor
