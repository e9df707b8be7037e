#include "tools/make_assets/output/screen_previews.h"

#include <algorithm>
#include <array>

#include "graphics/display_device.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "platform/crt.h"
#include "support/memory.h"
#include "tools/make_assets/art/lettering.h"
#include "tools/make_assets/pictures/pictures.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/pixel_target.h"
#include "world/world_tables.h"

namespace art {
namespace {

// The play's scene, ground and creatures painted by the game world's own code onto a stand-in
// for its scene background that holds the backdrop.
class PlayStandIn {
public:
    PlayStandIn(const Picture& backdrop, const std::vector<Picture>& sprites) : scene_(backdrop)
    {
        DirectDrawCreate(nullptr, &directDraw, nullptr);
        sceneBackground = CreateSystemSurface(SCREEN_WIDTH, SCREEN_HEIGHT);
        AllocWorldTables();
        for (std::size_t type = 0; type < sprites.size() && type < CREATURE_TYPES; ++type) {
            auto* pixels = static_cast<BYTE*>(MemAlloc(SPRITE_PIXELS));
            std::copy(sprites[type].pixels.begin(), sprites[type].pixels.end(), pixels);
            creatureSprites[type] = pixels;
        }
        CopyScene(true);
        ResetWorld();
        CopyScene(false);
    }
    ~PlayStandIn()
    {
        FreeWorldTables();
        if (sceneBackground != nullptr) sceneBackground->Release();
        sceneBackground = nullptr;
        if (directDraw != nullptr) directDraw->Release();
        directDraw = nullptr;
    }
    PlayStandIn(const PlayStandIn&) = delete;
    PlayStandIn& operator=(const PlayStandIn&) = delete;

    // A creature of the type risen `rise` rows from its base row, as the game draws it.
    void DrawRisenCreature(DWORD type, DWORD x, DWORD rise)
    {
        const DWORD baseRow = DeepestGround(x, x + SPRITE_SIZE) + 5;
        DrawCreature(Target(), x, baseRow - rise, creatureSprites[type]);
    }
    // Stains as the landed drops of earlier kills leave them under the surface.
    void StainColumn(DWORD x, DWORD rows)
    {
        for (DWORD r = 1; r <= rows; ++r) PutPixel(Target(), x, groundLine[x] + r, BLOOD_DARK);
        PutPixel(Target(), x, groundLine[x] + rows + 1, BLOOD_BRIGHT);
    }
    Picture& Scene() { return scene_; }

private:
    PixelTarget Target()
    {
        return {scene_.pixels.data(), SCREEN_WIDTH, SCREEN_WIDTH, SCREEN_HEIGHT};
    }
    void CopyScene(bool intoSurface)
    {
        const PixelTarget surface = LockPixels(sceneBackground);
        for (DWORD y = 0; surface.pixels != nullptr && y < SCREEN_HEIGHT; ++y) {
            BYTE* row = surface.pixels + static_cast<std::ptrdiff_t>(y) * surface.pitch;
            BYTE* own = scene_.pixels.data() + static_cast<std::ptrdiff_t>(y) * SCREEN_WIDTH;
            if (intoSurface) std::copy_n(own, SCREEN_WIDTH, row);
            else std::copy_n(row, SCREEN_WIDTH, own);
        }
        UnlockPixels(sceneBackground, surface);
    }

    Picture scene_;
};

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
    crt::srand(1999);
    PlayStandIn play(backdrop, sprites);
    for (DWORD x = 300; x < 340; ++x) play.StainColumn(x, 3 + (x * 7) % 11);
    const DWORD rises[] = {10, 30, 44, 100};
    const DWORD columns[] = {60, 200, 420, 520};
    for (DWORD type = 0; type < sprites.size() && type < CREATURE_TYPES; ++type)
        play.DrawRisenCreature(type, columns[type], rises[type]);
    Picture picture = play.Scene();
    picture.name = "play screen";
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
