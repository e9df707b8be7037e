#include <cstdio>

#include "tools/pcktool/pack_contents.h"
#include "tools/pcktool/pck_commands.h"
#include "tools/terminal_text/terminal_text.h"

int ListPack(const std::string& packName)
{
    const OpenedPack pack = OpenPackForTool(packName);
    if (pack == nullptr) return 1;
    for (DWORD i = 0; i < pack->header.entryCount; ++i) {
        const PackLabel label = GetPackEntryLabel(pack.get(), i);
        std::printf("%u %s %u ", i, TagText(GetPackEntryType(pack.get(), i)).c_str(),
                    pack->directory[i].dataOffset);
        if (label.isNumber) std::printf("#%u\n", label.number);
        else std::printf("%s\n", TerminalText(label.text).c_str());
    }
    return 0;
}
