// pcktool: lists, extracts and builds the game's pack archives.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/pcktool/pck_commands.h"

namespace {

int Usage()
{
    std::fputs("usage: pcktool list FILE.PCK\n"
               "       pcktool extract FILE.PCK INDEX OUT\n"
               "       pcktool build OUT.PCK FILE[:LABEL]...   (.qvx images, .wav sounds;\n"
               "                                               LABEL #N for a number)\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 2 && words[0] == "list") return ListPack(words[1]);
    if (words.size() == 4 && words[0] == "extract")
        return ExtractEntry(words[1], words[2], words[3]);
    if (words.size() >= 2 && words[0] == "build")
        return BuildPack(words[1], {words.begin() + 2, words.end()});
    return Usage();
}
