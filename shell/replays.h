#pragma once
// Every run is journalled: to the State folder's "last-run.kgr" (the one before kept as
// "previous-run.kgr") and to --record's file. --play and --verify replay a journal in a save
// folder of their own, so the player's Killer List and log stay untouched; with --record, the
// replay is journalled anew (the same input, this version's world: how a golden replay follows
// a change of play made on purpose).

#include "platform/replay.h"
#include "shell/command_line.h"

// --verify's status for a journal cut short whose replay matched up to its last block: the run
// checks out as far as it goes, but its result was never written.
inline constexpr int VERIFIED_CUT_SHORT = 3;

// Before the folders are chosen: reads the journal to replay and sets the run up from it. False,
// with the exit status, when the run cannot go ahead (2: the journal is damaged or no journal,
// or words or a script were given to a replay; 1: --record's file exists).
bool PrepareReplay(CommandLine& commandLine, int& status);
// Once the backend has started, before the game. A replay's game words become the recording's,
// whatever the settings or the command line said.
void StartJournal(CommandLine& commandLine, int argc, const char* const* argv,
                  const char* gameVersion);
// After the game: writes the journal, or prints the replay's verdict. Answers the exit status.
int FinishJournal(const CommandLine& commandLine, const platform::RunResult& result);
