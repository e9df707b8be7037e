#pragma once
// The one 256-colour palette every picture of the game shares, and the names of its ranges.

#include <array>

#include "platform/windef.h"

namespace art {

// A run of palette entries from dark (step 0) to light.
struct Ramp {
    BYTE first;
    int count;
    constexpr BYTE At(int step) const
    {
        return static_cast<BYTE>(first + (step < 0 ? 0 : step >= count ? count - 1 : step));
    }
    constexpr BYTE Last() const { return static_cast<BYTE>(first + count - 1); }
};

// Colours the game's texts ask for, kept exact so that text lands on the intended entry.
inline constexpr BYTE BLACK = 0;
inline constexpr BYTE WHITE = 1;
inline constexpr BYTE HUD_RED = 2; // kill count while a KILLER BONUS shows
inline constexpr BYTE KILLER_BONUS_YELLOW = 3;
inline constexpr BYTE BLOOD_BONUS_RED = 4;
inline constexpr BYTE MESSAGE_SHADOW = 5;
inline constexpr BYTE TITLE_TEXT_NAVY = 6; // version and sound level on the title screen

inline constexpr Ramp LETTERING_GOLD {7, 9};
inline constexpr Ramp GREYS {16, 16};
inline constexpr Ramp SKY {32, 16}; // step 0 the top of the sky, last the horizon
inline constexpr Ramp CLOUDS {48, 8};
inline constexpr Ramp FAR_MOUNTAINS {56, 6};
inline constexpr Ramp NEAR_HILLS {62, 6};

// The ground painted under the ground line: 68 at the surface, 74 deepest.
inline constexpr BYTE GROUND_SURFACE = 68;
inline constexpr BYTE GROUND_DEEPEST = 74;
inline constexpr Ramp GROUND {GROUND_SURFACE, GROUND_DEEPEST - GROUND_SURFACE + 1};

inline constexpr Ramp FOLIAGE {75, 13};
inline constexpr Ramp WOOD {88, 8};
inline constexpr Ramp FIRE {96, 14};

// Blood: the drops' tails and the upper stain pixel are 110, heads and the lower stain 120.
inline constexpr BYTE BLOOD_DARK = 110;
inline constexpr BYTE BLOOD_BRIGHT = 120;
inline constexpr Ramp BLOOD {BLOOD_DARK, BLOOD_BRIGHT - BLOOD_DARK + 1};
inline constexpr Ramp FLESH {121, 7};

// Creature colours. A bursting pixel of colour p flies with head colour p - 4, so every ramp
// is 16 entries long and sprites use only steps 4 to 15: p - 4 is then the same hue, darker.
inline constexpr int BURST_HEAD_STEP = 4;
inline constexpr int CREATURE_RAMP_LENGTH = 16;
inline constexpr Ramp CREATURE_GREEN {128, 16};
inline constexpr Ramp CREATURE_PURPLE {144, 16};
inline constexpr Ramp CREATURE_ORANGE {160, 16};
inline constexpr Ramp CREATURE_TEAL {176, 16};
inline constexpr Ramp CREATURE_PALE {192, 16}; // eyes, teeth, claws
inline constexpr Ramp CREATURE_GLOW {208, 16}; // antenna lights, goggles
inline constexpr BYTE FIRST_CREATURE_ENTRY = 128;
inline constexpr BYTE LAST_CREATURE_ENTRY = 223;

inline constexpr Ramp STEEL {224, 16}; // panels and frames
inline constexpr Ramp DUSK {240, 13};  // the title screen's evening sky

// Colour keys: entries no picture paints with.
inline constexpr BYTE TITLE_LETTERING_KEY = 253;
inline constexpr BYTE TITLE_PICTURE_KEY = 254;
inline constexpr BYTE TRANSPARENT_KEY = 255; // cursor, game-over picture, creature sprites

using Palette = std::array<PALETTEENTRY, 256>;
const Palette& GamePalette();

} // namespace art
