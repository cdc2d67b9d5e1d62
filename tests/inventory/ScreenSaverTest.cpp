#include "InventoryFixture.h"

#include "platform/Files.h"

#include <regex>

using namespace inventorytest;

namespace {

// Screen savers planted in the system folder for one test and removed afterwards.
class ScreenSaverTest : public InventoryTest {
protected:
    void SetUp() override {
        InventoryTest::SetUp();
        folder_ = platform::SystemDirectory() + L"\\";
        ASSERT_TRUE(CopyFileW(testsupport::WinePath(VERSIONED_FIXTURE).c_str(), (folder_ + kVersioned).c_str(), FALSE));
        testsupport::WriteFile(folder_ + kPlain, 1000);
        // A sparse file past 4 GB: the size field cannot hold it.
        platform::TFileHandle huge(
            CreateFileW((folder_ + kHuge).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER end;
        end.QuadPart = 5'000'000'000LL;
        ASSERT_TRUE(SetFilePointerEx(huge.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(huge.get()));
    }
    void TearDown() override {
        for (const wchar_t* name : {kVersioned, kPlain, kHuge})
            DeleteFileW((folder_ + name).c_str());
        InventoryTest::TearDown();
    }

    // The index of screen saver `name` in the list, or -1.
    static long IndexOf(tallivor::CProgramList* list, const std::wstring& name) {
        ULONG count = 0;
        list->get_ScrItemCount(&count);
        for (ULONG i = 0; i < count; ++i) {
            platform::TBstr found;
            EXPECT_EQ(list->get_ScrName(i, found.put()), S_OK);
            if (name == found.c_str())
                return static_cast<long>(i);
        }
        return -1;
    }

    static constexpr wchar_t kVersioned[] = L"VarnookVersioned.scr";
    static constexpr wchar_t kPlain[] = L"VarnookPlain.scr";
    static constexpr wchar_t kHuge[] = L"VarnookHuge.scr";
    std::wstring folder_;
};

template <class Getter>
std::wstring ScrText(tallivor::CProgramList* list, Getter getter, ULONG index) {
    platform::TBstr text;
    EXPECT_EQ((list->*getter)(index, text.put()), S_OK);
    return text.c_str();
}

}  // namespace

TEST_F(ScreenSaverTest, ListsEveryScreenSaverOfTheSystemFolder) {
    auto list = NewList();
    ASSERT_EQ(list->UpdateScrList(), S_OK);
    const ULONG count = Number(list.get(), &IProgramList::get_ScrItemCount);
    ASSERT_EQ(list->UpdateScrList(), S_OK);
    EXPECT_EQ(Number(list.get(), &IProgramList::get_ScrItemCount), count) << "a rebuild must not add";

    const long versioned = IndexOf(list.get(), kVersioned);
    const long plain = IndexOf(list.get(), kPlain);
    const long huge = IndexOf(list.get(), kHuge);
    ASSERT_GE(versioned, 0);
    ASSERT_GE(plain, 0);
    ASSERT_GE(huge, 0);

    EXPECT_EQ(ScrText(list.get(), &IProgramList::get_scrDescription, versioned), L"Versioned fixture");
    EXPECT_EQ(ScrText(list.get(), &IProgramList::get_ScrPublisher, versioned), L"Fixture Works Ltd");
    EXPECT_EQ(ScrText(list.get(), &IProgramList::get_scrDescription, plain), L"");
    EXPECT_EQ(ScrText(list.get(), &IProgramList::get_ScrPublisher, plain), L"");
    EXPECT_EQ(ScrText(list.get(), &IProgramList::get_ScrFileDir, plain), folder_);

    ULONG size = 0;
    ASSERT_EQ(list->get_ScrSize(plain, &size), S_OK);
    EXPECT_EQ(size, 1000u);
    ASSERT_EQ(list->get_ScrSize(huge, &size), S_OK);
    EXPECT_EQ(size, 0xFFFFFFFFu) << "4 GB and more show as the largest size";

    const std::wstring access = ScrText(list.get(), &IProgramList::get_ScrLastAccessTime, plain);
    EXPECT_TRUE(std::regex_match(access, std::wregex(LR"(\d{4}-\d\d-\d\d  \d\d:\d\d:\d\d)"))) << access;

    platform::TBstr beyond;
    EXPECT_EQ(list->get_ScrName(count, beyond.put()), E_INVALIDARG);
    EXPECT_EQ(list->get_ScrIconIndex(0, nullptr), E_POINTER);
}

TEST_F(ScreenSaverTest, EmptyListAnswersSFalseWithoutWriting) {
    auto list = NewList();
    EXPECT_EQ(Number(list.get(), &IProgramList::get_ScrItemCount), 0u);
    BSTR text = reinterpret_cast<BSTR>(0x1234);
    EXPECT_EQ(list->get_ScrName(0, &text), S_FALSE);
    EXPECT_EQ(text, reinterpret_cast<BSTR>(0x1234));
    ULONG number = 9;
    EXPECT_EQ(list->get_ScrSize(0, &number), S_FALSE);
    EXPECT_EQ(number, 9u);
}
