#include "tests/gui/GuiFixture.h"

#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/tools/ToolsRules.h"
#include "gui/tools/frmPrintPage.h"
#include "gui/tools/frmProgress.h"
#include "gui/widgets/Modal.h"
#include "platform/Files.h"

#include <shlobj.h>

#include <algorithm>
#include <functional>

using namespace guitest;
using testsupport::Sz;
using varnook::TPrintListForm;
using varnook::TProgressForm;
using varnook::TWindow;

namespace {

constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kGuid[] = L"{6F2A1C3E-0B7D-4E59-9A21-3C4D5E6F7A8B}";

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::wstring& path) {
    platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!file)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

// A .reg file as regedit writes it: UTF-16 with a byte-order mark.
std::wstring ReadRegFile(const std::wstring& path) {
    const std::string bytes = ReadBytes(path);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0)
        return {};
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    memcpy(text.data(), bytes.data() + 2, text.size() * 2);
    return text;
}

void WriteRegFile(const std::wstring& path, const std::wstring& text) {
    platform::TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    const std::wstring content = L"\xFEFF" + text;
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &written, nullptr));
}

// The key sections of a .reg file, in upper case.
std::vector<std::wstring> KeySections(const std::wstring& text) {
    std::vector<std::wstring> sections;
    for (const std::wstring& line : varnook::SplitLines(text)) {
        if (!line.empty() && line[0] == L'[')
            sections.push_back(Upper(line));
    }
    return sections;
}

std::wstring SectionOf(const std::wstring& subkey) {
    return Upper(L"[" + std::wstring(varnook::kUninstallKeyName) + subkey + L"]");
}

// Runs a recorded shell start as the shell would: the file with the parameters, in the recorded folder.
DWORD RunRecorded(const TRecordingPrompt::TOpen& open) {
    std::wstring command = L"\"" + open.file + L"\"" + open.parameters;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        open.folder.empty() ? nullptr : open.folder.c_str(), &startup, &process))
        return GetLastError();
    const platform::THandle processHandle(process.hProcess);
    const platform::THandle thread(process.hThread);
    if (WaitForSingleObject(processHandle.get(), 60000) != WAIT_OBJECT_0)
        return WAIT_TIMEOUT;
    DWORD code = 0;
    GetExitCodeProcess(processHandle.get(), &code);
    return code;
}

std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* name) {
    const platform::TKey key = platform::OpenKey(root, path);
    wchar_t buffer[1024] = {};
    DWORD type = 0;
    DWORD size = 0;
    if (!key || !platform::QueryValue(key.get(), name, reinterpret_cast<BYTE*>(buffer), sizeof buffer - 2, type, size))
        return L"<missing>";
    return buffer;
}

size_t CountFiles(const std::wstring& folder, const std::wstring& pattern) {
    size_t count = 0;
    platform::ForEachFound(folder + pattern, [&](const WIN32_FIND_DATAW&) {
        ++count;
        return true;
    });
    return count;
}

int CALLBACK DataDescending(LPARAM a, LPARAM b, LPARAM) {
    return static_cast<int>(b - a);
}

std::wstring WithoutBlanks(std::wstring text) {
    std::erase(text, L' ');
    return text;
}

class ToolsTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        testsupport::EmptyKey(HKEY_LOCAL_MACHINE, kUninstall);
    }
    void TearDown() override {
        testsupport::EmptyKey(HKEY_LOCAL_MACHINE, kUninstall);
        GuiTest::TearDown();
    }

    static void PlantProgram(const std::wstring& name, const std::wstring& displayName) {
        testsupport::PlantKey(HKEY_LOCAL_MACHINE, kUninstall + name,
                              {Sz(L"DisplayName", displayName), Sz(L"UninstallString", L"C:\\Tools\\uninst.exe")});
    }

    // The program list shows exactly these rows (caption and data value).
    void SetRows(const std::vector<std::pair<std::wstring, LPARAM>>& rows) {
        form_->lsvProgramList.Send(LVM_DELETEALLITEMS);
        for (size_t i = 0; i < rows.size(); ++i) {
            std::wstring caption = rows[i].first;
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = static_cast<int>(i);
            item.pszText = caption.data();
            item.lParam = rows[i].second;
            form_->lsvProgramList.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }

    void SelectRow(int row) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        form_->lsvProgramList.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }

    // Starts the program with `name` planted and shown as the selected row.
    void StartWithSelectedProgram(const std::wstring& name) {
        PlantProgram(name, L"Tools Test Program");
        Start();
        ASSERT_TRUE(form_);
        form_->ProgramList.UpdateProgramList();
        const ULONG count = form_->ProgramList.ItemCount();
        for (ULONG index = 0; index < count; ++index) {
            const auto item = form_->ProgramList.ProgramItem(index);
            platform::TBstr registryName;
            if (item && SUCCEEDED(item->get_RegistryName(registryName.put())) && registryName.c_str() == name) {
                SetRows({{L"Tools Test Program", static_cast<LPARAM>(index)}});
                SelectRow(0);
                return;
            }
        }
        FAIL() << "the inventory does not list the planted program";
    }

    std::wstring BackupFolder() const { return varnook::Globals().RegBackupPath; }

    // Runs a backup answered Yes and watches its dialog until it closes (a minute at most); `onMessage` sees
    // the dialog after every message it handled.
    struct TBackupRun {
        std::vector<int> positions;  // the progress bar's readings, each change once
        bool closedByItself = false;
    };
    TBackupRun RunBackup(const std::function<void(TProgressForm&, const MSG&)>& onMessage = {}) {
        TBackupRun run;
        prompt_.answer = IDYES;
        varnook::SetModalDriver([&](HWND dialog) {
            auto* progress = dynamic_cast<TProgressForm*>(TWindow::FromHandle(dialog));
            ASSERT_NE(progress, nullptr);
            run.positions.push_back(progress->ProgressBar.Position());
            const ULONGLONG end = GetTickCount64() + 60000;
            while (!progress->Closed() && GetTickCount64() < end) {
                MSG message;
                if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
                    continue;
                }
                TranslateMessage(&message);
                DispatchMessageW(&message);
                if (progress->ProgressBar.Position() != run.positions.back())
                    run.positions.push_back(progress->ProgressBar.Position());
                if (onMessage && !progress->Closed())
                    onMessage(*progress, message);
            }
            run.closedByItself = progress->Closed();
            if (!progress->Closed())
                progress->Close();
        });
        form_->ActionCreateBackupExecute();
        varnook::SetModalDriver(nullptr);
        return run;
    }

    // Shows the report and hands its dialog to `act` before closing it; the report's lines.
    std::vector<std::wstring> Report(const std::function<void(TPrintListForm&)>& act = {}) {
        std::vector<std::wstring> lines;
        varnook::SetModalDriver([&](HWND dialog) {
            auto* report = dynamic_cast<TPrintListForm*>(TWindow::FromHandle(dialog));
            ASSERT_NE(report, nullptr);
            lines = report->Lines();
            if (act)
                act(*report);
            report->Close();
        });
        form_->ActionExporetListExecute();
        varnook::SetModalDriver(nullptr);
        return lines;
    }
};

}  // namespace

