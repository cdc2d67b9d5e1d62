// The whole road of an uninstall on the demo machine (tools/demo): real NSIS uninstallers and msiexec run,
// Varnook waits for them, asks, scans, and deletes what stays ticked. The cases share one prefix, set up
// afresh for every ctest run, and each uninstalls a sample that no other case touches.
#include "Machine.h"
#include "tests/leftovers/ScanFixture.h"

#include "gui/programs/WaitingThread.h"
#include "gui/widgets/Modal.h"

#include <shlobj.h>

#include <algorithm>
#include <map>

using namespace e2etest;
using namespace leftovertest;
using varnook::kPartlyTicked;
using varnook::kTicked;
using varnook::kUnticked;
using varnook::TLeftoverTree;
using varnook::TScanForm;
using varnook::TWaitingThread;
using varnook::TWindow;

namespace {

constexpr wchar_t kScanRemains[] =
    L"May be some registry keys or files were not completly removed, \r\nwould you like to remove them?";
constexpr wchar_t kUninstallFailed[] =
    L"The software might be uninstalled or deleted, do you want to \r\nclear up its registry info or files left on "
    L"your computer?";
constexpr wchar_t kNoRemains[] = L"No files or registry keys left!";
constexpr wchar_t kCleanSucceeded[] = L"Clean Succeeded!";
constexpr UINT kQuestion = MB_ICONWARNING | MB_YESNO;
constexpr DWORD kRoadTimeout = 90000;

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kArpCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

std::wstring Entry(const std::wstring& name) {
    return L"HKEY_LOCAL_MACHINE\\" + std::wstring(kUninstall) + name;
}
std::wstring ArpCache(const std::wstring& name) {
    return L"HKEY_LOCAL_MACHINE\\" + std::wstring(kArpCache) + name;
}
std::wstring ProgramFiles(const std::wstring& folder) {
    return ShellFolder(CSIDL_PROGRAM_FILES) + L"\\" + folder;
}

// A key node with its value nodes, as the registry tree shows them.
std::vector<std::wstring> KeyLines(const std::wstring& key, std::initializer_list<const wchar_t*> values) {
    std::vector<std::wstring> lines{key};
    for (const wchar_t* value : values)
        lines.push_back(L"  " + key + L"\\" + value);
    return lines;
}

// Machine entries ("key ...", "value ...") for a key and its values.
std::vector<std::wstring> KeyEntries(const std::wstring& key, std::initializer_list<const wchar_t*> values) {
    std::vector<std::wstring> entries{L"key " + key};
    for (const wchar_t* value : values)
        entries.push_back(L"value " + key + L"\\" + value);
    return entries;
}

std::vector<std::wstring> Joined(std::initializer_list<std::vector<std::wstring>> parts) {
    std::vector<std::wstring> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    std::sort(all.begin(), all.end());
    return all;
}

std::vector<int> AllStates(const TLeftoverTree& tree) {
    std::vector<int> states;
    for (const auto node : varnook::PositionOrder(tree))
        states.push_back(tree.State(node));
    return states;
}

// The state of every node by its text.
std::map<std::wstring, int> StatesByText(const TLeftoverTree& tree) {
    std::map<std::wstring, int> states;
    for (const auto node : varnook::PositionOrder(tree))
        states[tree.ItemText(TLeftoverTree::Item(node))] = tree.State(node);
    return states;
}

// What holds when a message box comes up.
struct TMoment {
    bool entryThere = false;  // the program's uninstall key
    int copies = 0;           // uninstaller copies running
    TMachine machine;         // everything, for the first box only
};

// Records and answers like the test seam, and notes the moment of every message box.
class TObservingPrompt : public testsupport::TRecordingPrompt {
public:
    int MessageBox(HWND owner, const std::wstring& text, UINT flags) override {
        TMoment moment;
        moment.entryThere = KeyExists(HKEY_LOCAL_MACHINE, kUninstall + registryName);
        moment.copies = UninstallerCopies();
        if (moments.empty())
            moment.machine = ReadMachine();
        moments.push_back(std::move(moment));
        return TRecordingPrompt::MessageBox(owner, text, flags);
    }
    std::wstring registryName;
    std::vector<TMoment> moments;
};

// The texts of the message boxes that threads other than this one show, after closing them: the shell's
// error box when an uninstall command cannot start.
std::vector<std::wstring> CloseShellErrorBoxes() {
    std::vector<std::wstring> texts;
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(box, &process);
        if (process != GetCurrentProcessId() || thread == GetCurrentThreadId() || !IsWindowVisible(box))
            continue;
        std::wstring text;
        for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));) {
            wchar_t buffer[512] = {};
            GetWindowTextW(child, buffer, static_cast<int>(std::size(buffer)));
            text += buffer;
        }
        texts.push_back(text.substr(0, text.find_last_not_of(L"\r\n") + 1));
        PostMessageW(box, WM_CLOSE, 0, 0);
    }
    return texts;
}

}  // namespace

