#include "ProgramItem.h"

#include "DirectorySize.h"
#include "EntryReader.h"
#include "IconCache.h"
#include "TextResult.h"
#include "TimeText.h"
#include "ValueText.h"
#include "inventory/rules/Rules.h"
#include "inventory/rules/UsageCacheRecord.h"
#include "platform/Files.h"
#include "platform/VersionInfo.h"

namespace tallivor {

namespace {

std::wstring EntryPath(const std::wstring& registryName) {
    return kUninstallPath + registryName;
}

const wchar_t* TextOf(BSTR text) {
    return text ? text : L"";
}

// A registry value shown as text in the details: strings as stored (expandable ones expanded, at most as many
// characters as the key's largest value has bytes), numbers in decimal, anything else as hex bytes.
std::wstring RegInfoText(const platform::TRegValue& value, DWORD maxValueData) {
    const unsigned char* data = value.data.data();
    const size_t size = value.data.size();
    switch (value.type) {
        case REG_SZ:
            return TextFromRegData(data, size);
        case REG_EXPAND_SZ:
            return platform::ExpandEnvironment(TextFromRegData(data, size), maxValueData);
        case REG_DWORD: {
            uint32_t number = 0;
            for (size_t i = 0; i < std::min<size_t>(size, 4); ++i)
                number |= static_cast<uint32_t>(data[i]) << (8 * i);
            return FormatDwordText(number);
        }
        case REG_QWORD: {
            uint64_t number = 0;
            for (size_t i = 0; i < std::min<size_t>(size, 8); ++i)
                number |= static_cast<uint64_t>(data[i]) << (8 * i);
            return std::to_wstring(number);
        }
        case REG_MULTI_SZ:
            return MultiStringText(data, size);
        default:
            return HexBytesText(data, size);
    }
}

}  // namespace

CProgramItem::CProgramItem(IUnknown* outer) : TDualObject(outer) {}

void CProgramItem::FillDetails(TEntryReader& entry, const std::wstring& registryName, TIconCache& icons) {
    ReadUsageCache(registryName);
    if (!entry.ok())
        return;  // every other reader needs the entry key
    ReadInstallDir(entry);
    ReadIconIndex(entry, icons);
    ReadPublisher(entry);
    ReadInstallTime(entry);
    ReadVersion(entry);
    ReadLinks(entry);
}

void CProgramItem::ReadUsageCache(const std::wstring& registryName) {
    TEntryReader cache(IsNt60() ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, kUsageCachePath + registryName);
    if (!cache.ok())
        return;
    // A missing value reads as a record of zeros, as an empty one does.
    const unsigned char* data = nullptr;
    size_t size = 0;
    if (!cache.Query(L"SlowInfoCache", data, size))
        size = 0;
    const TUsageCacheRecord record = DecodeSlowInfoCache(data, size);
    if (record.size)
        CachedSize = static_cast<float>(*record.size);
    if (record.lastUsed) {
        const FILETIME utc{static_cast<DWORD>(*record.lastUsed), static_cast<DWORD>(*record.lastUsed >> 32)};
        LastAccessTime = LastUseText(utc);
    } else {
        LastAccessTime.clear();
    }
    if (record.useCount)
        UsedFrequency = *record.useCount;
    CachedProgramPath = record.programPath;
}

void CProgramItem::ReadInstallDir(TEntryReader& entry) {
    const auto location = entry.Text(L"InstallLocation");
    if (location && !location->empty())
        InstallDir.assign(*location);
    else if (!CachedProgramPath.empty())
        InstallDir.assign(FolderOfPath(CachedProgramPath));
    else
        InstallDir.assign(InstallDirFromUninstallString(UninstallString));
}

void CProgramItem::ReadIconIndex(TEntryReader& entry, TIconCache& icons) {
    // The icon number after a comma in "DisplayIcon" is never used: such a text names no file, so the
    // program file of the usage cache stands in for it.
    std::wstring iconPath = CachedProgramPath;
    bool found = false;
    if (const auto displayIcon = entry.Text(L"DisplayIcon"); displayIcon && platform::SearchFinds(*displayIcon)) {
        iconPath = *displayIcon;
        found = true;
    } else {
        found = !iconPath.empty() && platform::SearchFinds(iconPath);
    }
    const std::wstring fallback = platform::SystemDirectory() + L"\\msiexec.exe";
    std::optional<unsigned long> index;
    if (found)
        index = icons.SmallIconIndex(iconPath);
    if (!index)
        index = icons.SmallIconIndex(fallback);
    IconIndex = index.value_or(0);
}

bool CProgramItem::ReadVersionStrings(const std::wstring& path) {
    const auto texts = platform::ReadVersionTexts(path, {L"CompanyName", L"ProductVersion"});
    if (!texts)
        return false;
    VersionStrings.companyName = {};
    VersionStrings.productVersion = {};
    if ((*texts)[0])
        VersionStrings.companyName.assign(*(*texts)[0]);
    if ((*texts)[1])
        VersionStrings.productVersion.assign(*(*texts)[1]);
    return true;
}

void CProgramItem::ReadPublisher(TEntryReader& entry) {
    if (const auto publisher = entry.Text(L"Publisher"); publisher && !publisher->empty())
        Publisher.assign(*publisher);
    else if (!CachedProgramPath.empty() && ReadVersionStrings(CachedProgramPath))
        Publisher = VersionStrings.companyName;
}

void CProgramItem::ReadVersion(TEntryReader& entry) {
    if (const auto version = entry.Text(L"DisplayVersion"); version && !version->empty())
        Version.assign(*version);
    else if (!CachedProgramPath.empty() && ReadVersionStrings(CachedProgramPath))
        Version = VersionStrings.productVersion;
}

void CProgramItem::ReadInstallTime(TEntryReader& entry) {
    if (const auto date = entry.Text(L"InstallDate")) {
        InstallTime.assign(*date);
    } else if (InstallDir.set && !InstallDir.text.empty()) {
        if (const auto created = platform::CreationTime(InstallDir.text))
            InstallTime.assign(InstallTimeText(*created));
    }
}

void CProgramItem::ReadLinks(TEntryReader& entry) {
    if (const auto help = entry.Text(L"HelpLink"))
        HelpLink.assign(*help);
    if (const auto about = entry.Text(L"URLInfoAbout"))
        URLAboutInfo.assign(*about);
    if (const auto update = entry.Text(L"URLUpdateInfo"))
        URLUpdateInfo.assign(*update);
}

STDMETHODIMP CProgramItem::get_DisplayName(BSTR* pVal) {
    return ReturnText(DisplayName, pVal);
}

STDMETHODIMP CProgramItem::get_UninstallString(BSTR* pVal) {
    return ReturnText(UninstallString, pVal);
}

STDMETHODIMP CProgramItem::get_RegistryName(BSTR* pVal) {
    return ReturnText(RegistryName, pVal);
}

STDMETHODIMP CProgramItem::UpdateItemData(BSTR strRegistryName) {
    return GuardedCall([&]() -> HRESULT {
        RegInfo.clear();
        TEntryReader entry(HKEY_LOCAL_MACHINE, EntryPath(TextOf(strRegistryName)));
        if (!entry.ok())
            return S_FALSE;
        platform::TRegValue value;
        for (DWORD i = 0; i < entry.info().values; ++i) {
            if (!platform::EnumValue(entry.key(), i, entry.info().maxValueData, value))
                return S_FALSE;
            RegInfo.push_back({value.name, RegInfoText(value, entry.info().maxValueData)});
        }
        return S_OK;
    });
}

STDMETHODIMP CProgramItem::get_IsSysPatch(ULONG* pVal) {
    return ReturnNumber(IsSysPatch, pVal);
}

STDMETHODIMP CProgramItem::get_Publisher(BSTR* pVal) {
    return ReturnText(Publisher, pVal);
}

STDMETHODIMP CProgramItem::get_InstallDir(BSTR* pVal) {
    return ReturnText(InstallDir, pVal);
}

STDMETHODIMP CProgramItem::get_IconIndex(ULONG* pVal) {
    return ReturnNumber(IconIndex, pVal);
}

STDMETHODIMP CProgramItem::get_UsedFrequency(ULONG* pVal) {
    return ReturnNumber(UsedFrequency, pVal);
}

STDMETHODIMP CProgramItem::get_LastAccessTime(BSTR* pVal) {
    return ReturnText(LastAccessTime, pVal);
}

STDMETHODIMP CProgramItem::get_DirSize(FLOAT* pVal) {
    return GuardedCall([&]() -> HRESULT {
        if (!pVal)
            return E_POINTER;
        *pVal = CachedSize != 0 ? CachedSize : SumDirectorySize(InstallDir.set ? InstallDir.text : std::wstring());
        return S_OK;
    });
}

STDMETHODIMP CProgramItem::get_InstallTime(BSTR* pVal) {
    return ReturnText(InstallTime, pVal);
}

STDMETHODIMP CProgramItem::get_Version(BSTR* pVal) {
    return ReturnText(Version, pVal);
}

STDMETHODIMP CProgramItem::get_HelpLink(BSTR* pVal) {
    return ReturnText(HelpLink, pVal);
}

STDMETHODIMP CProgramItem::get_URLAboutInfo(BSTR* pVal) {
    return ReturnText(URLAboutInfo, pVal);
}

STDMETHODIMP CProgramItem::get_URLUpdateInfo(BSTR* pVal) {
    return ReturnText(URLUpdateInfo, pVal);
}

STDMETHODIMP CProgramItem::get_SubKeyCount(ULONG* pVal) {
    return ReturnNumber(SubKeyCount, pVal);
}

STDMETHODIMP CProgramItem::get_RegInfoName(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(RegInfo, Index, pVal, [](const TRegInfoEntry& entry) { return entry.name; });
    });
}

