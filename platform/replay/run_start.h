#pragma once
// Inside the platform layer: the start of the run, taken at the seam. A run is decided by its
// random seed and its input; a copy of a run with another ending keeps both for its first
// seconds.

#include <vector>

#include "platform/user.h"

namespace platform::journal {

// The random numbers are seeded: the start is counted from here.
void StartSeeded(unsigned int seed);
// The seam's answers, counted while they fall in the start.
void StartTime(DWORD time);
void StartCursor(POINT point);
void StartPump(const std::vector<MSG>& messages);
// Play has ended: what comes after (the name typed, the keys that leave) decides nothing.
void StartPlayEnded();

} // namespace platform::journal
