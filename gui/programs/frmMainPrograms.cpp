// The program list page of the main window: loading, filters, sorting, search, view modes, tips, the
// Directory link and the selection panel.
#include "ProgramListRules.h"
#include "gui/shell/frmMain.h"
#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Paint.h"
#include "gui/widgets/Prompt.h"
#include "platform/Errors.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>

namespace varnook {

namespace {

constexpr UINT_PTR kListSubclass = 1;

// Rows are added inside one update bracket, closed on every way out.
class TUpdateBracket {
public:
    explicit TUpdateBracket(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;
    ~TUpdateBracket() {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }

private:
    HWND list_;
};

std::wstring ItemText(IProgramItem* item, HRESULT (STDMETHODCALLTYPE IProgramItem::*getter)(BSTR*)) {
    platform::TBstr text;
    platform::OleCheck((item->*getter)(text.put()));
    return text.c_str();
}

ULONG ItemNumber(IProgramItem* item, HRESULT (STDMETHODCALLTYPE IProgramItem::*getter)(ULONG*)) {
    ULONG value = 0;
    platform::OleCheck((item->*getter)(&value));
    return value;
}

// Language texts carry "%s" and "%.2f" placeholders; they are filled here rather than handed to a printf, so a
// translated text can never make the formatting read arguments that are not there.
std::wstring Format(const std::wstring& format, const std::wstring& text) {
    return FormatText(format, text);
}

std::wstring FormatMegabytes(const std::wstring& format, double megabytes) {
    wchar_t number[64];
    swprintf(number, 64, L"%.2f", megabytes);
    std::wstring result = format;
    if (const size_t at = result.find(L"%.2f"); at != std::wstring::npos)
        result.replace(at, 4, number);
    return result;
}

int AddRow(HWND list, const std::wstring& caption, const std::wstring& publisher, const std::wstring& folder, int image,
           LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    item.iImage = image;
    item.lParam = data;
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (int column = 1; column <= 2; ++column) {
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>((column == 1 ? publisher : folder).c_str());
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    return row;
}

bool SubItemBounds(HWND list, int row, int column, RECT& bounds) {
    bounds = RECT{LVIR_BOUNDS, column, 0, 0};
    return SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
}

DWORD ViewStyle(HWND list) {
    return static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE)) & LVS_TYPEMASK;
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* form = reinterpret_cast<TMainForm*>(data);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE:
            form->lsvProgramListMouseMove(point);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // The list selects the row under the mouse first; the page reacts to the press afterwards.
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            if (IsWindow(hwnd)) {
                try {
                    form->lsvProgramListMouseDown(message, point);
                } catch (const std::exception&) {
                }
            }
            return result;
        }
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

int CALLBACK CompareRows(LPARAM item1, LPARAM item2, LPARAM context) {
    const auto* sort = reinterpret_cast<const std::pair<TMainForm*, int>*>(context);
    return sort->first->ProgramListCompare(static_cast<int>(item1), static_cast<int>(item2), sort->second);
}

}  // namespace

void TMainForm::CreateProgramPage() {
    static platform::TFont listFont = CreatePointFont(L"Verdana", 8, false);
    lsvProgramList.SetFont(listFont.get());
    DetailsForm = std::make_unique<TDetailsForm>(ProgramList);
    DetailsForm->Create(Handle());
    SetWindowSubclass(lsvProgramList.Handle(), ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
    txtSearchInfo.OnChange = [this] { txtSearchInfoChange(); };
    lsvProgramList.OnNotify = [this](NMHDR* header) -> LRESULT {
        switch (header->code) {
            case LVN_ITEMCHANGED: {
                const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
                if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
                    lsvProgramListSelectItem(change->iItem);
                return 0;
            }
            case LVN_COLUMNCLICK:
                lsvProgramListColumnClick(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
                return 0;
            case LVN_GETINFOTIPW: {
                auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(header);
                try {
                    const std::wstring text = lsvProgramListInfoTip(tip->iItem);
                    if (!text.empty() && tip->cchTextMax > 0)
                        wcsncpy_s(tip->pszText, static_cast<size_t>(tip->cchTextMax), text.c_str(), _TRUNCATE);
                } catch (const std::exception&) {
                }
                return 0;
            }
            case NM_DBLCLK:
                if (SelectedRow())
                    ActionUninstallExecute();
                return 0;
            case NM_CUSTOMDRAW: {
                // The Directory column looks like a link.
                static platform::TFont linkFont = CreatePointFont(L"Verdana", 8, false, true);
                auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
                if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
                    return CDRF_NOTIFYITEMDRAW;
                if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                    return CDRF_NOTIFYSUBITEMDRAW;
                if (draw->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
                    const bool link = draw->iSubItem == 2;
                    SelectObject(draw->nmcd.hdc, link ? linkFont.get() : listFont.get());
                    draw->clrText = link ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT);
                    return CDRF_NEWFONT;
                }
                return CDRF_DODEFAULT;
            }
        }
        return 0;
    };
}

void TMainForm::LoadProgramList() {
    TGlobals& globals = Globals();
    SysPatchCount = 0;
    ULONG hidden = 0;
    ProgramList.UpdateProgramList();
    const ULONG programs = ProgramList.ItemCount();
    const HWND list = lsvProgramList.Handle();
    lsvProgramList.Send(LVM_DELETEALLITEMS);
    DetailsForm->ClearPrograms();
    TUpdateBracket bracket(list);
    lsvProgramList.Send(LVM_SETITEMCOUNT, programs, LVSICF_NOINVALIDATEALL);

    for (ULONG i = 0; i < programs; ++i) {
        const platform::TComPtr<IProgramItem> item = ProgramList.ProgramItem(i);
        if (!item)
            return;
        const bool patch = ItemNumber(item.get(), &IProgramItem::get_IsSysPatch) == 1;
        if (patch)
            ++SysPatchCount;
        if (globals.HideSysPatch && patch) {
            ++hidden;
            continue;
        }
        std::wstring caption = ItemText(item.get(), &IProgramItem::get_DisplayName);
        if (caption.empty())
            caption = ItemText(item.get(), &IProgramItem::get_RegistryName);
        const std::wstring publisher = ItemText(item.get(), &IProgramItem::get_Publisher);
        const std::wstring folder = ItemText(item.get(), &IProgramItem::get_InstallDir);
        const int image = static_cast<int>(ItemNumber(item.get(), &IProgramItem::get_IconIndex));
        AddRow(list, caption, publisher, folder, image, static_cast<LPARAM>(RowData(i, false)));
        DetailsForm->AddProgram(caption, image, i);
    }

    ProgramList.UpdateScrList();
    const ULONG screenSavers = ProgramList.ScrItemCount();
    if (!globals.HideScreenSaver) {
        for (ULONG i = 0; i < screenSavers; ++i) {
            const std::wstring name = ProgramList.ScrName(i);
            std::wstring caption;
            if (!name.empty()) {
                const std::wstring description = ProgramList.scrDescription(i);
                caption = L"[" + Lang(IDS_MAINFORM_ScreenSaver) + L"]" + (description.empty() ? name : description);
            }
            const int image = static_cast<int>(ProgramList.ScrIconIndex(i));
            const std::wstring publisher = ProgramList.ScrPublisher(i);
            AddRow(list, caption, publisher, ProgramList.ScrFileDir(i), image, static_cast<LPARAM>(RowData(i, true)));
        }
    }

    wchar_t counts[512];
    swprintf(counts, 512, L"%u (%ls: %u, %ls: %u)", programs + screenSavers,
             Lang(IDS_MAINFORM_MENU_TOOLS_WindowsUpdate).c_str(), SysPatchCount, Lang(IDS_MAINFORM_ScreenSaver).c_str(),
             screenSavers);
    ProgramCountsText = counts;
    const RECT programsLabel = lblPrograms.Bounds();
    const RECT countsLabel = lblProgramCounts.Bounds();
    lblProgramCounts.SetBounds(programsLabel.right + 5, countsLabel.top, countsLabel.right - countsLabel.left,
                               countsLabel.bottom - countsLabel.top);
    lblProgramCounts.SetText(ProgramCountsText);
}

void TMainForm::ActionRefreshExecute() {
    if (ActivePage() == 0)
        LoadProgramList();
    else
        RefreshStartupList();
}

void TMainForm::ActionTabProgramListExecute() {
    SetActivePage(0);
    lblPrograms.SetText(Lang(IDS_STATUSBAR_LABEL_Programs));
    const RECT programsLabel = lblPrograms.Bounds();
    const RECT countsLabel = lblProgramCounts.Bounds();
    lblProgramCounts.SetBounds(programsLabel.right + 5, countsLabel.top, countsLabel.right - countsLabel.left,
                               countsLabel.bottom - countsLabel.top);
    lblProgramCounts.SetText(ProgramCountsText);
    ActionTabProgramList.SetEnabled(false);
    ActionTabStartupItems.SetEnabled(true);
    lblProgramCounts.Show(true);
    lblPrograms.Show(true);
    for (size_t item : {MenuItems.mItemViewIcon, MenuItems.mItemViewList, MenuItems.mItemViewReport})
        pmView.SetVisible(item, true);
    pmFile.SetVisible(MenuItems.mItemExportRegInfo, true);
}

void TMainForm::ActionHideSysPatchExecute() {
    ToggleHideFilter(ActionHideSysPatch, ckbHidePatch, Globals().HideSysPatch, kKeyHideSysPatch);
}

void TMainForm::ActionHideScrExecute() {
    ToggleHideFilter(ActionHideScr, ckbHideScr, Globals().HideScreenSaver, kKeyHideScreenSaver);
}

// Flips one of the list's hide filters in the menu, the side panel and the settings (written at once), and
// loads the list again.
void TMainForm::ToggleHideFilter(TAction& action, TSkinCheckBox& box, bool& setting, const wchar_t* configKey) {
    const bool hide = !action.Checked();
    action.SetChecked(hide);
    box.SetChecked(hide);
    setting = hide;
    WriteConfigValue(configKey, hide ? L"1" : L"0");
    LoadProgramList();
}

void TMainForm::ActionGridExecute() {
    const bool grid = !ActionGrid.Checked();
    ActionGrid.SetChecked(grid);
    for (TListView* list : {&lsvProgramList, &lsvStartupList})
        list->Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, grid ? LVS_EX_GRIDLINES : 0);
}

void TMainForm::ActionInfoTipsExecute() {
    const bool tips = !ActionInfoTips.Checked();
    ActionInfoTips.SetChecked(tips);
    lsvProgramList.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, tips ? LVS_EX_INFOTIP : 0);
}

