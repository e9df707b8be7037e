// The data folder found at start, and the player's folders after the XDG base directories.

#include "platform/folders.h"
#include "platform/notice.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

constexpr char gameFolderName[] = "killglimbot";

struct Folders {
    bool chosen = false;
    std::string data;
    std::string save;
    std::vector<std::string> stateFiles;
    std::array<bool, 3> failed {}; // a folder that could not be made, said once
};

Folders folders;

bool HasFile(const std::string& folder, const std::string& name)
{
    return access((folder + '/' + name).c_str(), R_OK) == 0;
}

std::string CanonicalPath(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string canonical(resolved);
    std::free(resolved);
    return canonical;
}

std::string ExecutableFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    path[length] = '\0';
    char* slash = std::strrchr(path, '/');
    if (slash == path) return "/";
    if (slash != nullptr) *slash = '\0';
    return path;
}

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

// An XDG variable counts only when it holds an absolute path; else its default under HOME.
std::string BaseFolder(const char* variable, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    return HomeFolder() + underHome;
}

bool IsPlainName(const char* name) { return std::strchr(name, '/') == nullptr; }

UserFolder FolderOf(const char* name)
{
    const auto& state = folders.stateFiles;
    return std::find(state.begin(), state.end(), name) != state.end() ? UserFolder::State
                                                                      : UserFolder::Data;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// mkdir -p, each missing folder private to the player; 0, or the errno of the failure.
int MakeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0) {
            const int failure = errno == EEXIST ? ENOTDIR : errno;
            if (!IsFolder(part)) return failure;
        }
        if (slash == std::string::npos) break;
    }
    return access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

void SayOnce(UserFolder folder, const std::string& path, int failure)
{
    bool& said = folders.failed[static_cast<std::size_t>(folder)];
    if (said) return;
    said = true;
    const std::string text = "killglimbot: cannot use the folder " + path + " ("
                             + std::strerror(failure)
                             + "); what would be kept there is not saved\n";
    std::fputs(text.c_str(), stderr);
    Notice(text);
}

bool MakeFolderOf(UserFolder folder, const std::string& path)
{
    const int failure = MakeFolders(path);
    if (failure != 0) SayOnce(folder, path, failure);
    return failure == 0;
}

std::string DataFolderError(const FolderOptions& options, const std::vector<std::string>& tried)
{
    std::string error = "no game data (" + options.dataMarker + ") in ";
    for (std::size_t i = 0; i < tried.size(); ++i) error += (i == 0 ? "" : ", ") + tried[i];
    return error
           + (options.dataFolder.empty() ? "; name the data folder with --data DIR"
                                         : ", the folder given with --data");
}

} // namespace

bool ChooseFolders(const FolderOptions& options, std::string& error)
{
    std::vector<std::string> tried;
    if (!options.dataFolder.empty()) {
        tried.push_back(options.dataFolder);
    } else {
        tried.push_back(CanonicalPath("."));
        const std::string executableFolder = ExecutableFolder();
        for (const std::string& candidate : options.dataCandidates)
            tried.push_back(CanonicalPath(executableFolder + '/' + candidate));
    }
    const auto found = std::find_if(tried.begin(), tried.end(), [&](const std::string& folder) {
        return HasFile(folder, options.dataMarker);
    });
    if (found == tried.end()) {
        error = DataFolderError(options, tried);
        return false;
    }
    folders = Folders {true, CanonicalPath(*found), options.saveFolder, options.stateFiles, {}};
    return true;
}

void ForgetFolders() { folders = Folders {}; }

const std::string& DataFolder() { return folders.data; }

std::string UserFolderPath(UserFolder folder)
{
    if (folder != UserFolder::Config && !folders.save.empty()) return folders.save;
    switch (folder) {
    case UserFolder::Data:
        return BaseFolder("XDG_DATA_HOME", "/.local/share") + '/' + gameFolderName;
    case UserFolder::State:
        return BaseFolder("XDG_STATE_HOME", "/.local/state") + '/' + gameFolderName;
    case UserFolder::Config:
        return BaseFolder("XDG_CONFIG_HOME", "/.config") + '/' + gameFolderName;
    }
    return ".";
}

bool MakeUserFolder(UserFolder folder) { return MakeFolderOf(folder, UserFolderPath(folder)); }

std::string UserFilePath(UserFolder folder, std::string_view name)
{
    const std::string path = UserFolderPath(folder) + '/' + std::string(name);
    MakeFolderOf(folder, path.substr(0, path.rfind('/')));
    return path;
}

std::string PathForReading(const char* name)
{
    if (!folders.chosen || !IsPlainName(name)) return name;
    const std::string own = UserFolderPath(FolderOf(name)) + '/' + name;
    return access(own.c_str(), F_OK) == 0 ? own : folders.data + '/' + name;
}

std::string PathForWriting(const char* name)
{
    if (!folders.chosen || !IsPlainName(name)) return name;
    return UserFilePath(FolderOf(name), name);
}

} // namespace platform
