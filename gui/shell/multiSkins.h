#pragma once

#include <span>
#include <string>

namespace varnook {

// Every skin value, in the order the skin files are read and written: section "MainForm", then
// section "RegistryForm".
enum TSkinId : int {
    SK_MAINFORM_Pos,
    SK_MAINFORM_PicBackGround,
    SK_MAINFORM_BUTTON_Min_Pos,
    SK_MAINFORM_BUTTON_Min_PicNormal,
    SK_MAINFORM_BUTTON_Min_PicMouseHover,
    SK_MAINFORM_BUTTON_Min_PicMouseDown,
    SK_MAINFORM_BUTTON_Min_PicDisabled,
    SK_MAINFORM_BUTTON_HelpContent_Pos,
    SK_MAINFORM_BUTTON_HelpContent_PicNormal,
    SK_MAINFORM_BUTTON_HelpContent_PicMouseHover,
    SK_MAINFORM_BUTTON_HelpContent_PicMouseDown,
    SK_MAINFORM_BUTTON_HelpContent_PicDisabled,
    SK_MAINFORM_BUTTON_Close_Pos,
    SK_MAINFORM_BUTTON_Close_PicNormal,
    SK_MAINFORM_BUTTON_Close_PicMouseHover,
    SK_MAINFORM_BUTTON_Close_PicMouseDown,
    SK_MAINFORM_BUTTON_Close_PicDisabled,
    SK_MAINFORM_BUTTON_File_Pos,
    SK_MAINFORM_BUTTON_File_PicNormal,
    SK_MAINFORM_BUTTON_File_PicMouseHover,
    SK_MAINFORM_BUTTON_File_PicMouseDown,
    SK_MAINFORM_BUTTON_File_PicDisabled,
    SK_MAINFORM_BUTTON_View_Pos,
    SK_MAINFORM_BUTTON_View_PicNormal,
    SK_MAINFORM_BUTTON_View_PicMouseHover,
    SK_MAINFORM_BUTTON_View_PicMouseDown,
    SK_MAINFORM_BUTTON_View_PicDisabled,
    SK_MAINFORM_BUTTON_Tools_Pos,
    SK_MAINFORM_BUTTON_Tools_PicNormal,
    SK_MAINFORM_BUTTON_Tools_PicMouseHover,
    SK_MAINFORM_BUTTON_Tools_PicMouseDown,
    SK_MAINFORM_BUTTON_Tools_PicDisabled,
    SK_MAINFORM_BUTTON_Help_Pos,
    SK_MAINFORM_BUTTON_Help_PicNormal,
    SK_MAINFORM_BUTTON_Help_PicMouseHover,
    SK_MAINFORM_BUTTON_Help_PicMouseDown,
    SK_MAINFORM_BUTTON_Help_PicDisabled,
    SK_MAINFORM_BUTTON_ProgramList_Pos,
    SK_MAINFORM_BUTTON_ProgramList_PicNormal,
    SK_MAINFORM_BUTTON_ProgramList_PicMouseHover,
    SK_MAINFORM_BUTTON_ProgramList_PicMouseDown,
    SK_MAINFORM_BUTTON_ProgramList_PosDisabled,
    SK_MAINFORM_BUTTON_StartupItems_Pos,
    SK_MAINFORM_BUTTON_StartupItems_PicNormal,
    SK_MAINFORM_BUTTON_StartupItems_PicMouseHover,
    SK_MAINFORM_BUTTON_StartupItems_PicMouseDown,
    SK_MAINFORM_BUTTON_StartupItems_PosDisabled,
    SK_MAINFORM_PAGECONTROL_Pos,
    SK_MAINFORM_PAGE1_Pos,
    SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos,
    SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_FullPos,
    SK_MAINFORM_PAGE1_SizePanel_Pos,
    SK_MAINFORM_PAGE1_ImgPanel_Pos,
    SK_MAINFORM_PAGE1_ImgPanel_Pic,
    SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos,
    SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicNormal,
    SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseHover,
    SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseDown,
    SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicDisabled,
    SK_MAINFORM_PAGE1_BUTTON_ShowDetails_Pos,
    SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicNormal,
    SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseHover,
    SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseDown,
    SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicDisabled,
    SK_MAINFORM_PAGE1_BUTTON_Refresh_Pos,
    SK_MAINFORM_PAGE1_BUTTON_Refresh_PicNormal,
    SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseHover,
    SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseDown,
    SK_MAINFORM_PAGE1_BUTTON_Refresh_PicDisabled,
    SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos,
    SK_MAINFORM_PAGE1_GROUPBOX_LABEL_Title_Pos,
    SK_MAINFORM_PAGE1_GROUPBOX_TEXT_KeyWorld_Pos,
    SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos,
    SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicNormal,
    SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseHover,
    SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseDown,
    SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicDisabled,
    SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HidePatch_Pos,
    SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HideScr_Pos,
    SK_MAINFORM_PAGE2_Pos,
    SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos,
    SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_FullPos,
    SK_MAINFORM_PAGE2_SizePanel_Pos,
    SK_MAINFORM_PAGE2_ImgPanel_Pos,
    SK_MAINFORM_PAGE2_ImgPanel_Pic,
    SK_MAINFORM_PAGE2_GROUPBOX_grbItemInfo_Pos,
    SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Publisher_Pos,
    SK_MAINFORM_PAGE2_GROUPBOX_LABEL_PublisherValue_Pos,
    SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Version_Pos,
    SK_MAINFORM_PAGE2_GROUPBOX_LABEL_VersionValue_Pos,
    SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Des_Pos,
    SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Description_Pos,
    SK_MAINFORM_PAGE2_BUTTON_SelectAll_Pos,
    SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicNormal,
    SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseHover,
    SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseDown,
    SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicDisabled,
    SK_MAINFORM_PAGE2_BUTTON_Delete_Pos,
    SK_MAINFORM_PAGE2_BUTTON_Delete_PicNormal,
    SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseHover,
    SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseDown,
    SK_MAINFORM_PAGE2_BUTTON_Delete_PicDisabled,
    SK_MAINFORM_PAGE2_BUTTON_Apply_Pos,
    SK_MAINFORM_PAGE2_BUTTON_Apply_PicNormal,
    SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseHover,
    SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseDown,
    SK_MAINFORM_PAGE2_BUTTON_Apply_PicDisabled,
    SK_PROGRESSFORM_ImageBG_Pic,
    SK_ABOUTFORM_IMGABOUT_POS,
    SK_ABOUTFORM_IMGABOUT_Pic,
    SK_ABOUTFORM_LABEL_ProductTitle_Pos,
    SK_ABOUTFORM_LABLE_CopyRight_Pos,
    SK_ABOUTFORM_LINKLABEL_WebOnline_Pos,
    SK_ABOUTFORM_LINKLABEL_SupportEmail_Pos,
    SK_ABOUTFORM_LABEL_Warning_Pos,
    SK_ABOUTFORM_PANEL_AboutH1_Pos,
    SK_ABOUTFORM_PANEL_AboutH2_Pos,
    SK_ABOUTFORM_PANEL_AboutH3_Pos,
    SK_ABOUTFORM_BUTTON_Ok_Pos,
    SK_SPLASHFORM_LABEL_CopyrightInfo_Pos,
    SK_SPLASHFORM_IMAGE_CHARGE,
    kSkinIdCount
};

struct TSkinKey {
    TSkinId id;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* builtIn;  // a position "left, top, width, height" or a picture file name
};

// The key table, indexed by TSkinId.
std::span<const TSkinKey> SkinKeys();

// The value in effect for `id`.
const std::wstring& Skin(TSkinId id);

// Puts `value` in effect for `id`.
void SetSkin(TSkinId id, const std::wstring& value);

// Puts the built-in values back in effect.
void ResetSkin();

// Loads the file at SkinPath into the table, writing it first from the values in effect when it is
// missing. False when that write failed (reported in a box) or the reading stopped.
bool LoadSkin();

// Writes every key with the value in effect to SkinPath; false at the first failed write.
bool WriteDefaultSkin();

}  // namespace varnook
