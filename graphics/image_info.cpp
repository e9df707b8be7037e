// An image's size and other single chunks, read before any surface exists.

#include <algorithm>

#include "graphics/image_reader.h"
#include "platform/kernel.h"
#include "support/file_access.h"

namespace {

DWORD Close(HANDLE file, DWORD result)
{
    CloseHandle(file);
    return result;
}

} // namespace

DWORD FindChunk(HANDLE file, ChunkHeader* header)
{
    const DWORD wanted = header->tag;
    ReadChunkHeader(file, header);
    while (header->tag != wanted && header->tag != TAG_SHORT_READ) {
        LONG high = 0; // the size is unsigned: the search only ever moves forward
        SetFilePointer(file, static_cast<LONG>(header->size), &high, FILE_CURRENT);
        ReadChunkHeader(file, header);
    }
    return header->tag == wanted ? 0 : IMG_E_NO_CHUNK;
}

DWORD ReadImageTag(const char* name, DWORD tag, void* buffer, DWORD bufferSize,
                   DWORD* payloadPresent)
{
    const HANDLE file = OpenForRead(name);
    if (file == INVALID_HANDLE_VALUE) return IMG_E_OPEN;
    BYTE magic[FILE_HEADER_SIZE] {};
    DWORD got = 0;
    ReadFile(file, magic, FILE_HEADER_SIZE, &got, nullptr);
    if (got < 4 || ReadLe32(magic) != QVX_MAGIC) return Close(file, IMG_E_NOT_QVX);
    ChunkHeader header {tag, 0};
    if (const DWORD result = FindChunk(file, &header)) return Close(file, result);
    if (payloadPresent != nullptr) *payloadPresent = std::min(header.size, BytesLeftInFile(file));
    ReadFile(file, buffer, std::min(header.size, bufferSize), &got, nullptr);
    return Close(file, 0);
}

DWORD ReadImageExtent(const char* name, DWORD* width, DWORD* height, BYTE* depth, DWORD* pixelData)
{
    BYTE bytes[IMAGE_HEADER_SIZE] {};
    DWORD payload = 0;
    const DWORD result = ReadImageTag(name, TAG_IMAGE, bytes, IMAGE_HEADER_SIZE, &payload);
    if (result != 0) return result;
    const ImageHeader header = ParseImageHeader(bytes);
    if (width != nullptr) *width = header.width;
    if (height != nullptr) *height = header.height;
    if (depth != nullptr) *depth = header.depth;
    if (pixelData != nullptr)
        *pixelData = payload > IMAGE_HEADER_SIZE ? payload - IMAGE_HEADER_SIZE : 0;
    return 0;
}

DWORD ReadImageInfo(const char* name, DWORD* width, DWORD* height, BYTE* depth)
{
    return ReadImageExtent(name, width, height, depth, nullptr);
}
