#pragma once

#include <string>

namespace varnook {

// Caption of every message box and first half of the About title.
inline constexpr wchar_t kApplicationTitle[] = L"Varnook";
inline constexpr wchar_t kVersionText[] = L"1.0";

// Config.ini: one section and its four keys.
inline constexpr wchar_t kConfigSection[] = L"config";
inline constexpr wchar_t kKeySkinFile[] = L"SkinFile";
inline constexpr wchar_t kKeyLanguageFile[] = L"LanguageFile";
inline constexpr wchar_t kKeyHideScreenSaver[] = L"HideScreenSaver";
inline constexpr wchar_t kKeyHideSysPatch[] = L"HideSysPatch";

// The folder layout derived from the executable's folder (every folder ends with a backslash) and the
// run-time state shared by the windows.
struct TGlobals {
    std::wstring AppPath;
    std::wstring ConfigPath;
    std::wstring LangsPath;
    std::wstring HelpPath;
    std::wstring LanguagePath;  // changes with each language switch
    std::wstring SkinsPath;
    std::wstring SkinPath;
    std::wstring RegBackupPath;
    std::wstring ScrBackupPath;

    bool HideScreenSaver = true;
    bool HideSysPatch = false;
    bool SizePanelPLOpen = true;
    bool SizePanelSIOpen = true;
    bool StartupAllEnabled = true;
    int SearchStart = 0;

    // Back to the state before LoadConfig.
    void Reset() { *this = TGlobals(); }
};

TGlobals& Globals();

// Sets the folder layout from `appPath` (the executable's folder, with a trailing backslash), writes a new
// Config.ini when there is none, reads it and creates the Langs and Skins folders. False means the program
// must end; a Config.ini that cannot be written has been reported to the user.
bool LoadConfig(const std::wstring& appPath);

// Writes a new Config.ini with the four keys at their built-in values; false when a write failed.
bool WriteDefaultConfig();

// Writes one key of Config.ini; raises platform::EError "Unable to write to <path>" on failure.
void WriteConfigValue(const wchar_t* key, const std::wstring& value);

// The exit writer: HideSysPatch, then HideScreenSaver; raises like WriteConfigValue.
void SaveFilterFlags(bool hideSysPatch, bool hideScreenSaver);

// "Save file %s failed!" in the language in effect, with `path`, in an error box.
void ShowSaveFileFailed(const std::wstring& path);

}  // namespace varnook
