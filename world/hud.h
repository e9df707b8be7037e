#pragma once
// The head-up display: kill count and score in the bottom strip, and the floating message.

// Draws on the back surface; a frame whose surface gives no device context shows no HUD.
void DrawHud();
