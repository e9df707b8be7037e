#pragma once
// The run's shared variables: the score, the kills, the streak, the population step and the
// floating message. The loading of a run sets their start values; the play loop and the rules
// of the world change them; the Killer List reads the result.

#include "platform/windef.h"

inline constexpr LONG POPULATION_START = 16;
inline constexpr DWORD BLOOD_BONUS_START = 256;
inline constexpr DWORD MESSAGE_TEXT_SIZE = 32;

// messageKind
inline constexpr DWORD MESSAGE_NONE = 0;
inline constexpr DWORD MESSAGE_KILLER_BONUS = 1;
inline constexpr DWORD MESSAGE_BLOOD_BONUS = 2;

extern LONG score;
extern LONG peakScore;
extern DWORD kills;
extern DWORD killStreak;
extern LONG populationThreshold;
extern DWORD messageKind;
extern LONG messageTimeLeft;
extern COLORREF messageColor;
extern char messageText[MESSAGE_TEXT_SIZE];
extern DWORD bloodBonusThreshold;
// Counts frame ticks 0 to 7: a message in its last second shows on ticks 3 to 7.
extern DWORD hudBlink;

// The start of a run; populationThreshold keeps its value, as there is one run per start.
void ResetPlayState();
