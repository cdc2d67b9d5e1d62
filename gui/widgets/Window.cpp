#include "Window.h"

#include "Prompt.h"
#include "platform/Errors.h"

namespace varnook {

namespace {

constexpr wchar_t kControlProperty[] = L"VarnookControl";

void RegisterClassOnce(const wchar_t* className, UINT classStyle, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc))
        platform::RaiseLastOSError();
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT BoundsInParent(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TWindow::~TWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void TWindow::CreateWindowOfClass(const wchar_t* className, UINT classStyle, DWORD exStyle, DWORD style, HWND parent,
                                  const RECT& bounds, const std::wstring& text) {
    RegisterClassOnce(className, classStyle, StaticProc);
    if (style & WS_CHILD)
        style |= WS_CLIPSIBLINGS;
    const HWND hwnd =
        CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top, bounds.right - bounds.left,
                        bounds.bottom - bounds.top, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd)
        platform::RaiseLastOSError();
}

TWindow* TWindow::FromHandle(HWND hwnd) {
    return reinterpret_cast<TWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TWindow::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    TWindow* window = FromHandle(hwnd);
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = window->WndProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowException(hwnd, error);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        window->hwnd_ = nullptr;
    }
    return result;
}

LRESULT TWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToControl(message, wParam, lParam, result))
        return result;
    return DefaultProc(message, wParam, lParam);
}

std::optional<LRESULT> TWindow::PaintMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(hwnd_, &ps);
            Paint(dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
    }
    return std::nullopt;
}

LRESULT TWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TWindow::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWindow::Bounds() const {
    return BoundsInParent(hwnd_);
}

void TWindow::Show(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool TWindow::Visible() const {
    return IsWindowVisible(hwnd_);
}

void TWindow::SetText(const std::wstring& text) {
    SetWindowTextW(hwnd_, text.c_str());
}

std::wstring TWindow::Text() const {
    return WindowText(hwnd_);
}

void TWindow::Invalidate() {
    InvalidateRect(hwnd_, nullptr, TRUE);
}

TControl::~TControl() {
    if (hwnd_) {
        RemovePropW(hwnd_, kControlProperty);
        DestroyWindow(hwnd_);
    }
}

void TControl::Create(const wchar_t* className, DWORD exStyle, DWORD style, HWND parent, const RECT& bounds,
                      const std::wstring& text) {
    // Controls may overlap (an edit box hides under a button): none paints over a sibling above it.
    hwnd_ = CreateWindowExW(exStyle, className, text.c_str(), style | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        platform::RaiseLastOSError();
    SetPropW(hwnd_, kControlProperty, this);
    SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TControl* TControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TControl*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TControl::Bounds() const {
    return BoundsInParent(hwnd_);
}

void TControl::Show(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool TControl::Visible() const {
    return IsWindowVisible(hwnd_);
}

void TControl::Enable(bool enabled) {
    EnableWindow(hwnd_, enabled);
}

bool TControl::Enabled() const {
    return IsWindowEnabled(hwnd_);
}

void TControl::SetText(const std::wstring& text) {
    SetWindowTextW(hwnd_, text.c_str());
}

std::wstring TControl::Text() const {
    return WindowText(hwnd_);
}

void TControl::SetFont(HFONT font) {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT TControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(hwnd_, message, wParam, lParam);
}

bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && lParam) {
        if (TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
            control->Command(HIWORD(wParam));
            result = 0;
            return true;
        }
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (TControl* control = TControl::FromHandle(header->hwndFrom)) {
            result = control->Notify(header);
            return true;
        }
    }
    return false;
}

void Guarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        ShowException(GetActiveWindow(), error);
    }
}

void ShowException(HWND owner, const std::exception& error) {
    std::wstring text;
    if (const auto* own = dynamic_cast<const platform::EError*>(&error)) {
        text = own->Message();
    } else {
        const std::string what = error.what();
        text.assign(what.begin(), what.end());
    }
    Prompt().MessageBox(owner, text, MB_ICONERROR | MB_OK);
}

}  // namespace varnook
