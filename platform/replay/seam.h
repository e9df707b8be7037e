#pragma once
// Inside the platform layer: where the seam's answers pass the journal. Without a recording or
// a replay each answer passes through unchanged.

#include <vector>

#include "platform/user.h"

namespace platform::journal {

DWORD AnswerTime(DWORD live);
POINT AnswerCursor(POINT live);
// The messages one pump brought: journalled, or, replaying, swapped for the recorded ones (the
// live ones only steer the watching), which go to `inputWindow` as live ones would.
void DeliverPump(std::vector<MSG>& arrived, HWND inputWindow);
// Waiting for input (the game never reads the answer). Replaying, no live input is for the game:
// a watched replay waits until the recording's next clock answer is due, a verified one not
// at all.
bool AnswerWait(DWORD timeoutMs);
// Whether the program is closing, as of the last pump.
bool AnswerClose(bool live);
WORD AnswerLanguage(WORD live);

// The file calls: what each file opened for reading gave, digested by name.
void FileOpened(HANDLE file, const char* name, DWORD access);
void FileRead(HANDLE file, const void* data, DWORD size);
void FileClosed(HANDLE file);

} // namespace platform::journal
