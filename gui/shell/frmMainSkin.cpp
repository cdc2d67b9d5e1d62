#include "frmMain.h"

#include "funUtilsControls.h"
#include "globals.h"
#include "multiSkins.h"

namespace varnook {

namespace {

// Position, then the normal, hover, pressed and disabled pictures: the five keys of a button follow each
// other in the skin table.
void SkinButton(TArButton& button, TSkinId position) {
    SetControlPos(button, Skin(position));
    LoadPicNormal(button, Skin(static_cast<TSkinId>(position + 1)));
    LoadPicMouseHover(button, Skin(static_cast<TSkinId>(position + 2)));
    LoadPicMouseDown(button, Skin(static_cast<TSkinId>(position + 3)));
    LoadPicDisabled(button, Skin(static_cast<TSkinId>(position + 4)));
}

// A tab sheet always fills its page control; its position value is still read, and a bad one still stops
// the skin there.
struct TSheetBounds {
    void SetBounds(int, int, int, int) {}
};

TButtonFont Font(const wchar_t* face, int points, bool bold, COLORREF colour) {
    return TButtonFont{face, points, bold, colour};
}

}  // namespace

void TMainForm::SetButtonFonts() {
    using S = TArButton::TState;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF buttonFace = GetSysColor(COLOR_BTNFACE);
    constexpr COLORREF gray = RGB(128, 128, 128), navy = RGB(0, 0, 128), white = RGB(255, 255, 255);
    constexpr COLORREF lime = RGB(0, 255, 0), aqua = RGB(0, 255, 255);
    constexpr COLORREF purple = RGB(128, 0, 128), maroon = RGB(128, 0, 0);

    for (TArButton* button : {&btnFile, &btnView, &btnTools, &btnHelp}) {
        button->SetTextOffset(45, 12);
        button->SetFont(S::Normal, Font(L"MS Sans Serif", 8, true, window));
        button->SetFont(S::MouseHover, Font(L"MS Sans Serif", 8, true, window));
        button->SetFont(S::MouseDown, Font(L"MS Sans Serif", 8, true, buttonFace));
        button->SetFont(S::Disabled, Font(L"MS Sans Serif", 8, false, gray));
    }
    for (TArButton* button : {&btnProgramList, &btnStartupItemList}) {
        button->SetFont(S::Normal, Font(L"Verdana", 8, false, windowText));
        button->SetFont(S::MouseHover, Font(L"Verdana", 8, false, navy));
        button->SetFont(S::MouseDown, Font(L"MS Sans Serif", 8, false, windowText));
    }
    btnProgramList.SetFont(S::Disabled, Font(L"Verdana", 8, false, white));
    btnStartupItemList.SetFont(S::Disabled, Font(L"MS Sans Serif", 8, false, white));
    for (TArButton* button : {&btnMin, &btnHelpContent, &btnClose})
        button->SetPictureCentred(false);
    for (TArButton* button : {&btnUninstall, &btnShowDetails, &btnRefresh, &btnSearch}) {
        button->SetTextOffset(60, 14);
        button->SetFont(S::Normal, Font(L"Microsoft Sans Serif", 9, false, lime));
        button->SetFont(S::MouseHover, Font(L"Verdana", 8, false, aqua));
        button->SetFont(S::MouseDown, Font(L"MS Sans Serif", 8, false, window));
        const bool purpleWhenDisabled = button == &btnUninstall || button == &btnShowDetails;
        button->SetFont(S::Disabled, Font(L"MS Sans Serif", 8, false, purpleWhenDisabled ? purple : maroon));
    }
    for (TArButton* button : {&btnSelectAll, &btnDelete, &btnApply}) {
        button->SetTextOffset(60, 16);
        button->SetFont(S::Normal, Font(L"MS Sans Serif", 8, false, lime));
        button->SetFont(S::MouseHover, Font(L"Verdana", 8, false, aqua));
        button->SetFont(S::MouseDown, Font(L"MS Sans Serif", 8, false, window));
        button->SetFont(S::Disabled, Font(L"MS Sans Serif", 8, false, button == &btnDelete ? purple : maroon));
    }
    btnDelete.SetPictureCentred(false);
    btnApply.SetPictureCentred(false);
}

void TMainForm::ApplySkin() {
    // The first bad value ends the skinning: what follows keeps its design place and gets no picture.
    try {
        SetControlPos(*this, Skin(SK_MAINFORM_Pos));
        LoadSkinPicture(imgBackGround, Skin(SK_MAINFORM_PicBackGround));
        LoadSkinPicture(ImgTitle, L"Title.png");
        SkinButton(btnMin, SK_MAINFORM_BUTTON_Min_Pos);
        SkinButton(btnHelpContent, SK_MAINFORM_BUTTON_HelpContent_Pos);
        SkinButton(btnClose, SK_MAINFORM_BUTTON_Close_Pos);
        SkinButton(btnFile, SK_MAINFORM_BUTTON_File_Pos);
        SkinButton(btnView, SK_MAINFORM_BUTTON_View_Pos);
        SkinButton(btnTools, SK_MAINFORM_BUTTON_Tools_Pos);
        SkinButton(btnHelp, SK_MAINFORM_BUTTON_Help_Pos);
        SkinButton(btnProgramList, SK_MAINFORM_BUTTON_ProgramList_Pos);
        SkinButton(btnStartupItemList, SK_MAINFORM_BUTTON_StartupItems_Pos);

        TSheetBounds sheet;
        SetControlPos(PageControl, Skin(SK_MAINFORM_PAGECONTROL_Pos));
        SetControlPos(sheet, Skin(SK_MAINFORM_PAGE1_Pos));
        SetControlPos(lsvProgramList, Skin(SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos));
        SetControlPos(SizePanelPL, Skin(SK_MAINFORM_PAGE1_SizePanel_Pos));
        SetControlPos(imgPanelP, Skin(SK_MAINFORM_PAGE1_ImgPanel_Pos));
        LoadSkinPicture(imgPanelP.Picture, Skin(SK_MAINFORM_PAGE1_ImgPanel_Pic));
        SkinButton(btnUninstall, SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos);
        SkinButton(btnShowDetails, SK_MAINFORM_PAGE1_BUTTON_ShowDetails_Pos);
        SkinButton(btnRefresh, SK_MAINFORM_PAGE1_BUTTON_Refresh_Pos);
        SetControlPos(grbSearch, Skin(SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos));
        SetControlPos(lblSearchTitle, Skin(SK_MAINFORM_PAGE1_GROUPBOX_LABEL_Title_Pos));
        SetControlPos(txtSearchInfo, Skin(SK_MAINFORM_PAGE1_GROUPBOX_TEXT_KeyWorld_Pos));
        SkinButton(btnSearch, SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos);
        SetControlPos(ckbHidePatch, Skin(SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HidePatch_Pos));
        SetControlPos(ckbHideScr, Skin(SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HideScr_Pos));

        SetControlPos(sheet, Skin(SK_MAINFORM_PAGE2_Pos));
        SetControlPos(lsvStartupList, Skin(SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos));
        SetControlPos(SizePanelSI, Skin(SK_MAINFORM_PAGE2_SizePanel_Pos));
        SetControlPos(imgPanelS, Skin(SK_MAINFORM_PAGE2_ImgPanel_Pos));
        LoadSkinPicture(imgPanelS.Picture, Skin(SK_MAINFORM_PAGE2_ImgPanel_Pic));
        SetControlPos(grbItemInfo, Skin(SK_MAINFORM_PAGE2_GROUPBOX_grbItemInfo_Pos));
        SetControlPos(lblPublisher, Skin(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Publisher_Pos));
        SetControlPos(lblPublisherValue, Skin(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_PublisherValue_Pos));
        SetControlPos(lblVersion, Skin(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Version_Pos));
        SetControlPos(lblVersionValue, Skin(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_VersionValue_Pos));
        SetControlPos(lblDes, Skin(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Des_Pos));
        SetControlPos(lblDescription, Skin(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Description_Pos));
        SkinButton(btnSelectAll, SK_MAINFORM_PAGE2_BUTTON_SelectAll_Pos);
        SkinButton(btnDelete, SK_MAINFORM_PAGE2_BUTTON_Delete_Pos);
        SkinButton(btnApply, SK_MAINFORM_PAGE2_BUTTON_Apply_Pos);
    } catch (const std::exception&) {
    }
    Invalidate();
}

void TMainForm::SizePanelPLHotSpotClick() {
    TGlobals& globals = Globals();
    SetControlPos(lsvProgramList, Skin(globals.SizePanelPLOpen ? SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_FullPos
                                                               : SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos));
    globals.SizePanelPLOpen = !globals.SizePanelPLOpen;
}

void TMainForm::SizePanelSIHotSpotClick() {
    TGlobals& globals = Globals();
    SetControlPos(lsvStartupList, Skin(globals.SizePanelSIOpen ? SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_FullPos
                                                               : SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos));
    globals.SizePanelSIOpen = !globals.SizePanelSIOpen;
}

}  // namespace varnook
