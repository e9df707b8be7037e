#pragma once
// Record files: a 16-byte header (identifier, version, record count, record size) and the
// records. The Killer List keeps "killer.dat" in this form.

#include "platform/windef.h"

struct CollectHeader {
    DWORD identifier;
    DWORD version;
    DWORD recordCount;
    DWORD recordSize;
};

inline constexpr DWORD COLLECT_HEADER_SIZE = 16;
// An expected record size that takes the file's own.
inline constexpr DWORD COLLECT_ANY_SIZE = 0xFFFFFFFF;

inline constexpr DWORD COLLECT_OK = 0;
inline constexpr DWORD COLLECT_E_OPEN = 1;
inline constexpr DWORD COLLECT_E_ID = 2;

// Reads at most header.recordCount records of the expected size header.recordSize into buffer,
// fitting each record of the file's size into a slot of the expected one, and updates header
// from the file. What the file lacks stays as it was in buffer.
DWORD ReadCollect(const char* name, CollectHeader& header, void* buffer);

// Replaces the file with the header and its records. The new file is written beside the old
// one and moved over it only once it is whole on the disk, so a failed or interrupted save
// leaves the old file as it was. COLLECT_E_OPEN (reported) when nothing was saved.
DWORD WriteCollect(const char* name, const CollectHeader& header, const void* buffer);