void TMainForm::SetViewStyle(TAction& action) {
    // The view actions carry the check marks of both View menus.
    for (TAction* view : {&ActionViewIcon, &ActionViewList, &ActionViewReport})
        view->SetChecked(view == &action);
    const DWORD style = &action == &ActionViewIcon ? LVS_ICON : &action == &ActionViewList ? LVS_LIST : LVS_REPORT;
    const HWND list = lsvProgramList.Handle();
    SetWindowLongPtrW(list, GWL_STYLE, (GetWindowLongPtrW(list, GWL_STYLE) & ~LVS_TYPEMASK) | style);
    InvalidateRect(list, nullptr, TRUE);
}

void TMainForm::ActionViewIconExecute() {
    SetViewStyle(ActionViewIcon);
}

void TMainForm::ActionViewListExecute() {
    SetViewStyle(ActionViewList);
}

void TMainForm::ActionViewReportExecute() {
    SetViewStyle(ActionViewReport);
}

std::wstring TMainForm::RowText(int item, int column) const {
    wchar_t text[1024] = {};
    LVITEMW info{};
    info.iSubItem = column;
    info.pszText = text;
    info.cchTextMax = 1024;
    lsvProgramList.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info));
    return text;
}

void TMainForm::lsvProgramListColumnClick(int column) {
    std::pair<TMainForm*, int> context{this, column};
    lsvProgramList.Send(LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(CompareRows));
    SortAscending = !SortAscending;
}

