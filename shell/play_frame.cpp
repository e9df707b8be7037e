#include "shell/play_frame.h"

#include "graphics/shared_surfaces.h"
#include "shell/play_assets.h"
#include "world/hud.h"
#include "world/play_state.h"
#include "world/world_update.h"

namespace {

void CountDownMessage(DWORD elapsed)
{
    if (messageTimeLeft <= 0) return;
    messageTimeLeft -= static_cast<LONG>(elapsed);
    if (messageTimeLeft <= 0) {
        messageKind = MESSAGE_NONE;
        messageTimeLeft = 0;
    }
}

} // namespace

void ComposeFrame(const DrawnCursor& cursor, DWORD elapsed)
{
    backSurface->BltFast(0, 0, sceneBackground, nullptr, DDBLTFAST_WAIT);
    UpdateWorld(elapsed);
    if (score < 0 && kills == 0) score = 0;
    CountDownMessage(elapsed);
    DrawHud();
    RECT under = cursor.rect;
    if (cursorUnder != nullptr) cursorUnder->BltFast(0, 0, backSurface, &under, DDBLTFAST_WAIT);
    backSurface->BltFast(static_cast<DWORD>(cursor.rect.left), static_cast<DWORD>(cursor.rect.top),
                         cursorImage, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    RECT field {0, 24, 640, 480};
    screenSurface->BltFast(0, 24, backSurface, &field, DDBLTFAST_WAIT);
}
