#include "tools/pcktool/wav_reader.h"

#include "support/little_endian.h"

std::optional<pack_writer::PcmSound> ReadWavSound(const std::vector<BYTE>& file, std::string& error)
{
    if (file.size() < 12 || ReadLe32(file.data()) != FourCC("RIFF")
        || ReadLe32(file.data() + 8) != FourCC("WAVE")) {
        error = "not a WAV file";
        return std::nullopt;
    }
    pack_writer::PcmSound sound;
    bool haveFormat = false;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const DWORD tag = ReadLe32(file.data() + at);
        const std::size_t size =
            std::min<std::size_t>(ReadLe32(file.data() + at + 4), file.size() - at - 8);
        const BYTE* body = file.data() + at + 8;
        if (tag == FourCC("fmt ") && size >= 16) {
            if (ReadLe16(body) != 1) {
                error = "not PCM";
                return std::nullopt;
            }
            sound.channels = ReadLe16(body + 2);
            sound.sampleRate = ReadLe32(body + 4);
            sound.bitsPerSample = ReadLe16(body + 14);
            haveFormat = true;
        } else if (tag == FourCC("data")) {
            sound.samples.assign(body, body + size);
            haveData = true;
        }
        at += 8 + size + (size & 1); // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData) error = "no format or no data chunk";
    if (!haveFormat || !haveData) return std::nullopt;
    return sound;
}
