// The device: one at a time, owning every buffer made on it.

#include <algorithm>
#include <new>

#include "platform/dsound/output.h"
#include "platform/dsound/sound_objects.h"
#include "platform/dsound/voices.h"
#include "platform/fault.h"

namespace platform::dsound {

namespace {

bool emulatedDriver = false;

std::unique_ptr<SoundDevice> device;

constexpr WAVEFORMATEX defaultOutput {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};

SoundDevice* Self(IDirectSound* object) { return static_cast<SoundDevice*>(object); }

HRESULT CheckDescription(const DSBUFFERDESC& description)
{
    if (description.dwSize != DSBUFFERDESC_SIZE) return DSERR_INVALIDPARAM;
    if ((description.dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
        if (description.dwBufferBytes != 0 || description.lpwfxFormat != nullptr)
            return DSERR_INVALIDPARAM;
        return InjectedFailure("SoundCreatePrimaryBuffer");
    }
    if (description.lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
    if (!IsPlayablePcm(*description.lpwfxFormat)) return DSERR_BADFORMAT;
    // A buffer holds whole frames.
    if (description.dwBufferBytes < DSBSIZE_MIN || description.dwBufferBytes > DSBSIZE_MAX
        || description.dwBufferBytes % description.lpwfxFormat->nBlockAlign != 0)
        return DSERR_INVALIDPARAM;
    return InjectedFailure("SoundCreateSecondaryBuffer");
}

// A secondary buffer filled with silence, with a voice of its own.
std::unique_ptr<SoundBuffer> MakeSecondary(const DSBUFFERDESC& description)
{
    auto store = std::make_shared<SampleStore>();
    store->size = description.dwBufferBytes;
    store->format = *description.lpwfxFormat;
    store->bytes.reset(new (std::nothrow) BYTE[store->size]);
    if (store->bytes == nullptr) return nullptr;
    std::fill_n(store->bytes.get(), store->size, store->format.wBitsPerSample == 8 ? 0x80 : 0);
    auto buffer = std::make_unique<SoundBuffer>();
    buffer->flags = description.dwFlags;
    buffer->store = std::move(store);
    return buffer;
}

// Gives the buffer a voice on its samples and hands it to the device.
HRESULT Adopt(SoundDevice* self, std::unique_ptr<SoundBuffer> buffer, LPDIRECTSOUNDBUFFER* out)
{
    if (!buffer->primary) {
        const SampleStore& store = *buffer->store;
        buffer->voice =
            AcquireVoice(store.bytes.get(), store.size / store.format.nBlockAlign, store.format);
        if (buffer->voice < 0) return DSERR_OUTOFMEMORY;
    }
    *out = buffer.get();
    self->buffers.push_back(std::move(buffer));
    return DS_OK;
}

} // namespace

SoundDevice* CurrentDevice() { return device.get(); }

void DestroyBuffer(SoundBuffer* buffer)
{
    if (buffer->voice >= 0) ReleaseVoice(buffer->voice);
    std::erase_if(device->buffers, [buffer](const auto& owned) { return owned.get() == buffer; });
}

bool IsPlayablePcm(const WAVEFORMATEX& format)
{
    const bool shape = format.wFormatTag == WAVE_FORMAT_PCM
                       && (format.nChannels == 1 || format.nChannels == 2)
                       && (format.wBitsPerSample == 8 || format.wBitsPerSample == 16);
    return shape && format.nSamplesPerSec >= DSBFREQUENCY_MIN
           && format.nSamplesPerSec <= DSBFREQUENCY_MAX
           && format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8
           && format.nAvgBytesPerSec == format.nSamplesPerSec * format.nBlockAlign;
}

} // namespace platform::dsound

void platform::SetEmulatedSoundDriver(bool emulated) { dsound::emulatedDriver = emulated; }

using namespace platform::dsound;
using platform::InjectedFailure;

HRESULT DirectSoundCreate(const GUID*, LPDIRECTSOUND* directSound, IUnknown* outer)
{
    if (directSound == nullptr) return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    if (const HRESULT fault = InjectedFailure("SoundCreate"); fault != S_OK) return fault;
    if (device != nullptr) return DSERR_ALLOCATED;
    device = std::make_unique<SoundDevice>();
    SetMixFormat(defaultOutput);
    StartOutput();
    *directSound = device.get();
    return DS_OK;
}

HRESULT IDirectSound::GetCaps(DSCAPS* caps)
{
    if (caps == nullptr || caps->dwSize != DSCAPS_SIZE) return DSERR_INVALIDPARAM;
    if (const HRESULT fault = InjectedFailure("SoundGetCaps"); fault != S_OK) return fault;
    *caps = DSCAPS {};
    caps->dwSize = DSCAPS_SIZE;
    caps->dwFlags = DSCAPS_PRIMARYMONO | DSCAPS_PRIMARYSTEREO | DSCAPS_PRIMARY8BIT
                    | DSCAPS_PRIMARY16BIT | DSCAPS_SECONDARYMONO | DSCAPS_SECONDARYSTEREO
                    | DSCAPS_SECONDARY8BIT | DSCAPS_SECONDARY16BIT;
    if (emulatedDriver) caps->dwFlags |= DSCAPS_EMULDRIVER;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    caps->dwPrimaryBuffers = 1;
    return DS_OK;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND, DWORD level)
{
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    if (const HRESULT fault = InjectedFailure("SoundSetCooperativeLevel"); fault != S_OK)
        return fault;
    Self(this)->cooperativeLevel = level;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* description,
                                        LPDIRECTSOUNDBUFFER* buffer, IUnknown* outer)
{
    if (description == nullptr || buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    if (Self(this)->cooperativeLevel == 0) return DSERR_PRIOLEVELNEEDED;
    if (const HRESULT refused = CheckDescription(*description); refused != S_OK) return refused;
    std::unique_ptr<SoundBuffer> made;
    if ((description->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
        made = std::make_unique<SoundBuffer>();
        made->primary = true;
        made->flags = description->dwFlags;
    } else {
        made = MakeSecondary(*description);
        if (made == nullptr) return DSERR_OUTOFMEMORY;
    }
    return Adopt(Self(this), std::move(made), buffer);
}

HRESULT IDirectSound::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                           LPDIRECTSOUNDBUFFER* duplicate)
{
    if (original == nullptr || duplicate == nullptr) return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    const auto* source = static_cast<SoundBuffer*>(original);
    if (source->primary) return DSERR_INVALIDCALL;
    if (const HRESULT fault = InjectedFailure("SoundDuplicateSoundBuffer"); fault != S_OK)
        return fault;
    auto copy = std::make_unique<SoundBuffer>();
    copy->flags = source->flags;
    copy->store = source->store;
    copy->pan = source->pan;
    const HRESULT result = Adopt(Self(this), std::move(copy), duplicate);
    if (result == DS_OK)
        SetVoiceGains(static_cast<SoundBuffer*>(*duplicate)->voice, PanToGains(source->pan));
    return result;
}

DWORD IDirectSound::Release()
{
    StopOutput();
    while (!device->buffers.empty()) DestroyBuffer(device->buffers.back().get());
    device.reset();
    return 0;
}
