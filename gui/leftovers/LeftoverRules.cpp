#include "LeftoverRules.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace varnook {

// ---- Tick states ----

namespace {

using TNode = TTickTree::TNode;

bool CountsAsTicked(int state) {
    return state == kTicked || state == kPartlyTicked;
}

// What lies below a node: anything unticked (or failed) that a click could tick, and anything kept.
struct TBelow {
    bool unticked = false;
    bool kept = false;
};

TBelow LookBelow(const TTickTree& tree, TNode node) {
    TBelow below;
    for (TNode child = tree.FirstChild(node); child; child = tree.NextSibling(child)) {
        const int state = tree.State(child);
        const TBelow deeper = LookBelow(tree, child);
        below.unticked = below.unticked || state == kUnticked || state == kFailed || deeper.unticked;
        below.kept = below.kept || state == kKept || deeper.kept;
    }
    return below;
}

}  // namespace

int StateFromChildren(const TTickTree& tree, TNode node) {
    bool any = false;
    bool all = true;
    for (TNode child = tree.FirstChild(node); child; child = tree.NextSibling(child)) {
        const int state = tree.State(child);
        any = any || CountsAsTicked(state);
        all = all && state == kTicked;
    }
    if (!any)
        return kUnticked;
    return all ? kTicked : kPartlyTicked;
}

void SetChildrenCheck(TTickTree& tree, TNode node) {
    const int state = tree.State(node);
    for (TNode child = tree.FirstChild(node); child; child = tree.NextSibling(child)) {
        if (tree.State(child) == kKept)
            continue;
        tree.SetState(child, state);
        if (tree.FirstChild(child)) {
            SetChildrenCheck(tree, child);
            tree.SetState(child, StateFromChildren(tree, child));
        }
    }
}

void UpdateParentCheck(TTickTree& tree, TNode node) {
    for (; node; node = tree.Parent(node)) {
        if (tree.State(node) != kKept)
            tree.SetState(node, StateFromChildren(tree, node));
    }
}

void SettleParentChecks(TTickTree& tree) {
    const std::vector<TNode> order = PositionOrder(tree);
    for (auto node = order.rbegin(); node != order.rend(); ++node) {
        const int state = tree.State(*node);
        if (tree.FirstChild(*node) && state != kKept && state != kFailed)
            tree.SetState(*node, StateFromChildren(tree, *node));
    }
}

void ToggleNodeCheck(TTickTree& tree, TNode node) {
    if (!node || tree.State(node) == kKept)
        return;
    const int state = tree.State(node);
    bool tick = state != kTicked;
    if (state == kPartlyTicked) {
        // Ticked, unless nothing but kept nodes is left unticked below it: then it is cleared.
        const TBelow below = LookBelow(tree, node);
        tick = below.unticked || !below.kept;
    }
    tree.SetState(node, tick ? kTicked : kUnticked);
    if (tree.FirstChild(node)) {
        SetChildrenCheck(tree, node);
        // Equal to the state just set, unless a kept descendant holds the node back.
        tree.SetState(node, StateFromChildren(tree, node));
    }
    if (const TNode parent = tree.Parent(node))
        UpdateParentCheck(tree, parent);
}

std::vector<TNode> PositionOrder(const TTickTree& tree) {
    std::vector<TNode> order;
    std::vector<TNode> pending;
    for (TNode root = tree.FirstRoot(); root; root = tree.NextSibling(root))
        pending.push_back(root);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        const TNode node = pending.back();
        pending.pop_back();
        order.push_back(node);
        const size_t mark = pending.size();
        for (TNode child = tree.FirstChild(node); child; child = tree.NextSibling(child))
            pending.push_back(child);
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(mark), pending.end());
    }
    return order;
}

// ---- Registry keys ----

namespace {

constexpr TRegistryWalk kWalks[] = {
    {L"HKEY_CLASSES_ROOT", L"Installer\\Products"},
    {L"HKEY_CURRENT_USER", L"SOFTWARE"},
    {L"HKEY_LOCAL_MACHINE", L"SOFTWARE"},
    {L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Microsoft\\Windows"},
};

constexpr const wchar_t* kNeverEntered[] = {
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components",
    L"SOFTWARE\\Classes",
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SideBySide",
    L"SOFTWARE\\Microsoft",
};

// The protected keys, in upper case (see IsProtectedKey).
constexpr const wchar_t* kProtectedKeys[] = {
    L"",
    L"SOFTWARE",
    L"SOFTWARE\\MICROSOFT",
    L"SOFTWARE\\MICROSOFT\\WINDOWS",
    L"INSTALLER",
    L"INSTALLER\\PRODUCTS",
    L"SOFTWARE\\CLASSES",
    L"SOFTWARE\\POLICIES",
    L"SOFTWARE\\WOW6432NODE",
    L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION",
};
// Keys whose direct children are all protected.
constexpr const wchar_t* kProtectedParents[] = {
    L"SOFTWARE\\MICROSOFT\\WINDOWS",
    L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION",
};
// Views of the same keys under other names: the prefix, and what it stands for.
constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 2> kKeyViews = {{
    {L"SOFTWARE\\WOW6432NODE\\", L"SOFTWARE\\"},
    {L"SOFTWARE\\CLASSES\\", L""},
}};

wchar_t UpperChar(wchar_t c) {
    if (c < 0x80)
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    return static_cast<wchar_t>(std::towupper(c));
}

std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), UpperChar);
    return text;
}

bool IsListedKey(const std::wstring& key) {
    for (const wchar_t* protectedKey : kProtectedKeys) {
        if (key == protectedKey)
            return true;
    }
    const size_t slash = key.rfind(L'\\');
    if (slash == std::wstring::npos)
        return false;
    const std::wstring parent = key.substr(0, slash);
    for (const wchar_t* protectedParent : kProtectedParents) {
        if (parent == protectedParent)
            return true;
    }
    return false;
}

}  // namespace

