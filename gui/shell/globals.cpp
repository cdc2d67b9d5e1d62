#include "globals.h"

#include "ProfileFile.h"
#include "funUtils.h"
#include "gui/widgets/Prompt.h"
#include "multiLangs.h"

namespace varnook {

namespace {

constexpr wchar_t kDefaultSkinFile[] = L"Default.ini";
constexpr wchar_t kDefaultLanguageFile[] = L"English.ini";

std::wstring BoolText(bool value) {
    return value ? L"1" : L"0";
}

}  // namespace

TGlobals& Globals() {
    static TGlobals globals;
    return globals;
}

bool WriteDefaultConfig() {
    const TGlobals defaults;
    try {
        WriteConfigValue(kKeySkinFile, kDefaultSkinFile);
        WriteConfigValue(kKeyLanguageFile, kDefaultLanguageFile);
        WriteConfigValue(kKeyHideScreenSaver, BoolText(defaults.HideScreenSaver));
        WriteConfigValue(kKeyHideSysPatch, BoolText(defaults.HideSysPatch));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LoadConfig(const std::wstring& appPath) {
    TGlobals& g = Globals();
    g.AppPath = appPath;
    g.ConfigPath = appPath + L"Config.ini";
    if (!FileExists(g.ConfigPath) && !WriteDefaultConfig()) {
        ShowSaveFileFailed(g.ConfigPath);
        return false;
    }
    try {
        g.LangsPath = g.AppPath + L"Langs\\";
        g.HelpPath = g.LangsPath + L"Help.Chm";
        g.LanguagePath =
            g.LangsPath + ReadProfileText(g.ConfigPath, kConfigSection, kKeyLanguageFile, kDefaultLanguageFile);
        g.SkinsPath = g.AppPath + L"Skins\\";
        g.SkinPath = g.SkinsPath + ReadProfileText(g.ConfigPath, kConfigSection, kKeySkinFile, kDefaultSkinFile);
        g.RegBackupPath = g.AppPath + L"Back up\\reg\\";
        g.ScrBackupPath = g.AppPath + L"Back up\\scr\\";
        const TGlobals defaults;
        g.HideScreenSaver =
            ReadProfileBool(g.ConfigPath, kConfigSection, kKeyHideScreenSaver, defaults.HideScreenSaver);
        g.HideSysPatch = ReadProfileBool(g.ConfigPath, kConfigSection, kKeyHideSysPatch, defaults.HideSysPatch);
        // A folder that cannot be created shows up later, when its default file cannot be written.
        ForceDirectories(g.LangsPath);
        ForceDirectories(g.SkinsPath);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void WriteConfigValue(const wchar_t* key, const std::wstring& value) {
    WriteProfileText(Globals().ConfigPath, kConfigSection, key, value);
}

void SaveFilterFlags(bool hideSysPatch, bool hideScreenSaver) {
    WriteConfigValue(kKeyHideSysPatch, BoolText(hideSysPatch));
    WriteConfigValue(kKeyHideScreenSaver, BoolText(hideScreenSaver));
}

void ShowSaveFileFailed(const std::wstring& path) {
    Prompt().MessageBox(nullptr, FormatText(Lang(IDS_MESSAGEBOX_WARNING_SaveFileFailed), path), MB_ICONERROR | MB_OK);
}

}  // namespace varnook
