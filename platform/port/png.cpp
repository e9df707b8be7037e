// Indexed PNG through libpng's simplified interface, which reads and writes colour-mapped
// images without re-quantising them.

#include "platform/png.h"

#include <png.h>

#include <cstring>

#include "platform/port/owned_file.h"

namespace platform {
namespace {

// Far larger than any picture of 640 x 480 indices, and no device without end.
constexpr std::size_t pngMostBytes = std::size_t {64} << 20;

void Fail(std::string* error, const std::string& reason)
{
    if (error != nullptr) *error = reason;
}

} // namespace

bool WriteIndexedPng(const char* path, const IndexedPicture& picture)
{
    if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height)
        return false;
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.width;
    image.height = picture.height;
    image.format = PNG_FORMAT_RGBA_COLORMAP;
    image.colormap_entries = 256;
    std::array<BYTE, 256 * 4> colormap {};
    for (std::size_t i = 0; i < 256; ++i) {
        colormap[i * 4] = picture.palette[i].peRed;
        colormap[i * 4 + 1] = picture.palette[i].peGreen;
        colormap[i * 4 + 2] = picture.palette[i].peBlue;
        colormap[i * 4 + 3] = picture.transparentIndex == i ? 0 : 255;
    }
    // Encoded in memory, then written as every file of the layer is.
    png_alloc_size_t size = 0;
    const auto stride = static_cast<png_int_32>(picture.width);
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, picture.pixels.data(), stride,
                                   colormap.data()))
        return false;
    std::vector<std::uint8_t> bytes(size);
    const bool encoded = png_image_write_to_memory(&image, bytes.data(), &size, 0,
                                                   picture.pixels.data(), stride, colormap.data());
    png_image_free(&image);
    int err = 0;
    return encoded && WriteWholeFile(path, {bytes.data(), size}, err);
}

std::optional<IndexedPicture> ReadIndexedPng(const char* path, std::string* error)
{
    int err = 0;
    const auto file = ReadWholeFile(path, pngMostBytes, err);
    if (!file) {
        Fail(error, std::string("cannot read PNG: ") + std::strerror(err));
        return std::nullopt;
    }
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file->data(), file->size())) {
        Fail(error, std::string("cannot read PNG: ") + image.message);
        return std::nullopt;
    }
    if (!(image.format & PNG_FORMAT_FLAG_COLORMAP)) {
        png_image_free(&image);
        Fail(error, "not an indexed PNG");
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGBA_COLORMAP;
    IndexedPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels.resize(PNG_IMAGE_SIZE(image));
    std::array<BYTE, 256 * 4> colormap {};
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, colormap.data())) {
        Fail(error, std::string("cannot decode PNG: ") + image.message);
        png_image_free(&image);
        return std::nullopt;
    }
    for (std::size_t i = 0; i < image.colormap_entries && i < 256; ++i) {
        const BYTE* entry = &colormap[i * 4];
        picture.palette[i] = {entry[0], entry[1], entry[2], 0};
        if (entry[3] == 0 && !picture.transparentIndex) {
            picture.transparentIndex = static_cast<BYTE>(i);
        } else if (entry[3] != 255) {
            Fail(error, "an indexed PNG with partly transparent colours");
            return std::nullopt;
        }
    }
    return picture;
}

std::optional<RgbaPicture> DecodePngRgba(const std::vector<BYTE>& file)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    RgbaPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return picture;
}

} // namespace platform
