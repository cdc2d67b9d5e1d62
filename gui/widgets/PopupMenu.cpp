#include "PopupMenu.h"

#include <commctrl.h>

namespace varnook {

namespace {

constexpr int kItemHeight = 21;
constexpr int kSeparatorHeight = 5;
constexpr int kIconBar = 26;
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kIconBarColour = RGB(236, 240, 246);
constexpr COLORREF kSeparator = RGB(135, 206, 235);
constexpr COLORREF kText = RGB(30, 34, 40);
constexpr COLORREF kDisabledText = RGB(160, 164, 170);

HFONT MenuFont() {
    static platform::TFont font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return platform::TFont(CreateFontIndirectW(&metrics.lfMenuFont));
    }();
    return font.get();
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

TPopupMenu::TPopupMenu(TStyle style, HIMAGELIST images) : style_(style), images_(images), menu_(CreatePopupMenu()) {}

TPopupMenu::~TPopupMenu() {
    // Destroying a menu destroys its sub-menus too; those belong to their own TPopupMenu.
    while (GetMenuItemCount(menu_.get()) > 0)
        RemoveMenu(menu_.get(), 0, MF_BYPOSITION);
}

void TPopupMenu::Insert(const TEntry& entry, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | (entry.submenu ? MIIM_SUBMENU : 0);
    info.fType = MFT_OWNERDRAW | (entry.separator ? MFT_SEPARATOR : 0);
    info.wID = entry.id;
    info.hSubMenu = entry.submenu;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&entry);
    InsertMenuItemW(menu_.get(), position, TRUE, &info);
}

size_t TPopupMenu::Append(std::unique_ptr<TEntry> entry) {
    entry->owner = this;
    Insert(*entry, static_cast<UINT>(GetMenuItemCount(menu_.get())));
    entries_.push_back(std::move(entry));
    return entries_.size() - 1;
}

void TPopupMenu::Rebuild() {
    // Removing leaves sub-menus alive; they belong to their own TPopupMenu.
    while (GetMenuItemCount(menu_.get()) > 0)
        RemoveMenu(menu_.get(), 0, MF_BYPOSITION);
    UINT position = 0;
    for (const auto& entry : entries_) {
        if (entry->visible)
            Insert(*entry, position++);
    }
}

void TPopupMenu::SetAction(size_t index, TAction& action) {
    entries_[index]->action = &action;
    entries_[index]->id = action.Id();
    Rebuild();
}

void TPopupMenu::SetVisible(size_t index, bool visible) {
    if (entries_[index]->visible == visible)
        return;
    entries_[index]->visible = visible;
    Rebuild();
}

size_t TPopupMenu::AddItem(TAction& action, int imageIndex) {
    auto entry = std::make_unique<TEntry>();
    entry->id = action.Id();
    entry->action = &action;
    entry->imageIndex = imageIndex == -2 ? action.ImageIndex() : imageIndex;
    return Append(std::move(entry));
}

void TPopupMenu::AddSeparator() {
    auto entry = std::make_unique<TEntry>();
    entry->separator = true;
    Append(std::move(entry));
}

size_t TPopupMenu::AddSubmenu(TPopupMenu& submenu) {
    auto entry = std::make_unique<TEntry>();
    entry->submenu = submenu.Handle();
    return Append(std::move(entry));
}

size_t TPopupMenu::AddCommand(UINT id) {
    auto entry = std::make_unique<TEntry>();
    entry->id = id;
    return Append(std::move(entry));
}

void TPopupMenu::SetCaption(size_t index, const std::wstring& caption) {
    entries_[index]->caption = caption;
}

std::wstring TPopupMenu::Caption(size_t index) const {
    return entries_[index]->caption;
}

void TPopupMenu::SetChecked(size_t index, bool checked) {
    entries_[index]->checked = checked;
}

bool TPopupMenu::Checked(size_t index) const {
    const TEntry& entry = *entries_[index];
    return entry.action ? entry.action->Checked() : entry.checked;
}

void TPopupMenu::Popup(HWND owner, POINT screen) const {
    TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, owner, nullptr);
}

