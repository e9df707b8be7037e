#include "platform/dsound/sdl_audio.h"

#include <SDL.h>

#include <string>

#include "platform/dsound/voices.h"
#include "platform/kernel.h"

namespace platform::dsound {

namespace {

SDL_AudioDeviceID device = 0;

void SDLCALL PullMix(void*, Uint8* stream, int length)
{
    RenderMix(stream, static_cast<std::size_t>(length));
}

} // namespace

bool OpenAudioDevice(const WAVEFORMATEX& format)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        OutputDebugStringA(
            ("No audio output, sound is mixed silently: " + std::string(SDL_GetError()) + "\n")
                .c_str());
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
    if (device == 0) {
        OutputDebugStringA(
            ("No audio device, sound is mixed silently: " + std::string(SDL_GetError()) + "\n")
                .c_str());
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
}

} // namespace platform::dsound
