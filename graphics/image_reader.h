#pragma once
// Reading pictures: a file's chunks into an existing surface, and an image's size before any
// surface exists.

#include "graphics/image_format.h"
#include "platform/ddraw.h"

struct PixelFilter;
// The installed pixel format filter for 16-bit surfaces; the game installs none.
extern PixelFilter* pixelFilter;

// Where decoded rows go: rowBytes bytes of each of rows rows, pitch bytes apart. An image
// larger than this is cut to it.
struct DecodeTarget {
    BYTE* pixels;
    LONG pitch;
    DWORD rowBytes;
    DWORD rows;
};

// Always 0; what went wrong is in the log.
DWORD ReadImageFile(LPDIRECTDRAWSURFACE surface, const char* name);
// ReadImageFile, answering the chunk reader's result, or IMG_E_OPEN or IMG_E_NOT_QVX.
DWORD ReadImageFileResult(LPDIRECTDRAWSURFACE surface, const char* name);
bool CheckImageHeader(HANDLE file);
// Applies the chunks from the file's position up to "EOF!" to the surface, in file order.
DWORD ReadImageChunks(LPDIRECTDRAWSURFACE surface, HANDLE file);
// The tag, or 0 after a short read (the header then holds 0xFFFFFFFF twice).
DWORD ReadChunkHeader(HANDLE file, ChunkHeader* header);
LPDIRECTDRAWPALETTE ReadPalette(HANDLE file);
// Reads a "QVXI" payload of size bytes (never more than the file holds) into target.
DWORD DecodePixels(HANDLE file, const DecodeTarget& target, DWORD size);

// Finds the tag's chunk and reads up to bufferSize bytes of its payload. payloadPresent, when
// given, receives the chunk's size cut to the bytes the file really holds after its header.
DWORD ReadImageTag(const char* name, DWORD tag, void* buffer, DWORD bufferSize,
                   DWORD* payloadPresent = nullptr);
// From a file positioned at a chunk header: on 0 the header is the wanted chunk's and the file
// stands at its payload.
DWORD FindChunk(HANDLE file, ChunkHeader* header);
DWORD ReadImageInfo(const char* name, DWORD* width, DWORD* height, BYTE* depth);
// ReadImageInfo, plus the bytes of pixel data the file holds for the image.
DWORD ReadImageExtent(const char* name, DWORD* width, DWORD* height, BYTE* depth, DWORD* pixelData);
