#include "tools/make_assets/art/palette.h"

#include <cmath>
#include <initializer_list>

namespace art {
namespace {

struct Rgb {
    int r, g, b;
};

PALETTEENTRY Entry(Rgb c)
{
    return {static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b), 0};
}

// Spreads colour stops evenly over the ramp's entries, interpolating between them.
void Fill(Palette& palette, Ramp ramp, std::initializer_list<Rgb> stops)
{
    const Rgb* stop = stops.begin();
    const int segments = static_cast<int>(stops.size()) - 1;
    for (int i = 0; i < ramp.count; ++i) {
        const float t = ramp.count == 1 ? 0.0f : static_cast<float>(i) / (ramp.count - 1);
        const int s = std::min(static_cast<int>(t * segments), segments - 1);
        const float u = t * segments - static_cast<float>(s);
        const Rgb a = stop[s];
        const Rgb b = stop[s + 1];
        auto mix = [u](int from, int to) {
            return static_cast<int>(std::lround(static_cast<float>(from) + u * (to - from)));
        };
        palette[ramp.At(i)] = Entry({mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)});
    }
}

Palette Build()
{
    Palette p {};
    p[BLACK] = Entry({0, 0, 0});
    p[WHITE] = Entry({255, 255, 255});
    p[HUD_RED] = Entry({255, 0, 0});
    p[KILLER_BONUS_YELLOW] = Entry({240, 240, 0});
    p[BLOOD_BONUS_RED] = Entry({127, 0, 0});
    p[MESSAGE_SHADOW] = Entry({0, 63, 91});
    p[TITLE_TEXT_NAVY] = Entry({0, 0, 31});
    Fill(p, LETTERING_GOLD, {{70, 22, 0}, {190, 90, 0}, {255, 190, 20}, {255, 250, 190}});
    Fill(p, GREYS, {{10, 10, 14}, {122, 122, 132}, {244, 244, 250}});
    Fill(p, SKY, {{24, 52, 128}, {64, 118, 206}, {146, 192, 238}, {238, 226, 206}});
    Fill(p, CLOUDS, {{118, 138, 188}, {200, 212, 236}, {252, 252, 254}});
    Fill(p, FAR_MOUNTAINS, {{84, 96, 158}, {158, 170, 214}});
    Fill(p, NEAR_HILLS, {{42, 86, 72}, {96, 150, 92}, {150, 196, 112}});
    Fill(p, GROUND, {{150, 110, 58}, {104, 72, 40}, {44, 28, 18}});
    Fill(p, FOLIAGE, {{18, 46, 22}, {56, 120, 40}, {178, 226, 96}});
    Fill(p, WOOD, {{56, 36, 26}, {130, 96, 62}, {214, 188, 140}});
    Fill(p, FIRE, {{70, 0, 0}, {206, 34, 0}, {255, 146, 0}, {255, 232, 86}, {255, 255, 226}});
    Fill(p, BLOOD, {{106, 4, 8}, {204, 22, 22}});
    Fill(p, FLESH, {{92, 18, 40}, {226, 92, 120}, {255, 184, 196}});
    Fill(p, CREATURE_GREEN, {{4, 12, 2}, {30, 74, 10}, {112, 198, 40}, {232, 255, 160}});
    Fill(p, CREATURE_PURPLE, {{10, 2, 16}, {58, 14, 88}, {164, 80, 216}, {246, 206, 255}});
    Fill(p, CREATURE_ORANGE, {{16, 4, 0}, {104, 34, 0}, {246, 140, 20}, {255, 238, 160}});
    Fill(p, CREATURE_TEAL, {{0, 12, 14}, {0, 64, 70}, {30, 186, 168}, {200, 255, 240}});
    Fill(p, CREATURE_PALE, {{0, 0, 4}, {20, 18, 28}, {150, 146, 156}, {255, 252, 240}});
    Fill(p, CREATURE_GLOW, {{24, 8, 0}, {120, 60, 0}, {250, 210, 40}, {255, 255, 220}});
    Fill(p, STEEL, {{12, 16, 26}, {70, 84, 108}, {204, 214, 230}});
    Fill(p, DUSK, {{18, 8, 42}, {84, 28, 96}, {196, 66, 84}, {255, 168, 70}});
    p[TITLE_LETTERING_KEY] = Entry({255, 0, 255});
    p[TITLE_PICTURE_KEY] = Entry({0, 255, 255});
    p[TRANSPARENT_KEY] = Entry({128, 255, 0});
    return p;
}

} // namespace

const Palette& GamePalette()
{
    static const Palette palette = Build();
    return palette;
}

} // namespace art
