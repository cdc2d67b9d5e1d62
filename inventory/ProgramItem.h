#pragma once

#include "inventory/com/DualObject.h"
#include "Tallivor_h.h"

#include <string>
#include <vector>

namespace tallivor {

class TEntryReader;
class TIconCache;

// One uninstall entry of HKEY_LOCAL_MACHINE: its names, the details FillDetails derives from the entry, the
// usage cache, the program file's version resource and the file system, and its raw registry values.
class CProgramItem final : public TDualObject<IProgramItem, CProgramItem> {
public:
    explicit CProgramItem(IUnknown* outer);

    // Derives every detail field of the entry `registryName`, whose key the caller has open, with the readers
    // in their fixed order: later readers use what earlier ones found.
    void FillDetails(TEntryReader& entry, const std::wstring& registryName, TIconCache& icons);

    // IProgramItem
    STDMETHODIMP get_DisplayName(BSTR* pVal) override;
    STDMETHODIMP get_UninstallString(BSTR* pVal) override;
    STDMETHODIMP get_RegistryName(BSTR* pVal) override;
    STDMETHODIMP UpdateItemData(BSTR strRegistryName) override;
    STDMETHODIMP get_IsSysPatch(ULONG* pVal) override;
    STDMETHODIMP get_Publisher(BSTR* pVal) override;
    STDMETHODIMP get_InstallDir(BSTR* pVal) override;
    STDMETHODIMP get_IconIndex(ULONG* pVal) override;
    STDMETHODIMP get_UsedFrequency(ULONG* pVal) override;
    STDMETHODIMP get_LastAccessTime(BSTR* pVal) override;
    STDMETHODIMP get_DirSize(FLOAT* pVal) override;
    STDMETHODIMP get_InstallTime(BSTR* pVal) override;
    STDMETHODIMP get_Version(BSTR* pVal) override;
    STDMETHODIMP get_HelpLink(BSTR* pVal) override;
    STDMETHODIMP get_URLAboutInfo(BSTR* pVal) override;
    STDMETHODIMP get_URLUpdateInfo(BSTR* pVal) override;
    STDMETHODIMP get_SubKeyCount(ULONG* pVal) override;
    STDMETHODIMP get_RegInfoName(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP get_RegInfoValue(ULONG Index, BSTR* pVal) override;
    STDMETHODIMP AddComments(BSTR strComments) override;
    STDMETHODIMP get_UnusedDays(ULONG* pVal) override;

    // A text field that was never set: null reaches clients as a null BSTR.
    struct TOptionalText {
        bool set = false;
        std::wstring text;
        void assign(std::wstring value) {
            set = true;
            text = std::move(value);
        }
    };

    struct TRegInfoEntry {
        std::wstring name;
        std::wstring value;
    };

    // Fields, in the order the item keeps them.
    std::wstring DisplayName;
    std::wstring RegistryName;
    std::wstring UninstallString;
    ULONG SubKeyCount = 0;
    ULONG IconIndex = 0;
    ULONG IsSysPatch = 0;
    std::vector<TRegInfoEntry> RegInfo;
    ULONG UnusedDays = 0;
    TOptionalText InstallDir;
    TOptionalText InstallTime;
    TOptionalText Version;
    TOptionalText Publisher;
    TOptionalText HelpLink;
    TOptionalText URLAboutInfo;
    TOptionalText URLUpdateInfo;
    float CachedSize = 0;
    std::wstring LastAccessTime;
    ULONG UsedFrequency = 0;
    std::wstring CachedProgramPath;
    struct {
        TOptionalText companyName;
        TOptionalText productVersion;
    } VersionStrings;

private:
    void ReadUsageCache(const std::wstring& registryName);
    void ReadInstallDir(TEntryReader& entry);
    void ReadIconIndex(TEntryReader& entry, TIconCache& icons);
    void ReadPublisher(TEntryReader& entry);
    void ReadInstallTime(TEntryReader& entry);
    void ReadVersion(TEntryReader& entry);
    void ReadLinks(TEntryReader& entry);
    bool ReadVersionStrings(const std::wstring& path);
    HRESULT ComputeUnusedDays(ULONG* pVal);
};

}  // namespace tallivor
