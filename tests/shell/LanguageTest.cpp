#include "ShellFixture.h"

#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"

#include <algorithm>
#include <cwctype>

using namespace shelltest;
using namespace varnook;

namespace {

class LanguageTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(LoadConfig(Folder()));
    }

    // Makes `name` in the Langs folder the language in effect's file.
    static void UseLanguageFile(const std::wstring& name) { Globals().LanguagePath = Globals().LangsPath + name; }
};

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

TEST(LanguageKeysTest, TableSpellsTheKeysAsTheFilesDo) {
    const auto keys = LangKeys();
    ASSERT_EQ(keys.size(), 141u);
    EXPECT_STREQ(keys.front().fileKey, L"IDS_MAINFORM_MENU_File");
    EXPECT_STREQ(keys.back().fileKey, L"IDS_MESSAGEBOX_WARNING_SaveFileFailed");

    const wchar_t* const withBlanks[] = {
        L"IDS_LISTVIEW_RIGHTCLICK_Uninstall  ",  L"IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo ",
        L"IDS_LISTVIEW_RIGHTCLICK_ShowDetails ", L"IDS_SIDEBAR_BUTTON_UnSelectAll ",
        L"IDS_SIDEBAR_GROUPBOX_LABEL_Version ",  L"IDS_SCANFORM_LABEL_Scaning ",
        L"IDS_MESSAGEBOX_WARNING_DeleteScr ",
    };
    std::vector<std::wstring> found;
    std::vector<std::wstring> lineBreakKeys;
    for (const TLangKey& key : keys) {
        const std::wstring fileKey = key.fileKey;
        if (fileKey.back() == L' ')
            found.push_back(fileKey);
        if (key.lineBreaks)
            lineBreakKeys.push_back(fileKey);
        EXPECT_EQ(Lower(key.readKey), Lower(fileKey));
        EXPECT_NE(std::wstring(key.english), L"") << fileKey;
    }
    EXPECT_EQ(found, std::vector<std::wstring>(std::begin(withBlanks), std::end(withBlanks)));
    EXPECT_EQ(lineBreakKeys, (std::vector<std::wstring>{
                                 L"IDS_SPLASHFORM_LABEL_Copyright", L"IDS_MESSAGEBOX_WARNING_ScanRemains",
                                 L"IDS_MESSAGEBOX_WARNING_DeleteScr ", L"IDS_MESSAGEBOX_WARNING_UninstallFailed"}));
    EXPECT_STREQ(keys[IDS_MESSAGEBOX_WARNING_NoRemains].fileKey, L"IDS_MESSAGEBOX_WARNING_NoRemains");
    EXPECT_STREQ(keys[IDS_MESSAGEBOX_WARNING_NoRemains].readKey, L"IDS_MESSAGEBOX_WARNING_Noremains");
}

