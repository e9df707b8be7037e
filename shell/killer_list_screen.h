#pragma once
// The Killer List screen after the run: the ten best runs from "killer.dat", the name dialog
// for a run that enters, the table over "credits.qvx", a wait for a key or a click, and the
// file written back.

#include "platform/user.h"
#include "world/killer_table.h"

void ShowKillerList();
// The name typed in this run's dialog (Latin-1), or null when the run did not enter the list.
const char* TypedKillerName();
// Reads "killer.dat" into the zero-filled table, setting a file that is no Killer List aside.
void LoadKillerTable(KillerEntry* table);
// The names and results over the screen's picture, in the HUD font.
void DrawKillerTable(const KillerEntry* table);
// Finds the run's place, makes room for it, asks the player's name and fills the entry.
void EnterKiller(KillerEntry* table);
LRESULT KillerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Puts the run's kill count into the dialog's second line.
void InitKillerDialog(HWND dialog);
