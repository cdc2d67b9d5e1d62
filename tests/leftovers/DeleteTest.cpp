#include "ScanFixture.h"

#include <algorithm>

using namespace leftovertest;
using testsupport::Dword;
using testsupport::Sz;
using testsupport::WriteFile;
using varnook::kFailed;
using varnook::kPartlyTicked;
using varnook::kTicked;
using varnook::kUnticked;
using varnook::TLeftoverTree;
using varnook::TScanForm;
using varnook::TScanTarget;

namespace {

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kCleanSucceeded[] = L"Clean Succeeded!";

TScanTarget Target(const std::wstring& name, const std::wstring& folder = {}) {
    TScanTarget target;
    target.name = name;
    target.folder = folder;
    return target;
}

std::vector<int> States(const TLeftoverTree& tree, std::initializer_list<HTREEITEM> items) {
    std::vector<int> states;
    for (const HTREEITEM item : items)
        states.push_back(StateOf(tree, item));
    return states;
}

std::wstring NotRemoved(int count) {
    return std::to_wstring(count) +
           L" of the ticked items could not be removed; they stay in the lists, marked with a cross.";
}

}  // namespace

TEST_F(LeftoverTest, TicksFollowPressesOnTheStatePictureOnly) {
    const std::wstring name = TestName();
    const std::wstring key = L"SOFTWARE\\VnkVendor_" + name + L"\\" + name;
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\VnkVendor_" + name);
    Plant(HKEY_CURRENT_USER, key, {Sz(L"a", L"1"), Sz(L"b", L"2"), Sz(L"c", L"3")});
    const std::wstring install = testsupport::FreshFolder(L"lo_ticks");
    MakeFolder(install + L"\\sub");
    MakeFolder(install + L"\\sub\\deeper");
    WriteFile(install + L"\\sub\\deeper\\one.txt", 1);
    WriteFile(install + L"\\sub\\deeper\\two.txt", 1);
    WriteFile(install + L"\\top.txt", 1);

    RunScan(Target(name, install), [&](TScanForm& scan) {
        auto& reg = scan.tvScanRegInfo;
        const std::wstring text = L"HKEY_CURRENT_USER\\" + key;
        const HTREEITEM k = FindNode(reg, text), a = FindNode(reg, text + L"\\a"), b = FindNode(reg, text + L"\\b"),
                        c = FindNode(reg, text + L"\\c");
        PressNode(reg, k);
        EXPECT_EQ(States(reg, {k, a, b, c}), (std::vector<int>{kUnticked, kUnticked, kUnticked, kUnticked}));
        PressNode(reg, b, WM_RBUTTONDOWN);
        EXPECT_EQ(States(reg, {k, a, b, c}), (std::vector<int>{kPartlyTicked, kUnticked, kTicked, kUnticked}));
        PressNode(reg, a, WM_MBUTTONDOWN);
        PressNode(reg, c);
        EXPECT_EQ(States(reg, {k, a, b, c}), (std::vector<int>{kTicked, kTicked, kTicked, kTicked}));
        // A press on the text changes nothing.
        PressNode(reg, k, WM_LBUTTONDOWN, true);
        PressNode(reg, a, WM_RBUTTONDOWN, true);
        EXPECT_EQ(States(reg, {k, a, b, c}), (std::vector<int>{kTicked, kTicked, kTicked, kTicked}));

        auto& files = scan.tvScanFiles;
        const HTREEITEM root = FindNode(files, install), sub = FindNode(files, install + L"\\sub"),
                        deeper = FindNode(files, install + L"\\sub\\deeper"),
                        one = FindNode(files, install + L"\\sub\\deeper\\one.txt");
        PressNode(files, one);
        EXPECT_EQ(States(files, {root, sub, deeper, one}),
                  (std::vector<int>{kPartlyTicked, kPartlyTicked, kPartlyTicked, kUnticked}));
        PressNode(reg, b);
        Screenshot(scan.Handle(), L"scan-remains");
        PressNode(files, sub);
        EXPECT_EQ(States(files, {root, sub, deeper, one}), (std::vector<int>{kTicked, kTicked, kTicked, kTicked}));
    });
}

