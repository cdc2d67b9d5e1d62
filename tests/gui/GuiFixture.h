#pragma once

#include "gui/shell/Application.h"
#include "gui/widgets/Prompt.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace guitest {

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

// Each test gets a fresh application folder with the skin pictures, a recording seam, the built-in tables,
// and starts the program through its real start-up path.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the start-up sequence in the test's application folder.
    void Start(const wchar_t* serverDll = L"Tallivor.dll");
    // Handles the window messages that are waiting (painting, posted clicks).
    static void Pump();
    // Writes `text` as a file of the application folder (a UTF-16 file, as profile files may be).
    void WriteAppFile(const std::wstring& name, const std::wstring& text);
    // Saves a picture of `window` under the build folder's screenshots.
    static void Screenshot(HWND window, const std::wstring& name);
    static std::wstring ScreenshotPath(const std::wstring& name);

    std::wstring app_;
    TRecordingPrompt prompt_;
    std::unique_ptr<varnook::TMainForm> form_;
};

}  // namespace guitest
