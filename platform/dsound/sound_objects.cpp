// The buffer operations: the primary buffer sets the output format, secondary buffers are
// voices of the mix.

#include "platform/dsound/sound_objects.h"

#include "platform/dsound/output.h"
#include "platform/dsound/voices.h"
#include "platform/fault.h"

using namespace platform::dsound;
using platform::InjectedFailure;

namespace {

SoundBuffer* Self(IDirectSoundBuffer* object) { return static_cast<SoundBuffer*>(object); }

// Both are playable PCM, whose other fields follow from these.
bool SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b)
{
    return a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec
           && a.wBitsPerSample == b.wBitsPerSample;
}

} // namespace

HRESULT IDirectSoundBuffer::SetFormat(const WAVEFORMATEX* format)
{
    if (format == nullptr) return DSERR_INVALIDPARAM;
    if (!Self(this)->primary) return DSERR_INVALIDCALL;
    if (CurrentDevice()->cooperativeLevel < DSSCL_PRIORITY) return DSERR_PRIOLEVELNEEDED;
    if (!IsPlayablePcm(*format)) return DSERR_BADFORMAT;
    if (const HRESULT fault = InjectedFailure("SoundSetFormat"); fault != S_OK) return fault;
    // A format the output already has keeps it going: opened again, a WAV file would start over,
    // and in a browser a callback the closed device had already queued would run on it, freed.
    if (SameFormat(*format, MixFormat())) return DS_OK;
    StopOutput();
    SetMixFormat(*format);
    StartOutput();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, LPDWORD audioBytes1,
                                 LPVOID* audioPtr2, LPDWORD audioBytes2, DWORD)
{
    SoundBuffer* self = Self(this);
    if (audioPtr1 == nullptr || audioBytes1 == nullptr) return DSERR_INVALIDPARAM;
    if (self->primary) return DSERR_INVALIDCALL;
    if (offset >= self->store->size || bytes > self->store->size - offset)
        return DSERR_INVALIDPARAM;
    if (const HRESULT fault = InjectedFailure("SoundLock"); fault != S_OK) return fault;
    *audioPtr1 = self->store->bytes.get() + offset;
    *audioBytes1 = bytes;
    if (audioPtr2 != nullptr) *audioPtr2 = nullptr;
    if (audioBytes2 != nullptr) *audioBytes2 = 0;
    self->lockedAt = *audioPtr1;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(LPVOID audioPtr1, DWORD, LPVOID, DWORD)
{
    SoundBuffer* self = Self(this);
    if (audioPtr1 == nullptr || audioPtr1 != self->lockedAt) return DSERR_INVALIDPARAM;
    if (const HRESULT fault = InjectedFailure("SoundUnlock"); fault != S_OK) return fault;
    self->lockedAt = nullptr;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD flags)
{
    if ((flags & DSBPLAY_LOOPING) != 0) return DSERR_UNSUPPORTED;
    if (const HRESULT fault = InjectedFailure("SoundPlay"); fault != S_OK) return fault;
    // The primary buffer mixes whenever the device exists.
    if (!Self(this)->primary) PlayVoice(Self(this)->voice);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop()
{
    if (const HRESULT fault = InjectedFailure("SoundStop"); fault != S_OK) return fault;
    if (!Self(this)->primary) StopVoice(Self(this)->voice);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(LONG pan)
{
    SoundBuffer* self = Self(this);
    if ((self->flags & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
    if (const HRESULT fault = InjectedFailure("SoundSetPan"); fault != S_OK) return fault;
    self->pan = pan;
    if (!self->primary) SetVoiceGains(self->voice, PanToGains(pan));
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(LPDWORD status)
{
    if (status == nullptr) return DSERR_INVALIDPARAM;
    const SoundBuffer* self = Self(this);
    *status = !self->primary && VoicePlaying(self->voice) ? DSBSTATUS_PLAYING : 0;
    return DS_OK;
}

DWORD IDirectSoundBuffer::Release()
{
    DestroyBuffer(Self(this));
    return 0;
}
