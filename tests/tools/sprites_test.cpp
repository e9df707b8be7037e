#include <gtest/gtest.h>

#include "tests/tools/colour_checks.h"
#include "tools/make_assets/sprites/creature_sprites.h"

namespace {

using namespace art;

const std::vector<Picture>& Sprites()
{
    static const std::vector<Picture> sprites = CreatureSprites();
    return sprites;
}

int OpaqueIn(const Picture& sprite, int firstRow, int endRow)
{
    int count = 0;
    for (int y = firstRow; y < endRow; ++y) {
        for (int x = 0; x < sprite.width; ++x) count += sprite.Opaque(x, y) ? 1 : 0;
    }
    return count;
}

// Four square sprites, transparent at the borders, a third to four fifths opaque, showing
// something as soon as they break the ground, with a dark outline against the sky; a bursting
// pixel flies in a darker shade of its own colour.
TEST(CreatureSpritesTest, FourOutlinedCreaturesThatBurstInTheirOwnColours)
{
    ASSERT_EQ(Sprites().size(), 4u);
    for (const Picture& sprite : Sprites()) {
        ASSERT_EQ(sprite.width, SPRITE_SIZE);
        ASSERT_EQ(sprite.height, SPRITE_SIZE);
        EXPECT_EQ(sprite.key, TRANSPARENT_KEY);
        const int area = OpaqueIn(sprite, 0, SPRITE_SIZE);
        EXPECT_GT(area, SPRITE_SIZE * SPRITE_SIZE * 3 / 10) << sprite.name;
        EXPECT_LT(area, SPRITE_SIZE * SPRITE_SIZE * 8 / 10) << sprite.name;
        EXPECT_GT(OpaqueIn(sprite, 0, 12), 40) << sprite.name;
        for (int y = 0; y < SPRITE_SIZE; ++y) {
            for (int x = 0; x < SPRITE_SIZE; ++x) {
                if (!sprite.Opaque(x, y)) continue;
                const BYTE p = sprite.At(x, y);
                ASSERT_TRUE(x > 0 && y > 0 && x < SPRITE_SIZE - 1 && y < SPRITE_SIZE - 1);
                const bool edge = !sprite.Opaque(x - 1, y) || !sprite.Opaque(x + 1, y)
                                  || !sprite.Opaque(x, y - 1) || !sprite.Opaque(x, y + 1);
                EXPECT_TRUE(!edge || test::Luminance(p) < 80)
                    << sprite.name << " " << x << "," << y;
                if (p <= BURST_HEAD_STEP) continue;
                // Ramps are 16 entries aligned to 16: the head colour p - 4 stays in p's ramp.
                EXPECT_EQ((p - BURST_HEAD_STEP) / 16, p / 16) << sprite.name << " " << int(p);
                EXPECT_LT(test::Luminance(p - BURST_HEAD_STEP), test::Luminance(p)) << int(p);
            }
        }
    }
    // The floater rises clear of the ground: its lowest rows carry its legs.
    EXPECT_GT(OpaqueIn(Sprites()[2], 38, SPRITE_SIZE), 20);
}

TEST(CreatureSpritesTest, TheFourTypesLookDifferent)
{
    for (std::size_t a = 0; a < Sprites().size(); ++a) {
        for (std::size_t b = a + 1; b < Sprites().size(); ++b) {
            int differing = 0;
            for (std::size_t i = 0; i < Sprites()[a].pixels.size(); ++i)
                differing += Sprites()[a].pixels[i] != Sprites()[b].pixels[i] ? 1 : 0;
            EXPECT_GT(differing, SPRITE_SIZE * SPRITE_SIZE / 3) << a << " and " << b;
        }
    }
}

} // namespace