TEST_F(ToolsTest, ExportWritesTheSelectedEntryThroughRegedit) {
    PlantProgram(L"Neighbour", L"Neighbour Program");
    ASSERT_NO_FATAL_FAILURE(StartWithSelectedProgram(kGuid));
    testsupport::PlantKey(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(kGuid) + L"\\Child", {Sz(L"Inner", L"1")});
    CreateDirectoryW((app_ + L"Back up").c_str(), nullptr);
    CreateDirectoryW(BackupFolder().c_str(), nullptr);
    const std::wstring chosen = testsupport::FreshFolder(L"tools_export_target") + L"\\";
    prompt_.fileAnswers.push_back(chosen + kGuid + L".reg");

    form_->ActionExportRegExecute();

    ASSERT_EQ(prompt_.dialogs.size(), 1u);
    const auto& dialog = prompt_.dialogs[0];
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.filter, L"Registration Files(*.reg)|*.reg");
    EXPECT_EQ(dialog.folder, BackupFolder());
    EXPECT_EQ(dialog.fileName, std::wstring(kGuid) + L".reg");
    EXPECT_EQ(dialog.defaultExtension, L"reg");
    ASSERT_EQ(prompt_.opens.size(), 1u);
    const auto& open = prompt_.opens[0];
    EXPECT_EQ(open.verb, L"open");
    EXPECT_EQ(Upper(open.file.substr(open.file.find_last_of(L'\\') + 1)), L"REGEDIT.EXE");
    EXPECT_EQ(open.parameters, varnook::ExportParameters(std::wstring(kGuid) + L".reg", kGuid));
    EXPECT_EQ(open.folder, chosen);

    // The real regedit, started the same way, writes that entry and its subkey, nothing beside it.
    ASSERT_EQ(RunRecorded(open), 0u);
    const std::wstring text = ReadRegFile(chosen + kGuid + L".reg");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(varnook::SplitLines(text)[0], L"Windows Registry Editor Version 5.00");
    const std::vector<std::wstring> sections{SectionOf(kGuid), SectionOf(std::wstring(kGuid) + L"\\Child")};
    EXPECT_EQ(KeySections(text), sections);
    EXPECT_NE(text.find(L"\"DisplayName\"=\"Tools Test Program\""), std::wstring::npos);
    testsupport::RemoveFolder(chosen.substr(0, chosen.size() - 1));
}

TEST_F(ToolsTest, ExportWithoutABackupFolderOrAProgramRow) {
    ASSERT_NO_FATAL_FAILURE(StartWithSelectedProgram(kGuid));
    ASSERT_FALSE(platform::SearchFinds(app_ + L"Back up"));
    form_->ActionExportRegExecute();  // cancelled dialog
    ASSERT_EQ(prompt_.dialogs.size(), 1u);
    EXPECT_EQ(prompt_.dialogs[0].folder, L"") << "the dialog opens where it likes";
    EXPECT_TRUE(prompt_.opens.empty());
    EXPECT_FALSE(platform::SearchFinds(app_ + L"Back up")) << "nothing is created";

    // A screen-saver row, or none, exports nothing and asks nothing.
    for (const bool screenSaverRow : {true, false}) {
        SetRows({{L"[Tools.scr]", 0}});
        if (screenSaverRow)
            SelectRow(0);
        form_->ActionExportRegExecute();
        form_->ActionRegeditExecute();
    }
    EXPECT_EQ(prompt_.dialogs.size(), 1u);
    EXPECT_TRUE(prompt_.opens.empty());
}

TEST_F(ToolsTest, ReloadImportsTheChosenFile) {
    PlantProgram(L"ReloadMe", L"Before Reload");
    Start();
    ASSERT_TRUE(form_);
    CreateDirectoryW((app_ + L"Back up").c_str(), nullptr);
    CreateDirectoryW(BackupFolder().c_str(), nullptr);
    const std::wstring file = BackupFolder() + L"Reload Me.reg";
    ASSERT_NO_FATAL_FAILURE(WriteRegFile(file, L"Windows Registry Editor Version 5.00\r\n\r\n[" +
                                                   std::wstring(varnook::kUninstallKeyName) +
                                                   L"ReloadMe]\r\n\"DisplayName\"=\"After Reload\"\r\n\r\n"));
    prompt_.fileAnswers.push_back(file);

    form_->ActionReloadRegExecute();

    ASSERT_EQ(prompt_.dialogs.size(), 1u);
    EXPECT_FALSE(prompt_.dialogs[0].save);
    EXPECT_EQ(prompt_.dialogs[0].folder, BackupFolder());
    EXPECT_EQ(prompt_.dialogs[0].filter, L"Registration Files(*.reg)|*.reg");
    ASSERT_EQ(prompt_.opens.size(), 1u);
    EXPECT_EQ(prompt_.opens[0].parameters, L" \"Reload Me.reg\"") << "only the quoted file name";
    EXPECT_EQ(prompt_.opens[0].folder, BackupFolder());
    ASSERT_EQ(RunRecorded(prompt_.opens[0]), 0u);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"ReloadMe"), L"DisplayName"), L"After Reload");

    // Cancelling starts nothing.
    form_->ActionReloadRegExecute();
    EXPECT_EQ(prompt_.opens.size(), 1u);
}

