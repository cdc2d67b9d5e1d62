#include "LeftoverTree.h"

#include <windowsx.h>

#include <utility>

namespace varnook {

namespace {

constexpr int kPictureSize = 16;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// One 16x16 picture: a box, and what it holds for `state`.
void DrawTickPicture(HDC dc, int state) {
    const RECT whole{0, 0, kPictureSize, kPictureSize};
    SetDCBrushColor(dc, kMaskColour);
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const bool kept = state == kKept;
    const platform::TGdiObject border(CreatePen(PS_SOLID, 1, kept ? RGB(160, 160, 160) : RGB(64, 72, 84)));
    const platform::TGdiObject fill(CreateSolidBrush(kept ? RGB(222, 222, 222) : RGB(255, 255, 255)));
    const HGDIOBJ oldPen = SelectObject(dc, border.get());
    const HGDIOBJ oldBrush = SelectObject(dc, fill.get());
    Rectangle(dc, 1, 1, 15, 15);
    SelectObject(dc, oldBrush);

    if (state == kTicked || state == 0) {
        const platform::TGdiObject pen(CreatePen(PS_SOLID, 2, RGB(24, 32, 40)));
        SelectObject(dc, pen.get());
        Line(dc, 4, 8, 7, 11);
        Line(dc, 7, 11, 12, 4);
    } else if (state == kPartlyTicked) {
        const RECT square{4, 4, 12, 12};
        SetDCBrushColor(dc, RGB(40, 96, 160));
        FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    } else if (state == kFailed) {
        const platform::TGdiObject pen(CreatePen(PS_SOLID, 2, RGB(200, 30, 30)));
        SelectObject(dc, pen.get());
        Line(dc, 4, 4, 12, 12);
        Line(dc, 11, 4, 3, 12);
    }
    SelectObject(dc, oldPen);
}

}  // namespace

platform::TImageList CreateTickPictures() {
    platform::TImageList pictures(ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR24 | ILC_MASK, 6, 0));
    const HDC screen = GetDC(nullptr);
    const platform::TMemoryDC dc(CreateCompatibleDC(screen));
    for (int state = 0; state <= kKept; ++state) {
        platform::TGdiObject bitmap(CreateCompatibleBitmap(screen, kPictureSize, kPictureSize));
        const HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
        DrawTickPicture(dc.get(), state);
        SelectObject(dc.get(), old);
        ImageList_AddMasked(pictures.get(), static_cast<HBITMAP>(bitmap.get()), kMaskColour);
    }
    ReleaseDC(nullptr, screen);
    return pictures;
}

void TLeftoverTree::Create(HWND parent, const RECT& bounds, HIMAGELIST statePictures) {
    TControl::Create(
        WC_TREEVIEWW, WS_EX_CLIENTEDGE,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        parent, bounds);
    Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(statePictures));
    const auto proc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
    if (!systemProc_)
        systemProc_ = proc;
}

LRESULT CALLBACK TLeftoverTree::TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: {
            auto* tree = dynamic_cast<TLeftoverTree*>(TControl::FromHandle(hwnd));
            TVHITTESTINFO hit{};
            hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const auto item = reinterpret_cast<HTREEITEM>(
                CallWindowProcW(systemProc_, hwnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (tree && item && (hit.flags & TVHT_ONITEMSTATEICON)) {
                if (tree->OnStateClick)
                    Guarded([&] { tree->OnStateClick(item); });
                return 0;
            }
            break;
        }
    }
    return CallWindowProcW(systemProc_, hwnd, message, wParam, lParam);
}

HTREEITEM TLeftoverTree::Add(HTREEITEM parent, TLeftoverNode node, int state) {
    nodes_.push_back(std::move(node));
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(nodes_.back().text.c_str());
    insert.item.lParam = static_cast<LPARAM>(nodes_.size() - 1);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    insert.item.state = INDEXTOSTATEIMAGEMASK(state);
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TLeftoverTree::Remove(HTREEITEM item) {
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void TLeftoverTree::Clear() {
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    nodes_.clear();
}

const TLeftoverNode& TLeftoverTree::Node(HTREEITEM item) const {
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return nodes_.at(static_cast<size_t>(data.lParam));
}

TLeftoverNode& TLeftoverTree::Node(HTREEITEM item) {
    return const_cast<TLeftoverNode&>(std::as_const(*this).Node(item));
}

std::wstring TLeftoverTree::ItemText(HTREEITEM item) const {
    std::wstring text(Node(item).text.size() + 2, L'\0');
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text.data();
    data.cchTextMax = static_cast<int>(text.size());
    Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    text.resize(wcslen(text.c_str()));
    return text;
}

TTickTree::TNode TLeftoverTree::Next(TNode node, UINT relation) const {
    return static_cast<TNode>(Send(TVM_GETNEXTITEM, relation, static_cast<LPARAM>(node)));
}

TTickTree::TNode TLeftoverTree::FirstRoot() const {
    return Next(0, TVGN_ROOT);
}

TTickTree::TNode TLeftoverTree::Parent(TNode node) const {
    return Next(node, TVGN_PARENT);
}

TTickTree::TNode TLeftoverTree::FirstChild(TNode node) const {
    return Next(node, TVGN_CHILD);
}

TTickTree::TNode TLeftoverTree::NextSibling(TNode node) const {
    return Next(node, TVGN_NEXT);
}

int TLeftoverTree::State(TNode node) const {
    return static_cast<int>(Send(TVM_GETITEMSTATE, node, TVIS_STATEIMAGEMASK) >> 12);
}

void TLeftoverTree::SetState(TNode node, int state) {
    TVITEMW data{};
    data.mask = TVIF_STATE;
    data.hItem = Item(node);
    data.stateMask = TVIS_STATEIMAGEMASK;
    data.state = INDEXTOSTATEIMAGEMASK(state);
    Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace varnook
