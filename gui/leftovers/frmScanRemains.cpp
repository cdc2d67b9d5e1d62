#include "frmScanRemains.h"

#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Prompt.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cwctype>

namespace varnook {

namespace {

// Texts the language table does not have yet.
constexpr wchar_t kProtectedFolderNote[] = L"%s is a protected folder: its files are not listed.";
constexpr wchar_t kOtherProgramNote[] = L"%s is the folder of another listed program: its files are not listed.";

// Progress is shown at a rate a reader can follow; drawing every key would cost more than the walk.
constexpr DWORD kProgressInterval = 100;
// The longest value name the registry allows, with its terminator.
constexpr DWORD kValueNameCapacity = 16384;

// CreateFrame centres a dialog on the screen; this one sits over its owner.
void CentreOnWindow(HWND window, HWND over) {
    RECT area;
    if (!over || !GetWindowRect(over, &area))
        return;
    RECT bounds;
    GetWindowRect(window, &bounds);
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - (bounds.right - bounds.left)) / 2,
                 area.top + (area.bottom - area.top - (bounds.bottom - bounds.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<std::wstring> SubKeyNames(HKEY key) {
    std::vector<std::wstring> names;
    std::wstring name;
    for (DWORD index = 0; platform::EnumSubKey(key, index, name); ++index)
        names.push_back(name);
    return names;
}

std::vector<std::wstring> ValueNames(HKEY key) {
    std::vector<std::wstring> names;
    std::wstring name(kValueNameCapacity, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kValueNameCapacity;
        if (RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.c_str(), length);
    }
    return names;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(platform::ExtendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring UpperText(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towupper(c); });
    return text;
}

}  // namespace

HKEY RootKeyFromName(const std::wstring& name) {
    if (name == L"HKEY_CLASSES_ROOT")
        return HKEY_CLASSES_ROOT;
    if (name == L"HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (name == L"HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    return nullptr;
}

void TScanForm::Create(HWND owner) {
    CreateFrame(L"TScanForm", owner, 540, 482);
    if (const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))) {
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }

    ImageList = CreateTickPictures();
    lblScaning.Create(Handle(), Box(12, 12, 64, 16));
    lblScanInfo.Create(Handle(), Box(78, 12, 450, 30));
    lblScanInfo.SetWordWrap(true);
    lblRegInfoLeft.Create(Handle(), Box(12, 50, 400, 16));
    tvScanRegInfo.Create(Handle(), Box(12, 68, 516, 170), ImageList.get());
    lblFileLeft.Create(Handle(), Box(12, 248, 400, 16));
    tvScanFiles.Create(Handle(), Box(12, 266, 516, 170), ImageList.get());
    btnDelete.Create(Handle(), Box(352, 446, 84, 26), false);
    btnCancel.Create(Handle(), Box(444, 446, 84, 26), false);
    btnDelete.Enable(false);
    btnCancel.Enable(false);

    tvScanRegInfo.OnStateClick = [this](HTREEITEM item) { tvScanRegInfoMouseDown(item); };
    tvScanFiles.OnStateClick = [this](HTREEITEM item) { tvScanFilesMouseDown(item); };
    btnDelete.OnClick = [this] { btnDeleteClick(); };
    btnCancel.OnClick = [this] { btnCancelClick(); };
    CentreOnWindow(Handle(), owner);
    SetTimer(Handle(), kTimerStartScan, kStartScanDelay, nullptr);
    FormShow();
}

void TScanForm::FormShow() {
    ApplyLanguage();
}

void TScanForm::ApplyLanguage() {
    SetText(Lang(IDS_SCANFORM_Title));
    lblScaning.SetText(Lang(IDS_SCANFORM_LABEL_Scaning));
    lblRegInfoLeft.SetText(Lang(IDS_SCANFORM_LABEL_RegInfoLeft));
    lblFileLeft.SetText(Lang(IDS_SCANFORM_LABEL_FilesLeft));
    btnDelete.SetText(Lang(IDS_SCANFORM_BUTTON_Delete));
    btnCancel.SetText(Lang(IDS_SCANFORM_BUTTON_Cancel));
}

void TScanForm::btnCancelClick() {
    Close();
}

void TScanForm::TimerStartScanTimer() {
    StartScan();
}

void TScanForm::tvScanRegInfoMouseDown(HTREEITEM item) {
    ToggleNodeCheck(tvScanRegInfo, TLeftoverTree::NodeOf(item));
}

void TScanForm::tvScanFilesMouseDown(HTREEITEM item) {
    ToggleNodeCheck(tvScanFiles, TLeftoverTree::NodeOf(item));
}

TScanTarget TScanForm::SafeTarget() {
    try {
        return ReadTarget ? ReadTarget() : TScanTarget{};
    } catch (const std::exception& error) {
        // Nothing is searched for; the scan ends with its message.
        ShowException(Handle(), error);
        return {};
    }
}

void TScanForm::StartScan() {
    if (scanning_ || scanCount_ > 0)
        return;
    scanning_ = true;
    ++scanCount_;
    KillTimer(Handle(), kTimerStartScan);
    EnableWindow(Handle(), FALSE);
    const TScanTarget target = SafeTarget();
    guard_ = TFolderGuard(SystemProtectedFolders(Globals().AppPath), target.otherPrograms);

    for (const TRegistryWalk& walk : RegistryWalks())
        ScanRegistryKey(RootKeyFromName(walk.rootName), walk.rootName, walk.startKey, target.name);
    // A folder with a \Windows\ segment is passed over, as are folders that are not there.
    std::wstring note;
    if (!target.folder.empty() && UpperText(target.folder).find(L"\\WINDOWS\\") == std::wstring::npos &&
        IsFolder(target.folder))
        note = ScanInstallFolder(target.folder);

    EnableWindow(Handle(), TRUE);
    scanning_ = false;
    lblScanInfo.SetText(note.empty() ? lastVisited_ : note);
    if (tvScanRegInfo.Empty() && tvScanFiles.Empty()) {
        const std::wstring& nothing = Lang(IDS_MESSAGEBOX_WARNING_NoRemains);
        Prompt().MessageBox(Handle(), note.empty() ? nothing : nothing + L"\r\n" + note, MB_OK);
        Close();
        return;
    }
    btnDelete.Enable(true);
    btnCancel.Enable(true);
}

void TScanForm::HandleOnePendingMessage() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        return;
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void TScanForm::ShowProgress(const std::wstring& path) {
    lastVisited_ = path;
    const DWORD now = GetTickCount();
    if (lastShown_ == 0 || now - lastShown_ >= kProgressInterval) {
        lblScanInfo.SetText(path);
        lastShown_ = now ? now : 1;
    }
}

void TScanForm::ScanRegistryKey(HKEY root, const std::wstring& rootName, std::wstring path,
                                const std::wstring& target) {
    if (IsKeyNeverEntered(path))
        return;
    if (!path.ends_with(L'\\'))
        path += L'\\';
    const platform::TKey key = platform::OpenKey(root, path);
    if (!key)
        return;
    for (const std::wstring& name : SubKeyNames(key.get())) {
        HandleOnePendingMessage();
        ShowProgress(rootName + L"\\" + path + name);
        if (name == target && !IsProtectedKey(path + name))
            AddKeyNode(root, rootName, path + name);
        ScanRegistryKey(root, rootName, path + name, target);
    }
}

void TScanForm::AddKeyNode(HKEY root, const std::wstring& rootName, const std::wstring& keyPath) {
    TLeftoverNode keyNode;
    keyNode.text = rootName + L"\\" + keyPath;
    keyNode.kind = TNodeKind::Key;
    keyNode.rootName = rootName;
    keyNode.keyPath = keyPath;
    const HTREEITEM item = tvScanRegInfo.Add(nullptr, keyNode);
    const platform::TKey key = platform::OpenKey(root, keyPath);
    if (!key)
        return;
    for (const std::wstring& name : ValueNames(key.get())) {
        TLeftoverNode valueNode = keyNode;
        valueNode.text = keyNode.text + L"\\" + name;
        valueNode.kind = TNodeKind::Value;
        valueNode.valueName = name;
        tvScanRegInfo.Add(item, std::move(valueNode));
    }
}

std::wstring TScanForm::ScanInstallFolder(const std::wstring& folder) {
    switch (guard_.Check(folder)) {
        case TFolderGuard::TVerdict::Protected:
            return FormatText(kProtectedFolderNote, folder);
        case TFolderGuard::TVerdict::OtherProgram:
            return FormatText(kOtherProgramNote, folder);
        case TFolderGuard::TVerdict::Free:
            break;
    }
    TLeftoverNode node;
    node.text = folder;
    node.kind = TNodeKind::Folder;
    const HTREEITEM root = tvScanFiles.Add(nullptr, std::move(node));
    // A folder that is itself a link is listed, never entered.
    const DWORD attributes = GetFileAttributesW(platform::ExtendedPath(folder).c_str());
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        ScanFolder(folder, root);
    return {};
}

void TScanForm::MarkHoldsKept(HTREEITEM item) {
    for (; item; item = TLeftoverTree::Item(tvScanFiles.Parent(TLeftoverTree::NodeOf(item))))
        tvScanFiles.Node(item).holdsKept = true;
}

void TScanForm::ScanFolder(const std::wstring& folder, HTREEITEM parent) {
    // One level of the walk: its folder (ending in "\"), its node, its entries and the next one.
    struct TLevel {
        std::wstring folder;
        HTREEITEM node;
        std::vector<WIN32_FIND_DATAW> entries;
        size_t next = 0;
    };
    const auto list = [](const std::wstring& path) {
        std::vector<WIN32_FIND_DATAW> entries;
        platform::ForEachFound(platform::ExtendedPath(path) + L"*.*", [&](const WIN32_FIND_DATAW& found) {
            if (found.cFileName[0] != L'.')
                entries.push_back(found);
            return true;
        });
        return entries;
    };
    const std::wstring start = folder.ends_with(L'\\') ? folder : folder + L'\\';
    std::vector<TLevel> levels;
    levels.push_back({start, parent, list(start)});
    std::vector<HTREEITEM> keptParents;
    while (!levels.empty()) {
        TLevel& level = levels.back();
        if (level.next == level.entries.size()) {
            levels.pop_back();
            continue;
        }
        const WIN32_FIND_DATAW& entry = level.entries[level.next++];
        TLeftoverNode node;
        node.text = level.folder + entry.cFileName;
        const HTREEITEM levelNode = level.node;
        const bool link = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) {
            node.kind = TNodeKind::Folder;
            if (guard_.Check(node.text) != TFolderGuard::TVerdict::Free) {
                tvScanFiles.Add(levelNode, std::move(node), kKept);
                MarkHoldsKept(levelNode);
                keptParents.push_back(levelNode);
                continue;
            }
            const std::wstring inner = node.text + L'\\';
            const HTREEITEM item = tvScanFiles.Add(levelNode, std::move(node));
            levels.push_back({inner, item, list(inner)});
            continue;
        }
        node.kind = link ? TNodeKind::Link : TNodeKind::File;
        HandleOnePendingMessage();
        ShowProgress(node.text);
        tvScanFiles.Add(levelNode, std::move(node));
    }
    for (const HTREEITEM item : keptParents)
        UpdateParentCheck(tvScanFiles, TLeftoverTree::NodeOf(item));
}

LRESULT TScanForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimerStartScan) {
                TimerStartScanTimer();
                return 0;
            }
            break;
        case WM_COMMAND:
            // The dialog has no default button: Enter does not close it (Escape does, as Cancel).
            if (lParam == 0 && LOWORD(wParam) == IDOK)
                return 0;
            break;
    }
    return TDialog::WndProc(message, wParam, lParam);
}

}  // namespace varnook
