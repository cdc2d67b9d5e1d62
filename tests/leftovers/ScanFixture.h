#pragma once

#include "LeftoverFixture.h"
#include "gui/leftovers/frmScanRemains.h"
#include "tests/gui/GuiFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace leftovertest {

// A started program whose test keys (under names unique to the test) are removed again at the end.
class LeftoverTest : public guitest::GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A name unique to the running test, for keys and folders.
    static std::wstring TestName(const std::wstring& prefix = L"Vnk");
    // Plants a key (emptied first) and removes it when the test ends.
    void Plant(HKEY root, const std::wstring& path, std::initializer_list<testsupport::TValue> values = {});
    // Removes the key when the test ends (for keys that the program creates).
    void RemoveLater(HKEY root, const std::wstring& path);

    // Shows a leftover dialog for `target` owned by the main window, waits for its scan, hands it to
    // `review` and closes it when `review` has not.
    void RunScan(const varnook::TScanTarget& target, const std::function<void(varnook::TScanForm&)>& review);

    // Handles messages until `condition` holds; false when it did not within `timeout` milliseconds.
    static bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 30000);

private:
    std::vector<std::pair<HKEY, std::wstring>> planted_;
};

// The texts of a tree's nodes in position order, with their depths ("  " per level).
std::vector<std::wstring> Outline(const varnook::TLeftoverTree& tree);
// The same, with each top-level node's lines (and then the top-level groups) sorted: for comparisons that do
// not depend on the order in which the registry or the file system lists names.
std::vector<std::wstring> SortedOutline(const varnook::TLeftoverTree& tree);
// Groups of lines, each a top-level line with the lines below it, ordered as SortedOutline orders a tree.
std::vector<std::wstring> SortedGroups(std::vector<std::vector<std::wstring>> groups);
// The node with this text, or null.
HTREEITEM FindNode(const varnook::TLeftoverTree& tree, const std::wstring& text);
int StateOf(const varnook::TLeftoverTree& tree, HTREEITEM item);
// A press of a mouse button on the node's state picture, as a user makes it (`down`: WM_LBUTTONDOWN,
// WM_RBUTTONDOWN or WM_MBUTTONDOWN); `onText` presses on the node's text instead.
void PressNode(varnook::TLeftoverTree& tree, HTREEITEM item, UINT down = WM_LBUTTONDOWN, bool onText = false);

bool KeyExists(HKEY root, const std::wstring& path);
bool ValueExists(HKEY root, const std::wstring& path, const std::wstring& name);

}  // namespace leftovertest
