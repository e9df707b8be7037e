// The process entry: the words of the command line, joined by single blanks, become the
// game's command line.

#include <string>

#include "shell/win_main.h"

int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(nullptr, nullptr, commandLine.data(), 1);
}
