#pragma once
// Where the game's files live on the player's machine. The game names its files plainly
// ("title.qvx", "killer.dat"); the file calls place a plain name here: read from the player's
// own folder when it is there, else from the read-only data folder; always written to the
// player's folder, never into the data.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The player's folders: what the game keeps (the Killer List, screenshots, replays), what it
// leaves for a bug report (the log, the last run), and the settings.
enum class UserFolder { Data, State, Config };

struct FolderOptions {
    std::string dataFolder; // --data: the only place looked in when given
    std::string saveFolder; // --save: the Data and State folders both become this one
    std::string dataMarker; // a file every data folder holds
    // Folders to look in, relative to the executable's folder, after the current folder.
    std::vector<std::string> dataCandidates;
    // Plain names that live in the State folder; every other one lives in the Data folder.
    std::vector<std::string> stateFiles;
};

// Decides the folders once at start. False, with one line naming every folder looked in, when
// none holds the data; nothing is created then.
bool ChooseFolders(const FolderOptions& options, std::string& error);
// Back to passing every name through unchanged, as before ChooseFolders (for tests).
void ForgetFolders();

const std::string& DataFolder();
// The folder's path, whether or not it exists yet.
std::string UserFolderPath(UserFolder folder);
// Creates the folder (and its parents, mode 0700) when missing. A failure is said once on
// standard error and in a notice for the log, and answered false every time.
bool MakeUserFolder(UserFolder folder);
// NAME inside the folder, which is created first with the folders NAME names: for files the
// game writes other than through the file calls ("screenshots/...png", replays).
std::string UserFilePath(UserFolder folder, std::string_view name);

// The path the file calls use for a name: any name with a slash is used as given; so is every
// name before ChooseFolders.
std::string PathForReading(const char* name);
std::string PathForWriting(const char* name);

} // namespace platform
