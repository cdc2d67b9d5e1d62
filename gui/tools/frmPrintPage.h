#pragma once

#include "gui/widgets/Controls.h"
#include "platform/Handles.h"

#include <string>
#include <vector>

namespace varnook {

// The "Save/Print" dialog of the program list report: the report in an editable text box, saved to a text
// file or printed as it stands.
class TPrintListForm : public TWindow {
public:
    void Create(HWND owner);
    void FormShow();
    void ShowModal();
    void Close();
    bool Closed() const { return closed_; }

    // Appends lines to the text box.
    void AddLines(const std::vector<std::wstring>& lines);
    // The text box's lines as typed (line breaks only) and as it shows them (wrapped at its width).
    std::vector<std::wstring> Lines() const;
    std::vector<std::wstring> ShownLines() const;

    void btnSaveClick();
    void btnPrintClick();

    TPushButton btnSave, btnPrint;
    TControl MemoList;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND owner_ = nullptr;
    bool closed_ = false;
    platform::TFont memoFont_;
};

// Writes `lines` to `path`, each followed by CR LF: in the ANSI code page when every character has its own
// code there, otherwise as UTF-8 with a byte-order mark. Raises platform::EOleError when the file cannot
// be written.
void SaveTextFile(const std::wstring& path, const std::vector<std::wstring>& lines);

}  // namespace varnook