TEST_F(ToolsTest, BackupWritesOneFilePerEntryAndSaysSo) {
    for (const wchar_t* name : {L"BackupOne", kGuid, L"Backup Three"})
        PlantProgram(name, name);
    Start();
    ASSERT_TRUE(form_);
    ASSERT_FALSE(platform::SearchFinds(app_ + L"Back up"));

    bool pictured = false;
    const TBackupRun run = RunBackup([&](TProgressForm& progress, const MSG& message) {
        if (!pictured && message.message == WM_TIMER) {
            pictured = true;
            Screenshot(progress.Handle(), L"progress-form");
        }
    });

    ASSERT_TRUE(run.closedByItself);
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[0].text, L"Back up the registry info of the whole software installed.");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_YESNO));
    EXPECT_EQ(prompt_.messages[1].text, L"Backup registry info successfully");
    EXPECT_EQ(prompt_.messages[1].flags, static_cast<UINT>(MB_OK));
    // The bar only moves forward and reads 100 at the end; which steps a tick shows depends on timing.
    EXPECT_EQ(run.positions.back(), 100);
    for (const int position : run.positions)
        EXPECT_TRUE(position == 0 || position == 50 || position == 100) << position;
    EXPECT_TRUE(std::is_sorted(run.positions.begin(), run.positions.end()));

    EXPECT_EQ(CountFiles(BackupFolder(), L"*.reg"), 3u);
    for (const wchar_t* name : {L"BackupOne", kGuid, L"Backup Three"}) {
        const std::wstring text = ReadRegFile(BackupFolder() + name + L".reg");
        EXPECT_EQ(KeySections(text), std::vector<std::wstring>{SectionOf(name)}) << name;
    }

    // A second backup replaces the files; an entry gone since leaves its old file.
    PlantProgram(L"BackupOne", L"Changed Since");
    testsupport::EmptyKey(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"Backup Three"));
    ASSERT_TRUE(platform::DeleteTree(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"Backup Three")));
    prompt_.messages.clear();
    ASSERT_TRUE(RunBackup().closedByItself);
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[1].text, L"Backup registry info successfully");
    EXPECT_NE(ReadRegFile(BackupFolder() + L"BackupOne.reg").find(L"Changed Since"), std::wstring::npos);
    EXPECT_TRUE(FileExists(BackupFolder() + L"Backup Three.reg"));
}

TEST_F(ToolsTest, BackupOfOneEntryGoesStraightToTheEnd) {
    PlantProgram(L"OnlyOne", L"Only One");
    Start();
    ASSERT_TRUE(form_);
    const TBackupRun run = RunBackup();
    ASSERT_TRUE(run.closedByItself);
    EXPECT_EQ(run.positions, (std::vector<int>{0, 100}));
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[1].text, L"Backup registry info successfully");
    EXPECT_TRUE(FileExists(BackupFolder() + L"OnlyOne.reg"));
}

