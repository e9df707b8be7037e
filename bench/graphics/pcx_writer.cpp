#include "bench/graphics/pcx_writer.h"

#include "support/little_endian.h"

namespace {

void PackPcxRow(const BYTE* row, int width, qvx::Bytes& out)
{
    for (int x = 0; x < width;) {
        int run = 1;
        while (x + run < width && run < 63 && row[x + run] == row[x]) ++run;
        if (run > 1 || (row[x] & 0xC0) == 0xC0) out.push_back(static_cast<BYTE>(0xC0 | run));
        out.push_back(row[x]);
        x += run;
    }
}

} // namespace

qvx::Bytes PcxFile(const qvx::Picture& picture)
{
    const qvx::Image& image = picture.image;
    qvx::Bytes out(128, 0);
    out[0] = 10; // manufacturer
    out[1] = 5;  // version
    out[2] = 1;  // run-length encoding
    out[3] = 8;  // bits per pixel
    WriteLe16(&out[8], static_cast<WORD>(image.width - 1));
    WriteLe16(&out[10], static_cast<WORD>(image.height - 1));
    WriteLe16(&out[12], 72);
    WriteLe16(&out[14], 72);
    out[65] = 1;                      // planes
    WriteLe16(&out[66], image.width); // even, as the format wants
    WriteLe16(&out[68], 1);           // colour palette
    for (int y = 0; y < image.height; ++y) {
        PackPcxRow(image.pixels.data() + static_cast<std::size_t>(y) * image.width, image.width,
                   out);
    }
    out.push_back(12);
    for (const PALETTEENTRY& entry : *picture.palette) {
        out.insert(out.end(), {entry.peRed, entry.peGreen, entry.peBlue});
    }
    return out;
}
