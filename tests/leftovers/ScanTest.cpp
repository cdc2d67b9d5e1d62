#include "ScanFixture.h"

#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Modal.h"

#include <shlobj.h>

#include <algorithm>

using namespace leftovertest;
using testsupport::Dword;
using testsupport::Sz;
using varnook::TScanForm;
using varnook::TScanTarget;

namespace {

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towupper(c));
    return text;
}

TScanTarget Target(const std::wstring& name, const std::wstring& folder = {},
                   std::vector<std::wstring> otherPrograms = {}) {
    TScanTarget target;
    target.name = name;
    target.folder = folder;
    target.otherPrograms = std::move(otherPrograms);
    return target;
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The user's Temp folder, made when the prefix has none yet.
std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    std::wstring folder = path;
    if (folder.ends_with(L'\\'))
        folder.pop_back();
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST_F(LeftoverTest, RegistryMatchesOfEveryWalkInOrder) {
    const std::wstring name = TestName();
    const std::wstring vendor = L"SOFTWARE\\VnkVendor_" + name;
    Plant(HKEY_CLASSES_ROOT, L"Installer\\Products\\" + name, {Sz(L"ProductName", L"Fixture")});
    Plant(HKEY_CURRENT_USER, vendor);
    Plant(HKEY_CURRENT_USER, vendor + L"\\" + name, {Sz(L"Path", L"C:\\x"), Dword(L"Count", 3), Sz(L"", L"d")});
    Plant(HKEY_CURRENT_USER, vendor + L"\\" + name + L"\\Sub\\" + name, {Sz(L"Inner", L"x")});
    // Another letter case is another name.
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\VnkCase_" + name + L"\\" + Lower(name), {Sz(L"x", L"y")});
    Plant(HKEY_LOCAL_MACHINE, vendor);
    Plant(HKEY_LOCAL_MACHINE, vendor + L"\\" + name);
    Plant(HKEY_LOCAL_MACHINE, kUninstall + name, {Sz(L"DisplayName", L"Fixture")});
    // Keys that are never entered.
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\VnkHidden_" + name + L"\\" + name, {Sz(L"a", L"b")});
    Plant(HKEY_LOCAL_MACHINE,
          L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide\\VnkHidden_" + name + L"\\" + name);
    Plant(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\VnkHidden_" + name + L"\\" + name);

    RunScan(Target(name), [&](TScanForm& scan) {
        const std::wstring hkcu = L"HKEY_CURRENT_USER\\" + vendor + L"\\" + name;
        const std::wstring uninstall = L"HKEY_LOCAL_MACHINE\\" + std::wstring(kUninstall) + name;
        // Values in the registry's order, whatever that is; the unnamed one gives a text ending in "\\".
        const std::vector<std::wstring> expected = {
            L"HKEY_CLASSES_ROOT\\Installer\\Products\\" + name,
            L"  HKEY_CLASSES_ROOT\\Installer\\Products\\" + name + L"\\ProductName",
            hkcu,
            L"  " + hkcu + L"\\",
            L"  " + hkcu + L"\\Count",
            L"  " + hkcu + L"\\Path",
            hkcu + L"\\Sub\\" + name,
            L"  " + hkcu + L"\\Sub\\" + name + L"\\Inner",
            L"HKEY_LOCAL_MACHINE\\" + vendor + L"\\" + name,
            uninstall,
            L"  " + uninstall + L"\\DisplayName",
        };
        std::vector<std::wstring> outline = Outline(scan.tvScanRegInfo);
        ASSERT_EQ(outline.size(), expected.size());
        std::sort(outline.begin() + 3, outline.begin() + 6);
        EXPECT_EQ(outline, expected);
        for (const auto node : varnook::PositionOrder(scan.tvScanRegInfo))
            EXPECT_EQ(scan.tvScanRegInfo.State(node), varnook::kTicked);
        EXPECT_TRUE(scan.tvScanFiles.Empty());

        // The texts of the dialog; the buttons work once the scan is over; the label keeps the last key.
        EXPECT_EQ(scan.Text(), L"Scan Remains");
        EXPECT_EQ(scan.lblScaning.Text(), L"Scaning:");
        // As read back from the language file written at the first start, the blank at the end kept.
        EXPECT_EQ(scan.lblRegInfoLeft.Text(), L"Unnecessary register info left: ");
        EXPECT_EQ(scan.lblFileLeft.Text(), L"Unnecessary program files left: ");
        EXPECT_EQ(scan.btnDelete.Text(), L"Delete");
        EXPECT_EQ(scan.btnCancel.Text(), L"Cancel");
        EXPECT_TRUE(scan.btnDelete.Enabled());
        EXPECT_TRUE(scan.btnCancel.Enabled());
        EXPECT_TRUE(IsWindowEnabled(scan.Handle()));
        EXPECT_TRUE(scan.lblScanInfo.Text().starts_with(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"))
            << scan.lblScanInfo.Text();
        EXPECT_FALSE(scan.Closed());
    });
    EXPECT_TRUE(prompt_.messages.empty());
}

TEST_F(LeftoverTest, SharedKeysAreNeverOffered) {
    // Names of keys that every program shares; a program of that name still gets its own keys found.
    platform::CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    platform::CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
    const std::wstring vendor = L"SOFTWARE\\VnkVendor_" + TestName();
    Plant(HKEY_CURRENT_USER, vendor);
    for (const wchar_t* name : {L"Run", L"CurrentVersion", L"Microsoft", L"Uninstall", L"Windows"}) {
        Plant(HKEY_CURRENT_USER, vendor + L"\\" + name, {Sz(L"v", L"x")});
        RunScan(Target(name), [&](TScanForm& scan) {
            EXPECT_TRUE(FindNode(scan.tvScanRegInfo, L"HKEY_CURRENT_USER\\" + vendor + L"\\" + name)) << name;
            for (const auto node : varnook::PositionOrder(scan.tvScanRegInfo)) {
                const auto& leftover = scan.tvScanRegInfo.Node(varnook::TLeftoverTree::Item(node));
                EXPECT_FALSE(varnook::IsProtectedKey(leftover.keyPath)) << leftover.text;
            }
        });
    }
}

TEST_F(LeftoverTest, InstallFolderTree) {
    const std::wstring install = LinkFixture(L"scan");
    ASSERT_TRUE(Exists(install + L"\\junction")) << "make-links.sh has not built the fixture";
    MakeFolder(install + L"\\bin");
    MakeFolder(install + L"\\bin\\data");
    MakeFolder(install + L"\\.git");
    testsupport::WriteFile(install + L"\\readme.txt", 4);
    testsupport::WriteFile(install + L"\\.settings", 4);
    testsupport::WriteFile(install + L"\\.git\\config", 4);
    testsupport::WriteFile(install + L"\\hidden.ini", 4);
    SetAttributes(install + L"\\hidden.ini", FILE_ATTRIBUTE_HIDDEN);
    testsupport::WriteFile(install + L"\\system.dll", 4);
    SetAttributes(install + L"\\system.dll", FILE_ATTRIBUTE_SYSTEM);
    testsupport::WriteFile(install + L"\\bin\\app.exe", 4);
    testsupport::WriteFile(install + L"\\bin\\data\\x.dat", 4);
    std::wstring deep = install + L"\\bin\\data";
    for (int level = 0; level < 12; ++level) {
        deep += L"\\a_rather_long_folder_name_" + std::to_wstring(level);
        MakeFolder(deep);
    }
    testsupport::WriteFile(deep + L"\\deep.bin", 4);
    ASSERT_GT(deep.size(), 300u);

    // The top node is the folder exactly as the program list shows it.
    RunScan(Target(TestName() + L"_nothing_in_the_registry", install + L"\\"), [&](TScanForm& scan) {
        auto& files = scan.tvScanFiles;
        const auto root = varnook::TLeftoverTree::Item(files.FirstRoot());
        ASSERT_TRUE(root);
        EXPECT_EQ(files.ItemText(root), install + L"\\");
        EXPECT_FALSE(files.NextSibling(files.FirstRoot()));
        std::vector<std::wstring> children;
        for (auto child = files.FirstChild(files.FirstRoot()); child; child = files.NextSibling(child))
            children.push_back(files.ItemText(varnook::TLeftoverTree::Item(child)));
        std::sort(children.begin(), children.end());
        const std::vector<std::wstring> expected = {install + L"\\bin", install + L"\\hidden.ini",
                                                    install + L"\\junction", install + L"\\readme.txt",
                                                    install + L"\\system.dll"};
        EXPECT_EQ(children, expected);
        // The link is an entry of its own, never entered; folders hold their contents.
        const HTREEITEM junction = FindNode(files, install + L"\\junction");
        EXPECT_FALSE(files.FirstChild(varnook::TLeftoverTree::NodeOf(junction)));
        EXPECT_EQ(files.Node(junction).kind, varnook::TNodeKind::Link);
        const HTREEITEM deepFile = FindNode(files, deep + L"\\deep.bin");
        ASSERT_TRUE(deepFile);
        EXPECT_EQ(files.ItemText(varnook::TLeftoverTree::Item(files.Parent(varnook::TLeftoverTree::NodeOf(deepFile)))),
                  deep);
        EXPECT_TRUE(FindNode(files, install + L"\\bin\\app.exe"));
        EXPECT_FALSE(FindNode(files, install + L"\\.settings"));
        EXPECT_FALSE(FindNode(files, install + L"\\.git"));
        EXPECT_FALSE(FindNode(files, install + L"\\.git\\config"));
        EXPECT_FALSE(FindNode(files, LinkFixture(L"outside\\canary.txt")));
        for (const auto node : varnook::PositionOrder(files))
            EXPECT_EQ(files.State(node), varnook::kTicked);
        EXPECT_TRUE(scan.tvScanRegInfo.Empty());
    });
}

TEST_F(LeftoverTest, FoldersOfTheSystemAreProtected) {
    const std::wstring app = varnook::Globals().AppPath;
    const varnook::TFolderGuard guard(varnook::SystemProtectedFolders(app), {L"C:\\VarnookTests\\lo_guard\\Other"});
    const std::wstring folders[] = {
        L"C:",
        L"C:\\",
        L"C:\\windows",
        L"C:\\windows\\system32",
        L"C:\\windows\\temp",
        L"C:\\Program Files",
        L"C:\\Program Files\\Common Files",
        L"C:\\Program Files (x86)",
        L"C:\\Program Files (x86)\\Common Files",
        L"C:\\ProgramData",
        L"C:\\users",
        L"C:\\users\\Public",
        ShellFolder(CSIDL_PROFILE),
        ShellFolder(CSIDL_DESKTOPDIRECTORY),
        ShellFolder(CSIDL_PERSONAL),
        ShellFolder(CSIDL_MYMUSIC),
        ShellFolder(CSIDL_MYPICTURES),
        ShellFolder(CSIDL_MYVIDEO),
        ShellFolder(CSIDL_PROFILE) + L"\\Downloads",
        ShellFolder(CSIDL_APPDATA),
        ShellFolder(CSIDL_LOCAL_APPDATA),
        ShellFolder(CSIDL_PROFILE) + L"\\AppData\\LocalLow",
        TempFolder(),
        ShellFolder(CSIDL_STARTMENU),
        ShellFolder(CSIDL_PROGRAMS),
        ShellFolder(CSIDL_STARTUP),
        ShellFolder(CSIDL_COMMON_STARTMENU),
        app,
        app + L"Skins",
    };
    for (const std::wstring& folder : folders) {
        EXPECT_EQ(guard.Check(folder), varnook::TFolderGuard::TVerdict::Protected) << folder;
        EXPECT_FALSE(guard.MayDeleteWhole(folder)) << folder;
    }

    const std::wstring free = testsupport::FreshFolder(L"lo_guard");
    EXPECT_EQ(guard.Check(free), varnook::TFolderGuard::TVerdict::Free);
    EXPECT_EQ(guard.Check(free + L"\\other\\"), varnook::TFolderGuard::TVerdict::OtherProgram);
    EXPECT_FALSE(guard.MayDeleteWhole(free)) << "it holds another program's folder";
    EXPECT_TRUE(guard.MayDeleteWhole(free + L"\\Own"));
    // A link is judged by where it leads.
    ASSERT_TRUE(Exists(LinkFixture(L"rootlink"))) << "make-links.sh has not built the fixture";
    EXPECT_EQ(guard.Check(LinkFixture(L"rootlink")), varnook::TFolderGuard::TVerdict::Free);
    const varnook::TFolderGuard linked(varnook::SystemProtectedFolders(app), {LinkFixture(L"outside")});
    EXPECT_EQ(linked.Check(LinkFixture(L"rootlink")), varnook::TFolderGuard::TVerdict::OtherProgram);
}

TEST_F(LeftoverTest, ProtectedInstallFoldersGiveNoFileTree) {
    const std::wstring folders[] = {L"C:", L"C:\\windows", varnook::Globals().AppPath, ShellFolder(CSIDL_PROFILE),
                                    L"C:\\windows\\system32"};
    for (const std::wstring& folder : folders) {
        ASSERT_TRUE(Exists(folder)) << folder;
        prompt_.messages.clear();
        RunScan(Target(TestName() + L"_no_keys", folder), [&](TScanForm& scan) {
            EXPECT_TRUE(scan.tvScanFiles.Empty()) << folder;
            EXPECT_TRUE(scan.Closed()) << folder;
        });
        ASSERT_EQ(prompt_.messages.size(), 1u) << folder;
        const std::wstring nothing = L"No files or registry keys left!";
        // Below a \Windows\ segment a folder is passed over without a word, as always.
        if (Upper(folder).find(L"\\WINDOWS\\") == std::wstring::npos)
            EXPECT_EQ(prompt_.messages[0].text,
                      nothing + L"\r\n" + folder + L" is a protected folder: its files are not listed.");
        else
            EXPECT_EQ(prompt_.messages[0].text, nothing);
        EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_OK));
    }
}

TEST_F(LeftoverTest, OtherProgramsFoldersStayOutOfTheTree) {
    const std::wstring name = TestName();
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\VnkVendor_" + name + L"\\" + name, {Sz(L"v", L"x")});
    const std::wstring suite = testsupport::FreshFolder(L"lo_shared") + L"\\Suite";
    MakeFolder(suite);
    MakeFolder(suite + L"\\Addon");
    MakeFolder(suite + L"\\Own");
    testsupport::WriteFile(suite + L"\\Addon\\addon.dll", 3);
    testsupport::WriteFile(suite + L"\\Own\\own.dll", 3);
    testsupport::WriteFile(suite + L"\\suite.exe", 3);

    RunScan(Target(name, suite, {L"c:\\varnooktests\\LO_SHARED\\suite\\addon\\", L"D:\\Elsewhere"}),
            [&](TScanForm& scan) {
                auto& files = scan.tvScanFiles;
                const HTREEITEM addon = FindNode(files, suite + L"\\Addon");
                ASSERT_TRUE(addon);
                EXPECT_EQ(StateOf(files, addon), varnook::kKept);
                EXPECT_FALSE(files.FirstChild(varnook::TLeftoverTree::NodeOf(addon)));
                EXPECT_FALSE(FindNode(files, suite + L"\\Addon\\addon.dll"));
                const HTREEITEM root = FindNode(files, suite);
                EXPECT_EQ(StateOf(files, root), varnook::kPartlyTicked);
                EXPECT_TRUE(files.Node(root).holdsKept);
                EXPECT_EQ(StateOf(files, FindNode(files, suite + L"\\Own\\own.dll")), varnook::kTicked);

                // Only the folder's own contents go, one by one; the other program's folder stays whole.
                scan.btnDeleteClick();
                EXPECT_EQ(Outline(files), (std::vector<std::wstring>{suite, L"  " + suite + L"\\Addon"}));
            });
    EXPECT_TRUE(Exists(suite + L"\\Addon\\addon.dll"));
    EXPECT_FALSE(Exists(suite + L"\\Own"));
    EXPECT_FALSE(Exists(suite + L"\\suite.exe"));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Clean Succeeded!");

    // The folder of another program itself gives no tree.
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\VnkVendor_" + name + L"\\" + name, {Sz(L"v", L"x")});
    prompt_.messages.clear();
    RunScan(Target(name, suite, {suite}), [&](TScanForm& scan) {
        EXPECT_TRUE(scan.tvScanFiles.Empty());
        EXPECT_FALSE(scan.tvScanRegInfo.Empty());
        EXPECT_EQ(scan.lblScanInfo.Text(),
                  suite + L" is the folder of another listed program: its files are not listed.");
    });
    EXPECT_TRUE(prompt_.messages.empty());
    testsupport::RemoveFolder(suite);
}

// What a timer of the test saw while the scan handled its messages.
struct TScanProbe {
    static inline TScanForm* scan = nullptr;
    static inline std::vector<std::pair<bool, bool>> seen;  // dialog enabled, Delete enabled

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (scan && scan->Scanning())
            seen.emplace_back(IsWindowEnabled(scan->Handle()), scan->btnDelete.Enabled());
    }
};

TEST_F(LeftoverTest, OneScanPerDialogWithTheDialogDisabled) {
    const std::wstring name = TestName();
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\VnkVendor_" + name + L"\\" + name, {Sz(L"v", L"x")});
    TScanForm scan;
    scan.ReadTarget = [&] { return Target(name); };
    scan.Create(form_->Handle());
    TScanProbe::scan = &scan;
    TScanProbe::seen.clear();
    // A tick of the start timer that arrives while the scan runs.
    PostMessageW(scan.Handle(), WM_TIMER, TScanForm::kTimerStartScan, 0);
    const UINT_PTR probe = SetTimer(nullptr, 0, 1, TScanProbe::Tick);
    varnook::SetModalDriver([&](HWND) {
        EXPECT_EQ(scan.ScanCount(), 0) << "the scan waits for its timer";
        const DWORD shown = GetTickCount();
        EXPECT_TRUE(WaitFor([&] { return scan.ScanCount() > 0 && !scan.Scanning(); }));
        EXPECT_GE(GetTickCount() - shown, 150u);
        scan.StartScan();
        EXPECT_EQ(scan.ScanCount(), 1);
        EXPECT_TRUE(IsWindowEnabled(scan.Handle()));
        scan.Close();
    });
    scan.ShowModal();
    varnook::SetModalDriver(nullptr);
    KillTimer(nullptr, probe);
    TScanProbe::scan = nullptr;
    ASSERT_FALSE(TScanProbe::seen.empty()) << "the scan handles messages as it goes";
    for (const auto& [dialogEnabled, deleteEnabled] : TScanProbe::seen) {
        EXPECT_FALSE(dialogEnabled);
        EXPECT_FALSE(deleteEnabled);
    }
}

TEST_F(LeftoverTest, NothingFoundEndsWithTheMessage) {
    RunScan(Target(TestName() + L"_found_nowhere", L"C:\\VarnookTests\\no such folder"), [&](TScanForm& scan) {
        EXPECT_TRUE(scan.Closed());
        EXPECT_TRUE(scan.tvScanRegInfo.Empty());
        EXPECT_TRUE(scan.tvScanFiles.Empty());
        EXPECT_FALSE(scan.btnDelete.Enabled());
    });
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"No files or registry keys left!");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_OK));

    // No target at all (no row selected, no name): the same.
    prompt_.messages.clear();
    RunScan(TScanTarget{}, [&](TScanForm& scan) { EXPECT_TRUE(scan.Closed()); });
    EXPECT_EQ(prompt_.messages.size(), 1u);
}
