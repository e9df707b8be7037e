#pragma once
// Inside the platform layer: an open modal dialog, its controls laid out on the screen.

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/resources.h"
#include "platform/user.h"
#include "platform/user/edit_field.h"

namespace platform {

struct DialogControl {
    DialogItem item;
    RECT rect; // on the screen
    std::string text;
    EditField edit;
};

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using DialogFont = std::unique_ptr<HFONT__, FontDeleter>;

struct DialogState {
    DLGPROC dialogProc = nullptr;
    std::string caption;
    DialogFont font;        // the template's face, for the controls
    DialogFont captionFont; // the same face in bold, for the title bar
    RECT frame {};          // the whole dialog on the screen
    RECT titleBar {};
    std::vector<DialogControl> controls;
    int focus = -1; // the control with the keyboard focus
    bool ended = false;
    INT_PTR result = 0;
};

// Lays out the template centred on the screen.
DialogState LayOutDialog(const DialogTemplate& dialog, DLGPROC dialogProc);
// Draws the dialog over what the screen shows.
void PaintDialog(DialogState& state);

// The window of an open dialog; input goes to it while it has the focus.
HWND CreateDialogWindow(DialogState* state);
DialogState* DialogOf(HWND window);

} // namespace platform
