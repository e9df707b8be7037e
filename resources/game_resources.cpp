#include "resources/game_resources.h"

void RegisterKillerDialog();

void RegisterGameResources() { RegisterKillerDialog(); }
