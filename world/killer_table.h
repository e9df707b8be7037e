#pragma once
// The Killer List's table: the ten best runs, best first, as "killer.dat" stores them.

#include "platform/windef.h"

struct KillerEntry {
    DWORD kills;
    char name[32]; // at most 31 characters and a NUL
    LONG peakScore;
};
static_assert(sizeof(KillerEntry) == 40, "an entry is stored in memory as in the file");

inline constexpr DWORD KILLER_COUNT = 10;
inline constexpr DWORD KILLER_NAME_LIMIT = 31;

// The first place whose kills are below the run's, or KILLER_COUNT when the run does not
// enter. A run that ties an entry goes below it: among equal kills the older run ranks higher.
DWORD FindKillerPlace(const KillerEntry* table, DWORD runKills);

// Moves the entries from place on one place down; the last entry drops out. The entry at place
// keeps its old bytes until it is filled.
void MakeRoomForKiller(KillerEntry* table, DWORD place);

// Names come from a file anyone can edit: each is cut at 31 characters and terminated.
void TerminateKillerNames(KillerEntry* table);

// The printable characters of a name, for drawing it.
void PrintableName(const char* name, char (&shown)[sizeof(KillerEntry::name)]);
