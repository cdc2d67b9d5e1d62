#include "ScanFixture.h"

#include "gui/programs/WaitingThread.h"
#include "gui/programs/frmComment.h"
#include "gui/shell/globals.h"
#include "gui/widgets/Modal.h"
#include "platform/Files.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>

using namespace leftovertest;
using testsupport::Sz;
using testsupport::WriteFile;
using varnook::TScanForm;
using varnook::TWaitingThread;
using varnook::TWindow;

namespace {

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kScanRemains[] =
    L"May be some registry keys or files were not completly removed, \r\nwould you like to remove them?";
constexpr wchar_t kUninstallFailed[] =
    L"The software might be uninstalled or deleted, do you want to \r\nclear up its registry info or files left on "
    L"your computer?";
constexpr wchar_t kDeleteScr[] =
    L"Do you really want to delete the screen saver? \r\nIt may cause the windows file protection mechanism";
constexpr UINT kQuestion = MB_ICONWARNING | MB_YESNO;

std::wstring Uninstaller() {
    return testsupport::WinePath(UNINSTALLER);
}

// Records like the test seam and notes, for each message, whether a file existed at that moment.
class TMarkerPrompt : public testsupport::TRecordingPrompt {
public:
    explicit TMarkerPrompt(std::wstring file) : marker(std::move(file)) {}
    int MessageBox(HWND owner, const std::wstring& text, UINT flags) override {
        markerSeen.push_back(Exists(marker));
        return TRecordingPrompt::MessageBox(owner, text, flags);
    }
    std::wstring marker;
    std::vector<bool> markerSeen;
};

std::string FileContent(const std::wstring& path) {
    std::ifstream file(std::string(path.begin(), path.end()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteText(const std::wstring& path, const std::string& text) {
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << text;
}

}  // namespace

class UninstallTest : public LeftoverTest {
protected:
    void TearDown() override {
        EXPECT_TRUE(WaitFor([] { return TWaitingThread::Running() == 0; }, 60000)) << "a waiting thread is left";
        varnook::SetPrompt(&prompt_);
        LeftoverTest::TearDown();
    }

    // Plants an uninstall entry, has the service read it and adds a selected row for it, with the registry
    // name in the status bar.
    void AddProgram(const std::wstring& name, const std::wstring& command, const std::wstring& folder = {}) {
        Plant(
            HKEY_LOCAL_MACHINE, kUninstall + name,
            {Sz(L"DisplayName", name + L" display"), Sz(L"UninstallString", command), Sz(L"InstallLocation", folder)});
        form_->ProgramList.UpdateProgramList();
        ULONG index = 0;
        const ULONG count = form_->ProgramList.ItemCount();
        for (; index < count; ++index) {
            platform::TBstr registryName;
            form_->ProgramList.ProgramItem(index)->get_RegistryName(registryName.put());
            if (name == registryName.c_str())
                break;
        }
        ASSERT_LT(index, count) << "the service does not list the entry";
        Select(AddRow(name + L" display", folder, static_cast<LPARAM>(index)));
        form_->lblRegistryName.SetText(name);
    }

    int AddRow(const std::wstring& caption, const std::wstring& folder, LPARAM data) {
        auto& list = form_->lsvProgramList;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(list.Send(LVM_GETITEMCOUNT));
        item.pszText = const_cast<wchar_t*>(caption.c_str());
        item.lParam = data;
        const int row = static_cast<int>(list.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        LVITEMW sub{};
        sub.iSubItem = 2;
        sub.pszText = const_cast<wchar_t*>(folder.c_str());
        list.Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&sub));
        return row;
    }

    void Select(int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        form_->lsvProgramList.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        if (row < 0)
            return;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        form_->lsvProgramList.Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }

    // Runs the uninstall of the selected row and waits for its question, closing any error box the shell
    // shows on the way.
    bool UninstallAndWaitForQuestion(const testsupport::TRecordingPrompt& prompt) {
        form_->ActionUninstallExecute();
        return WaitFor(
            [&] {
                CloseShellErrorBoxes();
                return !prompt.messages.empty();
            },
            60000);
    }

    static void CloseShellErrorBoxes() {
        for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == GetCurrentProcessId())
                PostMessageW(box, WM_CLOSE, 0, 0);
        }
    }
};

