#pragma once
// The platform's user-interface services used by the game: the formatter, windows, the message
// queue, the mouse pointer and painting.

#include <cstdarg>
#include <cstdint>

#include "platform/windef.h"

// The platform formatter: "%s", "%c", "%d", "%i", "%u", "%x", "%X" and "%%", with the flags "-",
// "0" and "#", a field width and a precision. Output stops at 1024 characters plus the NUL;
// answers the number of characters stored.
inline constexpr int WSPRINTF_LIMIT = 1024;
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
int wvsprintfA(LPSTR buffer, LPCSTR format, std::va_list arguments);

struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
using HMENU = void*;
using ATOM = WORD;
using INT_PTR = std::intptr_t;

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

// Messages.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_ACTIVATEAPP = 0x001C;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;

// Virtual-key codes; letters and digits are their upper-case ASCII codes.
inline constexpr DWORD VK_BACK = 0x08;
inline constexpr DWORD VK_TAB = 0x09;
inline constexpr DWORD VK_RETURN = 0x0D;
inline constexpr DWORD VK_SHIFT = 0x10;
inline constexpr DWORD VK_CONTROL = 0x11;
inline constexpr DWORD VK_MENU = 0x12;
inline constexpr DWORD VK_PAUSE = 0x13;
inline constexpr DWORD VK_CAPITAL = 0x14;
inline constexpr DWORD VK_ESCAPE = 0x1B;
inline constexpr DWORD VK_SPACE = 0x20;
inline constexpr DWORD VK_PRIOR = 0x21;
inline constexpr DWORD VK_NEXT = 0x22;
inline constexpr DWORD VK_END = 0x23;
inline constexpr DWORD VK_HOME = 0x24;
inline constexpr DWORD VK_LEFT = 0x25;
inline constexpr DWORD VK_UP = 0x26;
inline constexpr DWORD VK_RIGHT = 0x27;
inline constexpr DWORD VK_DOWN = 0x28;
inline constexpr DWORD VK_INSERT = 0x2D;
inline constexpr DWORD VK_DELETE = 0x2E;
inline constexpr DWORD VK_NUMPAD0 = 0x60;
inline constexpr DWORD VK_MULTIPLY = 0x6A;
inline constexpr DWORD VK_ADD = 0x6B;
inline constexpr DWORD VK_SUBTRACT = 0x6D;
inline constexpr DWORD VK_DECIMAL = 0x6E;
inline constexpr DWORD VK_DIVIDE = 0x6F;
inline constexpr DWORD VK_F1 = 0x70;
inline constexpr DWORD VK_F10 = 0x79;
inline constexpr DWORD VK_F12 = 0x7B;

// Window class and window styles, show commands, resources.
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;
inline constexpr DWORD QS_ALLINPUT = 0x04FF;
inline constexpr DWORD INFINITE = 0xFFFFFFFF;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline const LPCSTR IDC_ARROW = reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(32512));

// A resource named by number, as the platform passes it in place of a name.
inline LPCSTR MAKEINTRESOURCEA(WORD id)
{
    return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id));
}

// Command identifiers of dialog buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

constexpr WORD LOWORD(WPARAM value) { return static_cast<WORD>(value & 0xFFFF); }

using DLGPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};

ATOM RegisterClassA(const WNDCLASSA* windowClass);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID parameter);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
HWND SetFocus(HWND window);
BOOL DestroyWindow(HWND window);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Sleeps until input comes or the time is up (only the message queue is waited on here, no
// other handles). A screen written just before is shown first: the wait also ends when the
// screen's latest changes reach the window, as a flip would wait for the display. Headless it
// answers WAIT_TIMEOUT at once, so virtual time is untouched.
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                DWORD milliseconds, DWORD wakeMask);
// MsgWaitForMultipleObjects without a time limit.
BOOL WaitMessage();

// A modal dialog from the program's dialog resource, in the user's language, drawn over the
// screen. Runs until the dialog procedure calls EndDialog, and answers its result (-1 when the
// resource does not exist).
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC dialogProc,
                        LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
UINT GetDlgItemTextA(HWND dialog, int itemId, LPSTR text, int maxCount);
BOOL SetDlgItemTextA(HWND dialog, int itemId, LPCSTR text);

// The window's painting: a context on what the screen shows where the window lies.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

// Answers the new display counter: the system pointer shows while it is 0 or more.
int ShowCursor(BOOL show);
BOOL GetCursorPos(POINT* point);
