#include <cstdio>

#include "tools/pcktool/commands.h"
#include "tools/pcktool/pack_contents.h"

int ListPack(const std::string& packName)
{
    const OpenedPack pack = OpenPackForTool(packName);
    if (pack == nullptr) return 1;
    for (DWORD i = 0; i < pack->header.entryCount; ++i) {
        const PackLabel label = GetPackEntryLabel(pack.get(), i);
        const std::string text =
            label.isNumber ? "#" + std::to_string(label.number) : std::string(label.text);
        std::printf("%u %s %u %s\n", i, TagText(GetPackEntryType(pack.get(), i)).c_str(),
                    pack->directory[i].dataOffset, text.c_str());
    }
    return 0;
}
