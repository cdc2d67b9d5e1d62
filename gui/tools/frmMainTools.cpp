// The export, report and tool commands of the main window.
#include "gui/shell/frmMain.h"

#include "Regedit.h"
#include "ToolsRules.h"
#include "frmPrintPage.h"
#include "frmProgress.h"

#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Prompt.h"
#include "platform/Errors.h"
#include "platform/Registry.h"

#include <lmcons.h>

namespace varnook {

namespace {

// The registry backup folder when it exists; empty otherwise, so that a file dialog opens where it likes.
std::wstring ExistingBackupFolder() {
    const std::wstring& folder = Globals().RegBackupPath;
    const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : L"";
}

// The item of the selected program row; none without a selection, for a screen-saver row, or when the
// inventory has no item at the row's index.
platform::TComPtr<IProgramItem> SelectedProgramItem(TMainForm& form) {
    const auto row = form.SelectedRow();
    if (!row || row->screenSaver)
        return {};
    return form.ProgramList.ProgramItem(static_cast<ULONG>(row->data));
}

std::wstring RegistryNameOf(IProgramItem* item) {
    platform::TBstr name;
    platform::OleCheck(item->get_RegistryName(name.put()));
    return name.c_str();
}

std::wstring ComputerName() {
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(buffer, &size) ? std::wstring(buffer, size) : std::wstring();
}

std::wstring UserName() {
    wchar_t buffer[UNLEN + 1];
    DWORD size = UNLEN + 1;
    return GetUserNameW(buffer, &size) ? std::wstring(buffer) : std::wstring();
}

// The local date in the short format and the time in the long one.
std::wstring NowText() {
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128);
    return std::wstring(date) + L" " + time;
}

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The captions of the list's rows in the order it shows them.
std::vector<std::wstring> RowCaptions(const TListView& list) {
    std::vector<std::wstring> captions;
    const auto count = static_cast<int>(list.Send(LVM_GETITEMCOUNT));
    std::wstring buffer(1024, L'\0');
    for (int row = 0; row < count; ++row) {
        for (;;) {
            LVITEMW item{};
            item.pszText = buffer.data();
            item.cchTextMax = static_cast<int>(buffer.size());
            const auto length = static_cast<size_t>(
                list.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
            // A text that filled the buffer may have been cut.
            if (length + 1 < buffer.size()) {
                captions.emplace_back(buffer.data(), length);
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
    }
    return captions;
}

}  // namespace

void TMainForm::ActionAddNewExecute() {
    try {
        Prompt().RunDialog(Handle(), RunDialogTitle(Lang(IDS_MAINFORM_MENU_FILE_NewProgram)));
    } catch (const std::exception&) {
        // The Run dialog is a convenience; nothing about it is worth a message.
    }
}

void TMainForm::ActionExportRegExecute() {
    const auto item = SelectedProgramItem(*this);
    if (!item)
        return;
    const std::wstring folder = ExistingBackupFolder();
    const std::wstring registryName = RegistryNameOf(item.get());
    const std::wstring path =
        Prompt().SaveFileDialog(Handle(), kRegistryFileFilter, folder, registryName + L".reg", L"reg");
    if (path.empty())
        return;
    // regedit gets the bare file name and starts in the chosen folder.
    const TPathParts parts = SplitPath(path);
    Prompt().ShellOpen(Handle(), L"open", RegeditPath(), ExportParameters(parts.name, registryName), parts.folder,
                       SW_SHOW);
}

void TMainForm::ActionReloadRegExecute() {
    const std::wstring path = Prompt().OpenFileDialog(Handle(), kRegistryFileFilter, ExistingBackupFolder());
    if (path.empty())
        return;
    const TPathParts parts = SplitPath(path);
    Prompt().ShellOpen(Handle(), L"open", RegeditPath(), ImportParameters(parts.name), parts.folder, SW_SHOW);
}

void TMainForm::ActionCreateBackupExecute() {
    if (Prompt().MessageBox(Handle(), Lang(IDS_MESSAGEBOX_WARNING_BackupReg), MB_ICONINFORMATION | MB_YESNO) != IDYES)
        return;
    TProgressForm progress;
    progress.Create(Handle());
    progress.ShowModal();
}

void TMainForm::ActionExporetListExecute() {
    TPrintListForm report;
    report.Create(Handle());
    TReportFacts facts;
    facts.computerName = ComputerName();
    facts.userName = UserName();
    facts.programCounts = ProgramCountsText;
    facts.createdIn = NowText();
    facts.createdBy = ProgramPath();
    report.AddLines(ReportLines(facts, RowCaptions(lsvProgramList)));
    report.ShowModal();
}

void TMainForm::ActionRegeditExecute() {
    const auto item = SelectedProgramItem(*this);
    if (!item)
        return;
    {
        // The editor's settings key exists only once the editor has been used; it is made here so that the
        // first use opens at the program's key too. Should it fail, the editor still starts.
        const platform::TKey settings = platform::CreateKey(HKEY_CURRENT_USER, kRegeditSettingsPath);
        if (settings)
            platform::WriteString(settings.get(), L"LastKey", kUninstallKeyName + RegistryNameOf(item.get()));
    }
    Prompt().ShellOpen(Handle(), L"Open", L"regedit.exe", L"", L"", SW_SHOW);
}

void TMainForm::ActionWinUpdateExecute() {
    Prompt().ShellOpen(Handle(), L"Open", L"control.exe", L"Appwiz.cpl ,1", L"", SW_SHOW);
}

void TMainForm::ActionWinServicesExecute() {
    Prompt().ShellOpen(Handle(), L"Open", L"Services.msc", L"", L"", SW_SHOW);
}

void TMainForm::ActionWinComponentsExecute() {
    Prompt().ShellOpen(Handle(), L"Open", L"control.exe", L"Appwiz.cpl ,2", L"", SW_SHOW);
}

}  // namespace varnook
