#pragma once

#include "LeftoverTree.h"
#include "ProtectedFolders.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/Dialog.h"

#include <functional>
#include <string>
#include <vector>

namespace varnook {

// What a leftover scan looks for, read from the main window when the scan starts.
struct TScanTarget {
    // The registry name of the program: the name of its key under the uninstall key.
    std::wstring name;
    // Its install folder as the program list shows it; empty when there is none.
    std::wstring folder;
    // The install folders of the other listed programs, which the scan leaves to them.
    std::vector<std::wstring> otherPrograms;
};

// The root a registry node's text begins with: exactly "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER" or
// "HKEY_LOCAL_MACHINE"; null for anything else.
HKEY RootKeyFromName(const std::wstring& name);

// The leftover dialog: 200 ms after it is created it looks for registry keys named like the program and for
// the files in its install folder, lists them in two trees with a tick on every node, and deletes what stays
// ticked when the user presses Delete. Created anew for each showing.
class TScanForm : public TDialog {
public:
    static constexpr UINT_PTR kTimerStartScan = 1;
    static constexpr UINT kStartScanDelay = 200;

    // Creates the dialog owned by `owner`, centred on it, and switches the start timer on (FormCreate).
    void Create(HWND owner);
    void FormShow();
    void ApplyLanguage();

    void TimerStartScanTimer();
    // The whole scan; a dialog scans once.
    void StartScan();
    void ScanRegistryKey(HKEY root, const std::wstring& rootName, std::wstring path, const std::wstring& target);
    void ScanFolder(const std::wstring& folder, HTREEITEM parent);
    // A press on a node's state picture.
    void tvScanRegInfoMouseDown(HTREEITEM item);
    void tvScanFilesMouseDown(HTREEITEM item);
    void btnDeleteClick();
    void btnCancelClick();

    // Reads the target when the scan starts.
    std::function<TScanTarget()> ReadTarget;
    bool Scanning() const { return scanning_; }
    int ScanCount() const { return scanCount_; }

    TLabel lblScaning, lblScanInfo, lblRegInfoLeft, lblFileLeft;
    TLeftoverTree tvScanRegInfo, tvScanFiles;
    TPushButton btnDelete, btnCancel;
    platform::TImageList ImageList;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TScanTarget SafeTarget();
    void HandleOnePendingMessage();
    void ShowProgress(const std::wstring& path);
    void AddKeyNode(HKEY root, const std::wstring& rootName, const std::wstring& keyPath);
    // Lists the install folder; a note for the user when it is not listed for its own protection.
    std::wstring ScanInstallFolder(const std::wstring& folder);
    void MarkHoldsKept(HTREEITEM item);

    // The deletion passes; each returns how many ticked items could not be removed.
    int DeleteRegistryKeys();
    int DeleteRegistryValues();
    int DeleteFiles();
    // After a folder delete: removes the nodes below and at `item` whose paths are gone, marks the others.
    int SettleAfterFolderDelete(HTREEITEM item);

    bool scanning_ = false;
    int scanCount_ = 0;
    TFolderGuard guard_;
    std::wstring lastVisited_;
    DWORD lastShown_ = 0;
};

}  // namespace varnook
