#include "GuiFixture.h"
#include "Screenshot.h"

#include "gui/shell/frmAbout.h"
#include "gui/shell/frmSplash.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"

#include <algorithm>
#include <chrono>

using namespace guitest;
using varnook::TArButton;

namespace {

RECT ScreenBounds(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

int Width(const RECT& rect) {
    return rect.right - rect.left;
}

// The pop-up menu that opens during `open`, found by a timer inside the menu's own loop and closed again.
struct TMenuProbe {
    static inline RECT seen{};
    static inline bool opened = false;
    static inline std::wstring screenshot;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
            GetWindowRect(menu, &seen);
            opened = true;
            if (!screenshot.empty()) {
                UpdateWindow(menu);
                SaveScreenshot(nullptr, screenshot);
            }
            EndMenu();
        }
    }

    // Opens a menu with `open`; true when one appeared. With a file name, a picture of the screen is saved
    // while the menu is open.
    template <class Open>
    static bool Run(Open open, const std::wstring& picture = {}) {
        opened = false;
        screenshot = picture;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
        open();
        KillTimer(nullptr, timer);
        return opened;
    }
};

}  // namespace

TEST_F(GuiTest, FirstStartWritesTheFilesAndShowsTheInitialState) {
    Start();
    ASSERT_TRUE(form_);
    EXPECT_TRUE(prompt_.messages.empty());
    for (const wchar_t* file : {L"Config.ini", L"Langs\\English.ini", L"Skins\\Default.ini"})
        EXPECT_NE(GetFileAttributesW((app_ + file).c_str()), INVALID_FILE_ATTRIBUTES) << file;

    // Screen savers hidden, system patches shown, the program list page in front.
    EXPECT_TRUE(form_->ckbHideScr.Checked());
    EXPECT_FALSE(form_->ckbHidePatch.Checked());
    EXPECT_EQ(form_->ActivePage(), 0);
    EXPECT_FALSE(form_->btnProgramList.Enabled());
    EXPECT_TRUE(form_->btnStartupItemList.Enabled());
    EXPECT_FALSE(form_->btnUninstall.Enabled());

    // Built-in English texts, skin pictures and positions.
    EXPECT_EQ(form_->btnFile.Text(), L"File");
    EXPECT_EQ(form_->btnSelectAll.Text(), L"Disable All");
    EXPECT_EQ(form_->lsvProgramList.ColumnCaption(2), L"Directory");
    EXPECT_EQ(form_->lsvStartupList.ColumnCaption(0), L"Startup Item");
    EXPECT_FALSE(form_->imgBackGround.Empty());
    EXPECT_FALSE(form_->btnUninstall.PicDisabled.Empty());
    RECT client;
    GetClientRect(form_->Handle(), &client);
    EXPECT_EQ(client.right, 763);
    EXPECT_EQ(client.bottom, 538);

    // The only language file is listed and checked.
    ASSERT_EQ(form_->mItemLanguages.Count(), 1u);
    EXPECT_EQ(form_->mItemLanguages.Caption(0), L"English");
    EXPECT_TRUE(form_->mItemLanguages.Checked(0));
    Screenshot(form_->Handle(), L"main-window");
}

