#include "InventoryFixture.h"

using namespace inventorytest;
using testsupport::Dword;
using testsupport::Raw;
using testsupport::Sz;

TEST_F(InventoryTest, AdmitsByUninstallStringAndSystemComponentOnly) {
    AddEntry(L"Alpha", {Sz(L"DisplayName", L"Alpha"), Sz(L"UninstallString", L"alpha.exe")});
    AddEntry(L"Hidden", {Dword(L"SystemComponent", 1), Sz(L"UninstallString", L"x.exe")});
    AddEntry(L"HiddenBinary", {Raw(L"SystemComponent", REG_BINARY, {1}), Sz(L"UninstallString", L"x.exe")});
    AddEntry(L"ShownZero", {Dword(L"SystemComponent", 0), Sz(L"UninstallString", L"x.exe")});
    AddEntry(L"ShownText", {Sz(L"SystemComponent", L"1"), Sz(L"UninstallString", L"x.exe")});
    AddEntry(L"NoUninstall", {Sz(L"DisplayName", L"Gone")});
    AddEntry(L"EmptyUninstall", {Sz(L"DisplayName", L"Gone"), Sz(L"UninstallString", L"")});
    AddEntry(L"NoName", {Sz(L"UninstallString", L"x.exe")});
    AddEntry(L"Patch", {Dword(L"TSAware", 0), Sz(L"UninstallString", L"x.exe"), Sz(L"DisplayName", L"KB1")});

    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);

    // Items stand in the registry's enumeration order.
    std::vector<std::wstring> expected;
    const platform::TKey uninstall = platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstall);
    std::wstring name;
    for (DWORD i = 0; platform::EnumSubKey(uninstall.get(), i, name); ++i) {
        if (name == L"Alpha" || name == L"ShownZero" || name == L"ShownText" || name == L"NoName" || name == L"Patch")
            expected.push_back(name);
    }
    ASSERT_EQ(Number(list.get(), &IProgramList::get_ItemCount), expected.size());
    for (ULONG i = 0; i < expected.size(); ++i) {
        platform::TComPtr<IProgramItem> item;
        ASSERT_EQ(list->get_ProgramItem(i, item.put()), S_OK);
        EXPECT_EQ(Text(item.get(), &IProgramItem::get_RegistryName), expected[i]);
    }

    EXPECT_EQ(Text(Find(list.get(), L"NoName").get(), &IProgramItem::get_DisplayName), L"");
    EXPECT_EQ(Text(Find(list.get(), L"Alpha").get(), &IProgramItem::get_UninstallString), L"alpha.exe");
    EXPECT_EQ(Number(Find(list.get(), L"Patch").get(), &IProgramItem::get_IsSysPatch), 1u);
    EXPECT_EQ(Number(Find(list.get(), L"Alpha").get(), &IProgramItem::get_IsSysPatch), 0u);
    // SubKeyCount counts the entry's values, not its subkeys.
    EXPECT_EQ(Number(Find(list.get(), L"Patch").get(), &IProgramItem::get_SubKeyCount), 3u);
}

TEST_F(InventoryTest, EmptyListAnswersSFalseWithoutWriting) {
    auto list = NewList();
    EXPECT_EQ(Number(list.get(), &IProgramList::get_ItemCount), 0u);
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    EXPECT_EQ(Number(list.get(), &IProgramList::get_ItemCount), 0u);
    IProgramItem* untouched = reinterpret_cast<IProgramItem*>(0x1234);
    EXPECT_EQ(list->get_ProgramItem(0, &untouched), S_FALSE);
    EXPECT_EQ(untouched, reinterpret_cast<IProgramItem*>(0x1234));
    EXPECT_EQ(list->get_ProgramItem(0, nullptr), E_POINTER);
}

TEST_F(InventoryTest, RebuildReplacesItemsAndHeldItemsStayValid) {
    AddEntry(L"One", {Sz(L"DisplayName", L"One"), Sz(L"UninstallString", L"1.exe")});
    AddEntry(L"Two", {Sz(L"DisplayName", L"Two"), Sz(L"UninstallString", L"2.exe")});
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    platform::TComPtr<IProgramItem> held;
    ASSERT_EQ(list->get_ProgramItem(1, held.put()), S_OK);
    const std::wstring heldName = Text(held.get(), &IProgramItem::get_DisplayName);

    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    EXPECT_EQ(Number(list.get(), &IProgramList::get_ItemCount), 2u);
    platform::TComPtr<IProgramItem> beyond;
    EXPECT_EQ(list->get_ProgramItem(2, beyond.put()), E_INVALIDARG);
    EXPECT_FALSE(beyond);

    list.reset();  // the list goes; the client's reference keeps the item alive
    EXPECT_EQ(Text(held.get(), &IProgramItem::get_DisplayName), heldName);
}

TEST_F(InventoryTest, OddValueDataNeverOverrunsOrStopsTheWalk) {
    const std::wstring longName(300, L'N');
    // "Abc" without its terminator and with an odd trailing byte.
    const std::vector<BYTE> unterminated = {'A', 0, 'b', 0, 'c', 0, 'z'};
    AddEntry(L"Long", {Sz(L"DisplayName", longName), Sz(L"UninstallString", std::wstring(400, L'u'))});
    AddEntry(L"Unterminated", {Raw(L"DisplayName", REG_BINARY, unterminated), Sz(L"UninstallString", L"x.exe")});
    AddEntry(L"NumberName", {Dword(L"DisplayName", 0x41), Sz(L"UninstallString", L"x.exe")});
    auto list = NewList();
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    ASSERT_EQ(Number(list.get(), &IProgramList::get_ItemCount), 3u);
    EXPECT_EQ(Text(Find(list.get(), L"Long").get(), &IProgramItem::get_DisplayName), longName);
    EXPECT_EQ(Text(Find(list.get(), L"Long").get(), &IProgramItem::get_UninstallString), std::wstring(400, L'u'));
    EXPECT_EQ(Text(Find(list.get(), L"Unterminated").get(), &IProgramItem::get_DisplayName), L"Abc");
    EXPECT_EQ(Text(Find(list.get(), L"NumberName").get(), &IProgramItem::get_DisplayName), L"A");
}