TEST_F(LeftoverTest, RegistryDeletion) {
    const std::wstring name = TestName();
    const std::wstring vendor = L"SOFTWARE\\VnkVendor_" + name;
    const std::wstring other = L"SOFTWARE\\VnkOther_" + name;
    Plant(HKEY_CLASSES_ROOT, L"Installer\\Products\\" + name, {Sz(L"ProductName", L"Fixture")});
    Plant(HKEY_CURRENT_USER, vendor);
    Plant(HKEY_CURRENT_USER, vendor + L"\\" + name, {Sz(L"Path", L"x"), Dword(L"Count", 3), Sz(L"", L"d")});
    Plant(HKEY_CURRENT_USER, vendor + L"\\" + name + L"\\Sub\\" + name, {Sz(L"Inner", L"x")});
    // A value whose name holds a "\", beside a key and value that the same text would also name.
    Plant(HKEY_CURRENT_USER, other);
    Plant(HKEY_CURRENT_USER, other + L"\\" + name, {Sz(L"a\\b", L"x"), Sz(L"z", L"kept")});
    Plant(HKEY_CURRENT_USER, other + L"\\" + name + L"\\a", {Sz(L"b", L"decoy")});
    // A key without values, whose parent has a value of the same name and who has a subkey of its own.
    Plant(HKEY_LOCAL_MACHINE, vendor, {Sz(name, L"the parent's own value")});
    Plant(HKEY_LOCAL_MACHINE, vendor + L"\\" + name);
    Plant(HKEY_LOCAL_MACHINE, vendor + L"\\" + name + L"\\Child", {Sz(L"c", L"x")});
    Plant(HKEY_LOCAL_MACHINE, kUninstall + name, {Sz(L"DisplayName", L"Fixture")});

    RunScan(Target(name), [&](TScanForm& scan) {
        auto& reg = scan.tvScanRegInfo;
        const std::wstring hkcu = L"HKEY_CURRENT_USER\\" + vendor + L"\\" + name;
        const std::wstring slashed = L"HKEY_CURRENT_USER\\" + other + L"\\" + name;
        PressNode(reg, FindNode(reg, hkcu + L"\\Count"));
        PressNode(reg, FindNode(reg, hkcu + L"\\Sub\\" + name));
        PressNode(reg, FindNode(reg, slashed));
        PressNode(reg, FindNode(reg, slashed + L"\\a\\b"));
        scan.btnDeleteClick();

        const std::vector<std::wstring> left = {
            slashed,
            L"  " + slashed + L"\\z",
            hkcu,
            L"  " + hkcu + L"\\Count",
            hkcu + L"\\Sub\\" + name,
            L"  " + hkcu + L"\\Sub\\" + name + L"\\Inner",
        };
        EXPECT_EQ(SortedOutline(reg), left);
        EXPECT_EQ(scan.lblScanInfo.Text(), L"");
        EXPECT_FALSE(scan.Closed()) << "the dialog stays open after a deletion";
    });
    EXPECT_TRUE(prompt_.messages.empty()) << "no file tree, no message";

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Installer\\Products\\" + name));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, vendor + L"\\" + name, L"Count"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, vendor + L"\\" + name, L"Path"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, vendor + L"\\" + name, L""));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, vendor + L"\\" + name + L"\\Sub\\" + name, L"Inner"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, other + L"\\" + name, L"a\\b"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, other + L"\\" + name, L"z"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, other + L"\\" + name + L"\\a", L"b"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, vendor + L"\\" + name));
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, vendor, name)) << "an empty key is never taken for a value";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstall + name));
}