STDMETHODIMP CProgramItem::get_RegInfoValue(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(RegInfo, Index, pVal, [](const TRegInfoEntry& entry) { return entry.value; });
    });
}

STDMETHODIMP CProgramItem::AddComments(BSTR strComments) {
    return GuardedCall([&]() -> HRESULT {
        const platform::TKey key = platform::CreateKey(HKEY_LOCAL_MACHINE, EntryPath(RegistryName));
        return key && platform::WriteString(key.get(), L"Comments", TextOf(strComments)) ? S_OK : S_FALSE;
    });
}

STDMETHODIMP CProgramItem::get_UnusedDays(ULONG* pVal) {
    return GuardedCall([&]() -> HRESULT {
        if (!pVal)
            return E_POINTER;
        return ComputeUnusedDays(pVal);
    });
}

HRESULT CProgramItem::ComputeUnusedDays(ULONG* pVal) {
    const auto accessed = platform::LastAccessTime(CachedProgramPath);
    if (!accessed)
        return S_FALSE;
    FILETIME local;
    SYSTEMTIME calendar;
    SYSTEMTIME now;
    double accessDate = 0;
    double nowDate = 0;
    GetLocalTime(&now);
    if (!FileTimeToLocalFileTime(&*accessed, &local) || !FileTimeToSystemTime(&local, &calendar) ||
        !SystemTimeToVariantTime(&calendar, &accessDate) || !SystemTimeToVariantTime(&now, &nowDate))
        return S_FALSE;
    UnusedDays = UnusedDaysFromSpan(nowDate - accessDate);
    *pVal = UnusedDays;
    return S_OK;
}

}  // namespace tallivor
