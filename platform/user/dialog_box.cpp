// Modal dialogs: the template in the user's language, drawn over the screen, driven by the
// keyboard and the mouse until the dialog procedure ends it.

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/backend/backend_interface.h"
#include "platform/replay.h"
#include "platform/user/dialog_state.h"
#include "platform/user/window_table.h"

namespace platform {
namespace {

bool Inside(const RECT& rect, LONG x, LONG y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

bool TakesFocus(const DialogControl& control)
{
    return control.item.kind != DialogItem::Kind::Static;
}

DialogControl* FindControl(DialogState& state, int id)
{
    for (DialogControl& control : state.controls) {
        if (control.item.id == static_cast<WORD>(id)) return &control;
    }
    return nullptr;
}

DialogControl* Focused(DialogState& state)
{
    return state.focus >= 0 ? &state.controls[static_cast<std::size_t>(state.focus)] : nullptr;
}

void FocusNext(DialogState& state)
{
    const int count = static_cast<int>(state.controls.size());
    for (int step = 1; step <= count; ++step) {
        const int next =
            (state.focus + step + count) % count; // from -1 the first control comes first
        if (TakesFocus(state.controls[static_cast<std::size_t>(next)])) {
            state.focus = next;
            return;
        }
    }
}

void Command(HWND dialog, DialogState& state, int id)
{
    state.dialogProc(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

// The keys an edit field takes; answers whether it took this one.
bool EditKey(EditField& edit, DWORD key)
{
    switch (key) {
    case VK_BACK: edit.Backspace(); return true;
    case VK_DELETE: edit.Delete(); return true;
    case VK_LEFT: edit.Left(); return true;
    case VK_RIGHT: edit.Right(); return true;
    case VK_HOME: edit.Home(); return true;
    case VK_END: edit.End(); return true;
    default: return false;
    }
}

void HandleKey(HWND dialog, DialogState& state, DWORD key)
{
    DialogControl* focused = Focused(state);
    const bool onButton =
        focused != nullptr && focused->item.kind == DialogItem::Kind::DefaultButton;
    if (key == VK_RETURN || (key == VK_SPACE && onButton)) Command(dialog, state, IDOK);
    else if (key == VK_ESCAPE) Command(dialog, state, IDCANCEL);
    else if (key == VK_TAB) FocusNext(state);
    else if (focused != nullptr && focused->item.kind == DialogItem::Kind::Edit)
        EditKey(focused->edit, key);
}

void HandlePress(HWND dialog, DialogState& state, LPARAM where)
{
    const auto x = static_cast<LONG>(static_cast<short>(where & 0xFFFF));
    const auto y = static_cast<LONG>(static_cast<short>((where >> 16) & 0xFFFF));
    for (std::size_t i = 0; i < state.controls.size(); ++i) {
        const DialogControl& control = state.controls[i];
        if (!TakesFocus(control) || !Inside(control.rect, x, y)) continue;
        state.focus = static_cast<int>(i);
        if (control.item.kind == DialogItem::Kind::DefaultButton)
            Command(dialog, state, control.item.id);
        return;
    }
}

// Answers whether the message may have changed what the dialog shows.
bool Handle(HWND dialog, DialogState& state, const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN: HandleKey(dialog, state, static_cast<DWORD>(message.wParam)); return true;
    case WM_CHAR: {
        DialogControl* focused = Focused(state);
        const auto character = static_cast<BYTE>(message.wParam);
        if (focused != nullptr && focused->item.kind == DialogItem::Kind::Edit && character >= 0x20
            && character != 0x7F) {
            focused->edit.Type(static_cast<char>(character));
        }
        return true;
    }
    case WM_LBUTTONDOWN: HandlePress(dialog, state, message.lParam); return true;
    default: return false;
    }
}

} // namespace
} // namespace platform

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND owner, DLGPROC dialogProc,
                        LPARAM initParam)
{
    const auto id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(templateName));
    const platform::DialogTemplate* resource = platform::FindDialogResource(id);
    if (resource == nullptr || dialogProc == nullptr) return -1;
    platform::DialogState state = platform::LayOutDialog(*resource, dialogProc);
    const HWND dialog = platform::CreateDialogWindow(&state);
    SetFocus(dialog);
    // A procedure that answers true leaves the focus on the first control that takes it.
    if (dialogProc(dialog, WM_INITDIALOG, 0, initParam)) platform::FocusNext(state);
    platform::CurrentBackend().TextEntry(true);
    platform::NoteScreenChange();
    bool changed = true;
    while (!state.ended) {
        if (changed) platform::PaintDialog(state);
        changed = false;
        MSG message;
        while (!state.ended && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd != dialog) DispatchMessageA(&message);
            else changed |= platform::Handle(dialog, state, message);
        }
        // Closing the program closes the dialog as its OK button would.
        if (!state.ended && platform::CloseRequested()) platform::Command(dialog, state, IDOK);
        if (!state.ended && !changed) WaitMessage();
    }
    platform::CurrentBackend().TextEntry(false);
    DestroyWindow(dialog);
    SetFocus(owner);
    // What the dialog covered is the owner's to paint again.
    platform::InvalidateWindow(owner, state.frame);
    return state.result;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    platform::DialogState* state = platform::DialogOf(dialog);
    if (state == nullptr) return FALSE;
    state->ended = true;
    state->result = result;
    return TRUE;
}

UINT GetDlgItemTextA(HWND dialog, int itemId, LPSTR text, int maxCount)
{
    platform::DialogState* state = platform::DialogOf(dialog);
    platform::DialogControl* control =
        state != nullptr ? platform::FindControl(*state, itemId) : nullptr;
    if (control == nullptr || text == nullptr || maxCount <= 0) return 0;
    const std::string& value = control->item.kind == platform::DialogItem::Kind::Edit
                                   ? control->edit.Text()
                                   : control->text;
    const std::size_t length = std::min(value.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(text, value.data(), length);
    text[length] = '\0';
    return static_cast<UINT>(length);
}

BOOL SetDlgItemTextA(HWND dialog, int itemId, LPCSTR text)
{
    platform::DialogState* state = platform::DialogOf(dialog);
    platform::DialogControl* control =
        state != nullptr ? platform::FindControl(*state, itemId) : nullptr;
    if (control == nullptr || text == nullptr) return FALSE;
    if (control->item.kind == platform::DialogItem::Kind::Edit) control->edit.SetText(text);
    else control->text = text;
    return TRUE;
}
