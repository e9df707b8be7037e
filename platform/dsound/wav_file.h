#pragma once
// A PCM WAV file written as the mix runs; its sizes are filled in when it is closed.

#include <cstddef>
#include <optional>

#include "platform/dsound.h"
#include "platform/port/owned_file.h"

namespace platform::dsound {

class WavFile {
public:
    WavFile() = default;
    ~WavFile() { Close(); }
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;

    bool Open(const char* path, const WAVEFORMATEX& format);
    void Write(const BYTE* bytes, std::size_t count);
    void Close();

private:
    void WriteHeader();

    std::optional<OwnedFile> file;
    WAVEFORMATEX format {};
    DWORD dataBytes = 0;
};

} // namespace platform::dsound
