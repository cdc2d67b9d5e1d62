#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace varnook {

// Base of every window the program creates from its own classes: a static window procedure finds the object
// stored at WM_NCCREATE and forwards to the virtual WndProc. Exceptions never leave a window procedure: the
// application's error handler shows them.
class TWindow {
public:
    TWindow() = default;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND Handle() const { return hwnd_; }

    void SetBounds(int left, int top, int width, int height);
    RECT Bounds() const;  // in the parent's client coordinates
    void Show(bool visible);
    bool Visible() const;
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void Invalidate();

    // The window a handle belongs to, or null when it is not one of ours.
    static TWindow* FromHandle(HWND hwnd);

protected:
    // Creates the window with class `className` (registered on first use with `classStyle`).
    void CreateWindowOfClass(const wchar_t* className, UINT classStyle, DWORD exStyle, DWORD style, HWND parent,
                             const RECT& bounds, const std::wstring& text = {});
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Windows that draw their whole face in Paint start their WndProc with
    //     if (const auto painted = PaintMessage(message, wParam)) return *painted;
    // which skips erasing and takes both WM_PAINT and WM_PRINTCLIENT (a child drawing the face beneath
    // itself) to Paint.
    std::optional<LRESULT> PaintMessage(UINT message, WPARAM wParam);
    virtual void Paint(HDC) {}

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// Wraps a system control (edit, list view, button, static ...) created by class name; the parent hands
// WM_COMMAND and WM_NOTIFY of the control to its wrapper through Command/Notify.
class TControl {
public:
    TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    void Create(const wchar_t* className, DWORD exStyle, DWORD style, HWND parent, const RECT& bounds,
                const std::wstring& text = {});
    HWND Handle() const { return hwnd_; }

    void SetBounds(int left, int top, int width, int height);
    RECT Bounds() const;
    void Show(bool visible);
    bool Visible() const;
    void Enable(bool enabled);
    bool Enabled() const;
    void SetText(const std::wstring& text);
    std::wstring Text() const;
    void SetFont(HFONT font);
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The wrapper of a control handle, or null.
    static TControl* FromHandle(HWND hwnd);

    virtual void Command(WORD) {}
    virtual LRESULT Notify(NMHDR*) { return 0; }

private:
    HWND hwnd_ = nullptr;
};

// Hands WM_COMMAND/WM_NOTIFY from a parent's window procedure to the control wrapper it concerns;
// true when one took it.
bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Runs `body` at a handler boundary: an exception is shown by the application's error handler and the
// program goes on.
void Guarded(const std::function<void()>& body);
// The application's error handler: shows the error text in a message box captioned with the title.
void ShowException(HWND owner, const std::exception& error);

}  // namespace varnook
