#include "platform/dsound/output.h"

#include <algorithm>
#include <string>

#include "platform/dsound/sdl_audio.h"
#include "platform/dsound/voices.h"
#include "platform/dsound/wav_file.h"
#include "platform/kernel.h"
#include "platform/notice.h"

namespace platform {

namespace {

SoundOutput chosen = SoundOutput::Device;
std::string wavName;

// While no device exists nothing is mixed, even by the clock.
bool started = false;
SoundOutput running = SoundOutput::None;
dsound::WavFile wav;

// The clock that drives the mix when no device pulls it.
bool clockStarted = false;
DWORD clockStart = 0;
std::uint64_t framesMixed = 0;

void MixUpTo(std::uint64_t frames)
{
    const WAVEFORMATEX format = dsound::MixFormat();
    BYTE scratch[4096];
    const std::size_t chunkFrames = sizeof scratch / format.nBlockAlign;
    while (framesMixed < frames) {
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(frames - framesMixed, chunkFrames));
        dsound::RenderMix(scratch, count * format.nBlockAlign);
        if (running == SoundOutput::WavFile) wav.Write(scratch, count * format.nBlockAlign);
        framesMixed += count;
    }
}

} // namespace

void SetSoundOutput(SoundOutput output, const char* wavPath)
{
    chosen = output;
    wavName = wavPath != nullptr ? wavPath : "";
}

SoundOutput CurrentSoundOutput() { return running; }

void AdvanceSound(DWORD clockMs)
{
    if (!started || running == SoundOutput::Device) return;
    if (!clockStarted) {
        clockStarted = true;
        clockStart = clockMs;
        framesMixed = 0;
        return;
    }
    const DWORD elapsed = clockMs - clockStart;
    MixUpTo(std::uint64_t {elapsed} * dsound::MixFormat().nSamplesPerSec / 1000);
}

void SetMasterVolume(int percent) { dsound::SetMasterGain(dsound::MasterGainForVolume(percent)); }

namespace dsound {

void StartOutput()
{
    StopOutput();
    const WAVEFORMATEX format = MixFormat();
    started = true;
    running = SoundOutput::None;
    if (chosen == SoundOutput::Device && OpenAudioDevice(format)) running = SoundOutput::Device;
    if (chosen != SoundOutput::WavFile) return;
    if (wav.Open(wavName.c_str(), format)) running = SoundOutput::WavFile;
    else OutputDebugStringA(("Cannot write the sound output to " + wavName + "\n").c_str());
}

void AudioDeviceRemoved(unsigned deviceNumber)
{
    if (running != SoundOutput::Device || !IsOpenAudioDevice(deviceNumber)) return;
    CloseAudioDevice();
    running = SoundOutput::None;
    clockStarted = false;
    Notice("The audio device went away, sound is mixed silently\r\n");
}

void StopOutput()
{
    CloseAudioDevice();
    wav.Close();
    started = false;
    running = SoundOutput::None;
    clockStarted = false;
}

} // namespace dsound

} // namespace platform
