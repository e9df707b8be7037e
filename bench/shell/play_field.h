#pragma once
// The display, the run's surfaces and tables, ten creatures and all 600 drops flying.

#include <array>

#include "platform/ddraw.h"
#include "world/creatures.h"

LPDIRECTDRAWSURFACE MakePrimary(LPDIRECTDRAW display);

class PlayField {
public:
    PlayField();
    ~PlayField();
    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

private:
    std::array<std::array<BYTE, SPRITE_PIXELS>, CREATURE_TYPES> sprites {};
};
