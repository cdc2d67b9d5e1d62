#pragma once

#include <windows.h>

#include <string>

namespace varnook {

// The one seam for everything a test cannot click through or that reaches outside the program: message
// boxes and shell starts (file dialogs and process starts join here as their commands arrive). The program
// binds it to the real calls; tests install a scripted one that answers and records.
class TPrompt {
  public:
    virtual ~TPrompt() = default;

    // A message box captioned with the application title; returns the button chosen (IDOK, IDYES, ...).
    virtual int MessageBox(HWND owner, const std::wstring& text, UINT flags) = 0;

    // Asks the shell to open a file, folder, address or tool; the result is not looked at.
    virtual void ShellOpen(HWND owner,
                           const std::wstring& verb,
                           const std::wstring& file,
                           const std::wstring& parameters,
                           const std::wstring& folder,
                           int show) = 0;
};

// The seam in force: the real one unless a test has installed its own.
TPrompt& Prompt();
// Installs `prompt` (not owned) in place of the real one; null restores the real one.
void SetPrompt(TPrompt* prompt);

}  // namespace varnook