class UninstallRoadTest : public LeftoverTest {
protected:
    void SetUp() override {
        LeftoverTest::SetUp();
        if (HasFatalFailure())
            return;
        varnook::SetPrompt(&prompt);
        prompt.answer = IDYES;
        before = ReadMachine();
        rowsBefore = Captions();
    }

    void TearDown() override {
        EXPECT_TRUE(WaitFor([] { return TWaitingThread::Running() == 0; }, 60000)) << "a waiting thread is left";
        varnook::SetModalDriver(nullptr);
        varnook::SetPrompt(&prompt_);
        LeftoverTest::TearDown();
    }

    int Rows() const { return static_cast<int>(form_->lsvProgramList.Send(LVM_GETITEMCOUNT)); }
    std::vector<std::wstring> Captions() const {
        std::vector<std::wstring> captions;
        for (int row = 0; row < Rows(); ++row)
            captions.push_back(form_->RowText(row, 0));
        std::sort(captions.begin(), captions.end());
        return captions;
    }
    int RowOf(const std::wstring& caption) const {
        for (int row = 0; row < Rows(); ++row) {
            if (form_->RowText(row, 0) == caption)
                return row;
        }
        return -1;
    }
    // The rows of the first load less `caption`.
    std::vector<std::wstring> RowsWithout(const std::wstring& caption) const {
        std::vector<std::wstring> rows = rowsBefore;
        rows.erase(std::remove(rows.begin(), rows.end(), caption), rows.end());
        return rows;
    }

    // Selects the row as a click does (the status bar then names the program), presses Uninstall and
    // handles messages until the run has ended: the question answered, `review` done with the leftover
    // dialog (which is closed afterwards if `review` has not), the list reloaded and the waiting thread gone.
    void UninstallRow(const std::wstring& caption, const std::wstring& registryName,
                      const std::function<void(TScanForm&)>& review) {
        const int row = RowOf(caption);
        ASSERT_GE(row, 0) << "the demo lists no " << caption;
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        form_->lsvProgramList.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
        ASSERT_EQ(form_->lblRegistryName.Text(), registryName);
        ASSERT_TRUE(form_->btnUninstall.Enabled());
        prompt.registryName = registryName;

        bool reviewed = false;
        varnook::SetModalDriver([&](HWND dialog) {
            auto* scan = dynamic_cast<TScanForm*>(TWindow::FromHandle(dialog));
            if (!scan) {
                ADD_FAILURE() << "the question led to another dialog";
                PostMessageW(dialog, WM_CLOSE, 0, 0);
                return;
            }
            ReviewScan(*scan, review);
            if (!scan->Closed())
                scan->Close();
            reviewed = true;
        });
        const HWND button = form_->btnUninstall.Handle();
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        const bool ended = WaitFor(
            [&] {
                copySeen = copySeen || UninstallerCopies() > 0;
                for (std::wstring& text : CloseShellErrorBoxes())
                    shellErrors.push_back(std::move(text));
                return reviewed && TWaitingThread::Running() == 0;
            },
            kRoadTimeout);
        varnook::SetModalDriver(nullptr);
        EXPECT_TRUE(ended) << "the run did not end within " << kRoadTimeout / 1000 << " s: " << prompt.messages.size()
                           << " messages, dialog reviewed: " << reviewed;
        after = ReadMachine();
    }

