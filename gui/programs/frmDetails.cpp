#include "frmDetails.h"

#include "ProgramListRules.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/shell/Resources.h"
#include "gui/widgets/Modal.h"
#include "platform/Errors.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>

namespace varnook {

namespace {

constexpr int kClientWidth = 440;
constexpr int kClientHeight = 330;

// A size in megabytes with two decimals, in the user's decimal separator.
std::wstring Megabytes(float bytes) {
    wchar_t text[64];
    swprintf(text, 64, L"%.2f MB", static_cast<double>(bytes) / 1048576.0);
    wchar_t separator[8] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    std::wstring result = text;
    if (const size_t dot = result.find(L'.'); dot != std::wstring::npos)
        result.replace(dot, 1, separator);
    return result;
}

std::wstring ItemText(IProgramItem* item, HRESULT (STDMETHODCALLTYPE IProgramItem::*getter)(BSTR*)) {
    platform::TBstr text;
    platform::OleCheck((item->*getter)(text.put()));
    return text.c_str();
}

}  // namespace

void TDetailsForm::Create(HWND owner) {
    CreateFrame(L"TDetailsForm", owner, kClientWidth, kClientHeight);

    lblPrograms.Create(L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_RIGHT, Handle(), Box(10, 14, 80, 16));
    cmbPrograms.Create(WC_COMBOBOXEXW, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, Handle(),
                       Box(96, 10, 334, 8 * 20 + 24));
    // The selector shows the same small icons as the program list: the shell's shared list.
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    cmbPrograms.Send(CBEM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(SystemImageLists(std::wstring(windows, length)).first));
    pcProgramDetails.Create(WC_TABCONTROLW, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, Handle(),
                            Box(10, 44, 420, 276));
    for (int tab = 0; tab < 2; ++tab) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"");
        pcProgramDetails.Send(TCM_INSERTITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
    lsvProgramInfo.Create(Handle(), Box(18, 74, 404, 238), true);
    lsvRegistryInfo.Create(Handle(), Box(18, 74, 404, 238), true);
    lsvProgramInfo.AddColumn(L"Name", 100);
    lsvProgramInfo.AddColumn(L"Value", 240);
    lsvRegistryInfo.AddColumn(L"Key", 160);
    lsvRegistryInfo.AddColumn(L"Value", 240);
    // The lists sit above the tab control in the z-order, as its pages.
    for (HWND list : {lsvProgramInfo.Handle(), lsvRegistryInfo.Handle()})
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SelectTab(0);
}

void TDetailsForm::ApplyLanguage() {
    SetText(Lang(IDS_DETAILSFORM_Title));
    lblPrograms.SetText(Lang(IDS_DETAILSFORM_LABEL_Programs));
    const TLangId tabs[] = {IDS_DETAILSFORM_TABSHEETPP_TITLE, IDS_DETAILSFORM_TABSHEETRV_TITLE};
    for (int tab = 0; tab < 2; ++tab) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(Lang(tabs[tab]).c_str());
        pcProgramDetails.Send(TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
    lsvProgramInfo.SetColumnCaption(0, Lang(IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name));
    lsvProgramInfo.SetColumnCaption(1, Lang(IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value));
    lsvRegistryInfo.SetColumnCaption(0, Lang(IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key));
    lsvRegistryInfo.SetColumnCaption(1, Lang(IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value));
}

void TDetailsForm::ShowModal() {
    ApplyLanguage();
    // Centred on the main window.
    RECT owner;
    RECT self;
    GetWindowRect(Owner(), &owner);
    GetWindowRect(Handle(), &self);
    SetWindowPos(Handle(), nullptr, (owner.left + owner.right - (self.right - self.left)) / 2,
                 (owner.top + owner.bottom - (self.bottom - self.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    TDialog::ShowModal();
}

void TDetailsForm::ClearPrograms() {
    entries_.clear();
    selectorFilled_ = false;
}

void TDetailsForm::AddProgram(const std::wstring& caption, int imageIndex, ULONG programIndex) {
    entries_.push_back({caption, imageIndex, programIndex});
    selectorFilled_ = false;
}

void TDetailsForm::FillSelector() {
    if (selectorFilled_)
        return;
    selectorFilled_ = true;
    SendMessageW(cmbPrograms.Handle(), WM_SETREDRAW, FALSE, 0);
    cmbPrograms.Send(CB_RESETCONTENT);
    for (const TEntry& entry : entries_) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
        item.iItem = -1;
        item.pszText = const_cast<wchar_t*>(entry.caption.c_str());
        item.iImage = entry.image;
        item.iSelectedImage = entry.image;
        item.lParam = static_cast<LPARAM>(entry.programIndex);
        cmbPrograms.Send(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(cmbPrograms.Handle(), WM_SETREDRAW, TRUE, 0);
}

int TDetailsForm::ProgramCount() {
    FillSelector();
    return static_cast<int>(cmbPrograms.Send(CB_GETCOUNT));
}

ULONG TDetailsForm::ProgramIndexAt(int entry) {
    FillSelector();
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_LPARAM;
    item.iItem = entry;
    cmbPrograms.Send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<ULONG>(item.lParam);
}

int TDetailsForm::SelectedEntry() const {
    return static_cast<int>(cmbPrograms.Send(CB_GETCURSEL));
}

void TDetailsForm::AddInfoRow(TListView& list, const std::wstring& name, const std::wstring& value) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(list.Send(LVM_GETITEMCOUNT));
    item.pszText = const_cast<wchar_t*>(name.c_str());
    const int row = static_cast<int>(list.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.iSubItem = 1;
    item.pszText = const_cast<wchar_t*>(value.c_str());
    list.Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void TDetailsForm::FillProgramDetails(ULONG index) {
    const platform::TComPtr<IProgramItem> item = programs_.ProgramItem(index);
    if (!item)
        return;
    platform::TBstr registryName(ItemText(item.get(), &IProgramItem::get_RegistryName).c_str());
    platform::OleCheck(item->UpdateItemData(registryName.get()));
    for (int entry = 0; entry < ProgramCount(); ++entry) {
        if (ProgramIndexAt(entry) == index)
            cmbPrograms.Send(CB_SETCURSEL, static_cast<WPARAM>(entry));
    }

    lsvProgramInfo.Send(LVM_DELETEALLITEMS);
    FLOAT size = 0;
    platform::OleCheck(item->get_DirSize(&size));
    if (size != 0.0f)
        AddInfoRow(lsvProgramInfo, Lang(IDS_DETAILSFORM_LISTVIEW_Items_ProgramSize), Megabytes(size));
    const auto addWhenSet = [&](TLangId caption, const std::wstring& value) {
        if (!value.empty())
            AddInfoRow(lsvProgramInfo, Lang(caption), value);
    };
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_InstallDate, ItemText(item.get(), &IProgramItem::get_InstallTime));
    ULONG frequency = 0;
    platform::OleCheck(item->get_UsedFrequency(&frequency));
    const TLangId words[] = {IDS_ListView_Tips_UsedFrequency_Rarely, IDS_ListView_Tips_UsedFrequency_Occasionally,
                             IDS_ListView_Tips_UsedFrequency_Frequently};
    AddInfoRow(lsvProgramInfo, Lang(IDS_DETAILSFORM_LISTVIEW_Items_UsedFrequency),
               Lang(words[FrequencyClass(frequency)]));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_LastAccessDate, ItemText(item.get(), &IProgramItem::get_LastAccessTime));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_InstallLocation, ItemText(item.get(), &IProgramItem::get_InstallDir));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_ProgramVersion, ItemText(item.get(), &IProgramItem::get_Version));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_Publisher, ItemText(item.get(), &IProgramItem::get_Publisher));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_HelpInfo, ItemText(item.get(), &IProgramItem::get_HelpLink));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_AboutLink, ItemText(item.get(), &IProgramItem::get_URLAboutInfo));
    addWhenSet(IDS_DETAILSFORM_LISTVIEW_Items_UpdateLink, ItemText(item.get(), &IProgramItem::get_URLUpdateInfo));

