#pragma once
// Points: kills, the KILLER BONUS for a streak, the BLOOD BONUS for a deep stain, the escape
// penalty, and the one floating message that announces a bonus.

#include "platform/windef.h"

// A shot at the screen point (x, y): every creature whose box holds it dies, with blood, points,
// the streak and its bonus, and is replaced at once.
void HandleShot(DWORD x, DWORD y);
// A landed drop left a stain deeper than bloodBonusThreshold.
void AwardBloodBonus();
// A creature got back under the ground unhurt.
void ChargeEscape();
