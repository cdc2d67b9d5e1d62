#include "ListView.h"

#include <vector>

namespace varnook {

void TListView::Create(HWND parent, const RECT& bounds, bool singleSelection, bool checkBoxes) {
    TControl::Create(WC_LISTVIEWW, 0,
                     WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                         (singleSelection ? LVS_SINGLESEL : 0),
                     parent, bounds);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
         LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER | (checkBoxes ? LVS_EX_CHECKBOXES : 0));
}

void TListView::AddColumn(const std::wstring& caption, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(caption.c_str());
    Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(ColumnCount()), reinterpret_cast<LPARAM>(&column));
}

void TListView::SetColumnCaption(int column, const std::wstring& caption) {
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = const_cast<wchar_t*>(caption.c_str());
    Send(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

std::wstring TListView::ColumnCaption(int column) const {
    std::vector<wchar_t> buffer(260);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer.data();
    info.cchTextMax = static_cast<int>(buffer.size());
    Send(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    return buffer.data();
}

int TListView::ColumnCount() const {
    const HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void TListView::SetImageLists(HIMAGELIST small, HIMAGELIST large) {
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
    Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
}

}  // namespace varnook
