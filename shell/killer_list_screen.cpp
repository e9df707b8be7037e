#include "shell/killer_list_screen.h"

#include <cstring>

#include "graphics/display_device.h"
#include "graphics/game_fonts.h"
#include "graphics/image_reader.h"
#include "graphics/shared_surfaces.h"
#include "graphics/surfaces.h"
#include "graphics/text_output.h"
#include "platform/kernel.h"
#include "resources/game_resources.h"
#include "shell/input_state.h"
#include "shell/win_main.h"
#include "shell/window_proc.h"
#include "support/debug_log.h"
#include "support/file_access.h"
#include "support/little_endian.h"
#include "support/memory.h"
#include "world/collect_file.h"
#include "world/play_state.h"

namespace {

constexpr char killerFile[] = "killer.dat";
constexpr char damagedKillerFile[] = "killer.dat.bad";
constexpr CollectHeader killerHeader {FourCC("GLIM"), 256, KILLER_COUNT, sizeof(KillerEntry)};
constexpr LONG nameColumn = 120;
constexpr LONG scoreColumn = 360;
constexpr LONG firstRow = 120;
constexpr LONG rowStep = 24;

// Where the dialog puts the name: the name field of the run's new entry.
char* killerName = nullptr;
// What the dialog took, kept for the run's report.
char typedName[sizeof(KillerEntry::name)] = {};
bool nameTyped = false;

// A file that is not a Killer List is kept aside, not overwritten by the new table.
void KeepDamagedFile()
{
    if (MoveFileExA(killerFile, damagedKillerFile, MOVEFILE_REPLACE_EXISTING)) {
        DebugPrintf("CollectError: %s kept as %s\r\n", killerFile, damagedKillerFile);
    }
}

} // namespace

void LoadKillerTable(KillerEntry* table)
{
    CollectHeader header = killerHeader;
    if (ReadCollect(killerFile, header, table) == COLLECT_E_ID) KeepDamagedFile();
    TerminateKillerNames(table);
}

void DrawKillerTable(const KillerEntry* table)
{
    HDC dc = nullptr;
    if (screenSurface->GetDC(&dc) != DD_OK) return;
    const HGDIOBJ previousFont = SelectObject(dc, hudFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (DWORD k = 0; k < KILLER_COUNT; ++k) {
        const LONG y = firstRow + rowStep * static_cast<LONG>(k);
        char name[sizeof(KillerEntry::name)];
        PrintableName(table[k].name, name);
        PrintText(dc, nameColumn, y, name);
        char result[32];
        wsprintfA(result, "%u (%u)", table[k].kills, static_cast<DWORD>(table[k].peakScore));
        PrintText(dc, scoreColumn, y, result);
    }
    SelectObject(dc, previousFont);
    screenSurface->ReleaseDC(dc);
}

void InitKillerDialog(HWND dialog)
{
    char format[128];
    char text[WSPRINTF_LIMIT + 1];
    GetDlgItemTextA(dialog, KILLER_COUNT_TEXT, format, sizeof format);
    wsprintfA(text, format, kills);
    SetDlgItemTextA(dialog, KILLER_COUNT_TEXT, text);
}

LRESULT KillerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        InitKillerDialog(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        GetDlgItemTextA(dialog, KILLER_NAME_FIELD, killerName, sizeof(KillerEntry::name));
        EndDialog(dialog, 1);
    }
    return FALSE;
}

void EnterKiller(KillerEntry* table)
{
    const DWORD place = FindKillerPlace(table, kills);
    if (place == KILLER_COUNT) return;
    MakeRoomForKiller(table, place);
    killerName = table[place].name;
    directDraw->FlipToGDISurface();
    ReadImageFile(screenSurface, "std.qvx");
    ShowCursor(TRUE);
    paintBlack = TRUE;
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(KILLER_DIALOG), gameWindow, KillerDialogProc, 0);
    paintBlack = FALSE;
    ShowCursor(FALSE);
    std::memcpy(typedName, killerName, sizeof typedName);
    typedName[KILLER_NAME_LIMIT] = '\0';
    nameTyped = true;
    table[place].kills = kills;
    table[place].peakScore = peakScore;
}

const char* TypedKillerName() { return nameTyped ? typedName : nullptr; }

void ShowKillerList()
{
    auto* table = static_cast<KillerEntry*>(MemAlloc(KILLER_COUNT * sizeof(KillerEntry)));
    if (table == nullptr) return;
    FillSurface(screenSurface, 0);
    if (FileExists(killerFile)) LoadKillerTable(table);
    EnterKiller(table);
    ReadImageFile(screenSurface, "credits.qvx");
    DrawKillerTable(table);
    lastKey = 0;
    clickPending = FALSE;
    PumpUntilKey(true);
    WriteCollect(killerFile, killerHeader, table);
    MemFree(table);
}
