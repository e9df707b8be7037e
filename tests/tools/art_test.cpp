#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "platform/gdi/gdi_objects.h"
#include "platform/png.h"
#include "tools/make_assets/art/paint.h"
#include "tools/make_assets/art/palette.h"
#include "tools/make_assets/output/icons.h"
#include "tools/make_assets/pictures/pictures.h"
#include "tools/make_assets/sprites/creature_sprites.h"

namespace {

using namespace art;

// Perceived brightness, 0 to 255.
double Luminance(BYTE index)
{
    const PALETTEENTRY& c = GamePalette()[index];
    return 0.299 * c.peRed + 0.587 * c.peGreen + 0.114 * c.peBlue;
}

TEST(GamePaletteTest, TextColoursLandOnTheirOwnExactEntries)
{
    const std::pair<COLORREF, BYTE> colours[] = {
        {RGB(255, 255, 255), WHITE},
        {RGB(255, 0, 0), HUD_RED},
        {RGB(240, 240, 0), KILLER_BONUS_YELLOW},
        {RGB(127, 0, 0), BLOOD_BONUS_RED},
        {RGB(0, 63, 91), MESSAGE_SHADOW},
        {RGB(0, 0, 0), BLACK},
        {RGB(0, 0, 31), TITLE_TEXT_NAVY},
    };
    for (const auto& [colour, entry] : colours)
        EXPECT_EQ(platform::gdi::NearestIndex(GamePalette().data(), colour), entry) << colour;
}

TEST(GamePaletteTest, GroundDarkensWithDepthInEarthColours)
{
    for (int i = GROUND_SURFACE; i <= GROUND_DEEPEST; ++i) {
        const PALETTEENTRY& c = GamePalette()[i];
        EXPECT_GT(c.peRed, c.peGreen) << i;
        EXPECT_GT(c.peGreen, c.peBlue) << i;
        if (i > GROUND_SURFACE) {
            EXPECT_LT(Luminance(i), Luminance(i - 1)) << i;
        }
    }
}

TEST(GamePaletteTest, BloodIsRedAndItsHeadBrighterThanItsTail)
{
    for (BYTE i : {BLOOD_DARK, BLOOD_BRIGHT}) {
        const PALETTEENTRY& c = GamePalette()[i];
        EXPECT_GT(c.peRed, 3 * c.peGreen) << int(i);
        EXPECT_GT(c.peRed, 3 * c.peBlue) << int(i);
    }
    EXPECT_GT(Luminance(BLOOD_BRIGHT), Luminance(BLOOD_DARK) + 15);
}

int Count(const Picture& picture, BYTE index)
{
    return static_cast<int>(std::count(picture.pixels.begin(), picture.pixels.end(), index));
}

TEST(PaintTest, ShapesFillTheirPixelsAndNothingOutsideThePicture)
{
    Picture picture("p", 20, 20, 0);
    FillPolygon(picture, {{2, 2}, {12, 2}, {12, 7}, {2, 7}}, 9);
    EXPECT_EQ(Count(picture, 9), 10 * 5);
    EXPECT_EQ(picture.At(2, 2), 9);
    EXPECT_EQ(picture.At(12, 2), 0);         // right and bottom edges are exclusive
    FillEllipse(picture, {0, 0}, 30, 30, 4); // reaches far past every edge without harm
    EXPECT_EQ(Count(picture, 4) + Count(picture, 9), 20 * 20 - Count(picture, 0));
    EXPECT_EQ(picture.At(0, 0), 4);
}

TEST(PaintTest, StampKeepsWhatLiesUnderTransparentPixels)
{
    Picture target("t", 4, 4, 7);
    Picture source("s", 2, 2, 0, TRANSPARENT_KEY);
    source.Set(1, 1, 3);
    Stamp(target, source, 2, 2);
    EXPECT_EQ(Count(target, 3), 1);
    EXPECT_EQ(target.At(3, 3), 3);
    EXPECT_EQ(target.At(2, 2), 7);
    const Picture large = Enlarged(source, 3);
    EXPECT_EQ(large.width, 6);
    EXPECT_EQ(Count(large, 3), 9);
    EXPECT_EQ(large.key, source.key);
}

const std::map<std::string, Picture>& Pictures()
{
    static const std::map<std::string, Picture> pictures = [] {
        std::map<std::string, Picture> byName;
        for (Picture& picture : GamePictures()) byName.emplace(picture.name, std::move(picture));
        return byName;
    }();
    return pictures;
}

const Picture& Get(const std::string& name) { return Pictures().at(name); }

// The least and the largest luminance in a box: white text needs a dark ground, navy a light one.
std::pair<double, double> Luminances(const Picture& picture, Box box)
{
    double darkest = 255, brightest = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            darkest = std::min(darkest, Luminance(picture.At(x, y)));
            brightest = std::max(brightest, Luminance(picture.At(x, y)));
        }
    }
    return {darkest, brightest};
}