TEST_F(ToolsTest, BackupCountsExportsThatWroteNothing) {
    // One name cannot be a file; one entry goes after the backup has listed it, while its file from an
    // earlier backup is still there. The registry lists subkeys by name, so it is started after the first tick.
    for (const wchar_t* name : {L"A Fine", L"B Bad*Name", L"C Fine", L"Z Gone"})
        PlantProgram(name, name);
    Start();
    ASSERT_TRUE(form_);
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, BackupFolder().substr(0, BackupFolder().size() - 1).c_str(), nullptr),
              ERROR_SUCCESS);
    const std::wstring earlier = BackupFolder() + L"Z Gone.reg";
    ASSERT_NO_FATAL_FAILURE(WriteRegFile(earlier, L"Windows Registry Editor Version 5.00\r\n"));

    bool deleted = false;
    const TBackupRun run = RunBackup([&](TProgressForm& progress, const MSG& message) {
        if (!deleted && message.message == WM_TIMER && message.hwnd == progress.Handle())
            deleted = platform::DeleteTree(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"Z Gone"));
    });
    ASSERT_TRUE(deleted);
    ASSERT_TRUE(run.closedByItself);
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[1].text, varnook::BackupFailedText(2, 4));
    EXPECT_EQ(prompt_.messages[1].flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(run.positions.back(), 100) << "every export has ended";
    EXPECT_TRUE(FileExists(BackupFolder() + L"A Fine.reg"));
    EXPECT_TRUE(FileExists(BackupFolder() + L"C Fine.reg"));
}

TEST_F(ToolsTest, BackupWithoutEntriesEndsWithAMessage) {
    Start();
    ASSERT_TRUE(form_);
    const TBackupRun run = RunBackup();
    ASSERT_TRUE(run.closedByItself) << "no retrying for ever";
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[1].text, varnook::kBackupNoEntriesText);
    EXPECT_EQ(run.positions, std::vector<int>{0});
    EXPECT_EQ(CountFiles(BackupFolder(), L"*.reg"), 0u);

    // Any answer but Yes shows no dialog.
    prompt_.messages.clear();
    prompt_.answer = IDNO;
    bool shown = false;
    varnook::SetModalDriver([&](HWND) { shown = true; });
    form_->ActionCreateBackupExecute();
    EXPECT_FALSE(shown);
    EXPECT_EQ(prompt_.messages.size(), 1u);
}

TEST_F(ToolsTest, ClosingTheBackupCancelsWhatHasNotStarted) {
    constexpr int kEntries = 20;
    for (int i = 0; i < kEntries; ++i)
        PlantProgram(L"Many" + std::to_wstring(i), L"Many");
    Start();
    ASSERT_TRUE(form_);
    // Closed right after the first tick, which starts the first few exports.
    const TBackupRun run = RunBackup([](TProgressForm& progress, const MSG& message) {
        if (message.message == WM_TIMER && message.hwnd == progress.Handle())
            SendMessageW(progress.Handle(), WM_CLOSE, 0, 0);
    });
    ASSERT_TRUE(run.closedByItself);
    EXPECT_EQ(prompt_.messages.size(), 1u) << "no message after cancelling";
    // The exports already running end on their own.
    Sleep(3000);
    EXPECT_LE(CountFiles(BackupFolder(), L"*.reg"), TProgressForm::kMaxRunning);
}

TEST_F(ToolsTest, ReportListsTheRowsInTheListsOrder) {
    Start();
    ASSERT_TRUE(form_);
    SetRows({{L"Beta Tool", 0}, {L"Alpha Tool", 1}});
    form_->ProgramCountsText = L"2";
    bool pictured = false;
    std::vector<std::wstring> lines = Report([&](TPrintListForm& report) {
        Screenshot(report.Handle(), L"print-list-form");
        pictured = true;
        EXPECT_EQ(report.Text(), L"Save/Print");
        EXPECT_EQ(report.btnSave.Text(), L"Save");
        EXPECT_EQ(report.btnPrint.Text(), L"Print");
    });
    EXPECT_TRUE(pictured);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], L"Varnook Application Report");
    EXPECT_EQ(lines[3], L"=======================");
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(computer, &size));
    // The labels are the language file's texts, which lose their closing blanks when read.
    EXPECT_EQ(lines[4], varnook::Lang(varnook::IDS_PRINTFORM_MEMO_ComputerName) + computer);
    EXPECT_EQ(lines[6], varnook::Lang(varnook::IDS_PRINTFORM_MEMO_Programs) + L"2");
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(lines[8], varnook::Lang(varnook::IDS_PRINTFORM_MEMO_CreatedBy) + program);
    EXPECT_EQ(lines[12], L"Programs installed on your computer:");
    EXPECT_EQ(lines[14], L"1 - Beta Tool");
    EXPECT_EQ(lines[15], L"2 - Alpha Tool");
    EXPECT_EQ(lines[16], L"----------------------");

    // Sorted by caption, the numbering follows the new order.
    form_->lsvProgramList.Send(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(DataDescending));
    lines = Report();
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[14], L"1 - Alpha Tool");
    EXPECT_EQ(lines[15], L"2 - Beta Tool");

    SetRows({});
    lines = Report();
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[13], L"----------------------");
    EXPECT_EQ(lines[14], L"----------------------");
}

