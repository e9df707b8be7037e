#include "tools/pack_writer/pack_writer.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "sound/pack_archive.h"
#include "sound/sound_format.h"

namespace pack_writer {

namespace {

void StoreLabel(const EntryLabel& label, char* out)
{
    if (label.number) {
        out[0] = static_cast<char>(PACK_LABEL_NUMBER_MARK);
        out[1] = static_cast<char>(*label.number & 0xFF);
        out[2] = static_cast<char>(*label.number >> 8);
        return;
    }
    std::memcpy(out, label.text.data(), label.text.size());
}

} // namespace

std::size_t ChunkStreamLength(std::span<const BYTE> bytes)
{
    std::size_t at = 0;
    while (at + CHUNK_HEADER_SIZE <= bytes.size()) {
        const DWORD tag = ReadLe32(bytes.data() + at);
        const DWORD size = ReadLe32(bytes.data() + at + 4);
        at += CHUNK_HEADER_SIZE;
        if (tag == TAG_END) return at;
        at += std::min<std::size_t>(size, bytes.size() - at);
    }
    return bytes.size();
}

bool PackWriter::AddEntry(DWORD typeTag, std::span<const BYTE> data, const EntryLabel& label)
{
    if (!label.number && label.text.size() > LABEL_TEXT_LIMIT) return false;
    entries.push_back({typeTag, label, {data.begin(), data.end()}});
    return true;
}

bool PackWriter::AddImage(std::span<const BYTE> chunkStream, const EntryLabel& label)
{
    return AddEntry(IMAGE_ENTRY_TAG, chunkStream.first(ChunkStreamLength(chunkStream)), label);
}

bool PackWriter::AddSound(const PcmSound& sound, const EntryLabel& label)
{
    const bool playable = (sound.channels == 1 || sound.channels == 2)
                          && (sound.bitsPerSample == 8 || sound.bitsPerSample == 16);
    const std::size_t frameBytes = std::size_t {sound.channels} * sound.bitsPerSample / 8;
    if (!playable || sound.samples.empty() || sound.samples.size() % frameBytes != 0) return false;
    SoundHeader header {};
    header.flags = static_cast<WORD>((sound.channels == 2 ? SOUNDHDR_STEREO : 0)
                                     | (sound.bitsPerSample == 16 ? SOUNDHDR_16BIT : 0));
    header.length = static_cast<DWORD>(sound.samples.size());
    header.sampleRate = sound.sampleRate;
    std::vector<BYTE> data(sizeof header);
    std::memcpy(data.data(), &header, sizeof header);
    data.insert(data.end(), sound.samples.begin(), sound.samples.end());
    return AddEntry(SOUND_ENTRY_TAG, data, label);
}

std::vector<BYTE> PackWriter::Bytes() const
{
    PackHeader header {};
    header.entryCount = static_cast<DWORD>(entries.size());
    std::vector<PackEntry> directory(entries.size());
    auto offset = static_cast<DWORD>(sizeof header + directory.size() * sizeof(PackEntry));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        directory[i].typeTag = entries[i].typeTag;
        directory[i].dataOffset = offset;
        StoreLabel(entries[i].label, directory[i].label);
        offset += static_cast<DWORD>(entries[i].data.size());
    }
    std::vector<BYTE> bytes(sizeof header + directory.size() * sizeof(PackEntry));
    std::memcpy(bytes.data(), &header, sizeof header);
    if (!directory.empty())
        std::memcpy(bytes.data() + sizeof header, directory.data(),
                    directory.size() * sizeof(PackEntry));
    for (const Entry& entry : entries)
        bytes.insert(bytes.end(), entry.data.begin(), entry.data.end());
    return bytes;
}

bool PackWriter::Write(const std::string& path) const
{
    const std::vector<BYTE> bytes = Bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace pack_writer
