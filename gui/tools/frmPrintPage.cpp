#include "frmPrintPage.h"

#include "ToolsRules.h"

#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/widgets/Modal.h"
#include "gui/widgets/Prompt.h"
#include "platform/Errors.h"

#include <algorithm>

namespace varnook {

namespace {

RECT Area(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

// `text` in code page `codePage`; false when a character has no code of its own there.
bool Encode(UINT codePage, const std::wstring& text, std::string& bytes) {
    bytes.clear();
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    // UTF-8 takes neither flags nor a default-character question, and holds every character.
    const bool utf8 = codePage == CP_UTF8;
    BOOL defaulted = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* asked = utf8 ? nullptr : &defaulted;
    const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, asked);
    if (size <= 0 || defaulted)
        return false;
    bytes.resize(static_cast<size_t>(size));
    return WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), size, nullptr, asked) == size &&
           !defaulted;
}

}  // namespace

void SaveTextFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
    const std::wstring text = FileText(lines);
    std::string bytes;
    if (!Encode(GetACP(), text, bytes)) {
        Encode(CP_UTF8, text, bytes);
        bytes.insert(0, "\xEF\xBB\xBF");
    }
    const platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        platform::RaiseLastOSError();
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        platform::RaiseLastOSError();
}

void TPrintListForm::Create(HWND owner) {
    owner_ = owner;
    CreateWindowOfClass(L"TPrintListForm", 0, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, owner, Area(0, 0, 520, 420));
    const SIZE outer = OuterSizeFor(Handle(), 512, 386);
    SetBounds(0, 0, outer.cx, outer.cy);

    btnSave.Create(Handle(), Area(8, 8, 75, 25), false);
    btnSave.OnClick = [this] { btnSaveClick(); };
    btnPrint.Create(Handle(), Area(91, 8, 75, 25), false);
    btnPrint.OnClick = [this] { btnPrintClick(); };
    // Lines wrap at the box's width: no horizontal scrolling.
    MemoList.Create(L"EDIT", WS_EX_CLIENTEDGE,
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    Handle(), Area(0, 41, 512, 345));
    MemoList.Send(EM_SETLIMITTEXT, 0);
    memoFont_.reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
    MemoList.SetFont(memoFont_.get());
    const HFONT buttons = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    btnSave.SetFont(buttons);
    btnPrint.SetFont(buttons);
    CentreOnScreen(Handle());
}

void TPrintListForm::FormShow() {
    SetText(Lang(IDS_PRINTFORM_Title));
    btnSave.SetText(Lang(IDS_PRINTFORM_BUTTON_Save));
    btnPrint.SetText(Lang(IDS_PRINTFORM_BUTTON_Print));
}

void TPrintListForm::ShowModal() {
    FormShow();
    RunModal(Handle(), owner_, closed_);
}

void TPrintListForm::Close() {
    closed_ = true;
    Show(false);
}

void TPrintListForm::AddLines(const std::vector<std::wstring>& lines) {
    std::wstring text = MemoList.Text();
    if (!text.empty())
        text += L"\r\n";
    MemoList.SetText(text + JoinLines(lines));
}

std::vector<std::wstring> TPrintListForm::Lines() const {
    return SplitLines(MemoList.Text());
}

std::vector<std::wstring> TPrintListForm::ShownLines() const {
    std::vector<std::wstring> lines;
    const int count = static_cast<int>(MemoList.Send(EM_GETLINECOUNT));
    for (int line = 0; line < count; ++line) {
        const LRESULT start = MemoList.Send(EM_LINEINDEX, static_cast<WPARAM>(line));
        const auto length = static_cast<size_t>(MemoList.Send(EM_LINELENGTH, static_cast<WPARAM>(start)));
        // EM_GETLINE takes the buffer's size in its first character.
        std::wstring text(std::max<size_t>(length, 1), L'\0');
        text[0] = static_cast<wchar_t>(std::min<size_t>(text.size(), 0xFFFF));
        const auto copied = static_cast<size_t>(
            MemoList.Send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data())));
        text.resize(std::min(copied, length));
        lines.push_back(std::move(text));
    }
    return lines;
}

void TPrintListForm::btnSaveClick() {
    const std::wstring path = Prompt().SaveFileDialog(Handle(), kTextFileFilter, L"", L"", L"txt");
    if (path.empty())
        return;
    SaveTextFile(path, Lines());
}

void TPrintListForm::btnPrintClick() {
    if (!Prompt().PrintLines(Handle(), kApplicationTitle, ShownLines()))
        Prompt().MessageBox(Handle(), Lang(IDS_MESSAGEBOX_MESSAGE_PrintError), MB_ICONWARNING | MB_OK);
}

LRESULT TPrintListForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