TEST(QuoteProfileValueTest, QuotesWhatTheReaderWouldChange) {
    const struct {
        const wchar_t* text;
        const wchar_t* line;
    } cases[] = {
        {L"Publisher: ", L"\"Publisher: \""},
        {L" lead", L"\" lead\""},
        {L"\"quoted\"", L"\"\"quoted\"\""},
        {L"'single'", L"\"'single'\""},
        {L"\"open only", L"\"open only"},
        {L"plain text", L"plain text"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteProfileValue(c.text), c.line) << testing::PrintToString(std::wstring(c.text));
}

TEST(ConvertLineBreaksTest, TurnsMarkersAndBreaksIntoEachOther) {
    struct TCase {
        std::wstring text;
        bool reading;
        std::wstring result;
    };
    const TCase cases[] = {
        {L"one, #13two", true, L"one, \r\ntwo"},
        {L"  #13one#13#13two#13 \t", true, L"\r\none\r\n\r\ntwo\r\n"},
        {L"##133", true, L"#\r\n3"},
        {L"#1 3", true, L"#1 3"},
        {L"one, \r\ntwo", false, L"one, #13two"},
        {L"a\rb\nc\r\n\r\nd", false, L"a#13b#13c#13#13d"},
        {L"a\n\rb", false, L"a#13#13b"},
        {L" \r\n a \r\n ", false, L"a"},
        {L"no breaks ", false, L"no breaks"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ConvertLineBreaks(c.text, c.reading), c.result) << testing::PrintToString(c.text);
}

TEST(LanguageCaptionTest, CutsAtTheFirstDot) {
    EXPECT_EQ(LanguageCaption(L"English.ini"), L"English");
    EXPECT_EQ(LanguageCaption(L"English.v2.ini"), L"English");
    EXPECT_EQ(LanguageCaption(L"NoDot"), L"NoDot");
    EXPECT_EQ(LanguageCaption(L".ini"), L"");
}

TEST_F(LanguageTest, FirstLoadWritesEveryKeyInOrder) {
    ASSERT_TRUE(LoadLanguage());
    EXPECT_TRUE(prompt_.messages.empty());

    const std::vector<std::wstring> lines = FileLines(Folder() + L"Langs\\English.ini");
    const auto keys = LangKeys();
    ASSERT_EQ(lines.size(), keys.size() + 1);
    EXPECT_EQ(lines[0], L"[Language]");
    for (size_t i = 0; i < keys.size(); ++i) {
        const TKeyLine line = SplitKeyLine(lines[i + 1]);
        const std::wstring text =
            keys[i].lineBreaks ? ConvertLineBreaks(keys[i].english, false) : std::wstring(keys[i].english);
        EXPECT_EQ(line.key, TrimText(keys[i].fileKey));
        EXPECT_EQ(line.value, TrimText(text) == text ? text : L'"' + text + L'"') << line.key;
    }
    // The line-break texts as a translator sees them.
    const std::wstring expected[][2] = {
        {L"IDS_MESSAGEBOX_WARNING_ScanRemains",
         L"May be some registry keys or files were not completly removed, #13would you like to remove them?"},
        {L"IDS_MESSAGEBOX_WARNING_DeleteScr",
         L"Do you really want to delete the screen saver? #13It may cause the windows file protection mechanism"},
        {L"IDS_MESSAGEBOX_WARNING_UninstallFailed",
         L"The software might be uninstalled or deleted, do you want to #13clear up its registry info or files left "
         L"on your computer?"},
    };
    for (const auto& [key, value] : expected) {
        const auto at = std::find_if(lines.begin(), lines.end(),
                                     [&](const std::wstring& line) { return SplitKeyLine(line).key == key; });
        ASSERT_NE(at, lines.end()) << key;
        EXPECT_EQ(SplitKeyLine(*at).value, value);
    }
    const std::wstring splash = SplitKeyLine(lines[1 + IDS_SPLASHFORM_LABEL_Copyright]).value;
    EXPECT_EQ(std::count(splash.begin(), splash.end(), L'#'), 1) << "two lines";

    // Reading its own file back gives the texts it wrote, line breaks and outer blanks included.
    for (const TLangKey& key : keys) {
        if (!key.lineBreaks) {
            EXPECT_EQ(Lang(key.id), key.english) << key.fileKey;
        }
    }
    EXPECT_EQ(Lang(IDS_MESSAGEBOX_WARNING_ScanRemains),
              L"May be some registry keys or files were not completly removed, \r\nwould you like to remove them?");
    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_FILE_ExportRegInfo), L"Export Regisrty Info");
}

TEST_F(LanguageTest, APartialFileChangesOnlyItsKeys) {
    WriteText(Folder() + L"Langs\\Deutsch.ini",
              "[Language]\r\nIDS_MAINFORM_MENU_File=Datei\r\n"
              "IDS_MAINFORM_MENU_View=Ansicht\r\n");
    WriteText(Folder() + L"Langs\\Partial.ini", "[Language]\r\nIDS_MAINFORM_MENU_File=Fichier\r\n");

    UseLanguageFile(L"Deutsch.ini");
    ASSERT_TRUE(LoadLanguage());
    UseLanguageFile(L"Partial.ini");
    ASSERT_TRUE(LoadLanguage());

    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_File), L"Fichier");
    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_View), L"Ansicht") << "a missing key keeps the language used before";
    for (const TLangKey& key : LangKeys()) {
        if (key.id != IDS_MAINFORM_MENU_File && key.id != IDS_MAINFORM_MENU_View) {
            EXPECT_EQ(Lang(key.id), key.english) << key.fileKey;
        }
    }
    // Built-in texts keep their trailing blank when the file does not name them.
    EXPECT_EQ(Lang(IDS_SIDEBAR_GROUPBOX_LABEL_Publisher), L"Publisher: ");
    EXPECT_EQ(FileLines(Folder() + L"Langs\\Partial.ini"),
              (std::vector<std::wstring>{L"[Language]", L"IDS_MAINFORM_MENU_File=Fichier"}));
    EXPECT_TRUE(prompt_.messages.empty());
}

