#include "sound/sound_format.h"

void MakePcmFormat(WAVEFORMATEX* format, DWORD rate, bool stereo, bool sixteenBit)
{
    *format = WAVEFORMATEX {};
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = stereo ? 2 : 1;
    format->wBitsPerSample = sixteenBit ? 16 : 8;
    format->nBlockAlign = static_cast<WORD>((sixteenBit ? 2 : 1) * format->nChannels);
    format->nSamplesPerSec = rate;
    format->nAvgBytesPerSec = format->nBlockAlign * rate;
}

void MakeFormatFromHeader(WAVEFORMATEX* format, const SoundHeader& header)
{
    MakePcmFormat(format, header.sampleRate, (header.flags & SOUNDHDR_STEREO) != 0,
                  (header.flags & SOUNDHDR_16BIT) != 0);
}
