#pragma once
// The first screen: the title backdrop with the version and the sound quality, a zoom of three
// pictures, and a wait for a key. Leaving it seeds the random numbers of the run.

#include "platform/ddraw.h"

struct TitleSprite {
    LPDIRECTDRAWSURFACE surface;
    LONG cx; // centre at the end of the zoom
    LONG cy;
    LONG hw; // half width and half height at the end of the zoom
    LONG hh;
    LONG start; // milliseconds after the animation starts
    LONG end;
    LONG duration;
};

void RunTitleScreen();
// Plays the zoom until every row has finished; a key skips to the final picture.
void PlayTitleAnimation(LPDIRECTDRAWSURFACE backdrop, TitleSprite* sprites, int count);
