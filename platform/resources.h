#pragma once
// The program's own resources, as a module of the original platform carries them: dialog
// templates in several languages and the icon. The game registers them once at start.

#include <string>
#include <vector>

#include "platform/windef.h"

namespace platform {

// Language identifiers of the platform.
inline constexpr WORD LANGUAGE_ITALIAN = 1040;
inline constexpr WORD LANGUAGE_ENGLISH_UK = 2057;

struct DialogItem {
    enum class Kind { DefaultButton, Static, Edit };
    WORD id;
    Kind kind;
    std::string text; // in the one-byte character set (Latin-1)
    // Position and size in dialog units.
    int x;
    int y;
    int width;
    int height;
};

struct DialogTemplate {
    std::string caption; // Latin-1
    std::string fontFace;
    int fontPoints;
    int width; // dialog units
    int height;
    // The longest text an edit field takes; 0 for no limit.
    int editLimit;
    std::vector<DialogItem> items; // in tab order
};

void AddDialogResource(WORD id, WORD language, DialogTemplate dialog);

// The user's language for dialogs: the one chosen with SetDialogLanguage, else LC_ALL, else
// LC_MESSAGES, else LANG decides; Italian when it names Italian, English otherwise.
WORD UserLanguage();

// The variant for the user's language (a replay's: the recording's), any registered variant as
// the last resort. Null when there is no dialog of that id.
const DialogTemplate* FindDialogResource(WORD id);
// The player's choice of language for dialogs; 0 (the default) follows the locale.
void SetDialogLanguage(WORD language);

// An icon as PNG files of several sizes, read by the window backend.
void AddIconResource(WORD id, std::vector<std::vector<BYTE>> pngFiles);
const std::vector<std::vector<BYTE>>* FindIconResource(WORD id);

} // namespace platform