int TMainForm::ProgramListCompare(int item1, int item2, int column) {
    return ProgramListCompareTexts(RowText(item1, column), RowText(item2, column), column, SortAscending);
}

int TMainForm::FindProgramItem(int start, const std::wstring& text) {
    const int rows = static_cast<int>(lsvProgramList.Send(LVM_GETITEMCOUNT));
    if (rows == 0 || start >= rows)
        return -1;
    for (int row = start; row < rows; ++row) {
        if (CaptionContains(RowText(row, 0), text)) {
            Globals().SearchStart = row + 1;
            return row;
        }
    }
    return -1;
}

void TMainForm::ActionSearchExecute() {
    const std::wstring text = txtSearchInfo.Text();
    if (text.empty())
        return;
    const int row = FindProgramItem(Globals().SearchStart, text);
    if (row < 0)
        return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    lsvProgramList.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SetFocus(lsvProgramList.Handle());
    if (row > 0) {
        // The row before the match becomes the top row, so the match shows second.
        RECT previous{LVIR_BOUNDS, 0, 0, 0};
        RECT top{LVIR_BOUNDS, 0, 0, 0};
        const auto topRow = static_cast<WPARAM>(lsvProgramList.Send(LVM_GETTOPINDEX));
        lsvProgramList.Send(LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&previous));
        lsvProgramList.Send(LVM_GETITEMRECT, topRow, reinterpret_cast<LPARAM>(&top));
        lsvProgramList.Send(LVM_SCROLL, 0, previous.top - top.top);
    } else {
        lsvProgramList.Send(LVM_SCROLL, 0, -100000);
    }
}

