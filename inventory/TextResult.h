#pragma once

#include "inventory/ProgramItem.h"

#include <string>
#include <vector>

namespace tallivor {

// Out values of the interface members: a new BSTR the caller frees, or a number. A null out pointer is
// refused with E_POINTER instead of being written through.
inline HRESULT ReturnText(const std::wstring& text, BSTR* pVal) {
    if (!pVal)
        return E_POINTER;
    *pVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pVal ? S_OK : E_OUTOFMEMORY;
}

// A text that was never set reaches the client as a null BSTR.
inline HRESULT ReturnText(const CProgramItem::TOptionalText& text, BSTR* pVal) {
    if (!pVal)
        return E_POINTER;
    if (!text.set) {
        *pVal = nullptr;
        return S_OK;
    }
    return ReturnText(text.text, pVal);
}

inline HRESULT ReturnNumber(ULONG value, ULONG* pVal) {
    if (!pVal)
        return E_POINTER;
    *pVal = value;
    return S_OK;
}

// An indexed member: S_FALSE without writing on an empty list, E_INVALIDARG past its end.
template <class T, class Pick, class Out, class Write>
HRESULT ReturnListMember(const std::vector<T>& list, ULONG index, Out* pVal, Pick pick, Write write) {
    if (!pVal)
        return E_POINTER;
    if (list.empty())
        return S_FALSE;
    if (index >= list.size())
        return E_INVALIDARG;
    return write(pick(list[index]), pVal);
}

template <class T, class Pick>
HRESULT ReturnListText(const std::vector<T>& list, ULONG index, BSTR* pVal, Pick pick) {
    return ReturnListMember(list, index, pVal, pick,
                            [](const std::wstring& text, BSTR* out) { return ReturnText(text, out); });
}

template <class T, class Pick>
HRESULT ReturnListNumber(const std::vector<T>& list, ULONG index, ULONG* pVal, Pick pick) {
    return ReturnListMember(list, index, pVal, pick, ReturnNumber);
}

}  // namespace tallivor
