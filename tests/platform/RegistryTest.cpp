#include "platform/Registry.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr wchar_t kScratch[] = L"Software\\VarnookTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTree(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kScratch); }
};

}  // namespace

TEST_F(RegistryTest, OpenNeverCreates) {
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, kScratch));
    TKey created = CreateKey(HKEY_CURRENT_USER, kScratch);
    ASSERT_TRUE(created);
    EXPECT_TRUE(OpenKey(HKEY_CURRENT_USER, std::wstring(kScratch) + L"\\"));
}

TEST_F(RegistryTest, ValuesRoundTripAndEnumerateInOrder) {
    TKey key = CreateKey(HKEY_CURRENT_USER, kScratch);
    ASSERT_TRUE(WriteString(key.get(), L"", L"default"));
    ASSERT_TRUE(WriteString(key.get(), L"Text", L"caf\u00e9 \u4e2d"));
    ASSERT_TRUE(WriteDword(key.get(), L"Number", 0xFFFFFFFF));

    TKeyInfo info;
    ASSERT_TRUE(QueryKeyInfo(key.get(), info));
    EXPECT_EQ(info.values, 3u);
    EXPECT_EQ(info.maxValueData, 16u);

    // The registry chooses the order (Wine sorts by name), so look the value up among all three.
    TRegValue value;
    bool found = false;
    for (DWORD i = 0; EnumValue(key.get(), i, info.maxValueData, value); ++i) {
        ASSERT_LT(i, 3u);
        if (value.name == L"Text") {
            found = true;
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(value.data.data())), L"caf\u00e9 \u4e2d");
        }
    }
    EXPECT_TRUE(found);

    BYTE buffer[4];
    DWORD type = 0, size = 0;
    EXPECT_FALSE(QueryValue(key.get(), L"Text", buffer, sizeof buffer, type, size)) << "must not fit";
    ASSERT_TRUE(QueryValue(key.get(), L"Number", buffer, sizeof buffer, type, size));
    EXPECT_EQ(size, 4u);

    EXPECT_TRUE(DeleteValue(key.get(), L"Number"));
    EXPECT_FALSE(DeleteValue(key.get(), L"Number"));
}

TEST_F(RegistryTest, DeleteTreeRemovesKeyWithChildren) {
    CreateKey(HKEY_CURRENT_USER, std::wstring(kScratch) + L"\\A\\B");
    TKey parent = OpenKey(HKEY_CURRENT_USER, L"Software\\VarnookTests");
    ASSERT_TRUE(parent);
    std::wstring name;
    ASSERT_TRUE(EnumSubKey(parent.get(), 0, name));
    EXPECT_EQ(name, L"Registry");
    EXPECT_TRUE(DeleteTree(parent.get(), L"Registry"));
    EXPECT_FALSE(OpenKey(HKEY_CURRENT_USER, kScratch));
    EXPECT_FALSE(DeleteTree(parent.get(), L"")) << "an empty name must not empty the parent";
}
