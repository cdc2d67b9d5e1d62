#pragma once

#include "LeftoverRules.h"
#include "gui/widgets/Window.h"
#include "platform/Handles.h"

#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>

namespace varnook {

enum class TNodeKind { Key, Value, Folder, File, Link };

// What a node of the leftover trees stands for. The text is the one shown; the other fields keep its parts
// so that a value name holding a "\" is never split into a key and a value.
struct TLeftoverNode {
    std::wstring text;
    TNodeKind kind = TNodeKind::File;
    // Registry nodes: the root's name, the key's path below it, and for a value its name.
    std::wstring rootName;
    std::wstring keyPath;
    std::wstring valueName;
    // A folder with a kept node somewhere below it: never deleted as a whole.
    bool holdsKept = false;
};

// The state pictures of both trees, by TTickState (picture 0, a ticked box, is never a state).
platform::TImageList CreateTickPictures();

// A read-only tree view whose nodes carry a tick state picture and a TLeftoverNode. A press of any mouse
// button on a node's state picture calls OnStateClick; nothing else toggles a tick.
class TLeftoverTree : public TControl, public TTickTree {
public:
    void Create(HWND parent, const RECT& bounds, HIMAGELIST statePictures);

    // Adds a node as the last child of `parent` (a top-level node when null).
    HTREEITEM Add(HTREEITEM parent, TLeftoverNode node, int state = kTicked);
    // Removes the node with everything below it.
    void Remove(HTREEITEM item);
    void Clear();
    bool Empty() const { return FirstRoot() == 0; }
    const TLeftoverNode& Node(HTREEITEM item) const;
    TLeftoverNode& Node(HTREEITEM item);
    // The text the control shows for the node.
    std::wstring ItemText(HTREEITEM item) const;

    static HTREEITEM Item(TNode node) { return reinterpret_cast<HTREEITEM>(node); }
    static TNode NodeOf(HTREEITEM item) { return reinterpret_cast<TNode>(item); }

    TNode FirstRoot() const override;
    TNode Parent(TNode node) const override;
    TNode FirstChild(TNode node) const override;
    TNode NextSibling(TNode node) const override;
    int State(TNode node) const override;
    void SetState(TNode node, int state) override;

    std::function<void(HTREEITEM item)> OnStateClick;

private:
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    TNode Next(TNode node, UINT relation) const;

    static inline WNDPROC systemProc_ = nullptr;
    std::deque<TLeftoverNode> nodes_;
};

}  // namespace varnook