TEST_F(UninstallTest, UninstallerThatEndsAtOnce) {
    AddProgram(TestName(), L"\"" + Uninstaller() + L"\" exit");
    prompt_.answer = IDNO;
    const DWORD start = GetTickCount();
    ASSERT_TRUE(UninstallAndWaitForQuestion(prompt_));
    EXPECT_GE(GetTickCount() - start, TWaitingThread::kSettleTime - 50);
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, kScanRemains);
    EXPECT_EQ(prompt_.messages[0].flags, kQuestion);
}

TEST_F(UninstallTest, HandOverToACopyIsFollowed) {
    // The first process may end before the settle time is over or well after it; either way the question
    // waits for the copy.
    for (const int linger : {0, 1500}) {
        SCOPED_TRACE(linger);
        const std::wstring marker = testsupport::FreshFolder(L"lo_handover") + L"\\copy.done";
        AddProgram(TestName(),
                   L"\"" + Uninstaller() + L"\" handover 2500 \"" + marker + L"\" " + std::to_wstring(linger));
        TMarkerPrompt prompt(marker);
        prompt.answer = IDNO;
        varnook::SetPrompt(&prompt);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(UninstallAndWaitForQuestion(prompt));
        EXPECT_GE(GetTickCount() - start, 2500u);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, kScanRemains);
        EXPECT_TRUE(prompt.markerSeen[0]) << "the question came before the copy had ended";
        varnook::SetPrompt(&prompt_);
        ASSERT_TRUE(WaitFor([] { return TWaitingThread::Running() == 0; }, 60000));
    }
}

TEST_F(UninstallTest, DocumentIsOpenedByTheShellAndWaitedFor) {
    Plant(HKEY_CLASSES_ROOT, L".vnkleftover", {Sz(L"", L"VarnookLeftoverDocument")});
    Plant(HKEY_CLASSES_ROOT, L"VarnookLeftoverDocument\\shell\\open\\command",
          {Sz(L"", L"\"" + Uninstaller() + L"\" open \"%1\"")});
    RemoveLater(HKEY_CLASSES_ROOT, L"VarnookLeftoverDocument");
    const std::wstring document = testsupport::FreshFolder(L"lo_document") + L"\\read me.vnkleftover";
    WriteFile(document, 3);
    AddProgram(TestName(), document);
    TMarkerPrompt prompt(document + L".opened");
    prompt.answer = IDNO;
    varnook::SetPrompt(&prompt);
    ASSERT_TRUE(UninstallAndWaitForQuestion(prompt));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, kScanRemains);
    EXPECT_TRUE(prompt.markerSeen[0]) << "the question came before the document's program had ended";
}

TEST_F(UninstallTest, CommandThatCannotStartGetsTheSecondQuestion) {
    AddProgram(TestName(), L"C:\\VarnookTests\\nowhere\\missing.exe /S");
    prompt_.answer = IDNO;
    ASSERT_TRUE(UninstallAndWaitForQuestion(prompt_));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, kUninstallFailed);
    EXPECT_EQ(prompt_.messages[0].flags, kQuestion);
}

TEST_F(UninstallTest, ScreenSaverRowsAndNoRow) {
    Select(-1);
    form_->ActionUninstallExecute();
    EXPECT_EQ(TWaitingThread::Running(), 0);
    EXPECT_TRUE(prompt_.messages.empty());

    // A double click on a screen saver offers to delete it.
    Select(AddRow(L"[Screen Saver]Nothing", platform::SystemDirectory() + L"\\", 0));
    prompt_.answer = IDNO;
    form_->ActionUninstallExecute();
    EXPECT_EQ(TWaitingThread::Running(), 0);
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, kDeleteScr);
    EXPECT_EQ(prompt_.messages[0].flags, kQuestion);
}

