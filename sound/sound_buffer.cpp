#include "sound/sound_buffer.h"

#include <cstdint>

#include "platform/kernel.h"
#include "sound/sound_device.h"
#include "support/debug_log.h"
#include "support/error_report.h"
#include "support/file_access.h"
#include "support/memory.h"

namespace {

// A damaged entry must not reach the device: a header only partly read, a length the program
// would never hold or more samples than the file has left are refused before any buffer exists.
bool ReadSoundHeader(HANDLE file, SoundHeader* header)
{
    DWORD read = 0;
    if (!ReadFile(file, header, sizeof(SoundHeader), &read, nullptr)
        || read != sizeof(SoundHeader)) {
        DebugLine("Intestazione del suono incompleta");
        return false;
    }
    if (header->length == 0 || header->length >= MEM_ALLOC_LIMIT) {
        DebugPrintf("Lunghezza del suono non valida: %u\r\n", header->length);
        return false;
    }
    if (const DWORD left = BytesLeftInFile(file); left < header->length) {
        DebugPrintf("Campioni del suono incompleti: %u di %u byte\r\n", left, header->length);
        return false;
    }
    return true;
}

} // namespace

LPDIRECTSOUNDBUFFER CreateSampleBuffer(const SoundHeader& header, DWORD bufferFlags)
{
    WAVEFORMATEX format;
    MakeFormatFromHeader(&format, header);
    DSBUFFERDESC description {};
    description.dwSize = DSBUFFERDESC_SIZE;
    description.dwFlags = bufferFlags;
    description.dwBufferBytes = header.length;
    description.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    const HRESULT result = soundDevice->CreateSoundBuffer(&description, &buffer, nullptr);
    ReportResult("IDirectSound::CreateSoundBuffer", result);
    return result == DS_OK ? buffer : nullptr;
}

LPDIRECTSOUNDBUFFER LoadSound(HANDLE file, DWORD bufferFlags)
{
    SoundHeader header;
    if (!ReadSoundHeader(file, &header)) return nullptr;
    LPDIRECTSOUNDBUFFER buffer = CreateSampleBuffer(header, bufferFlags);
    if (buffer == nullptr) {
        DebugLine("Impossibile Create il Buffer Secondario");
        return nullptr;
    }
    LPVOID samples = nullptr;
    DWORD lockedBytes = 0;
    if (buffer->Lock(0, header.length, &samples, &lockedBytes, nullptr, nullptr, 0) != DS_OK) {
        buffer->Release();
        DebugLine("Impossibile Agganciare il Buffer Secondario");
        return nullptr;
    }
    // The log shows the address's low 32 bits, as wide as the formatter's %x.
    LogFilePrintf("SoundBuffer: Locked %u bytes from %x\n", lockedBytes,
                  static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(samples)));
    DWORD read = 0;
    const bool complete =
        ReadFile(file, samples, header.length, &read, nullptr) != FALSE && read == header.length;
    buffer->Unlock(samples, lockedBytes, nullptr, 0);
    if (!complete) {
        buffer->Release();
        DebugPrintf("Campioni del suono incompleti: %u di %u byte\r\n", read, header.length);
        return nullptr;
    }
    return buffer;
}
