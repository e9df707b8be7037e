// The thread's message queue. Input reaches it from the backend once per pump: the first peek
// after the queue ran dry asks the backend for what happened since, so a game loop that pumps
// until the queue is empty sees time and input move on exactly once per pass.

#include <deque>
#include <vector>

#include "platform/backend.h"
#include "platform/backend/backend_interface.h"
#include "platform/replay/seam.h"
#include "platform/user/input.h"
#include "platform/user/window_table.h"

namespace {

std::deque<MSG> queue;
bool backendPollDue = true;
POINT pointer {320, 240};

LPARAM PointParam(POINT point)
{
    return static_cast<LPARAM>((static_cast<DWORD>(point.y) << 16)
                               | (static_cast<DWORD>(point.x) & 0xFFFF));
}

// A message's time is the backend's clock, not an answer to the game: the game never reads it,
// and a replay posts the messages it swaps in on a clock of its own.
MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG {window, message, wParam, lParam, platform::CurrentBackend().Now(), pointer};
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    queue.push_back(Message(window, message, wParam, lParam));
}

// What the backend brought since the last pump, through the journal.
void PumpInput()
{
    const std::size_t before = queue.size();
    platform::PumpBackend();
    std::vector<MSG> arrived(queue.begin() + static_cast<std::ptrdiff_t>(before), queue.end());
    queue.resize(before);
    platform::journal::DeliverPump(arrived);
    queue.insert(queue.end(), arrived.begin(), arrived.end());
}

void PostToInputWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = platform::InputWindow();
    if (window != nullptr) Post(window, message, wParam, lParam);
}

} // namespace

namespace platform {

void PostKey(DWORD virtualKey, bool down, bool altHeld)
{
    const bool system = altHeld || virtualKey == VK_MENU || virtualKey == VK_F10;
    if (down) PostToInputWindow(system ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, 1);
    else
        PostToInputWindow(system ? WM_SYSKEYUP : WM_KEYUP, virtualKey,
                          static_cast<LPARAM>(0xC0000001));
}

void PostKeyPress(DWORD virtualKey)
{
    PostKey(virtualKey, true, false);
    PostKey(virtualKey, false, false);
}

void PostCharacter(char character) { PostToInputWindow(WM_CHAR, static_cast<BYTE>(character), 1); }

void PostPointerMove(LONG x, LONG y)
{
    pointer = {x, y};
    PostToInputWindow(WM_MOUSEMOVE, 0, PointParam(pointer));
}

POINT PointerPosition() { return pointer; }

void PostLeftPress(bool secondOfDoubleClick)
{
    const bool doubleClick = secondOfDoubleClick && (ClassStyleOf(InputWindow()) & CS_DBLCLKS);
    PostToInputWindow(doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 1, PointParam(pointer));
    PostToInputWindow(WM_LBUTTONUP, 0, PointParam(pointer));
}

} // namespace platform

BOOL PeekMessageA(MSG* message, HWND, UINT, UINT, UINT removeFlags)
{
    if (backendPollDue) {
        backendPollDue = false;
        PumpInput();
    }
    if (queue.empty()) {
        // Painting waits until nothing else is queued, as on the original platform.
        if (const HWND window = platform::WindowToPaint()) {
            *message = Message(window, WM_PAINT, 0, 0);
            return TRUE;
        }
        backendPollDue = true;
        return FALSE;
    }
    *message = queue.front();
    if (removeFlags & PM_REMOVE) queue.pop_front();
    return TRUE;
}

// Typed characters come from the backends' text input as WM_CHAR already, in the user's
// keyboard layout, so there is nothing to translate.
BOOL TranslateMessage(const MSG* message)
{
    return message != nullptr
           && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN);
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (message == nullptr) return 0;
    const WNDPROC windowProc = platform::WindowProcOf(message->hwnd);
    return windowProc != nullptr
               ? windowProc(message->hwnd, message->message, message->wParam, message->lParam)
               : 0;
}

void PostQuitMessage(int exitCode) { Post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

DWORD MsgWaitForMultipleObjects(DWORD, const HANDLE*, BOOL, DWORD milliseconds, DWORD)
{
    if (!queue.empty()) return WAIT_OBJECT_0;
    return platform::journal::AnswerWait(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL WaitMessage()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    return TRUE;
}

BOOL GetCursorPos(POINT* point)
{
    if (point == nullptr) return FALSE;
    *point = platform::journal::AnswerCursor(pointer);
    return TRUE;
}

int ShowCursor(BOOL show)
{
    static int displayCounter = 0;
    displayCounter += show ? 1 : -1;
    platform::CurrentBackend().PointerVisible(displayCounter >= 0);
    return displayCounter;
}
