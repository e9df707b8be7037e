#include "platform/dsound/wav_file.h"

#include <fcntl.h>

#include <array>
#include <cassert>

namespace platform::dsound {

namespace {

constexpr DWORD headerBytes = 44;

void Put16(BYTE*& at, WORD value)
{
    *at++ = static_cast<BYTE>(value);
    *at++ = static_cast<BYTE>(value >> 8);
}

void Put32(BYTE*& at, DWORD value)
{
    for (int i = 0; i < 4; ++i) *at++ = static_cast<BYTE>(value >> (8 * i));
}

void PutTag(BYTE*& at, const char* tag)
{
    for (int i = 0; i < 4; ++i) *at++ = static_cast<BYTE>(tag[i]);
}

} // namespace

bool WavFile::Open(const char* path, const WAVEFORMATEX& waveFormat)
{
    Close();
    int error = 0;
    file = OwnedFile::Open(path, O_WRONLY | O_CREAT, FileLock::Alone, error);
    if (!file || !file->Empty()) {
        file.reset();
        return false;
    }
    format = waveFormat;
    dataBytes = 0;
    WriteHeader();
    return true;
}

void WavFile::Write(const BYTE* bytes, std::size_t count)
{
    if (!file) return;
    std::size_t written = 0;
    file->Write({bytes, count}, written);
    dataBytes += static_cast<DWORD>(written);
}

void WavFile::Close()
{
    if (!file) return;
    // The sizes are known only now: rewrite the header in place.
    file->Seek(0, SEEK_SET);
    WriteHeader();
    file.reset();
}

void WavFile::WriteHeader()
{
    std::array<BYTE, headerBytes> header {};
    BYTE* at = header.data();
    PutTag(at, "RIFF");
    Put32(at, headerBytes - 8 + dataBytes);
    PutTag(at, "WAVE");
    PutTag(at, "fmt ");
    Put32(at, 16);
    Put16(at, WAVE_FORMAT_PCM);
    Put16(at, format.nChannels);
    Put32(at, format.nSamplesPerSec);
    Put32(at, format.nAvgBytesPerSec);
    Put16(at, format.nBlockAlign);
    Put16(at, format.wBitsPerSample);
    PutTag(at, "data");
    Put32(at, dataBytes);
    assert(at == header.data() + header.size());
    std::size_t written = 0;
    file->Write(header, written);
}

} // namespace platform::dsound
