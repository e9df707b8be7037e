// The picture reader: the size query and a read into a surface made to measure (LoadSurface),
// and a read into a fixed 48 x 48 surface, as the packs' sprites are read. A picture larger
// than the screen (the largest the game reads) is read into the fixed surface only: making and
// clearing a surface of megabytes for every input would cost a run many times its reading.

#include "fuzz/fuzz_input.h"
#include "graphics/display_device.h"
#include "graphics/image_reader.h"
#include "graphics/surfaces.h"

namespace {

constexpr std::uint64_t largestPicture = 640 * 480;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        fuzz::EnterScratchFolder();
        return DirectDrawCreate(nullptr, &directDraw, nullptr) == DD_OK;
    }();
    if (!ready) return 0;
    fuzz::WriteInput("in.qvx", data, size);
    DWORD width = 0;
    DWORD height = 0;
    BYTE depth = 0;
    DWORD pixelData = 0;
    ReadImageExtent("in.qvx", &width, &height, &depth, &pixelData);
    if (std::uint64_t {width} * height <= largestPicture) {
        if (LPDIRECTDRAWSURFACE loaded = LoadSurface("in.qvx")) loaded->Release();
    }
    if (LPDIRECTDRAWSURFACE fixed = CreateSystemSurface(48, 48)) {
        ReadImageFileResult(fixed, "in.qvx");
        fixed->Release();
    }
    return 0;
}