TEST_F(GuiTest, StartUpStopsWhenConfigCannotBeWritten) {
    // Wine as root writes through every permission: a folder in the file's place makes the write fail.
    ASSERT_TRUE(CreateDirectoryW((app_ + L"Config.ini").c_str(), nullptr));
    Start();
    EXPECT_FALSE(form_);
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Save file " + app_ + L"Config.ini failed!");
    EXPECT_EQ(prompt_.messages[0].flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
}

TEST_F(GuiTest, StartUpStopsWhenTheServerCannotBeLoaded) {
    Start(L"C:\\VarnookTests\\nowhere\\Tallivor.dll");
    EXPECT_FALSE(form_);
    ASSERT_EQ(prompt_.messages.size(), 1u);
    const std::wstring& text = prompt_.messages[0].text;
    EXPECT_TRUE(text.ends_with(L": C:\\VarnookTests\\nowhere\\Tallivor.dll")) << text;
    EXPECT_GT(text.size(), std::wstring(L": C:\\VarnookTests\\nowhere\\Tallivor.dll").size()) << "system text first";
}

TEST_F(GuiTest, PartialLanguageFileSwitchesOnlyItsKeys) {
    CreateDirectoryW((app_ + L"Langs").c_str(), nullptr);
    WriteAppFile(L"Langs\\Partial.ini", L"[Language]\r\nIDS_MAINFORM_MENU_File=Datei\r\n");
    Start();
    ASSERT_TRUE(form_);
    size_t partial = form_->mItemLanguages.Count();
    for (size_t i = 0; i < form_->mItemLanguages.Count(); ++i) {
        if (form_->mItemLanguages.Caption(i) == L"Partial")
            partial = i;
    }
    ASSERT_LT(partial, form_->mItemLanguages.Count());
    form_->LanguageItemClick(partial);

    EXPECT_EQ(form_->btnFile.Text(), L"Datei");
    EXPECT_EQ(form_->btnView.Text(), L"View");
    EXPECT_EQ(varnook::Globals().LanguagePath, app_ + L"Langs\\Partial.ini");
    for (size_t i = 0; i < form_->mItemLanguages.Count(); ++i)
        EXPECT_EQ(form_->mItemLanguages.Checked(i), i == partial);
    wchar_t value[64];
    GetPrivateProfileStringW(L"config", L"LanguageFile", L"", value, 64, (app_ + L"Config.ini").c_str());
    EXPECT_STREQ(value, L"Partial.ini");
}

TEST_F(GuiTest, LanguageFileNamedInAnotherCaseIsChecked) {
    WriteAppFile(L"Config.ini", L"[config]\r\nLanguageFile=english.INI\r\n");
    CreateDirectoryW((app_ + L"Langs").c_str(), nullptr);
    WriteAppFile(L"Langs\\English.ini", L"[Language]\r\nIDS_MAINFORM_MENU_View=Ansicht\r\n");
    Start();
    ASSERT_TRUE(form_);
    ASSERT_EQ(form_->mItemLanguages.Count(), 1u);
    EXPECT_TRUE(form_->mItemLanguages.Checked(0));
    EXPECT_EQ(form_->btnView.Text(), L"Ansicht");
}

TEST_F(GuiTest, ShippedLanguagesAreListedAndSwitchBackAndForth) {
    // The translations as the build stages them beside the program, installed as a user gets them.
    InstallShippedLanguages();
    Start();
    ASSERT_TRUE(form_);
    auto& languages = form_->mItemLanguages;
    std::vector<std::wstring> captions;
    for (size_t i = 0; i < languages.Count(); ++i)
        captions.push_back(languages.Caption(i));
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"English", L"French", L"German"}));

    // Texts with letters beyond ASCII show that the files are read as Unicode.
    const struct {
        const wchar_t* language;
        const wchar_t* file;
        const wchar_t* publisher;
        const wchar_t* deleteEntry;
        const wchar_t* apply;
    } switches[] = {
        {L"German", L"Datei", L"Herausgeber", L"Eintrag l\u00f6schen", L"\u00dcbernehmen"},
        {L"French", L"Fichier", L"\u00c9diteur", L"Supprimer l'entr\u00e9e", L"Appliquer"},
        {L"English", L"File", L"Publisher", L"Delete Entry", L"Apply"},
    };
    for (const auto& s : switches) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(s.language)));
        size_t index = languages.Count();
        for (size_t i = 0; i < languages.Count(); ++i) {
            if (languages.Caption(i) == s.language)
                index = i;
        }
        ASSERT_LT(index, languages.Count());
        form_->LanguageItemClick(index);
        EXPECT_TRUE(languages.Checked(index));
        EXPECT_EQ(form_->btnFile.Text(), s.file);
        EXPECT_EQ(form_->lsvProgramList.ColumnCaption(1), s.publisher);
        EXPECT_EQ(form_->btnDelete.Text(), s.deleteEntry);
        EXPECT_EQ(form_->btnApply.Text(), s.apply);
        Screenshot(form_->Handle(), std::wstring(L"main-window-") + s.language);
    }
}