TEST_F(ToolsTest, ReportNamesAFifteenCharacterComputerWhole) {
    const std::wstring active = L"System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName";
    const std::wstring before = ReadString(HKEY_LOCAL_MACHINE, active, L"ComputerName");
    const std::wstring name = L"WORKSTATION-015";
    ASSERT_EQ(name.size(), 15u);
    {
        const platform::TKey key = platform::OpenKey(HKEY_LOCAL_MACHINE, active);
        ASSERT_TRUE(key);
        ASSERT_TRUE(platform::WriteString(key.get(), L"ComputerName", name));
    }
    Start();
    const std::vector<std::wstring> lines = form_ ? Report() : std::vector<std::wstring>{};
    {
        const platform::TKey key = platform::OpenKey(HKEY_LOCAL_MACHINE, active);
        platform::WriteString(key.get(), L"ComputerName", before);
    }
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[4], varnook::Lang(varnook::IDS_PRINTFORM_MEMO_ComputerName) + name);
}

TEST_F(ToolsTest, SavedReportEndsEveryLineAndKeepsEveryCharacter) {
    Start();
    ASSERT_TRUE(form_);
    const std::wstring folder = testsupport::FreshFolder(L"tools_report") + L"\\";
    // The first report fits the ANSI code page; the second has a character only Unicode holds.
    const struct {
        std::wstring caption;
        bool utf8;
    } cases[] = {{L"Caf\u00e9 Tool", false}, {L"Tibetan \u0F00 Tool", true}};
    for (const auto& c : cases) {
        SetRows({{c.caption, 0}});
        const std::wstring path = folder + L"report.txt";
        prompt_.fileAnswers.push_back(path);
        std::vector<std::wstring> lines = Report([](TPrintListForm& report) { report.btnSaveClick(); });
        ASSERT_EQ(lines.size(), 16u);
        const std::string bytes = ReadBytes(path);
        std::wstring text;
        if (c.utf8) {
            ASSERT_EQ(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0);
            text.resize(bytes.size());
            text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, static_cast<int>(bytes.size() - 3),
                                            text.data(), static_cast<int>(text.size())));
        } else {
            ASSERT_NE(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0);
            text.resize(bytes.size());
            text.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                            static_cast<int>(text.size())));
        }
        EXPECT_EQ(text, varnook::FileText(lines)) << "every line, the last included, ends with CR LF";
        EXPECT_EQ(lines[14], L"1 - " + c.caption);
    }
    EXPECT_EQ(prompt_.dialogs.back().filter, L"Text File (*.txt)|*.txt");
    EXPECT_EQ(prompt_.dialogs.back().defaultExtension, L"txt");

    // Edits are saved as they stand; a file that cannot be written is reported and the dialog stays.
    prompt_.fileAnswers.push_back(folder + L"edited.txt");
    prompt_.fileAnswers.push_back(folder + L"missing\\report.txt");
    bool stayed = false;
    Report([&](TPrintListForm& report) {
        report.MemoList.SetText(L"edited");
        SendMessageW(report.btnSave.Handle(), BM_CLICK, 0, 0);
        SendMessageW(report.btnSave.Handle(), BM_CLICK, 0, 0);
        stayed = !report.Closed();
    });
    EXPECT_EQ(ReadBytes(folder + L"edited.txt"), "edited\r\n");
    EXPECT_TRUE(stayed);
    ASSERT_FALSE(prompt_.messages.empty());
    EXPECT_EQ(prompt_.messages.back().flags & MB_ICONERROR, static_cast<UINT>(MB_ICONERROR));
    testsupport::RemoveFolder(folder.substr(0, folder.size() - 1));
}

