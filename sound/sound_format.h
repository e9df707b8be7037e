#pragma once
// The PCM formats of the sound device and of the sounds in a sound pack.

#include <bit>

#include "platform/dsound.h"

inline constexpr WORD SOUNDHDR_STEREO = 0x1;
inline constexpr WORD SOUNDHDR_16BIT = 0x2;

// The 12 bytes before the samples of every sound in a sound pack.
struct SoundHeader {
    WORD flags;
    WORD reserved;
    DWORD length;
    DWORD sampleRate;
};
static_assert(sizeof(SoundHeader) == 12);
static_assert(std::endian::native == std::endian::little, "sound headers are read as stored");

void MakePcmFormat(WAVEFORMATEX* format, DWORD rate, bool stereo, bool sixteenBit);
void MakeFormatFromHeader(WAVEFORMATEX* format, const SoundHeader& header);
