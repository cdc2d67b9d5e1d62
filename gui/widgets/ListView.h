#pragma once

#include "Window.h"

#include <commctrl.h>

#include <functional>

namespace varnook {

// A report-style list view: no border, whole-row selection, selection kept when it loses the focus.
class TListView : public TControl {
public:
    void Create(HWND parent, const RECT& bounds, bool singleSelection, bool checkBoxes = false);
    void AddColumn(const std::wstring& caption, int width);
    void SetColumnCaption(int column, const std::wstring& caption);
    std::wstring ColumnCaption(int column) const;
    int ColumnCount() const;
    void SetImageLists(HIMAGELIST small, HIMAGELIST large);

    // The list's notifications (selection, clicks, tips, custom drawing) go to whoever set this.
    std::function<LRESULT(NMHDR*)> OnNotify;
    LRESULT Notify(NMHDR* header) override { return OnNotify ? OnNotify(header) : 0; }
};

}  // namespace varnook
