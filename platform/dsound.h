#pragma once
// The platform's sound device: a device object, a primary buffer that carries the output format,
// and static secondary buffers mixed in software into that format.

#include "platform/windef.h"
#include "platform/winerror.h"

struct IUnknown;

inline constexpr WORD WAVE_FORMAT_PCM = 1;

// A PCM wave format.
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

// The description of a buffer to create. dwSize carries the record's size on the original
// 32-bit platform, DSBUFFERDESC_SIZE, whatever this platform's pointers make of it.
inline constexpr DWORD DSBUFFERDESC_SIZE = 36;
struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    WAVEFORMATEX* lpwfxFormat;
    BYTE guid3DAlgorithm[16];
};

// The device's capabilities; dwSize must be DSCAPS_SIZE.
inline constexpr DWORD DSCAPS_SIZE = 96;
struct DSCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMinSecondarySampleRate;
    DWORD dwMaxSecondarySampleRate;
    DWORD dwPrimaryBuffers;
    DWORD dwMaxHwMixingAllBuffers;
    DWORD dwMaxHwMixingStaticBuffers;
    DWORD dwMaxHwMixingStreamingBuffers;
    DWORD dwFreeHwMixingAllBuffers;
    DWORD dwFreeHwMixingStaticBuffers;
    DWORD dwFreeHwMixingStreamingBuffers;
    DWORD dwMaxHw3DAllBuffers;
    DWORD dwMaxHw3DStaticBuffers;
    DWORD dwMaxHw3DStreamingBuffers;
    DWORD dwFreeHw3DAllBuffers;
    DWORD dwFreeHw3DStaticBuffers;
    DWORD dwFreeHw3DStreamingBuffers;
    DWORD dwTotalHwMemBytes;
    DWORD dwFreeHwMemBytes;
    DWORD dwMaxContigFreeHwMemBytes;
    DWORD dwUnlockTransferRateHwBuffers;
    DWORD dwPlayCpuOverheadSwBuffers;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
static_assert(sizeof(DSCAPS) == DSCAPS_SIZE);

inline constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x1;
inline constexpr DWORD DSBCAPS_STATIC = 0x2;
inline constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x8;
inline constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
inline constexpr DWORD DSBCAPS_CTRLPAN = 0x40;
inline constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;

inline constexpr DWORD DSCAPS_PRIMARYMONO = 0x1;
inline constexpr DWORD DSCAPS_PRIMARYSTEREO = 0x2;
inline constexpr DWORD DSCAPS_PRIMARY8BIT = 0x4;
inline constexpr DWORD DSCAPS_PRIMARY16BIT = 0x8;
inline constexpr DWORD DSCAPS_EMULDRIVER = 0x20;
inline constexpr DWORD DSCAPS_SECONDARYMONO = 0x100;
inline constexpr DWORD DSCAPS_SECONDARYSTEREO = 0x200;
inline constexpr DWORD DSCAPS_SECONDARY8BIT = 0x400;
inline constexpr DWORD DSCAPS_SECONDARY16BIT = 0x800;

inline constexpr DWORD DSSCL_NORMAL = 1;
inline constexpr DWORD DSSCL_PRIORITY = 2;
inline constexpr DWORD DSSCL_EXCLUSIVE = 3;
inline constexpr DWORD DSSCL_WRITEPRIMARY = 4;

inline constexpr DWORD DSBPLAY_LOOPING = 0x1;
inline constexpr DWORD DSBSTATUS_PLAYING = 0x1;
inline constexpr DWORD DSBSTATUS_LOOPING = 0x4;

inline constexpr LONG DSBPAN_LEFT = -10000;
inline constexpr LONG DSBPAN_CENTER = 0;
inline constexpr LONG DSBPAN_RIGHT = 10000;

inline constexpr DWORD DSBSIZE_MIN = 4;
inline constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;
inline constexpr DWORD DSBFREQUENCY_MIN = 100;
inline constexpr DWORD DSBFREQUENCY_MAX = 100000;

