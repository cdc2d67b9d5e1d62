#include "Prompt.h"

#include "gui/shell/globals.h"

#include <shellapi.h>

namespace varnook {

namespace {

class TSystemPrompt final : public TPrompt {
  public:
    int MessageBox(HWND owner, const std::wstring& text, UINT flags) override {
        return ::MessageBoxW(owner, text.c_str(), kApplicationTitle, flags);
    }

    void ShellOpen(HWND owner,
                   const std::wstring& verb,
                   const std::wstring& file,
                   const std::wstring& parameters,
                   const std::wstring& folder,
                   int show) override {
        ShellExecuteW(owner, verb.c_str(), file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                      folder.empty() ? nullptr : folder.c_str(), show);
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
