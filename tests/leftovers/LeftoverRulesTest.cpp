#include "gui/leftovers/LeftoverRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varnook;

namespace {

// A tree in memory; node n is index n - 1.
class TMemTree : public TTickTree {
public:
    TNode Add(TNode parent, int state = kTicked) {
        nodes_.push_back({parent, state});
        return nodes_.size();
    }
    TNode FirstRoot() const override { return Next(0, 0); }
    TNode Parent(TNode node) const override { return nodes_[node - 1].parent; }
    TNode FirstChild(TNode node) const override { return Next(node, 0); }
    TNode NextSibling(TNode node) const override { return Next(Parent(node), node); }
    int State(TNode node) const override { return nodes_[node - 1].state; }
    void SetState(TNode node, int state) override { nodes_[node - 1].state = state; }

private:
    // The first node after `after` whose parent is `parent` (nodes are added parents first).
    TNode Next(TNode parent, TNode after) const {
        for (TNode node = after + 1; node <= nodes_.size(); ++node) {
            if (nodes_[node - 1].parent == parent)
                return node;
        }
        return 0;
    }
    struct TMemNode {
        TNode parent;
        int state;
    };
    std::vector<TMemNode> nodes_;
};

using TStates = std::vector<int>;

TStates States(const TMemTree& tree, std::initializer_list<TTickTree::TNode> nodes) {
    TStates states;
    for (const auto node : nodes)
        states.push_back(tree.State(node));
    return states;
}

}  // namespace

TEST(TickRules, KeyBoxTakesItsValuesAlong) {
    TMemTree tree;
    const auto key = tree.Add(0);
    const auto a = tree.Add(key), b = tree.Add(key), c = tree.Add(key);
    const auto other = tree.Add(0);

    ToggleNodeCheck(tree, key);
    EXPECT_EQ(States(tree, {key, a, b, c, other}), (TStates{kUnticked, kUnticked, kUnticked, kUnticked, kTicked}));
    ToggleNodeCheck(tree, b);
    EXPECT_EQ(States(tree, {key, a, b, c}), (TStates{kPartlyTicked, kUnticked, kTicked, kUnticked}));
    ToggleNodeCheck(tree, a);
    ToggleNodeCheck(tree, c);
    EXPECT_EQ(States(tree, {key, a, b, c}), (TStates{kTicked, kTicked, kTicked, kTicked}));
}

TEST(TickRules, PartlyTickedFolderHoldsItsAncestorsPartlyTicked) {
    TMemTree tree;
    const auto install = tree.Add(0);
    const auto sub = tree.Add(install);
    const auto deeper = tree.Add(sub);
    const auto file1 = tree.Add(deeper), file2 = tree.Add(deeper);

    ToggleNodeCheck(tree, file1);
    EXPECT_EQ(States(tree, {install, sub, deeper, file1, file2}),
              (TStates{kPartlyTicked, kPartlyTicked, kPartlyTicked, kUnticked, kTicked}));

    // A click on a partly ticked box ticks it with everything below it.
    ToggleNodeCheck(tree, sub);
    EXPECT_EQ(States(tree, {install, sub, deeper, file1, file2}),
              (TStates{kTicked, kTicked, kTicked, kTicked, kTicked}));
}

TEST(TickRules, SettledTreeClaimsNoMoreThanIsLeft) {
    TMemTree tree;
    const auto install = tree.Add(0, kPartlyTicked);
    const auto data = tree.Add(install, kPartlyTicked);
    const auto kept = tree.Add(data, kUnticked);
    const auto failedFolder = tree.Add(install, kFailed);
    const auto inFailed = tree.Add(failedFolder, kUnticked);
    const auto key = tree.Add(0, kPartlyTicked);
    const auto failedValue = tree.Add(key, kFailed);

    SettleParentChecks(tree);
    EXPECT_EQ(States(tree, {install, data, kept, failedFolder, inFailed, key, failedValue}),
              (TStates{kUnticked, kUnticked, kUnticked, kFailed, kUnticked, kUnticked, kFailed}));
}

