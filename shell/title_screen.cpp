#include "shell/title_screen.h"

#include "graphics/game_fonts.h"
#include "graphics/image_reader.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "graphics/text_output.h"
#include "platform/crt.h"
#include "platform/mmtime.h"
#include "shell/input_state.h"
#include "shell/sound_level.h"
#include "shell/window_proc.h"

namespace {

struct TitlePicture {
    const char* file;
    DWORD colorKey;
};

constexpr TitlePicture titlePictures[] = {
    {"glimbot.qvx", 254}, {"circle.qvx", 254}, {"title.qvx", 253}};
constexpr int titleRows = 3;

constexpr COLORREF titleTextColor = 0x001F0000;
constexpr const char* soundTexts[] = {"no sound", "low sound", "normal sound"};

void WriteTitleTexts(LPDIRECTDRAWSURFACE backdrop)
{
    HDC dc = nullptr;
    if (backdrop->GetDC(&dc) != DD_OK) return;
    const HGDIOBJ previousFont = SelectObject(dc, smallFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, titleTextColor);
    PrintText(dc, 540, 6, "version 1.3b");
    PrintText(dc, 540, 16, soundTexts[soundLevel <= 2 ? soundLevel : 0]);
    SelectObject(dc, previousFont);
    backdrop->ReleaseDC(dc);
}

// One row of a pass: the finished picture at its place, or its zoom at time t.
// Answers whether the row has finished.
bool DrawTitleRow(const TitleSprite& row, DWORD elapsed)
{
    if (static_cast<DWORD>(row.end) < elapsed) {
        backSurface->BltFast(static_cast<DWORD>(row.cx - row.hw),
                             static_cast<DWORD>(row.cy - row.hh), row.surface, nullptr,
                             DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        return true;
    }
    if (static_cast<DWORD>(row.start) < elapsed) {
        const LONG t = static_cast<LONG>(elapsed) - row.start;
        const LONG dx = t * (row.cx - row.hw) / row.duration;
        const LONG dy = t * (row.cy - row.hh) / row.duration;
        RECT target {dx, dy, 2 * row.cx - dx, 2 * row.cy - dy};
        backSurface->Blt(&target, row.surface, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
    }
    return false;
}

} // namespace

void PlayTitleAnimation(LPDIRECTDRAWSURFACE backdrop, TitleSprite* sprites, int count)
{
    DWORD startTime = timeGetTime();
    for (int i = 0; i < count; ++i) sprites[i].duration = sprites[i].end - sprites[i].start;
    lastKey = 0;
    int unfinished = count;
    do {
        const DWORD elapsed = timeGetTime() - startTime;
        backSurface->BltFast(0, 0, backdrop, nullptr, DDBLTFAST_WAIT);
        unfinished = count;
        for (int i = 0; i < count; ++i) {
            if (DrawTitleRow(sprites[i], elapsed)) --unfinished;
        }
        screenSurface->BltFast(0, 0, backSurface, nullptr, DDBLTFAST_WAIT);
        PumpMessages();
        // Returns once this pass's picture is on screen: a faster pass would not be seen.
        WaitMessage();
        // A key finishes every row in the next pass.
        if (lastKey != 0) startTime = 0;
    } while (unfinished > 0);
}

void RunTitleScreen()
{
    ReadImageFile(screenSurface, "body.qvx");
    LPDIRECTDRAWSURFACE backdrop = CreateVideoSurface(640, 480);
    if (backdrop != nullptr) {
        backdrop->BltFast(0, 0, screenSurface, nullptr, DDBLTFAST_WAIT);
        WriteTitleTexts(backdrop);
    }
    TitleSprite sprites[titleRows] = {{nullptr, 320, 220, 83, 70, 0, 2000, 0},
                                      {nullptr, 320, 220, 100, 100, 1500, 2500, 0},
                                      {nullptr, 320, 320, 170, 30, 2000, 3000, 0}};
    for (int i = 0; i < titleRows; ++i) {
        sprites[i].surface = LoadSurface(titlePictures[i].file);
        SetSurfaceColorKey(sprites[i].surface, titlePictures[i].colorKey);
    }
    PlayTitleAnimation(backdrop, sprites, titleRows);
    for (TitleSprite& sprite : sprites) {
        if (sprite.surface != nullptr) sprite.surface->Release();
    }
    if (backdrop != nullptr) backdrop->Release();
    lastKey = 0;
    PumpUntilKey(false);
    crt::srand(timeGetTime());
}
