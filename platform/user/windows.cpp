// Window classes and windows. The game has one window; it exists to own the focus and to
// receive messages, while the picture comes from the display's primary surface.

#include <memory>
#include <string>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/user/window_table.h"

struct HWND__ {
    std::string className;
    std::string title;
    WNDPROC windowProc;
    UINT classStyle;
    DWORD style;
    DWORD exStyle;
    RECT rect;
    bool visible;
};

namespace {

struct WindowClass {
    std::string name;
    WNDCLASSA fields;
};

std::vector<WindowClass> windowClasses;
std::vector<std::unique_ptr<HWND__>> windows;
HWND focusWindow = nullptr;

// The display's own size stands in for the platform's default window size.
constexpr RECT defaultRect {0, 0, 640, 480};

const WindowClass* FindClass(LPCSTR name)
{
    for (const WindowClass& windowClass : windowClasses) {
        if (name != nullptr && windowClass.name == name) return &windowClass;
    }
    return nullptr;
}

} // namespace

namespace platform {

bool IsLiveWindow(HWND window)
{
    for (const auto& live : windows) {
        if (live.get() == window) return true;
    }
    return false;
}

HWND InputWindow() { return focusWindow; }

UINT ClassStyleOf(HWND window) { return IsLiveWindow(window) ? window->classStyle : 0; }

WNDPROC WindowProcOf(HWND window) { return IsLiveWindow(window) ? window->windowProc : nullptr; }

} // namespace platform

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr
        || windowClass->lpfnWndProc == nullptr
        || FindClass(windowClass->lpszClassName) != nullptr) {
        return 0;
    }
    windowClasses.push_back({windowClass->lpszClassName, *windowClass});
    return static_cast<ATOM>(0xC000 + windowClasses.size());
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    const WindowClass* windowClass = FindClass(className);
    if (windowClass == nullptr) return nullptr;
    RECT rect = defaultRect;
    if (x != CW_USEDEFAULT) rect = {x, y, x + width, y + height};
    windows.push_back(std::make_unique<HWND__>(HWND__ {
        windowClass->name, windowName != nullptr ? windowName : "", windowClass->fields.lpfnWndProc,
        windowClass->fields.style, style, exStyle, rect, false}));
    HWND window = windows.back().get();
    platform::CurrentBackend().WindowCreated(window->title.c_str());
    window->windowProc(window, WM_CREATE, 0, 0);
    return window;
}

BOOL ShowWindow(HWND window, int)
{
    if (!platform::IsLiveWindow(window)) return FALSE;
    const bool wasVisible = window->visible;
    window->visible = true;
    platform::CurrentBackend().WindowShown();
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) { return platform::IsLiveWindow(window) ? TRUE : FALSE; }

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
    if (!platform::IsLiveWindow(window)) return FALSE;
    window->rect = {x, y, x + width, y + height};
    return TRUE;
}

HWND SetFocus(HWND window)
{
    const HWND previous = focusWindow;
    if (platform::IsLiveWindow(window)) focusWindow = window;
    return previous;
}

BOOL DestroyWindow(HWND window)
{
    if (!platform::IsLiveWindow(window)) return FALSE;
    window->windowProc(window, WM_DESTROY, 0, 0);
    if (focusWindow == window) focusWindow = nullptr;
    std::erase_if(windows, [window](const auto& live) { return live.get() == window; });
    if (windows.empty()) platform::CurrentBackend().WindowDestroyed();
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_ERASEBKGND: return 1;
    default: return 0;
    }
}

// The game's icon and the arrow are the only resources asked for; handles just name them.
HICON LoadIconA(HINSTANCE, LPCSTR name) { return reinterpret_cast<HICON>(const_cast<char*>(name)); }

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name)
{
    return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
}
