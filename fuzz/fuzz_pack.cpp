// The pack reader: the pack opened, then every entry loaded as a sound and as a picture.

#include "fuzz/fuzz_input.h"
#include "graphics/display_device.h"
#include "graphics/surfaces.h"
#include "platform/dsound.h"
#include "sound/pack_archive.h"
#include "sound/pack_image.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "sound/sound_format.h"

namespace {

bool Start()
{
    fuzz::EnterScratchFolder();
    platform::SetSoundOutput(platform::SoundOutput::None);
    WAVEFORMATEX format {};
    MakePcmFormat(&format, 22050, true, true);
    return DirectDrawCreate(nullptr, &directDraw, nullptr) == DD_OK && InitSound(nullptr, &format);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = Start();
    if (!ready) return 0;
    fuzz::WriteInput("in.pck", data, size);
    PackArchive* pack = OpenPack("in.pck", 0);
    if (pack == nullptr) return 0;
    LPDIRECTDRAWSURFACE sprite = CreateSystemSurface(48, 48);
    for (DWORD i = 0; i < pack->header.entryCount; ++i) {
        if (LPDIRECTSOUNDBUFFER sound = LoadSound(SeekPackEntry(pack, i), DSBCAPS_STATIC))
            sound->Release();
        LoadPackImage(sprite, pack, i);
        GetPackEntryLabel(pack, i);
    }
    if (sprite != nullptr) sprite->Release();
    ClosePack(pack);
    return 0;
}
