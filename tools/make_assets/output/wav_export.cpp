#include "tools/make_assets/output/wav_export.h"

#include <fstream>

#include "support/little_endian.h"

namespace audio {
namespace {

constexpr WORD WAVE_FORMAT_PCM = 1;
constexpr DWORD HEADER_SIZE = 44;

} // namespace

bool WriteWav(const PcmSound& sound, const std::string& path)
{
    const auto dataSize = static_cast<DWORD>(sound.samples.size());
    const WORD blockAlign = static_cast<WORD>(sound.channels * sound.bitsPerSample / 8);
    BYTE header[HEADER_SIZE] = {};
    WriteLe32(header, FourCC("RIFF"));
    WriteLe32(header + 4, HEADER_SIZE - 8 + dataSize);
    WriteLe32(header + 8, FourCC("WAVE"));
    WriteLe32(header + 12, FourCC("fmt "));
    WriteLe32(header + 16, 16);
    WriteLe16(header + 20, WAVE_FORMAT_PCM);
    WriteLe16(header + 22, sound.channels);
    WriteLe32(header + 24, sound.sampleRate);
    WriteLe32(header + 28, sound.sampleRate * blockAlign);
    WriteLe16(header + 32, blockAlign);
    WriteLe16(header + 34, sound.bitsPerSample);
    WriteLe32(header + 36, FourCC("data"));
    WriteLe32(header + 40, dataSize);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(header), HEADER_SIZE);
    file.write(reinterpret_cast<const char*>(sound.samples.data()), dataSize);
    return static_cast<bool>(file);
}

} // namespace audio
