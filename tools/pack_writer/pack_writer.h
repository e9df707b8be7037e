#pragma once
// Builds pack archives from entries held in memory: images as their chunk streams, sounds as
// PCM samples with their format, anything else as raw bytes.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "graphics/image_format.h"
#include "platform/windef.h"
#include "support/little_endian.h"

namespace pack_writer {

inline constexpr DWORD IMAGE_ENTRY_TAG = QVX_MAGIC;
// The game finds sounds by index, never by tag; this tag lets tools tell them apart.
inline constexpr DWORD SOUND_ENTRY_TAG = FourCC("SND0");
inline constexpr std::size_t LABEL_TEXT_LIMIT = 11;

// A text of at most 11 characters, or a 16-bit number (stored after a '#').
struct EntryLabel {
    std::string text;
    std::optional<WORD> number;
};

// Samples as the game's sounds hold them: 8-bit unsigned or 16-bit signed little-endian,
// channels interleaved left first.
struct PcmSound {
    DWORD sampleRate = 0;
    WORD channels = 1;
    WORD bitsPerSample = 8;
    std::vector<BYTE> samples;
};

// How many of the bytes an image's chunk stream takes, up to and with its end chunk (all of
// them when the end chunk is missing).
std::size_t ChunkStreamLength(std::span<const BYTE> bytes);

class PackWriter {
public:
    // Each answers false, adding nothing, for a label text over 11 characters; AddSound also
    // for a format the game cannot play (not 1 or 2 channels of 8 or 16 bits, no samples, or
    // a partial frame).
    // An image's chunk stream ends with its end chunk; bytes after it are left out.
    bool AddImage(std::span<const BYTE> chunkStream, const EntryLabel& label = {});
    bool AddSound(const PcmSound& sound, const EntryLabel& label = {});
    bool AddEntry(DWORD typeTag, std::span<const BYTE> data, const EntryLabel& label = {});

    std::size_t EntryCount() const { return entries.size(); }
    // The whole pack: header, directory, then each entry's data in order.
    std::vector<BYTE> Bytes() const;
    bool Write(const std::string& path) const;

private:
    struct Entry {
        DWORD typeTag;
        EntryLabel label;
        std::vector<BYTE> data;
    };
    std::vector<Entry> entries;
};

} // namespace pack_writer
