#include "multiLangs.h"

#include "funUtils.h"

#include <array>

namespace varnook {

namespace {

constexpr TLangKey Entry(TLangId id, const wchar_t* key, const wchar_t* english, bool lineBreaks) {
    return {id, key, key, english, lineBreaks};
}

// Most keys are written and read exactly as their enumerator is named.
#define KEY(id, english) Entry(id, L"" #id, english, false)
#define KEY_WITH_BREAKS(id, english) Entry(id, L"" #id, english, true)

// Keys with trailing blanks and the one read in another case are spelled out.
constexpr std::array<TLangKey, kLangIdCount> kLangKeys = {
    KEY(IDS_MAINFORM_MENU_File, L"File"),
    KEY(IDS_MAINFORM_MENU_FILE_NewProgram, L"New Program"),
    KEY(IDS_MAINFORM_MENU_FILE_ExportRegInfo, L"Export Regisrty Info"),
    KEY(IDS_MAINFORM_MENU_FILE_ReloadRegInfo, L"Reload Regisrty Info"),
    KEY(IDS_MAINFORM_MENU_FILE_CreateBackup, L"Create Backup..."),
    KEY(IDS_MAINFORM_MENU_FILE_ExportPrmList, L"Export Program List"),
    KEY(IDS_MAINFORM_MENU_FILE_Exit, L"Exit"),
    KEY(IDS_MAINFORM_MENU_View, L"View"),
    KEY(IDS_MAINFORM_MENU_VIEW_Grid, L"Grid"),
    KEY(IDS_MAINFORM_MENU_VIEW_Tips, L"Tips"),
    KEY(IDS_MAINFORM_MENU_VIEW_Icon, L"Icon"),
    KEY(IDS_MAINFORM_MENU_VIEW_List, L"List"),
    KEY(IDS_MAINFORM_MENU_VIEW_Report, L"Report"),
    KEY(IDS_MAINFORM_MENU_VIEW_Refresh, L"Refresh"),
    KEY(IDS_MAINFORM_MENU_VIEW_Languages, L"Languages"),
    KEY(IDS_MAINFORM_MENU_Tools, L"Tools"),
    KEY(IDS_MAINFORM_MENU_TOOLS_CommentEntry, L"Comment Entry"),
    KEY(IDS_MAINFORM_MENU_TOOLS_Regedit, L"Registry Editor"),
    KEY(IDS_MAINFORM_MENU_TOOLS_WindowsUpdate, L"Windows Update"),
    KEY(IDS_MAINFORM_MENU_TOOLS_WindowsServices, L"Windows Services"),
    KEY(IDS_MAINFORM_MENU_TOOLS_WindowsComponents, L"Windows Components"),
    KEY(IDS_MAINFORM_ScreenSaver, L"Screen Saver"),
    KEY(IDS_MAINFORM_MENU_Help, L"Help"),
    KEY(IDS_MAINFORM_MENU_HELP_HelpContent, L"Help Content"),
    KEY(IDS_MAINFORM_MENU_HELP_OnlineRes, L"Online Resources"),
    KEY(IDS_MAINFORM_MENU_HELP_Contact, L"Contact Technical Support"),
    KEY(IDS_MAINFORM_MENU_HELP_About, L"About..."),
    KEY(IDS_PAGECONTROL_TABSHEETPL_Title, L"Program List"),
    KEY(IDS_LISTVIEW_COLUMNS_Descriptions, L"Descriptions"),
    KEY(IDS_LISTVIEW_COLUMNS_Publisher, L"Publisher"),
    KEY(IDS_LISTVIEW_COLUMNS_Directory, L"Directory"),
    TLangKey{IDS_LISTVIEW_RIGHTCLICK_Uninstall, L"IDS_LISTVIEW_RIGHTCLICK_Uninstall  ",
             L"IDS_LISTVIEW_RIGHTCLICK_Uninstall  ", L"Uninstall", false},
    KEY(IDS_LISTVIEW_RIGHTCLICK_CommentEntry, L"Comment Entry"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_RegistryEditor, L"Registry Editor"),
    TLangKey{IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo, L"IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo ",
             L"IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo ", L"Export Registry Info", false},
    TLangKey{IDS_LISTVIEW_RIGHTCLICK_ShowDetails, L"IDS_LISTVIEW_RIGHTCLICK_ShowDetails ",
             L"IDS_LISTVIEW_RIGHTCLICK_ShowDetails ", L"Show Details", false},
    KEY(IDS_LISTVIEW_RIGHTCLICK_View, L"View"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_ViewIcon, L"Icon"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_ViewList, L"List"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_ViewReport, L"Report"),
    KEY(IDS_LISTVIEW_TIPS_Size, L"Size:  %.2f M"),
    KEY(IDS_LISTVIEW_TIPS_ScrName, L"Name:  %s"),
    KEY(IDS_LISTVIEW_TIPS_LastUsed, L"Last Used On: %s"),
    KEY(IDS_LISTVIEW_TIPS_UsedFrequency, L"Used Frequency: %s"),
    KEY(IDS_LISTVIEW_TIPS_UninstallString, L"Uninstall String: %s"),
    KEY(IDS_ListView_Tips_UsedFrequency_Rarely, L"Rarely"),
    KEY(IDS_ListView_Tips_UsedFrequency_Occasionally, L"Occasionally"),
    KEY(IDS_ListView_Tips_UsedFrequency_Frequently, L"Frequently"),
    KEY(IDS_SIDEBAR_BUTTON_Uninstall, L"Uninstall"),
    KEY(IDS_SIDEBAR_BUTTON_DeleteScr, L"Delete"),
    KEY(IDS_SIDEBAR_BUTTON_SHOWDETAILS, L"Show Details"),
    KEY(IDS_SIDEBAR_BUTTON_Refresh, L"Refresh"),
    KEY(IDS_SIDEBAR_GROUPBOX_TITLE_Search, L"Search"),
    KEY(IDS_SIDEBAR_GROUPBOX_LABEL_Info, L"Find the program with contents below:"),
    KEY(IDS_SIDEBAR_GROUPBOX_BUTTON_Search, L"Find Next"),
    KEY(IDS_SIDEBAR_CHECKBOX_HideSysPatch, L"Hide System Patch"),
    KEY(IDS_SIDEBAR_CHECKBOX_HideScr, L"Hide Screen Saver"),
    KEY(IDS_STATUSBAR_LABEL_Programs, L"Programs:"),
    KEY(IDS_STATUSBAR_LABEL_RegistryName, L"Registry Name:"),
    KEY(IDS_PAGECONTROL_TABSHEETSIL_Title, L"Startup Items"),
    KEY(IDS_LISTVIEW_COLUMNS_StatrupItem, L"Startup Item"),
    KEY(IDS_LISTVIEW_COLUMNS_Command, L"Command"),
    KEY(IDS_LISTVIEW_COLUMNS_Location, L"Location"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_AddItem, L"Add Entry"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_DeleteItem, L"Delete Entry"),
    KEY(IDS_LISTVIEW_RIGHTCLICK_Refresh, L"Refresh"),
    KEY(IDS_SIDEBAR_BUTTON_SelectAll, L"Enable All"),
    TLangKey{IDS_SIDEBAR_BUTTON_UnSelectAll, L"IDS_SIDEBAR_BUTTON_UnSelectAll ", L"IDS_SIDEBAR_BUTTON_UnSelectAll ",
             L"Disable All", false},
    KEY(IDS_SIDEBAR_BUTTON_Delete, L"Delete Entry"),
    KEY(IDS_SIDEBAR_BUTTON_Apply, L"Apply"),
    KEY(IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo, L"Item Info"),
    KEY(IDS_SIDEBAR_GROUPBOX_LABEL_Publisher, L"Publisher: "),
    TLangKey{IDS_SIDEBAR_GROUPBOX_LABEL_Version, L"IDS_SIDEBAR_GROUPBOX_LABEL_Version ",
             L"IDS_SIDEBAR_GROUPBOX_LABEL_Version ", L"Version: ", false},
    KEY(IDS_SIDEBAR_GROUPBOX_LABEL_Description, L"Description: "),
    KEY(IDS_DETAILSFORM_Title, L"Detail information"),
    KEY(IDS_DETAILSFORM_LABEL_Programs, L"Programs: "),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_ProgramSize, L"Programs Size"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_InstallDate, L"Install Date"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_UsedFrequency, L"Used Frequency"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_LastAccessDate, L"Last Access Date"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_InstallLocation, L"Install Location"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_ProgramVersion, L"Program Version"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_Publisher, L"Publisher"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_HelpInfo, L"Help Info"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_AboutLink, L"About Link"),
    KEY(IDS_DETAILSFORM_LISTVIEW_Items_UpdateLink, L"Update Link"),
    KEY(IDS_DETAILSFORM_TABSHEETPP_TITLE, L"Program Properties"),
    KEY(IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name, L"Name"),
    KEY(IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value, L"Value"),
    KEY(IDS_DETAILSFORM_TABSHEETRV_TITLE, L"Registry Values"),
    KEY(IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key, L"Key"),
    KEY(IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value, L"Value"),
    KEY(IDS_PROGRESSFORM_Title, L"Backup Progress"),
    KEY(IDS_PROGRESSFORM_LABEL_Info, L"This could take several minutes, please wait..."),
    KEY(IDS_PROGRESSFORM_BUTTON_Cancel, L"Cancel"),
    KEY(IDS_COMMENTFORM_Title, L"Add Comments"),
    KEY(IDS_COMMENTFORM_LABEL_TITLE, L"Enter the comments: ( < 260 character)"),
    KEY(IDS_COMMENTFORM_BUTTON_Ok, L"OK"),
    KEY(IDS_COMMENTFORM_BUTTON_Cancel, L"Cancel"),
    KEY(IDS_PRINTFORM_Title, L"Save/Print"),
    KEY(IDS_PRINTFORM_BUTTON_Save, L"Save"),
    KEY(IDS_PRINTFORM_MEMO_Title, L"%s Application Report"),
    KEY(IDS_PRINTFORM_BUTTON_Print, L"Print"),
    KEY(IDS_PRINTFORM_MEMO_InstalledPL, L"Programs installed on your computer:"),
    KEY(IDS_PRINTFORM_MEMO_ComputerName, L"Computer Name : "),
    KEY(IDS_PRINTFORM_MEMO_UserName, L"User Name : "),
    KEY(IDS_PRINTFORM_MEMO_Programs, L"Programs : "),
    KEY(IDS_PRINTFORM_MEMO_CreatedIn, L"Created In : "),
    KEY(IDS_PRINTFORM_MEMO_CreatedBy, L"Created By : "),
    KEY(IDS_PRINTFORM_MEMO_ProgramsList, L"Programs List"),
    KEY(IDS_SCANFORM_Title, L"Scan Remains"),
    TLangKey{IDS_SCANFORM_LABEL_Scaning, L"IDS_SCANFORM_LABEL_Scaning ", L"IDS_SCANFORM_LABEL_Scaning ", L"Scaning:",
             false},
    KEY(IDS_SCANFORM_LABEL_RegInfoLeft, L"Unnecessary register info left: "),
    KEY(IDS_SCANFORM_LABEL_FilesLeft, L"Unnecessary program files left: "),
    KEY(IDS_SCANFORM_BUTTON_Cancel, L"Cancel"),
    KEY(IDS_SCANFORM_BUTTON_Delete, L"Delete"),
    KEY(IDS_ADDITEMFORM_Title, L"Add Item"),
    KEY(IDS_ADDITEMFORM_LABEL_Target, L"Target:"),
    KEY(IDS_ADDITEMFORM_LABEL_Section, L"Section:"),
    KEY(IDS_ADDITEMFORM_BUTTON_Browse, L"Browse"),
    KEY(IDS_ADDITEMFORM_BUTTON_Ok, L"OK"),
    KEY(IDS_ADDITEMFORM_BUTTON_Cancel, L"Cancel"),
    KEY(IDS_ADDITEMFORM_COMBOBOX_Items1, L"Startup Folder\\Current User"),
    KEY(IDS_ADDITEMFORM_COMBOBOX_Items2, L"Startup Folder\\All User"),
    KEY(IDS_ADDITEMFORM_COMBOBOX_Items3, L"Registry\\Current User\\Run"),
    KEY(IDS_ADDITEMFORM_COMBOBOX_Items4, L"Registry\\All Users\\Run"),
    KEY(IDS_ABOUTFORM_Title, L"About"),
    KEY(IDS_ABOUTFORM_LABEL_CopyRight, L"Copyright (C) 2026 The Varnook developers"),
    KEY(IDS_ABOUTFORM_LABEL_Warning,
        L"Warning: this program is protected by copyright law and international treaties. Copying or distributing it, "
        L"or any part of it, without permission may lead to civil and criminal penalties."),
    KEY(IDS_ABOUTFORM_BUTTON_Ok, L"OK"),
    KEY_WITH_BREAKS(IDS_SPLASHFORM_LABEL_Copyright,
                    L"Varnook finds the programs on this computer and removes them cleanly.\r\nCopyright (C) 2026 The "
                    L"Varnook developers"),
    KEY_WITH_BREAKS(
        IDS_MESSAGEBOX_WARNING_ScanRemains,
        L"May be some registry keys or files were not completly removed, \r\nwould you like to remove them?"),
    TLangKey{
        IDS_MESSAGEBOX_WARNING_DeleteScr, L"IDS_MESSAGEBOX_WARNING_DeleteScr ", L"IDS_MESSAGEBOX_WARNING_DeleteScr ",
        L"Do you really want to delete the screen saver? \r\nIt may cause the windows file protection mechanism", true},
    KEY(IDS_MESSAGEBOX_WARNING_DeleteStartupEntry, L"Do you really want to delete the startup entry selected?"),
    KEY(IDS_MESSAGEBOX_WARNING_BackupReg, L"Back up the registry info of the whole software installed."),
    KEY(IDS_MESSAGEBOX_WARNING_CleanSuccess, L"Clean Succeeded!"),
    TLangKey{IDS_MESSAGEBOX_WARNING_NoRemains, L"IDS_MESSAGEBOX_WARNING_NoRemains", L"IDS_MESSAGEBOX_WARNING_Noremains",
             L"No files or registry keys left!", false},
    KEY_WITH_BREAKS(IDS_MESSAGEBOX_WARNING_UninstallFailed,
                    L"The software might be uninstalled or deleted, do you want to \r\nclear up its registry info or "
                    L"files left on your computer?"),
    KEY(IDS_MESSAGEBOX_MESSAGE_BackupSucceed, L"Backup registry info successfully"),
    KEY(IDS_MESSAGEBOX_MESSAGE_PrintError,
        L"Something is wrong with the printer or Print Spooler service is unaviable."),
    KEY(IDS_MESSAGEBOX_WARNING_SaveFileFailed, L"Save file %s failed!"),
};

#undef KEY
#undef KEY_WITH_BREAKS

constexpr bool InEnumOrder() {
    for (size_t i = 0; i < kLangKeys.size(); ++i) {
        if (kLangKeys[i].id != static_cast<TLangId>(i))
            return false;
    }
    return true;
}
static_assert(InEnumOrder(), "the key table must follow TLangId");

std::array<std::wstring, kLangIdCount> BuiltInTexts() {
    std::array<std::wstring, kLangIdCount> texts;
    for (const TLangKey& key : kLangKeys)
        texts[key.id] = key.english;
    return texts;
}

std::array<std::wstring, kLangIdCount>& LangTexts() {
    static std::array<std::wstring, kLangIdCount> texts = BuiltInTexts();
    return texts;
}

}  // namespace

