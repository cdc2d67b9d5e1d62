#pragma once

#include <span>
#include <string>
#include <vector>

namespace varnook {

// Every text the program shows, in the order the language files are read and written.
enum TLangId : int {
    IDS_MAINFORM_MENU_File,
    IDS_MAINFORM_MENU_FILE_NewProgram,
    IDS_MAINFORM_MENU_FILE_ExportRegInfo,
    IDS_MAINFORM_MENU_FILE_ReloadRegInfo,
    IDS_MAINFORM_MENU_FILE_CreateBackup,
    IDS_MAINFORM_MENU_FILE_ExportPrmList,
    IDS_MAINFORM_MENU_FILE_Exit,
    IDS_MAINFORM_MENU_View,
    IDS_MAINFORM_MENU_VIEW_Grid,
    IDS_MAINFORM_MENU_VIEW_Tips,
    IDS_MAINFORM_MENU_VIEW_Icon,
    IDS_MAINFORM_MENU_VIEW_List,
    IDS_MAINFORM_MENU_VIEW_Report,
    IDS_MAINFORM_MENU_VIEW_Refresh,
    IDS_MAINFORM_MENU_VIEW_Languages,
    IDS_MAINFORM_MENU_Tools,
    IDS_MAINFORM_MENU_TOOLS_CommentEntry,
    IDS_MAINFORM_MENU_TOOLS_Regedit,
    IDS_MAINFORM_MENU_TOOLS_WindowsUpdate,
    IDS_MAINFORM_MENU_TOOLS_WindowsServices,
    IDS_MAINFORM_MENU_TOOLS_WindowsComponents,
    IDS_MAINFORM_ScreenSaver,
    IDS_MAINFORM_MENU_Help,
    IDS_MAINFORM_MENU_HELP_HelpContent,
    IDS_MAINFORM_MENU_HELP_OnlineRes,
    IDS_MAINFORM_MENU_HELP_Contact,
    IDS_MAINFORM_MENU_HELP_About,
    IDS_PAGECONTROL_TABSHEETPL_Title,
    IDS_LISTVIEW_COLUMNS_Descriptions,
    IDS_LISTVIEW_COLUMNS_Publisher,
    IDS_LISTVIEW_COLUMNS_Directory,
    IDS_LISTVIEW_RIGHTCLICK_Uninstall,
    IDS_LISTVIEW_RIGHTCLICK_CommentEntry,
    IDS_LISTVIEW_RIGHTCLICK_RegistryEditor,
    IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo,
    IDS_LISTVIEW_RIGHTCLICK_ShowDetails,
    IDS_LISTVIEW_RIGHTCLICK_View,
    IDS_LISTVIEW_RIGHTCLICK_ViewIcon,
    IDS_LISTVIEW_RIGHTCLICK_ViewList,
    IDS_LISTVIEW_RIGHTCLICK_ViewReport,
    IDS_LISTVIEW_TIPS_Size,
    IDS_LISTVIEW_TIPS_ScrName,
    IDS_LISTVIEW_TIPS_LastUsed,
    IDS_LISTVIEW_TIPS_UsedFrequency,
    IDS_LISTVIEW_TIPS_UninstallString,
    IDS_ListView_Tips_UsedFrequency_Rarely,
    IDS_ListView_Tips_UsedFrequency_Occasionally,
    IDS_ListView_Tips_UsedFrequency_Frequently,
    IDS_SIDEBAR_BUTTON_Uninstall,
    IDS_SIDEBAR_BUTTON_DeleteScr,
    IDS_SIDEBAR_BUTTON_SHOWDETAILS,
    IDS_SIDEBAR_BUTTON_Refresh,
    IDS_SIDEBAR_GROUPBOX_TITLE_Search,
    IDS_SIDEBAR_GROUPBOX_LABEL_Info,
    IDS_SIDEBAR_GROUPBOX_BUTTON_Search,
    IDS_SIDEBAR_CHECKBOX_HideSysPatch,
    IDS_SIDEBAR_CHECKBOX_HideScr,
    IDS_STATUSBAR_LABEL_Programs,
    IDS_STATUSBAR_LABEL_RegistryName,
    IDS_PAGECONTROL_TABSHEETSIL_Title,
    IDS_LISTVIEW_COLUMNS_StatrupItem,
    IDS_LISTVIEW_COLUMNS_Command,
    IDS_LISTVIEW_COLUMNS_Location,
    IDS_LISTVIEW_RIGHTCLICK_AddItem,
    IDS_LISTVIEW_RIGHTCLICK_DeleteItem,
    IDS_LISTVIEW_RIGHTCLICK_Refresh,
    IDS_SIDEBAR_BUTTON_SelectAll,
    IDS_SIDEBAR_BUTTON_UnSelectAll,
    IDS_SIDEBAR_BUTTON_Delete,
    IDS_SIDEBAR_BUTTON_Apply,
    IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo,
    IDS_SIDEBAR_GROUPBOX_LABEL_Publisher,
    IDS_SIDEBAR_GROUPBOX_LABEL_Version,
    IDS_SIDEBAR_GROUPBOX_LABEL_Description,
    IDS_DETAILSFORM_Title,
    IDS_DETAILSFORM_LABEL_Programs,
    IDS_DETAILSFORM_LISTVIEW_Items_ProgramSize,
    IDS_DETAILSFORM_LISTVIEW_Items_InstallDate,
    IDS_DETAILSFORM_LISTVIEW_Items_UsedFrequency,
    IDS_DETAILSFORM_LISTVIEW_Items_LastAccessDate,
    IDS_DETAILSFORM_LISTVIEW_Items_InstallLocation,
    IDS_DETAILSFORM_LISTVIEW_Items_ProgramVersion,
    IDS_DETAILSFORM_LISTVIEW_Items_Publisher,
    IDS_DETAILSFORM_LISTVIEW_Items_HelpInfo,
    IDS_DETAILSFORM_LISTVIEW_Items_AboutLink,
    IDS_DETAILSFORM_LISTVIEW_Items_UpdateLink,
    IDS_DETAILSFORM_TABSHEETPP_TITLE,
    IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name,
    IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value,
    IDS_DETAILSFORM_TABSHEETRV_TITLE,
    IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key,
    IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value,
    IDS_PROGRESSFORM_Title,
    IDS_PROGRESSFORM_LABEL_Info,
    IDS_PROGRESSFORM_BUTTON_Cancel,
    IDS_COMMENTFORM_Title,
    IDS_COMMENTFORM_LABEL_TITLE,
    IDS_COMMENTFORM_BUTTON_Ok,
    IDS_COMMENTFORM_BUTTON_Cancel,
    IDS_PRINTFORM_Title,
    IDS_PRINTFORM_BUTTON_Save,
    IDS_PRINTFORM_MEMO_Title,
    IDS_PRINTFORM_BUTTON_Print,
    IDS_PRINTFORM_MEMO_InstalledPL,
    IDS_PRINTFORM_MEMO_ComputerName,
    IDS_PRINTFORM_MEMO_UserName,
    IDS_PRINTFORM_MEMO_Programs,
    IDS_PRINTFORM_MEMO_CreatedIn,
    IDS_PRINTFORM_MEMO_CreatedBy,
    IDS_PRINTFORM_MEMO_ProgramsList,
    IDS_SCANFORM_Title,
    IDS_SCANFORM_LABEL_Scaning,
    IDS_SCANFORM_LABEL_RegInfoLeft,
    IDS_SCANFORM_LABEL_FilesLeft,
    IDS_SCANFORM_BUTTON_Cancel,
    IDS_SCANFORM_BUTTON_Delete,
    IDS_ADDITEMFORM_Title,
    IDS_ADDITEMFORM_LABEL_Target,
    IDS_ADDITEMFORM_LABEL_Section,
    IDS_ADDITEMFORM_BUTTON_Browse,
    IDS_ADDITEMFORM_BUTTON_Ok,
    IDS_ADDITEMFORM_BUTTON_Cancel,
    IDS_ADDITEMFORM_COMBOBOX_Items1,
    IDS_ADDITEMFORM_COMBOBOX_Items2,
    IDS_ADDITEMFORM_COMBOBOX_Items3,
    IDS_ADDITEMFORM_COMBOBOX_Items4,
    IDS_ABOUTFORM_Title,
    IDS_ABOUTFORM_LABEL_CopyRight,
    IDS_ABOUTFORM_LABEL_Warning,
    IDS_ABOUTFORM_BUTTON_Ok,
    IDS_SPLASHFORM_LABEL_Copyright,
    IDS_MESSAGEBOX_WARNING_ScanRemains,
    IDS_MESSAGEBOX_WARNING_DeleteScr,
    IDS_MESSAGEBOX_WARNING_DeleteStartupEntry,
    IDS_MESSAGEBOX_WARNING_BackupReg,
    IDS_MESSAGEBOX_WARNING_CleanSuccess,
    IDS_MESSAGEBOX_WARNING_NoRemains,
    IDS_MESSAGEBOX_WARNING_UninstallFailed,
    IDS_MESSAGEBOX_MESSAGE_BackupSucceed,
    IDS_MESSAGEBOX_MESSAGE_PrintError,
    IDS_MESSAGEBOX_WARNING_SaveFileFailed,
    kLangIdCount
};

struct TLangKey {
    TLangId id;
    const wchar_t* fileKey;  // as written to a language file (trailing blanks and case as they stand)
    const wchar_t* readKey;  // as asked for when reading; differs from fileKey only in case
    const wchar_t* english;  // built-in text, with real line breaks
    bool lineBreaks;         // stored in files with "#13" for each line break
};

// The key table, indexed by TLangId.
std::span<const TLangKey> LangKeys();

// The text in effect for `id`.
const std::wstring& Lang(TLangId id);

// Puts `text` in effect for `id`.
void SetLang(TLangId id, const std::wstring& text);

// Puts the built-in English texts back in effect.
void ResetLanguage();

// Loads the file at LanguagePath into the table, writing it first from the texts in effect when it is
// missing. False when that write failed (reported in a box) or the reading stopped.
bool LoadLanguage();

// Writes every key with the text in effect to LanguagePath; false at the first failed write.
bool WriteDefaultLanguage();

// Between a text in effect and its one-line form in a file: reading turns each "#13" into a line break,
// writing turns each line break (CR LF, or a lone CR or LF) into "#13". Both trim the ends first.
std::wstring ConvertLineBreaks(const std::wstring& text, bool reading);

// A text as a value line of a profile file: the reader drops outer blanks and one pair of enclosing quotes,
// so a text that would lose either is written inside quotes ("Publisher: " keeps its blank).
std::wstring QuoteProfileValue(const std::wstring& text);

// The "*.ini" files of LangsPath in the file system's order, folders left out.
std::vector<std::wstring> LanguageFiles();

// The menu caption of a language file: its name up to the first dot.
std::wstring LanguageCaption(const std::wstring& fileName);

}  // namespace varnook