TEST_F(LanguageTest, ReadsValuesByTheFileRules) {
    WriteText(Folder() + L"Langs\\Rules.ini",
              "[language]\r\n"
              "IDS_MESSAGEBOX_WARNING_ScanRemains=Reste gefunden.#13Entfernen?\r\n"
              "IDS_MESSAGEBOX_WARNING_DeleteScr=Loeschen? #13 Sicher?\r\n"
              "IDS_MAINFORM_MENU_File=Da#13tei\r\n"
              "IDS_SIDEBAR_GROUPBOX_LABEL_Publisher=   Herausgeber:   \r\n"
              "IDS_MESSAGEBOX_WARNING_NoRemains=Nichts uebrig!\r\n"
              "ids_mainform_menu_view=Ansicht\r\n"
              "  IDS_LISTVIEW_RIGHTCLICK_Uninstall   =Deinstallieren\r\n"
              "IDS_SCANFORM_LABEL_Scaning=Suche:\r\n"
              "IDS_MAINFORM_MENU_Tools=\r\n");
    UseLanguageFile(L"Rules.ini");
    ASSERT_TRUE(LoadLanguage());

    EXPECT_EQ(Lang(IDS_MESSAGEBOX_WARNING_ScanRemains), L"Reste gefunden.\r\nEntfernen?");
    EXPECT_EQ(Lang(IDS_MESSAGEBOX_WARNING_DeleteScr), L"Loeschen? \r\n Sicher?");
    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_File), L"Da#13tei") << "only four keys hold line breaks";
    EXPECT_EQ(Lang(IDS_SIDEBAR_GROUPBOX_LABEL_Publisher), L"Herausgeber:");
    EXPECT_EQ(Lang(IDS_MESSAGEBOX_WARNING_NoRemains), L"Nichts uebrig!");
    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_View), L"Ansicht");
    EXPECT_EQ(Lang(IDS_LISTVIEW_RIGHTCLICK_Uninstall), L"Deinstallieren");
    EXPECT_EQ(Lang(IDS_SCANFORM_LABEL_Scaning), L"Suche:");
    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_Tools), L"") << "a key that is present but empty";
}

TEST_F(LanguageTest, TextsRoundTripThroughAWrittenFile) {
    // Every key, those named with trailing blanks included, with a text of its own.
    for (const TLangKey& key : LangKeys())
        SetLang(key.id, L"T" + std::to_wstring(key.id) + (key.lineBreaks ? L"\r\nsecond" : L""));
    UseLanguageFile(L"Copy.ini");
    ASSERT_TRUE(WriteDefaultLanguage());

    ResetLanguage();
    ASSERT_TRUE(LoadLanguage());
    for (const TLangKey& key : LangKeys())
        EXPECT_EQ(Lang(key.id), L"T" + std::to_wstring(key.id) + (key.lineBreaks ? L"\r\nsecond" : L"")) << key.fileKey;
}

TEST_F(LanguageTest, AFileThatCannotBeWrittenIsReportedInTheLanguageInEffect) {
    SetLang(IDS_MESSAGEBOX_WARNING_SaveFileFailed, L"Speichern von %s fehlgeschlagen!");
    SetLang(IDS_MAINFORM_MENU_File, L"Datei");
    const std::wstring path = Folder() + L"missing\\English.ini";
    Globals().LanguagePath = path;

    EXPECT_FALSE(LoadLanguage());
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Speichern von " + path + L" fehlgeschlagen!");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(Lang(IDS_MAINFORM_MENU_File), L"Datei") << "the texts in effect stay";
    EXPECT_FALSE(WriteDefaultLanguage());
}

TEST_F(LanguageTest, ListsTheIniFilesOfTheLangsFolder) {
    const std::wstring langs = Folder() + L"Langs\\";
    WriteText(langs + L"English.ini", "");
    WriteText(langs + L"Deutsch.v2.ini", "");
    WriteText(langs + L"notes.txt", "");
    ASSERT_TRUE(CreateDirectoryW((langs + L"Folder.ini").c_str(), nullptr));

    std::vector<std::wstring> files = LanguageFiles();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"Deutsch.v2.ini", L"English.ini"}));

    Globals().LangsPath = Folder() + L"NoLangs\\";
    EXPECT_TRUE(LanguageFiles().empty());
}

}  // namespace
