// How fast the mixer runs the game's busiest moment: three shot voices, five pops and the
// game-over sound at once, into 22050 Hz stereo 16-bit. Each iteration mixes one second of
// audio, so the rate counter reads as seconds of audio per second of CPU.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/dsound.h"
#include "platform/dsound/mixer.h"
#include "platform/dsound/voices.h"

namespace {

using platform::dsound::VoiceMix;

constexpr DWORD OUTPUT_RATE = 22050;

struct SoundData {
    DWORD rate;
    WORD channels;
    WORD bits;
    std::vector<BYTE> bytes;
};

// Two seconds of a plain pattern, so no voice ends during the measured second.
SoundData Sound(DWORD rate, WORD channels, WORD bits)
{
    SoundData sound {rate, channels, bits, {}};
    sound.bytes.resize(std::size_t {rate} * 2 * channels * bits / 8);
    for (std::size_t i = 0; i < sound.bytes.size(); ++i)
        sound.bytes[i] = static_cast<BYTE>((i * 37) ^ (i >> 7));
    return sound;
}

// The nine sounds: shots (16-bit mono, panned), pops (8-bit mono at half rate), game over.
std::vector<SoundData> GameSounds()
{
    std::vector<SoundData> sounds;
    for (int i = 0; i < 3; ++i) sounds.push_back(Sound(22050, 1, 16));
    for (int i = 0; i < 5; ++i) sounds.push_back(Sound(11025, 1, 8));
    sounds.push_back(Sound(22050, 2, 16));
    return sounds;
}

std::vector<VoiceMix> Voices(const std::vector<SoundData>& sounds)
{
    std::vector<VoiceMix> voices;
    LONG pan = -9856;
    for (const SoundData& sound : sounds) {
        VoiceMix voice;
        voice.samples = sound.bytes.data();
        voice.frames = static_cast<DWORD>(sound.bytes.size() / (sound.channels * sound.bits / 8));
        voice.channels = sound.channels;
        voice.bitsPerSample = sound.bits;
        voice.step = platform::dsound::StepForRates(sound.rate, OUTPUT_RATE);
        const auto gains = platform::dsound::PanToGains(pan);
        voice.gainLeft = gains.left;
        voice.gainRight = gains.right;
        voice.playing = true;
        voices.push_back(voice);
        pan += 2400;
    }
    return voices;
}

void MixNineVoices(benchmark::State& state)
{
    const auto sounds = GameSounds();
    std::vector<std::int16_t> output(std::size_t {OUTPUT_RATE} * 2);
    for (auto _ : state) {
        auto voices = Voices(sounds);
        platform::dsound::MixVoices(voices, output.data(), OUTPUT_RATE, 2,
                                    platform::dsound::FULL_GAIN);
        benchmark::DoNotOptimize(output.data());
    }
    state.counters["audio_s_per_cpu_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(MixNineVoices)->Unit(benchmark::kMicrosecond);

// The same through the device as the audio callback pulls it, 512 frames at a time.
void CallbackNineVoices(benchmark::State& state)
{
    platform::SetSoundOutput(platform::SoundOutput::None);
    LPDIRECTSOUND device = nullptr;
    DirectSoundCreate(nullptr, &device, nullptr);
    device->SetCooperativeLevel(nullptr, DSSCL_PRIORITY);
    std::vector<LPDIRECTSOUNDBUFFER> buffers;
    for (const SoundData& sound : GameSounds()) {
        const auto align = static_cast<WORD>(sound.channels * sound.bits / 8);
        WAVEFORMATEX format {WAVE_FORMAT_PCM, sound.channels, sound.rate, sound.rate * align,
                             align,           sound.bits,     0};
        DSBUFFERDESC description {DSBUFFERDESC_SIZE,
                                  DSBCAPS_STATIC | DSBCAPS_CTRLPAN,
                                  static_cast<DWORD>(sound.bytes.size()),
                                  0,
                                  &format,
                                  {}};
        LPDIRECTSOUNDBUFFER buffer = nullptr;
        device->CreateSoundBuffer(&description, &buffer, nullptr);
        buffers.push_back(buffer);
    }
    std::vector<BYTE> stream(512 * 4);
    for (auto _ : state) {
        for (auto* buffer : buffers) {
            buffer->Stop();
            buffer->Play(0, 0, 0);
        }
        for (DWORD frames = 0; frames < OUTPUT_RATE; frames += 512)
            platform::dsound::RenderMix(stream.data(), stream.size());
        benchmark::DoNotOptimize(stream.data());
    }
    state.counters["audio_s_per_cpu_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    device->Release();
}
BENCHMARK(CallbackNineVoices)->Unit(benchmark::kMicrosecond);

} // namespace
