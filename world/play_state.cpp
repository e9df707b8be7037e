#include "world/play_state.h"

LONG score = 0;
LONG peakScore = 0;
DWORD kills = 0;
DWORD killStreak = 0;
LONG populationThreshold = POPULATION_START;
DWORD messageKind = MESSAGE_NONE;
LONG messageTimeLeft = 0;
COLORREF messageColor = 0;
char messageText[MESSAGE_TEXT_SIZE] = {};
DWORD bloodBonusThreshold = BLOOD_BONUS_START;
BOOL hudBlink = FALSE;
