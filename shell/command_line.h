#pragma once
// The process's words: the port's own options (they start with "--") and the game's command
// line (the other words, joined by single blanks).

#include <string>

#include "platform/backend.h"
#include "platform/folders.h"

struct CommandLine {
    platform::BackendOptions backend;
    platform::FolderOptions folders;
    bool report = false;
    bool verbose = false;
    bool showHelp = false;
    bool showVersion = false;
    std::string gameCommandLine;
    // Replays: this run journalled to a file, or a journal watched or verified.
    std::string recordPath;
    std::string playPath;
    std::string verifyPath;
};

// False, with a one-line reason, for an unknown or malformed option.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& result, std::string& error);

// One line per option.
const char* CommandLineHelp();