std::span<const TLangKey> LangKeys() {
    return kLangKeys;
}

const std::wstring& Lang(TLangId id) {
    return LangTexts()[id];
}

void SetLang(TLangId id, const std::wstring& text) {
    LangTexts()[id] = text;
}

void ResetLanguage() {
    LangTexts() = BuiltInTexts();
}

std::wstring ConvertLineBreaks(const std::wstring& text, bool reading) {
    const std::wstring trimmed = TrimText(text);
    std::wstring result;
    result.reserve(trimmed.size());
    for (size_t i = 0; i < trimmed.size(); ++i) {
        if (reading && trimmed.compare(i, 3, L"#13") == 0) {
            result += L"\r\n";
            i += 2;
        } else if (!reading && (trimmed[i] == L'\r' || trimmed[i] == L'\n')) {
            result += L"#13";
            if (trimmed[i] == L'\r' && i + 1 < trimmed.size() && trimmed[i + 1] == L'\n')
                ++i;
        } else {
            result += trimmed[i];
        }
    }
    return result;
}

std::wstring QuoteProfileValue(const std::wstring& text) {
    if (text.empty())
        return text;
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    const bool enclosed =
        text.size() > 1 && (text.front() == L'"' || text.front() == L'\'') && text.back() == text.front();
    if (!blank(text.front()) && !blank(text.back()) && !enclosed)
        return text;
    return L'"' + text + L'"';
}

std::wstring LanguageCaption(const std::wstring& fileName) {
    return fileName.substr(0, fileName.find(L'.'));
}

}  // namespace varnook
