#include "tools/make_assets/output/screen_previews.h"

#include <algorithm>
#include <array>

#include "platform/crt.h"
#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/pictures/pictures.h"

namespace art {
namespace {

using GroundLine = std::array<unsigned, SCREEN_WIDTH>;

// The game's own ground: a random walk from row 240, painted as a noisy gradient of 68 to 74.
GroundLine PaintGround(Picture& picture)
{
    GroundLine ground {};
    ground[0] = GROUND_START_ROW;
    ground[1] = GROUND_START_ROW + (crt::rand() & 1);
    for (int x = 2; x < SCREEN_WIDTH; ++x)
        ground[x] = ((crt::rand() & 7) + ground[x - 1] + ground[x - 2] - 3) >> 1;
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
        unsigned colour = GROUND_SURFACE * 256;
        for (int y = static_cast<int>(ground[x]);; ++y) {
            picture.Set(x, y, static_cast<BYTE>(colour / 256));
            colour = std::min<unsigned>(colour + (crt::rand() & 15), GROUND_DEEPEST * 256);
            if (y >= BOTTOM_STRIP_TOP - 1) break;
        }
    }
    return ground;
}

// A creature with its box's top-left corner at (x, y), hidden below the ground.
void DrawCreature(Picture& picture, const GroundLine& ground, const Picture& sprite, int x, int y)
{
    for (int c = 0; c < sprite.width; ++c) {
        const int visible = std::min(static_cast<int>(ground[x + c]) - y, sprite.height);
        for (int r = 0; r < visible; ++r) {
            if (sprite.Opaque(c, r)) picture.Set(x + c, y + r, sprite.At(c, r));
        }
    }
}

unsigned Deepest(const GroundLine& ground, int x)
{
    return *std::max_element(ground.begin() + x, ground.begin() + x + 48);
}

void DrawShadowText(Picture& picture, const char* text, int x, int y, int offset, BYTE colour,
                    BYTE shadow, int cellHeight)
{
    DrawLabel(picture, LabelFont(cellHeight), text, x + offset, y + offset, shadow);
    DrawLabel(picture, LabelFont(cellHeight), text, x, y, colour);
}

// A keyed picture placed as the title animation leaves it: centred on (cx, cy).
void StampCentred(Picture& screen, const Picture& picture, int cx, int cy)
{
    Stamp(screen, picture, cx - picture.width / 2, cy - picture.height / 2);
}

} // namespace

Picture TitlePreview()
{
    Picture screen = TitleBackdrop();
    screen.name = "title screen";
    StampCentred(screen, TitleGlimbot(), TITLE_ZOOM_CENTRE_X, TITLE_ZOOM_CENTRE_Y);
    StampCentred(screen, TitleCircle(), TITLE_ZOOM_CENTRE_X, TITLE_ZOOM_CENTRE_Y);
    StampCentred(screen, TitleLettering(), TITLE_ZOOM_CENTRE_X, TITLE_LETTERING_CENTRE_Y);
    const auto& font = CachedFont("Arial", 400, 12);
    DrawLabel(screen, font, "version 1.3b", VERSION_TEXT_LEFT, VERSION_TEXT_TOP, TITLE_TEXT_NAVY);
    DrawLabel(screen, font, "normal sound", VERSION_TEXT_LEFT, SOUND_TEXT_TOP, TITLE_TEXT_NAVY);
    return screen;
}

Picture GameOverPreview(const Picture& lastFrame)
{
    Picture screen = lastFrame;
    screen.name = "game over screen";
    Stamp(screen, GameOverPicture(), GAME_OVER_LEFT, GAME_OVER_TOP);
    return screen;
}

Picture KillerListPreview()
{
    Picture screen = KillerListBackdrop();
    screen.name = "killer list";
    const char* names[KILLER_ROWS] = {"Zapper", "Lucia", "MAX", "glimbuster", "Dr. Splat",
                                      "Ann",    "",      "",    "",           ""};
    const char* scores[KILLER_ROWS] = {"212 (2301)", "187 (1980)", "140 (1422)", "96 (998)",
                                       "41 (401)",   "17 (176)",   "0 (0)",      "0 (0)",
                                       "0 (0)",      "0 (0)"};
    for (int k = 0; k < KILLER_ROWS; ++k) {
        const int y = KILLER_FIRST_ROW + KILLER_ROW_STEP * k;
        DrawLabel(screen, LabelFont(HUD_TEXT_HEIGHT), names[k], KILLER_NAME_LEFT, y, WHITE);
        DrawLabel(screen, LabelFont(HUD_TEXT_HEIGHT), scores[k], KILLER_SCORE_LEFT, y, WHITE);
    }
    return screen;
}

Picture PlayPreview(const Picture& backdrop, const std::vector<Picture>& sprites)
{
    Picture picture = backdrop;
    picture.name = "play screen";
    crt::srand(1999);
    const GroundLine ground = PaintGround(picture);
    // Stains of earlier kills: a dark and a bright pixel under the surface.
    for (int x = 300; x < 340; ++x) {
        const int depth = 3 + ((x * 7) % 11);
        for (int d = 1; d <= depth; ++d)
            picture.Set(x, static_cast<int>(ground[x]) + d, BLOOD_DARK);
        picture.Set(x, static_cast<int>(ground[x]) + depth + 1, BLOOD_BRIGHT);
    }
    const int rises[] = {10, 30, 44, 100};
    const int columns[] = {60, 200, 420, 520};
    for (std::size_t i = 0; i < sprites.size() && i < 4; ++i) {
        const int base = static_cast<int>(Deepest(ground, columns[i])) + 5;
        DrawCreature(picture, ground, sprites[i], columns[i], base - rises[i]);
    }
    DrawShadowText(picture, "37", KILLS_TEXT_LEFT, HUD_TEXT_TOP, HUD_SHADOW_OFFSET, WHITE, BLACK,
                   HUD_TEXT_HEIGHT);
    DrawShadowText(picture, "-12", SCORE_TEXT_LEFT, HUD_TEXT_TOP, HUD_SHADOW_OFFSET, WHITE, BLACK,
                   HUD_TEXT_HEIGHT);
    const char* message = "KILLER BONUS +50";
    const int left = SCREEN_WIDTH / 2 - LabelFont(36).Advance(message) / 2;
    DrawShadowText(picture, message, left, MESSAGE_TEXT_TOP, 2, KILLER_BONUS_YELLOW, MESSAGE_SHADOW,
                   36);
    return picture;
}

} // namespace art
