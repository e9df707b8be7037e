#pragma once
// Every picture file of the game, made from our own procedural art in the shared palette.

#include <vector>

#include "tools/make_assets/art/picture.h"

namespace art {

inline constexpr int SCREEN_WIDTH = 640;
inline constexpr int SCREEN_HEIGHT = 480;

// Where the play screen's overlays land.
inline constexpr int TOP_STRIP_ROWS = 24;    // rows 0 to 23 are never recomposed
inline constexpr int BOTTOM_STRIP_TOP = 456; // the ground stops above this row
inline constexpr int HUD_TEXT_TOP = 458;     // kill count and score, Verdana 18 bold
inline constexpr int HUD_TEXT_HEIGHT = 18;
inline constexpr int HUD_SHADOW_OFFSET = 2;
inline constexpr int KILLS_TEXT_LEFT = 160;
inline constexpr int SCORE_TEXT_LEFT = 425;
inline constexpr int MESSAGE_TEXT_TOP = 100; // the floating bonus message, Verdana 36 bold

// The title screen's version texts, Arial 12, in dark navy on the backdrop.
inline constexpr int VERSION_TEXT_LEFT = 540;
inline constexpr int VERSION_TEXT_TOP = 6;
inline constexpr int SOUND_TEXT_TOP = 16;

// The title animation's pictures end centred here.
inline constexpr int TITLE_ZOOM_CENTRE_X = 320;
inline constexpr int TITLE_ZOOM_CENTRE_Y = 220;
inline constexpr int TITLE_LETTERING_CENTRE_Y = 320;

// The Killer List: ten rows of names and "kills (peak)" texts, Verdana 18 bold, white.
inline constexpr int KILLER_NAME_LEFT = 120;
inline constexpr int KILLER_SCORE_LEFT = 360;
inline constexpr int KILLER_FIRST_ROW = 120;
inline constexpr int KILLER_ROW_STEP = 24;
inline constexpr int KILLER_ROWS = 10;

// The game-over picture's top-left corner on the screen.
inline constexpr int GAME_OVER_LEFT = 208;
inline constexpr int GAME_OVER_TOP = 220;

Picture TitleBackdrop();      // "body.qvx"
Picture TitleGlimbot();       // "glimbot.qvx"
Picture TitleCircle();        // "circle.qvx"
Picture TitleLettering();     // "title.qvx"
Picture CursorPicture();      // "cursor.qvx"
Picture PlayBackdrop();       // "sfonde.qvx"
Picture GameOverPicture();    // "gameover.qvx"
Picture KillerListBackdrop(); // "credits.qvx"
Picture NameEntryBackdrop();  // "std.qvx"

// All of them, each named by its file.
std::vector<Picture> GamePictures();

} // namespace art
