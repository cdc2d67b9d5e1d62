#include "ShellFixture.h"

#include "gui/shell/globals.h"
#include "gui/shell/multiSkins.h"

using namespace shelltest;
using namespace varnook;

namespace {

class SkinTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(LoadConfig(Folder()));
    }
};

TEST(SkinKeysTest, TableKeepsTheIrregularKeys) {
    const auto keys = SkinKeys();
    ASSERT_EQ(keys.size(), 121u);
    struct TCase {
        TSkinId id;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    };
    const TCase cases[] = {
        {SK_MAINFORM_Pos, L"MainForm", L"SK_MAINFORM_Pos", L"0, 0, 763, 538"},
        {SK_MAINFORM_BUTTON_ProgramList_PosDisabled, L"MainForm", L"SK_MAINFORM_BUTTON_ProgramList_PosDisabled",
         L"btnProgramList_Disabled.png"},
        {SK_MAINFORM_BUTTON_StartupItems_PicNormal, L"MainForm", L"SK_MAINFORM_BUTTON_StartupItems_PicNormal",
         L"btnStartUpItems_Normal.png"},
        {SK_PROGRESSFORM_ImageBG_Pic, L"MainForm", L"SK_PROGRESSFORM_ImageBG_Pic", L"img_ProgressBar.png"},
        {SK_ABOUTFORM_IMGABOUT_POS, L"RegistryForm", L"SK_ABOUTFORM_IMGABOUT_POS", L"10, 11, 125, 278"},
        {SK_ABOUTFORM_LABLE_CopyRight_Pos, L"RegistryForm", L"SK_ABOUTFORM_LABLE_CopyRight_Pos", L"152,40,280,16"},
        {SK_SPLASHFORM_IMAGE_CHARGE, L"RegistryForm", L"SK_SPLASHFORM_IMAGE_CHARGE", L"img_Splash.png"},
    };
    for (const TCase& c : cases) {
        EXPECT_STREQ(keys[c.id].section, c.section);
        EXPECT_STREQ(keys[c.id].key, c.key);
        EXPECT_STREQ(keys[c.id].builtIn, c.value);
        EXPECT_EQ(Skin(c.id), c.value);
    }
    // All of one section first, then all of the other.
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_STREQ(keys[i].section, i < 108 ? L"MainForm" : L"RegistryForm") << keys[i].key;
}

TEST_F(SkinTest, FirstLoadWritesBothSectionsInOrder) {
    ASSERT_TRUE(LoadSkin());
    EXPECT_TRUE(prompt_.messages.empty());

    std::vector<std::wstring> expected;
    std::wstring section;
    for (const TSkinKey& key : SkinKeys()) {
        if (key.section != section) {
            section = key.section;
            expected.push_back(L"[" + section + L"]");
        }
        expected.push_back(std::wstring(key.key) + L"=" + key.builtIn);
    }
    const std::vector<std::wstring> lines = FileLines(Folder() + L"Skins\\Default.ini");
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const TKeyLine line = SplitKeyLine(lines[i]);
        const TKeyLine want = SplitKeyLine(expected[i]);
        EXPECT_EQ(line.key, want.key);
        EXPECT_EQ(line.value, want.value);
    }
    for (const TSkinKey& key : SkinKeys())
        EXPECT_EQ(Skin(key.id), key.builtIn);
}

TEST_F(SkinTest, AFileOverridesOnlyTheKeysOfItsSections) {
    WriteText(Folder() + L"Skins\\Default.ini",
              "[mainform]\r\n"
              "sk_mainform_button_file_pos = 10,10,100,30\r\n"
              "SK_MAINFORM_BUTTON_View_PicMouseHover=missing.png\r\n"
              "SK_SPLASHFORM_IMAGE_CHARGE=wrong-section.png\r\n"
              "[RegistryForm]\r\n"
              "SK_SPLASHFORM_IMAGE_CHARGE=splash2.png\r\n");
    ASSERT_TRUE(LoadSkin());

    EXPECT_EQ(Skin(SK_MAINFORM_BUTTON_File_Pos), L"10,10,100,30");
    EXPECT_EQ(Skin(SK_MAINFORM_BUTTON_View_PicMouseHover), L"missing.png");
    EXPECT_EQ(Skin(SK_SPLASHFORM_IMAGE_CHARGE), L"splash2.png");
    for (const TSkinKey& key : SkinKeys()) {
        if (key.id != SK_MAINFORM_BUTTON_File_Pos && key.id != SK_MAINFORM_BUTTON_View_PicMouseHover &&
            key.id != SK_SPLASHFORM_IMAGE_CHARGE) {
            EXPECT_EQ(Skin(key.id), key.builtIn) << key.key;
        }
    }
}

TEST_F(SkinTest, ASkinFileThatCannotBeWrittenIsReported) {
    const std::wstring path = Folder() + L"Skins\\Dark.ini";
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    Globals().SkinPath = path;

    EXPECT_FALSE(LoadSkin());
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Save file " + path + L" failed!");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(Skin(SK_MAINFORM_Pos), L"0, 0, 763, 538");
}

}  // namespace
