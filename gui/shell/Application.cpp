#include "Application.h"

#include "frmSplash.h"
#include "globals.h"
#include "gui/widgets/Modal.h"
#include "multiLangs.h"
#include "multiSkins.h"
#include "platform/Errors.h"

namespace varnook {

namespace {

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace

std::unique_ptr<TMainForm> StartUp(const std::wstring& appPath, const wchar_t* serverDll) {
    if (!LoadConfig(appPath))
        return nullptr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        RegisterComServer(serverDll);
    } catch (const std::exception& error) {
        ShowException(nullptr, error);
        return nullptr;
    }
    LoadSkin();
    LoadLanguage();
    auto form = std::make_unique<TMainForm>();
    form->Create();
    return form;
}

int RunApplication() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::unique_ptr<TMainForm> form;
    try {
        form = StartUp(ExecutableFolder());
    } catch (const std::exception& error) {
        ShowException(nullptr, error);
    }
    if (!form)
        return 1;
    form->QuitOnDestroy = true;
    ShowSplash();
    CentreOnScreen(form->Handle());
    ShowWindow(form->Handle(), SW_SHOW);
    SetForegroundWindow(form->Handle());

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!form->PreTranslateMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    form.reset();
    CoUninitialize();
    return static_cast<int>(message.wParam);
}

}  // namespace varnook
