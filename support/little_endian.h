#pragma once
// The game's files are little-endian; four-character tags compare as one 32-bit value.

#include "platform/windef.h"

constexpr WORD ReadLe16(const BYTE* bytes) { return static_cast<WORD>(bytes[0] | (bytes[1] << 8)); }

constexpr DWORD ReadLe32(const BYTE* bytes)
{
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8)
           | (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

constexpr void WriteLe16(BYTE* bytes, WORD value)
{
    bytes[0] = static_cast<BYTE>(value);
    bytes[1] = static_cast<BYTE>(value >> 8);
}

constexpr void WriteLe32(BYTE* bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i));
}

// "ERDT" as the 32-bit value its four bytes make when read from a file.
constexpr DWORD FourCC(const char (&tag)[5])
{
    return static_cast<DWORD>(static_cast<BYTE>(tag[0]))
           | (static_cast<DWORD>(static_cast<BYTE>(tag[1])) << 8)
           | (static_cast<DWORD>(static_cast<BYTE>(tag[2])) << 16)
           | (static_cast<DWORD>(static_cast<BYTE>(tag[3])) << 24);
}
