// Window classes and windows. The game has one window; it exists to own the focus and to
// receive messages, while the picture comes from the display's primary surface.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/backend/backend_interface.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/user/dialog_state.h"
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
    platform::DialogState* dialog = nullptr; // set for the window of an open dialog
    RECT invalid {};                         // the part that needs painting
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
constexpr RECT defaultRect {0, 0, platform::SCREEN_WIDTH, platform::SCREEN_HEIGHT};

WORD IconResourceOf(HICON icon)
{
    return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(icon));
}

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

HWND CreateDialogWindow(DialogState* state)
{
    // Dialogs get their input through their own loop; messages dispatched to them go nowhere.
    const auto quiet = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    windows.push_back(std::make_unique<HWND__>(
        HWND__ {"#32770", state->caption, quiet, 0, WS_POPUP, 0, state->frame, true, state}));
    return windows.back().get();
}

DialogState* DialogOf(HWND window) { return IsLiveWindow(window) ? window->dialog : nullptr; }

void InvalidateWindow(HWND window, const RECT& area)
{
    if (!IsLiveWindow(window) || area.left >= area.right || area.top >= area.bottom) return;
    RECT& invalid = window->invalid;
    if (invalid.left >= invalid.right || invalid.top >= invalid.bottom) {
        invalid = area;
        return;
    }
    invalid = {std::min(invalid.left, area.left), std::min(invalid.top, area.top),
               std::max(invalid.right, area.right), std::max(invalid.bottom, area.bottom)};
}

HWND WindowToPaint()
{
    for (const auto& window : windows) {
        if (window->dialog == nullptr && window->invalid.left < window->invalid.right)
            return window.get();
    }
    return nullptr;
}

RECT TakeInvalidArea(HWND window)
{
    if (!IsLiveWindow(window)) return {};
    return std::exchange(window->invalid, RECT {});
}

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
    platform::CurrentBackend().WindowCreated(window->title.c_str(),
                                             IconResourceOf(windowClass->fields.hIcon));
    window->windowProc(window, WM_CREATE, 0, 0);
    return window;
}

BOOL ShowWindow(HWND window, int)
{
    if (!platform::IsLiveWindow(window)) return FALSE;
    const bool wasVisible = window->visible;
    window->visible = true;
    platform::InvalidateWindow(window, {0, 0, window->rect.right - window->rect.left,
                                        window->rect.bottom - window->rect.top});
    platform::CurrentBackend().WindowShown();
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window)
{
    if (!platform::IsLiveWindow(window)) return FALSE;
    if (window->invalid.left < window->invalid.right) window->windowProc(window, WM_PAINT, 0, 0);
    return TRUE;
}

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
    case WM_PAINT: {
        PAINTSTRUCT paint {};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return 0;
    }
}

// The game's icon and the arrow are the only resources asked for; handles just name them.
// An icon handle names the program's icon resource by its number.
HICON LoadIconA(HINSTANCE, LPCSTR name)
{
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    if (id > 0xFFFF || platform::FindIconResource(static_cast<WORD>(id)) == nullptr) return nullptr;
    return reinterpret_cast<HICON>(const_cast<char*>(name));
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name)
{
    return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
}
