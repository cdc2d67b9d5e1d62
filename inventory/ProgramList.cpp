#include "ProgramList.h"

#include "EntryReader.h"
#include "IconCache.h"
#include "TextResult.h"
#include "TimeText.h"
#include "inventory/rules/Rules.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/VersionInfo.h"

namespace tallivor {

CProgramList::CProgramList(IUnknown* outer) : TDualObject(outer) {}

STDMETHODIMP CProgramList::get_ProgramItem(ULONG Index, IProgramItem** pVal) {
    return ReturnListMember(
        items_, Index, pVal, [](const platform::TComPtr<CProgramItem>& item) { return item.get(); },
        [](CProgramItem* item, IProgramItem** out) {
            item->AddRef();
            *out = item;
            return S_OK;
        });
}

STDMETHODIMP CProgramList::get_ItemCount(ULONG* pVal) {
    return ReturnNumber(static_cast<ULONG>(items_.size()), pVal);
}

STDMETHODIMP CProgramList::UpdateProgramList() {
    return GuardedCall([&]() -> HRESULT {
        items_.clear();
        const platform::TKey uninstall = platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstallPath);
        platform::TKeyInfo info;
        if (!uninstall || !platform::QueryKeyInfo(uninstall.get(), info))
            return S_FALSE;

        std::wstring name;
        TIconCache icons;
        for (DWORD i = 0; i < info.subKeys; ++i) {
            if (!platform::EnumSubKey(uninstall.get(), i, name))
                return S_FALSE;
            TEntryReader entry(HKEY_LOCAL_MACHINE, kUninstallPath + name);
            if (!entry.ok())
                return S_FALSE;

            // Any data whose first four bytes read as the number 1 hides the entry, whatever its type.
            const unsigned char* data = nullptr;
            size_t size = 0;
            if (entry.Query(L"SystemComponent", data, size) && ReadsAsOne(data, size))
                continue;

            platform::TComPtr<CProgramItem> item;
            if (FAILED(CProgramItem::CreateStandalone(item.put())))
                return S_FALSE;
            item->RegistryName = name;
            item->SubKeyCount = entry.info().values;
            if (entry.Query(L"TSAware", data, size))
                item->IsSysPatch = 1;
            if (const auto displayName = entry.Text(L"DisplayName"))
                item->DisplayName = *displayName;
            if (const auto uninstallString = entry.Text(L"UninstallString"))
                item->UninstallString = *uninstallString;
            if (item->UninstallString.empty())
                continue;
            item->FillDetails(entry, name, icons);
            items_.push_back(std::move(item));
        }
        return S_OK;
    });
}

STDMETHODIMP CProgramList::get_ScrItemCount(ULONG* pVal) {
    return ReturnNumber(static_cast<ULONG>(scrItems_.size()), pVal);
}

STDMETHODIMP CProgramList::get_ScrName(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.name; });
    });
}

STDMETHODIMP CProgramList::get_ScrPublisher(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.publisher; });
    });
}

STDMETHODIMP CProgramList::get_ScrFileDir(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.folder; });
    });
}

STDMETHODIMP CProgramList::get_scrDescription(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.description; });
    });
}

STDMETHODIMP CProgramList::get_ScrIconIndex(ULONG Index, ULONG* pVal) {
    return ReturnListNumber(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.iconIndex; });
}

STDMETHODIMP CProgramList::get_ScrSize(ULONG Index, ULONG* pVal) {
    return ReturnListNumber(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.size; });
}

STDMETHODIMP CProgramList::get_ScrLastAccessTime(ULONG Index, BSTR* pVal) {
    return GuardedCall([&]() -> HRESULT {
        return ReturnListText(scrItems_, Index, pVal, [](const TScrRecord& r) { return r.lastAccess; });
    });
}

STDMETHODIMP CProgramList::UpdateScrList() {
    return GuardedCall([&]() -> HRESULT {
        std::wstring folder = platform::SystemDirectory();
        if (folder.empty() || folder.back() != L'\\')
            folder += L'\\';
        scrItems_.clear();
        platform::ForEachFound(folder + L"*.scr", [&](const WIN32_FIND_DATAW& found) {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                return true;
            TScrRecord record;
            record.name = found.cFileName;
            record.folder = folder;
            const std::wstring path = folder + record.name;
            if (const auto texts = platform::ReadVersionTexts(path, {L"FileDescription", L"CompanyName"})) {
                record.description = (*texts)[0].value_or(L"");
                record.publisher = (*texts)[1].value_or(L"");
            }
            record.lastAccess = LastUseText(found.ftLastAccessTime);
            // A file of 4 GB or more reports the largest size the field can hold.
            record.size = found.nFileSizeHigh ? 0xFFFFFFFFu : found.nFileSizeLow;
            record.iconIndex = platform::SmallIconIndex(path).value_or(0);
            scrItems_.push_back(std::move(record));
            return true;
        });
        return S_OK;
    });
}

}  // namespace tallivor