void TPopupMenu::UpdateStates(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || !info.dwItemData)
            continue;
        const auto* entry = reinterpret_cast<const TEntry*>(info.dwItemData);
        const bool enabled = !entry->action || entry->action->Enabled();
        const bool checked = entry->action ? entry->action->Checked() : entry->checked;
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool TPopupMenu::Measure(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || !item.itemData)
        return false;
    const auto* entry = reinterpret_cast<const TEntry*>(item.itemData);
    if (entry->separator) {
        item.itemHeight = kSeparatorHeight;
        item.itemWidth = 40;
        return true;
    }
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, MenuFont());
    SIZE size{};
    GetTextExtentPoint32W(dc, entry->caption.c_str(), static_cast<int>(entry->caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    item.itemHeight = kItemHeight;
    item.itemWidth = static_cast<UINT>(kIconBar + 10 + size.cx + 24);
    return true;
}

bool TPopupMenu::Draw(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || !item.itemData)
        return false;
    const auto* entry = reinterpret_cast<const TEntry*>(item.itemData);
    const HDC dc = item.hDC;
    RECT rect = item.rcItem;
    RECT bar = rect;
    bar.right = bar.left + kIconBar;
    FillSolid(dc, rect, kBackground);
    FillSolid(dc, bar, kIconBarColour);

    if (entry->separator) {
        RECT line{rect.left + kIconBar + 4, (rect.top + rect.bottom) / 2, rect.right - 2,
                  (rect.top + rect.bottom) / 2 + 1};
        FillSolid(dc, line, kSeparator);
        return true;
    }

    const bool disabled = item.itemState & ODS_DISABLED;
    const bool selected = (item.itemState & ODS_SELECTED) && !disabled;
    const bool dark = entry->owner->style_ == TStyle::Dark;
    COLORREF textColour = disabled ? kDisabledText : kText;
    if (selected) {
        // The icon bar keeps its light colour, so icons read in both styles.
        RECT highlight = rect;
        highlight.left += kIconBar;
        InflateRect(&highlight, -1, -1);
        if (dark) {
            FillSolid(dc, highlight, RGB(22, 60, 132));
            textColour = RGB(255, 255, 255);
        } else {
            FillSolid(dc, highlight, RGB(64, 132, 214));
            RECT inner = highlight;
            InflateRect(&inner, -1, -1);
            FillSolid(dc, inner, RGB(221, 235, 252));
        }
    }

    const int iconTop = rect.top + (kItemHeight - 16) / 2;
    if (item.itemState & ODS_CHECKED) {
        RECT box{rect.left + 3, iconTop - 1, rect.left + 3 + 18, iconTop + 17};
        FillSolid(dc, box, RGB(64, 132, 214));
        RECT inner = box;
        InflateRect(&inner, -1, -1);
        FillSolid(dc, inner, RGB(221, 235, 252));
        if (entry->imageIndex < 0) {
            // A check mark drawn as two strokes.
            const HPEN pen = CreatePen(PS_SOLID, 2, RGB(22, 60, 132));
            const HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, box.left + 4, box.top + 9, nullptr);
            LineTo(dc, box.left + 8, box.top + 13);
            LineTo(dc, box.left + 14, box.top + 5);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
    }
    if (entry->imageIndex >= 0 && entry->owner->images_) {
        ImageList_Draw(entry->owner->images_, entry->imageIndex, dc, rect.left + 5, iconTop,
                       disabled ? ILD_BLEND50 : ILD_TRANSPARENT);
    }

    RECT text = rect;
    text.left += kIconBar + 8;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    const HGDIOBJ old = SelectObject(dc, MenuFont());
    DrawTextW(dc, entry->caption.c_str(), static_cast<int>(entry->caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    return true;
}

}  // namespace varnook