TEST(TickRules, EachStateTogglesTo) {
    const struct {
        int before, after;
    } cases[] = {
        {kUnticked, kTicked}, {kTicked, kUnticked}, {kPartlyTicked, kTicked}, {kFailed, kTicked}, {kKept, kKept},
    };
    for (const auto& c : cases) {
        TMemTree tree;
        const auto node = tree.Add(0, c.before);
        ToggleNodeCheck(tree, node);
        EXPECT_EQ(tree.State(node), c.after) << "from " << c.before;
    }
    TMemTree empty;
    ToggleNodeCheck(empty, 0);
}

TEST(TickRules, ParentStateFromItsChildren) {
    const struct {
        std::vector<int> children;
        int parent;
    } cases[] = {
        {{kUnticked, kUnticked}, kUnticked},   {{kTicked, kTicked}, kTicked},
        {{kTicked, kUnticked}, kPartlyTicked}, {{kPartlyTicked, kUnticked}, kPartlyTicked},
        {{kPartlyTicked}, kPartlyTicked},      {{kFailed, kUnticked}, kUnticked},
        {{kTicked, kFailed}, kPartlyTicked},   {{kKept}, kUnticked},
        {{kKept, kTicked}, kPartlyTicked},
    };
    for (const auto& c : cases) {
        TMemTree tree;
        const auto root = tree.Add(0, kTicked);
        const auto parent = tree.Add(root, kTicked);
        for (const int state : c.children)
            tree.Add(parent, state);
        UpdateParentCheck(tree, parent);
        EXPECT_EQ(tree.State(parent), c.parent);
        EXPECT_EQ(tree.State(root), c.parent) << "the update goes on up";
    }
}

TEST(TickRules, KeptNodesNeverTickAndHoldTheirAncestorsBack) {
    TMemTree tree;
    const auto install = tree.Add(0);
    const auto shared = tree.Add(install);
    const auto other = tree.Add(shared, kKept);
    const auto own = tree.Add(shared);
    const auto file = tree.Add(install);
    UpdateParentCheck(tree, shared);
    EXPECT_EQ(States(tree, {install, shared, other, own, file}),
              (TStates{kPartlyTicked, kPartlyTicked, kKept, kTicked, kTicked}));

    // Everything that can be ticked is: a click clears the node instead of leaving it as it was.
    ToggleNodeCheck(tree, install);
    EXPECT_EQ(States(tree, {install, shared, other, own, file}),
              (TStates{kUnticked, kUnticked, kKept, kUnticked, kUnticked}));
    ToggleNodeCheck(tree, install);
    EXPECT_EQ(States(tree, {install, shared, other, own, file}),
              (TStates{kPartlyTicked, kPartlyTicked, kKept, kTicked, kTicked}));

    // A folder holding nothing but a kept node cannot be ticked.
    TMemTree lone;
    const auto folder = lone.Add(0, kUnticked);
    lone.Add(folder, kKept);
    ToggleNodeCheck(lone, folder);
    EXPECT_EQ(lone.State(folder), kUnticked);
}

TEST(TickRules, PositionOrderIsDepthFirst) {
    TMemTree tree;
    const auto a = tree.Add(0);
    const auto b = tree.Add(0);
    const auto a1 = tree.Add(a);
    const auto a2 = tree.Add(a);
    const auto a11 = tree.Add(a1);
    const auto b1 = tree.Add(b);
    EXPECT_EQ(PositionOrder(tree), (std::vector<TTickTree::TNode>{a, a1, a11, a2, b, b1}));
    EXPECT_TRUE(PositionOrder(TMemTree()).empty());
}