constexpr HRESULT MAKE_DSHRESULT(DWORD code) { return MAKE_HRESULT(1, 0x878, code); }

inline constexpr HRESULT DS_OK = S_OK;
inline constexpr HRESULT DSERR_ALLOCATED = MAKE_DSHRESULT(10);
inline constexpr HRESULT DSERR_CONTROLUNAVAIL = MAKE_DSHRESULT(30);
inline constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DSERR_INVALIDCALL = MAKE_DSHRESULT(50);
inline constexpr HRESULT DSERR_GENERIC = E_FAIL;
inline constexpr HRESULT DSERR_PRIOLEVELNEEDED = MAKE_DSHRESULT(70);
inline constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DSERR_BADFORMAT = MAKE_DSHRESULT(100);
inline constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DSERR_NODRIVER = MAKE_DSHRESULT(120);
inline constexpr HRESULT DSERR_ALREADYINITIALIZED = MAKE_DSHRESULT(130);
inline constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110);
inline constexpr HRESULT DSERR_BUFFERLOST = MAKE_DSHRESULT(150);
inline constexpr HRESULT DSERR_OTHERAPPHASPRIO = MAKE_DSHRESULT(160);
inline constexpr HRESULT DSERR_UNINITIALIZED = MAKE_DSHRESULT(170);

// A buffer: the primary one carries the output format; a secondary one holds PCM samples in
// its own format and plays them as a voice of the mix.
struct IDirectSoundBuffer {
    HRESULT SetFormat(const WAVEFORMATEX* format);
    // Gives the memory of bytes bytes from offset; a lock never wraps, so the second region is
    // always empty.
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, LPDWORD audioBytes1,
                 LPVOID* audioPtr2, LPDWORD audioBytes2, DWORD flags);
    HRESULT Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2, DWORD audioBytes2);
    // Plays once from the current position to the end; a buffer that ended starts again from
    // its beginning. Looping play is not offered.
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    // Stops and keeps the position.
    HRESULT Stop();
    // Hundredths of a decibel of attenuation of the other side: negative pans turn the right
    // channel down, positive ones the left.
    HRESULT SetPan(LONG pan);
    HRESULT GetStatus(LPDWORD status);
    DWORD Release();

protected:
    IDirectSoundBuffer() = default;
    ~IDirectSoundBuffer() = default;
};
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;

struct IDirectSound {
    HRESULT GetCaps(DSCAPS* caps);
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, LPDIRECTSOUNDBUFFER* buffer,
                              IUnknown* outer);
    // An independent voice (own position, pan and play state) on the original's samples.
    HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate);
    DWORD Release();

protected:
    IDirectSound() = default;
    ~IDirectSound() = default;
};
using LPDIRECTSOUND = IDirectSound*;

struct GUID;
// One device at a time; a second create answers DSERR_ALLOCATED while the first lives.
HRESULT DirectSoundCreate(const GUID* device, LPDIRECTSOUND* directSound, IUnknown* outer);

namespace platform {

// Where the mix goes. Device: an SDL audio device opened with the primary format, mixed in its
// callback; when no device opens the mix falls back to None. None and WavFile are driven by
// the program's clock through AdvanceSound.
enum class SoundOutput { Device, None, WavFile };
// Takes effect at the next DirectSoundCreate. wavPath is used for WavFile only.
void SetSoundOutput(SoundOutput output, const char* wavPath = nullptr);
// The output in force: Device only when a real device is open.
SoundOutput CurrentSoundOutput();
// Clock-driven outputs mix up to clock time clockMs (milliseconds, wrapping); the first call
// after the output starts only sets the start. Backends call it from their message pump with
// timeGetTime(); with a device open it does nothing.
void AdvanceSound(DWORD clockMs);

// The player's master volume, 0 (silent) to 100 (full, the default), applied to the whole mix
// after the pan, linear in amplitude.
void SetMasterVolume(int percent);

// For tests: GetCaps reports an emulated driver (DSCAPS_EMULDRIVER).
void SetEmulatedSoundDriver(bool emulated);

} // namespace platform