TEST_F(ToolsTest, PrintSendsTheLinesAsShownAndReportsAFailure) {
    Start();
    ASSERT_TRUE(form_);
    std::wstring longCaption;
    for (int word = 0; word < 40; ++word)
        longCaption += L"word" + std::to_wstring(word) + L" ";
    SetRows({{longCaption, 0}});
    std::vector<std::wstring> shown;
    Report([&](TPrintListForm& report) {
        shown = report.ShownLines();
        report.btnPrintClick();
        prompt_.printAnswer = false;
        report.btnPrintClick();
    });
    ASSERT_EQ(prompt_.printed.size(), 2u);
    EXPECT_EQ(prompt_.printed[0].lines, shown);
    // The long row is printed as the several lines the box wraps it into.
    EXPECT_GT(shown.size(), 16u);
    std::wstring joined;
    for (size_t line = 14; line + 1 < shown.size(); ++line)
        joined += shown[line];
    EXPECT_EQ(WithoutBlanks(joined), WithoutBlanks(L"1 - " + longCaption));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Something is wrong with the printer or Print Spooler service is unaviable.");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
}

TEST_F(ToolsTest, RegistryEditorOpensAtTheProgramsKey) {
    const std::wstring settings = varnook::kRegeditSettingsPath;
    testsupport::PlantKey(HKEY_CURRENT_USER, settings, {Sz(L"LastKey", L"Computer\\HKEY_CURRENT_USER")});
    ASSERT_NO_FATAL_FAILURE(StartWithSelectedProgram(kGuid));

    form_->ActionRegeditExecute();
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, settings, L"LastKey"),
              L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::wstring(kGuid));
    ASSERT_EQ(prompt_.opens.size(), 1u);
    EXPECT_EQ(prompt_.opens[0].verb, L"Open");
    EXPECT_EQ(prompt_.opens[0].file, L"regedit.exe");
    EXPECT_EQ(prompt_.opens[0].parameters, L"");
    EXPECT_EQ(prompt_.opens[0].folder, L"");

    // On a machine where the editor never ran, its settings key is made, so it opens at the key all the same.
    ASSERT_TRUE(platform::DeleteTree(HKEY_CURRENT_USER, settings));
    form_->ActionRegeditExecute();
    EXPECT_EQ(prompt_.opens.size(), 2u);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, settings, L"LastKey"),
              L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::wstring(kGuid));
}

TEST_F(ToolsTest, LaunchersStartTheirTools) {
    Start();
    ASSERT_TRUE(form_);
    const struct {
        void (varnook::TMainForm::*handler)();
        const wchar_t* file;
        const wchar_t* parameters;
    } cases[] = {
        {&varnook::TMainForm::ActionWinUpdateExecute, L"control.exe", L"Appwiz.cpl ,1"},
        {&varnook::TMainForm::ActionWinComponentsExecute, L"control.exe", L"Appwiz.cpl ,2"},
        {&varnook::TMainForm::ActionWinServicesExecute, L"Services.msc", L""},
    };
    for (const auto& c : cases) {
        prompt_.opens.clear();
        (form_.get()->*c.handler)();
        ASSERT_EQ(prompt_.opens.size(), 1u) << c.file;
        EXPECT_EQ(prompt_.opens[0].verb, L"Open");
        EXPECT_EQ(prompt_.opens[0].file, c.file);
        EXPECT_EQ(prompt_.opens[0].parameters, c.parameters);
        EXPECT_EQ(prompt_.opens[0].folder, L"");
    }

    form_->ActionAddNewExecute();
    varnook::SetLang(varnook::IDS_MAINFORM_MENU_FILE_NewProgram, std::wstring(300, L'N'));
    form_->ActionAddNewExecute();
    EXPECT_EQ(prompt_.runDialogs, (std::vector<std::wstring>{L"New Program", std::wstring(259, L'N')}));
}