std::span<const TRegistryWalk> RegistryWalks() {
    return kWalks;
}

bool IsKeyNeverEntered(const std::wstring& keyPath) {
    for (const wchar_t* key : kNeverEntered) {
        if (keyPath == key)
            return true;
    }
    return false;
}

bool IsProtectedKey(const std::wstring& keyPath) {
    const size_t first = keyPath.find_first_not_of(L'\\');
    const size_t last = keyPath.find_last_not_of(L'\\');
    std::vector<std::wstring> names{first == std::wstring::npos ? std::wstring()
                                                                : Upper(keyPath.substr(first, last - first + 1))};
    for (size_t i = 0; i < names.size(); ++i) {
        if (IsListedKey(names[i]))
            return true;
        for (const auto& [prefix, meaning] : kKeyViews) {
            if (names[i].starts_with(prefix))
                names.push_back(std::wstring(meaning) + names[i].substr(prefix.size()));
        }
    }
    return false;
}

// ---- Folders ----

namespace {

constexpr const wchar_t* kProfileKnownFolders[] = {
    L"Desktop",
    L"Documents",
    L"Downloads",
    L"Music",
    L"Pictures",
    L"Videos",
    L"Favorites",
    L"Links",
    L"Contacts",
    L"Searches",
    L"Saved Games",
    L"AppData",
    L"AppData\\Local",
    L"AppData\\LocalLow",
    L"AppData\\Roaming",
    L"AppData\\Local\\Temp",
    L"AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
    L"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs",
    L"AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup",
    L"My Documents",
    L"My Documents\\My Music",
    L"My Documents\\My Pictures",
    L"My Documents\\My Videos",
    L"Application Data",
    L"Local Settings",
    L"Local Settings\\Application Data",
    L"Local Settings\\Temp",
    L"Start Menu",
    L"Start Menu\\Programs",
    L"Start Menu\\Programs\\Startup",
};

// The file system ignores dots and blanks at the end of a name.
std::wstring TrimNameEnd(const std::wstring& name) {
    if (name == L"." || name == L"..")
        return name;
    const size_t end = name.find_last_not_of(L". ");
    return end == std::wstring::npos ? std::wstring() : name.substr(0, end + 1);
}

}  // namespace

std::span<const wchar_t* const> ProfileKnownFolders() {
    return kProfileKnownFolders;
}

std::wstring FolderKey(const std::wstring& path) {
    std::wstring text = path;
    std::replace(text.begin(), text.end(), L'/', L'\\');
    if (text.starts_with(L"\\\\?\\UNC\\"))
        text = L"\\\\" + text.substr(8);
    else if (text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\") || text.starts_with(L"\\??\\"))
        text = text.substr(4);

    std::wstring root;
    size_t rest = 0;
    const wchar_t letter = text.empty() ? L'\0' : UpperChar(text[0]);
    const bool drive = text.size() >= 2 && text[1] == L':' && letter >= L'A' && letter <= L'Z' &&
                       (text.size() == 2 || text[2] == L'\\');
    if (drive) {
        root = text.substr(0, 2);
        rest = 2;
    } else if (text.starts_with(L"\\\\")) {
        // "\\server\share" is the root of a share.
        const size_t server = text.find(L'\\', 2);
        if (server == std::wstring::npos || server == 2)
            return {};
        size_t share = text.find(L'\\', server + 1);
        if (share == std::wstring::npos)
            share = text.size();
        if (share == server + 1)
            return {};
        root = text.substr(0, share);
        rest = share;
    } else {
        return {};
    }

    std::vector<std::wstring> parts;
    size_t start = rest;
    while (start <= text.size()) {
        size_t end = text.find(L'\\', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring part = TrimNameEnd(text.substr(start, end - start));
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::wstring key = root;
    for (const std::wstring& part : parts)
        key += L'\\' + part;
    return Upper(key);
}

bool IsSameOrInside(const std::wstring& inner, const std::wstring& outer) {
    const std::wstring innerKey = FolderKey(inner);
    const std::wstring outerKey = FolderKey(outer);
    if (innerKey.empty() || outerKey.empty())
        return false;
    return innerKey == outerKey || (innerKey.starts_with(outerKey) && innerKey[outerKey.size()] == L'\\');
}

bool IsProtectedFolder(const std::wstring& path, const TProtectedFolders& folders) {
    const std::wstring key = FolderKey(path);
    if (key.empty())
        return true;
    const bool driveRoot = key.size() == 2;
    const bool shareRoot = key.starts_with(L"\\\\") && std::count(key.begin(), key.end(), L'\\') == 3;
    if (driveRoot || shareRoot)
        return true;
    for (const std::wstring& folder : folders.exact) {
        if (!folder.empty() && FolderKey(folder) == key)
            return true;
    }
    for (const std::wstring& folder : folders.subtrees) {
        if (!folder.empty() && IsSameOrInside(path, folder))
            return true;
    }
    for (const std::wstring& rootFolder : folders.profileRoots) {
        const std::wstring rootKey = FolderKey(rootFolder);
        if (rootKey.empty() || !IsSameOrInside(path, rootFolder))
            continue;
        if (key == rootKey)
            return true;
        // What follows the profile's own folder.
        const size_t profileEnd = key.find(L'\\', rootKey.size() + 1);
        if (profileEnd == std::wstring::npos)
            return true;
        const std::wstring inside = key.substr(profileEnd + 1);
        for (const wchar_t* known : kProfileKnownFolders) {
            if (inside == Upper(known))
                return true;
        }
    }
    return false;
}

}  // namespace varnook
