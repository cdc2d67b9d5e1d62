#include "Dump.h"

#include "Output.h"

#include <cwchar>

namespace {

using TTextGetter = HRESULT (STDMETHODCALLTYPE IProgramItem::*)(BSTR*);
using TNumberGetter = HRESULT (STDMETHODCALLTYPE IProgramItem::*)(ULONG*);

struct TTextProperty {
    const wchar_t* name;
    TTextGetter get;
};
struct TNumberProperty {
    const wchar_t* name;
    TNumberGetter get;
};

const TTextProperty kTexts[] = {
    {L"DisplayName", &IProgramItem::get_DisplayName},     {L"UninstallString", &IProgramItem::get_UninstallString},
    {L"RegistryName", &IProgramItem::get_RegistryName},   {L"Publisher", &IProgramItem::get_Publisher},
    {L"InstallDir", &IProgramItem::get_InstallDir},       {L"LastAccessTime", &IProgramItem::get_LastAccessTime},
    {L"InstallTime", &IProgramItem::get_InstallTime},     {L"Version", &IProgramItem::get_Version},
    {L"HelpLink", &IProgramItem::get_HelpLink},           {L"URLAboutInfo", &IProgramItem::get_URLAboutInfo},
    {L"URLUpdateInfo", &IProgramItem::get_URLUpdateInfo},
};
const TNumberProperty kNumbers[] = {
    {L"IsSysPatch", &IProgramItem::get_IsSysPatch},
    {L"IconIndex", &IProgramItem::get_IconIndex},
    {L"UsedFrequency", &IProgramItem::get_UsedFrequency},
    {L"SubKeyCount", &IProgramItem::get_SubKeyCount},
};

std::wstring Field(const wchar_t* name, const std::wstring& value) {
    return std::wstring(L"  ") + name + L": " + value + L"\n";
}

std::wstring Text(IProgramItem* item, TTextGetter get) {
    platform::TBstr text;
    (item->*get)(text.put());
    return text.c_str();
}

}  // namespace

void DumpInventory(varnook::TProgramList& list) {
    list.UpdateProgramList();
    const ULONG count = list.ItemCount();
    Print(L"Programs: " + std::to_wstring(count) + L"\n");
    for (ULONG i = 0; i < count; ++i) {
        const auto item = list.ProgramItem(i);
        Print(L"[" + std::to_wstring(i) + L"]\n");
        for (const auto& property : kTexts)
            Print(Field(property.name, Text(item.get(), property.get)));
        for (const auto& property : kNumbers) {
            ULONG value = 0;
            (item.get()->*property.get)(&value);
            Print(Field(property.name, std::to_wstring(value)));
        }
        FLOAT size = 0;
        item->get_DirSize(&size);
        wchar_t sizeText[64];
        swprintf(sizeText, 64, L"%.0f", static_cast<double>(size));
        Print(Field(L"DirSize", sizeText));
        ULONG days = 0;
        Print(Field(L"UnusedDays", item->get_UnusedDays(&days) == S_OK ? std::to_wstring(days) : L"(no file)"));

        platform::TBstr registryName;
        item->get_RegistryName(registryName.put());
        item->UpdateItemData(registryName.get());
        for (ULONG v = 0;; ++v) {
            platform::TBstr name, value;
            if (item->get_RegInfoName(v, name.put()) != S_OK || item->get_RegInfoValue(v, value.put()) != S_OK)
                break;
            Print(L"    value \"" + std::wstring(name.c_str()) + L"\" = " + value.c_str() + L"\n");
        }
    }

    list.UpdateScrList();
    const ULONG screenSavers = list.ScrItemCount();
    Print(L"Screen savers: " + std::to_wstring(screenSavers) + L"\n");
    for (ULONG i = 0; i < screenSavers; ++i) {
        Print(L"[" + std::to_wstring(i) + L"]\n");
        Print(Field(L"ScrName", list.ScrName(i)));
        Print(Field(L"scrDescription", list.scrDescription(i)));
        Print(Field(L"ScrPublisher", list.ScrPublisher(i)));
        Print(Field(L"ScrFileDir", list.ScrFileDir(i)));
        Print(Field(L"ScrLastAccessTime", list.ScrLastAccessTime(i)));
        Print(Field(L"ScrIconIndex", std::to_wstring(list.ScrIconIndex(i))));
        Print(Field(L"ScrSize", std::to_wstring(list.ScrSize(i))));
    }
}

unsigned long ReadEveryProperty(varnook::TProgramList& list) {
    unsigned long checksum = 0;
    const ULONG count = list.ItemCount();
    for (ULONG i = 0; i < count; ++i) {
        const auto item = list.ProgramItem(i);
        for (const auto& property : kTexts)
            checksum += static_cast<unsigned long>(Text(item.get(), property.get).size());
        for (const auto& property : kNumbers) {
            ULONG value = 0;
            (item.get()->*property.get)(&value);
            checksum += value;
        }
        FLOAT size = 0;
        item->get_DirSize(&size);
        checksum += static_cast<unsigned long>(size);
    }
    return checksum;
}
