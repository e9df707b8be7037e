#include "tools/pcktool/pack_contents.h"

#include <cstdio>

#include "platform/kernel.h"

OpenedPack OpenPackForTool(const std::string& name)
{
    OpenedPack pack(OpenPack(name.c_str(), 0));
    if (pack == nullptr) std::fprintf(stderr, "pcktool: cannot open %s\n", name.c_str());
    return pack;
}

std::vector<BYTE> EntryBytes(PackArchive* pack, DWORD index)
{
    const HANDLE file = SeekPackEntry(pack, index);
    if (file == INVALID_HANDLE_VALUE) return {};
    const DWORD start = pack->directory[index].dataOffset;
    DWORD end = GetFileSize(file, nullptr);
    for (DWORD i = 0; i < pack->header.entryCount; ++i) {
        const DWORD offset = pack->directory[i].dataOffset;
        if (offset > start && offset < end) end = offset;
    }
    std::vector<BYTE> bytes(end - start);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::string TagText(DWORD tag)
{
    std::string text;
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<char>(tag >> (8 * i));
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", tag);
            return hex;
        }
        text += c;
    }
    return text;
}
