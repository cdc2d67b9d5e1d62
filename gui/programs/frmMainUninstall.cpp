// Uninstall runs and entry maintenance of the program list page.
#include "WaitingThread.h"
#include "frmComment.h"
#include "gui/leftovers/frmScanRemains.h"
#include "gui/shell/frmMain.h"
#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Prompt.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <shlobj.h>

namespace varnook {

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A text the language table does not have yet.
constexpr wchar_t kNoScrBackupText[] = L"The screen saver was not deleted: no copy of it could be made in %s.";

std::wstring SubItemText(const TListView& list, int row, int column) {
    std::wstring text(1024, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    text.resize(static_cast<size_t>(list.Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item))));
    return text;
}

std::wstring ItemText(IProgramItem* item, HRESULT (STDMETHODCALLTYPE IProgramItem::*getter)(BSTR*)) {
    platform::TBstr text;
    platform::OleCheck((item->*getter)(text.put()));
    return text.c_str();
}

// The target of a leftover scan: the registry name in the status bar and the selected row's folder. The
// folders of the other programs that are still installed stay out of the scan; when they cannot be read,
// no folder is scanned.
TScanTarget ReadScanTarget(TMainForm& form) {
    TScanTarget target;
    target.name = form.lblRegistryName.Text();
    const auto row = form.SelectedRow();
    if (!row)
        return target;
    try {
        const ULONG count = form.ProgramList.ItemCount();
        for (ULONG index = 0; index < count; ++index) {
            if (!row->screenSaver && index == static_cast<ULONG>(row->data))
                continue;
            const auto item = form.ProgramList.ProgramItem(index);
            if (!item)
                break;
            const std::wstring name = ItemText(item.get(), &IProgramItem::get_RegistryName);
            if (name == target.name || !platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstallKey + name))
                continue;
            if (std::wstring installDir = ItemText(item.get(), &IProgramItem::get_InstallDir); !installDir.empty())
                target.otherPrograms.push_back(std::move(installDir));
        }
    } catch (const std::exception&) {
        target.otherPrograms.clear();
        return target;
    }
    target.folder = SubItemText(form.lsvProgramList, row->index, 2);
    return target;
}

// A free name in `folder` for a copy of `name`: the name itself, else "name (2).ext", "name (3).ext", ...
std::wstring FreeBackupName(const std::wstring& folder, const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    const std::wstring stem = dot == std::wstring::npos ? name : name.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
    std::wstring candidate = name;
    for (int number = 2; GetFileAttributesW((folder + candidate).c_str()) != INVALID_FILE_ATTRIBUTES; ++number)
        candidate = stem + L" (" + std::to_wstring(number) + L")" + extension;
    return folder + candidate;
}

}  // namespace

void TMainForm::ActionUninstallExecute() {
    try {
        const auto row = SelectedRow();
        if (!row)
            return;
        if (row->screenSaver) {
            ActionDeleteScr.Execute();
            return;
        }
        const auto item = ProgramList.ProgramItem(static_cast<ULONG>(row->data));
        if (!item)
            return;
        TWaitingThread::Start(Handle(), ItemText(item.get(), &IProgramItem::get_UninstallString));
    } catch (const std::exception&) {
        // A failed run leaves the list as it is, without a message.
    }
}

void TMainForm::ActionDeleteScrExecute() {
    try {
        const auto row = SelectedRow();
        if (!row)
            return;
        const std::wstring name = ProgramList.ScrName(static_cast<ULONG>(row->data));
        const std::wstring file = SubItemText(lsvProgramList, row->index, 2) + name;
        const std::wstring cache = platform::SystemDirectory() + L"\\dllcache\\" + name;
        const std::wstring& backupFolder = Globals().ScrBackupPath;
        if (Prompt().MessageBox(Handle(), Lang(IDS_MESSAGEBOX_WARNING_DeleteScr), MB_ICONWARNING | MB_YESNO) != IDYES)
            return;
        SHCreateDirectoryExW(nullptr, backupFolder.c_str(), nullptr);
        // The screen saver goes only once a copy is safe; an older copy of the same name stays beside it.
        if (name.empty() ||
            !MoveFileExW(file.c_str(), FreeBackupName(backupFolder, name).c_str(), MOVEFILE_COPY_ALLOWED)) {
            Prompt().MessageBox(Handle(), FormatText(kNoScrBackupText, backupFolder), MB_ICONWARNING | MB_OK);
            return;
        }
        // Without its cached copy the system's file protection cannot bring it back. A move between volumes
        // leaves the file behind when it cannot delete it.
        DeleteFileW(cache.c_str());
        DeleteFileW(file.c_str());
        LoadProgramList();
    } catch (const std::exception&) {
        // Errors end the command without a message.
    }
}

void TMainForm::ActionCommentExecute() {
    try {
        const auto row = SelectedRow();
        if (!row)
            return;
        const auto item = ProgramList.ProgramItem(static_cast<ULONG>(row->data));
        if (!item)
            return;
        TCommentForm comment;
        comment.Create(Handle());
        comment.lblProgramName.SetText(ItemText(item.get(), &IProgramItem::get_DisplayName));
        comment.ShowModal();
        if (comment.ModalResult() != IDOK)
            return;
        const platform::TBstr text(comment.txtComment.Text().c_str());
        platform::OleCheck(item->AddComments(text.get()));
    } catch (const std::exception&) {
        // A comment that cannot be stored is dropped without a message.
    }
}

void TMainForm::WMUninstallFinished(bool started) {
    const std::wstring& question =
        Lang(started ? IDS_MESSAGEBOX_WARNING_ScanRemains : IDS_MESSAGEBOX_WARNING_UninstallFailed);
    if (Prompt().MessageBox(Handle(), question, MB_ICONWARNING | MB_YESNO) != IDYES)
        return;
    auto scan = std::make_unique<TScanForm>();
    try {
        scan->ReadTarget = [this] { return ReadScanTarget(*this); };
        scan->Create(Handle());
        scan->ShowModal();
    } catch (...) {
        LoadProgramList();
        throw;
    }
    LoadProgramList();
}

}  // namespace varnook
