#pragma once

#include "inventory/ProgramItem.h"

#include <string>
#include <vector>

namespace tallivor {

// The uninstall entries of HKEY_LOCAL_MACHINE as CProgramItem objects, and the screen savers of the
// system folder as plain records. Both lists are rebuilt as a whole by their Update method.
class CProgramList final : public TDualObject<IProgramList, CProgramList> {
public:
    explicit CProgramList(IUnknown* outer);

    // IProgramList
    STDMETHODIMP get_ProgramItem(ULONG Index, IProgramItem** pVal) override;
    STDMETHODIMP get_ItemCount(ULONG* pVal) override;
    STDMETHODIMP get_ScrItemCount(ULONG* pVal) override;
    STDMETHODIMP get_ScrName(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP get_ScrPublisher(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP get_ScrFileDir(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP get_scrDescription(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP get_ScrIconIndex(ULONG Index, ULONG* pVal) override;
    STDMETHODIMP get_ScrSize(ULONG Index, ULONG* pVal) override;
    STDMETHODIMP get_ScrLastAccessTime(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP UpdateProgramList() override;
    STDMETHODIMP UpdateScrList() override;

    struct TScrRecord {
        std::wstring name;
        std::wstring description;
        std::wstring publisher;
        std::wstring folder;
        std::wstring lastAccess;
        ULONG iconIndex = 0;
        ULONG size = 0;
    };

private:
    std::vector<platform::TComPtr<CProgramItem>> items_;
    std::vector<TScrRecord> scrItems_;
};

}  // namespace tallivor