    void ReviewScan(TScanForm& scan, const std::function<void(TScanForm&)>& review) {
        ASSERT_TRUE(WaitFor([&] { return scan.ScanCount() > 0 && !scan.Scanning(); }, 60000)) << "no scan";
        review(scan);
    }

    // Presses the dialog's Delete button and notes what the deletion removed.
    void PressDelete(TScanForm& scan) {
        const TMachine beforeDelete = ReadMachine();
        scan.btnDelete.Send(BM_CLICK);
        const TMachine afterDelete = ReadMachine();
        deleted = Missing(beforeDelete, afterDelete);
        deleteAdded = Missing(afterDelete, beforeDelete);
    }

    // The question asked once the uninstaller had really ended.
    void ExpectQuestionAfterTheEnd(const wchar_t* question, bool entryGone) {
        ASSERT_GE(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, question);
        EXPECT_EQ(prompt.messages[0].flags, kQuestion);
        ASSERT_GE(prompt.moments.size(), 1u);
        EXPECT_EQ(prompt.moments[0].copies, 0) << "the question came while the uninstaller's copy still ran";
        EXPECT_EQ(prompt.moments[0].entryThere, !entryGone);
    }

    // Everything that went in the whole run lies below `own` (the sample's folders, keys and shortcuts).
    void ExpectOthersUntouched(const std::vector<std::wstring>& own) {
        EXPECT_EQ(Outside(Missing(before, after), own), std::vector<std::wstring>{})
            << "the run removed what belongs to others";
    }

    TObservingPrompt prompt;
    TMachine before, after;
    std::vector<std::wstring> rowsBefore;
    std::vector<std::wstring> deleted, deleteAdded;
    std::vector<std::wstring> shellErrors;
    bool copySeen = false;
};

