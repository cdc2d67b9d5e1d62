#pragma once

#include "Action.h"
#include "platform/Handles.h"

#include <memory>
#include <string>
#include <vector>

namespace varnook {

// An owner-drawn pop-up menu: items 21 pixels high, separators 5, a 26-pixel bar for the icons, white
// background and sky-blue separators; the dark style selects in dark blue, the light one in a pale accent.
// The owner window passes WM_MEASUREITEM, WM_DRAWITEM and WM_INITMENUPOPUP to the static handlers below.
class TPopupMenu {
public:
    enum class TStyle { Light, Dark };

    TPopupMenu(TStyle style, HIMAGELIST images);
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;
    ~TPopupMenu();

    HMENU Handle() const { return menu_.get(); }

    // An entry that runs `action` (its command id is the action's); returns the entry's index.
    size_t AddItem(TAction& action, int imageIndex = -2);
    void AddSeparator();
    // An entry that opens `submenu` (not owned; it must live as long as this menu).
    size_t AddSubmenu(TPopupMenu& submenu);
    // An entry with its own command id and no action (the language items).
    size_t AddCommand(UINT id);

    void SetCaption(size_t index, const std::wstring& caption);
    std::wstring Caption(size_t index) const;
    size_t Count() const { return entries_.size(); }
    UINT CommandId(size_t index) const { return entries_[index]->id; }
    void SetChecked(size_t index, bool checked);
    // Makes the entry run another action (its command id follows).
    void SetAction(size_t index, TAction& action);
    TAction* Action(size_t index) const { return entries_[index]->action; }
    // Hides or shows an entry; a hidden entry keeps its index.
    void SetVisible(size_t index, bool visible);
    bool Visible(size_t index) const { return entries_[index]->visible; }
    bool Checked(size_t index) const;

    // Opens the menu with its top-left corner at the screen point; returns when it has closed.
    void Popup(HWND owner, POINT screen) const;

    static bool Measure(MEASUREITEMSTRUCT& item);
    static bool Draw(const DRAWITEMSTRUCT& item);
    // Sets the enabled and checked states of the entries of `menu` from their actions.
    static void UpdateStates(HMENU menu);

private:
    struct TEntry {
        TPopupMenu* owner;
        UINT id = 0;
        std::wstring caption;
        TAction* action = nullptr;
        int imageIndex = -1;
        bool separator = false;
        bool checked = false;
        bool visible = true;
        HMENU submenu = nullptr;
    };
    size_t Append(std::unique_ptr<TEntry> entry);
    void Insert(const TEntry& entry, UINT position);
    // Builds the menu's items again from the visible entries.
    void Rebuild();

    TStyle style_;
    HIMAGELIST images_;
    platform::TMenu menu_;
    std::vector<std::unique_ptr<TEntry>> entries_;
};

}  // namespace varnook
