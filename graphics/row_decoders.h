#pragma once
// The row decoders of the packing methods: each unpacks one row of length bytes from the packed
// data at source and answers where the next row begins.

#include "platform/windef.h"

// Never reads at or past sourceEnd nor writes past destination + length. A run that would
// cross the end of the row is cut there; when the packed data ends before the row does, the
// rest of the row is left as it was and the answer is null.
using RowDecoder = const BYTE* (*)(BYTE* destination, const BYTE* source, const BYTE* sourceEnd,
                                   DWORD length);

const BYTE* UnpackBytes(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, BYTE mask,
                        DWORD length);
const BYTE* UnpackWords(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length);
const BYTE* UnpackDwords(BYTE* destination, const BYTE* source, const BYTE* sourceEnd,
                         DWORD length);
// Method 0: the row is stored as it is.
const BYTE* CopyRaw(BYTE* destination, const BYTE* source, const BYTE* sourceEnd, DWORD length);

inline constexpr DWORD METHOD_COUNT = 8;
// Indexed by the method byte; null for the methods without a decoder (4 and 5).
extern const RowDecoder decoderTable[METHOD_COUNT];

// The most bytes of pixels one byte of packed data can unpack to under any method.
inline constexpr DWORD MAX_UNPACK_RATIO = 512;
