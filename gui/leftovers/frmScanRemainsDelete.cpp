// The deletion of what stays ticked in the leftover dialog.
#include "frmScanRemains.h"

#include "gui/shell/funUtils.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Prompt.h"
#include "platform/Files.h"
#include "platform/FolderDelete.h"

namespace varnook {

namespace {

// A text the language table does not have yet.
constexpr wchar_t kNotRemovedText[] =
    L"%s of the ticked items could not be removed; they stay in the lists, marked with a cross.";

bool Gone(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

// Opens a key for all access, as the scan did; a key that is not there gives null and `absent`.
platform::TKey OpenForDelete(HKEY root, const std::wstring& path, bool& absent) {
    platform::TKey key;
    const LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, key.put());
    absent = Gone(status);
    return key;
}

// Deletes a key with all its subkeys and values; true when it is gone.
bool RemoveKey(const TLeftoverNode& node) {
    const HKEY root = RootKeyFromName(node.rootName);
    const size_t slash = node.keyPath.rfind(L'\\');
    if (!root || slash == std::wstring::npos || IsProtectedKey(node.keyPath))
        return false;
    bool absent = false;
    const platform::TKey parent = OpenForDelete(root, node.keyPath.substr(0, slash + 1), absent);
    if (!parent)
        return absent;
    const LSTATUS status = RegDeleteTreeW(parent.get(), node.keyPath.substr(slash + 1).c_str());
    return status == ERROR_SUCCESS || Gone(status);
}

// Deletes one value of its key; true when it is gone.
bool RemoveValue(const TLeftoverNode& node) {
    const HKEY root = RootKeyFromName(node.rootName);
    if (!root || IsProtectedKey(node.keyPath))
        return false;
    bool absent = false;
    const platform::TKey key = OpenForDelete(root, node.keyPath, absent);
    if (!key)
        return absent;
    const LSTATUS status = RegDeleteValueW(key.get(), node.valueName.c_str());
    return status == ERROR_SUCCESS || Gone(status);
}

bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(platform::ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The nodes from the last position to the first, so that children come before their parents.
std::vector<HTREEITEM> LastToFirst(const TLeftoverTree& tree) {
    std::vector<HTREEITEM> items;
    const std::vector<TTickTree::TNode> order = PositionOrder(tree);
    for (auto node = order.rbegin(); node != order.rend(); ++node)
        items.push_back(TLeftoverTree::Item(*node));
    return items;
}

// Marks a node whose item could not be removed, and opens the folders above it so that the mark shows.
void MarkFailed(TLeftoverTree& tree, HTREEITEM item) {
    const TTickTree::TNode node = TLeftoverTree::NodeOf(item);
    tree.SetState(node, kFailed);
    for (TTickTree::TNode parent = tree.Parent(node); parent; parent = tree.Parent(parent))
        tree.Send(TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(parent));
}

}  // namespace

void TScanForm::btnDeleteClick() {
    lblScanInfo.SetText(L"");
    int failed = DeleteRegistryKeys();
    failed += DeleteRegistryValues();
    const bool files = !tvScanFiles.Empty();
    if (files)
        failed += DeleteFiles();
    if (failed > 0)
        Prompt().MessageBox(Handle(), FormatText(kNotRemovedText, std::to_wstring(failed)), MB_ICONWARNING | MB_OK);
    else if (files)
        Prompt().MessageBox(Handle(), Lang(IDS_MESSAGEBOX_WARNING_CleanSuccess), MB_OK);
    // What is left keeps the ticks the user gave it: a tick set here would make the next Delete remove
    // something the user chose to keep.
    SettleParentChecks(tvScanRegInfo);
    SettleParentChecks(tvScanFiles);
}

int TScanForm::DeleteRegistryKeys() {
    int failed = 0;
    for (const HTREEITEM item : LastToFirst(tvScanRegInfo)) {
        const TLeftoverNode& node = tvScanRegInfo.Node(item);
        if (tvScanRegInfo.State(TLeftoverTree::NodeOf(item)) != kTicked || node.kind != TNodeKind::Key ||
            !tvScanRegInfo.FirstChild(TLeftoverTree::NodeOf(item)))
            continue;
        if (RemoveKey(node)) {
            tvScanRegInfo.Remove(item);
        } else {
            MarkFailed(tvScanRegInfo, item);
            ++failed;
        }
    }
    return failed;
}

int TScanForm::DeleteRegistryValues() {
    int failed = 0;
    for (const HTREEITEM item : LastToFirst(tvScanRegInfo)) {
        const TLeftoverNode& node = tvScanRegInfo.Node(item);
        if (tvScanRegInfo.State(TLeftoverTree::NodeOf(item)) != kTicked)
            continue;
        // A ticked key left here has no values: it goes as a key, never as a value of its parent.
        if (node.kind == TNodeKind::Value ? RemoveValue(node) : RemoveKey(node)) {
            tvScanRegInfo.Remove(item);
        } else {
            MarkFailed(tvScanRegInfo, item);
            ++failed;
        }
    }
    return failed;
}

int TScanForm::SettleAfterFolderDelete(HTREEITEM item) {
    int failed = 0;
    const TTickTree::TNode node = TLeftoverTree::NodeOf(item);
    std::vector<HTREEITEM> children;
    for (TTickTree::TNode child = tvScanFiles.FirstChild(node); child; child = tvScanFiles.NextSibling(child))
        children.push_back(TLeftoverTree::Item(child));
    for (const HTREEITEM child : children)
        failed += SettleAfterFolderDelete(child);
    if (!PathExists(tvScanFiles.Node(item).text)) {
        tvScanFiles.Remove(item);
        return failed;
    }
    if (tvScanFiles.State(node) != kKept) {
        MarkFailed(tvScanFiles, item);
        ++failed;
    }
    return failed;
}

int TScanForm::DeleteFiles() {
    const HTREEITEM install = TLeftoverTree::Item(tvScanFiles.FirstRoot());
    const TLeftoverNode& installNode = tvScanFiles.Node(install);
    if (tvScanFiles.State(TLeftoverTree::NodeOf(install)) == kTicked && !installNode.holdsKept &&
        guard_.MayDeleteWhole(installNode.text)) {
        platform::DeleteFolder(installNode.text);
        return SettleAfterFolderDelete(install);
    }

    int failed = 0;
    for (const HTREEITEM item : LastToFirst(tvScanFiles)) {
        const TLeftoverNode& node = tvScanFiles.Node(item);
        if (tvScanFiles.State(TLeftoverTree::NodeOf(item)) != kTicked || node.kind != TNodeKind::Folder ||
            node.holdsKept)
            continue;
        if (guard_.MayDeleteWhole(node.text)) {
            platform::DeleteFolder(node.text);
            failed += SettleAfterFolderDelete(item);
        } else {
            MarkFailed(tvScanFiles, item);
            ++failed;
        }
    }
    for (const HTREEITEM item : LastToFirst(tvScanFiles)) {
        const TLeftoverNode& node = tvScanFiles.Node(item);
        if (tvScanFiles.State(TLeftoverTree::NodeOf(item)) != kTicked || node.kind == TNodeKind::Folder)
            continue;
        // A link is removed as a link, through the folder delete that never follows one.
        const bool removed = node.kind == TNodeKind::Link ? platform::DeleteFolder(node.text).empty()
                                                          : platform::DeleteSingleFile(node.text);
        if (removed) {
            tvScanFiles.Remove(item);
        } else {
            MarkFailed(tvScanFiles, item);
            ++failed;
        }
    }
    return failed;
}

}  // namespace varnook
