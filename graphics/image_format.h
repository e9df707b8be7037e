#pragma once
// The picture file format: "QVx3", then tagged chunks (pixels, palette, colour key, end).

#include "platform/windef.h"
#include "support/little_endian.h"

inline constexpr DWORD QVX_MAGIC = FourCC("QVx3");
inline constexpr DWORD TAG_IMAGE = FourCC("QVXI");
inline constexpr DWORD TAG_PALETTE = FourCC("CPAL");
inline constexpr DWORD TAG_COLORKEY = FourCC("CKEY");
inline constexpr DWORD TAG_END = FourCC("EOF!");
// The tag ReadChunkHeader gives a header that came up short.
inline constexpr DWORD TAG_SHORT_READ = 0xFFFFFFFF;

inline constexpr DWORD FILE_HEADER_SIZE = 8;
inline constexpr DWORD CHUNK_HEADER_SIZE = 8;
inline constexpr DWORD IMAGE_HEADER_SIZE = 8;
inline constexpr DWORD PALETTE_HEADER_SIZE = 8;
inline constexpr DWORD PALETTE_CHUNK_SIZE = PALETTE_HEADER_SIZE + 256 * 4;
inline constexpr DWORD COLORKEY_CHUNK_SIZE = 8;

inline constexpr DWORD IMG_E_OPEN = 0x80800001;
inline constexpr DWORD IMG_E_NOT_QVX = 0x80800010;
inline constexpr DWORD IMG_E_NO_CHUNK = 0x80800011;
inline constexpr DWORD IMG_E_NO_DECODER = 0x80800012;
// The chunk stream ended before its "EOF!" chunk.
inline constexpr DWORD IMG_STREAM_ENDED = 11;
inline constexpr DWORD IMG_E_NO_MEMORY = 0xFFFFFFFF;

struct ChunkHeader {
    DWORD tag;
    DWORD size;
};

struct ImageHeader {
    WORD width;
    WORD height;
    WORD reserved;
    BYTE depth;
    BYTE method;
};

constexpr ImageHeader ParseImageHeader(const BYTE* bytes)
{
    return {ReadLe16(bytes), ReadLe16(bytes + 2), ReadLe16(bytes + 4), bytes[6], bytes[7]};
}

// Each pixel takes whole bytes.
constexpr DWORD RowLength(const ImageHeader& header)
{
    return ((header.depth + 7u) / 8u) * header.width;
}

// Locked pixels as a pixel filter sees them.
struct BitmapRef {
    DWORD height;
    DWORD width;
    DWORD pitch;
    BYTE* address;
};
