// The pack reader: the pack opened, then every entry loaded as a sound and as a picture.
// Entries past the input's end are all zero records, so the first of them stands for the rest;
// a count far beyond what the input holds is tried only where the reader refuses it at once.

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "fuzz/fuzz_input.h"
#include "graphics/display_device.h"
#include "graphics/surfaces.h"
#include "platform/dsound.h"
#include "sound/pack_archive.h"
#include "sound/pack_image.h"
#include "sound/sound_buffer.h"
#include "sound/sound_device.h"
#include "sound/sound_format.h"
#include "support/memory.h"

namespace {

bool Start()
{
    fuzz::EnterScratchFolder();
    platform::SetSoundOutput(platform::SoundOutput::None);
    WAVEFORMATEX format {};
    MakePcmFormat(&format, 22050, true, true);
    return DirectDrawCreate(nullptr, &directDraw, nullptr) == DD_OK && InitSound(nullptr, &format);
}

// The directory records the input holds, and one more.
DWORD RecordsHeld(std::size_t size)
{
    const std::size_t records =
        size > sizeof(PackHeader) ? (size - sizeof(PackHeader)) / sizeof(PackEntry) : 0;
    return static_cast<DWORD>(records + 1);
}

// A directory the reader would allocate far beyond the input (up to 32 MB, zeroed) costs a
// run thousands of times what its input can reach.
bool WorthReading(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(PackHeader)) return true;
    DWORD count = 0;
    std::memcpy(&count, data + offsetof(PackHeader, entryCount), sizeof count);
    const std::uint64_t directoryBytes = std::uint64_t {count} * sizeof(PackEntry);
    return count <= RecordsHeld(size) + 16 || directoryBytes >= MEM_ALLOC_LIMIT;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = Start();
    if (!ready || !WorthReading(data, size)) return 0;
    fuzz::WriteInput("in.pck", data, size);
    PackArchive* pack = OpenPack("in.pck", 0);
    if (pack == nullptr) return 0;
    LPDIRECTDRAWSURFACE sprite = CreateSystemSurface(48, 48);
    const DWORD entries = std::min(pack->header.entryCount, RecordsHeld(size));
    for (DWORD i = 0; i < entries; ++i) {
        if (LPDIRECTSOUNDBUFFER sound = LoadSound(SeekPackEntry(pack, i), DSBCAPS_STATIC))
            sound->Release();
        LoadPackImage(sprite, pack, i);
        GetPackEntryLabel(pack, i);
    }
    if (sprite != nullptr) sprite->Release();
    ClosePack(pack);
    return 0;
}
