#include "gui/programs/TallivorLib_TLB.h"

#include "platform/Errors.h"

#include <utility>

namespace varnook {

using platform::OleCheck;

void RegisterComServer(const wchar_t* fileName) {
    const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    platform::TModule module(LoadLibraryW(fileName));
    const DWORD loadError = GetLastError();
    SetErrorMode(oldMode);
    if (!module) {
        const HRESULT code = HRESULT_FROM_WIN32(loadError);
        throw platform::EOleError(code, platform::SystemErrorText(code) + L": " + fileName);
    }
    // Through a generic function pointer: GetProcAddress does not know the export's signature.
    const auto address = reinterpret_cast<void (*)()>(GetProcAddress(module.get(), "DllRegisterServer"));
    if (!address)
        platform::RaiseLastOSError();
    using TRegisterFunction = HRESULT(STDAPICALLTYPE*)();
    OleCheck(reinterpret_cast<TRegisterFunction>(address)());
}

void TProgramList::Connect() {
    if (intf_)
        return;
    // The server never registers a running object; asking first still lets a client share one.
    platform::TComPtr<IUnknown> object;
    if (FAILED(GetActiveObject(CLSID_ProgramList, nullptr, object.put())))
        OleCheck(CoCreateInstance(CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                  object.put_void()));
    platform::TComPtr<IProgramList> list;
    OleCheck(object.query(list));
    intf_ = std::move(list);
}

void TProgramList::Disconnect() {
    intf_.reset();
}

IProgramList* TProgramList::DefaultInterface() {
    Connect();
    return intf_.get();
}

platform::TComPtr<IProgramItem> TProgramList::ProgramItem(ULONG Index) {
    platform::TComPtr<IProgramItem> item;
    OleCheck(DefaultInterface()->get_ProgramItem(Index, item.put()));
    return item;
}

ULONG TProgramList::ItemCount() {
    ULONG count = 0;
    OleCheck(DefaultInterface()->get_ItemCount(&count));
    return count;
}

ULONG TProgramList::ScrItemCount() {
    ULONG count = 0;
    OleCheck(DefaultInterface()->get_ScrItemCount(&count));
    return count;
}

std::wstring TProgramList::ScrName(ULONG Index) {
    return Text(&IProgramList::get_ScrName, Index);
}

std::wstring TProgramList::ScrPublisher(ULONG Index) {
    return Text(&IProgramList::get_ScrPublisher, Index);
}

std::wstring TProgramList::ScrFileDir(ULONG Index) {
    return Text(&IProgramList::get_ScrFileDir, Index);
}

std::wstring TProgramList::scrDescription(ULONG Index) {
    return Text(&IProgramList::get_scrDescription, Index);
}

ULONG TProgramList::ScrIconIndex(ULONG Index) {
    return Number(&IProgramList::get_ScrIconIndex, Index);
}

ULONG TProgramList::ScrSize(ULONG Index) {
    return Number(&IProgramList::get_ScrSize, Index);
}

std::wstring TProgramList::ScrLastAccessTime(ULONG Index) {
    return Text(&IProgramList::get_ScrLastAccessTime, Index);
}

void TProgramList::UpdateProgramList() {
    OleCheck(DefaultInterface()->UpdateProgramList());
}

void TProgramList::UpdateScrList() {
    OleCheck(DefaultInterface()->UpdateScrList());
}

std::wstring TProgramList::Text(TTextGetter getter, ULONG index) {
    platform::TBstr text;
    OleCheck((DefaultInterface()->*getter)(index, text.put()));
    return std::wstring(text.c_str(), text.length());
}

ULONG TProgramList::Number(TNumberGetter getter, ULONG index) {
    ULONG value = 0;
    OleCheck((DefaultInterface()->*getter)(index, &value));
    return value;
}

}  // namespace varnook
