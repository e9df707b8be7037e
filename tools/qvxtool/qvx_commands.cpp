// The commands read pictures exactly as the game does, through the game's own reader.

#include "tools/qvxtool/qvx_commands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "graphics/display_device.h"
#include "graphics/image_reader.h"
#include "graphics/surfaces.h"
#include "platform/kernel.h"
#include "platform/png.h"
#include "support/debug_log.h"
#include "tools/qvx_writer/qvx_writer.h"
#include "tools/terminal_text/terminal_text.h"

namespace qvxtool {
namespace {

const char* Reason(DWORD result)
{
    switch (result) {
    case IMG_E_OPEN: return "cannot open the file";
    case IMG_E_NOT_QVX: return "not a QVx3 file";
    case IMG_E_NO_CHUNK: return "no QVXI image chunk";
    default: return "cannot be read";
    }
}

// The chunks in file order, found the way the size query finds them: by their size fields.
void ListChunks(const std::vector<BYTE>& bytes)
{
    std::size_t at = FILE_HEADER_SIZE;
    while (at + CHUNK_HEADER_SIZE <= bytes.size()) {
        const DWORD tag = ReadLe32(&bytes[at]);
        const DWORD size = ReadLe32(&bytes[at + 4]);
        std::printf("chunk %s size %u\n", TagText(tag).c_str(), size);
        if (tag == TAG_END) return;
        if (tag == TAG_IMAGE && at + CHUNK_HEADER_SIZE + IMAGE_HEADER_SIZE <= bytes.size()) {
            const ImageHeader image = ParseImageHeader(&bytes[at + CHUNK_HEADER_SIZE]);
            std::printf("  image %u x %u, depth %u, method %u\n", image.width, image.height,
                        image.depth, image.method);
        }
        at += CHUNK_HEADER_SIZE + static_cast<std::size_t>(size);
    }
    std::printf("the chunk stream ends without EOF!\n");
}

std::optional<std::vector<BYTE>> ReadWhole(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

void DropDebugOutput(const char*) {}

// The game's log, collected in a file of its own for the length of one command, then passed
// to standard error without its start and end banners.
class LogToStandardError {
public:
    LogToStandardError()
        : path((std::filesystem::temp_directory_path()
                / ("qvxtool-" + std::to_string(std::random_device {}()) + ".log"))
                   .string())
    {
        const auto previous = platform::SetDebugOutputHook(DropDebugOutput);
        StartDebugEx(DebugConfig {DEBUG_TO_FILE, path.c_str()});
        platform::SetDebugOutputHook(previous);
    }
    ~LogToStandardError()
    {
        const auto previous = platform::SetDebugOutputHook(DropDebugOutput);
        EndDebug();
        platform::SetDebugOutputHook(previous);
        std::string text;
        if (const auto bytes = ReadWhole(path.c_str())) text.assign(bytes->begin(), bytes->end());
        const std::string banner = "==== END ====\r\n";
        if (text.ends_with(banner)) text.resize(text.size() - banner.size());
        std::fputs(text.c_str(), stderr);
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    LogToStandardError(const LogToStandardError&) = delete;
    LogToStandardError& operator=(const LogToStandardError&) = delete;

private:
    std::string path;
};

platform::IndexedPicture SurfacePicture(LPDIRECTDRAWSURFACE surface)
{
    platform::IndexedPicture picture;
    DDSURFACEDESC desc {};
    if (LockSurface(surface, &desc) == 0) {
        picture.width = desc.dwWidth;
        picture.height = desc.dwHeight;
        const auto* pixels = static_cast<const BYTE*>(desc.lpSurface);
        for (DWORD y = 0; y < desc.dwHeight; ++y) {
            const BYTE* row = pixels + static_cast<std::size_t>(y) * desc.lPitch;
            picture.pixels.insert(picture.pixels.end(), row, row + desc.dwWidth);
        }
        UnlockSurface(surface);
    }
    LPDIRECTDRAWPALETTE palette = nullptr;
    if (surface->GetPalette(&palette) == DD_OK) {
        palette->GetEntries(0, 0, 256, picture.palette.data());
        palette->Release();
    } else {
        for (int i = 0; i < 256; ++i) {
            const auto grey = static_cast<BYTE>(i);
            picture.palette[i] = {grey, grey, grey, 0};
        }
    }
    return picture;
}

} // namespace

int Info(const char* path)
{
    DWORD width = 0;
    DWORD height = 0;
    const DWORD result = ReadImageInfo(path, &width, &height, nullptr);
    if (result != 0) {
        std::fprintf(stderr, "qvxtool: %s: %s\n", path, Reason(result));
        return 1;
    }
    const auto bytes = ReadWhole(path);
    if (!bytes) return 1;
    std::printf("%s: QVx3\n", path);
    ListChunks(*bytes);
    return 0;
}

int Decode(const char* path, const char* pngPath)
{
    LogToStandardError log;
    if (DirectDrawCreate(nullptr, &directDraw, nullptr) != DD_OK) return 1;
    DWORD result = 0;
    LPDIRECTDRAWSURFACE surface = LoadSurface(path, &result);
    int status = 1;
    if (surface == nullptr) {
        result = ReadImageInfo(path, nullptr, nullptr, nullptr);
        std::fprintf(stderr, "qvxtool: %s: no surface could be made for the picture\n", path);
    } else if (!platform::WriteIndexedPng(pngPath, SurfacePicture(surface))) {
        std::fprintf(stderr, "qvxtool: %s: cannot write the PNG file\n", pngPath);
    } else {
        status = 0;
    }
    std::printf("result 0x%08x\n", result);
    directDraw->Release(); // with the surface
    directDraw = nullptr;
    return status;
}

int Encode(const char* pngPath, const char* path, int method, int key)
{
    std::string reason;
    const auto png = platform::ReadIndexedPng(pngPath, &reason);
    if (!png) {
        std::fprintf(stderr, "qvxtool: %s: %s\n", pngPath, reason.c_str());
        return 1;
    }
    if (png->width > 0xFFFF || png->height > 0xFFFF) {
        std::fprintf(stderr, "qvxtool: %s: a picture is at most 65535 pixels each way\n", pngPath);
        return 1;
    }
    qvx::Picture picture;
    picture.image = {static_cast<WORD>(png->width), static_cast<WORD>(png->height), 8, png->pixels};
    picture.palette = png->palette;
    if (key >= 0) picture.key = static_cast<DWORD>(key);
    if (method >= 0 && !qvx::CanPack(static_cast<BYTE>(method))) {
        std::fprintf(stderr, "qvxtool: method %d has no packer (0, 1, 2, 3, 6 or 7)\n", method);
        return 1;
    }
    const BYTE used = method >= 0 ? static_cast<BYTE>(method) : qvx::SmallestMethod(picture.image);
    const qvx::Bytes file = qvx::QvxFile(picture, used);
    if (!qvx::WriteBytes(path, file)) {
        std::fprintf(stderr, "qvxtool: %s: cannot write the file\n", path);
        return 1;
    }
    std::printf("%s: %u x %u, method %u, %zu bytes\n", path, png->width, png->height, used,
                file.size());
    return 0;
}

} // namespace qvxtool
