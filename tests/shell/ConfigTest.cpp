#include "ShellFixture.h"

#include "gui/shell/ProfileFile.h"
#include "gui/shell/globals.h"
#include "platform/Errors.h"

using namespace shelltest;
using namespace varnook;

namespace {

using ConfigTest = ShellTest;

TEST_F(ConfigTest, FirstRunWritesConfigAndLaysOutTheFolders) {
    ASSERT_TRUE(LoadConfig(Folder()));

    const std::wstring& app = Folder();
    EXPECT_EQ(FileLines(app + L"Config.ini"),
              (std::vector<std::wstring>{L"[config]", L"SkinFile=Default.ini", L"LanguageFile=English.ini",
                                         L"HideScreenSaver=1", L"HideSysPatch=0"}));
    const TGlobals& g = Globals();
    EXPECT_EQ(g.AppPath, app);
    EXPECT_EQ(g.ConfigPath, app + L"Config.ini");
    EXPECT_EQ(g.LangsPath, app + L"Langs\\");
    EXPECT_EQ(g.HelpPath, app + L"Langs\\Help.Chm");
    EXPECT_EQ(g.LanguagePath, app + L"Langs\\English.ini");
    EXPECT_EQ(g.SkinsPath, app + L"Skins\\");
    EXPECT_EQ(g.SkinPath, app + L"Skins\\Default.ini");
    EXPECT_EQ(g.RegBackupPath, app + L"Back up\\reg\\");
    EXPECT_EQ(g.ScrBackupPath, app + L"Back up\\scr\\");
    EXPECT_TRUE(g.HideScreenSaver);
    EXPECT_FALSE(g.HideSysPatch);
    EXPECT_TRUE(DirectoryExists(app + L"Langs"));
    EXPECT_TRUE(DirectoryExists(app + L"Skins"));
    // Backup folders are made by the commands that fill them.
    EXPECT_FALSE(DirectoryExists(app + L"Back up"));
    EXPECT_TRUE(prompt_.messages.empty());
}

TEST_F(ConfigTest, CreatesMissingParentsOfTheLanguageAndSkinFolders) {
    const std::wstring app = Folder() + L"not\\yet\\there\\";
    ASSERT_TRUE(ForceDirectories(app));
    ASSERT_TRUE(LoadConfig(app));
    EXPECT_TRUE(DirectoryExists(app + L"Langs"));
    EXPECT_TRUE(DirectoryExists(app + L"Skins"));
}

TEST_F(ConfigTest, ReadsAnExistingFileWithoutChangingIt) {
    struct TCase {
        std::string config;
        std::wstring languageFile;
        std::wstring skinFile;
        bool hideSysPatch;
        bool hideScreenSaver;
    };
    const TCase cases[] = {
        // No SkinFile key: the default skin is used and the key is not added.
        {"[config]\r\nLanguageFile=Deutsch.ini\r\nHideSysPatch=1\r\nHideScreenSaver=0\r\n", L"Deutsch.ini",
         L"Default.ini", true, false},
        // Names in any case, blanks around keys and values; any number but 0 is on.
        {"[CONFIG]\r\n  skinfile = Dark \r\nHIDESYSPATCH = 7\r\nhidescreensaver=-1\r\n", L"English.ini", L"Dark", true,
         true},
        // Not a number: the built-in value.
        {"[config]\r\nHideSysPatch=yes\r\nHideScreenSaver=\r\n", L"English.ini", L"Default.ini", false, true},
        // The key must be in its own section.
        {"[other]\r\nHideSysPatch=1\r\n[config]\r\n", L"English.ini", L"Default.ini", false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.config);
        Globals().Reset();
        WriteText(Folder() + L"Config.ini", c.config);
        const std::vector<std::wstring> before = FileLines(Folder() + L"Config.ini");

        ASSERT_TRUE(LoadConfig(Folder()));
        EXPECT_EQ(Globals().LanguagePath, Folder() + L"Langs\\" + c.languageFile);
        EXPECT_EQ(Globals().SkinPath, Folder() + L"Skins\\" + c.skinFile);
        EXPECT_EQ(Globals().HideSysPatch, c.hideSysPatch);
        EXPECT_EQ(Globals().HideScreenSaver, c.hideScreenSaver);
        EXPECT_EQ(FileLines(Folder() + L"Config.ini"), before);
    }
    EXPECT_TRUE(prompt_.messages.empty());
}

// Wine running as root writes through read-only attributes and permissions alike, so the unwritable
// Config.ini is a path that cannot be a file: a missing folder, or a folder in its place.
TEST_F(ConfigTest, UnwritableConfigIsReportedAndStopsStartUp) {
    const std::wstring missing = Folder() + L"missing\\";
    const std::wstring occupied = Folder() + L"occupied\\";
    ASSERT_TRUE(ForceDirectories(occupied + L"Config.ini"));

    for (const std::wstring& app : {missing, occupied}) {
        SCOPED_TRACE(testing::PrintToString(app));
        prompt_.messages.clear();
        EXPECT_FALSE(LoadConfig(app));
        ASSERT_EQ(prompt_.messages.size(), 1u);
        EXPECT_EQ(prompt_.messages[0].text, L"Save file " + app + L"Config.ini failed!");
        EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
        EXPECT_FALSE(DirectoryExists(app + L"Langs"));
        EXPECT_FALSE(WriteDefaultConfig());
    }
}

TEST_F(ConfigTest, ExitWriterStoresBothFlagsInOrder) {
    WriteText(Folder() + L"Config.ini", "[config]\r\nSkinFile=Default.ini\r\n");
    ASSERT_TRUE(LoadConfig(Folder()));

    SaveFilterFlags(true, false);
    EXPECT_EQ(
        FileLines(Folder() + L"Config.ini"),
        (std::vector<std::wstring>{L"[config]", L"SkinFile=Default.ini", L"HideSysPatch=1", L"HideScreenSaver=0"}));

    // The next start reads them back.
    SaveFilterFlags(false, true);
    Globals().Reset();
    ASSERT_TRUE(LoadConfig(Folder()));
    EXPECT_FALSE(Globals().HideSysPatch);
    EXPECT_TRUE(Globals().HideScreenSaver);
}

TEST_F(ConfigTest, WriteConfigValueReplacesInPlace) {
    ASSERT_TRUE(LoadConfig(Folder()));
    WriteConfigValue(kKeyLanguageFile, L"Deutsch.ini");
    EXPECT_EQ(FileLines(Folder() + L"Config.ini"),
              (std::vector<std::wstring>{L"[config]", L"SkinFile=Default.ini", L"LanguageFile=Deutsch.ini",
                                         L"HideScreenSaver=1", L"HideSysPatch=0"}));
}

TEST_F(ConfigTest, FailedWriteRaisesWithThePath) {
    ASSERT_TRUE(LoadConfig(Folder()));
    ASSERT_TRUE(DeleteFileW(Globals().ConfigPath.c_str()));
    ASSERT_TRUE(CreateDirectoryW(Globals().ConfigPath.c_str(), nullptr));

    for (const auto& write : {+[] { SaveFilterFlags(true, true); }, +[] { WriteConfigValue(kKeySkinFile, L"x"); }}) {
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const platform::EError& error) {
            EXPECT_EQ(error.Message(), L"Unable to write to " + Globals().ConfigPath);
        }
    }
}

}  // namespace
