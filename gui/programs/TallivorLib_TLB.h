#pragma once

#include "platform/Handles.h"
#include "Tallivor_h.h"

#include <string>

namespace varnook {

// Loads the COM server DLL `fileName` through the normal DLL search (the program's folder first), calls its
// DllRegisterServer and unloads it again. Raises platform::EOleError when the DLL cannot be loaded, has no
// such export or fails to register.
void RegisterComServer(const wchar_t* fileName);

// The client of the inventory's ProgramList object. It connects on first use (a running object if there is
// one, else a new one) and keeps that one object until Disconnect. Members forward to IProgramList under
// the same names; a negative HRESULT raises platform::EOleError, and S_FALSE is success that leaves the
// result as it was before the call: 0, an empty text or a null item.
class TProgramList {
public:
    TProgramList() = default;
    TProgramList(const TProgramList&) = delete;
    TProgramList& operator=(const TProgramList&) = delete;

    void Connect();
    void Disconnect();
    // Connects when needed.
    IProgramList* DefaultInterface();

    platform::TComPtr<IProgramItem> ProgramItem(ULONG Index);
    ULONG ItemCount();
    ULONG ScrItemCount();
    std::wstring ScrName(ULONG Index);
    std::wstring ScrPublisher(ULONG Index);
    std::wstring ScrFileDir(ULONG Index);
    std::wstring scrDescription(ULONG Index);
    ULONG ScrIconIndex(ULONG Index);
    ULONG ScrSize(ULONG Index);
    std::wstring ScrLastAccessTime(ULONG Index);
    void UpdateProgramList();
    void UpdateScrList();

private:
    using TTextGetter = HRESULT (STDMETHODCALLTYPE IProgramList::*)(ULONG, BSTR*);
    using TNumberGetter = HRESULT (STDMETHODCALLTYPE IProgramList::*)(ULONG, ULONG*);
    std::wstring Text(TTextGetter getter, ULONG index);
    ULONG Number(TNumberGetter getter, ULONG index);

    platform::TComPtr<IProgramList> intf_;
};

}  // namespace varnook
