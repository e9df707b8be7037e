#include "tests/e2e/game_run.h"

#include "support/little_endian.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

extern char** environ;

namespace test {

GameResult RunGame(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment, int stopAfterMs)
{
    std::vector<std::string> words {"--save", ".", "--verbose"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunGameAsIs(words, environment, stopAfterMs);
}

GameResult RunGameAsIs(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment, int stopAfterMs)
{
    std::vector<std::string> words {KG_GAME_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    // The first of two settings of a variable is the one the game sees.
    std::vector<std::string> variables = environment;
    for (const char* name : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"})
        variables.push_back(std::string(name) + '=');
    variables.push_back("HOME=" + std::filesystem::current_path().string() + "/home");
    for (char** variable = environ; *variable != nullptr; ++variable)
        variables.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    GameResult result;
    if (posix_spawn(&child, KG_GAME_PATH, &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (stopAfterMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(stopAfterMs));
            kill(child, SIGTERM);
        }
        waitpid(child, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.output = TempFolderTest::ReadFile("stdout.txt");
    result.errors = TempFolderTest::ReadFile("stderr.txt");
    return result;
}

std::string SweepClicks(int from, int until)
{
    std::string script;
    for (int time = from, step = 0; time < until; time += 10, ++step) {
        script += std::to_string(time) + " move " + std::to_string(24 + step % 16 * 38) + ' '
                  + std::to_string(180 + step / 16 % 4 * 30) + '\n' + std::to_string(time + 1)
                  + " click\n";
    }
    return script;
}

std::string KillerFile(const std::vector<unsigned>& kills)
{
    std::string file(16 + 10 * 40, '\0');
    auto* bytes = reinterpret_cast<BYTE*>(file.data());
    WriteLe32(bytes, FourCC("GLIM"));
    WriteLe32(bytes + 4, 256);
    WriteLe32(bytes + 8, 10);
    WriteLe32(bytes + 12, 40);
    for (int k = 0; k < 10; ++k) {
        WriteLe32(bytes + 16 + 40 * k, kills[k]);
        file.replace(16 + 40 * k + 4, 7, "Player" + std::to_string(k));
    }
    return file;
}

void GameFolderTest::SetUp()
{
    TempFolderTest::SetUp();
    for (const auto& entry : std::filesystem::directory_iterator(KG_DATA_DIR)) {
        if (entry.is_regular_file() && entry.path().filename() != "debug.txt"
            && entry.path().filename() != "killer.dat") {
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
        }
    }
}

} // namespace test
