#pragma once
// The start-up's three fonts: created after the window, deleted before the log closes.

void CreateGameFonts();
void DeleteGameFonts();
