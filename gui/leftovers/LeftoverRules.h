#pragma once

// The rules of the leftover dialog that need no window: the tick states of its two trees, the keys and
// folders that no leftover deletion may touch, and the path comparisons they rest on.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace varnook {

// ---- Tick states ----

// The state picture index of a tree node.
enum TTickState : int {
    kUnticked = 1,
    kTicked = 2,
    kPartlyTicked = 3,
    // Not ticked, marked: a deletion of this node failed.
    kFailed = 4,
    // Never ticked: a protected folder or another program's folder, shown but not deleted.
    kKept = 5,
};

// The tree the tick rules work on. Nodes are opaque non-zero values; 0 is no node.
class TTickTree {
public:
    using TNode = std::uintptr_t;
    virtual ~TTickTree() = default;
    virtual TNode FirstRoot() const = 0;
    virtual TNode Parent(TNode node) const = 0;
    virtual TNode FirstChild(TNode node) const = 0;
    virtual TNode NextSibling(TNode node) const = 0;
    virtual int State(TNode node) const = 0;
    virtual void SetState(TNode node, int state) = 0;
};

// A click on a node's box: unticked, failed and partly ticked nodes become ticked, ticked ones unticked; the
// descendants follow and the ancestors are updated. A kept node does not change, and a node with a kept
// descendant is never more than partly ticked, so it is never deleted as a whole; a click on such a node
// when nothing but kept nodes is left to tick below it clears it instead.
void ToggleNodeCheck(TTickTree& tree, TTickTree::TNode node);
// Gives every descendant of `node` (kept ones aside) the node's state; a descendant that has children of its
// own then takes its state from them.
void SetChildrenCheck(TTickTree& tree, TTickTree::TNode node);
// Sets `node` from its children (unticked when none is ticked or partly ticked, ticked when all are ticked,
// partly ticked otherwise), then its parent in the same way, up to the root.
void UpdateParentCheck(TTickTree& tree, TTickTree::TNode node);
// After a deletion: every node that still has children takes its state from them (kept and failed nodes keep
// their marks), so no box claims more than what is left below it.
void SettleParentChecks(TTickTree& tree);
// The state that the children of `node` give it, by the rule of UpdateParentCheck.
int StateFromChildren(const TTickTree& tree, TTickTree::TNode node);
// Every node, depth first, each before its children, children in tree order.
std::vector<TTickTree::TNode> PositionOrder(const TTickTree& tree);

// ---- Registry keys ----

// The registry walks of a leftover scan, in their order.
struct TRegistryWalk {
    const wchar_t* rootName;
    const wchar_t* startKey;
};
std::span<const TRegistryWalk> RegistryWalks();

// True for a key path below a root that the walks never enter (an exact, case-sensitive comparison).
bool IsKeyNeverEntered(const std::wstring& keyPath);

// True for a key that the scan never offers and no deletion touches, whatever root it is under. `keyPath`
// is the path below the root, without a leading or trailing "\". Protected are:
// - a root itself (an empty path);
// - the walks' start keys and every key on the way to one: "SOFTWARE", "SOFTWARE\Microsoft",
//   "SOFTWARE\Microsoft\Windows", "Installer", "Installer\Products";
// - "SOFTWARE\Classes", "SOFTWARE\Policies", "SOFTWARE\Wow6432Node";
// - "SOFTWARE\Microsoft\Windows\CurrentVersion", and every direct child of it and of
//   "SOFTWARE\Microsoft\Windows" (Run, RunOnce, Explorer, Policies, App Paths, Installer, Uninstall, ...).
// The same keys seen through "SOFTWARE\Wow6432Node\" (the 32-bit view) or through "SOFTWARE\Classes\" (a
// hive's share of HKEY_CLASSES_ROOT) are protected alike. Names compare without regard to case, as the
// registry compares them.
bool IsProtectedKey(const std::wstring& keyPath);

// ---- Folders ----

// A path in the form used for comparisons: "\\?\" and "\\?\UNC\" forms unwrapped, "/" read as "\",
// repeated separators merged, "." and ".." resolved, no trailing "\" (a drive root stays "C:"), upper case.
// Empty for a path that is not absolute (a drive letter and "\", or "\\server\share").
std::wstring FolderKey(const std::wstring& path);

// True when `inner` is `outer` or lies below it (both absolute; compared by FolderKey).
bool IsSameOrInside(const std::wstring& inner, const std::wstring& outer);

// The folders of the system that no leftover scan lists and no deletion removes as a whole.
struct TProtectedFolders {
    // Protected themselves; what lies below them is not: the Program Files and Common Files folders, the
    // all-users application data, the system's and the user's Temp, the known folders of the user.
    std::vector<std::wstring> exact;
    // Protected with everything below them: the Windows folder, this program's own folder.
    std::vector<std::wstring> subtrees;
    // Folders that hold user profiles ("C:\Users"): the folder itself, every profile in it ("Public"
    // included) and every known folder of each profile (ProfileKnownFolders) are protected.
    std::vector<std::wstring> profileRoots;
};

// The known folders of a profile, relative to the profile folder (both the current and the older layout).
std::span<const wchar_t* const> ProfileKnownFolders();

// True when the leftover dialog must not list or delete the folder `path` as a whole: a path that is not
// absolute, a drive or share root, or a folder named by `folders`.
bool IsProtectedFolder(const std::wstring& path, const TProtectedFolders& folders);

}  // namespace varnook