TEST_F(LeftoverTest, WholeInstallFolderGoesWithWhatTheScanDidNotList) {
    const TCanaryDirectory cwd(L"lo_cwd_whole");
    const std::wstring name = TestName();
    const std::wstring key = L"SOFTWARE\\VnkVendor_" + name + L"\\" + name;
    Plant(HKEY_CURRENT_USER, L"SOFTWARE\\VnkVendor_" + name);
    Plant(HKEY_CURRENT_USER, key, {Sz(L"kept", L"1"), Sz(L"gone", L"2")});
    const std::wstring install = testsupport::FreshFolder(L"lo_whole") + L"\\Program";
    MakeFolder(install);
    MakeFolder(install + L"\\.cache");
    WriteFile(install + L"\\.cache\\blob", 3);
    WriteFile(install + L"\\.dotfile", 3);
    WriteFile(install + L"\\readonly.txt", 3);
    SetAttributes(install + L"\\readonly.txt", FILE_ATTRIBUTE_READONLY);
    std::wstring deep = install;
    for (int level = 0; level < 12; ++level) {
        deep += L"\\a_rather_long_folder_name_" + std::to_wstring(level);
        MakeFolder(deep);
    }
    WriteFile(deep + L"\\deep.bin", 3);

    RunScan(Target(name, install), [&](TScanForm& scan) {
        auto& reg = scan.tvScanRegInfo;
        const std::wstring text = L"HKEY_CURRENT_USER\\" + key;
        PressNode(reg, FindNode(reg, text + L"\\kept"));
        scan.btnDeleteClick();
        EXPECT_TRUE(scan.tvScanFiles.Empty());
        // What is left stays as the user left it, and a second Delete takes none of it.
        EXPECT_EQ(Outline(reg), (std::vector<std::wstring>{text, L"  " + text + L"\\kept"}));
        EXPECT_EQ(States(reg, {FindNode(reg, text), FindNode(reg, text + L"\\kept")}),
                  (std::vector<int>{kUnticked, kUnticked}));
        scan.btnDeleteClick();
        EXPECT_EQ(Outline(reg), (std::vector<std::wstring>{text, L"  " + text + L"\\kept"}));
    });
    EXPECT_FALSE(Exists(install));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, key, L"kept"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, L"gone"));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, kCleanSucceeded);
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_OK));
}

