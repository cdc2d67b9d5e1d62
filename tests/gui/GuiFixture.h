#pragma once

#include "gui/shell/Application.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace guitest {

using TRecordingPrompt = testsupport::TRecordingPrompt;

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
    // Copies the translations the build stages beside the test program into the application folder, as the
    // installer ships them.
    void InstallShippedLanguages();
    // Saves a picture of `window` under the build folder's screenshots.
    static void Screenshot(HWND window, const std::wstring& name);
    static std::wstring ScreenshotPath(const std::wstring& name);

    std::wstring app_;
    TRecordingPrompt prompt_;
    std::unique_ptr<varnook::TMainForm> form_;
};

}  // namespace guitest
