#pragma once
// The --report line: the run's result as one line of JSON. Verifying, it also gives the run's
// start (see platform::RunStartDigest) and the name typed in its Killer List dialog, so that a
// list of verified runs can tell a copy from a run and name the run as its player did.

#include <string>

#include "platform/replay.h"

std::string RunReport(const platform::RunResult& result, bool verifying);
