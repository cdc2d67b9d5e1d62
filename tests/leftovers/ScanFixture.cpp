#include "ScanFixture.h"

#include "gui/widgets/Modal.h"
#include "platform/Registry.h"

#include <algorithm>
#include <cstring>

namespace leftovertest {

void LeftoverTest::SetUp() {
    GuiTest::SetUp();
    Start();
    ASSERT_TRUE(form_);
}

void LeftoverTest::TearDown() {
    for (auto planted = planted_.rbegin(); planted != planted_.rend(); ++planted)
        platform::DeleteTree(planted->first, planted->second);
    GuiTest::TearDown();
}

std::wstring LeftoverTest::TestName(const std::wstring& prefix) {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return prefix + std::wstring(name.begin(), name.end());
}

void LeftoverTest::Plant(HKEY root, const std::wstring& path, std::initializer_list<testsupport::TValue> values) {
    testsupport::PlantKey(root, path, values);
    RemoveLater(root, path);
}

void LeftoverTest::RemoveLater(HKEY root, const std::wstring& path) {
    planted_.emplace_back(root, path);
}

void LeftoverTest::RunScan(const varnook::TScanTarget& target, const std::function<void(varnook::TScanForm&)>& review) {
    varnook::TScanForm scan;
    scan.ReadTarget = [target] { return target; };
    varnook::SetModalDriver([&](HWND) {
        EXPECT_TRUE(WaitFor([&] { return scan.ScanCount() > 0 && !scan.Scanning(); })) << "the scan did not run";
        review(scan);
        if (!scan.Closed())
            scan.Close();
    });
    scan.Create(form_->Handle());
    scan.ShowModal();
    varnook::SetModalDriver(nullptr);
}

bool LeftoverTest::WaitFor(const std::function<bool()>& condition, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition())
            return true;
        if (GetTickCount() - start > timeout)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<std::wstring> Outline(const varnook::TLeftoverTree& tree) {
    std::vector<std::wstring> lines;
    for (const auto node : varnook::PositionOrder(tree)) {
        std::wstring indent;
        for (auto parent = tree.Parent(node); parent; parent = tree.Parent(parent))
            indent += L"  ";
        lines.push_back(indent + tree.ItemText(varnook::TLeftoverTree::Item(node)));
    }
    return lines;
}

std::vector<std::wstring> SortedOutline(const varnook::TLeftoverTree& tree) {
    std::vector<std::vector<std::wstring>> groups;
    for (const std::wstring& line : Outline(tree)) {
        if (!line.starts_with(L" ") || groups.empty())
            groups.emplace_back();
        groups.back().push_back(line);
    }
    return SortedGroups(std::move(groups));
}

std::vector<std::wstring> SortedGroups(std::vector<std::vector<std::wstring>> groups) {
    for (auto& group : groups)
        std::sort(group.begin() + 1, group.end());
    std::sort(groups.begin(), groups.end());
    std::vector<std::wstring> lines;
    for (const auto& group : groups)
        lines.insert(lines.end(), group.begin(), group.end());
    return lines;
}

HTREEITEM FindNode(const varnook::TLeftoverTree& tree, const std::wstring& text) {
    for (const auto node : varnook::PositionOrder(tree)) {
        if (tree.ItemText(varnook::TLeftoverTree::Item(node)) == text)
            return varnook::TLeftoverTree::Item(node);
    }
    return nullptr;
}

int StateOf(const varnook::TLeftoverTree& tree, HTREEITEM item) {
    return tree.State(varnook::TLeftoverTree::NodeOf(item));
}

void PressNode(varnook::TLeftoverTree& tree, HTREEITEM item, UINT down, bool onText) {
    ASSERT_TRUE(item);
    // Making a long text visible scrolls it to the left edge, over the state pictures: scroll back.
    tree.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    tree.Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0));
    // The item goes in where the rectangle comes back.
    RECT text{};
    std::memcpy(&text, &item, sizeof item);
    ASSERT_TRUE(tree.Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
    const int y = (text.top + text.bottom) / 2;
    const UINT up = down == WM_LBUTTONDOWN ? WM_LBUTTONUP : down == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_MBUTTONUP;
    int x = -1;
    if (onText) {
        x = (text.left + text.right) / 2;
    } else {
        for (int probe = text.left - 1; probe >= 0 && x < 0; --probe) {
            TVHITTESTINFO hit{};
            hit.pt = {probe, y};
            if (reinterpret_cast<HTREEITEM>(tree.Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) == item &&
                (hit.flags & TVHT_ONITEMSTATEICON))
                x = probe;
        }
    }
    ASSERT_GE(x, 0) << "no state picture found";
    PostMessageW(tree.Handle(), down, 0, MAKELPARAM(x, y));
    PostMessageW(tree.Handle(), up, 0, MAKELPARAM(x, y));
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

bool KeyExists(HKEY root, const std::wstring& path) {
    return static_cast<bool>(platform::OpenKey(root, path));
}

bool ValueExists(HKEY root, const std::wstring& path, const std::wstring& name) {
    const platform::TKey key = platform::OpenKey(root, path);
    return key && RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace leftovertest
