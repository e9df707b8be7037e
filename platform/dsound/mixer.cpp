// Voices are summed in 32 bits per block and clipped once, so loud voices add up before they
// saturate rather than clipping one another.

#include "platform/dsound/mixer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

namespace platform::dsound {

namespace {

constexpr DWORD blockFrames = 256;
constexpr int gainBits = 16;

// A source sample widened to 16-bit range: 8-bit samples are unsigned around 128.
template <int Bits> int SampleAt(const BYTE* bytes, std::size_t index)
{
    if constexpr (Bits == 8) {
        return (static_cast<int>(bytes[index]) - 128) * 256;
    } else {
        const BYTE* p = bytes + 2 * index;
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    }
}

int Interpolate(int a, int b, std::uint64_t position)
{
    const auto fraction = static_cast<int>((position >> (FRACTION_BITS - 15)) & 0x7FFF);
    return a + (((b - a) * fraction) >> 15);
}

int GainFactor(float gain) { return static_cast<int>(std::lround(gain * (1 << gainBits))); }

// Adds up to frames frames of one voice into the accumulator, stopping at its end.
template <int Bits, int Channels>
void AddVoice(VoiceMix& voice, std::int32_t* sum, DWORD frames, int outputChannels)
{
    const std::uint64_t end = std::uint64_t {voice.frames} << FRACTION_BITS;
    const DWORD last = voice.frames - 1;
    const int left = GainFactor(voice.gainLeft);
    const int right = GainFactor(voice.gainRight);
    const int both = (left + right) / 2;
    DWORD done = 0;
    for (; done < frames && voice.position < end; ++done) {
        const auto index = static_cast<DWORD>(voice.position >> FRACTION_BITS);
        const DWORD next = std::min(index + 1, last);
        int l = Interpolate(SampleAt<Bits>(voice.samples, std::size_t {index} * Channels),
                            SampleAt<Bits>(voice.samples, std::size_t {next} * Channels),
                            voice.position);
        int r = l;
        if constexpr (Channels == 2) {
            r = Interpolate(SampleAt<Bits>(voice.samples, std::size_t {index} * 2 + 1),
                            SampleAt<Bits>(voice.samples, std::size_t {next} * 2 + 1),
                            voice.position);
        }
        if (outputChannels == 2) {
            sum[2 * done] += (l * left) >> gainBits;
            sum[2 * done + 1] += (r * right) >> gainBits;
        } else {
            sum[done] += (((l + r) / 2) * both) >> gainBits;
        }
        voice.position += voice.step;
    }
}

using AddFunction = void (*)(VoiceMix&, std::int32_t*, DWORD, int);

AddFunction AdderFor(const VoiceMix& voice)
{
    const bool wide = voice.bitsPerSample == 16;
    if (voice.channels == 2) return wide ? AddVoice<16, 2> : AddVoice<8, 2>;
    return wide ? AddVoice<16, 1> : AddVoice<8, 1>;
}

} // namespace

std::uint64_t StepForRates(DWORD sourceRate, DWORD outputRate)
{
    if (outputRate == 0) return 0;
    return (std::uint64_t {sourceRate} << FRACTION_BITS) / outputRate;
}

float AttenuationToGain(LONG hundredthsOfDb)
{
    if (hundredthsOfDb >= 10000) return 0.0f;
    if (hundredthsOfDb <= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, -hundredthsOfDb / 2000.0));
}

PanGains PanToGains(LONG pan)
{
    if (pan < 0) return {1.0f, AttenuationToGain(-pan)};
    return {AttenuationToGain(pan), 1.0f};
}

int MasterGainForVolume(int percent) { return std::clamp(percent, 0, 100) * FULL_GAIN / 100; }

void MixVoices(std::span<VoiceMix> voices, std::int16_t* output, DWORD frames, int outputChannels,
               int masterGain)
{
    // The sum holds a block of frames of at most two channels.
    assert(outputChannels == 1 || outputChannels == 2);
    std::int32_t sum[blockFrames * 2];
    while (frames > 0) {
        const DWORD count = std::min(frames, blockFrames);
        const std::size_t values = std::size_t {count} * outputChannels;
        std::memset(sum, 0, values * sizeof sum[0]);
        for (VoiceMix& voice : voices) {
            if (!voice.playing || voice.frames == 0 || voice.samples == nullptr) continue;
            AdderFor(voice)(voice, sum, count, outputChannels);
            if (voice.position >= (std::uint64_t {voice.frames} << FRACTION_BITS))
                voice.playing = false;
        }
        for (std::size_t i = 0; i < values; ++i) {
            const auto level = static_cast<std::int32_t>(
                (static_cast<std::int64_t>(sum[i]) * masterGain) >> gainBits);
            output[i] = static_cast<std::int16_t>(std::clamp(level, -32768, 32767));
        }
        output += values;
        frames -= count;
    }
}

} // namespace platform::dsound