TEST_F(UninstallTest, WholeRoadOfAnUninstall) {
    const TCanaryDirectory cwd(L"lo_cwd_road");
    const std::wstring name = TestName();
    const std::wstring vendor = L"SOFTWARE\\VnkVendor_" + name;
    const std::wstring install = LinkFixture(L"road");
    ASSERT_TRUE(Exists(install + L"\\junction")) << "make-links.sh has not built the fixture";
    MakeFolder(install + L"\\data");
    MakeFolder(install + L"\\logs");
    for (const wchar_t* file : {L"\\app.exe", L"\\readme.txt", L"\\.settings", L"\\data\\db.dat", L"\\data\\keep.dat",
                                L"\\logs\\a.log", L"\\logs\\b.log"})
        WriteFile(install + file, 2);
    SetAttributes(install + L"\\readme.txt", FILE_ATTRIBUTE_READONLY);
    Plant(HKEY_CLASSES_ROOT, L"Installer\\Products\\" + name, {Sz(L"ProductName", L"Road")});
    Plant(HKEY_CURRENT_USER, vendor);
    Plant(HKEY_CURRENT_USER, vendor + L"\\" + name, {Sz(L"A", L"1"), Sz(L"B", L"2")});
    Plant(HKEY_LOCAL_MACHINE, vendor);
    Plant(HKEY_LOCAL_MACHINE, vendor + L"\\" + name, {Sz(L"X", L"1")});
    const std::wstring command = L"\"" + Uninstaller() + L"\" uninstall \"" + install + L"\\app.exe\"";
    AddProgram(name, command, install);
    prompt_.answer = IDYES;

    const std::wstring hkcr = L"HKEY_CLASSES_ROOT\\Installer\\Products\\" + name;
    const std::wstring hkcu = L"HKEY_CURRENT_USER\\" + vendor + L"\\" + name;
    const std::wstring hklm = L"HKEY_LOCAL_MACHINE\\" + vendor + L"\\" + name;
    const std::wstring entry = L"HKEY_LOCAL_MACHINE\\" + std::wstring(kUninstall) + name;
    bool reviewed = false;
    varnook::SetModalDriver([&](HWND dialog) {
        auto* scan = dynamic_cast<TScanForm*>(TWindow::FromHandle(dialog));
        ASSERT_TRUE(scan);
        ASSERT_TRUE(WaitFor([&] { return scan->ScanCount() > 0 && !scan->Scanning(); }));
        EXPECT_EQ(SortedOutline(scan->tvScanRegInfo),
                  (std::vector<std::wstring>{hkcr, L"  " + hkcr + L"\\ProductName", hkcu, L"  " + hkcu + L"\\A",
                                             L"  " + hkcu + L"\\B", entry, L"  " + entry + L"\\DisplayName",
                                             L"  " + entry + L"\\InstallLocation", L"  " + entry + L"\\UninstallString",
                                             hklm, L"  " + hklm + L"\\X"}));
        std::vector<std::wstring> expected = {install,
                                              L"  " + install + L"\\data",
                                              L"    " + install + L"\\data\\db.dat",
                                              L"    " + install + L"\\data\\keep.dat",
                                              L"  " + install + L"\\junction",
                                              L"  " + install + L"\\logs",
                                              L"    " + install + L"\\logs\\a.log",
                                              L"    " + install + L"\\logs\\b.log",
                                              L"  " + install + L"\\readme.txt"};
        std::sort(expected.begin() + 1, expected.end());
        EXPECT_EQ(SortedOutline(scan->tvScanFiles), expected) << "the uninstaller took app.exe; .settings is hidden";

        PressNode(scan->tvScanRegInfo, FindNode(scan->tvScanRegInfo, hkcu + L"\\B"));
        PressNode(scan->tvScanRegInfo, FindNode(scan->tvScanRegInfo, hklm));
        PressNode(scan->tvScanFiles, FindNode(scan->tvScanFiles, install + L"\\data\\keep.dat"));
        scan->btnDeleteClick();
        scan->btnCancelClick();
        reviewed = true;
    });
    form_->ActionUninstallExecute();
    EXPECT_TRUE(WaitFor([&] { return reviewed && TWaitingThread::Running() == 0; }, 60000));
    varnook::SetModalDriver(nullptr);

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Installer\\Products\\" + name));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, vendor + L"\\" + name, L"A"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, vendor + L"\\" + name, L"B"));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, vendor + L"\\" + name, L"X"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstall + name));
    for (const wchar_t* gone : {L"\\app.exe", L"\\readme.txt", L"\\data\\db.dat", L"\\logs"})
        EXPECT_FALSE(Exists(install + gone)) << gone;
    for (const wchar_t* stays : {L"\\.settings", L"\\data\\keep.dat"})
        EXPECT_TRUE(Exists(install + stays)) << stays;
    EXPECT_TRUE(Exists(LinkFixture(L"outside\\canary.txt")));
    EXPECT_TRUE(Exists(LinkFixture(L"outside\\sub\\deep.txt")));

    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[0].text, kScanRemains);
    // Wine cannot remove the Unix link through the Win32 calls; it is reported, not passed over.
    EXPECT_EQ(prompt_.messages[1].text,
              Exists(install + L"\\junction")
                  ? L"1 of the ticked items could not be removed; they stay in the lists, marked with a cross."
                  : L"Clean Succeeded!");
}

