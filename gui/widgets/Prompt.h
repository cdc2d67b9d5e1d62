#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace varnook {

// The one seam for everything a test cannot click through or that reaches outside the program: message
// boxes, file dialogs, the Run dialog, printing and shell starts. The program binds it to the real calls;
// tests install a scripted one that answers and records.
class TPrompt {
public:
    virtual ~TPrompt() = default;

    // A message box captioned with the application title; returns the button chosen (IDOK, IDYES, ...).
    virtual int MessageBox(HWND owner, const std::wstring& text, UINT flags) = 0;

    // Asks the shell to open a file, folder, address or tool; the result is not looked at.
    virtual void ShellOpen(HWND owner, const std::wstring& verb, const std::wstring& file,
                           const std::wstring& parameters, const std::wstring& folder, int show) = 0;

    // The system's open and save dialogs. `filter` is in the dialog's form ("Registry files|*.reg" with "|"
    // between the parts); the chosen path, or empty when the user cancelled.
    virtual std::wstring OpenFileDialog(HWND owner, const std::wstring& filter, const std::wstring& folder) = 0;
    virtual std::wstring SaveFileDialog(HWND owner, const std::wstring& filter, const std::wstring& folder,
                                        const std::wstring& fileName, const std::wstring& defaultExtension) = 0;

    // The shell's Run dialog with its title.
    virtual void RunDialog(HWND owner, const std::wstring& title) = 0;

    // Prints plain text lines on a printer the user chooses; false when printing failed (a cancelled
    // printer dialog prints nothing and is no failure).
    virtual bool PrintLines(HWND owner, const std::wstring& jobTitle, const std::vector<std::wstring>& lines) = 0;
};

// The seam in force: the real one unless a test has installed its own.
TPrompt& Prompt();
// Installs `prompt` (not owned) in place of the real one; null restores the real one.
void SetPrompt(TPrompt* prompt);

}  // namespace varnook