TEST_F(GuiTest, SkinPositionsAndTheFirstBadValueStopTheSkin) {
    CreateDirectoryW((app_ + L"Skins").c_str(), nullptr);
    WriteAppFile(L"Skins\\Default.ini",
                 L"[MainForm]\r\n"
                 L"SK_MAINFORM_BUTTON_File_Pos=10, 10, 100, 30, 99\r\n"
                 L"SK_MAINFORM_BUTTON_View_PicMouseHover=missing.png\r\n"
                 L"SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos=0, 13, 185, 43\r\n"
                 L"SK_MAINFORM_PAGE1_BUTTON_Refresh_Pos=0, 100, 185, 4x\r\n"
                 L"SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HidePatch_Pos=20, 316, 160, 26\r\n");
    Start();
    ASSERT_TRUE(form_);
    const RECT file = form_->btnFile.Bounds();
    EXPECT_EQ(file.left, 10);
    EXPECT_EQ(file.top, 10);
    EXPECT_EQ(Width(file), 100);
    EXPECT_EQ(file.bottom - file.top, 30);

    // Before the bad value everything is skinned; from it on nothing is.
    EXPECT_EQ(form_->btnUninstall.Bounds().top, 13);
    EXPECT_FALSE(form_->btnShowDetails.PicNormal.Empty());
    EXPECT_TRUE(form_->btnRefresh.PicNormal.Empty());
    EXPECT_EQ(form_->ckbHidePatch.Bounds().left, 15);
    EXPECT_TRUE(form_->btnSearch.PicNormal.Empty());
    EXPECT_TRUE(form_->btnApply.PicNormal.Empty());

    // A missing hover picture: the normal one shows under the mouse.
    EXPECT_TRUE(form_->btnView.PicMouseHover.Empty());
    SendMessageW(form_->btnView.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form_->btnView.State(), TArButton::TState::MouseHover);
    EXPECT_EQ(form_->btnView.DrawnPicture(), &form_->btnView.PicNormal);
}

TEST_F(GuiTest, HotSpotFoldsTheSidePanelAndWidensTheList) {
    Start();
    ASSERT_TRUE(form_);
    form_->SizePanelPL.ClickHotSpot();
    EXPECT_EQ(Width(form_->lsvProgramList.Bounds()), 742);
    EXPECT_FALSE(varnook::Globals().SizePanelPLOpen);
    EXPECT_FALSE(form_->SizePanelPL.IsOpen());
    form_->SizePanelPL.ClickHotSpot();
    EXPECT_EQ(Width(form_->lsvProgramList.Bounds()), 556);
    EXPECT_TRUE(varnook::Globals().SizePanelPLOpen);
}

TEST_F(GuiTest, MenuButtonsOpenTheirMenusUnderThemselves) {
    Start();
    ASSERT_TRUE(form_);
    const RECT button = ScreenBounds(form_->btnFile.Handle());
    ASSERT_TRUE(TMenuProbe::Run([&] { form_->btnFileClick(form_->btnFile); }, ScreenshotPath(L"menu-file")));
    EXPECT_EQ(TMenuProbe::seen.left, button.left);
    EXPECT_EQ(TMenuProbe::seen.top, button.bottom);
    Pump();
    EXPECT_EQ(GetFocus(), form_->txtHide.Handle()) << "the focus leaves the menu button";

    // A right click opens View at the pointer, and File not at all.
    const POINT pointer{300, 300};
    EXPECT_TRUE(TMenuProbe::Run(
        [&] { SendMessageW(form_->btnView.Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(pointer.x, pointer.y)); }));
    EXPECT_EQ(TMenuProbe::seen.left, pointer.x);
    EXPECT_EQ(TMenuProbe::seen.top, pointer.y);
    EXPECT_FALSE(TMenuProbe::Run(
        [&] { SendMessageW(form_->btnFile.Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(pointer.x, pointer.y)); }));
}

