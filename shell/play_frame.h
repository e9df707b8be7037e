#pragma once
// One composed frame of play: the scene, the world's tick, the head-up display and the cursor
// on the back surface, then the play field copied to the screen.

#include "platform/user.h"

// The cursor as the loop last drew it on the screen.
struct DrawnCursor {
    LONG x = -1; // -1: none drawn yet
    LONG y = -1;
    RECT rect {}; // its 24 x 24 square
};

// elapsed: milliseconds since the previous frame (20 or more).
void ComposeFrame(const DrawnCursor& cursor, DWORD elapsed);
