#pragma once

#include "inventory/ProgramList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace inventorytest {

inline constexpr wchar_t kUninstall[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr wchar_t kCache[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";

// A "SlowInfoCache" record as Add/Remove Programs writes it.
inline std::vector<BYTE> CacheRecord(uint64_t size, uint64_t lastUsed, int32_t count, const std::wstring& path,
                                     bool terminated = true) {
    std::vector<BYTE> record(28);
    auto put = [&](size_t offset, uint64_t value, size_t bytes) {
        for (size_t i = 0; i < bytes; ++i)
            record[offset + i] = static_cast<BYTE>(value >> (8 * i));
    };
    put(0, 28 + (path.size() + 1) * 2, 4);
    put(8, size, 8);
    put(16, lastUsed, 8);
    put(24, static_cast<uint32_t>(count), 4);
    for (wchar_t c : path) {
        record.push_back(static_cast<BYTE>(c));
        record.push_back(static_cast<BYTE>(c >> 8));
    }
    if (terminated)
        record.insert(record.end(), {0, 0});
    return record;
}

// Every test starts from an empty uninstall key and empty usage caches in the test prefix.
class InventoryTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }

    static void Clear() {
        testsupport::EmptyKey(HKEY_LOCAL_MACHINE, kUninstall);
        testsupport::EmptyKey(HKEY_LOCAL_MACHINE, kCache);
        testsupport::EmptyKey(HKEY_CURRENT_USER, kCache);
    }

    static void AddEntry(const std::wstring& name, std::initializer_list<testsupport::TValue> values) {
        testsupport::PlantKey(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\" + name, values);
    }

    static void AddCache(const std::wstring& name, std::vector<BYTE> record) {
        testsupport::PlantKey(HKEY_LOCAL_MACHINE, std::wstring(kCache) + L"\\" + name,
                              {testsupport::Raw(L"SlowInfoCache", REG_BINARY, std::move(record))});
    }

    static platform::TComPtr<tallivor::CProgramList> NewList() {
        platform::TComPtr<tallivor::CProgramList> list;
        EXPECT_EQ(tallivor::CProgramList::CreateStandalone(list.put()), S_OK);
        return list;
    }

    // The listed item whose registry name is `name`, or null.
    static platform::TComPtr<IProgramItem> Find(tallivor::CProgramList* list, const std::wstring& name) {
        ULONG count = 0;
        list->get_ItemCount(&count);
        for (ULONG i = 0; i < count; ++i) {
            platform::TComPtr<IProgramItem> item;
            EXPECT_EQ(list->get_ProgramItem(i, item.put()), S_OK);
            if (Text(item.get(), &IProgramItem::get_RegistryName) == name)
                return item;
        }
        return nullptr;
    }

    // One item listed from a single entry.
    static platform::TComPtr<IProgramItem> Only(const std::wstring& name,
                                                std::initializer_list<testsupport::TValue> values) {
        AddEntry(name, values);
        auto list = NewList();
        EXPECT_EQ(list->UpdateProgramList(), S_OK);
        return Find(list.get(), name);
    }

    template <class O, class I>
    static std::wstring Text(O* object, HRESULT (STDMETHODCALLTYPE I::*getter)(BSTR*)) {
        platform::TBstr text;
        EXPECT_EQ((object->*getter)(text.put()), S_OK);
        return text.c_str();
    }

    template <class O, class I>
    static bool IsNull(O* object, HRESULT (STDMETHODCALLTYPE I::*getter)(BSTR*)) {
        platform::TBstr text;
        EXPECT_EQ((object->*getter)(text.put()), S_OK);
        return text.get() == nullptr;
    }

    template <class O, class I>
    static ULONG Number(O* object, HRESULT (STDMETHODCALLTYPE I::*getter)(ULONG*)) {
        ULONG value = 0xDEADBEEF;
        EXPECT_EQ((object->*getter)(&value), S_OK);
        return value;
    }
};

}  // namespace inventorytest