TEST_F(UninstallRoadTest, NsisUninstallerLeavesSettingsAndDataThatTheUserPartlyKeeps) {
    const TCanaryDirectory cwd(L"e2e_cwd_notes");
    const std::wstring folder = ProgramFiles(L"Northwind Traders\\Northwind Notes");
    const std::wstring settings = L"HKEY_CURRENT_USER\\SOFTWARE\\Northwind Traders\\Northwind Notes";
    const std::wstring cache = ArpCache(L"Northwind Notes");
    ASSERT_EQ(form_->RowText(RowOf(L"Northwind Notes 3.2"), 2), folder);

    std::vector<std::wstring> regLines, fileLines;
    std::map<std::wstring, int> statesAfterPress;
    UninstallRow(L"Northwind Notes 3.2", L"Northwind Notes", [&](TScanForm& scan) {
        EXPECT_EQ(SortedOutline(scan.tvScanRegInfo),
                  SortedGroups({KeyLines(settings, {L"Version", L"Language", L"WindowWidth", L"CheckForUpdates"}),
                                KeyLines(cache, {L"SlowInfoCache", L"Changed"})}));
        EXPECT_EQ(SortedOutline(scan.tvScanFiles),
                  SortedGroups({{folder, L"  " + folder + L"\\Data", L"    " + folder + L"\\Data\\notes.db"}}));
        EXPECT_EQ(AllStates(scan.tvScanRegInfo), std::vector<int>(8, kTicked));
        EXPECT_EQ(AllStates(scan.tvScanFiles), std::vector<int>(3, kTicked));

        PressNode(scan.tvScanRegInfo, FindNode(scan.tvScanRegInfo, settings + L"\\Language"));
        statesAfterPress = StatesByText(scan.tvScanRegInfo);
        Screenshot(scan.Handle(), L"e2e-scan-northwind-notes");
        PressDelete(scan);
        regLines = Outline(scan.tvScanRegInfo);
        fileLines = Outline(scan.tvScanFiles);
        scan.btnCancel.Send(BM_CLICK);
        EXPECT_TRUE(scan.Closed()) << "Cancel closes the dialog";
    });

    // NSIS hands over to its copy in %TEMP%; the question waited for the copy.
    EXPECT_TRUE(copySeen) << "no uninstaller copy ran: the hand-over was not exercised";
    ExpectQuestionAfterTheEnd(kScanRemains, true);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[1].text, kCleanSucceeded);
    EXPECT_EQ(prompt.messages[1].flags, static_cast<UINT>(MB_OK));

    EXPECT_EQ(statesAfterPress[settings], kPartlyTicked);
    EXPECT_EQ(statesAfterPress[settings + L"\\Language"], kUnticked);
    EXPECT_EQ(statesAfterPress[settings + L"\\Version"], kTicked);
    EXPECT_EQ(statesAfterPress[cache], kTicked);

    // Exactly the ticked items went; the unticked value keeps its key, and the key its other parents.
    EXPECT_EQ(deleted,
              Joined({{L"folder " + folder, L"folder " + folder + L"\\Data", L"file " + folder + L"\\Data\\notes.db"},
                      KeyEntries(cache, {L"SlowInfoCache", L"Changed"}),
                      {L"value " + settings + L"\\Version", L"value " + settings + L"\\WindowWidth",
                       L"value " + settings + L"\\CheckForUpdates"}}));
    EXPECT_EQ(deleteAdded, std::vector<std::wstring>{});
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, L"SOFTWARE\\Northwind Traders\\Northwind Notes", L"Language"));
    EXPECT_TRUE(Exists(ProgramFiles(L"Northwind Traders")));
    EXPECT_EQ(regLines, KeyLines(settings, {L"Language"})) << "what stays is still listed, as the user left it";
    EXPECT_EQ(fileLines, std::vector<std::wstring>{});

    EXPECT_EQ(RowOf(L"Northwind Notes 3.2"), -1);
    EXPECT_EQ(Captions(), RowsWithout(L"Northwind Notes 3.2"));
    ExpectOthersUntouched({folder, Entry(L"Northwind Notes"), cache, settings,
                           ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\Northwind Notes",
                           ShellFolder(CSIDL_STARTUP) + L"\\Northwind Notes Reminders.lnk"});
}

TEST_F(UninstallRoadTest, MsiPackageLeavesOnlyItsUsageRecord) {
    const TCanaryDirectory cwd(L"e2e_cwd_planner");
    const std::wstring product = L"{3B8E2F41-7C5D-4A96-B0E1-2D4F6A8C9E13}";
    const std::wstring cache = ArpCache(product);
    ASSERT_EQ(form_->RowText(RowOf(L"Woodgrove Budget Planner"), 2), L"") << "the entry names no folder";

    std::vector<std::wstring> regLines;
    UninstallRow(L"Woodgrove Budget Planner", product, [&](TScanForm& scan) {
        EXPECT_EQ(SortedOutline(scan.tvScanRegInfo), SortedGroups({KeyLines(cache, {L"SlowInfoCache", L"Changed"})}));
        EXPECT_TRUE(scan.tvScanFiles.Empty());
        PressDelete(scan);
        regLines = Outline(scan.tvScanRegInfo);
        scan.btnCancel.Send(BM_CLICK);
    });

    ExpectQuestionAfterTheEnd(kScanRemains, true);
    const std::wstring program = L"file " + ProgramFiles(L"Woodgrove Finance\\Budget Planner\\planner.exe");
    EXPECT_TRUE(before.contains(program));
    EXPECT_FALSE(prompt.moments.at(0).machine.contains(program)) << "msiexec had not ended when Varnook asked";
    EXPECT_EQ(prompt.messages.size(), 1u) << "no file tree, no message after the deletion";
    EXPECT_EQ(deleted, Joined({KeyEntries(cache, {L"SlowInfoCache", L"Changed"})}));
    EXPECT_EQ(deleteAdded, std::vector<std::wstring>{});
    EXPECT_EQ(regLines, std::vector<std::wstring>{});
    EXPECT_EQ(RowOf(L"Woodgrove Budget Planner"), -1);
    EXPECT_EQ(Captions(), RowsWithout(L"Woodgrove Budget Planner"));
    // msiexec removes its own records of the package: by packed product, upgrade and component codes.
    const std::wstring packed = L"14F2E8B3D5C769A40B1ED2F4A6C8E931";
    const std::wstring packedUpgrade = L"4F3E2C1AD6B5F8E4A9B0C1D2E3F4A5B6";
    const std::wstring installer = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\";
    ExpectOthersUntouched(
        {Entry(product), cache, ProgramFiles(L"Woodgrove Finance"), L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Woodgrove Finance",
         L"HKEY_CLASSES_ROOT\\Installer\\Products\\" + packed, L"HKEY_CLASSES_ROOT\\Installer\\Features\\" + packed,
         L"HKEY_CLASSES_ROOT\\Installer\\UpgradeCodes\\" + packedUpgrade, installer + L"UpgradeCodes\\" + packedUpgrade,
         installer + L"UserData\\S-1-5-18\\Products\\" + packed,
         installer + L"UserData\\S-1-5-18\\Components\\B3C2D1E595A4786479685A4B3C2D1E0F"});
}

