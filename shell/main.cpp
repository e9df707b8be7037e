// The process entry: takes out the port's options, starts the backend and runs the game.

#include <cstdio>

#include "resources/game_resources.h"
#include "shell/command_line.h"
#include "shell/play_loop.h"
#include "shell/win_main.h"
#include "world/play_state.h"

namespace {

constexpr char versionText[] = "killglimbot 1.0.0, a Linux port of Kill Glimbot version 1.3b\n";

} // namespace

int main(int argc, char** argv)
{
    CommandLine commandLine;
    std::string error;
    if (!ParseCommandLine(argc, argv, commandLine, error)) {
        std::fprintf(stderr, "killglimbot: %s\nTry 'killglimbot --help'.\n", error.c_str());
        return 2;
    }
    if (commandLine.showHelp || commandLine.showVersion) {
        std::fputs(commandLine.showHelp ? CommandLineHelp() : versionText, stdout);
        return 0;
    }
    RegisterGameResources();
    if (!platform::StartBackend(commandLine.backend, error)) {
        std::fprintf(stderr, "killglimbot: %s\n", error.c_str());
        return 1;
    }
    const int result = WinMain(nullptr, nullptr, commandLine.gameCommandLine.data(), SW_SHOWNORMAL);
    platform::StopBackend();
    if (commandLine.report) {
        std::printf("{\"kills\": %u, \"peakScore\": %d, \"score\": %d, \"frames\": %u}\n", kills,
                    peakScore, score, composedFrames);
    }
    return result;
}
