#pragma once
// The resources the game's module carries: the name-entry dialog in Italian and English, and
// the window icon.

#include "platform/windef.h"

inline constexpr WORD KILLER_DIALOG = 104;
inline constexpr WORD GAME_ICON = 103;

// Control identifiers of the name-entry dialog.
inline constexpr WORD KILLER_NAME_FIELD = 1002;
inline constexpr WORD KILLER_COUNT_TEXT = 1003;

// Hands the resources to the platform; called once before the game starts.
void RegisterGameResources();
