#pragma once

#include "Window.h"

#include <commctrl.h>

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
};

}  // namespace varnook
