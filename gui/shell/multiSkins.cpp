#include "multiSkins.h"

#include <array>

namespace varnook {

namespace {

constexpr TSkinKey Entry(TSkinId id, const wchar_t* section, const wchar_t* key, const wchar_t* builtIn) {
    return {id, section, key, builtIn};
}

// Every key is named exactly as its enumerator.
#define MAIN_FORM(id, value) Entry(id, L"MainForm", L"" #id, value)
#define REGISTRY_FORM(id, value) Entry(id, L"RegistryForm", L"" #id, value)

constexpr std::array<TSkinKey, kSkinIdCount> kSkinKeys = {
    MAIN_FORM(SK_MAINFORM_Pos, L"0, 0, 763, 538"),
    MAIN_FORM(SK_MAINFORM_PicBackGround, L"img_Main.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Min_Pos, L"731, 55, 21, 21"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Min_PicNormal, L"btnMin_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Min_PicMouseHover, L"btnMin_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Min_PicMouseDown, L"btnMin_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Min_PicDisabled, L"btnMin_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_HelpContent_Pos, L"731, 34, 21, 21"),
    MAIN_FORM(SK_MAINFORM_BUTTON_HelpContent_PicNormal, L"btnHelpContent_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_HelpContent_PicMouseHover, L"btnHelpContent_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_HelpContent_PicMouseDown, L"btnHelpContent_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_HelpContent_PicDisabled, L"btnHelpContent_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Close_Pos, L"731, 13, 21, 21"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Close_PicNormal, L"btnClose_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Close_PicMouseHover, L"btnClose_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Close_PicMouseDown, L"btnClose_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Close_PicDisabled, L"btnClose_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_File_Pos, L"31, 14, 119, 31"),
    MAIN_FORM(SK_MAINFORM_BUTTON_File_PicNormal, L"btnFile_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_File_PicMouseHover, L"btnFile_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_File_PicMouseDown, L"btnFile_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_File_PicDisabled, L"btnFile_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_View_Pos, L"151, 14, 119, 31"),
    MAIN_FORM(SK_MAINFORM_BUTTON_View_PicNormal, L"btnView_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_View_PicMouseHover, L"btnView_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_View_PicMouseDown, L"btnView_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_View_PicDisabled, L"btnView_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Tools_Pos, L"270, 14, 119, 31"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Tools_PicNormal, L"btnTools_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Tools_PicMouseHover, L"btnTools_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Tools_PicMouseDown, L"btnTools_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Tools_PicDisabled, L"btnTools_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Help_Pos, L"389, 14, 119, 31"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Help_PicNormal, L"btnHelp_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Help_PicMouseHover, L"btnHelp_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Help_PicMouseDown, L"btnHelp_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_Help_PicDisabled, L"btnHelp_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_ProgramList_Pos, L"388, 78, 117, 32"),
    MAIN_FORM(SK_MAINFORM_BUTTON_ProgramList_PicNormal, L"btnProgramList_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_ProgramList_PicMouseHover, L"btnProgramList_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_ProgramList_PicMouseDown, L"btnProgramList_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_ProgramList_PosDisabled, L"btnProgramList_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_StartupItems_Pos, L"505, 78, 117, 32"),
    MAIN_FORM(SK_MAINFORM_BUTTON_StartupItems_PicNormal, L"btnStartUpItems_Normal.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_StartupItems_PicMouseHover, L"btnStartUpItems_Hover.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_StartupItems_PicMouseDown, L"btnStartUpItems_Down.png"),
    MAIN_FORM(SK_MAINFORM_BUTTON_StartupItems_PosDisabled, L"btnStartUpItems_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGECONTROL_Pos, L"5, 112, 750, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE1_Pos, L"0, 110, 750, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos, L"0, 0, 556, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_FullPos, L"0, 0, 742, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE1_SizePanel_Pos, L"556, 0, 194, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE1_ImgPanel_Pos, L"0, 0, 185, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE1_ImgPanel_Pic, L"img_SizePanel.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos, L"0, 12, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicNormal, L"btnUninstall_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseHover, L"btnUninstall_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseDown, L"btnUninstall_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicDisabled, L"btnUninstall_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_Pos, L"0, 56, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicNormal, L"btnDetails_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseHover, L"btnDetails_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseDown, L"btnDetails_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicDisabled, L"btnDetails_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Refresh_Pos, L"0, 100, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicNormal, L"btnRefresh_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseHover, L"btnRefresh_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseDown, L"btnRefresh_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicDisabled, L"btnRefresh_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos, L"16, 152, 152, 96"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_LABEL_Title_Pos, L"0, 22, 150, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_TEXT_KeyWorld_Pos, L"0, 66, 127, 21"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos, L"0, 248, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicNormal, L"btnSearch_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseHover, L"btnSearch_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseDown, L"btnSearch_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicDisabled, L"btnSearch_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HidePatch_Pos, L"15, 316, 160, 26"),
    MAIN_FORM(SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HideScr_Pos, L"15, 344, 160, 26"),
    MAIN_FORM(SK_MAINFORM_PAGE2_Pos, L"0, 110, 750, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos, L"0, 0, 556, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_FullPos, L"0, 0, 742, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE2_SizePanel_Pos, L"556, 0, 194, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE2_ImgPanel_Pos, L"0, 0, 185, 394"),
    MAIN_FORM(SK_MAINFORM_PAGE2_ImgPanel_Pic, L"img_SizePanel.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_grbItemInfo_Pos, L"15, 168, 154, 185"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Publisher_Pos, L"8, 25, 144, 13"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_PublisherValue_Pos, L"8, 42, 144, 31"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Version_Pos, L"8, 76, 144, 13"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_VersionValue_Pos, L"8, 92, 144, 31"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Des_Pos, L"8, 125, 144, 13"),
    MAIN_FORM(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Description_Pos, L"8, 141, 144, 42"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_SelectAll_Pos, L"0, 12, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicNormal, L"btnSelectAll_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseHover, L"btnSelectAll_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseDown, L"btnSelectAll_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicDisabled, L"btnSelectAll_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Delete_Pos, L"0, 56, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Delete_PicNormal, L"btnDelete_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseHover, L"btnDelete_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseDown, L"btnDelete_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Delete_PicDisabled, L"btnDelete_Disabled.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Apply_Pos, L"0, 100, 185, 43"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Apply_PicNormal, L"btnApply_Normal.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseHover, L"btnApply_Hover.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseDown, L"btnApply_Down.png"),
    MAIN_FORM(SK_MAINFORM_PAGE2_BUTTON_Apply_PicDisabled, L"btnApply_Disabled.png"),
    MAIN_FORM(SK_PROGRESSFORM_ImageBG_Pic, L"img_ProgressBar.png"),
    REGISTRY_FORM(SK_ABOUTFORM_IMGABOUT_POS, L"10, 11, 125, 278"),
    REGISTRY_FORM(SK_ABOUTFORM_IMGABOUT_Pic, L"img_About.png"),
    REGISTRY_FORM(SK_ABOUTFORM_LABEL_ProductTitle_Pos, L"152,11, 312, 33"),
    REGISTRY_FORM(SK_ABOUTFORM_LABLE_CopyRight_Pos, L"152,40,280,16"),
    REGISTRY_FORM(SK_ABOUTFORM_LINKLABEL_WebOnline_Pos, L"152,162,280,13"),
    REGISTRY_FORM(SK_ABOUTFORM_LINKLABEL_SupportEmail_Pos, L"152,184,280,13"),
    REGISTRY_FORM(SK_ABOUTFORM_LABEL_Warning_Pos, L"152,206,288,100"),
    REGISTRY_FORM(SK_ABOUTFORM_PANEL_AboutH1_Pos, L"152,68,280,2"),
    REGISTRY_FORM(SK_ABOUTFORM_PANEL_AboutH2_Pos, L"152,150,280,2"),
    REGISTRY_FORM(SK_ABOUTFORM_PANEL_AboutH3_Pos, L"12,308,452,2"),
    REGISTRY_FORM(SK_ABOUTFORM_BUTTON_Ok_Pos, L"344,316,98,25"),
    REGISTRY_FORM(SK_SPLASHFORM_LABEL_CopyrightInfo_Pos, L"155, 144, 340, 65"),
    REGISTRY_FORM(SK_SPLASHFORM_IMAGE_CHARGE, L"img_Splash.png"),
};

#undef MAIN_FORM
#undef REGISTRY_FORM

constexpr bool InEnumOrder() {
    for (size_t i = 0; i < kSkinKeys.size(); ++i) {
        if (kSkinKeys[i].id != static_cast<TSkinId>(i))
            return false;
    }
    return true;
}
static_assert(InEnumOrder(), "the key table must follow TSkinId");

std::array<std::wstring, kSkinIdCount> BuiltInValues() {
    std::array<std::wstring, kSkinIdCount> values;
    for (const TSkinKey& key : kSkinKeys)
        values[key.id] = key.builtIn;
    return values;
}

std::array<std::wstring, kSkinIdCount>& SkinValues() {
    static std::array<std::wstring, kSkinIdCount> values = BuiltInValues();
    return values;
}

}  // namespace

std::span<const TSkinKey> SkinKeys() {
    return kSkinKeys;
}

const std::wstring& Skin(TSkinId id) {
    return SkinValues()[id];
}

void SetSkin(TSkinId id, const std::wstring& value) {
    SkinValues()[id] = value;
}

void ResetSkin() {
    SkinValues() = BuiltInValues();
}

}  // namespace varnook
