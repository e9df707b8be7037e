#include "sound/sound_device.h"

#include "support/debug_log.h"
#include "support/error_report.h"

LPDIRECTSOUND soundDevice = nullptr;
LPDIRECTSOUNDBUFFER primaryBuffer = nullptr;

namespace {

constexpr DWORD FALLBACK_BUFFER_BYTES = 65536;

// A device that could not be set up is released at once: with sound off nothing else would.
bool GiveUpDevice()
{
    ReleaseSound();
    return false;
}

} // namespace

bool InitSound(HWND window, const WAVEFORMATEX* format)
{
    soundDevice = nullptr;
    primaryBuffer = nullptr;
    if (!ReportResult("DirectSoundCreate", DirectSoundCreate(nullptr, &soundDevice, nullptr)))
        return false;
    DSCAPS caps {};
    caps.dwSize = DSCAPS_SIZE;
    if (!ReportResult("GetCaps", soundDevice->GetCaps(&caps))) return GiveUpDevice();
    if ((caps.dwFlags & DSCAPS_EMULDRIVER) != 0) {
        DebugLine("NO DIRECTSOUND DRIVER INSTALLED");
        return GiveUpDevice();
    }
    if (!ReportResult("IDirectSound_SetCooperativeLevel",
                      soundDevice->SetCooperativeLevel(window, DSSCL_PRIORITY)))
        return GiveUpDevice();
    DSBUFFERDESC description {};
    description.dwSize = DSBUFFERDESC_SIZE;
    description.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (soundDevice->CreateSoundBuffer(&description, &primaryBuffer, nullptr) != DS_OK) {
        primaryBuffer = CreateFallbackBuffer(format);
        return primaryBuffer != nullptr || GiveUpDevice();
    }
    LogFileWrite("Primary sound buffer format: ");
    const bool formatSet = format != nullptr && primaryBuffer->SetFormat(format) == DS_OK;
    LogFileLine(formatSet ? "yes" : "no");
    return true;
}

void ReleaseSound()
{
    if (soundDevice == nullptr) return;
    soundDevice->Release();
    soundDevice = nullptr;
    primaryBuffer = nullptr;
}

LPDIRECTSOUNDBUFFER CreateFallbackBuffer(const WAVEFORMATEX* format)
{
    DSBUFFERDESC description {};
    description.dwSize = DSBUFFERDESC_SIZE;
    description.dwFlags = DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLFREQUENCY;
    description.dwBufferBytes = FALLBACK_BUFFER_BYTES;
    description.lpwfxFormat = const_cast<WAVEFORMATEX*>(format);
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    if (!ReportResult("(Secondary) CreateSoundBuffer",
                      soundDevice->CreateSoundBuffer(&description, &buffer, nullptr)))
        return nullptr;
    return buffer;
}
