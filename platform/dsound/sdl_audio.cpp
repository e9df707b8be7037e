#include "platform/dsound/sdl_audio.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/dsound/voices.h"
#include "platform/host.h"
#include "platform/notice.h"

namespace platform::dsound {

namespace {

SDL_AudioDeviceID device = 0;

// A player without sound is told once why, on the terminal and in the log.
void SayNoSound(const char* what)
{
    static bool said = false;
    if (said) return;
    said = true;
    const std::string text =
        "killglimbot: " + std::string(what) + ", sound is mixed silently: " + SDL_GetError() + "\n";
    std::fputs(text.c_str(), stderr);
    Notice(text);
}

void SDLCALL PullMix(void*, Uint8* stream, int length)
{
    RenderMix(stream, static_cast<std::size_t>(length));
}

} // namespace

bool OpenAudioDevice(const WAVEFORMATEX& format)
{
    KeepAlsaErrors();
    const bool output = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    TellAlsaErrors();
    if (!output) {
        SayNoSound("no audio output");
        return false;
    }
    SDL_AudioSpec wanted {};
    wanted.freq = static_cast<int>(format.nSamplesPerSec);
    wanted.format = format.wBitsPerSample == 16 ? AUDIO_S16LSB : AUDIO_U8;
    wanted.channels = static_cast<Uint8>(format.nChannels);
    wanted.samples = 512;
    wanted.callback = PullMix;
    // No changes allowed: SDL converts from exactly the format the mix writes.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    TellAlsaErrors();
    if (device == 0) {
        SayNoSound("no audio device");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool IsOpenAudioDevice(unsigned deviceNumber) { return device != 0 && device == deviceNumber; }

void CloseAudioDevice()
{
    if (device == 0) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    TellAlsaErrors();
}

} // namespace platform::dsound
