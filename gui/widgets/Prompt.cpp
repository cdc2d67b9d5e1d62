#include "Prompt.h"

#include "gui/shell/globals.h"

#include "platform/Handles.h"

#include <cderr.h>
#include <commdlg.h>
#include <shellapi.h>

namespace varnook {

namespace {

// "Text|*.ext|All|*.*" in the dialogs' form: parts separated and ended by zero characters.
std::wstring DialogFilter(const std::wstring& filter) {
    std::wstring result = filter;
    for (wchar_t& c : result) {
        if (c == L'|')
            c = L'\0';
    }
    return result + L'\0' + L'\0';
}

std::wstring FileDialog(bool save, HWND owner, const std::wstring& filter, const std::wstring& folder,
                        const std::wstring& fileName, const std::wstring& defaultExtension) {
    std::wstring buffer = fileName;
    buffer.resize(32768, L'\0');
    const std::wstring filters = DialogFilter(filter);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
        return {};
    return buffer.c_str();
}

// Lays lines out on printer pages from the top left corner of the printable area: a line wider than the
// page continues on the next, and a new page begins when the next line would not fit.
bool PrintOnPrinter(HDC printer, const std::wstring& jobTitle, const std::vector<std::wstring>& lines) {
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = jobTitle.c_str();
    if (StartDocW(printer, &document) <= 0)
        return false;
    const RECT page{0, 0, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
    platform::TFont font(CreateFontW(-MulDiv(10, GetDeviceCaps(printer, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                     FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New"));
    constexpr UINT kFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;
    bool ok = StartPage(printer) > 0;
    HGDIOBJ old = SelectObject(printer, font.get());
    int y = page.top;
    for (const std::wstring& line : lines) {
        if (!ok)
            break;
        RECT measure{page.left, 0, page.right, 0};
        const std::wstring text = line.empty() ? L" " : line;
        DrawTextW(printer, text.c_str(), static_cast<int>(text.size()), &measure, DT_CALCRECT | kFormat);
        const int height = measure.bottom - measure.top;
        if (y + height > page.bottom && y > page.top) {
            SelectObject(printer, old);
            ok = EndPage(printer) > 0 && StartPage(printer) > 0;
            old = SelectObject(printer, font.get());
            y = page.top;
        }
        RECT target{page.left, y, page.right, y + height};
        DrawTextW(printer, text.c_str(), static_cast<int>(text.size()), &target, kFormat);
        y += height;
    }
    SelectObject(printer, old);
    ok = ok && EndPage(printer) > 0;
    if (!ok) {
        AbortDoc(printer);
        return false;
    }
    return EndDoc(printer) > 0;
}

class TSystemPrompt final : public TPrompt {
public:
    int MessageBox(HWND owner, const std::wstring& text, UINT flags) override {
        return ::MessageBoxW(owner, text.c_str(), kApplicationTitle, flags);
    }

    void ShellOpen(HWND owner, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& folder, int show) override {
        ShellExecuteW(owner, verb.c_str(), file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                      folder.empty() ? nullptr : folder.c_str(), show);
    }

    std::wstring OpenFileDialog(HWND owner, const std::wstring& filter, const std::wstring& folder) override {
        return FileDialog(false, owner, filter, folder, {}, {});
    }

    std::wstring SaveFileDialog(HWND owner, const std::wstring& filter, const std::wstring& folder,
                                const std::wstring& fileName, const std::wstring& defaultExtension) override {
        return FileDialog(true, owner, filter, folder, fileName, defaultExtension);
    }

    void RunDialog(HWND owner, const std::wstring& title) override {
        // The Run dialog is exported by ordinal only.
        using TRunFileDlg = void(WINAPI*)(HWND, HICON, LPCWSTR, LPCWSTR, LPCWSTR, UINT);
        const HMODULE shell = GetModuleHandleW(L"shell32.dll");
        const auto run =
            shell ? reinterpret_cast<TRunFileDlg>(reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(61))))
                  : nullptr;
        if (run)
            run(owner, nullptr, nullptr, title.c_str(), nullptr, 2);
    }

    bool PrintLines(HWND owner, const std::wstring& jobTitle, const std::vector<std::wstring>& lines) override {
        PRINTDLGW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        // The copies and collation chosen in the dialog travel with the printer's settings.
        dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
        if (!PrintDlgW(&dialog)) {
            // Cancelling is no failure, nor is having no printer (the dialog has said so); a dialog that could
            // not come up is.
            const DWORD error = CommDlgExtendedError();
            return error == 0 || error == PDERR_NODEFAULTPRN;
        }
        const platform::TMemoryDC printer(dialog.hDC);
        if (dialog.hDevMode)
            GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames)
            GlobalFree(dialog.hDevNames);
        return PrintOnPrinter(printer.get(), jobTitle, lines);
    }
};

TSystemPrompt systemPrompt;
TPrompt* current = &systemPrompt;

}  // namespace

TPrompt& Prompt() {
    return *current;
}

void SetPrompt(TPrompt* prompt) {
    current = prompt ? prompt : &systemPrompt;
}

}  // namespace varnook
