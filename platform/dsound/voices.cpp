#include "platform/dsound/voices.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <cstring>
#include <mutex>
#include <thread>

namespace platform::dsound {

namespace {

struct VoiceSlot {
    bool inUse = false;
    DWORD sampleRate = 0;
    // Bumped by every play, stop and release: a mix that copied an older revision must not
    // write its position back over the program's change.
    std::uint32_t revision = 0;
    VoiceMix mix;
};

struct VoiceTable {
    std::mutex lock;
    std::array<VoiceSlot, MAX_VOICES> slots;
    WAVEFORMATEX format {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    int masterGain = FULL_GAIN;
    std::atomic<std::uint64_t> mixesStarted {0};
    std::atomic<std::uint64_t> mixesDone {0};
};

VoiceTable table;

// What one mix works on: the copied voices and where they came from.
struct MixCopy {
    std::array<VoiceMix, MAX_VOICES> voices;
    std::array<int, MAX_VOICES> slot;
    std::array<std::uint32_t, MAX_VOICES> revision;
    int count = 0;
    WAVEFORMATEX format;
    int masterGain;
};

void CopyPlayingVoices(MixCopy& copy)
{
    const std::lock_guard guard(table.lock);
    copy.format = table.format;
    copy.masterGain = table.masterGain;
    copy.count = 0;
    for (int i = 0; i < MAX_VOICES; ++i) {
        const VoiceSlot& slot = table.slots[i];
        if (!slot.inUse || !slot.mix.playing) continue;
        copy.voices[copy.count] = slot.mix;
        copy.slot[copy.count] = i;
        copy.revision[copy.count] = slot.revision;
        ++copy.count;
    }
    table.mixesStarted.fetch_add(1);
}

void WriteBackPositions(const MixCopy& copy)
{
    const std::lock_guard guard(table.lock);
    for (int i = 0; i < copy.count; ++i) {
        VoiceSlot& slot = table.slots[copy.slot[i]];
        if (slot.revision != copy.revision[i]) continue;
        slot.mix.position = copy.voices[i].position;
        slot.mix.playing = copy.voices[i].playing;
    }
    table.mixesDone.fetch_add(1);
}

void StoreFrames(const std::int16_t* mixed, std::size_t values, int bits, BYTE* output)
{
    if (bits == 16) {
        std::memcpy(output, mixed, values * 2);
        return;
    }
    for (std::size_t i = 0; i < values; ++i) output[i] = static_cast<BYTE>((mixed[i] >> 8) + 128);
}

} // namespace

int AcquireVoice(const BYTE* samples, DWORD frames, const WAVEFORMATEX& format)
{
    const std::lock_guard guard(table.lock);
    for (int i = 0; i < MAX_VOICES; ++i) {
        VoiceSlot& slot = table.slots[i];
        if (slot.inUse) continue;
        slot.inUse = true;
        slot.sampleRate = format.nSamplesPerSec;
        ++slot.revision;
        slot.mix = VoiceMix {};
        slot.mix.samples = samples;
        slot.mix.frames = frames;
        slot.mix.channels = format.nChannels;
        slot.mix.bitsPerSample = format.wBitsPerSample;
        slot.mix.step = StepForRates(format.nSamplesPerSec, table.format.nSamplesPerSec);
        return i;
    }
    return -1;
}

void ReleaseVoice(int voice)
{
    std::uint64_t started = 0;
    {
        const std::lock_guard guard(table.lock);
        table.slots[voice].inUse = false;
        ++table.slots[voice].revision;
        started = table.mixesStarted.load();
    }
    // A mix that copied the voice before it was released may still be reading its samples.
    while (table.mixesDone.load() < started) std::this_thread::yield();
}

void PlayVoice(int voice)
{
    const std::lock_guard guard(table.lock);
    VoiceMix& mix = table.slots[voice].mix;
    if (mix.position >= (std::uint64_t {mix.frames} << FRACTION_BITS)) mix.position = 0;
    mix.playing = true;
    ++table.slots[voice].revision;
}

void StopVoice(int voice)
{
    const std::lock_guard guard(table.lock);
    table.slots[voice].mix.playing = false;
    ++table.slots[voice].revision;
}

void SetVoiceGains(int voice, PanGains gains)
{
    const std::lock_guard guard(table.lock);
    table.slots[voice].mix.gainLeft = gains.left;
    table.slots[voice].mix.gainRight = gains.right;
}

bool VoicePlaying(int voice)
{
    const std::lock_guard guard(table.lock);
    return table.slots[voice].mix.playing;
}

void SetMixFormat(const WAVEFORMATEX& format)
{
    const std::lock_guard guard(table.lock);
    table.format = format;
    for (VoiceSlot& slot : table.slots)
        slot.mix.step = StepForRates(slot.sampleRate, format.nSamplesPerSec);
}

void SetMasterGain(int gain)
{
    const std::lock_guard guard(table.lock);
    table.masterGain = gain;
}

WAVEFORMATEX MixFormat()
{
    const std::lock_guard guard(table.lock);
    return table.format;
}

void RenderMix(BYTE* output, std::size_t bytes)
{
    constexpr DWORD chunkFrames = 256;
    MixCopy copy;
    CopyPlayingVoices(copy);
    const int channels = copy.format.nChannels;
    const std::size_t frameBytes = copy.format.nBlockAlign;
    // The output format is the primary buffer's, which takes at most two channels.
    assert(channels == 1 || channels == 2);
    std::int16_t mixed[chunkFrames * 2];
    const std::span<VoiceMix> voices(copy.voices.data(), copy.count);
    for (std::size_t frames = bytes / frameBytes; frames > 0;) {
        const auto count = static_cast<DWORD>(std::min<std::size_t>(frames, chunkFrames));
        MixVoices(voices, mixed, count, channels, copy.masterGain);
        StoreFrames(mixed, std::size_t {count} * channels, copy.format.wBitsPerSample, output);
        output += count * frameBytes;
        frames -= count;
    }
    WriteBackPositions(copy);
}

} // namespace platform::dsound
