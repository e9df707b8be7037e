#include "shell/play_assets.h"

#include "graphics/game_fonts.h"
#include "graphics/image_reader.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "graphics/text_output.h"
#include "shell/input_state.h"
#include "shell/sound_level.h"
#include "sound/pack_image.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "support/debug_log.h"
#include "world/creatures.h"
#include "world/ground.h"
#include "world/play_state.h"
#include "world/world_tables.h"

LPDIRECTDRAWSURFACE cursorImage = nullptr;
LPDIRECTDRAWSURFACE cursorUnder = nullptr;
LPDIRECTSOUNDBUFFER shotVoices[SHOT_VOICES] = {};
PackArchive* soundPack = nullptr;

namespace {

constexpr DWORD cursorKey = 255;
constexpr DWORD shotBufferFlags = DSBCAPS_CTRLPAN | DSBCAPS_STATIC;
constexpr DWORD popBufferFlags = DSBCAPS_STATIC;
constexpr DWORD firstPopEntry = 2;
constexpr LONG cursorSize = 24;
// Without its picture the crosshair is a plain cross of HUD red over the key colour, the bars
// three pixels wide through the aim point (12, 12), so the game stays playable.
constexpr DWORD plainCursorColour = 2;

LPDIRECTDRAWSURFACE PlainCursor()
{
    LPDIRECTDRAWSURFACE cursor = CreateVideoSurface(cursorSize, cursorSize);
    if (cursor == nullptr) return nullptr;
    FillSurface(cursor, cursorKey);
    RECT bars[] = {{0, 11, cursorSize, 14}, {11, 0, 14, cursorSize}};
    for (RECT& bar : bars) FillSurface(cursor, plainCursorColour, &bar);
    return cursor;
}

LPDIRECTDRAWSURFACE LoadCursorImage()
{
    if (LPDIRECTDRAWSURFACE cursor = LoadSurface("cursor.qvx")) return cursor;
    DebugLine("cursor.qvx non disponibile: mirino semplice");
    return PlainCursor();
}

void LoadCreatureSprites()
{
    PackArchive* pack = OpenPack("GLIM.PCK", 0);
    if (pack == nullptr) {
        DebugLine("Pack Immagini non disponibile");
        return;
    }
    LPDIRECTDRAWSURFACE work = CreateSystemSurface(SPRITE_SIZE, SPRITE_SIZE);
    for (DWORD i = 0; i < CREATURE_TYPES; ++i) {
        LoadPackImage(work, pack, i);
        BitmapRef image {};
        CaptureSprite(&image, work);
        creatureSprites[i] = image.address;
    }
    if (work != nullptr) work->Release();
    ClosePack(pack);
}

const char* SoundPackName()
{
    switch (soundLevel) {
    case 1: return "SOUNDL.PCK";
    case 2: return "SOUNDM.PCK";
    default: return nullptr;
    }
}

LPDIRECTSOUNDBUFFER LoadPackSound(DWORD entry, DWORD flags)
{
    return LoadSound(SeekPackEntry(soundPack, entry), flags);
}

void LoadSounds()
{
    const char* name = SoundPackName();
    soundPack = name != nullptr ? OpenPack(name, 0) : nullptr;
    if (soundPack != nullptr) {
        shotVoices[0] = LoadPackSound(0, shotBufferFlags);
        soundDevice->DuplicateSoundBuffer(shotVoices[0], &shotVoices[1]);
        soundDevice->DuplicateSoundBuffer(shotVoices[0], &shotVoices[2]);
    }
    for (DWORD i = 0; i < POP_SOUND_COUNT; ++i) {
        popSounds[i] =
            soundPack != nullptr ? LoadPackSound(firstPopEntry + i, popBufferFlags) : nullptr;
    }
}

template <typename Handle> void ReleaseHandle(Handle*& handle)
{
    if (handle != nullptr) handle->Release();
    handle = nullptr;
}

} // namespace

void ShowLoadingScreen()
{
    HDC dc = nullptr;
    if (backSurface->GetDC(&dc) == DD_OK) {
        const HGDIOBJ previousFont = SelectObject(dc, bigFont);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        PrintText(dc, 220, 220, " Loading...");
        SelectObject(dc, previousFont);
        backSurface->ReleaseDC(dc);
    }
    screenSurface->BltFast(0, 0, backSurface, nullptr, DDBLTFAST_WAIT);
}

void LoadPlayAssets()
{
    cursorImage = LoadCursorImage();
    SetSurfaceColorKey(cursorImage, cursorKey);
    cursorUnder = DuplicateSurface(cursorImage);
    AllocWorldTables();
    ReadImageFile(screenSurface, "sfonde.qvx");
    sceneBackground = CreateVideoSurface(640, 480);
    if (sceneBackground != nullptr)
        sceneBackground->BltFast(0, 0, screenSurface, nullptr, DDBLTFAST_WAIT);
    ResetWorld();
    backSurface->BltFast(0, 0, sceneBackground, nullptr, DDBLTFAST_WAIT);
    ShowLoadingScreen();
    ResetPlayState();
    lastKey = 0;
    clickPending = FALSE;
    LoadCreatureSprites();
    LoadSounds();
    SpawnCreature(creatures[0]);
}

void ReleasePlayAssets()
{
    FreeWorldTables();
    if (soundPack != nullptr) ClosePack(soundPack);
    soundPack = nullptr;
    ReleaseHandle(cursorImage);
    ReleaseHandle(cursorUnder);
    ReleaseHandle(sceneBackground);
    if (soundLevel == 0) return;
    for (LPDIRECTSOUNDBUFFER& pop : popSounds) ReleaseHandle(pop);
    for (LPDIRECTSOUNDBUFFER& voice : shotVoices) ReleaseHandle(voice);
}
