#include "ComTestSupport.h"

#include "gui/programs/TallivorLib_TLB.h"
#include "platform/Errors.h"

using namespace comtest;
using platform::EOleError;
using varnook::TProgramList;

namespace {

using ClientTest = TComTest;

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(ClientTest, RegisterComServerFindsTheDllByPlainName) {
    ASSERT_EQ(Server().unregisterServer(), S_OK);
    ASSERT_FALSE(ClassesKeyExists(L"Tallivor.ProgramList"));
    EXPECT_NO_THROW(varnook::RegisterComServer(L"Tallivor.dll"));
    EXPECT_TRUE(ClassesKeyExists(L"Tallivor.ProgramList"));
    EXPECT_TRUE(ClassesKeyExists(L"Tallivor.ProgramItem"));
}

TEST_F(ClientTest, RegisterComServerRaisesTheSystemsText) {
    const struct {
        const wchar_t* file;
        HRESULT code;
        bool namesFile;
    } cases[] = {
        {L"VarnookNoSuchServer.dll", HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), true},
        // A DLL without the export.
        {L"version.dll", HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        try {
            varnook::RegisterComServer(c.file);
            ADD_FAILURE() << "no error raised";
        } catch (const EOleError& error) {
            EXPECT_EQ(error.Code(), c.code);
            const std::wstring expected =
                platform::SystemErrorText(c.code) + (c.namesFile ? L": " + std::wstring(c.file) : L"");
            EXPECT_EQ(error.Message(), expected);
            EXPECT_FALSE(EndsWith(platform::SystemErrorText(c.code), L".")) << "the text goes before \": name\"";
            EXPECT_STRNE(error.what(), "");
        }
    }
}

TEST_F(ClientTest, ProgramListConnectsOnFirstUseAndKeepsOneObject) {
    ASSERT_EQ(Server().canUnloadNow(), S_OK);
    TProgramList programs;
    EXPECT_EQ(Server().canUnloadNow(), S_OK) << "nothing is created before the first use";

    // Members on empty lists answer S_FALSE: no error, and the result stays empty.
    EXPECT_FALSE(programs.ProgramItem(0));
    EXPECT_EQ(programs.ScrName(0), L"");
    EXPECT_EQ(programs.ScrSize(0), 0u);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    IProgramList* const connected = programs.DefaultInterface();
    ASSERT_NE(connected, nullptr);

    programs.UpdateProgramList();
    programs.UpdateScrList();
    EXPECT_EQ(programs.DefaultInterface(), connected);
    ULONG direct = 0;
    ASSERT_EQ(connected->get_ItemCount(&direct), S_OK);
    EXPECT_EQ(programs.ItemCount(), direct);
    ASSERT_GE(direct, std::size(kPlantedEntries));
    for (ULONG i = 0; i < direct; ++i)
        EXPECT_TRUE(programs.ProgramItem(i));

    const int index = FindScreenSaver(connected);
    ASSERT_GE(index, 0);
    EXPECT_EQ(_wcsicmp(programs.ScrName(index).c_str(), kPlantedScreenSaver), 0);
    EXPECT_EQ(_wcsicmp((programs.ScrFileDir(index) + programs.ScrName(index)).c_str(), ScreenSaverPath().c_str()), 0);
    EXPECT_EQ(programs.ScrSize(index), kPlantedScreenSaverSize);
    EXPECT_EQ(programs.ScrLastAccessTime(index).size(), 20u);
    EXPECT_EQ(programs.scrDescription(index), L"");
    EXPECT_EQ(programs.ScrPublisher(index), L"");
    EXPECT_GE(programs.ScrItemCount(), static_cast<ULONG>(index) + 1);

    programs.Disconnect();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(ClientTest, ProgramListRaisesNegativeResults) {
    TProgramList programs;
    programs.UpdateScrList();
    const ULONG count = programs.ScrItemCount();
    ASSERT_GT(count, 0u);
    try {
        programs.ScrName(count);
        ADD_FAILURE() << "an index past the end raised nothing";
    } catch (const EOleError& error) {
        EXPECT_TRUE(FAILED(error.Code()));
    }
    programs.Disconnect();

    // Without the registration the object cannot be made: the first use raises.
    ASSERT_EQ(Server().unregisterServer(), S_OK);
    TProgramList unregistered;
    try {
        unregistered.ItemCount();
        ADD_FAILURE() << "connecting to an unregistered class raised nothing";
    } catch (const EOleError& error) {
        EXPECT_EQ(error.Code(), REGDB_E_CLASSNOTREG);
        EXPECT_FALSE(error.Message().empty());
    }
}
