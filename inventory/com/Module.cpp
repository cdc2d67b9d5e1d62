#include "inventory/ProgramItem.h"
#include "inventory/ProgramList.h"
#include "inventory/com/ClassFactory.h"
#include "inventory/com/Registration.h"

#include <atomic>
#include <iterator>
#include <new>
#include <string>

namespace tallivor {

namespace {

struct TClassEntry {
    const CLSID* clsid;
    TCreateFunction create;
};

constexpr TClassEntry kClasses[] = {
    {&CLSID_ProgramList, &CProgramList::CreateInstance},
    {&CLSID_ProgramItem, &CProgramItem::CreateInstance},
};

// The full file name of this DLL, wherever it was loaded from.
HRESULT ModulePath(std::wstring& path) {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&kClasses), &self))
        return HRESULT_FROM_WIN32(GetLastError());
    // A name that fills the buffer may have been cut: grow until it fits.
    for (DWORD capacity = MAX_PATH;; capacity *= 2) {
        path.resize(capacity);
        const DWORD length = GetModuleFileNameW(self, path.data(), capacity);
        if (length == 0)
            return HRESULT_FROM_WIN32(GetLastError());
        if (length < capacity) {
            path.resize(length);
            return S_OK;
        }
    }
}

}  // namespace

// The server module behind the four DLL exports: the class objects, the unload decision and the
// registration. The lock count itself lives with the objects (DualObject.h), which raise and lower it.
class CTallivorModule {
public:
    CTallivorModule() = default;
    CTallivorModule(const CTallivorModule&) = delete;
    CTallivorModule& operator=(const CTallivorModule&) = delete;
    ~CTallivorModule() {
        for (auto& factory : factories_)
            delete factory.load();
    }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** result) {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        for (size_t i = 0; i < std::size(kClasses); ++i) {
            if (IsEqualCLSID(clsid, *kClasses[i].clsid))
                return ClassObject(i, iid, result);
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    }

    HRESULT CanUnloadNow() const { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

    HRESULT RegisterServer() const {
        return GuardedCall([] {
            std::wstring path;
            const HRESULT hr = ModulePath(path);
            return FAILED(hr) ? hr : WriteRegistration(path);
        });
    }

    HRESULT UnregisterServer() const { return GuardedCall(RemoveRegistration); }

private:
    HRESULT ClassObject(size_t index, REFIID iid, void** result) {
        CClassFactory* factory = factories_[index].load();
        if (!factory) {
            // Two apartments may ask at once: the first factory stored is kept, the other one dropped.
            auto* made = new (std::nothrow) CClassFactory(kClasses[index].create);
            if (!made)
                return E_OUTOFMEMORY;
            if (factories_[index].compare_exchange_strong(factory, made))
                factory = made;
            else
                delete made;
        }
        return factory->QueryInterface(iid, result);
    }

    // Made on first request and kept until the DLL unloads.
    std::atomic<CClassFactory*> factories_[std::size(kClasses)] = {};
};

}  // namespace tallivor

namespace {
tallivor::CTallivorModule serverModule;
}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** result) {
    return serverModule.GetClassObject(clsid, iid, result);
}

STDAPI DllCanUnloadNow() {
    return serverModule.CanUnloadNow();
}

STDAPI DllRegisterServer() {
    return serverModule.RegisterServer();
}

STDAPI DllUnregisterServer() {
    return serverModule.UnregisterServer();
}
