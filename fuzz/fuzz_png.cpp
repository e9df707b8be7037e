// qvxtool's import: a PNG read as an indexed picture, then packed into a picture file as
// "qvxtool encode" packs it.

#include "fuzz/fuzz_input.h"
#include "platform/png.h"
#include "tools/qvx_writer/qvx_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::EnterScratchFolder();
    fuzz::WriteInput("in.png", data, size);
    std::string reason;
    const auto png = platform::ReadIndexedPng("in.png", &reason);
    if (!png || png->width > 0xFFFF || png->height > 0xFFFF) return 0;
    qvx::Picture picture;
    picture.image = {static_cast<WORD>(png->width), static_cast<WORD>(png->height), 8, png->pixels};
    picture.palette = png->palette;
    qvx::QvxFile(picture, qvx::SmallestMethod(picture.image));
    return 0;
}
