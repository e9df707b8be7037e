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
