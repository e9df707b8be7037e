// qvxtool: look into, export and make the game's pictures.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/qvxtool/qvx_commands.h"

namespace {

int Usage()
{
    std::fputs("usage: qvxtool info FILE.qvx\n"
               "       qvxtool decode FILE.qvx OUT.png\n"
               "       qvxtool encode IN.png OUT.qvx [--method N] [--key K]\n",
               stderr);
    return 2;
}

// A whole decimal number within [low, high], or -1.
int Number(const char* text, int low, int high)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return -1;
    return static_cast<int>(value);
}

int Encode(int argc, char** argv)
{
    int method = -1;
    int key = -1;
    for (int i = 4; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc || (option != "--method" && option != "--key")) return Usage();
        const int value = Number(argv[i + 1], 0, 255);
        if (value < 0) {
            std::fprintf(stderr, "qvxtool: %s needs a number from 0 to 255\n", option.c_str());
            return 2;
        }
        (option == "--method" ? method : key) = value;
    }
    return qvxtool::Encode(argv[2], argv[3], method, key);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    if (command == "info" && argc == 3) return qvxtool::Info(argv[2]);
    if (command == "decode" && argc == 4) return qvxtool::Decode(argv[2], argv[3]);
    if (command == "encode" && argc >= 4) return Encode(argc, argv);
    return Usage();
}
