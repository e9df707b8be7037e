// The thread's message queue. Input reaches it from the backend once per pump: the first peek
// after the queue ran dry asks the backend for what happened since, so a game loop that pumps
// until the queue is empty sees time and input move on exactly once per pass.

#include <deque>
#include <variant>
#include <vector>

#include "platform/backend/backend_interface.h"
#include "platform/present/picture_layout.h"
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

// What the backend brought since the last pump, through the journal. While the program closes
// every pump brings a key press, so that every screen ends as on a key.
void PumpInput()
{
    platform::Happened happened = platform::PumpBackend();
    if (happened.close) platform::AddKeyPress(happened.input, VK_ESCAPE);
    std::vector<MSG> arrived = platform::MessagesFor(happened.input);
    platform::journal::DeliverPump(arrived, platform::InputWindow());
    queue.insert(queue.end(), arrived.begin(), arrived.end());
}

// Adds the message for one input event to `messages`, for `window`.
struct MessageMaker {
    HWND window;
    std::vector<MSG>& messages;

    void Add(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (window != nullptr) messages.push_back(Message(window, message, wParam, lParam));
    }
    void operator()(const platform::input::Key& key)
    {
        const bool system = key.altHeld || key.virtualKey == VK_MENU || key.virtualKey == VK_F10;
        if (key.down) Add(system ? WM_SYSKEYDOWN : WM_KEYDOWN, key.virtualKey, 1);
        else Add(system ? WM_SYSKEYUP : WM_KEYUP, key.virtualKey, static_cast<LPARAM>(0xC0000001));
    }
    void operator()(const platform::input::Character& typed)
    {
        Add(WM_CHAR, static_cast<BYTE>(typed.character), 1);
    }
    void operator()(const platform::input::PointerTo& to)
    {
        pointer = {to.x, to.y};
        Add(WM_MOUSEMOVE, 0, PointParam(pointer));
    }
    void operator()(const platform::input::PointerBy& by)
    {
        const platform::present::Point to = platform::present::HeldToScreen(
            platform::present::SCREEN, pointer.x + by.dx, pointer.y + by.dy);
        (*this)(platform::input::PointerTo {to.x, to.y});
    }
    void operator()(const platform::input::LeftPress& press)
    {
        const bool doubleClick =
            press.secondOfDoubleClick && (platform::ClassStyleOf(window) & CS_DBLCLKS);
        Add(doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 1, PointParam(pointer));
        Add(WM_LBUTTONUP, 0, PointParam(pointer));
    }
};

} // namespace

std::vector<MSG> platform::MessagesFor(const std::vector<InputEvent>& input)
{
    std::vector<MSG> messages;
    MessageMaker maker {InputWindow(), messages};
    for (const InputEvent& event : input) std::visit(maker, event);
    return messages;
}

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
