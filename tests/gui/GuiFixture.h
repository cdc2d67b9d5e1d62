#pragma once

#include "gui/shell/Application.h"
#include "gui/widgets/Prompt.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace guitest {

// Answers message boxes with a scripted button and records them and every shell start.
class TRecordingPrompt : public varnook::TPrompt {
  public:
    struct TMessage {
        std::wstring text;
        UINT flags;
    };
    struct TOpen {
        std::wstring verb, file, parameters;
    };

    int MessageBox(HWND, const std::wstring& text, UINT flags) override {
        messages.push_back({text, flags});
        return answer;
    }
    void ShellOpen(HWND,
                   const std::wstring& verb,
                   const std::wstring& file,
                   const std::wstring& parameters,
                   const std::wstring&,
                   int) override {
        opens.push_back({verb, file, parameters});
    }

    int answer = IDOK;
    std::vector<TMessage> messages;
    std::vector<TOpen> opens;
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
