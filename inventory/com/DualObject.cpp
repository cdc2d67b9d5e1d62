#include "inventory/com/DualObject.h"

// The one place the identifiers of the type library are defined.
#include <initguid.h>
#include "Tallivor_h.h"

namespace tallivor {

namespace {
// Objects live in single-threaded apartments, but several apartments of one process may hold objects.
volatile LONG moduleLocks = 0;
}  // namespace

void LockModule() {
    InterlockedIncrement(&moduleLocks);
}

void UnlockModule() {
    InterlockedDecrement(&moduleLocks);
}

LONG ModuleLockCount() {
    return moduleLocks;
}

HRESULT LoadInterfaceTypeInfo(REFIID iid, ITypeInfo** info) {
    platform::TComPtr<ITypeLib> library;
    const HRESULT hr = LoadRegTypeLib(LIBID_TallivorLib, 1, 0, LOCALE_NEUTRAL, library.put());
    return FAILED(hr) ? hr : library->GetTypeInfoOfGuid(iid, info);
}

}  // namespace tallivor