    lsvRegistryInfo.Send(LVM_DELETEALLITEMS);
    ULONG values = 0;
    platform::OleCheck(item->get_SubKeyCount(&values));
    for (ULONG i = 0; i < values; ++i) {
        platform::TBstr name;
        platform::TBstr value;
        platform::OleCheck(item->get_RegInfoName(i, name.put()));
        platform::OleCheck(item->get_RegInfoValue(i, value.put()));
        AddInfoRow(lsvRegistryInfo, name.c_str(), value.c_str());
    }
}

void TDetailsForm::cmbProgramsChange() {
    const int entry = SelectedEntry();
    if (entry >= 0)
        FillProgramDetails(ProgramIndexAt(entry));
}

void TDetailsForm::SelectTab(int tab) {
    pcProgramDetails.Send(TCM_SETCURSEL, static_cast<WPARAM>(tab));
    lsvProgramInfo.Show(tab == 0);
    lsvRegistryInfo.Show(tab == 1);
}

LRESULT TDetailsForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == cmbPrograms.Handle() && HIWORD(wParam) == CBN_SELCHANGE) {
                cmbProgramsChange();
                return 0;
            }
            break;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->hwndFrom == pcProgramDetails.Handle() &&
                reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
                SelectTab(static_cast<int>(pcProgramDetails.Send(TCM_GETCURSEL)));
                return 0;
            }
            break;
    }
    return TDialog::WndProc(message, wParam, lParam);
}

}  // namespace varnook