TEST(RegistryRules, WalksAndKeysNeverEntered) {
    const auto walks = RegistryWalks();
    ASSERT_EQ(walks.size(), 4u);
    const std::pair<std::wstring, std::wstring> expected[] = {
        {L"HKEY_CLASSES_ROOT", L"Installer\\Products"},
        {L"HKEY_CURRENT_USER", L"SOFTWARE"},
        {L"HKEY_LOCAL_MACHINE", L"SOFTWARE"},
        {L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Microsoft\\Windows"},
    };
    for (size_t i = 0; i < walks.size(); ++i) {
        EXPECT_EQ(walks[i].rootName, expected[i].first);
        EXPECT_EQ(walks[i].startKey, expected[i].second);
    }

    for (const wchar_t* key :
         {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components",
          L"SOFTWARE\\Classes", L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide", L"SOFTWARE\\Microsoft"})
        EXPECT_TRUE(IsKeyNeverEntered(key)) << key;
    // Exact and case-sensitive.
    for (const wchar_t* key : {L"SOFTWARE\\microsoft", L"SOFTWARE\\Microsoft\\", L"SOFTWARE\\Microsoft\\Windows",
                               L"Software\\Classes", L"SOFTWARE"})
        EXPECT_FALSE(IsKeyNeverEntered(key)) << key;
}

TEST(RegistryRules, EveryProtectedKey) {
    const wchar_t* listed[] = {
        L"",
        L"SOFTWARE",
        L"SOFTWARE\\Microsoft",
        L"SOFTWARE\\Microsoft\\Windows",
        L"Installer",
        L"Installer\\Products",
        L"SOFTWARE\\Classes",
        L"SOFTWARE\\Policies",
        L"SOFTWARE\\Wow6432Node",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
        // Direct children of SOFTWARE\Microsoft\Windows and of its CurrentVersion.
        L"SOFTWARE\\Microsoft\\Windows\\Shell",
        L"SOFTWARE\\Microsoft\\Windows\\AnythingElse",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs",
    };
    for (const std::wstring key : listed) {
        EXPECT_TRUE(IsProtectedKey(key)) << key;
        // Registry names compare without regard to case; separators at the ends do not count.
        std::wstring lower = key;
        for (wchar_t& c : lower)
            c = static_cast<wchar_t>(towlower(c));
        EXPECT_TRUE(IsProtectedKey(lower)) << lower;
        EXPECT_TRUE(IsProtectedKey(L"\\" + key + L"\\")) << key;
        // The same keys in the 32-bit view and through a hive's classes.
        if (key.starts_with(L"SOFTWARE\\")) {
            EXPECT_TRUE(IsProtectedKey(L"SOFTWARE\\Wow6432Node\\" + key.substr(9))) << key;
        }
        EXPECT_TRUE(IsProtectedKey(L"SOFTWARE\\Classes\\" + key)) << key;
    }

    const wchar_t* free[] = {
        L"SOFTWARE\\Vendor",
        L"SOFTWARE\\Vendor\\CurrentVersion",
        L"SOFTWARE\\Vendor\\Microsoft",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Program",
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Program",
        L"SOFTWARE\\Microsoft\\Windows\\Shell\\Program",
        L"SOFTWARE\\Microsoft\\Windows NT",
        L"SOFTWARE\\Microsoft\\Office",
        L"SOFTWARE\\Wow6432Node\\Vendor",
        L"SOFTWARE\\Classes\\Installer\\Products\\ABCDEF",
        L"Installer\\Products\\ABCDEF",
        L"Installer\\Features",
        L"SOFTWAREX",
        L"Run",
        L"CurrentVersion",
        L"Microsoft",
    };
    for (const wchar_t* key : free)
        EXPECT_FALSE(IsProtectedKey(key)) << key;
}

TEST(FolderRules, FolderKeyNormalises) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\Program Files\\App\\", L"C:\\PROGRAM FILES\\APP"},
        {L"c:/program files//app", L"C:\\PROGRAM FILES\\APP"},
        {L"C:\\Program Files\\App\\..\\Other\\.\\x", L"C:\\PROGRAM FILES\\OTHER\\X"},
        {L"C:\\..\\..\\Windows", L"C:\\WINDOWS"},
        {L"C:\\Windows.\\System32 . ", L"C:\\WINDOWS\\SYSTEM32"},
        {L"C:", L"C:"},
        {L"C:\\", L"C:"},
        {L"\\\\?\\C:\\Tools", L"C:\\TOOLS"},
        {L"\\\\.\\C:\\Tools", L"C:\\TOOLS"},
        {L"\\\\?\\UNC\\server\\share\\dir", L"\\\\SERVER\\SHARE\\DIR"},
        {L"\\\\server\\share\\", L"\\\\SERVER\\SHARE"},
        {L"", L""},
        {L"uninst", L""},
        {L"C:folder", L""},
        {L"\\folder", L""},
        {L"\\\\server", L""},
        {L"\\\\server\\", L""},
        {L"1:\\x", L""},
    };
    for (const auto& [path, key] : cases)
        EXPECT_EQ(FolderKey(path), key) << path;
}

TEST(FolderRules, SameOrInside) {
    const struct {
        const wchar_t* inner;
        const wchar_t* outer;
        bool inside;
    } cases[] = {
        {L"C:\\Games\\Suite\\Addon", L"C:\\Games\\Suite", true},
        {L"c:\\games\\suite\\", L"C:\\Games\\Suite", true},
        {L"C:\\Games\\SuiteTwo", L"C:\\Games\\Suite", false},
        {L"C:\\Games", L"C:\\Games\\Suite", false},
        {L"C:\\Games\\Suite", L"C:", true},
        {L"relative", L"C:\\", false},
        {L"C:\\x", L"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSameOrInside(c.inner, c.outer), c.inside) << c.inner << L" in " << c.outer;
}

TEST(FolderRules, EveryProtectedFolder) {
    TProtectedFolders folders;
    folders.exact = {L"C:\\Program Files",
                     L"C:\\Program Files (x86)",
                     L"C:\\Program Files\\Common Files",
                     L"C:\\Program Files (x86)\\Common Files",
                     L"C:\\ProgramData",
                     L"D:\\Redirected\\Docs",
                     L"C:\\Temp"};
    folders.subtrees = {L"C:\\Windows", L"E:\\Tools\\Varnook"};
    folders.profileRoots = {L"C:\\Users", L"C:\\Documents and Settings"};

    std::vector<std::wstring> refused = {
        L"C:", L"C:\\", L"d:/", L"\\\\server\\share", L"\\\\server\\share\\", L"", L"uninst", L"C:folder",
        // Named ones, in any spelling.
        L"C:\\Program Files", L"c:\\program files\\", L"C:\\PROGRAM FILES (X86)", L"C:\\Program Files\\Common Files",
        L"C:\\Program Files (x86)\\Common Files", L"C:\\ProgramData", L"D:\\Redirected\\Docs", L"C:\\Temp",
        L"\\\\?\\C:\\Program Files", L"C:\\Program Files\\App\\..",
        // Subtrees.
        L"C:\\Windows", L"C:\\Windows\\System32", L"C:\\WINDOWS.\\Temp", L"E:\\Tools\\Varnook",
        L"E:\\Tools\\Varnook\\Back up\\scr",
        // Profile roots, profiles, and their known folders.
        L"C:\\Users", L"C:\\Users\\bob", L"C:\\Users\\Public", L"C:\\Users\\Default", L"C:\\Documents and Settings",
        L"C:\\Documents and Settings\\All Users"};
    for (const wchar_t* known : ProfileKnownFolders()) {
        refused.push_back(std::wstring(L"C:\\Users\\bob\\") + known);
        refused.push_back(std::wstring(L"c:\\users\\ALICE\\") + known + L"\\");
        refused.push_back(std::wstring(L"C:\\Users\\Public\\") + known);
        refused.push_back(std::wstring(L"C:\\Documents and Settings\\bob\\") + known);
    }
    for (const std::wstring& path : refused)
        EXPECT_TRUE(IsProtectedFolder(path, folders)) << path;

    // The known folders that the issue names must be in the list.
    for (const wchar_t* named : {L"Desktop", L"Documents", L"Downloads", L"Music", L"Pictures", L"Videos", L"AppData",
                                 L"AppData\\Local", L"AppData\\LocalLow", L"AppData\\Roaming", L"AppData\\Local\\Temp",
                                 L"AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
                                 L"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
                                 L"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"})
        EXPECT_TRUE(IsProtectedFolder(std::wstring(L"C:\\Users\\bob\\") + named, folders)) << named;

    const wchar_t* free[] = {
        L"C:\\Program Files\\Vendor\\App",
        L"C:\\Program Files (x86)\\App",
        L"C:\\Program Files\\Common Files\\Vendor",
        L"C:\\ProgramData\\Vendor",
        L"C:\\Windows2",
        L"C:\\Games",
        L"E:\\Tools",
        L"E:\\Tools\\Varnook2",
        L"C:\\Users\\bob\\AppData\\Local\\Vendor",
        L"C:\\Users\\bob\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Vendor",
        L"C:\\Users\\bob\\Documents\\Project",
        L"C:\\Users\\bob\\Desktopx",
        L"C:\\Users\\bob\\Games",
        L"D:\\Redirected",
        L"D:\\Redirected\\Docs\\Inner",
        L"\\\\server\\share\\App",
    };
    for (const wchar_t* path : free)
        EXPECT_FALSE(IsProtectedFolder(path, folders)) << path;
}
