// The process entry: takes out the port's options, starts the backend and runs the game.

#include <cstdio>

#include "platform/kernel.h"
#include "resources/game_resources.h"
#include "shell/command_line.h"
#include "shell/play_loop.h"
#include "shell/replays.h"
#include "shell/run_report.h"
#include "shell/settings.h"
#include "shell/win_main.h"
#include "world/play_state.h"

namespace {

constexpr char versionText[] =
    "killglimbot " KG_VERSION ", a Linux port of Kill Glimbot version 1.3b\n";

// The data is found by its title picture: beside the player, else where the install or the
// build put it, relative to the executable. The log lives with the state, not the keepsakes.
void DescribeFolders(platform::FolderOptions& folders)
{
    folders.dataMarker = "title.qvx";
    folders.dataCandidates = {KG_INSTALLED_DATA, KG_BUILT_DATA};
    folders.stateFiles = {"debug.txt"};
}

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
    DescribeFolders(commandLine.folders);
    int status = 0;
    if (!PrepareReplay(commandLine, status)) return status;
    if (!platform::ChooseFolders(commandLine.folders, error)) {
        std::fprintf(stderr, "killglimbot: %s\n", error.c_str());
        return 1;
    }
    // Only a start that goes on reads (or writes) the settings. The command line is read again
    // over them, so that its options win.
    commandLine = CommandLine {};
    ApplySettings(LoadSettings(), commandLine);
    ParseCommandLine(argc, argv, commandLine, error);
    platform::ShowDebugOutput(commandLine.verbose);
    RegisterGameResources();
    if (!platform::StartBackend(commandLine.backend, error)) {
        std::fprintf(stderr, "killglimbot: %s\n", error.c_str());
        return 1;
    }
    StartJournal(commandLine, argc, argv, KG_VERSION);
    const int result = WinMain(nullptr, nullptr, commandLine.gameCommandLine.data(), SW_SHOWNORMAL);
    platform::StopBackend();
    const platform::RunResult runResult {kills, peakScore, score, composedFrames};
    // --verify alone prints the result as it always has; with --report it says more.
    const bool verifying = !commandLine.verifyPath.empty();
    if (commandLine.report || verifying)
        std::fputs(RunReport(runResult, verifying && commandLine.report).c_str(), stdout);
    const int journalStatus = FinishJournal(commandLine, runResult);
    return result != 0 ? result : journalStatus;
}