TEST_F(GuiTest, HelpCommandsGoThroughTheShell) {
    Start();
    ASSERT_TRUE(form_);
    MSG f1{form_->btnFile.Handle(), WM_KEYDOWN, VK_F1, 0, 0, {}};
    EXPECT_TRUE(form_->PreTranslateMessage(f1));
    form_->ActionContact.Execute();
    form_->ActionOnlineRes.Execute();
    ASSERT_EQ(prompt_.opens.size(), 3u);
    EXPECT_EQ(prompt_.opens[0].verb, L"Open");
    EXPECT_EQ(prompt_.opens[0].file, app_ + L"Langs\\Help.Chm");
    EXPECT_TRUE(prompt_.opens[1].file.starts_with(L"mailto:"));
    EXPECT_TRUE(prompt_.opens[2].file.starts_with(L"https://"));
}

TEST_F(GuiTest, ExitSavesTheFiltersAndReportsAnUnwritableConfig) {
    Start();
    ASSERT_TRUE(form_);
    form_->ckbHidePatch.SetChecked(true);
    form_->ckbHideScr.SetChecked(false);
    // An unwritable Config.ini at exit: the error is shown and the window stays.
    const std::wstring config = app_ + L"Config.ini";
    ASSERT_TRUE(DeleteFileW(config.c_str()));
    ASSERT_TRUE(CreateDirectoryW(config.c_str(), nullptr));
    varnook::Guarded([&] { form_->ActionExit.Execute(); });
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, L"Unable to write to " + config);
    EXPECT_TRUE(IsWindow(form_->Handle()));

    ASSERT_TRUE(RemoveDirectoryW(config.c_str()));
    varnook::Guarded([&] { form_->ActionExit.Execute(); });
    EXPECT_FALSE(IsWindow(form_->Handle()));
    EXPECT_EQ(GetPrivateProfileIntW(L"config", L"HideSysPatch", -1, config.c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntW(L"config", L"HideScreenSaver", -1, config.c_str()), 0);
}

TEST_F(GuiTest, AboutShowsTitleLinksAndTheSkinPicture) {
    Start();
    ASSERT_TRUE(form_);
    varnook::TAboutForm about;
    about.Create(form_->Handle());
    EXPECT_EQ(about.Text(), L"About");
    EXPECT_EQ(about.lblProductTitle.Text(), L"Varnook 1.0");
    EXPECT_EQ(about.btnOK.Text(), L"OK");
    EXPECT_FALSE(about.ImgAbout.Empty());
    RECT client;
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, 474);
    EXPECT_EQ(client.bottom, 347);
    about.Show(true);
    Screenshot(about.Handle(), L"about");
    about.lnkSupportEmail.OnClick();
    ASSERT_EQ(prompt_.opens.size(), 1u);
    EXPECT_EQ(prompt_.opens[0].file, L"mailto:support@varnook.example");
}

TEST_F(GuiTest, SplashShowsItsNoticeForOneAndAHalfSeconds) {
    Start();
    ASSERT_TRUE(form_);
    varnook::TSplashForm splash;
    splash.Create();
    EXPECT_NE(splash.lblCopyright.Text().find(L"\r\n"), std::wstring::npos) << "a two-line notice";
    ASSERT_FALSE(splash.imgBackground.Empty());
    RECT bounds = ScreenBounds(splash.Handle());
    EXPECT_EQ(Width(bounds), splash.imgBackground.Width());
    splash.Show(true);
    Screenshot(splash.Handle(), L"splash");
    const auto start = std::chrono::steady_clock::now();
    splash.ShowModal();
    const auto shown = std::chrono::steady_clock::now() - start;
    EXPECT_GE(shown, std::chrono::milliseconds(1300));
    EXPECT_LT(shown, std::chrono::milliseconds(4000));
}
