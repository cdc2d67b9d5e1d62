// The startup items page of the main window.
#include "StartupRules.h"
#include "StartupStore.h"
#include "frmAddItem.h"
#include "gui/shell/frmMain.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Prompt.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <shlobj.h>

namespace varnook {

namespace {

using startup::TFolderPlace;
using startup::THive;

HKEY HiveKey(THive hive) {
    switch (hive) {
        case THive::CurrentUser:
            return HKEY_CURRENT_USER;
        case THive::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case THive::Unknown:
            break;
    }
    return nullptr;
}

std::wstring ItemText(const TListView& list, int row, int column) {
    std::wstring text(1024, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length =
            static_cast<size_t>(list.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

void SetItemText(const TListView& list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    list.Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ItemChecked(const TListView& list, int row) {
    const auto state = static_cast<UINT>(list.Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void SetItemChecked(const TListView& list, int row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    list.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool ItemSelected(const TListView& list, int row) {
    return list.Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
}

// Writes a registry row's state into its run key: a checked row's value into the key itself, an unchecked
// one's into the key's Run_Disable subkey; the other place loses the value once the new one is written, so
// a failed write loses nothing. False when a write failed, which ends the pass.
bool ApplyRegistryRow(const TMainForm::TStartupItem& row) {
    const HKEY hive = HiveKey(startup::HiveOfLocation(row.Location));
    if (!hive)
        return true;
    const platform::TKey key = platform::OpenKey(hive, startup::KeyPathOfLocation(row.Location));
    if (!key)
        return true;
    const TRunValue value{row.Name, row.Command, row.ValueType};
    if (row.Enabled) {
        if (!WriteTypedValue(key.get(), value))
            return false;
        if (const platform::TKey disabled = platform::OpenKey(key.get(), startup::kDisabledStore))
            platform::DeleteValue(disabled.get(), row.Name.c_str());
    } else {
        const platform::TKey disabled = platform::CreateKey(key.get(), startup::kDisabledStore);
        if (!disabled)
            return true;
        if (!WriteTypedValue(disabled.get(), value))
            return false;
        platform::DeleteValue(key.get(), row.Name.c_str());
    }
    return true;
}

void DeleteRegistryRow(const TMainForm::TStartupItem& row) {
    const HKEY hive = HiveKey(startup::HiveOfLocation(row.Location));
    if (!hive)
        return;
    const platform::TKey key = platform::OpenKey(hive, startup::KeyPathOfLocation(row.Location));
    if (!key)
        return;
    platform::DeleteValue(key.get(), row.Name.c_str());
    if (const platform::TKey disabled = platform::OpenKey(key.get(), startup::kDisabledStore))
        platform::DeleteValue(disabled.get(), row.Name.c_str());
}

// The entries of `folder` (ending in a backslash) that a listing shows: not hidden, not named with a
// leading dot, and not the store of disabled entries.
std::vector<std::wstring> ListedEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    platform::ForEachFound(folder + L"*.*", [&](const WIN32_FIND_DATAW& found) {
        const std::wstring name = found.cFileName;
        const bool store = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                           CompareStringOrdinal(name.c_str(), -1, startup::kDisabledStore, -1, TRUE) == CSTR_EQUAL;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && !name.starts_with(L'.') && !store)
            names.push_back(name);
        return true;
    });
    return names;
}

}  // namespace

int TMainForm::StartupItemCount() const {
    return static_cast<int>(lsvStartupList.Send(LVM_GETITEMCOUNT));
}

TMainForm::TStartupItem TMainForm::StartupItem(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    lsvStartupList.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return TStartupItem{ItemText(lsvStartupList, row, 0), ItemText(lsvStartupList, row, 1),
                        ItemText(lsvStartupList, row, 2), ItemChecked(lsvStartupList, row),
                        static_cast<DWORD>(item.lParam)};
}

void TMainForm::AddStartupItem(const TStartupItem& row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = StartupItemCount();
    item.pszText = const_cast<wchar_t*>(row.Name.c_str());
    item.lParam = static_cast<LPARAM>(row.ValueType);
    const int index = static_cast<int>(lsvStartupList.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0)
        return;
    SetItemText(lsvStartupList, index, 1, row.Command);
    SetItemText(lsvStartupList, index, 2, row.Location);
    SetItemChecked(lsvStartupList, index, row.Enabled);
}

void TMainForm::RefreshStartupList() {
    if (!lsvStartupList.OnNotify) {
        // First call, from FormCreate: the list's events, and the info group hidden until a row is selected.
        lsvStartupList.OnNotify = [this](NMHDR* header) -> LRESULT {
            if (header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
                if (change->iItem >= 0 && (change->uChanged & LVIF_STATE) &&
                    ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
                    lsvStartupListSelectItem(change->iItem);
            } else if (header->code == NM_RCLICK) {
                lsvStartupListMouseDown();
            }
            return 0;
        };
        grbItemInfo.Show(false);
    }
    lsvStartupList.Send(WM_SETREDRAW, FALSE);
    lsvStartupList.Send(LVM_DELETEALLITEMS);
    LoadRunKeyItems(HKEY_CURRENT_USER);
    LoadRunKeyItems(HKEY_LOCAL_MACHINE);
    LoadStartupFolderItems();
    lsvStartupList.Send(WM_SETREDRAW, TRUE);
    InvalidateRect(lsvStartupList.Handle(), nullptr, TRUE);
}

void TMainForm::LoadRunKeyItems(HKEY hive) {
    const THive label = hive == HKEY_LOCAL_MACHINE ? THive::LocalMachine : THive::CurrentUser;
    for (const wchar_t* path : startup::kRunKeyPaths) {
        const platform::TKey key = platform::OpenKey(hive, path);
        if (!key)
            continue;
        const std::wstring location = startup::RegistryLocation(label, path);
        // A value that cannot be listed ends the whole hive, the rows before it kept.
        auto addRows = [&](HKEY from, bool enabled) {
            std::vector<TRunValue> values;
            const bool complete = ReadRunValues(from, values);
            for (const TRunValue& value : values)
                AddStartupItem({value.Name, value.Text, location, enabled, value.Type});
            return complete;
        };
        if (!addRows(key.get(), true))
            return;
        if (const platform::TKey disabled = platform::OpenKey(key.get(), startup::kDisabledStore)) {
            if (!addRows(disabled.get(), false))
                return;
        }
    }
}

void TMainForm::LoadStartupFolderItems() {
    for (const int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
        const std::wstring path = GetSpecialFolderPath(csidl);
        if (path.empty())
            continue;
        const std::wstring folder = startup::WithTrailingBackslash(path);
        for (const std::wstring& name : ListedEntries(folder))
            AddStartupItem({name, folder + name, folder, true});
        const std::wstring store = startup::DisabledFolderOf(folder);
        for (const std::wstring& name : ListedEntries(store))
            AddStartupItem({name, store + name, folder, false});
    }
}

void TMainForm::ActionTabStartupItemsExecute() {
    RefreshStartupList();
    SetActivePage(1);
    for (TLabel* label : {&lblProgramURL, &lblRegName, &lblRegistryName, &lblProgramCounts, &lblPrograms})
        label->Show(false);
    for (size_t item : {MenuItems.mItemViewIcon, MenuItems.mItemViewList, MenuItems.mItemViewReport})
        pmView.SetVisible(item, false);
    pmFile.SetVisible(MenuItems.mItemExportRegInfo, false);

    // The last row's check box decides what the select-all button does next.
    TGlobals& globals = Globals();
    if (const int count = StartupItemCount(); count > 0) {
        globals.StartupAllEnabled = ItemChecked(lsvStartupList, count - 1);
        btnSelectAll.SetText(
            Lang(globals.StartupAllEnabled ? IDS_SIDEBAR_BUTTON_UnSelectAll : IDS_SIDEBAR_BUTTON_SelectAll));
    }
    ActionDelete.SetEnabled(false);
    ActionTabStartupItems.SetEnabled(false);
    ActionTabProgramList.SetEnabled(true);
    ActionComment.SetEnabled(false);
    ActionRegedit.SetEnabled(false);
}

void TMainForm::lsvStartupListSelectItem(int row) {
    grbItemInfo.Show(true);
    ActionDelete.SetEnabled(true);
    TFileInfo info;
    if (ReadFileVersionInfo(startup::ExecutablePathOf(StartupItem(row).Command), info)) {
        lblPublisherValue.SetText(info.CompanyName);
        lblVersionValue.SetText(info.FileVersion);
        lblDescription.SetText(info.FileDescription);
    } else {
        grbItemInfo.Show(false);
    }
}

void TMainForm::lsvStartupListMouseDown() {
    ActionDelete.SetEnabled(lsvStartupList.Send(LVM_GETSELECTEDCOUNT) > 0);
    POINT cursor;
    GetCursorPos(&cursor);
    pmSLRightClick.Popup(Handle(), cursor);
}

void TMainForm::ActionApplyExecute() {
    for (int row = 0; row < StartupItemCount(); ++row) {
        const TStartupItem item = StartupItem(row);
        if (startup::IsRegistryLocation(item.Location)) {
            if (!ApplyRegistryRow(item))
                return;
            continue;
        }
        // A folder entry is disabled by moving it into the folder's hidden store and enabled by moving it
        // back; the row follows its file.
        const TFolderPlace place = startup::PlaceOfFolderEntry(item.Command, item.Location);
        std::wstring moved;
        if (!item.Enabled && place == TFolderPlace::Active)
            moved = MoveEntryInto(item.Command, startup::DisabledFolderOf(item.Location), true);
        else if (item.Enabled && place == TFolderPlace::Disabled)
            moved = MoveEntryInto(item.Command, item.Location, false);
        if (!moved.empty()) {
            SetItemText(lsvStartupList, row, 0, startup::FileNameOf(moved));
            SetItemText(lsvStartupList, row, 1, moved);
        }
    }
}

void TMainForm::ActionSelectAllExecute() {
    TGlobals& globals = Globals();
    const bool check = !globals.StartupAllEnabled;
    for (int row = 0; row < StartupItemCount(); ++row)
        SetItemChecked(lsvStartupList, row, check);
    globals.StartupAllEnabled = check;
    btnSelectAll.SetText(Lang(check ? IDS_SIDEBAR_BUTTON_UnSelectAll : IDS_SIDEBAR_BUTTON_SelectAll));
}

void TMainForm::ActionDeleteExecute() {
    if (Prompt().MessageBox(Handle(), Lang(IDS_MESSAGEBOX_WARNING_DeleteStartupEntry), MB_ICONWARNING | MB_YESNO) !=
        IDYES)
        return;
    for (int row = StartupItemCount() - 1; row >= 0; --row) {
        if (!ItemSelected(lsvStartupList, row))
            continue;
        const TStartupItem item = StartupItem(row);
        if (startup::IsRegistryLocation(item.Location))
            DeleteRegistryRow(item);
        else
            DeleteEntry(item.Command);
        lsvStartupList.Send(LVM_DELETEITEM, static_cast<WPARAM>(row));
    }
}

void TMainForm::ActionAddItemExecute() {
    TAddItemForm dialog;
    dialog.Create(Handle());
    dialog.OnItemAdded = [this] { RefreshStartupList(); };
    dialog.ShowModal();
}

}  // namespace varnook
