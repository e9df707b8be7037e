#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>

#include "support/little_endian.h"
#include "tools/pack_writer/pack_writer.h"
#include "tools/pcktool/pack_contents.h"
#include "tools/pcktool/pck_commands.h"

namespace {

constexpr std::size_t IMAGE_FILE_HEADER_BYTES = 8;
constexpr std::size_t SOUND_HEADER_BYTES = 12;

// A standalone image file, a sound's header and samples, or the bytes as they are.
std::vector<BYTE> EntryFile(DWORD tag, std::vector<BYTE> bytes)
{
    if (tag == pack_writer::IMAGE_ENTRY_TAG) {
        bytes.resize(pack_writer::ChunkStreamLength(bytes));
        const BYTE fileHeader[IMAGE_FILE_HEADER_BYTES] = {'Q', 'V', 'x', '3', 0, 0, 0, 0};
        bytes.insert(bytes.begin(), fileHeader, fileHeader + IMAGE_FILE_HEADER_BYTES);
    } else if (tag == pack_writer::SOUND_ENTRY_TAG && bytes.size() >= SOUND_HEADER_BYTES) {
        const std::size_t length = ReadLe32(bytes.data() + 4);
        bytes.resize(std::min(bytes.size(), SOUND_HEADER_BYTES + length));
    }
    return bytes;
}

} // namespace

int ExtractEntry(const std::string& packName, const std::string& index, const std::string& out)
{
    const OpenedPack pack = OpenPackForTool(packName);
    if (pack == nullptr) return 1;
    DWORD entry = 0;
    const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), entry);
    if (error != std::errc {} || end != index.data() + index.size()
        || entry >= pack->header.entryCount) {
        std::fprintf(stderr, "pcktool: %s has no entry %s (it has %u)\n", packName.c_str(),
                     index.c_str(), pack->header.entryCount);
        return 1;
    }
    const std::vector<BYTE> bytes =
        EntryFile(GetPackEntryType(pack.get(), entry), EntryBytes(pack.get(), entry));
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "pcktool: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
