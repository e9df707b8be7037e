#include "resources/game_resources.h"

#include <vector>

#include "platform/resources.h"

void RegisterKillerDialog();
std::vector<std::vector<BYTE>> GameIconFiles();

void RegisterGameResources()
{
    RegisterKillerDialog();
    platform::AddIconResource(GAME_ICON, GameIconFiles());
}
