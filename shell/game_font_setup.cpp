#include "shell/game_font_setup.h"

#include <cstring>

#include "graphics/game_fonts.h"

namespace {

HFONT CreateGameFont(const char* face, LONG height, LONG weight)
{
    LOGFONTA record {};
    record.lfHeight = height;
    record.lfWeight = weight;
    record.lfCharSet = ANSI_CHARSET;
    record.lfOutPrecision = OUT_STRING_PRECIS;
    record.lfClipPrecision = CLIP_STROKE_PRECIS;
    record.lfQuality = ANTIALIASED_QUALITY;
    record.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(record.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&record);
}

} // namespace

void CreateGameFonts()
{
    hudFont = CreateGameFont("Verdana", 18, FW_BOLD);
    bigFont = CreateGameFont("Verdana", 36, FW_BOLD);
    smallFont = CreateGameFont("Arial", 12, FW_NORMAL);
}

void DeleteGameFonts()
{
    DeleteObject(hudFont);
    DeleteObject(bigFont);
    DeleteObject(smallFont);
}