void TMainForm::txtSearchInfoChange() {
    Globals().SearchStart = 0;
}

std::wstring TMainForm::lsvProgramListInfoTip(int item) {
    const std::wstring caption = RowText(item, 0);
    LVITEMW info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    lsvProgramList.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    const auto data = static_cast<uint32_t>(info.lParam);
    const ULONG index = RowIndex(data);
    if (IsScreenSaverRow(caption, data)) {
        return FormatMegabytes(Lang(IDS_LISTVIEW_TIPS_Size), ProgramList.ScrSize(index) / 1048576.0) + L"\r\n" +
               Format(Lang(IDS_LISTVIEW_TIPS_ScrName), ProgramList.ScrName(index)) + L"\r\n" +
               Format(Lang(IDS_LISTVIEW_TIPS_LastUsed), ProgramList.ScrLastAccessTime(index)) + L"\r\n";
    }
    const platform::TComPtr<IProgramItem> program = ProgramList.ProgramItem(index);
    if (!program)
        return {};
    const TLangId words[] = {IDS_ListView_Tips_UsedFrequency_Rarely, IDS_ListView_Tips_UsedFrequency_Occasionally,
                             IDS_ListView_Tips_UsedFrequency_Frequently};
    const ULONG frequency = ItemNumber(program.get(), &IProgramItem::get_UsedFrequency);
    std::wstring tip = Format(Lang(IDS_LISTVIEW_TIPS_UsedFrequency), Lang(words[FrequencyClass(frequency)])) + L"\r\n";
    const std::wstring lastUsed = ItemText(program.get(), &IProgramItem::get_LastAccessTime);
    if (!lastUsed.empty())
        tip += Format(Lang(IDS_LISTVIEW_TIPS_LastUsed), lastUsed) + L"\r\n";
    return tip +
           Format(Lang(IDS_LISTVIEW_TIPS_UninstallString), ItemText(program.get(), &IProgramItem::get_UninstallString));
}

void TMainForm::lsvProgramListMouseMove(POINT point) {
    const HWND list = lsvProgramList.Handle();
    const DWORD style = ViewStyle(list);
    if (style != LVS_REPORT && style != LVS_SMALLICON)
        return;
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    RECT cell;
    if (SubItemBounds(list, 0, 2, cell) && (point.x <= cell.left || point.x >= cell.right))
        SetCursor(arrow);
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int row = static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row >= 0 && SubItemBounds(list, row, 2, cell))
        SetCursor(PtInRect(&cell, point) ? LoadCursorW(nullptr, IDC_HAND) : arrow);
}