TEST(GamePicturesTest, EveryPictureHasTheSizeAndKeyTheGameUsesItWith)
{
    struct Expected {
        const char* name;
        int width, height;
        std::optional<BYTE> key;
    };
    const Expected expected[] = {
        {"body.qvx", 640, 480, std::nullopt},        {"glimbot.qvx", 166, 140, TITLE_PICTURE_KEY},
        {"circle.qvx", 200, 200, TITLE_PICTURE_KEY}, {"title.qvx", 340, 60, TITLE_LETTERING_KEY},
        {"cursor.qvx", 24, 24, TRANSPARENT_KEY},     {"sfonde.qvx", 640, 480, std::nullopt},
        {"credits.qvx", 640, 480, std::nullopt},     {"std.qvx", 640, 480, std::nullopt},
    };
    ASSERT_EQ(Pictures().size(), std::size(expected) + 1);
    for (const Expected& e : expected) {
        const Picture& picture = Get(e.name);
        EXPECT_EQ(picture.width, e.width) << e.name;
        EXPECT_EQ(picture.height, e.height) << e.name;
        EXPECT_EQ(picture.key, e.key) << e.name;
    }
    // The game-over picture is dropped at (208, 220) and must stay on the screen, centred.
    const Picture& gameOver = Get("gameover.qvx");
    EXPECT_EQ(gameOver.key, TRANSPARENT_KEY);
    EXPECT_LE(GAME_OVER_TOP + gameOver.height, SCREEN_HEIGHT);
    EXPECT_EQ(GAME_OVER_LEFT + gameOver.width / 2, SCREEN_WIDTH / 2);
}

TEST(GamePicturesTest, KeyIndicesAppearOnlyAsTheirOwnPicturesTransparency)
{
    for (const auto& [name, picture] : Pictures()) {
        bool transparent = false;
        bool opaque = false;
        for (BYTE p : picture.pixels) {
            if (picture.key && p == *picture.key) {
                transparent = true;
                continue;
            }
            opaque = true;
            EXPECT_LT(p, TITLE_LETTERING_KEY) << name;
            if (p >= TITLE_LETTERING_KEY) break;
        }
        EXPECT_TRUE(opaque) << name;
        EXPECT_EQ(transparent, picture.key.has_value()) << name;
    }
}

TEST(GamePicturesTest, TheGamesTextsFallOnGroundsTheyReadOn)
{
    // White kill count and score in the play screen's bottom strip.
    const Picture& play = Get("sfonde.qvx");
    const int hudBottom = HUD_TEXT_TOP + HUD_TEXT_HEIGHT + HUD_SHADOW_OFFSET;
    EXPECT_LT(
        Luminances(play, {KILLS_TEXT_LEFT, HUD_TEXT_TOP, KILLS_TEXT_LEFT + 100, hudBottom}).second,
        90);
    EXPECT_LT(
        Luminances(play, {SCORE_TEXT_LEFT, HUD_TEXT_TOP, SCORE_TEXT_LEFT + 100, hudBottom}).second,
        90);
    // White names and scores in the Killer List's rows.
    const Picture& list = Get("credits.qvx");
    const int listBottom = KILLER_FIRST_ROW + KILLER_ROW_STEP * (KILLER_ROWS - 1) + HUD_TEXT_HEIGHT;
    EXPECT_LT(Luminances(list, {KILLER_NAME_LEFT, KILLER_FIRST_ROW, 340, listBottom}).second, 90);
    EXPECT_LT(Luminances(list, {KILLER_SCORE_LEFT, KILLER_FIRST_ROW, 560, listBottom}).second, 90);
    // Dark navy version texts on the title backdrop.
    const Picture& title = Get("body.qvx");
    EXPECT_GT(
        Luminances(title, {VERSION_TEXT_LEFT, VERSION_TEXT_TOP, 630, SOUND_TEXT_TOP + 12}).first,
        150);
}

// The title's sight leaves its glimbot visible, the cursor aims at its middle and hides its
// corners, and lettering fills most of its picture.
TEST(GamePicturesTest, SightCursorAndLetteringKeepTheirShapes)
{
    const Picture& circle = Get("circle.qvx");
    for (int y = 0; y < circle.height; ++y) {
        for (int x = 0; x < circle.width; ++x) {
            const int dx = x - circle.width / 2;
            const int dy = y - circle.height / 2;
            EXPECT_TRUE(dx * dx + dy * dy >= 60 * 60 || !circle.Opaque(x, y)) << x << "," << y;
        }
    }
    const Picture& glimbot = Get("glimbot.qvx");
    EXPECT_TRUE(glimbot.Opaque(glimbot.width / 2, glimbot.height / 2));
    const Picture& cursor = Get("cursor.qvx");
    EXPECT_TRUE(cursor.Opaque(12, 12));
    for (auto [x, y] : {std::pair {0, 0}, {23, 0}, {0, 23}, {23, 23}})
        EXPECT_FALSE(cursor.Opaque(x, y)) << x << "," << y;
    for (const char* name : {"title.qvx", "gameover.qvx"}) {
        const Picture& picture = Get(name);
        int left = picture.width;
        int right = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (!picture.Opaque(x, y)) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        EXPECT_GT(right - left, picture.width * 9 / 10) << name;
    }
}

TEST(GamePicturesTest, TheCommittedIconsAreWhatTheGeneratorDrawsNow)
{
    for (int size : ICON_SIZES) {
        const std::string path =
            std::string(KG_SOURCE_DIR) + "/resources/icons/icon-" + std::to_string(size) + ".png";
        const auto committed = platform::ReadIndexedPng(path.c_str());
        ASSERT_TRUE(committed.has_value()) << path << ": run make-assets --icons resources/icons";
        EXPECT_EQ(committed->pixels, WindowIcon(size).pixels) << path;
        EXPECT_EQ(committed->transparentIndex, std::optional<BYTE>(TRANSPARENT_KEY)) << path;
    }
}

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
                EXPECT_TRUE(!edge || Luminance(p) < 80) << sprite.name << " " << x << "," << y;
                if (p <= BURST_HEAD_STEP) continue;
                // Ramps are 16 entries aligned to 16: the head colour p - 4 stays in p's ramp.
                EXPECT_EQ((p - BURST_HEAD_STEP) / 16, p / 16) << sprite.name << " " << int(p);
                EXPECT_LT(Luminance(p - BURST_HEAD_STEP), Luminance(p)) << int(p);
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