TEST_F(UninstallRoadTest, FailingUninstallerLeavesEverythingAndTheScanTakesItAll) {
    const TCanaryDirectory cwd(L"e2e_cwd_fabrikam");
    const std::wstring folder = ProgramFiles(L"Fabrikam\\Tools");
    const std::wstring user = L"HKEY_CURRENT_USER\\SOFTWARE\\Fabrikam\\Fabrikam Tools";
    const std::wstring machine = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Fabrikam\\Fabrikam Tools";
    const std::wstring entry = Entry(L"Fabrikam Tools");
    const auto entryValues = {L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"EstimatedSize",
                              L"NoModify",    L"NoRepair",    L"Publisher",      L"UninstallString"};
    ASSERT_EQ(form_->RowText(RowOf(L"Fabrikam Tools"), 2), folder);

    std::vector<std::wstring> regLines, fileLines;
    UninstallRow(L"Fabrikam Tools", L"Fabrikam Tools", [&](TScanForm& scan) {
        EXPECT_EQ(
            SortedOutline(scan.tvScanRegInfo),
            SortedGroups({KeyLines(user, {L"Version", L"Language", L"WindowWidth", L"CheckForUpdates"}),
                          KeyLines(machine, {L"InstallPath", L"Version", L"Edition"}), KeyLines(entry, entryValues)}));
        EXPECT_EQ(SortedOutline(scan.tvScanFiles),
                  SortedGroups({{folder, L"  " + folder + L"\\fabtools.exe", L"  " + folder + L"\\resources.pak",
                                 L"  " + folder + L"\\unins000.exe"}}));
        EXPECT_EQ(AllStates(scan.tvScanRegInfo), std::vector<int>(18, kTicked));
        EXPECT_EQ(AllStates(scan.tvScanFiles), std::vector<int>(4, kTicked));
        PressDelete(scan);
        regLines = Outline(scan.tvScanRegInfo);
        fileLines = Outline(scan.tvScanFiles);
        scan.btnCancel.Send(BM_CLICK);
    });

    ExpectQuestionAfterTheEnd(kScanRemains, false);
    EXPECT_EQ(Missing(before, prompt.moments.at(0).machine), std::vector<std::wstring>{})
        << "the failing uninstaller removed something";
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[1].text, kCleanSucceeded);

    EXPECT_EQ(deleted, Joined({{L"folder " + folder, L"file " + folder + L"\\fabtools.exe",
                                L"file " + folder + L"\\resources.pak", L"file " + folder + L"\\unins000.exe"},
                               KeyEntries(user, {L"Version", L"Language", L"WindowWidth", L"CheckForUpdates"}),
                               KeyEntries(machine, {L"InstallPath", L"Version", L"Edition"}),
                               KeyEntries(entry, entryValues)}));
    EXPECT_EQ(deleteAdded, std::vector<std::wstring>{});
    EXPECT_EQ(regLines, std::vector<std::wstring>{});
    EXPECT_EQ(fileLines, std::vector<std::wstring>{});
    // The vendor's folder and keys were not in the lists: they stay.
    EXPECT_TRUE(Exists(ProgramFiles(L"Fabrikam")));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"SOFTWARE\\Fabrikam"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Fabrikam"));

    EXPECT_EQ(RowOf(L"Fabrikam Tools"), -1);
    EXPECT_EQ(Captions(), RowsWithout(L"Fabrikam Tools"));
    ExpectOthersUntouched({folder, entry, user, machine});
}

