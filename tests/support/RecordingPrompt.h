#pragma once

#include "gui/widgets/Prompt.h"

#include <deque>
#include <string>
#include <vector>

namespace testsupport {

// Answers message boxes and file dialogs as scripted and records them, every shell start and print job.
class TRecordingPrompt : public varnook::TPrompt {
public:
    struct TMessage {
        std::wstring text;
        UINT flags;
    };
    struct TOpen {
        std::wstring verb, file, parameters, folder;
    };

    int MessageBox(HWND, const std::wstring& text, UINT flags) override {
        messages.push_back({text, flags});
        return answer;
    }
    void ShellOpen(HWND, const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& folder, int) override {
        opens.push_back({verb, file, parameters, folder});
    }
    std::wstring OpenFileDialog(HWND, const std::wstring& filter, const std::wstring& folder) override {
        dialogs.push_back({false, filter, folder, {}, {}});
        return NextFile();
    }
    std::wstring SaveFileDialog(HWND, const std::wstring& filter, const std::wstring& folder,
                                const std::wstring& fileName, const std::wstring& defaultExtension) override {
        dialogs.push_back({true, filter, folder, fileName, defaultExtension});
        return NextFile();
    }
    void RunDialog(HWND, const std::wstring& title) override { runDialogs.push_back(title); }
    bool PrintLines(HWND, const std::wstring& jobTitle, const std::vector<std::wstring>& lines) override {
        printed.push_back({jobTitle, lines});
        return printAnswer;
    }

    struct TDialog {
        bool save;
        std::wstring filter, folder, fileName, defaultExtension;
    };
    struct TPrintJob {
        std::wstring title;
        std::vector<std::wstring> lines;
    };

    // Scripted answers: the button of every message box, the files the dialogs return in turn (a dialog
    // with no answer left is cancelled), whether printing works.
    int answer = IDOK;
    std::deque<std::wstring> fileAnswers;
    bool printAnswer = true;

    std::vector<TMessage> messages;
    std::vector<TOpen> opens;
    std::vector<TDialog> dialogs;
    std::vector<std::wstring> runDialogs;
    std::vector<TPrintJob> printed;

private:
    std::wstring NextFile() {
        if (fileAnswers.empty())
            return {};
        std::wstring file = fileAnswers.front();
        fileAnswers.pop_front();
        return file;
    }
};

}  // namespace testsupport