TEST_F(UninstallTest, ScanLeavesTheFoldersOfOtherInstalledPrograms) {
    const std::wstring name = TestName();
    const std::wstring install = testsupport::FreshFolder(L"lo_others");
    for (const wchar_t* folder : {L"\\Plugin", L"\\Removed", L"\\Own"}) {
        MakeFolder(install + folder);
        WriteFile(install + folder + L"\\file.dat", 1);
    }
    // A program installed inside this one's folder, and one whose entry its uninstaller has removed.
    Plant(HKEY_LOCAL_MACHINE, kUninstall + name + L"_plugin",
          {Sz(L"DisplayName", L"Plugin"), Sz(L"UninstallString", L"x"), Sz(L"InstallLocation", install + L"\\Plugin")});
    Plant(
        HKEY_LOCAL_MACHINE, kUninstall + name + L"_removed",
        {Sz(L"DisplayName", L"Removed"), Sz(L"UninstallString", L"x"), Sz(L"InstallLocation", install + L"\\Removed")});
    AddProgram(name, L"unused", install);
    platform::DeleteTree(HKEY_LOCAL_MACHINE, kUninstall + name + L"_removed");
    prompt_.answer = IDYES;
    bool reviewed = false;
    varnook::SetModalDriver([&](HWND dialog) {
        auto* scan = dynamic_cast<TScanForm*>(TWindow::FromHandle(dialog));
        ASSERT_TRUE(scan);
        ASSERT_TRUE(WaitFor([&] { return scan->ScanCount() > 0 && !scan->Scanning(); }));
        auto& files = scan->tvScanFiles;
        EXPECT_EQ(StateOf(files, FindNode(files, install + L"\\Plugin")), varnook::kKept);
        EXPECT_EQ(StateOf(files, FindNode(files, install + L"\\Removed")), varnook::kTicked);
        EXPECT_EQ(StateOf(files, FindNode(files, install + L"\\Own")), varnook::kTicked);
        EXPECT_EQ(StateOf(files, FindNode(files, install)), varnook::kPartlyTicked);
        scan->btnCancelClick();
        reviewed = true;
    });
    form_->WMUninstallFinished(true);
    varnook::SetModalDriver(nullptr);
    EXPECT_TRUE(reviewed);
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, kScanRemains);
}