TEST_F(UninstallRoadTest, CleanUninstallerLeavesNothingToScan) {
    const TCanaryDirectory cwd(L"e2e_cwd_tailspin");
    const std::wstring folder = ProgramFiles(L"Tailspin Flight Tracker");
    ASSERT_EQ(form_->RowText(RowOf(L"Tailspin Flight Tracker"), 2), folder);

    bool closedItself = false;
    UninstallRow(L"Tailspin Flight Tracker", L"TailspinTracker", [&](TScanForm& scan) {
        EXPECT_TRUE(scan.tvScanRegInfo.Empty());
        EXPECT_TRUE(scan.tvScanFiles.Empty());
        closedItself = scan.Closed();
    });

    EXPECT_TRUE(copySeen) << "no uninstaller copy ran: the hand-over was not exercised";
    ExpectQuestionAfterTheEnd(kScanRemains, true);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[1].text, kNoRemains);
    EXPECT_EQ(prompt.messages[1].flags, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(closedItself) << "the dialog closes after the message";
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(Missing(prompt.moments.at(0).machine, after), std::vector<std::wstring>{})
        << "Varnook removed something although it found nothing";

    EXPECT_EQ(RowOf(L"Tailspin Flight Tracker"), -1);
    EXPECT_EQ(Captions(), RowsWithout(L"Tailspin Flight Tracker"));
    ExpectOthersUntouched({folder, Entry(L"TailspinTracker"), L"HKEY_CURRENT_USER\\SOFTWARE\\Tailspin Toys",
                           ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\Tailspin Flight Tracker"});
}

TEST_F(UninstallRoadTest, PatchWhoseCommandCannotStartGetsTheSecondQuestion) {
    const TCanaryDirectory cwd(L"e2e_cwd_patch");
    const std::wstring entry = Entry(L"KB4471102");
    const std::wstring caption = L"Security Update for Windows (KB4471102)";

    std::vector<std::wstring> regLines;
    UninstallRow(caption, L"KB4471102", [&](TScanForm& scan) {
        EXPECT_EQ(
            SortedOutline(scan.tvScanRegInfo),
            SortedGroups({KeyLines(entry, {L"DisplayName", L"UninstallString", L"ParentKeyName", L"ParentDisplayName",
                                           L"ReleaseType", L"InstallDate", L"TSAware", L"NoModify", L"NoRepair"})}));
        EXPECT_TRUE(scan.tvScanFiles.Empty()) << "the folder lies below the Windows folder";
        PressDelete(scan);
        regLines = Outline(scan.tvScanRegInfo);
        scan.btnCancel.Send(BM_CLICK);
    });

    EXPECT_EQ(shellErrors, std::vector<std::wstring>{L"Path not found."});
    ExpectQuestionAfterTheEnd(kUninstallFailed, false);
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(deleted,
              Joined({KeyEntries(entry, {L"DisplayName", L"UninstallString", L"ParentKeyName", L"ParentDisplayName",
                                         L"ReleaseType", L"InstallDate", L"TSAware", L"NoModify", L"NoRepair"})}));
    EXPECT_EQ(regLines, std::vector<std::wstring>{});
    EXPECT_EQ(RowOf(caption), -1);
    EXPECT_EQ(Captions(), RowsWithout(caption));
    ExpectOthersUntouched({entry});
}
