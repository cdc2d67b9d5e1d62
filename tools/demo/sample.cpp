// A sample program of the demo machine: a small window that names the sample, read from the program's own
// version resource, so one source serves every sample. Started with any argument (its run-key and
// Startup-folder entries pass one, and Wine starts those at every prefix start) it ends at once.
#include "platform/VersionInfo.h"

#include <windows.h>

#include <string>

namespace {

std::wstring description;

std::wstring Describe() {
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const auto texts = platform::ReadVersionTexts(path, {L"ProductName", L"FileVersion", L"CompanyName"});
    if (!texts)
        return L"Sample program";
    const auto text = [&](std::size_t i) { return (*texts)[i].value_or(L""); };
    return text(0) + L" " + text(1) + L"\n" + text(2) + L"\n\nA sample program of the Varnook demo.";
}

LRESULT CALLBACK SampleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            RECT area;
            GetClientRect(window, &area);
            InflateRect(&area, -16, -16);
            const auto old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            DrawTextW(dc, description.c_str(), static_cast<int>(description.size()), &area, DT_LEFT | DT_WORDBREAK);
            SelectObject(dc, old);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
    if (commandLine && *commandLine)
        return 0;
    description = Describe();
    const std::wstring title = description.substr(0, description.find(L'\n'));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = SampleProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"VarnookDemoSample";
    if (!RegisterClassExW(&windowClass))
        return 1;

    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 380, 170, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
