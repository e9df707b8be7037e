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
DWORD hudBlink = 0;

void ResetPlayState()
{
    score = 0;
    peakScore = 0;
    kills = 0;
    killStreak = 0;
    bloodBonusThreshold = BLOOD_BONUS_START;
    messageKind = MESSAGE_NONE;
}
