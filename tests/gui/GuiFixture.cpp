#include "GuiFixture.h"

#include "Screenshot.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/shell/multiSkins.h"
#include "gui/widgets/Modal.h"
#include "platform/Files.h"

namespace guitest {

namespace {

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L'\\') + 1);
}

}  // namespace

void GuiTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info->name();
    app_ = testsupport::FreshFolder(L"gui_" + std::wstring(name.begin(), name.end())) + L"\\";
    // The skin pictures come from the build, where they sit beside the test program.
    CreateDirectoryW((app_ + L"Skins").c_str(), nullptr);
    const std::wstring pictures = ExecutableFolder() + L"Skins\\";
    platform::ForEachFound(pictures + L"*.png", [&](const WIN32_FIND_DATAW& found) {
        CopyFileW((pictures + found.cFileName).c_str(), (app_ + L"Skins\\" + found.cFileName).c_str(), FALSE);
        return true;
    });
    varnook::SetPrompt(&prompt_);
    varnook::Globals().Reset();
    varnook::ResetLanguage();
    varnook::ResetSkin();
}

void GuiTest::TearDown() {
    form_.reset();
    Pump();
    varnook::SetPrompt(nullptr);
    varnook::SetModalDriver(nullptr);
    testsupport::RemoveFolder(app_.substr(0, app_.size() - 1));
}

void GuiTest::Start(const wchar_t* serverDll) {
    form_ = varnook::StartUp(app_, serverDll);
    if (form_) {
        ShowWindow(form_->Handle(), SW_SHOWNOACTIVATE);
        Pump();
    }
}

void GuiTest::Pump() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

void GuiTest::WriteAppFile(const std::wstring& name, const std::wstring& text) {
    platform::TFileHandle file(
        CreateFileW((app_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    const std::wstring content = L"\xFEFF" + text;
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &written, nullptr));
}

void GuiTest::InstallShippedLanguages() {
    wchar_t program[MAX_PATH];
    const std::wstring path(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    const std::wstring shipped = path.substr(0, path.find_last_of(L'\\') + 1) + L"Langs\\";
    CreateDirectoryW((app_ + L"Langs").c_str(), nullptr);
    platform::ForEachFound(shipped + L"*.ini", [&](const WIN32_FIND_DATAW& found) {
        CopyFileW((shipped + found.cFileName).c_str(), (app_ + L"Langs\\" + found.cFileName).c_str(), FALSE);
        return true;
    });
}

std::wstring GuiTest::ScreenshotPath(const std::wstring& name) {
    const std::wstring folder = testsupport::WinePath(SCREENSHOT_DIR);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name + L".png";
}

void GuiTest::Screenshot(HWND window, const std::wstring& name) {
    const std::wstring path = ScreenshotPath(name);
    Pump();
    EXPECT_TRUE(SaveScreenshot(window, path));
}

}  // namespace guitest
