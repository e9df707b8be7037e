#pragma once
// The three fonts the start-up creates and the screens draw with.

#include "platform/gdi.h"

// Verdana 18 bold: the kill count and the score, the Killer List.
extern HFONT hudFont;
// Verdana 36 bold: " Loading..." and the floating bonus messages.
extern HFONT bigFont;
// Arial 12: the title screen's version and sound texts.
extern HFONT smallFont;