void TMainForm::lsvProgramListMouseDown(UINT message, POINT point) {
    const std::optional<TRow> row = SelectedRow();
    if (row && message == WM_RBUTTONDOWN) {
        POINT screen;
        GetCursorPos(&screen);
        pmPLRightClick.Popup(Handle(), screen);
    }
    Globals().SearchStart = 0;
    const HWND list = lsvProgramList.Handle();
    const DWORD style = ViewStyle(list);
    if (!row || (style != LVS_REPORT && style != LVS_SMALLICON))
        return;
    RECT cell;
    if (!SubItemBounds(list, 0, 2, cell) || point.x >= cell.right)
        return;
    if (SubItemBounds(list, row->index, 2, cell) && PtInRect(&cell, point) && message == WM_LBUTTONDOWN) {
        const std::wstring folder = RowText(row->index, 2);
        if (!folder.empty())
            Prompt().ShellOpen(Handle(), L"Open", folder, L"", L"", SW_SHOWNORMAL);
    }
}

void TMainForm::lsvProgramListSelectItem(int item) {
    if (item < 0)
        return;
    ActionUninstall.SetEnabled(true);
    ActionDeleteScr.SetEnabled(true);
    ActionShowDetails.SetEnabled(true);
    lblProgramURL.SetText(L"");
    const std::wstring caption = RowText(item, 0);
    LVITEMW info{};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    lsvProgramList.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    const auto data = static_cast<uint32_t>(info.lParam);

    const bool screenSaver = IsScreenSaverRow(caption, data);
    for (TAction* action : {&ActionExportReg, &ActionRegedit, &ActionComment, &ActionShowDetails})
        action->SetEnabled(!screenSaver);
    TAction& command = screenSaver ? ActionDeleteScr : ActionUninstall;
    (screenSaver ? ActionUninstall : ActionDeleteScr).Unbind(btnUninstall);
    command.Bind(btnUninstall);
    pmPLRightClick.SetAction(MenuItems.mItemUninstall, command);
    const std::wstring& commandCaption =
        Lang(screenSaver ? IDS_SIDEBAR_BUTTON_DeleteScr : IDS_SIDEBAR_BUTTON_Uninstall);
    btnUninstall.SetText(commandCaption);
    pmPLRightClick.SetCaption(MenuItems.mItemUninstall, commandCaption);
    if (screenSaver) {
        for (TLabel* label : {&lblProgramURL, &lblRegName, &lblRegistryName})
            label->Show(false);
        return;
    }

    const platform::TComPtr<IProgramItem> program = ProgramList.ProgramItem(RowIndex(data));
    if (!program)
        return;
    for (TLabel* label : {&lblProgramURL, &lblRegName, &lblRegistryName})
        label->Show(true);
    lblRegistryName.SetText(ItemText(program.get(), &IProgramItem::get_RegistryName));
    PlaceStatusLabels();
    for (auto getter :
         {&IProgramItem::get_URLAboutInfo, &IProgramItem::get_HelpLink, &IProgramItem::get_URLUpdateInfo}) {
        const std::wstring link = ItemText(program.get(), getter);
        if (!link.empty()) {
            lblProgramURL.SetText(link);
            break;
        }
    }
}

void TMainForm::FillProgramDetails(ULONG index) {
    DetailsForm->FillProgramDetails(index);
}

void TMainForm::ActionShowDetailsExecute() {
    const std::optional<TRow> row = SelectedRow();
    if (!row)
        return;
    FillProgramDetails(static_cast<ULONG>(row->data));
    DetailsForm->ShowModal();
}

std::optional<TMainForm::TRow> TMainForm::SelectedRow() const {
    const int index = static_cast<int>(lsvProgramList.Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (index < 0)
        return std::nullopt;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    lsvProgramList.Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    TRow row;
    row.index = index;
    row.caption = RowText(index, 0);
    row.data = static_cast<LPARAM>(RowIndex(static_cast<uint32_t>(item.lParam)));
    row.screenSaver = IsScreenSaverRow(row.caption, static_cast<uint32_t>(item.lParam));
    return row;
}

}  // namespace varnook