TEST_F(UninstallTest, ScreenSaverDeleteKeepsACopy) {
    const std::wstring system = platform::SystemDirectory();
    const std::wstring scrName = L"vnk_leftover_test.scr";
    const std::wstring scr = system + L"\\" + scrName;
    const std::wstring cache = system + L"\\dllcache\\" + scrName;
    const std::wstring backup = varnook::Globals().ScrBackupPath;
    CreateDirectoryW((system + L"\\dllcache").c_str(), nullptr);

    const struct {
        const char* title;
        int answer;
        const char* oldBackup;  // a backup of that name already there
        bool backupBlocked;     // "Back up" is a file, so no copy can be made
        const wchar_t* copy;    // where the copy is expected
    } cases[] = {
        {"first delete", IDYES, nullptr, false, L"vnk_leftover_test.scr"},
        {"name taken", IDYES, "older copy", false, L"vnk_leftover_test (2).scr"},
        {"no copy possible", IDYES, nullptr, true, nullptr},
        {"answered no", IDNO, nullptr, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        testsupport::RemoveFolder(varnook::Globals().AppPath + L"Back up");
        DeleteFileW((varnook::Globals().AppPath + L"Back up").c_str());
        if (c.backupBlocked)
            WriteFile(varnook::Globals().AppPath + L"Back up", 1);
        if (c.oldBackup) {
            SHCreateDirectoryExW(nullptr, backup.c_str(), nullptr);
            WriteText(backup + scrName, c.oldBackup);
        }
        WriteText(scr, "screen saver");
        WriteText(cache, "cached");
        form_->ProgramList.UpdateScrList();
        ULONG index = 0;
        const ULONG count = form_->ProgramList.ScrItemCount();
        while (index < count && form_->ProgramList.ScrName(index) != scrName)
            ++index;
        ASSERT_LT(index, count);
        Select(AddRow(L"[Screen Saver]" + scrName, system + L"\\", static_cast<LPARAM>(index)));
        prompt_.messages.clear();
        prompt_.answer = c.answer;

        form_->ActionDeleteScrExecute();

        ASSERT_GE(prompt_.messages.size(), 1u);
        EXPECT_EQ(prompt_.messages[0].text, kDeleteScr);
        if (c.copy) {
            EXPECT_EQ(FileContent(backup + c.copy), "screen saver");
            EXPECT_FALSE(Exists(scr));
            EXPECT_FALSE(Exists(cache));
            EXPECT_EQ(prompt_.messages.size(), 1u);
        } else {
            EXPECT_TRUE(Exists(scr));
            EXPECT_TRUE(Exists(cache));
        }
        if (c.oldBackup) {
            EXPECT_EQ(FileContent(backup + scrName), c.oldBackup);
        }
        if (c.backupBlocked) {
            ASSERT_EQ(prompt_.messages.size(), 2u);
            EXPECT_EQ(prompt_.messages[1].text,
                      L"The screen saver was not deleted: no copy of it could be made in " + backup + L".");
            EXPECT_EQ(prompt_.messages[1].flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
        }
        if (c.answer == IDNO) {
            EXPECT_EQ(prompt_.messages.size(), 1u);
            EXPECT_FALSE(Exists(backup + scrName));
        }
        DeleteFileW(scr.c_str());
        DeleteFileW(cache.c_str());
    }
    DeleteFileW((varnook::Globals().AppPath + L"Back up").c_str());
}

TEST_F(UninstallTest, CommentOfAtMost250Characters) {
    const std::wstring name = TestName();
    AddProgram(name, L"unused");
    const struct {
        const char* title;
        int typed;   // characters typed into the box
        bool ok;     // closed with OK (else Cancel)
        int stored;  // length of the stored comment, -1 for none
    } cases[] = {
        {"typed past the limit", 300, true, 250},
        {"cancelled", 10, false, -1},
        {"empty", 0, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        platform::DeleteValue(platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstall + name).get(), L"Comments");
        bool driven = false;
        varnook::SetModalDriver([&](HWND dialog) {
            auto* comment = dynamic_cast<varnook::TCommentForm*>(TWindow::FromHandle(dialog));
            ASSERT_TRUE(comment);
            EXPECT_EQ(comment->Text(), L"Add Comments");
            EXPECT_EQ(comment->lblProgramName.Text(), name + L" display");
            EXPECT_EQ(comment->lblTitle.Text(), L"Enter the comments: ( < 260 character)");
            EXPECT_EQ(comment->btnOk.Text(), L"OK");
            EXPECT_EQ(comment->btnCancel.Text(), L"Cancel");
            for (int i = 0; i < c.typed; ++i)
                SendMessageW(comment->txtComment.Handle(), WM_CHAR, L'a' + i % 26, 1);
            EXPECT_EQ(static_cast<int>(comment->txtComment.Text().size()), std::min(c.typed, 250));
            if (c.typed == 300)
                Screenshot(dialog, L"comment");
            (c.ok ? comment->btnOk : comment->btnCancel).Send(BM_CLICK);
            driven = true;
        });
        form_->ActionCommentExecute();
        varnook::SetModalDriver(nullptr);
        EXPECT_TRUE(driven);
        wchar_t stored[512] = {};
        DWORD size = sizeof stored;
        const LSTATUS status = RegGetValueW(HKEY_LOCAL_MACHINE, (kUninstall + name).c_str(), L"Comments", RRF_RT_REG_SZ,
                                            nullptr, stored, &size);
        if (c.stored < 0) {
            EXPECT_NE(status, ERROR_SUCCESS);
        } else {
            EXPECT_EQ(status, ERROR_SUCCESS);
            EXPECT_EQ(static_cast<int>(wcslen(stored)), c.stored);
        }
    }
    EXPECT_TRUE(prompt_.messages.empty());
}
