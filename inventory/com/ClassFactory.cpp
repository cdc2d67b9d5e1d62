#include "inventory/com/ClassFactory.h"

#include "inventory/com/DualObject.h"

namespace tallivor {

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** result) {
    if (!result)
        return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
        *result = nullptr;
        return E_NOINTERFACE;
    }
    *result = static_cast<IClassFactory*>(this);
    return S_OK;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** result) {
    return GuardedCall([&] { return create_(outer, iid, result); });
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
    if (lock)
        LockModule();
    else
        UnlockModule();
    return S_OK;
}

}  // namespace tallivor
