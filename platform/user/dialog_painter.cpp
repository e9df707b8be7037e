// How an open dialog looks: a raised grey frame with a blue title bar, its texts, a sunken
// white edit field with its caret, and the default button with its heavy border.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/ddraw/store.h"
#include "platform/gdi.h"
#include "platform/screen.h"
#include "platform/user/dialog_state.h"

namespace platform {
namespace {

constexpr LONG screenWidth = SCREEN_WIDTH;
constexpr LONG screenHeight = SCREEN_HEIGHT;
// Dialog units: a quarter of the dialog font's average character width across, an eighth of
// its height down (6 and 13 pixels for an 8-point sans serif).
constexpr LONG baseUnitX = 6;
constexpr LONG baseUnitY = 13;
constexpr LONG border = 3;
constexpr LONG captionHeight = 18;
constexpr LONG textHeight = 13;

constexpr COLORREF faceColour = RGB(192, 192, 192);
constexpr COLORREF lightColour = RGB(255, 255, 255);
constexpr COLORREF shadowColour = RGB(128, 128, 128);
constexpr COLORREF darkColour = RGB(0, 0, 0);
constexpr COLORREF captionColour = RGB(0, 0, 128);
constexpr COLORREF fieldColour = RGB(255, 255, 255);
constexpr COLORREF textColour = RGB(0, 0, 0);

LONG DialogX(int units) { return units * baseUnitX / 4; }
LONG DialogY(int units) { return units * baseUnitY / 8; }

DialogFont MakeDialogFont(const std::string& face, LONG weight)
{
    LOGFONTA record {};
    record.lfHeight = textHeight;
    record.lfWeight = weight;
    std::strncpy(record.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return DialogFont(CreateFontIndirectA(&record));
}

LONG Width(HDC dc, std::string_view text)
{
    SIZE size {};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void Fill(HDC dc, RECT rect, COLORREF colour)
{
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A one-pixel edge: light on the top and left, dark on the bottom and right.
void Edge(HDC dc, RECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Fill(dc, {rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
    Fill(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
    Fill(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    Fill(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

RECT Shrunk(RECT rect, LONG by)
{
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void DrawText(HDC dc, LONG x, LONG y, std::string_view text, COLORREF colour)
{
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

void DrawCentred(HDC dc, const RECT& rect, std::string_view text, COLORREF colour)
{
    DrawText(dc, (rect.left + rect.right - Width(dc, text)) / 2,
             (rect.top + rect.bottom - textHeight) / 2, text, colour);
}

void DrawButton(HDC dc, const DialogControl& control, bool focused)
{
    Edge(dc, control.rect, darkColour, darkColour); // the default button's heavy border
    const RECT face = Shrunk(control.rect, 1);
    Fill(dc, face, faceColour);
    Edge(dc, face, lightColour, shadowColour);
    DrawCentred(dc, face, control.text, textColour);
    if (focused) Edge(dc, Shrunk(face, 3), shadowColour, shadowColour);
}

void DrawEdit(HDC dc, DialogControl& control, bool focused)
{
    Edge(dc, control.rect, shadowColour, lightColour);
    const RECT field = Shrunk(control.rect, 2);
    Fill(dc, field, fieldColour);
    const LONG textLeft = field.left + 2;
    const LONG width = field.right - textLeft - 2;
    control.edit.KeepCaretInView(
        [dc](std::string_view text) { return static_cast<int>(Width(dc, text)); },
        static_cast<int>(width));
    const std::string_view shown =
        std::string_view(control.edit.Text()).substr(control.edit.FirstShown());
    // Characters that would cross the field's right edge are left out.
    std::size_t fits = shown.size();
    while (fits > 0 && Width(dc, shown.substr(0, fits)) > width) --fits;
    const LONG top = (field.top + field.bottom - textHeight) / 2;
    DrawText(dc, textLeft, top, shown.substr(0, fits), textColour);
    if (!focused) return;
    const LONG caret =
        textLeft + Width(dc, shown.substr(0, control.edit.Caret() - control.edit.FirstShown()));
    Fill(dc, {caret, top, caret + 1, top + textHeight}, textColour);
}

void DrawFrame(HDC dc, const DialogState& state)
{
    Fill(dc, state.frame, faceColour);
    Edge(dc, state.frame, faceColour, darkColour);
    Edge(dc, Shrunk(state.frame, 1), lightColour, shadowColour);
    Fill(dc, state.titleBar, captionColour);
    const HGDIOBJ previous = SelectObject(dc, state.captionFont.get());
    DrawText(dc, state.titleBar.left + 3,
             (state.titleBar.top + state.titleBar.bottom - textHeight) / 2, state.caption,
             lightColour);
    SelectObject(dc, previous);
}

} // namespace

DialogState LayOutDialog(const DialogTemplate& dialog, DLGPROC dialogProc)
{
    DialogState state;
    state.dialogProc = dialogProc;
    state.caption = dialog.caption;
    state.font = MakeDialogFont(dialog.fontFace, FW_NORMAL);
    state.captionFont = MakeDialogFont(dialog.fontFace, FW_BOLD);
    const LONG width = DialogX(dialog.width) + 2 * border;
    const LONG height = DialogY(dialog.height) + captionHeight + 2 * border;
    const LONG left = (screenWidth - width) / 2;
    const LONG top = (screenHeight - height) / 2;
    state.frame = {left, top, left + width, top + height};
    state.titleBar = {left + border, top + border, left + width - border,
                      top + border + captionHeight};
    const LONG clientLeft = left + border;
    const LONG clientTop = top + border + captionHeight;
    for (const DialogItem& item : dialog.items) {
        const LONG x = clientLeft + DialogX(item.x);
        const LONG y = clientTop + DialogY(item.y);
        DialogControl control {item,
                               {x, y, x + DialogX(item.width), y + DialogY(item.height)},
                               item.text,
                               EditField(static_cast<std::size_t>(dialog.editLimit))};
        control.edit.SetText(item.kind == DialogItem::Kind::Edit ? item.text : "");
        state.controls.push_back(std::move(control));
    }
    return state;
}

void PaintDialog(DialogState& state)
{
    IDirectDrawSurface* screen = ddraw::TheDisplay().primary;
    HDC dc = nullptr;
    if (screen == nullptr || screen->GetDC(&dc) != DD_OK) return;
    SetBkMode(dc, TRANSPARENT);
    DrawFrame(dc, state);
    const HGDIOBJ previous = SelectObject(dc, state.font.get());
    for (std::size_t i = 0; i < state.controls.size(); ++i) {
        DialogControl& control = state.controls[i];
        const bool focused = static_cast<int>(i) == state.focus;
        switch (control.item.kind) {
        case DialogItem::Kind::DefaultButton: DrawButton(dc, control, focused); break;
        case DialogItem::Kind::Edit: DrawEdit(dc, control, focused); break;
        case DialogItem::Kind::Static:
            DrawText(dc, control.rect.left, control.rect.top, control.text, textColour);
            break;
        }
    }
    SelectObject(dc, previous);
    screen->ReleaseDC(dc);
}

} // namespace platform