TEST_F(LeftoverTest, PartlyTickedInstallFolder) {
    const std::wstring install = testsupport::FreshFolder(L"lo_partly");
    MakeFolder(install + L"\\bin");
    MakeFolder(install + L"\\data");
    MakeFolder(install + L"\\cache");
    WriteFile(install + L"\\keep.txt", 1);
    WriteFile(install + L"\\readonly.txt", 1);
    SetAttributes(install + L"\\readonly.txt", FILE_ATTRIBUTE_READONLY);
    WriteFile(install + L"\\.dot", 1);
    WriteFile(install + L"\\bin\\a.exe", 1);
    WriteFile(install + L"\\bin\\b.dll", 1);
    WriteFile(install + L"\\data\\db.dat", 1);
    WriteFile(install + L"\\data\\user.cfg", 1);

    RunScan(Target(TestName() + L"_no_keys", install), [&](TScanForm& scan) {
        auto& files = scan.tvScanFiles;
        PressNode(files, FindNode(files, install + L"\\keep.txt"));
        PressNode(files, FindNode(files, install + L"\\data\\user.cfg"));
        scan.btnDeleteClick();
        std::vector<std::wstring> left = Outline(files);
        std::vector<std::wstring> expected = {install, L"  " + install + L"\\data", L"  " + install + L"\\keep.txt",
                                              L"    " + install + L"\\data\\user.cfg"};
        std::sort(left.begin(), left.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(left, expected);
        // Nothing left is ticked, the install folder included, so a second Delete removes nothing.
        for (const auto node : varnook::PositionOrder(files))
            EXPECT_EQ(files.State(node), kUnticked);
        scan.btnDeleteClick();
        EXPECT_EQ(Outline(files).size(), expected.size());
    });
    for (const wchar_t* gone : {L"\\bin", L"\\readonly.txt", L"\\data\\db.dat", L"\\cache"})
        EXPECT_FALSE(Exists(install + gone)) << gone;
    for (const wchar_t* stays : {L"\\keep.txt", L"\\.dot", L"\\data\\user.cfg"})
        EXPECT_TRUE(Exists(install + stays)) << stays;
    ASSERT_EQ(prompt_.messages.size(), 2u) << "one message for each Delete";
    EXPECT_EQ(prompt_.messages[0].text, kCleanSucceeded);
}

TEST_F(LeftoverTest, WhatCannotBeRemovedStaysMarked) {
    const std::wstring install = testsupport::FreshFolder(L"lo_locked");
    MakeFolder(install + L"\\sub");
    WriteFile(install + L"\\sub\\locked.dat", 1);
    WriteFile(install + L"\\sub\\free.dat", 1);
    WriteFile(install + L"\\other.dat", 1);
    const std::wstring run = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    platform::CreateKey(HKEY_LOCAL_MACHINE, run);
    auto locked = std::make_unique<platform::TFileHandle>(CreateFileW(
        (install + L"\\sub\\locked.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(*locked);

    RunScan(Target(TestName() + L"_no_keys", install), [&](TScanForm& scan) {
        // A node the scan would never offer: the deletion refuses it all the same.
        varnook::TLeftoverNode shared;
        shared.text = L"HKEY_LOCAL_MACHINE\\" + run;
        shared.kind = varnook::TNodeKind::Key;
        shared.rootName = L"HKEY_LOCAL_MACHINE";
        shared.keyPath = run;
        const HTREEITEM refused = scan.tvScanRegInfo.Add(nullptr, shared);
        scan.btnDeleteClick();

        auto& files = scan.tvScanFiles;
        EXPECT_EQ(StateOf(scan.tvScanRegInfo, refused), kFailed);
        EXPECT_EQ(Outline(files), (std::vector<std::wstring>{install, L"  " + install + L"\\sub",
                                                             L"    " + install + L"\\sub\\locked.dat"}));
        for (const auto node : varnook::PositionOrder(files))
            EXPECT_EQ(files.State(node), kFailed);
        Screenshot(scan.Handle(), L"scan-remains-failed");

        // Once the file is free, ticking the folder again and deleting takes the rest.
        locked.reset();
        PressNode(files, FindNode(files, install));
        scan.btnDeleteClick();
        EXPECT_TRUE(files.Empty());
    });
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, run));
    EXPECT_FALSE(Exists(install));
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[0].text, NotRemoved(4));
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(prompt_.messages[1].text, kCleanSucceeded);
}

TEST_F(LeftoverTest, LinksInTheInstallFolderAreNeverFollowed) {
    const TCanaryDirectory cwd(L"lo_cwd_links");
    const std::wstring install = LinkFixture(L"linked");
    ASSERT_TRUE(Exists(install + L"\\junction")) << "make-links.sh has not built the fixture";
    WriteFile(install + L"\\own.dat", 1);
    RunScan(Target(TestName() + L"_no_keys", install), [&](TScanForm& scan) {
        scan.btnDeleteClick();
        // Wine cannot remove a Unix link through the Win32 calls: there it stays, marked, with its folder.
        const bool linkStayed = Exists(install + L"\\junction");
        EXPECT_EQ(!scan.tvScanFiles.Empty(), linkStayed);
        if (linkStayed) {
            EXPECT_EQ(Outline(scan.tvScanFiles), (std::vector<std::wstring>{install, L"  " + install + L"\\junction"}));
        }
    });
    EXPECT_FALSE(Exists(install + L"\\own.dat"));
    EXPECT_TRUE(Exists(LinkFixture(L"outside\\canary.txt")));
    EXPECT_TRUE(Exists(LinkFixture(L"outside\\sub\\deep.txt")));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, Exists(install) ? NotRemoved(2) : kCleanSucceeded);
}
