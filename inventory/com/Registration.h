#pragma once

#include <windows.h>

#include <string>

namespace tallivor {

// Writes the AppID entries, the class entries class by class, then registers the type library stored in
// the DLL `modulePath` (with its interfaces, for automation marshaling). Stops at the first failure.
HRESULT WriteRegistration(const std::wstring& modulePath);

// Removes the class entries, unregisters the type library, then removes the AppID entries. What is
// already missing counts as removed; stops at the first other failure.
HRESULT RemoveRegistration();

}  // namespace tallivor
