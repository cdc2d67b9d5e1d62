#pragma once

#include "TallivorLib_TLB.h"
#include "gui/widgets/Dialog.h"
#include "gui/widgets/ListView.h"

#include <string>
#include <vector>

namespace varnook {

// The details dialog: a selector of the listed programs (with their icons) and two tabs, the program's
// properties and the values of its uninstall key. Created once with the main window and shown modally.
class TDetailsForm : public TDialog {
public:
    explicit TDetailsForm(TProgramList& programs) : programs_(programs) {}

    void Create(HWND owner);
    void ApplyLanguage();
    // Shows the dialog modally, centred on the main window.
    void ShowModal();

    // The selector's entries, filled by each program list load: one per shown program row. They reach the
    // drop-down list when the dialog needs them, so a load of many programs does not wait for it.
    void ClearPrograms();
    void AddProgram(const std::wstring& caption, int imageIndex, ULONG programIndex);
    int ProgramCount();
    ULONG ProgramIndexAt(int entry);
    int SelectedEntry() const;

    // Fills both lists for program `index` and selects its selector entry; nothing changes when the inventory
    // has no such program.
    void FillProgramDetails(ULONG index);
    void cmbProgramsChange();
    // Brings tab 0 (properties) or 1 (registry values) forward.
    void SelectTab(int tab);

    TControl lblPrograms;
    TControl cmbPrograms;
    TControl pcProgramDetails;
    TListView lsvProgramInfo;
    TListView lsvRegistryInfo;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AddInfoRow(TListView& list, const std::wstring& name, const std::wstring& value);
    void FillSelector();

    struct TEntry {
        std::wstring caption;
        int image;
        ULONG programIndex;
    };
    std::vector<TEntry> entries_;
    bool selectorFilled_ = true;

    TProgramList& programs_;
};

}  // namespace varnook
