// The chunk reader: pixels into the locked surface, palette and colour key onto it.

#include "graphics/image_reader.h"

#include <algorithm>
#include <cstring>

#include "graphics/display_device.h"
#include "graphics/pixel_filters.h"
#include "graphics/row_decoders.h"
#include "graphics/surfaces.h"
#include "platform/kernel.h"
#include "support/debug_log.h"
#include "support/error_report.h"
#include "support/file_access.h"
#include "support/memory.h"

PixelFilter* pixelFilter = nullptr;

namespace {

DWORD ReadBytes(HANDLE file, void* buffer, DWORD size)
{
    DWORD got = 0;
    ReadFile(file, buffer, size, &got, nullptr);
    return got;
}

void Skip(HANDLE file, DWORD size)
{
    LONG high = 0;
    SetFilePointer(file, static_cast<LONG>(size), &high, FILE_CURRENT);
}

// Unpacks the rows that reach the target; rows wider than it go through a row of their own
// and are cut. Stops early when the packed data runs out.
DWORD DecodeRows(RowDecoder decoder, const BYTE* source, const BYTE* end, DWORD rowLength,
                 DWORD height, const DecodeTarget& target)
{
    const DWORD rows = std::min(height, target.rows);
    BYTE* wide = nullptr;
    if (rowLength > target.rowBytes) {
        wide = static_cast<BYTE*>(MemAlloc(rowLength, "QVXROW"));
        if (wide == nullptr) return IMG_E_NO_MEMORY;
    }
    for (DWORD row = 0; row < rows && source != nullptr; ++row) {
        BYTE* destination = target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch;
        source = decoder(wide != nullptr ? wide : destination, source, end, rowLength);
        if (wide != nullptr) std::memcpy(destination, wide, target.rowBytes);
    }
    if (wide != nullptr) MemFree(wide);
    return 0;
}

void ReadColorKey(LPDIRECTDRAWSURFACE surface, HANDLE file)
{
    BYTE bytes[COLORKEY_CHUNK_SIZE];
    if (ReadBytes(file, bytes, COLORKEY_CHUNK_SIZE) < COLORKEY_CHUNK_SIZE || surface == nullptr)
        return;
    DDCOLORKEY key {ReadLe32(bytes), ReadLe32(bytes + 4)};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

DWORD ReadImagePixels(LPDIRECTDRAWSURFACE surface, HANDLE file, DWORD size, DWORD result)
{
    DDSURFACEDESC desc {};
    if (LockSurface(surface, &desc) != 0) return result;
    const int depth = SurfaceBitDepth(desc);
    const DecodeTarget target {static_cast<BYTE*>(desc.lpSurface), desc.lPitch,
                               desc.dwWidth * static_cast<DWORD>((std::max(depth, 8) + 7) / 8),
                               desc.dwHeight};
    result = DecodePixels(file, target, size);
    if (depth == 16 && pixelFilter != nullptr) {
        BitmapRef bitmap {desc.dwHeight, desc.dwWidth, static_cast<DWORD>(desc.lPitch),
                          static_cast<BYTE*>(desc.lpSurface)};
        pixelFilter->operations->ConvertBitmap(pixelFilter, &bitmap);
    }
    UnlockSurface(surface);
    return result;
}

DWORD AttachPalette(LPDIRECTDRAWSURFACE surface, HANDLE file, DWORD result)
{
    LPDIRECTDRAWPALETTE palette = ReadPalette(file);
    if (palette == nullptr) {
        LogFilePrintf("Impossibile creare la palette");
        return result;
    }
    if (surface != nullptr) {
        result = static_cast<DWORD>(surface->SetPalette(palette));
        ReportResult("SetPalette", static_cast<HRESULT>(result));
    }
    palette->Release(); // an attached palette is kept by its surface
    return result;
}

} // namespace

DWORD ReadImageFile(LPDIRECTDRAWSURFACE surface, const char* name)
{
    ReadImageFileResult(surface, name);
    return 0;
}

DWORD ReadImageFileResult(LPDIRECTDRAWSURFACE surface, const char* name)
{
    const HANDLE file = OpenForRead(name);
    if (file == INVALID_HANDLE_VALUE) {
        DebugLine("IMPOSSIBILE APRIRE IL FILE");
        return IMG_E_OPEN;
    }
    if (!CheckImageHeader(file)) {
        LogFilePrintf("%s non è un file QVx3\n", name);
        CloseHandle(file);
        return IMG_E_NOT_QVX;
    }
    const DWORD result = ReadImageChunks(surface, file);
    CloseHandle(file);
    if (result == IMG_STREAM_ENDED) LogFilePrintf("%s finisce prima di EOF!\n", name);
    return result;
}

bool CheckImageHeader(HANDLE file)
{
    BYTE header[FILE_HEADER_SIZE] {};
    if (ReadBytes(file, header, FILE_HEADER_SIZE) < 4 || ReadLe32(header) != QVX_MAGIC) {
        DebugLine("ERRORE Non è un file QVX spec 3.00 valido");
        return false;
    }
    return true;
}

DWORD ReadChunkHeader(HANDLE file, ChunkHeader* header)
{
    BYTE bytes[CHUNK_HEADER_SIZE];
    if (ReadBytes(file, bytes, CHUNK_HEADER_SIZE) < CHUNK_HEADER_SIZE) {
        *header = {TAG_SHORT_READ, 0xFFFFFFFF};
        return 0;
    }
    *header = {ReadLe32(bytes), ReadLe32(bytes + 4)};
    return header->tag;
}

DWORD ReadImageChunks(LPDIRECTDRAWSURFACE surface, HANDLE file)
{
    DWORD result = 0;
    ChunkHeader header {};
    ReadChunkHeader(file, &header);
    while (header.tag != TAG_END) {
        switch (header.tag) {
        case TAG_COLORKEY: ReadColorKey(surface, file); break;
        case TAG_PALETTE: result = AttachPalette(surface, file, result); break;
        case TAG_SHORT_READ: return IMG_STREAM_ENDED;
        case TAG_IMAGE:
            if (header.size >= IMAGE_HEADER_SIZE) {
                result = ReadImagePixels(surface, file, header.size, result);
                break;
            }
            // An image chunk too small for its own header is passed over whole.
            DebugLine("BAD QVX FORMAT or TAG unsopported");
            Skip(file, header.size);
            break;
        default:
            // The payload of an unknown chunk is not skipped: the next header follows this one.
            DebugLine("BAD QVX FORMAT or TAG unsopported");
            break;
        }
        ReadChunkHeader(file, &header);
    }
    return result;
}

LPDIRECTDRAWPALETTE ReadPalette(HANDLE file)
{
    BYTE header[PALETTE_HEADER_SIZE] {};
    ReadBytes(file, header, PALETTE_HEADER_SIZE);
    auto* entries = static_cast<PALETTEENTRY*>(MemAlloc(256 * sizeof(PALETTEENTRY)));
    if (entries == nullptr) return nullptr;
    ReadBytes(file, entries, 256 * sizeof(PALETTEENTRY));
    LPDIRECTDRAWPALETTE palette = nullptr;
    const HRESULT result =
        directDraw->CreatePalette(ReadLe32(header + 4), entries, &palette, nullptr);
    MemFree(entries);
    ReportResult("CreatePalette", result);
    return palette;
}

DWORD DecodePixels(HANDLE file, const DecodeTarget& target, DWORD size)
{
    BYTE bytes[IMAGE_HEADER_SIZE] {};
    if (ReadBytes(file, bytes, IMAGE_HEADER_SIZE) < IMAGE_HEADER_SIZE) return 0;
    const ImageHeader header = ParseImageHeader(bytes);
    const RowDecoder decoder = header.method < METHOD_COUNT ? decoderTable[header.method] : nullptr;
    if (decoder == nullptr) {
        DebugLine("No Decompressor Avaiable");
        return IMG_E_NO_DECODER;
    }
    // Only what the file really holds is fetched, however large the size field.
    const DWORD payload = std::min(size - IMAGE_HEADER_SIZE, BytesLeftInFile(file));
    const DWORD rowLength = RowLength(header);
    if (payload == 0 || rowLength == 0 || header.height == 0) {
        Skip(file, payload);
        return 0;
    }
    auto* packed = static_cast<BYTE*>(MemAlloc(payload));
    if (packed == nullptr) return IMG_E_NO_MEMORY;
    const DWORD got = ReadBytes(file, packed, payload);
    const DWORD result =
        DecodeRows(decoder, packed, packed + got, rowLength, header.height, target);
    MemFree(packed);
    return result;
}
